#pragma once

#include "contributionlines.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

// What the employee screen does to the texts of an employee record, without
// any widget: the normalisation of the identity fields, the key, the checks
// and masks of the rates and of the hourly base, the remaining mutual share,
// the duplicate-name check and the search over the identity values.
namespace EmployeeRules {

inline constexpr int IdentityCount = 9; // NUMSECU .. Entré le, screen order
inline constexpr int RateCount = ContributionLines::RateCount;
inline constexpr int BaseCount = 4;

enum Identity { Ssn = 0, Surname = 1, FirstName = 2, EntryDate = 8 };

// The SALARIE columns of the identity fields, in screen order.
QStringList identityColumns();
// The SALARIE columns of the base fields: BASEHORAIRE, TAUXHORAIRE, MDLBAC1, PP1.
QStringList baseColumns();

// --- identity ---------------------------------------------------------------
QString noSsn(const QString &text);       // "" -> "<Rien>"
QString blankFill(const QString &text);   // "" -> " "
QString upperCase(const QString &text);   // the mask ">"
// True when upper-casing would change nothing (no lower-case letter).
bool isUpperCase(const QString &text);
QString apostrophes(const QString &text); // ' -> ’ (same length)
QString dateMask(const QString &text);    // « lundi 15 janv. 2001 » when a date

// The identity texts as "Valider" stores them: the date masked, "<Rien>" for
// no social security number, a blank for any other empty field, upper case.
QStringList savedIdentity(const QStringList &identity);

// IDENTIFICATION: « NOM , PRENOM ».
QString key(const QString &surname, const QString &firstName);

// --- rates and base ---------------------------------------------------------
// What browsing does to a rate: empty becomes « 0 », then the rate mask.
QString browsedRate(const QString &text);

// The rate checks: empty becomes "0,00", above 100 becomes "100,00"
// (`lowered` says so, for the advice), then the rate mask. A text that is
// not a number is left as it stands.
struct RateCheck
{
    QString text;
    bool lowered = false;
};
RateCheck checkRate(const QString &text);

// The base checks: empty becomes « 0 », then the mask "#,##0.0#".
QString baseForm(const QString &text);

// MDLBAC1 minus PP1 (an empty text counts as 0), with the mask
// "#,##0.0###"; nothing when either text is not a number.
std::optional<QString> remainingShare(const QString &amount, const QString &employerShare);

// The name of contribution line `rateIndex / 2` as its row shows it; the
// twentieth line is named by PAR3.
QString rateLineName(int rateIndex, const QString &par3);

// The refusal of "Valider" for a rate or a base field that is not a number.
QString rateNotANumber(int rateIndex, const QString &par3);
QString baseNotANumber(int baseIndex);

// Index of the first text that is not a number, -1 when all are.
int firstNonNumber(const QStringList &texts);

// --- duplicates and search -------------------------------------------------
struct NamePair
{
    QString surname;
    QString firstName;
};

// The first position k, other than `skip`, whose names in upper case equal
// the given ones (already in upper case); -1 when none.
int findNames(const QVector<NamePair> &pairs, const QString &surname, const QString &firstName,
              int skip = -1);

// The ten values a search compares, in order: Entré le, POSTE, NUMSECU, TEL,
// VILLE, CODEPOSTAL, ADRESSE, PRENOM, NOM, IDENTIFICATION.
using SearchValues = std::array<QString, 10>;
QStringList searchColumns();

// The search text as a criterion: the apostrophe and case rules of the texts
// the screen stores, so « d'almeida » looks for « D’ALMEIDA ».
QString searchCriterion(const QString &text);

// The IDENTIFICATION of every record that has a value exactly equal to the
// criterion, each record once, in record order. A value another program
// stored with a straight apostrophe is compared as the screen would store it.
QStringList searchMatches(const QVector<SearchValues> &records, const QString &criterion);

// When nothing matches exactly: the IDENTIFICATION of every record whose
// surname, first name or town contains the criterion, case and accents
// ignored (« celine » finds « CÉLINE »), each record once, in record order.
QStringList searchContaining(const QVector<SearchValues> &records, const QString &criterion);

// A text for comparisons that ignore case and accents: decomposed, marks
// dropped, folded to lower case, typographic apostrophes made straight.
QString foldedForSearch(const QString &text);

} // namespace EmployeeRules
