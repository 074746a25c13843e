#include "employeerules.h"

#include "contributionlines.h"
#include "datetext.h"
#include "mask.h"
#include "numbertext.h"
#include "schema.h"
#include "textrules.h"

#include <algorithm>

namespace EmployeeRules {

namespace {

// Names stored through the screen are already in upper case: no need to
// upper-case them again.
bool equalInUpperCase(const QString &stored, const QString &upper)
{
    return stored == upper || (!isUpperCase(stored) && upperCase(stored) == upper);
}

const char *const BaseNames[] = {
    "La base horaire", "Le taux horaire", "Le montant de la base à calculer",
    "La part patronale",
};

const QString NotANumberEnd = QStringLiteral(" n’est pas un nombre : corrigez-le avant de valider.");

} // namespace

QStringList identityColumns()
{
    return {"NUMSECU", "NOM", "PRENOM", "TEL", "ADRESSE", "CODEPOSTAL", "VILLE", "POSTE",
            QStringLiteral("Entré le")};
}

QStringList baseColumns()
{
    return {"BASEHORAIRE", "TAUXHORAIRE", "MDLBAC1", "PP1"};
}

QStringList searchColumns()
{
    return {QStringLiteral("Entré le"), "POSTE", "NUMSECU", "TEL", "VILLE", "CODEPOSTAL",
            "ADRESSE", "PRENOM", "NOM", "IDENTIFICATION"};
}

QString noSsn(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("<Rien>") : text;
}

QString blankFill(const QString &text)
{
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

QString upperCase(const QString &text)
{
    return Mask::apply(text, QString::fromLatin1(Mask::Upper));
}

bool isUpperCase(const QString &text)
{
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.isLower() || c.isTitleCase(); });
}

QString apostrophes(const QString &text)
{
    return TextRules::replaceApostrophes(text);
}

QString dateMask(const QString &text)
{
    return DateText::maskEntryDate(text);
}

QStringList savedIdentity(const QStringList &identity)
{
    QStringList saved = identity;
    for (int i = 0; i < saved.size(); ++i) {
        if (i == EntryDate)
            saved[i] = dateMask(saved[i]);
        if (i == Ssn)
            saved[i] = noSsn(saved[i]);
        saved[i] = upperCase(blankFill(saved[i]));
    }
    return saved;
}

QString key(const QString &surname, const QString &firstName)
{
    return surname + QStringLiteral(" , ") + firstName;
}

QString browsedRate(const QString &text)
{
    return Mask::apply(text.isEmpty() ? QStringLiteral("0") : text, QString::fromLatin1(Mask::Rate));
}

RateCheck checkRate(const QString &text)
{
    RateCheck check{text.isEmpty() ? QStringLiteral("0,00") : text, false};
    const std::optional<double> value = NumberText::read(check.text);
    if (value && *value > 100.0) {
        check.text = QStringLiteral("100,00");
        check.lowered = true;
    }
    check.text = Mask::apply(check.text, QString::fromLatin1(Mask::Rate));
    return check;
}

QString baseForm(const QString &text)
{
    return Mask::apply(text.isEmpty() ? QStringLiteral("0") : text,
                       QString::fromLatin1(Mask::HourlyRate));
}

std::optional<QString> remainingShare(const QString &amount, const QString &employerShare)
{
    const std::optional<double> a = NumberText::read(amount.isEmpty() ? QStringLiteral("0") : amount);
    const std::optional<double> b =
        NumberText::read(employerShare.isEmpty() ? QStringLiteral("0") : employerShare);
    if (!a || !b)
        return std::nullopt;
    return Mask::apply(NumberText::write(*a - *b), QString::fromLatin1(Mask::Rate));
}

QString rateLineName(int rateIndex, const QString &par3)
{
    const int line = rateIndex / 2;
    if (line >= 0 && line < ContributionLines::Param3)
        return ContributionLines::rowLabel(line);
    const QString name = par3.trimmed();
    return name.isEmpty() ? QStringLiteral("vingtième ligne") : name;
}

QString rateNotANumber(int rateIndex, const QString &par3)
{
    const QString side = rateIndex % 2 == 0 ? QStringLiteral("patronal") : QStringLiteral("salarial");
    return QStringLiteral("Le taux %1 de la ligne %2").arg(side, rateLineName(rateIndex, par3))
           + NotANumberEnd;
}

QString baseNotANumber(int baseIndex)
{
    if (baseIndex < 0 || baseIndex >= BaseCount)
        return {};
    return QString::fromUtf8(BaseNames[baseIndex]) + NotANumberEnd;
}

int firstNonNumber(const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i) {
        if (!NumberText::isNumber(texts.at(i)))
            return i;
    }
    return -1;
}

int findNames(const QVector<NamePair> &pairs, const QString &surname, const QString &firstName,
              int skip)
{
    for (int k = 0; k < pairs.size(); ++k) {
        if (k != skip && equalInUpperCase(pairs.at(k).surname, surname)
            && equalInUpperCase(pairs.at(k).firstName, firstName))
            return k;
    }
    return -1;
}

QString searchCriterion(const QString &text)
{
    return upperCase(apostrophes(text));
}

QStringList searchMatches(const QVector<SearchValues> &records, const QString &criterion)
{
    const auto matches = [&criterion](const QString &value) {
        return value == criterion
               || (value.contains(u'\'') && apostrophes(value) == criterion);
    };
    QStringList found;
    for (const SearchValues &values : records) {
        // Listed once, however many of its values match.
        if (std::any_of(values.begin(), values.end(), matches))
            found << values.back();
    }
    return found;
}

QString foldedForSearch(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        folded += c == QChar(0x2019) ? QChar(u'\'') : c.toCaseFolded();
    }
    return folded;
}

QStringList searchContaining(const QVector<SearchValues> &records, const QString &criterion)
{
    const QString wanted = foldedForSearch(criterion).trimmed();
    if (wanted.isEmpty())
        return {};
    // Town, first name and surname: the values a clerk half-remembers.
    constexpr std::array<int, 3> columns{4, 7, 8};
    QStringList found;
    for (const SearchValues &values : records) {
        if (std::any_of(columns.begin(), columns.end(), [&](int column) {
                return foldedForSearch(values[column]).contains(wanted);
            }))
            found << values.back();
    }
    return found;
}

} // namespace EmployeeRules
