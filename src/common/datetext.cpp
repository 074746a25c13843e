#include "datetext.h"

#include "frenchlocale.h"

#include <QRegularExpression>

#include <algorithm>
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

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The run of ASCII digits starting at `at`: its value and length.
struct DigitRun
{
    int value = 0;
    int length = 0;
};

DigitRun digitsAt(const QString &text, qsizetype at)
{
    DigitRun run;
    while (at + run.length < text.size() && run.length < 5 && isAsciiDigit(text.at(at + run.length))) {
        run.value = run.value * 10 + (text.at(at + run.length).unicode() - u'0');
        ++run.length;
    }
    return run;
}

bool isDateSeparator(QChar c)
{
    return c == u'/' || c == u'.' || c == u'-' || c == u' ';
}

// Day, month and year with one separator, the same twice: "15/01/2001",
// "15-1-01". Read by hand: the pay calculation reads two period dates on
// every run and a regular expression would cost more than the rest of it.
std::optional<QDate> readTyped(const QString &text)
{
    const DigitRun day = digitsAt(text, 0);
    if (day.length < 1 || day.length > 2 || day.length >= text.size())
        return std::nullopt;
    const QChar separator = text.at(day.length);
    if (!isDateSeparator(separator))
        return std::nullopt;
    const qsizetype monthAt = day.length + 1;
    const DigitRun month = digitsAt(text, monthAt);
    const qsizetype secondSeparatorAt = monthAt + month.length;
    if (month.length < 1 || month.length > 2 || secondSeparatorAt >= text.size()
        || text.at(secondSeparatorAt) != separator)
        return std::nullopt;
    const qsizetype yearAt = secondSeparatorAt + 1;
    const DigitRun year = digitsAt(text, yearAt);
    if ((year.length != 2 && year.length != 4) || yearAt + year.length != text.size())
        return std::nullopt;
    return validDate(fullYear(text.mid(yearAt, year.length)), month.value, day.value);
}

bool hasLetter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); });
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
    // The masked form always names its month.
    if (!hasLetter(trimmed))
        return std::nullopt;
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
