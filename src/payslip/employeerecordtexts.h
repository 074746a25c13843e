#pragma once

#include <QString>

// What the pay slip prints of the employee current on the employee screen,
// as the screen shows it: identity, hourly figures, mutual insurance and the
// free label of the last contribution line. Texts only; the pay slip hands
// them over as they stand.
struct EmployeeRecordTexts
{
    QString NOM;
    QString PRENOM;
    QString NUMSECU;
    QString ADRESSE;
    QString CODEPOSTAL;
    QString VILLE;
    QString POSTE;
    QString ENTRE_LE; // column "Entré le"
    QString TAUXHORAIRE;
    QString BASEHORAIRE;
    QString PP1;
    QString RAPPLS1;
    QString PAR3;

    bool operator==(const EmployeeRecordTexts &) const = default;
};
