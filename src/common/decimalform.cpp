#include "decimalform.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {
constexpr int SignificantDigits = 15;
}

DecimalForm::DecimalForm(double value)
{
    m_negative = std::signbit(value);
    // "d.ddddddddddddddde+XX": to_chars ignores the C locale, unlike printf.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, SignificantDigits - 1);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    m_digits.reserve(SignificantDigits);
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            m_digits.push_back(text[i]);
    }
    m_exponent = std::atoi(text.c_str() + e + 1);
    if (m_digits.find_first_not_of('0') == std::string::npos)
        m_exponent = 0;
}

char DecimalForm::digitAt(int power) const
{
    const int index = m_exponent - power;
    return index >= 0 && index < int(m_digits.size()) ? m_digits[index] : '0';
}

DecimalForm::Fixed DecimalForm::fixed(int decimals) const
{
    decimals = std::max(decimals, 0);
    const int top = std::max(m_exponent, 0);
    std::string all;
    all.reserve(top + 2 + decimals);
    for (int power = top; power >= -decimals; --power)
        all.push_back(digitAt(power));

    if (digitAt(-decimals - 1) >= '5') {
        int i = int(all.size()) - 1;
        while (i >= 0 && all[i] == '9')
            all[i--] = '0';
        if (i >= 0)
            ++all[i];
        else
            all.insert(all.begin(), '1');
    }

    Fixed result;
    const auto integerLength = all.size() - decimals;
    result.fraction = all.substr(integerLength);
    const auto firstSignificant = all.find_first_not_of('0');
    if (firstSignificant < integerLength)
        result.integer = all.substr(firstSignificant, integerLength - firstSignificant);
    return result;
}

int DecimalForm::exactDecimals() const
{
    return std::max(0, SignificantDigits - 1 - m_exponent);
}

bool DecimalForm::Fixed::isZero() const
{
    return integer.find_first_not_of('0') == std::string::npos
        && fraction.find_first_not_of('0') == std::string::npos;
}
