#include "calculatorengine.h"

#include "mask.h"
#include "numbertext.h"

#include <cmath>
#include <optional>

namespace {

// The decimal separator, zero and minus zero as the masks write them, so the
// display follows the program's number conventions.
QString separator()
{
    return Mask::format(0.0, QStringLiteral("."));
}

QString zero()
{
    return Mask::format(0.0, QString::fromLatin1(Mask::DecimalKey));
}

QString minusZero()
{
    return Mask::format(0.0, QStringLiteral("-0."));
}

const QString Minus = QStringLiteral("-");

} // namespace

CalculatorEngine::CalculatorEngine()
    : m_firstOperand(NumberText::write(0.0))
    , m_secondOperand(NumberText::write(0.0))
{
    load();
}

void CalculatorEngine::load()
{
    m_decimalEntered = false;
    m_operandCount = 0;
    m_lastInput = LastInput::None;
    m_pendingOperator = QStringLiteral(" ");
    m_display = zero();
}

void CalculatorEngine::clear()
{
    m_display = zero();
    m_firstOperand = NumberText::write(0.0);
    m_secondOperand = NumberText::write(0.0);
    load();
}

void CalculatorEngine::clearEntry()
{
    m_display = zero();
    m_decimalEntered = false;
    m_lastInput = LastInput::ClearEntry;
}

void CalculatorEngine::digit(int d)
{
    const QString sep = separator();
    if (m_lastInput != LastInput::Nums) {
        m_display = sep;
        m_decimalEntered = false;
    }
    const QChar figure = QChar(u'0' + char16_t(d));
    if (m_decimalEntered) {
        m_display += figure;
    } else {
        // While the integer part is typed the display keeps ending with the
        // separator.
        const qsizetype at = m_display.indexOf(sep);
        m_display = (at < 0 ? m_display : m_display.left(at)) + figure + sep;
    }
    if (m_lastInput == LastInput::Neg)
        m_display.prepend(Minus);
    m_lastInput = LastInput::Nums;
}

void CalculatorEngine::decimal()
{
    if (m_lastInput == LastInput::Neg)
        m_display = minusZero();
    else if (m_lastInput != LastInput::Nums)
        m_display = zero();
    m_decimalEntered = true;
    m_lastInput = LastInput::Nums;
}

CalculatorEngine::Outcome CalculatorEngine::applyOperator(const QString &caption)
{
    const QString entry = m_display;
    Outcome outcome = Outcome::Done;
    if (m_lastInput == LastInput::Nums)
        ++m_operandCount;

    switch (m_operandCount) {
    case 0:
        if (caption == Minus && m_lastInput != LastInput::Neg) {
            m_display.prepend(Minus);
            m_lastInput = LastInput::Neg;
        }
        break;
    case 1:
        // A lone minus sign waiting for its number is not an operand.
        if (NumberText::isNumber(m_display))
            m_firstOperand = m_display;
        if (caption == Minus && m_lastInput != LastInput::Nums
            && m_pendingOperator != QLatin1String("=")) {
            m_display = Minus;
            m_lastInput = LastInput::Neg;
        }
        break;
    default:
        // A number typed straight after a percent makes a third entry: it
        // completes the pending operation like a second one, rather than
        // leaving the calculator deaf until "C".
        outcome = complete(entry);
        break;
    }

    if (m_lastInput != LastInput::Neg) {
        m_lastInput = LastInput::Ops;
        m_pendingOperator = caption;
    }
    m_display = Mask::apply(m_display, QString::fromLatin1(Mask::Rate));
    return outcome;
}

// Two operands are there: the pending operation gives the new first operand.
CalculatorEngine::Outcome CalculatorEngine::complete(const QString &entry)
{
    m_secondOperand = entry;
    const std::optional<double> first = NumberText::read(m_firstOperand);
    const std::optional<double> second = NumberText::read(m_secondOperand);
    Outcome outcome = Outcome::Done;
    std::optional<double> result;
    if (first && second) {
        const QString &op = m_pendingOperator;
        if (op == QLatin1String("+"))
            result = *first + *second;
        else if (op == QLatin1String("-"))
            result = *first - *second;
        else if (op == QLatin1String("X") || op == QLatin1String("%"))
            result = *first * *second;
        else if (op == QLatin1String("/") && *second == 0.0)
            outcome = Outcome::DivisionByZero;
        else if (op == QLatin1String("/"))
            result = *first / *second;
        else if (op == QLatin1String("="))
            result = *second;
    }
    if (result && !std::isfinite(*result)) {
        // Too large to be written: the first operand stays as it was.
        result.reset();
        outcome = Outcome::Overflow;
    }
    if (result)
        m_firstOperand = NumberText::write(*result);
    if (const std::optional<double> shown = NumberText::read(m_firstOperand))
        m_display = NumberText::write(*shown);
    m_operandCount = 1;
    return outcome;
}

void CalculatorEngine::percent()
{
    // A lone minus sign has no hundredth; the key then does nothing.
    const std::optional<double> value = NumberText::read(m_display);
    if (!value)
        return;
    m_display = NumberText::write(*value / 100.0);
    m_lastInput = LastInput::Percent;
    m_pendingOperator = QStringLiteral("%");
    m_decimalEntered = true;
    // A second percent in a row takes a hundredth again rather than a third
    // operand the calculator has no use for.
    if (m_operandCount < 2)
        ++m_operandCount;
}
