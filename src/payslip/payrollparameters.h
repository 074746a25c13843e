#pragma once

#include <QString>

// What the pay calculation reads of the general parameters, as the
// parameters screen shows them.
struct PayrollParameters
{
    QString PRETRANCHEH;        // majoration of overtime band 1, percent
    QString DEUTRANCHEH;        // majoration of overtime band 2, percent
    QString HEURSUP1;           // hours per month where band 1 starts
    QString HEURSUP2;           // hours per month where band 2 starts
    QString POURCENTCSGRDS;     // option A: percent of the gross left out of the CSG base
    QString POURCENTCSGROPTIOB; // option B: plain factor of the CSG base
    QString conge1;             // paid-leave hours earned ...
    QString conge2;             // ... per this many hours counted
    bool OPTIONA = false;
    bool OPTIONB = false;
};
