#pragma once

#include "formulaentry.h"
#include "reportengine.h"

#include <QList>
#include <functional>

// The report object of the preparation screen: created with the screen on
// the delivered layout "rkv.rpl", discarded with it. The pay slip actions
// hand it the pay slip's entries and send it to the window or the printer;
// the save-as dialog sends it to a file.
class PayslipReport : public ReportEngine
{
public:
    // What ends an action once the entries are handed over: a destination
    // and a run, or the opening of the save-as dialog.
    using Finish = std::function<ReportError(PayslipReport &)>;
    // Told of the first failure, before the second attempt.
    using FirstFailure = std::function<void(const ReportError &)>;

    explicit PayslipReport(const PrinterChoice *printers = nullptr);

    // Hands the entries over one by one in their order, then finishes. On a
    // failure, `firstFailure` is told and the whole hand-over and finish are
    // tried once more from the first entry; what the second attempt gives is
    // returned, success or its failure.
    ReportError deliver(const QList<FormulaEntry> &entries, const Finish &finish,
                        const FirstFailure &firstFailure);

    // A failure of the engine as the screens say it: what went wrong, then
    // the engine's own message and number.
    static QString failureText(const QString &what, const ReportError &error);

private:
    ReportError handOverAndFinish(const QList<FormulaEntry> &entries, const Finish &finish);
};
