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
