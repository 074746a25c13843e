#include "inputcheck.h"

#include "numbertext.h"

InputCheck &InputCheck::number(const QString &text, const ValueSource &source)
{
    if (m_error)
        return *this;
    if (text.isEmpty())
        refuse(source, QStringLiteral("est vide"));
    else if (!NumberText::isNumber(text))
        refuse(source, QStringLiteral("n’est pas un nombre"));
    return *this;
}

InputCheck &InputCheck::nonZero(const QString &text, const ValueSource &source)
{
    number(text, source);
    if (!m_error && *NumberText::read(text) == 0)
        refuse(source, QStringLiteral("est nul"));
    return *this;
}

InputCheck &InputCheck::typed(const QString &text, const ValueSource &source)
{
    return text.isEmpty() ? *this : number(text, source);
}

void InputCheck::refuse(const ValueSource &source, const QString &problem)
{
    m_error = CalculationError{source.value(), QStringLiteral("%1 %2. %3")
                                                   .arg(source.subject(), problem, source.remedy())};
}
