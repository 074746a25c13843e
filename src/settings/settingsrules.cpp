#include "settingsrules.h"

#include "mask.h"
#include "numbertext.h"

namespace SettingsRules {

ParameterEntry validatedParameters(ParameterEntry entry)
{
    if (!entry.optionA && !entry.optionB)
        entry.optionA = true;

    QString &band1 = entry.texts["PRETRANCHEH"];
    if (band1.isEmpty())
        band1 = "0";
    band1 = Mask::apply(band1, Mask::Amount);

    for (const char *column : {"PLAFONTRAADEBUT", "PRETRANCHEH", "DEUTRANCHEH",
                               "POURCENTCSGROPTIOB", "POURCENTCSGRDS"}) {
        QString &text = entry.texts[column];
        if (text.isEmpty())
            text = "0";
    }
    return entry;
}

QString firstNonNumberThreshold(const ParameterEntry &entry)
{
    for (const QString &column : {QStringLiteral("HEURSUP1"), QStringLiteral("HEURSUP2")}) {
        const QString text = entry.texts.value(column);
        if (!text.isEmpty() && !NumberText::isNumber(text))
            return column;
    }
    return {};
}

QString thresholdNotANumber(const QString &column, const QString &text)
{
    const bool first = column == QLatin1String("HEURSUP1");
    // The words around the field on the "Taux heures sup" tab.
    const QString words = first ? QStringLiteral("« au delà de la »") : QStringLiteral("« Jusqu'à la »");
    const QString example = first ? QStringLiteral("169") : QStringLiteral("200");
    return QStringLiteral("Le seuil des heures supplémentaires ") + words + QStringLiteral(" (") + column
           + QStringLiteral(") n’est pas un nombre : « ") + text
           + QStringLiteral(" ». Tapez un nombre d’heures par mois, par exemple ") + example
           + QStringLiteral(" ; rien n’a été enregistré.");
}

QString validatedEuroRate(const QString &text)
{
    const std::optional<double> rate = NumberText::read(text);
    if (rate && *rate < 1)
        return "1";
    return text;
}

QStringList employerColumns()
{
    return {"NomSociété", "Adresse", "CodePostal", "Ville", "NuméroTél", "NumTélécopie",
            "Siret", "APE", "N°URSSAF", "Directeur du perssonel", "Type de societe"};
}

} // namespace SettingsRules
