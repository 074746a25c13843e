#include "payrunperiod.h"

#include "datetext.h"

#include <QLocale>

namespace {

QString isoDay(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

} // namespace

PayRunPeriod PayRunPeriod::month(int year, int month)
{
    const QDate first(year, month, 1);
    return {first, first.addMonths(1).addDays(-1)};
}

std::variant<PayRunPeriod, QString> PayRunPeriod::read(const QString &first, const QString &last)
{
    const std::optional<QDate> start = DateText::read(first.trimmed());
    if (!start)
        return QStringLiteral("Le premier jour de la période « %1 » n’est pas une date : tapez-le "
                              "sous la forme JJ/MM/AAAA.").arg(first);
    const std::optional<QDate> end = DateText::read(last.trimmed());
    if (!end)
        return QStringLiteral("Le dernier jour de la période « %1 » n’est pas une date : tapez-le "
                              "sous la forme JJ/MM/AAAA.").arg(last);
    if (*end < *start)
        return QStringLiteral("Le dernier jour de la période (%1) précède le premier (%2).")
            .arg(dayText(*end), dayText(*start));
    return PayRunPeriod(*start, *end);
}

bool PayRunPeriod::isWholeMonth() const
{
    return isValid() && m_first.day() == 1 && m_last == m_first.addMonths(1).addDays(-1);
}

QString PayRunPeriod::key() const
{
    if (isWholeMonth())
        return m_first.toString(QStringLiteral("yyyy-MM"));
    return QStringLiteral("%1 au %2").arg(isoDay(m_first), isoDay(m_last));
}

QString PayRunPeriod::text() const
{
    return QStringLiteral("du %1 au %2").arg(dayText(m_first), dayText(m_last));
}

QString PayRunPeriod::shortText() const
{
    if (!isWholeMonth())
        return text();
    return QLocale(QLocale::French, QLocale::France).monthName(m_first.month()) + u' '
           + QString::number(m_first.year());
}

QString PayRunPeriod::dayText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}
