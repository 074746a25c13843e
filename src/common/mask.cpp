#include "mask.h"

#include "datetext.h"
#include "decimalform.h"
#include "numbertext.h"
#include "textrules.h"

#include <cmath>

namespace {

const QChar GroupSeparator(0x202F);

// A numeric mask read once: literals before and after the number, the
// integer and decimal placeholders, grouping and percentage.
struct NumericMask
{
    QString prefix;
    QString suffix;
    int forcedIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
    bool decimalPoint = false;
    bool percent = false;
    bool placeholders = false;

    bool isNumeric() const { return placeholders || decimalPoint; }
    // A mask that starts with a literal minus ("-0.") already shows a sign;
    // a second one would make its own output unreadable on the next pass.
    bool showsSign() const { return prefix.contains(u'-'); }
};

enum class Section { Prefix, Integer, Decimals, Suffix };

NumericMask parse(const QString &mask)
{
    NumericMask m;
    Section section = Section::Prefix;
    for (const QChar c : mask) {
        const bool digit = c == u'0' || c == u'#';
        if (digit && (section == Section::Prefix || section == Section::Integer)) {
            section = Section::Integer;
            m.placeholders = true;
            if (c == u'0')
                ++m.forcedIntegerDigits;
        } else if (digit && section == Section::Decimals) {
            m.placeholders = true;
            ++m.maxDecimals;
            if (c == u'0')
                m.minDecimals = m.maxDecimals;
        } else if (c == u',' && section == Section::Integer) {
            m.grouping = true;
        } else if (c == u'.' && (section == Section::Prefix || section == Section::Integer)) {
            m.decimalPoint = true;
            section = Section::Decimals;
        } else {
            if (c == u'%')
                m.percent = true;
            if (section == Section::Prefix) {
                m.prefix += c;
            } else {
                m.suffix += c;
                section = Section::Suffix;
            }
        }
    }
    return m;
}

QString grouped(const std::string &digits, bool grouping)
{
    QString result;
    result.reserve(int(digits.size() * 4 / 3 + 1));
    const auto size = digits.size();
    for (std::size_t i = 0; i < size; ++i) {
        if (grouping && i > 0 && (size - i) % 3 == 0)
            result += GroupSeparator;
        result += QLatin1Char(digits[i]);
    }
    return result;
}

QString formatNumber(double value, const NumericMask &m)
{
    if (!std::isfinite(value))
        return NumberText::write(value);
    DecimalForm form(value);
    if (m.percent)
        form.shift(2);
    DecimalForm::Fixed fixed = form.fixed(m.maxDecimals);
    while (int(fixed.fraction.size()) > m.minDecimals && fixed.fraction.back() == '0')
        fixed.fraction.pop_back();
    if (int(fixed.integer.size()) < m.forcedIntegerDigits)
        fixed.integer.insert(0, m.forcedIntegerDigits - fixed.integer.size(), '0');

    QString result;
    if (form.isNegative() && !fixed.isZero() && !m.showsSign())
        result += u'-';
    result += m.prefix;
    result += grouped(fixed.integer, m.grouping);
    if (m.decimalPoint)
        result += u',';
    result += QLatin1String(fixed.fraction.data(), qsizetype(fixed.fraction.size()));
    result += m.suffix;
    return result;
}

} // namespace

namespace Mask {

QString apply(const QString &text, const QString &mask)
{
    if (mask == QLatin1String(Upper))
        return TextRules::upperCase(text);
    if (mask == QLatin1String(DateText::EntryDateMask))
        return DateText::maskEntryDate(text);
    const NumericMask numeric = parse(mask);
    if (!numeric.isNumeric())
        return text;
    const std::optional<double> value = NumberText::read(text);
    return value ? formatNumber(*value, numeric) : text;
}

QString format(double value, const QString &mask)
{
    const NumericMask numeric = parse(mask);
    if (!numeric.isNumeric())
        return apply(NumberText::write(value), mask);
    return formatNumber(value, numeric);
}

} // namespace Mask
