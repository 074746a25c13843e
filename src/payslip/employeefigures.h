#pragma once

#include "contributionlines.h"

#include <QString>
#include <array>

// What the pay calculation reads of the employee current on the employee
// screen, as the screen shows it: texts, not yet known to be numbers.
struct EmployeeFigures
{
    QString NOM;
    QString BASEHORAIRE;
    QString TAUXHORAIRE;
    QString MDLBAC1;
    QString PP1;
    QString RAPPLS1;
    // The forty rate fields in the order of the store's rate columns.
    std::array<QString, ContributionLines::RateCount> rates;

    bool operator==(const EmployeeFigures &) const = default;
};
