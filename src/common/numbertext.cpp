#include "numbertext.h"

#include "decimalform.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isGroupSeparator(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The text as the plain "C" form from_chars reads ("-1234.5"), or empty when
// it is not a French number. Done by hand: this runs for every value of every
// record and of every pay calculation.
std::string plainForm(QStringView text)
{
    std::string plain;
    plain.reserve(text.size() + 1);
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            plain.push_back('-');
        ++i;
    }
    bool digits = false;
    bool comma = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isAsciiDigit(c)) {
            plain.push_back(char(c.unicode()));
            digits = true;
        } else if (c == u',' && !comma) {
            plain.push_back('.');
            comma = true;
        } else if (isGroupSeparator(c) && !comma && i > 0 && isAsciiDigit(text[i - 1])
                   && i + 1 < text.size() && isAsciiDigit(text[i + 1])) {
            continue;
        } else {
            return {};
        }
    }
    return digits ? plain : std::string();
}

} // namespace

namespace NumberText {

std::optional<double> read(const QString &text)
{
    const std::string plain = plainForm(QStringView(text).trimmed());
    if (plain.empty())
        return std::nullopt;
    double value = 0;
    const char *end = plain.data() + plain.size();
    const auto result = std::from_chars(plain.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

bool isNumber(const QString &text)
{
    return read(text).has_value();
}

QString write(double value)
{
    // Infinity and NaN have no text a clerk could read; an empty text keeps
    // them from ever passing for a number.
    if (!std::isfinite(value))
        return QString();
    const DecimalForm form(value);
    DecimalForm::Fixed fixed = form.fixed(form.exactDecimals());
    const auto lastDigit = fixed.fraction.find_last_not_of('0');
    fixed.fraction.resize(lastDigit == std::string::npos ? 0 : lastDigit + 1);

    std::string result;
    if (form.isNegative() && !fixed.isZero())
        result.push_back('-');
    result += fixed.integer.empty() ? std::string("0") : fixed.integer;
    if (!fixed.fraction.empty())
        result += ',' + fixed.fraction;
    return QString::fromLatin1(result);
}

QString typed(const QString &printed)
{
    const QString trimmed = printed.trimmed();
    if (!isNumber(trimmed))
        return QString();
    QString digits;
    digits.reserve(trimmed.size());
    for (const QChar c : trimmed)
        if (!isGroupSeparator(c))
            digits += c;
    return digits;
}

} // namespace NumberText
