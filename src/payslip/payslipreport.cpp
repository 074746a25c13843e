#include "payslipreport.h"

PayslipReport::PayslipReport(const PrinterChoice *printers)
    : ReportEngine(printers)
{
}

ReportError PayslipReport::deliver(const QList<FormulaEntry> &entries, const Finish &finish,
                                   const FirstFailure &firstFailure)
{
    const ReportError first = handOverAndFinish(entries, finish);
    if (!first.failed())
        return first;
    if (firstFailure)
        firstFailure(first);
    return handOverAndFinish(entries, finish);
}

ReportError PayslipReport::handOverAndFinish(const QList<FormulaEntry> &entries, const Finish &finish)
{
    for (const FormulaEntry &entry : entries)
        set_formula(entry.number, entry.text);
    return finish(*this);
}

QString PayslipReport::failureText(const QString &what, const ReportError &error)
{
    // One pass: a "%1" in a file name the texts carry stays as it is.
    return QStringLiteral("%1\n%2 (erreur %3)").arg(what, error.message, QString::number(error.number));
}
