#include "datetext.h"

#include "frenchlocale.h"

#include <QRegularExpression>
#include <QTime>

namespace {

// Two-digit years: 00-29 are this century, 30-99 the last one.
int fullYear(const QString &digits)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDate> validDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

bool sameWord(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Month number of a French month name, abbreviated or not, with or without
// its abbreviation dot, in any case; 0 when the word is no month.
int monthNumber(QString word)
{
    const QLocale locale = FrenchLocale::locale();
    if (word.endsWith(u'.'))
        word.chop(1);
    for (int month = 1; month <= 12; ++month) {
        for (const auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
            for (QString name : {locale.monthName(month, format),
                                 locale.standaloneMonthName(month, format)}) {
                if (name.endsWith(u'.'))
                    name.chop(1);
                if (sameWord(word, name))
                    return month;
            }
        }
    }
    return 0;
}

bool isWeekdayName(QString word)
{
    const QLocale locale = FrenchLocale::locale();
    if (word.endsWith(u'.'))
        word.chop(1);
    for (int day = 1; day <= 7; ++day) {
        for (const auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
            QString name = locale.dayName(day, format);
            if (name.endsWith(u'.'))
                name.chop(1);
            if (sameWord(word, name))
                return true;
        }
    }
    return false;
}

std::optional<QDate> readTyped(const QString &text)
{
    // Day, month and year with one separator, the same twice.
    static const QRegularExpression typed(
        QStringLiteral(R"(^(\d{1,2})([/.\- ])(\d{1,2})\2(\d{2}|\d{4})$)"));
    const QRegularExpressionMatch match = typed.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return validDate(fullYear(match.captured(4)), match.captured(3).toInt(),
                     match.captured(1).toInt());
}

std::optional<QDate> readMasked(const QString &text)
{
    // « lundi 15 janv. 2001 »; the weekday is optional and not checked
    // against the date, since the day, month and year say it all.
    static const QRegularExpression masked(
        QStringLiteral(R"(^(?:(\w+\.?)\s+)?(\d{1,2})\s+(\w+\.?)\s+(\d{2}|\d{4})$)"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = masked.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    if (match.hasCaptured(1) && !isWeekdayName(match.captured(1)))
        return std::nullopt;
    const int month = monthNumber(match.captured(3));
    if (month == 0)
        return std::nullopt;
    return validDate(fullYear(match.captured(4)), month, match.captured(2).toInt());
}

} // namespace

namespace DateText {

std::optional<QDate> read(const QString &text)
{
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (auto date = readTyped(trimmed))
        return date;
    return readMasked(trimmed);
}

QString formatEntryDate(const QDate &date)
{
    return FrenchLocale::locale().toString(date, QStringLiteral("dddd dd MMM yyyy"));
}

QString maskEntryDate(const QString &text)
{
    const std::optional<QDate> date = read(text);
    return date ? formatEntryDate(*date) : text;
}

QString longDate(const QDate &date)
{
    return FrenchLocale::locale().toString(date, QStringLiteral("dddd d MMMM yyyy"));
}

QString longTime(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace DateText
