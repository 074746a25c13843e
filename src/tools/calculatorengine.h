#pragma once

#include <QString>
#include <QtGlobal>

// The desk calculator's state machine, without any window: the display text
// and the few values the keys work on. Operands are held as the display texts
// they were taken from and read back as numbers only through the program's
// number rules, so what is computed is exactly what was shown.
class CalculatorEngine
{
public:
    // Kind of the last input.
    enum class LastInput {
        None,       // "NONE": nothing typed since the calculator was cleared
        Nums,       // "NUMS": a digit or the decimal key
        Neg,        // "NEG": a minus sign waiting for its number
        Ops,        // "OPS": an operator button
        Percent,    // "Ops": the percent key
        ClearEntry, // "CE": the entry was cleared
    };

    // What an operator reports to the window that shows it.
    enum class Outcome { Done, DivisionByZero, Overflow };

    CalculatorEngine();

    // "C": back to zero, operands and pending operation forgotten.
    void clear();
    // "E": the entry being typed goes back to zero; the pending operation stays.
    void clearEntry();
    void digit(int d);
    // ".": starts the decimals of the entry.
    void decimal();
    // An operator button: "/", "+", "X", "-" or "=".
    Outcome applyOperator(const QString &caption);
    // "%": the entry becomes a hundredth of itself, completed by the next operator.
    void percent();

    QString display() const { return m_display; }

    QString firstOperand() const { return m_firstOperand; }
    QString secondOperand() const { return m_secondOperand; }
    bool decimalEntered() const { return m_decimalEntered; }
    qint16 operandCount() const { return m_operandCount; }
    LastInput lastInput() const { return m_lastInput; }
    QString pendingOperator() const { return m_pendingOperator; }

private:
    void load();
    Outcome complete(const QString &entry);

    QString m_display;
    QString m_firstOperand;
    QString m_secondOperand;
    bool m_decimalEntered = false;
    qint16 m_operandCount = 0;
    LastInput m_lastInput = LastInput::None;
    QString m_pendingOperator;
};
