#include "payslipfilename.h"

#include <QDir>

namespace PayslipFileName {

namespace {

// Refused by one file system or another; the archive may be copied to a
// machine that refuses what this one accepts.
const QString ForbiddenCharacters = QStringLiteral(":*?\"<>|");

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control;
}

} // namespace

QString refusal(const QString &name)
{
    if (name.isEmpty())
        return QString();
    if (name.trimmed().isEmpty())
        return QStringLiteral("Le nom de la fiche de paie ne contient que des espaces : tapez un nom.");
    if (name.contains(u'/') || name.contains(u'\\'))
        return QStringLiteral("Le nom « %1 » contient une barre oblique (/ ou \\) : une fiche de paie "
                              "s'enregistre dans le dossier de travail, tapez un nom sans dossier.")
            .arg(name);
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Le nom « %1 » désigne un dossier : tapez un autre nom pour la fiche de "
                              "paie.").arg(name);
    // A name beginning with a dot makes a hidden file, which no list shows.
    if (name.startsWith(u'.'))
        return QStringLiteral("Le nom « %1 » commence par un point : la fiche de paie serait un fichier "
                              "caché, absent de la liste des fiches de paie. Tapez un nom qui ne commence "
                              "pas par un point.").arg(name);
    for (const QChar c : name) {
        if (isControl(c))
            return QStringLiteral("Le nom de la fiche de paie contient un caractère de contrôle "
                                  "(tabulation ou autre caractère invisible) : retapez-le.");
        if (ForbiddenCharacters.contains(c))
            return QStringLiteral("Le nom « %1 » contient le caractère « %2 », refusé dans un nom de "
                                  "fichier. Les caractères / \\ : * ? \" < > | ne sont pas admis.")
                .arg(name, c);
    }
    return QString();
}

QString fileName(const QString &name)
{
    return name + QLatin1String(Extension);
}

QStringList savedPayslips(const QDir &directory)
{
    return directory.entryList({QLatin1String(Pattern)}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

} // namespace PayslipFileName
