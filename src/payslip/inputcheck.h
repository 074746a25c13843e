#pragma once

#include "calculationerror.h"
#include "valuesource.h"

#include <optional>

// The pay calculation checks everything it will read before it changes a
// single result. The checks are chained in reading order and the first
// refusal is kept, so the clerk is told about the first value to correct.
class InputCheck
{
public:
    // The text must be a number.
    InputCheck &number(const QString &text, const ValueSource &source);
    // The text must be a number other than zero (a divisor).
    InputCheck &nonZero(const QString &text, const ValueSource &source);
    // A typed field: empty is fine (it becomes "0"), anything else must be a number.
    InputCheck &typed(const QString &text, const ValueSource &source);

    bool failed() const { return m_error.has_value(); }
    const std::optional<CalculationError> &error() const { return m_error; }

private:
    void refuse(const ValueSource &source, const QString &problem);

    std::optional<CalculationError> m_error;
};
