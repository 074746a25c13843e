#include "statementperiod.h"

#include "frenchlocale.h"

#include <QRegularExpression>

namespace {

QDate lastDayOf(const QDate &firstDay)
{
    return firstDay.addMonths(1).addDays(-1);
}

QString monthName(const QDate &date)
{
    return FrenchLocale::locale().standaloneMonthName(date.month(), QLocale::LongFormat).toLower();
}

// « de janvier », « d’avril »
QString from(const QString &month)
{
    static const QString vowels = QStringLiteral("aeiouy");
    return vowels.contains(month.left(1)) ? QStringLiteral("d\u2019") + month : QStringLiteral("de ") + month;
}

} // namespace

StatementPeriod StatementPeriod::months(int fromMonth, int fromYear, int toMonth, int toYear)
{
    const QDate first(fromYear, fromMonth, 1);
    const QDate lastFirst(toYear, toMonth, 1);
    return {first, lastFirst.isValid() ? lastDayOf(lastFirst) : QDate()};
}

StatementPeriod StatementPeriod::month(int month, int year)
{
    return months(month, year, month, year);
}

StatementPeriod StatementPeriod::quarter(int quarter, int year)
{
    if (quarter < 1 || quarter > 4)
        return {};
    return months(3 * quarter - 2, year, 3 * quarter, year);
}

StatementPeriod StatementPeriod::year(int year)
{
    return months(1, year, 12, year);
}

QDate StatementPeriod::parseMonth(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})/(\\d{4})\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(2).toInt(), match.captured(1).toInt(), 1);
}

std::variant<StatementPeriod, QString> StatementPeriod::fromOptions(const QString &from, const QString &to,
                                                                    const QString &year)
{
    if (!year.isEmpty()) {
        if (!from.isEmpty() || !to.isEmpty())
            return QStringLiteral("Indiquez soit --year, soit --from et --to, pas les deux.");
        static const QRegularExpression form(QStringLiteral("^\\s*(\\d{4})\\s*$"));
        const QRegularExpressionMatch match = form.match(year);
        if (!match.hasMatch() || match.captured(1).toInt() < 1900)
            return QStringLiteral("« %1 » n’est pas une année : écrivez-la sur quatre chiffres, "
                                  "par exemple --year 2001.")
                .arg(year);
        return StatementPeriod::year(match.captured(1).toInt());
    }
    if (from.isEmpty())
        return QStringLiteral("Indiquez la période : --from MM/AAAA --to MM/AAAA, ou --year AAAA.");
    const QDate first = parseMonth(from);
    if (!first.isValid())
        return QStringLiteral("« %1 » n’est pas un mois : écrivez-le MM/AAAA, par exemple 01/2001.").arg(from);
    const QDate lastFirst = to.isEmpty() ? first : parseMonth(to);
    if (!lastFirst.isValid())
        return QStringLiteral("« %1 » n’est pas un mois : écrivez-le MM/AAAA, par exemple 03/2001.").arg(to);
    if (lastFirst < first)
        return QStringLiteral("Le mois de fin (%1) précède le mois de début (%2).").arg(to, from);
    return StatementPeriod{first, lastDayOf(lastFirst)};
}

bool StatementPeriod::coversSeveralMonths() const
{
    return isValid() && (first.year() != last.year() || first.month() != last.month());
}

QString StatementPeriod::text() const
{
    if (!isValid())
        return QString();
    if (!coversSeveralMonths())
        return QStringLiteral("%1 %2").arg(monthName(first)).arg(first.year());
    if (first.year() == last.year()) {
        if (first.month() == 1 && last.month() == 12)
            return QStringLiteral("année %1").arg(first.year());
        return QStringLiteral("%1 à %2 %3").arg(from(monthName(first)), monthName(last)).arg(last.year());
    }
    return QStringLiteral("%1 %2 à %3 %4")
        .arg(from(monthName(first)))
        .arg(first.year())
        .arg(monthName(last))
        .arg(last.year());
}
