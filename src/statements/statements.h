#pragma once

#include "bodyassignment.h"
#include "statementdocument.h"
#include "statementsource.h"

#include <QList>
#include <QString>
#include <QtGlobal>

// The four documents made from the saved slips of a period, and the year's
// month-by-month figures for the chart. Each takes the slips read once
// (StatementSource) and gives a plain document; a slip changed outside the
// program is listed and flagged, never counted.
namespace Statements {

enum class Kind { Journal, Contributions, Entries, Yearly };
// "journal", "contributions", "entries", "yearly" <-> Kind
std::optional<Kind> kindFromName(const QString &name);
QString kindName(Kind kind);
QString kindTitle(Kind kind); // « Journal de paie », ...

StatementDocument payrollJournal(const StatementSource &source);
StatementDocument contributionsStatement(const StatementSource &source, const BodyAssignment &bodies);
// For one month; the source should hold that month's slips.
StatementDocument accountingEntries(const StatementSource &source, const BodyAssignment &bodies);
StatementDocument yearlyRecap(const StatementSource &source);
StatementDocument make(Kind kind, const StatementSource &source, const BodyAssignment &bodies);

// The year's chart: one point per month, in centimes, changed slips left out.
struct MonthFigures
{
    int year = 0;
    int month = 0; // 1 to 12
    qint64 gross_pay = 0;
    qint64 employer_total = 0;
    qint64 net_to_pay = 0;
};
QList<MonthFigures> monthlySeries(const StatementSource &source);

// The document as the command line's --json writes it (rows, totals, lines,
// entries, employees), amounts as texts the way the pay sheet writes them.
QByteArray json(Kind kind, const StatementDocument &document);

} // namespace Statements
