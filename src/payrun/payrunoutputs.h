#pragma once

#include "reportdocument.h"

#include <QPointer>
#include <QString>
#include <optional>
#include <vector>

class PayRun;
class PayRunProgress;
class PrinterChoice;
class ReportPreview;
class QWidget;

// The outputs of the month's pay run screen, for every computed row at
// once: the preview (one page a slip), one print job, the saving of one
// slip per employee under its systematic name, one PDF. Past a few slips
// each shows its progress with "Annuler"; whatever is stopped leaves only
// whole files. Failures are told to the clerk here; each action returns
// what the screen's status line says of it.
class PayRunOutputs
{
public:
    PayRunOutputs(QWidget *screen, const PrinterChoice *printers);

    QString preview(const PayRun &run);
    QString print(const PayRun &run);
    QString writePdf(const PayRun &run, const QString &path);
    // An employee already saved for the period is replaced only once the
    // clerk has agreed, being told who.
    QString save(PayRun &run);

    ReportPreview *previewWindow() const;

private:
    std::optional<std::vector<ReportDocument>> documents(const PayRun &run, PayRunProgress &progress);
    bool confirmReplacing(const PayRun &run, const QList<std::pair<int, QStringList>> &saved);
    void tell(const QString &title, const QString &message) const;

    QWidget *m_screen;
    const PrinterChoice *m_printers;
    QPointer<ReportPreview> m_preview;
};
