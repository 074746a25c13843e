#include "payslipformulaset.h"

#include "mask.h"
#include "numbertext.h"
#include "sheetnumbers.h"

#include <array>
#include <optional>

namespace {

using ContributionLines::employeeRate;
using ContributionLines::employerRate;

const QString Space = QStringLiteral(" ");

// What the pay slip prints of each contribution line: the number of the
// line's rate-copy field, which names its two rate formulas, the numbers of
// its two amount fields, which name its amount formulas, and its label.
struct LineDocument
{
    int rateField;
    int employerAmountField;
    int employeeAmountField;
    const char *label; // none on the last line: the employee's own label
};

constexpr std::array<LineDocument, ContributionLines::Count> Lines = {{
    {44, 61, 62, "CSG + RDS"},
    {45, 7, 6, "CSG DEDUCTIBLE"},
    {46, 9, 8, "Assurance Maladie"},
    {47, 11, 10, "Assurance Veuvage"},
    {48, 13, 12, "Assurance Vieillesse"},
    {49, 15, 14, "Viellesse Plafonée"},
    {50, 17, 16, "Assurance Chomage /TR.A"},
    {51, 19, 18, "Assurance Chomage /TR.B"},
    {52, 21, 20, "AGS"},
    {53, 23, 22, "Accident du travail"},
    {54, 24, 25, "Retraite TRA"},
    {55, 26, 27, "Retraite TRB"},
    {56, 28, 29, "Aide au logement"},
    {63, 30, 31, "Apprentissage"},
    {64, 32, 33, "Formation"},
    {65, 34, 35, "Taxe sur salaire"},
    {66, 36, 37, "Construction"},
    {67, 38, 39, "Prevoyance "},
    {68, 40, 41, "Allocation familiales"},
    {69, 42, 43, nullptr},
}};

// From this line on, the layout's first amount column holds the employee's
// amount instead of the employer's.
constexpr int FirstEmployeeLedLine = 10;

// A blank-able value: an empty text counts as nothing, a text that is not a
// number as no number at all (it is shown as it stands, never taken for 0).
std::optional<double> valueOf(const QString &text)
{
    return text.isEmpty() ? std::optional<double>(0) : NumberText::read(text);
}

bool isZero(const QString &text)
{
    const std::optional<double> value = valueOf(text);
    return value && *value == 0;
}

// A line is printed when its two rates together are not nothing.
bool ratesCancel(const QString &employer, const QString &employee)
{
    const std::optional<double> a = valueOf(employer);
    const std::optional<double> b = valueOf(employee);
    return a && b && *a + *b == 0;
}

QString amount(const QString &text)
{
    return Mask::apply(text, QString::fromLatin1(Mask::Amount));
}

class Builder
{
public:
    Builder(PaySheet &sheet, const EmployeeRecordTexts &employee, const EmployerRecordTexts &employer)
        : s(sheet)
        , e(employee)
        , r(employer)
    {
        m_entries.reserve(PayslipFormulaSet::Count);
    }

    // The order of the steps is the order of hand-over; the two formatting
    // steps sit where they do because the entries after them print, and are
    // blanked on, the formatted values.
    QList<FormulaEntry> build()
    {
        m_entries.append(s.cumulative_gross_formula);
        summary();
        payElements();
        formatRatesAndAmounts();
        leaveAndCaptions();
        contributionLines();
        employerMutualInsurance();
        SheetNumbers::format(s.csg_base);
        lineBases();
        lineLabels();
        periodAndIdentities();
        bonus();
        return m_entries;
    }

private:
    void add(int number, const char *name, const QString &value)
    {
        add(number, QString::fromLatin1(name), value);
    }
    void add(int number, const QString &name, const QString &value)
    {
        m_entries.append({static_cast<qint16>(number), PayslipFormulaSet::entryText(name, value)});
    }
    static QString when(bool shown, const QString &value, const QString &otherwise = QString())
    {
        return shown ? value : otherwise;
    }

    void summary();
    void payElements();
    void formatRatesAndAmounts();
    void leaveAndCaptions();
    void contributionLines();
    void employerMutualInsurance();
    void lineBases();
    void lineLabels();
    void periodAndIdentities();
    void bonus();
    QString salaryBeforeDeductions() const;
    QString commissionPercent() const;
    QString lineLabel(int line) const;
    bool linePrinted(int line) const;

    PaySheet &s;
    const EmployeeRecordTexts &e;
    const EmployerRecordTexts &r;
    QList<FormulaEntry> m_entries;
};

void Builder::summary()
{
    add(1201, "TAUX", e.TAUXHORAIRE);
    add(203, "BRUTB", s.base_salary);
    add(204, "SALAIREBRUT", s.gross_pay);
    add(205, "RETENUES", s.employee_total);
    add(206, "RETENUEP", s.employer_total);
    add(207, "NET", s.net_to_pay);
    add(1207, "EURO", s.net_to_pay_euro);
    add(208, "NETIMP", s.taxable_net);
    // The remaining share is empty when the employee has none.
    add(209, "MUTUELLE", amount(s.base_copy[4]));
    add(210, "SALAP", salaryBeforeDeductions());
}

// The net to pay with the advance and the employee's mutual-insurance share
// given back. The calculation has just read all three as numbers; should one
// not be, the entry stays blank rather than print a figure counted without it.
QString Builder::salaryBeforeDeductions() const
{
    const std::optional<double> share = NumberText::read(e.RAPPLS1);
    const std::optional<double> net = NumberText::read(s.net_to_pay);
    const std::optional<double> advance = NumberText::read(s.advance);
    if (!share || !net || !advance)
        return QString();
    return Mask::format(*share + (*net + *advance), QString::fromLatin1(Mask::Amount));
}

// The commission rate in whole percent ("5%"); a rate that is not a number,
// which the calculation would have refused, is shown as it stands.
QString Builder::commissionPercent() const
{
    if (isZero(s.commission_rate))
        return Space;
    const std::optional<double> rate = NumberText::read(s.commission_rate);
    return rate ? Mask::format(*rate / 100, QStringLiteral("##%")) : s.commission_rate;
}

// The elements rows of the pay slip: a row the employee has nothing on
// prints nothing.
void Builder::payElements()
{
    add(211, "INTER", when(!isZero(s.commission_base), s.commission_base, Space));
    add(212, "TAUXINTER", commissionPercent());
    add(213, "INTAP", when(!isZero(s.commission_amount), s.commission_amount, Space));

    const bool absence = !isZero(s.absence_hours);
    add(330, "ABS", when(absence, s.absence_hours, Space));
    add(331, "TAUAB", when(absence, e.TAUXHORAIRE, Space));
    add(332, "ABRET", when(absence, s.absence_amount, Space));

    const bool leave = !isZero(s.leave_hours_taken);
    add(333, "HPAIEB", when(leave, s.leave_hours_taken, Space));
    add(334, "HPAIET", when(leave, e.TAUXHORAIRE, Space));
    add(335, "HPAIER", when(leave, s.leave_amount, Space));

    add(3000, "ACOMPTE", when(!isZero(s.advance), amount(s.advance)));

    // Each hour line appears or disappears whole.
    const bool complementary = !isZero(s.complementary_hours);
    add(2202, "THS", when(complementary, e.TAUXHORAIRE));
    add(2203, "APC", when(complementary, s.plain_comp_amount));
    add(2204, "BHC", when(complementary, s.plain_comp_hours));
    const bool band1 = !isZero(s.band1_amount);
    add(2205, "THC", when(band1, QStringLiteral("+") + s.band1_percent + QStringLiteral("%")));
    add(2207, "APS", when(band1, s.band1_amount));
    add(2208, "BHS", when(band1, s.band1_hours));
    const bool band2 = !isZero(s.band2_amount);
    add(2209, "HSS", when(band2, s.band2_hours));
    add(2210, "THH", when(band2, QStringLiteral("+") + s.band2_percent + QStringLiteral("%")));
    add(2211, "TTHS", when(band2, s.band2_amount));
}

void Builder::formatRatesAndAmounts()
{
    for (QString &rate : s.rate_copy)
        SheetNumbers::format(rate);
    for (PaySheet::Contribution &line : s.contributions) {
        SheetNumbers::format(line.employer);
        SheetNumbers::format(line.employee);
    }
}

void Builder::leaveAndCaptions()
{
    add(2050, "T78", s.previous_leave_balance);
    add(2051, "CONB", s.leave_balance);
    add(2052, "T48", s.cumulative_taxable);
    add(160, "HABS", when(!isZero(s.absence_hours), QStringLiteral("Heures d\u2019Absence")));
    add(161, "HCOMP", when(!isZero(s.complementary_hours), QStringLiteral("Heures Complèmentaires")));
    add(162, "HSUP", when(!isZero(s.band1_amount), QStringLiteral("Heures Supplèmentaires")));
    add(163, "HPAIE", when(!isZero(s.leave_hours_taken), QStringLiteral("Congés Payes (Heures)")));
    add(164, "HINT", when(!isZero(s.commission_base), QStringLiteral("Interessement")));
    add(165, "ACOM", when(!isZero(s.advance), QStringLiteral("Acompte")));
    add(166, "HCSU", when(!isZero(s.band2_amount), QStringLiteral("Heures Supplèmentaires")));
}

// Four entries a line: employee rate, first amount, employer rate, second
// amount, each blank when it is zero.
void Builder::contributionLines()
{
    for (int line = 0; line < ContributionLines::Count; ++line) {
        const LineDocument &d = Lines[line];
        const QString employerRateText = s.rate_copy[employerRate(line)];
        const QString employeeRateText = s.rate_copy[employeeRate(line)];
        const QString employerAmount = s.contributions[line].employer;
        const QString employeeAmount = s.contributions[line].employee;
        const PayslipFormulaSet::LineNames names = PayslipFormulaSet::lineNames(line);
        const QString &employerName = names.employerAmount;
        const QString &employeeName = names.employeeAmount;
        const bool employeeFirst = line >= FirstEmployeeLedLine;

        const int number = 1001 + 4 * line;
        add(number, QString::number(d.rateField) + u'1', when(!isZero(employeeRateText), employeeRateText));
        add(number + 1, employeeFirst ? employeeName : employerName,
            employeeFirst ? when(!isZero(employeeAmount), employeeAmount)
                          : when(!isZero(employerAmount), employerAmount));
        add(number + 2, QString::number(d.rateField) + u'0', when(!isZero(employerRateText), employerRateText));
        add(number + 3, employeeFirst ? employerName : employeeName,
            employeeFirst ? when(!isZero(employerAmount), employerAmount)
                          : when(!isZero(employeeAmount), employeeAmount));
    }
}

// The employer's share of the mutual insurance, counted in the employer total.
void Builder::employerMutualInsurance()
{
    const bool shared = !isZero(e.PP1);
    add(2000, "BASE3", when(shared, e.PP1));
    add(2001, "21", when(shared, QStringLiteral("Mutuelle / Assurance")));
}

bool Builder::linePrinted(int line) const
{
    return !ratesCancel(s.rate_copy[employerRate(line)], s.rate_copy[employeeRate(line)]);
}

// The CSG lines are taken on the CSG base, the others on the gross pay.
void Builder::lineBases()
{
    for (int line = 0; line < ContributionLines::Count; ++line) {
        const bool csg = line < ContributionLines::FirstOrdinaryLine;
        add(301 + line, PayslipFormulaSet::lineNames(line).base,
            when(linePrinted(line), csg ? s.csg_base : s.gross_pay));
    }
    add(321, "BASE", e.BASEHORAIRE);
}

QString Builder::lineLabel(int line) const
{
    const char *label = Lines[line].label;
    return when(linePrinted(line), label ? QString::fromUtf8(label) : e.PAR3);
}

void Builder::lineLabels()
{
    for (int line = 0; line < ContributionLines::Count - 1; ++line)
        add(101 + line, QString::number(line + 1), lineLabel(line));
}

void Builder::periodAndIdentities()
{
    add(201, "DATEDEBUT", s.period_start_text);
    add(202, "DATEFIN", s.period_end_text);
    // The employee's own share of the mutual insurance, taken off the net.
    add(1699, "MAP", when(!s.base_copy[4].isEmpty(), QStringLiteral("Mutuelle/Assurance")));
    const int last = ContributionLines::Count - 1;
    add(101 + last, QString::number(last + 1), lineLabel(last));

    add(0, "NOMSALARIE", e.NOM);
    add(1, "NOMEMPLOYEUR", r.NomSociete);
    add(2, "ADREMPLOYEUR", r.Adresse);
    add(3, "CPEMPLOYEUR", r.CodePostal);
    add(4, "VILLEEMPLOYEUR", r.Ville);
    add(5, "TELEMPLOYEUR", r.NumeroTel);
    add(6, "SIRET", r.Siret);
    add(7, "APE", r.APE);
    add(8, "URSSAF", r.NoURSSAF);
    add(9, "EMPLOI", e.POSTE);
    add(10, "DATEANCIEN", e.ENTRE_LE);
    add(11, "MATRICULE", e.NUMSECU);
    add(12, "PRENOMSALARIE", e.PRENOM);
    add(13, "ADRESALARIE", e.ADRESSE);
    add(14, "CPSALARIE", e.CODEPOSTAL);
    add(15, "VILLESALARIE", e.VILLE);
}

// The bonus counts in the gross like every other element, so the slip shows
// it on its own line; a slip without one prints nothing there.
void Builder::bonus()
{
    add(3001, "PRIME", when(!isZero(s.bonus), amount(s.bonus)));
}

} // namespace

QList<FormulaEntry> PayslipFormulaSet::build(PaySheet &sheet, const EmployeeRecordTexts &employee,
                                             const EmployerRecordTexts &employer)
{
    return Builder(sheet, employee, employer).build();
}

PayslipFormulaSet::LineNames PayslipFormulaSet::lineNames(int line)
{
    const LineDocument &d = Lines[line];
    const bool csg = line < ContributionLines::FirstOrdinaryLine;
    return {QString::number(line + 1),
            csg ? QStringLiteral("C%1").arg(line + 1) : QStringLiteral("B%1").arg(line - 1),
            QStringLiteral("R%1").arg(d.employeeAmountField), QStringLiteral("R%1").arg(d.employerAmountField)};
}

QString PayslipFormulaSet::entryText(const QString &name, const QString &value)
{
    return name + QStringLiteral("='") + value + u'\'';
}
