#pragma once

#include <QDate>
#include <QString>

// One saved pay slip as the history lists it: its file, its employee, its
// period and the three figures the next slip copies from it, as printed.
// A slip whose period cannot be read as two dates has no period (both dates
// invalid): it is listed, but placed before or after no other slip.
struct SlipSummary
{
    QString fileName; // in the working folder
    QString identification;
    QDate periodStart;
    QDate periodEnd;
    // The file no longer matches the checksum recorded when it was saved:
    // it was changed outside the program, and is not trusted.
    bool changed = false;
    QString leave_balance;
    QString cumulative_taxable;
    QString cumulative_gross;

    bool operator==(const SlipSummary &) const = default;

    bool hasPeriod() const { return periodStart.isValid() && periodEnd.isValid(); }
    // Two dated slips whose periods share at least one day.
    bool overlaps(const SlipSummary &other) const;
    bool overlaps(const QDate &start, const QDate &end) const;
    // « du 01/03/2001 au 31/03/2001 », or « sans période lisible ».
    QString periodText() const;
    // « mars-2001 MOREAU.rpt » (du 01/03/2001 au 31/03/2001)
    QString description() const;
};
