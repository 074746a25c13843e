#include "contributionlines.h"

#include <array>

namespace ContributionLines {

namespace {

struct Line
{
    const char *key;
    const char *rowLabel;
    const char *rowCaption;
    const char *employerColumn;
    const char *employeeColumn;
};

// The rates panel writes "CGS + RDS" and spaces its dot leaders unevenly:
// the texts are kept as the clerk sees them. The column names are irregular
// too (a blank here, a letter there) and belong to the file: earlier files
// carry them exactly so.
constexpr std::array<Line, Count> Lines = {{
    {"csg_rds", "CGS + RDS",
     "CGS + RDS........................................%     ......................%",
     "CSGRDS/PATR", "CSGRDS/SAL"},
    {"csg_deductible", "CSG Déductible",
     "CSG Déductible..................................%     .....................%",
     "CSG déductible/PATR", "CSGdéductible/SAL"},
    {"sickness", "Assurance Maladie",
     "Assurance Maladie.............................%     ......................%",
     "Assurance Maladie/PATR", "Assurance Maladie/SAL"},
    {"widowhood", "Assurance Veuvage",
     "Assurance Veuvage...........................%     ......................%",
     "Assurance Veuv/PATR", "Assurance Veuv/SAL"},
    {"old_age", "Assurance Vieillesse",
     "Assurance Vieillesse...........................%     ......................%",
     "Assurance Viei/PATR", "Assurance Vieil/SAL"},
    {"old_age_capped", "Assurance Vieillesse Plaf",
     "Assurance Vieillesse Plaf....................%     ......................%",
     "AssuranceViel Plaf/PATR", "AssuranceViel Plaf/SAL"},
    {"unemployment_a", "Assurance Chômage Tr A",
     "Assurance Chômage Tr A....................%     ......................%",
     "ASSEDIC TrA/PATR", "ASSEDIC TrA/SAL"},
    {"unemployment_b", "Assurance Chômage Tr B",
     "Assurance Chômage Tr B....................%     ......................%",
     "ASSEDIC TrB/PATR", "ASSEDIC TrB/SAL"},
    {"ags", "AGS",
     "AGS....................................................%     .....................%",
     "AGS/PATR", "AGS/SAL"},
    {"work_accident", "Accident du travail",
     "Accident du travail..............................%     .....................%",
     "Accident Trav/PATR", "Accident Trav/SAL"},
    {"pension_a", "Retraite Tr.A",
     "Retraite Tr.A ...................................%     ......................%",
     "Retraite TrA/PATR", "Retraite TrA/SAL"},
    {"pension_b", "Retraite Tr.B",
     "Retraite Tr.B....................................%      .....................%",
     "Retraite TrB/PATR", "Retraite TrB/SAL"},
    {"housing_aid", "Aide au logement",
     "Aide au logement ............................%     .....................%",
     "Aide Logement/PATR", "Aide Logement/SAL"},
    {"apprenticeship", "Apprentissage",
     "Apprentissage..................................%     .....................%",
     "Apprentissage/PATR", "Apprentissage/SAL"},
    {"training", "Formation",
     "Formation.........................................%     ......................%",
     "Formation/PATR", "Formation/SAL"},
    {"payroll_tax", "Taxe sur Salaire",
     "Taxe sur Salaire...............................%     ......................%",
     "TaxeSalaire/PATR", "TaxeSalaire/SAL"},
    {"construction", "Construction",
     "Construction.....................................%     .....................%",
     "Construction/PATR", "Construction/SAL"},
    {"param1", "Prévoyance",
     "Prévoyance.....................................%     ......................%",
     "TAUPAR1/PATR", "TAUPAR1/SAL"},
    {"param2", "Allocations Familiales",
     "Allocations Familiales.......................%     ......................%",
     "TAUPAR2/PATR", "TAUPAR2/SAL"},
    {"param3", "", "", "TAUPAR3/PATR", "TAUPAR3/SAL"},
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

QString rowCaption(int line)
{
    return QString::fromUtf8(Lines.at(line).rowCaption);
}

QString rateColumn(int rateIndex)
{
    const Line &line = Lines.at(rateIndex / 2);
    return QString::fromUtf8(rateIndex % 2 == 0 ? line.employerColumn : line.employeeColumn);
}

} // namespace ContributionLines
