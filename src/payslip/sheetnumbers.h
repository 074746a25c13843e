#pragma once

#include <QString>

// The pay calculation's arithmetic on texts: a value is read from its text,
// a result written as its full-precision text, an amount formatted in place
// with "#,##0.00" (from then on it reads back rounded to the centime), and
// an euro twin is the amount divided by the euro rate.
//
// Every input is checked before the calculation starts, so a reading can
// only fail on a result grown beyond what a double holds: its text is empty.
// Such a result is remembered and the whole run refused; it never reads as 0.
class SheetNumbers
{
public:
    explicit SheetNumbers(double euroRate)
        : m_euroRate(euroRate)
    {
    }

    double number(const QString &text);
    QString text(double value);
    static void format(QString &amount);
    static void formatHours(QString &hours);
    // "0" in an empty field.
    static void defaultZero(QString &field);
    // The amount in euros, not yet formatted.
    QString euroTwin(const QString &francs);

    bool overflowed() const { return m_overflowed; }

private:
    double m_euroRate;
    bool m_overflowed = false;
};
