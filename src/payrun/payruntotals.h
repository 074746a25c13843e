#pragma once

#include <QString>

// The totals row of the month's pay run: the sums of the computed rows,
// added up in centimes from the amounts as the slips print them, so the
// total is exactly the sum of the figures shown above it.
struct PayRunTotals
{
    int computed = 0;
    int refused = 0;
    QString grossPay;
    QString employeeTotal;
    QString employerTotal;
    QString netToPay;
};
