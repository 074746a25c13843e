#include "currencyconversion.h"

#include "mask.h"
#include "numbertext.h"

#include <cmath>
#include <optional>

namespace CurrencyConversion {

QString word(Direction direction)
{
    return direction == Direction::Franc ? QStringLiteral("franc") : QStringLiteral("euro");
}

QString result(const QString &amount, const QString &rate, Direction direction)
{
    const QString zero = Mask::format(0.0, QString::fromLatin1(Mask::Amount));
    if (rate.isEmpty())
        return zero;
    const std::optional<double> rateValue = NumberText::read(rate);
    if (!rateValue)
        return QStringLiteral("Taux non numérique");
    if (*rateValue == 0.0)
        return zero;

    const std::optional<double> amountValue =
        amount.isEmpty() ? std::optional<double>(0.0) : NumberText::read(amount);
    if (!amountValue)
        return QStringLiteral("Montant non numérique");

    const double value = direction == Direction::Franc ? *amountValue * *rateValue
                                                       : *amountValue / *rateValue;
    if (!std::isfinite(value))
        return QStringLiteral("Montant trop grand");
    return Mask::format(value, QString::fromLatin1(Mask::Amount));
}

} // namespace CurrencyConversion
