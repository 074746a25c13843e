#pragma once

#include <QString>

// The employer's identity as the employer screen shows it, printed at the
// head of every pay slip.
struct EmployerRecordTexts
{
    QString NomSociete; // column "NomSociété"
    QString Adresse;
    QString CodePostal;
    QString Ville;
    QString NumeroTel;  // column "NuméroTél"
    QString Siret;
    QString APE;
    QString NoURSSAF;   // column "N°URSSAF"

    bool operator==(const EmployerRecordTexts &) const = default;
};
