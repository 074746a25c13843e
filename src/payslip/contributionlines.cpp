#include "contributionlines.h"

#include <array>

namespace ContributionLines {

namespace {

struct Line
{
    const char *key;
    const char *rowLabel;
};

// The rates panel writes "CGS + RDS": the label is kept as the clerk sees it.
constexpr std::array<Line, Count> Lines = {{
    {"csg_rds", "CGS + RDS"},
    {"csg_deductible", "CSG Déductible"},
    {"sickness", "Assurance Maladie"},
    {"widowhood", "Assurance Veuvage"},
    {"old_age", "Assurance Vieillesse"},
    {"old_age_capped", "Assurance Vieillesse Plaf"},
    {"unemployment_a", "Assurance Chômage Tr A"},
    {"unemployment_b", "Assurance Chômage Tr B"},
    {"ags", "AGS"},
    {"work_accident", "Accident du travail"},
    {"pension_a", "Retraite Tr.A"},
    {"pension_b", "Retraite Tr.B"},
    {"housing_aid", "Aide au logement"},
    {"apprenticeship", "Apprentissage"},
    {"training", "Formation"},
    {"payroll_tax", "Taxe sur Salaire"},
    {"construction", "Construction"},
    {"param1", "Prévoyance"},
    {"param2", "Allocations Familiales"},
    {"param3", ""},
}};

} // namespace

QString key(int line)
{
    return QString::fromLatin1(Lines.at(line).key);
}

QString rowLabel(int line)
{
    return QString::fromUtf8(Lines.at(line).rowLabel);
}

} // namespace ContributionLines
