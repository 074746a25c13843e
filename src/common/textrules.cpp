#include "textrules.h"

#include "frenchlocale.h"

namespace TextRules {

QString replaceApostrophes(const QString &text)
{
    QString result = text;
    result.replace(u'\'', TypographicApostrophe);
    return result;
}

QString upperCase(const QString &text)
{
    return FrenchLocale::locale().toUpper(text);
}

} // namespace TextRules
