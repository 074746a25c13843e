#pragma once

#include <QPointer>
#include <QString>
#include <functional>

class QProgressDialog;
class QWidget;

// The progress of an output of the month's pay run: past a few slips, a
// dialog shows how far it has gone and offers "Annuler", and the window
// keeps answering meanwhile. The work asks after each slip whether to go on.
class PayRunProgress
{
public:
    // Up to this many slips, the work is too short to be followed.
    static constexpr int FewSlips = 3;

    PayRunProgress(QWidget *parent, const QString &label, int total);
    ~PayRunProgress();
    PayRunProgress(const PayRunProgress &) = delete;
    PayRunProgress &operator=(const PayRunProgress &) = delete;

    // A new stage of the same work (composing, then writing).
    void setLabel(const QString &label);
    // Told how many slips are done; false once the clerk has cancelled.
    bool advance(int done);
    std::function<bool(int)> callback();
    bool wasCancelled() const { return m_cancelled; }
    QProgressDialog *dialog() const;

private:
    QPointer<QProgressDialog> m_dialog;
    bool m_cancelled = false;
};
