#pragma once

#include <QString>

// The three figures a month's pay slip takes from the employee's previous
// one, as printed on it, and where they come from in the clerk's words.
// When two saved slips of the employee overlap, nothing is carried: the
// conflict is said instead, for the clerk to settle.
struct CarriedOver
{
    bool found = false;
    QString leaveBalance;
    QString cumulativeTaxable;
    QString cumulativeGross;
    QString source;   // « « 2001-02 MOREAU CÉLINE.rpt » (du 01/02/2001 au 28/02/2001) »
    QString conflict; // empty unless the previous slip cannot be trusted
    QString label;    // a few words for the grid: « février 2001 », « aucune fiche »
};
