#pragma once

#include "employerrecordtexts.h"
#include "reportdocument.h"

#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <variant>
#include <vector>

class PayRun;
class PayRunHistory;

// The pay slips of the month's computed rows: each filled from the folder's
// layout exactly as the preparation fills it, for the preview, the printer,
// the PDF and the saving. Long work reports its progress after each slip and
// stops when told to; what is written is always whole files.
class PayRunSlips
{
public:
    // Told how many slips are done; returns false to stop.
    using Progress = std::function<bool(int done)>;

    // The layout of the folder (the delivered one when it has none) and its
    // employer; on failure, why, in French.
    static std::variant<PayRunSlips, QString> prepare(const QString &directory);

    // The slip of a computed row.
    std::optional<ReportDocument> document(const PayRun &run, int row, ReportError *error) const;
    // The slips of the rows, in their order; when stopped, an error that
    // is no failure.
    std::variant<std::vector<ReportDocument>, ReportError> documents(const PayRun &run, const QList<int> &rows,
                                                                      const Progress &progress = {}) const;

    // The rows among `rows` whose employee has a slip saved for the period
    // already, with the files of those slips.
    static QList<std::pair<int, QStringList>> alreadySaved(const PayRun &run, const QList<int> &rows,
                                                           const PayRunHistory &history);

    struct Saving
    {
        QList<int> saved;      // rows whose slip is written
        ReportError failure;   // the first slip that could not be
        QString notRecorded;   // why the history could not record them
        bool stopped = false;  // the clerk stopped the saving
    };
    // Saves the slip of each row under its systematic name, then records
    // the slips written in the history at once; a row whose employee has a
    // slip for the period already is saved only when it is in `replace`,
    // and those slips then give way to the new one.
    Saving save(PayRun &run, const QList<int> &rows, const QSet<int> &replace, PayRunHistory &history,
                const Progress &progress = {}) const;

    // The layout a folder's slips are filled from.
    static QString layoutPath(const QString &directory);

private:
    PayRunSlips(const ReportLayout &layout, QString layoutFile, EmployerRecordTexts employer, QString directory);

    ReportLayout m_layout;
    QString m_layoutFile;
    EmployerRecordTexts m_employer;
    QString m_directory;
};
