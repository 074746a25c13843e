#pragma once

#include <string>

// A finite double as its 15-significant-digit decimal form, the form a clerk
// sees. Writing and masking round on these digits rather than on the binary
// value, so 2,345 rounds to 2,35 and 1,005 to 1,01.
class DecimalForm
{
public:
    // Value = digits[0].digits[1..14] x 10^exponent; zero has exponent 0.
    explicit DecimalForm(double value);

    bool isNegative() const { return m_negative; }

    // Multiplies by 10^shift exactly, as a percentage needs.
    void shift(int shift) { m_exponent += shift; }

    // The absolute value rounded half away from zero to `decimals` decimals:
    // the integer digits without leading zeros ("" for zero) and exactly
    // `decimals` fraction digits.
    struct Fixed
    {
        std::string integer;
        std::string fraction;
        bool isZero() const;
    };
    Fixed fixed(int decimals) const;

    // The number of decimals that shows every significant digit.
    int exactDecimals() const;

private:
    char digitAt(int power) const;

    std::string m_digits;
    int m_exponent = 0;
    bool m_negative = false;
};
