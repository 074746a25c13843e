#include "statementamount.h"

#include <QRegularExpression>

namespace StatementAmount {

namespace {

// The group separators a printed amount may hold: space, no-break space,
// narrow no-break space.
bool isGroupSeparator(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

// Digits in groups of three, joined the way the pay sheet's masks join them.
QString grouped(qint64 units, QChar separator)
{
    QString digits = QString::number(units);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, separator);
    return digits;
}

QString written(qint64 centimes, bool grouping)
{
    const bool negative = centimes < 0;
    const qint64 magnitude = negative ? -centimes : centimes;
    const QString units = grouping ? grouped(magnitude / 100, QChar(0x202F)) : QString::number(magnitude / 100);
    return (negative ? QStringLiteral("-") : QString()) + units + u','
           + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

std::optional<qint64> parse(const QString &text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!isGroupSeparator(c))
            compact.append(c);
    }
    static const QRegularExpression form(QStringLiteral("^(-?)(\\d+)(?:,(\\d{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(compact);
    if (!match.hasMatch() || match.captured(2).size() > 15)
        return std::nullopt;
    const qint64 units = match.captured(2).toLongLong();
    const QString decimals = match.captured(3).leftJustified(2, u'0');
    const qint64 centimes = units * 100 + decimals.toLongLong();
    return match.captured(1).isEmpty() ? centimes : -centimes;
}

QString format(qint64 centimes)
{
    return written(centimes, true);
}

QString plain(qint64 centimes)
{
    return written(centimes, false);
}

std::optional<qint64> toEuro(qint64 francCentimes, const QString &rate)
{
    // The rate as an exact decimal: "6,55957" is 655957 hundred-thousandths.
    QString compact = rate.trimmed();
    compact.removeIf(isGroupSeparator);
    static const QRegularExpression form(QStringLiteral("^(\\d{1,6})(?:,(\\d{1,5}))?$"));
    const QRegularExpressionMatch match = form.match(compact);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 scaledRate = match.captured(1).toLongLong() * 100000
                              + match.captured(2).leftJustified(5, u'0').toLongLong();
    if (scaledRate == 0)
        return std::nullopt;
    // round(centimes * 100000 / scaledRate), half away from zero.
    const bool negative = francCentimes < 0;
    const qint64 numerator = (negative ? -francCentimes : francCentimes) * 100000;
    const qint64 euros = (2 * numerator + scaledRate) / (2 * scaledRate);
    return negative ? -euros : euros;
}

} // namespace StatementAmount
