#include "sheetnumbers.h"

#include "mask.h"
#include "numbertext.h"

#include <cmath>
#include <limits>

double SheetNumbers::number(const QString &text)
{
    const std::optional<double> value = NumberText::read(text);
    if (value)
        return *value;
    m_overflowed = true;
    return std::numeric_limits<double>::quiet_NaN();
}

QString SheetNumbers::text(double value)
{
    if (!std::isfinite(value))
        m_overflowed = true;
    return NumberText::write(value);
}

void SheetNumbers::format(QString &amount)
{
    static const QString mask = QString::fromLatin1(Mask::Amount);
    amount = Mask::apply(amount, mask);
}

void SheetNumbers::formatHours(QString &hours)
{
    static const QString mask = QString::fromLatin1(Mask::Hours);
    hours = Mask::apply(hours, mask);
}

void SheetNumbers::defaultZero(QString &field)
{
    if (field.isEmpty())
        field = QStringLiteral("0");
}

QString SheetNumbers::euroTwin(const QString &francs)
{
    return text(number(francs) / m_euroRate);
}
