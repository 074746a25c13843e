#pragma once

// The demonstration's employee paid the SMIC and its bakery, typed by hand as
// the screens show them, with the delivered general parameters: the inputs
// of the formula set's tests and of the pay slip's speed measurements.

#include "employeefigures.h"
#include "employeerecordtexts.h"
#include "employerrecordtexts.h"
#include "payrollparameters.h"

namespace SmicPayInputs {

// The regime of 2001 as the employee screen shows it: line n has the
// employer rate at 2n and the employee rate at 2n + 1.
inline EmployeeFigures smicFigures()
{
    EmployeeFigures e;
    e.NOM = QStringLiteral("MOREAU");
    e.BASEHORAIRE = QStringLiteral("169,0");
    e.TAUXHORAIRE = QStringLiteral("43,72");
    e.MDLBAC1 = QStringLiteral("200,0");
    e.PP1 = QStringLiteral("120,0");
    e.RAPPLS1 = QStringLiteral("80,0");
    const char *rates[] = {"0,0", "2,9", "0,0", "5,1", "12,8", "0,75", "0,0", "0,1",
                           "1,6", "0,0", "8,2", "6,55", "3,7", "2,1", "0,0", "0,0",
                           "0,1", "0,0", "2,2", "0,0", "4,5", "3,0", "0,0", "0,0",
                           "0,1", "0,0", "0,5", "0,0", "0,15", "0,0", "0,0", "0,0",
                           "0,0", "0,0", "0,0", "0,0", "5,4", "0,0", "1,2", "0,8"};
    for (int i = 0; i < ContributionLines::RateCount; ++i)
        e.rates[i] = QString::fromLatin1(rates[i]);
    return e;
}

inline PayrollParameters deliveredParameters()
{
    PayrollParameters p;
    p.PRETRANCHEH = QStringLiteral("25,00");
    p.DEUTRANCHEH = QStringLiteral("50");
    p.HEURSUP1 = QStringLiteral("169");
    p.HEURSUP2 = QStringLiteral("200");
    p.POURCENTCSGRDS = QStringLiteral("5");
    p.POURCENTCSGROPTIOB = QStringLiteral("0,95");
    p.conge1 = QStringLiteral("20");
    p.conge2 = QStringLiteral("169");
    p.OPTIONA = true;
    return p;
}

inline EmployeeRecordTexts recordOf(const EmployeeFigures &figures)
{
    EmployeeRecordTexts r;
    r.NOM = figures.NOM;
    r.PRENOM = QStringLiteral("CÉLINE");
    r.NUMSECU = QStringLiteral("2 75 08 37 261 054 80");
    r.ADRESSE = QStringLiteral("8, ALLÉE DES PEUPLIERS");
    r.CODEPOSTAL = QStringLiteral("37100");
    r.VILLE = QStringLiteral("TOURS");
    r.POSTE = QStringLiteral("VENDEUSE");
    r.ENTRE_LE = QStringLiteral("VENDREDI 03 AVR. 1998");
    r.TAUXHORAIRE = figures.TAUXHORAIRE;
    r.BASEHORAIRE = figures.BASEHORAIRE;
    r.PP1 = figures.PP1;
    r.RAPPLS1 = figures.RAPPLS1;
    r.PAR3 = QStringLiteral("AGFF");
    return r;
}

inline EmployerRecordTexts bakery()
{
    return {QStringLiteral("SARL BOULANGERIE DES TILLEULS"), QStringLiteral("14, RUE DES TANNEURS"),
            QStringLiteral("37000"), QStringLiteral("TOURS"), QStringLiteral("02 47 61 23 45"),
            QStringLiteral("412 387 607 00002"), QStringLiteral("158C"),
            QStringLiteral("370 1 05432 1 07")};
}

} // namespace SmicPayInputs
