#include "payrunfigures.h"

namespace PayRunFigures {

const std::array<Definition, Count> &definitions()
{
    static const std::array<Definition, Count> figures = {{
        {"previous-leave-balance", "Congés\ndûs (h)", &PaySheet::previous_leave_balance},
        {"previous-cumulative-taxable", "Dernier\ncumul\nimposable", &PaySheet::previous_cumulative_taxable},
        {"previous-cumulative-gross", "Dernier\ncumul brut", &PaySheet::previous_cumulative_gross},
        {"absence-hours", "Heures\nabsences", &PaySheet::absence_hours},
        {"complementary-hours", "Heures\ncompl.", &PaySheet::complementary_hours},
        {"leave-hours", "Congés\npris (h)", &PaySheet::leave_hours_taken},
        {"commission-rate", "% comm.", &PaySheet::commission_rate},
        {"commission-base", "Chiffre\nd’affaires", &PaySheet::commission_base},
        {"advance", "Acompte", &PaySheet::advance},
        {"bonus", "Prime", &PaySheet::bonus},
    }};
    return figures;
}

QString name(int figure)
{
    return QString::fromLatin1(definitions().at(figure).name);
}

QString caption(int figure)
{
    return QString::fromUtf8(definitions().at(figure).caption);
}

std::optional<int> byName(const QString &name)
{
    for (int figure = 0; figure < Count; ++figure) {
        if (name == QLatin1String(definitions().at(figure).name))
            return figure;
    }
    return std::nullopt;
}

bool isFieldText(const QString &text)
{
    bool comma = false;
    for (const QChar c : text) {
        if (c == u',' && !comma)
            comma = true;
        else if (!c.isDigit() || c.unicode() > 0x7f)
            return false;
    }
    return true;
}

} // namespace PayRunFigures
