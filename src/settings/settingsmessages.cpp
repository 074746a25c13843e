#include "settingsmessages.h"

#include "storeerror.h"

namespace SettingsMessages {

namespace {

QString reason(const StoreError &error)
{
    return error.message().isEmpty()
               ? QStringLiteral("Le fichier n’a pas pu être ouvert.")
               : error.message();
}

} // namespace

QString refusedWrite(const QString &described, const QString &what, const StoreError &error)
{
    return described + u'\n' + what + u' ' + reason(error);
}

QString refusedEuroRate(const QString &rate, const StoreError &error)
{
    if (rate.trimmed().isEmpty())
        return QStringLiteral("TAPER LE TAUX DE L'EURO") + u'\n' + reason(error);
    return QStringLiteral("Le taux de l’euro « %1 » n’a pas été enregistré.").arg(rate) + u'\n'
           + reason(error);
}

} // namespace SettingsMessages
