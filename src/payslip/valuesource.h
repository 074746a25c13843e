#pragma once

#include <QString>

// Where a value the pay calculation reads comes from, in the clerk's words:
// the subject of a sentence (« Le taux horaire de l’employé ») and the
// sentence telling where to correct it. Refusals are built from these, so
// every message names the value and its screen the same way. A source costs
// nothing until a refusal asks for its words.
class ValueSource
{
public:
    // BASEHORAIRE, TAUXHORAIRE, PP1, RAPPLS1 of the employee screen.
    static ValueSource employeeBase(const char *field) { return {Kind::EmployeeBase, field}; }
    // One of the employee's forty rates, by its index in the rate fields.
    static ValueSource employeeRate(int index) { return {Kind::EmployeeRate, nullptr, index}; }
    // A text parameter of the general parameters screen, by column name.
    static ValueSource parameter(const char *column) { return {Kind::Parameter, column}; }
    static ValueSource euroRate() { return {Kind::EuroRate, nullptr}; }
    // A value typed on the preparation screen, by its pay sheet name.
    static ValueSource typed(const char *name) { return {Kind::Typed, name}; }
    // A value the preparation set when it opened.
    static ValueSource opening(const char *name) { return {Kind::Opening, name}; }

    QString value() const;   // the field or parameter name
    QString subject() const; // « Le paramètre « ... » (HEURSUP1) »
    QString remedy() const;  // « Corrigez-le dans ... »

private:
    enum class Kind { EmployeeBase, EmployeeRate, Parameter, EuroRate, Typed, Opening };

    ValueSource(Kind kind, const char *name, int index = -1)
        : m_kind(kind)
        , m_name(name)
        , m_index(index)
    {
    }

    Kind m_kind;
    const char *m_name;
    int m_index;
};
