#pragma once

#include <QString>

#include <optional>

// The text of one formula entry read apart: NAME, then "='", then the value
// up to the final "'". Values are handed over without escaping, so a quote
// inside the value belongs to the value.
struct FormulaText
{
    QString name;
    QString value;

    static std::optional<FormulaText> parse(const QString &text);
    QString toText() const;
};
