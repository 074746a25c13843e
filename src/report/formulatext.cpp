#include "formulatext.h"

std::optional<FormulaText> FormulaText::parse(const QString &text)
{
    const qsizetype open = text.indexOf(QStringLiteral("='"));
    if (open <= 0 || !text.endsWith(QLatin1Char('\'')) || text.size() < open + 3)
        return std::nullopt;
    FormulaText formula;
    formula.name = text.left(open);
    formula.value = text.mid(open + 2, text.size() - open - 3);
    return formula;
}

QString FormulaText::toText() const
{
    return name + QStringLiteral("='") + value + QLatin1Char('\'');
}
