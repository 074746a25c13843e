#include "demodata.h"
#include "mask.h"
#include "numbertext.h"
#include "paycalculation.h"
#include "payslipformulanames.h"
#include "payslipformulaset.h"
#include "smicpayinputs.h"
#include "storedpayinputs.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <optional>

// The pay slip document: the 182 formulas of every pay slip layout and the
// bonus after them, in hand-over order with the names and numbers the layouts
// define, what blanks them, the two formatting steps in the pay sheet, values
// handed over as they stand, and the demonstration's SMIC employee as a whole.
class TestPayslipFormulaSet : public QObject
{
    Q_OBJECT

private slots:
    void handOverOrderNamesAndNumbers();
    void nothingSpecial_data();
    void nothingSpecial();
    void hourLinesAppearWhole_data();
    void hourLinesAppearWhole();
    void payElements_data();
    void payElements();
    void bonusLine_data();
    void bonusLine();
    void elementLinesAddUpToTheGross_data();
    void elementLinesAddUpToTheGross();
    void contributionLine_data();
    void contributionLine();
    void lastLineLabel_data();
    void lastLineLabel();
    void mutualInsurance_data();
    void mutualInsurance();
    void formatsTheSheetInPlace();
    void quotesStayInTheValue();
    void demoSmicPaySlip_data();
    void demoSmicPaySlip();
};

namespace {

using namespace SmicPayInputs;

// An amount as the mask writes it: groups of thousands apart by U+202F.
QString grouped(const QString &text)
{
    static const QRegularExpression between(QStringLiteral("(?<=\\d) (?=\\d)"));
    return QString(text).replace(between, QString(QChar(0x202F)));
}

QString amount(const QString &text)
{
    return Mask::apply(text, QString::fromLatin1(Mask::Amount));
}

// A pay slip built: the sheet after the build, its entries and their values
// by name (the value read as the engine reads it, up to the final quote).
struct Payslip
{
    PaySheet sheet;
    QList<FormulaEntry> entries;
    QHash<QString, QString> values;
};

QString nameOf(const FormulaEntry &entry)
{
    return entry.text.left(entry.text.indexOf(QLatin1String("='")));
}

QString valueOf(const FormulaEntry &entry)
{
    return entry.text.mid(nameOf(entry).size() + 2).chopped(1);
}

using Typing = std::function<void(PaySheet &)>;

// Opens the preparation for `figures`, types, calculates and builds.
Payslip built(const EmployeeFigures &figures, const Typing &type = {},
              const std::optional<EmployeeRecordTexts> &record = std::nullopt)
{
    const PayrollParameters parameters = deliveredParameters();
    const QString euroRate = QStringLiteral("6,55957");
    auto opening = PayCalculation::open(figures, parameters, euroRate);
    if (!std::holds_alternative<PayCalculation::OpenedSheet>(opening))
        qFatal("%s", qPrintable(std::get<CalculationError>(opening).message));
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    Payslip payslip{opened.sheet, {}, {}};
    if (type)
        type(payslip.sheet);
    if (const auto error = PayCalculation::calculate(payslip.sheet, opened.employee, parameters, euroRate))
        qFatal("%s", qPrintable(error->message));
    payslip.entries =
        PayslipFormulaSet::build(payslip.sheet, record.value_or(recordOf(opened.employee)), bakery());
    for (const FormulaEntry &entry : payslip.entries)
        payslip.values.insert(nameOf(entry), valueOf(entry));
    return payslip;
}

Typing typing(const QList<std::pair<QString PaySheet::*, QString>> &fields)
{
    return [fields](PaySheet &sheet) {
        for (const auto &[field, value] : fields)
            sheet.*field = value;
    };
}

// Every element of the pay slip typed: absence, leave, complementary hours
// in both bands, commission, advance.
Typing everything()
{
    return typing({{&PaySheet::absence_hours, "7"},
                   {&PaySheet::leave_hours_taken, "14"},
                   {&PaySheet::complementary_hours, "40"},
                   {&PaySheet::commission_rate, "1,5"},
                   {&PaySheet::commission_base, "12000"},
                   {&PaySheet::advance, "1500"}});
}

EmployeeFigures withBase(const QString &base)
{
    EmployeeFigures figures = smicFigures();
    figures.BASEHORAIRE = base;
    return figures;
}

// name, value, name, value ...
void compareValues(const Payslip &payslip, const QStringList &expected)
{
    for (int i = 0; i + 1 < expected.size(); i += 2) {
        QVERIFY2(payslip.values.contains(expected.at(i)), qPrintable(expected.at(i)));
        QCOMPARE(payslip.values.value(expected.at(i)), expected.at(i + 1));
    }
}

const QString Space = QStringLiteral(" ");

} // namespace

// "CUM" comes first, as the calculation hands it over before the set; the
// rest follow the names and numbers every pay slip layout defines.
void TestPayslipFormulaSet::handOverOrderNamesAndNumbers()
{
    const Payslip payslip = built(smicFigures(), everything());
    QCOMPARE(payslip.entries.size(), PayslipFormulaSet::Count);
    QCOMPARE(payslip.entries.constFirst(), payslip.sheet.cumulative_gross_formula);
    QCOMPARE(payslip.entries.constFirst().number, qint16(888));

    static const QRegularExpression form(QStringLiteral("^[A-Z0-9]+='.*'$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QSet<QString> names;
    QSet<qint16> numbers;
    for (int i = 0; i < payslip.entries.size(); ++i) {
        const FormulaEntry &entry = payslip.entries.at(i);
        const PayslipFormulaName &expected = PayslipFormulaNames::all.at(i);
        QVERIFY2(form.match(entry.text).hasMatch(), qPrintable(entry.text));
        QCOMPARE(nameOf(entry), QString::fromLatin1(expected.name));
        QCOMPARE(entry.number, expected.number);
        names.insert(nameOf(entry));
        numbers.insert(entry.number);
    }
    QCOMPARE(names.size(), PayslipFormulaSet::Count);
    QCOMPARE(numbers.size(), PayslipFormulaSet::Count);
    // The bonus comes after the 182 formulas every pay slip layout knows.
    QCOMPARE(PayslipFormulaSet::Count, 183);
    QCOMPARE(payslip.entries.constLast().number, qint16(3001));
    QCOMPARE(nameOf(payslip.entries.constLast()), QStringLiteral("PRIME"));
}

// Nothing but the base salary: the elements rows print a single space, the
// captions and the hour lines nothing at all.
void TestPayslipFormulaSet::nothingSpecial_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    for (const char *name : {"ABS", "TAUAB", "ABRET", "HPAIEB", "HPAIET", "HPAIER", "INTER",
                             "TAUXINTER", "INTAP"})
        QTest::newRow(name) << QString::fromLatin1(name) << Space;
    for (const char *name : {"ACOMPTE", "HABS", "HCOMP", "HSUP", "HPAIE", "HINT", "ACOM", "HCSU",
                             "THS", "APC", "BHC", "THC", "APS", "BHS", "HSS", "THH", "TTHS", "PRIME"})
        QTest::newRow(name) << QString::fromLatin1(name) << QString();
    QTest::newRow("BRUTB") << "BRUTB" << grouped("7 388,68");
    QTest::newRow("SALAIREBRUT") << "SALAIREBRUT" << grouped("7 388,68");
    QTest::newRow("T78") << "T78" << "0";
}

void TestPayslipFormulaSet::nothingSpecial()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    static const Payslip payslip = built(smicFigures());
    QCOMPARE(payslip.values.value(name, QStringLiteral("<absent>")), expected);
}

// The complementary hours are paid plain up to 169 h of the base plus the
// hours, then at +25 % up to 200 h, then at +50 %.
void TestPayslipFormulaSet::hourLinesAppearWhole_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QStringList>("plain");
    QTest::addColumn<QStringList>("band1");
    QTest::addColumn<QStringList>("band2");

    const QStringList none = {"", "", "", ""};
    QTest::newRow("none") << "169,0" << "0" << none << none << none;
    // 151 h of base leave 18 plain hours.
    QTest::newRow("plain only") << "151,0" << "10"
                                << QStringList{"Heures Complèmentaires", "43,72", "437,20", "10"}
                                << none << none;
    // At 169 h of base every complementary hour is in band 1; the plain
    // line still shows, at nought hours.
    QTest::newRow("band 1 only") << "169,0" << "10"
                                 << QStringList{"Heures Complèmentaires", "43,72", "0,00", "0"}
                                 << QStringList{"Heures Supplèmentaires", "+25,00%", "546,50", "10"}
                                 << none;
    QTest::newRow("all three") << "151,0" << "60"
                               << QStringList{"Heures Complèmentaires", "43,72", "786,96", "18"}
                               << QStringList{"Heures Supplèmentaires", "+25,00%", grouped("1 694,15"), "31"}
                               << QStringList{"Heures Supplèmentaires", "+50%", "721,38", "11"};
    // A base above the first threshold pays band 1 without any hour typed.
    QTest::newRow("base beyond the threshold") << "175,0" << "0" << none
                                               << QStringList{"Heures Supplèmentaires", "+25,00%",
                                                              "327,90", "6"}
                                               << none;
}

void TestPayslipFormulaSet::hourLinesAppearWhole()
{
    QFETCH(QString, base);
    QFETCH(QString, hours);
    QFETCH(QStringList, plain);
    QFETCH(QStringList, band1);
    QFETCH(QStringList, band2);
    const Payslip payslip = built(withBase(base), typing({{&PaySheet::complementary_hours, hours}}));
    compareValues(payslip, {"HCOMP", plain[0], "THS", plain[1], "APC", plain[2], "BHC", plain[3],
                            "HSUP", band1[0], "THC", band1[1], "APS", band1[2], "BHS", band1[3],
                            "HCSU", band2[0], "THH", band2[1], "TTHS", band2[2], "HSS", band2[3]});
}

void TestPayslipFormulaSet::payElements_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("commission 5 %") << "commission_rate" << "5"
                                    << QStringList{"TAUXINTER", "5%", "INTER", "12000", "INTAP",
                                                   "600,00", "HINT", "Interessement"};
    QTest::newRow("whole percent") << "commission_rate" << "12,5"
                                   << QStringList{"TAUXINTER", "13%", "INTAP", grouped("1 500,00")};
    QTest::newRow("turnover without rate") << "commission_rate" << "0"
                                           << QStringList{"TAUXINTER", " ", "INTER", "12000", "INTAP",
                                                          " ", "HINT", "Interessement"};
    QTest::newRow("advance") << "advance" << "1500"
                             << QStringList{"ACOMPTE", grouped("1 500,00"), "ACOM", "Acompte"};
    QTest::newRow("absence") << "absence_hours" << "7"
                             << QStringList{"ABS", "7", "TAUAB", "43,72", "ABRET", "306,04", "HABS",
                                            QStringLiteral("Heures d\u2019Absence")};
    QTest::newRow("paid leave") << "leave_hours_taken" << "14"
                                << QStringList{"HPAIEB", "14", "HPAIET", "43,72", "HPAIER", "612,08",
                                               "HPAIE", "Congés Payes (Heures)"};
}

void TestPayslipFormulaSet::payElements()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    const QHash<QString, QString PaySheet::*> fields = {
        {"commission_rate", &PaySheet::commission_rate},
        {"advance", &PaySheet::advance},
        {"absence_hours", &PaySheet::absence_hours},
        {"leave_hours_taken", &PaySheet::leave_hours_taken},
    };
    // The turnover is typed with every commission rate.
    const Payslip payslip = built(smicFigures(), typing({{&PaySheet::commission_base, "12000"},
                                                         {fields.value(field), typed}}));
    compareValues(payslip, expected);
}

// The bonus as the slip prints it: formatted as an amount, nothing when there
// is none.
void TestPayslipFormulaSet::bonusLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("500") << "500" << "500,00";
    QTest::newRow("grouped") << "1500" << grouped("1 500,00");
    QTest::newRow("centimes") << "249,5" << "249,50";
    QTest::newRow("zero") << "0" << "";
    QTest::newRow("zero with decimals") << "0,00" << "";
    QTest::newRow("nothing typed") << "" << "";
}

void TestPayslipFormulaSet::bonusLine()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    const Payslip payslip = built(smicFigures(), typing({{&PaySheet::bonus, typed}}));
    QCOMPARE(payslip.values.value(QStringLiteral("PRIME"), QStringLiteral("<absent>")), expected);
    // The bonus entry leaves every other one as a slip without bonus has it,
    // but the figures the bonus enters.
    const Payslip without = built(smicFigures());
    if (expected.isEmpty())
        QCOMPARE(payslip.entries, without.entries);
}

// Every element that makes the gross has a line of its own: the amounts to
// pay less the absence come to the gross to the centime.
void TestPayslipFormulaSet::elementLinesAddUpToTheGross_data()
{
    QTest::addColumn<QString>("bonus");
    QTest::newRow("no bonus") << "0";
    QTest::newRow("bonus of 500") << "500";
    QTest::newRow("bonus of 1 234,56") << "1234,56";
}

void TestPayslipFormulaSet::elementLinesAddUpToTheGross()
{
    QFETCH(QString, bonus);
    const Payslip payslip = built(smicFigures(), [bonus](PaySheet &sheet) {
        everything()(sheet);
        sheet.bonus = bonus;
    });
    const auto centimes = [&payslip](const char *name) {
        const QString text = payslip.values.value(QString::fromLatin1(name)).trimmed();
        const std::optional<double> value = text.isEmpty() ? 0.0 : NumberText::read(text);
        if (!value)
            qFatal("%s is not an amount: %s", name, qPrintable(text));
        return qRound64(*value * 100);
    };
    qint64 lines = -centimes("ABRET");
    for (const char *gain : {"BRUTB", "APC", "APS", "TTHS", "HPAIER", "INTAP", "PRIME"})
        lines += centimes(gain);
    QCOMPARE(lines, centimes("SALAIREBRUT"));
}

// One line of the contribution table: its label, base, both rates and both
// amounts. The first amount column is the employer's on lines 0 to 9, the
// employee's on lines 10 to 19.
void TestPayslipFormulaSet::contributionLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("employerRate");
    QTest::addColumn<QString>("employeeRate");
    // label, base, employee rate, employer rate, with their names; the
    // amounts are checked against the sheet.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected");

    const QStringList sickness = {"3", "B1", "461", "460", "R9", "R8"};
    QTest::newRow("both rates") << 2 << "12,8" << "0,75" << sickness
                                << QStringList{"Assurance Maladie", "gross", "0,75", "12,80"};
    QTest::newRow("employer rate only") << 2 << "12,8" << "0" << sickness
                                        << QStringList{"Assurance Maladie", "gross", "", "12,80"};
    QTest::newRow("no rate") << 2 << "0,0" << "0" << sickness << QStringList{"", "", "", ""};
    // Tested once formatted: a rate below the centime prints as nothing.
    QTest::newRow("rate below the centime") << 2 << "0,004" << "0" << sickness
                                            << QStringList{"", "", "", ""};

    const QStringList pensionA = {"11", "B9", "541", "540", "R24", "R25"};
    QTest::newRow("employee rate only, second half") << 10 << "0" << "3" << pensionA
                                                     << QStringList{"Retraite TRA", "gross", "3,00", ""};
    QTest::newRow("no rate, second half") << 10 << "0" << "0,0" << pensionA << QStringList{"", "", "", ""};

    const QStringList csg = {"1", "C1", "441", "440", "R61", "R62"};
    QTest::newRow("CSG line on its base") << 0 << "0" << "2,9" << csg
                                          << QStringList{"CSG + RDS", "csg", "2,90", ""};
    QTest::newRow("no CSG") << 0 << "0" << "0" << csg << QStringList{"", "", "", ""};
}

void TestPayslipFormulaSet::contributionLine()
{
    QFETCH(int, line);
    QFETCH(QString, employerRate);
    QFETCH(QString, employeeRate);
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);
    EmployeeFigures figures = smicFigures();
    figures.rates[ContributionLines::employerRate(line)] = employerRate;
    figures.rates[ContributionLines::employeeRate(line)] = employeeRate;
    const Payslip payslip = built(figures);
    const PaySheet &s = payslip.sheet;

    const QString base = expected[1] == QLatin1String("gross") ? s.gross_pay
                         : expected[1] == QLatin1String("csg") ? s.csg_base
                                                               : QString();
    compareValues(payslip, {names[0], expected[0], names[1], base, names[2], expected[2], names[3],
                            expected[3]});
    // Amounts print in their formatted form, nothing when zero.
    const auto shown = [](const QString &formatted) {
        return formatted == QLatin1String("0,00") ? QString() : formatted;
    };
    QCOMPARE(payslip.values.value(names[4]), shown(s.contributions[line].employer));
    QCOMPARE(payslip.values.value(names[5]), shown(s.contributions[line].employee));
    if (!expected[2].isEmpty())
        QVERIFY(!payslip.values.value(names[5]).isEmpty());
}

// The last line's label is the employee's own, shown as it stands when the
// line has a rate.
void TestPayslipFormulaSet::lastLineLabel_data()
{
    QTest::addColumn<QString>("par3");
    QTest::addColumn<QString>("employerRate");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("AGFF") << "AGFF" << "1,2" << true << "AGFF";
    QTest::newRow("no label typed") << "" << "1,2" << true << "";
    QTest::newRow("no rate") << "AGFF" << "0" << false << "";
}

void TestPayslipFormulaSet::lastLineLabel()
{
    QFETCH(QString, par3);
    QFETCH(QString, employerRate);
    QFETCH(bool, printed);
    QFETCH(QString, expected);
    EmployeeFigures figures = smicFigures();
    figures.rates[ContributionLines::employerRate(19)] = employerRate;
    figures.rates[ContributionLines::employeeRate(19)] = QStringLiteral("0");
    EmployeeRecordTexts record = recordOf(figures);
    record.PAR3 = par3;
    const Payslip payslip = built(figures, {}, record);
    const auto label = std::find_if(payslip.entries.cbegin(), payslip.entries.cend(),
                                    [](const FormulaEntry &entry) { return nameOf(entry) == "20"; });
    QVERIFY(label != payslip.entries.cend());
    QCOMPARE(label->number, qint16(120));
    QCOMPARE(valueOf(*label), expected);
    QCOMPARE(payslip.values.value(QStringLiteral("B18")), printed ? payslip.sheet.gross_pay : QString());
}

// "21" with "BASE3" carry the employer's share PP1; "MAP" with "MUTUELLE"
// the employee's remaining share, taken off the net to pay.
void TestPayslipFormulaSet::mutualInsurance_data()
{
    // MDLBAC1, PP1 and the remaining share the employee screen keeps beside them.
    QTest::addColumn<QStringList>("figures");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("both shares") << QStringList{"200,0", "120,0", "80,0"}
                                 << QStringList{"BASE3", "120,0", "21", "Mutuelle / Assurance",
                                                "MUTUELLE", "80,00", "MAP", "Mutuelle/Assurance"};
    QTest::newRow("employer pays all") << QStringList{"120,0", "120,0", "0,0"}
                                       << QStringList{"BASE3", "120,0", "21", "Mutuelle / Assurance",
                                                      "MUTUELLE", "", "MAP", ""};
    QTest::newRow("employee pays all") << QStringList{"120,0", "0,0", "120,0"}
                                       << QStringList{"BASE3", "", "21", "", "MUTUELLE", "120,00",
                                                      "MAP", "Mutuelle/Assurance"};
    QTest::newRow("no mutual insurance") << QStringList{"0,0", "0,0", "0,0"}
                                         << QStringList{"BASE3", "", "21", "", "MUTUELLE", "", "MAP", ""};
}

void TestPayslipFormulaSet::mutualInsurance()
{
    QFETCH(QStringList, figures);
    QFETCH(QStringList, expected);
    EmployeeFigures employee = smicFigures();
    employee.MDLBAC1 = figures[0];
    employee.PP1 = figures[1];
    employee.RAPPLS1 = figures[2];
    const Payslip payslip = built(employee, typing({{&PaySheet::advance, "1500"}}));
    compareValues(payslip, expected);
    // Giving back the advance and the employee's share to the net to pay
    // leaves the net salary.
    QCOMPARE(payslip.values.value(QStringLiteral("SALAP")), amount(payslip.sheet.net_salary));
}

// The rates, the contribution amounts and the CSG base are formatted in the
// sheet, and nothing else changes; a second build hands over the same set.
void TestPayslipFormulaSet::formatsTheSheetInPlace()
{
    const PayrollParameters parameters = deliveredParameters();
    const QString euroRate = QStringLiteral("6,55957");
    auto opening = PayCalculation::open(smicFigures(), parameters, euroRate);
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    PaySheet before = opened.sheet;
    everything()(before);
    QVERIFY(!PayCalculation::calculate(before, opened.employee, parameters, euroRate));
    // Gross 10 159,09: sickness 12,8 % of it, CSG base 95 % of it.
    QCOMPARE(before.rate_copy[4], QStringLiteral("12,8"));
    QCOMPARE(before.contributions[2].employer, QStringLiteral("1300,36352"));
    QCOMPARE(before.csg_base, QStringLiteral("9651,1355"));

    PaySheet sheet = before;
    const QList<FormulaEntry> entries =
        PayslipFormulaSet::build(sheet, recordOf(opened.employee), bakery());

    PaySheet expected = before;
    for (QString &rate : expected.rate_copy)
        rate = amount(rate);
    for (PaySheet::Contribution &line : expected.contributions) {
        line.employer = amount(line.employer);
        line.employee = amount(line.employee);
    }
    expected.csg_base = amount(expected.csg_base);
    QCOMPARE(sheet.rate_copy[4], QStringLiteral("12,80"));
    QCOMPARE(sheet.contributions[2].employer, grouped("1 300,36"));
    QCOMPARE(sheet.csg_base, grouped("9 651,14"));
    QVERIFY(sheet == expected);

    QHash<QString, QString> values;
    for (const FormulaEntry &entry : entries)
        values.insert(nameOf(entry), valueOf(entry));
    QCOMPARE(values.value("460"), QStringLiteral("12,80"));
    QCOMPARE(values.value("R9"), grouped("1 300,36"));
    QCOMPARE(values.value("C1"), grouped("9 651,14"));
    QCOMPARE(values.value("C2"), grouped("9 651,14"));

    QCOMPARE(PayslipFormulaSet::build(sheet, recordOf(opened.employee), bakery()), entries);
}

// A quote inside a value is handed over as it stands: the engine reads a
// value up to the final quote.
void TestPayslipFormulaSet::quotesStayInTheValue()
{
    EmployeeRecordTexts record = recordOf(smicFigures());
    record.NOM = QStringLiteral("D'ALMEIDA");
    record.PAR3 = QStringLiteral("L'AGFF");
    record.ADRESSE = QStringLiteral("'");
    const Payslip payslip = built(smicFigures(), {}, record);
    QStringList texts;
    for (const FormulaEntry &entry : payslip.entries)
        texts << entry.text;
    QVERIFY(texts.contains(QStringLiteral("NOMSALARIE='D'ALMEIDA'")));
    QVERIFY(texts.contains(QStringLiteral("20='L'AGFF'")));
    QVERIFY(texts.contains(QStringLiteral("ADRESALARIE='''")));
    QCOMPARE(payslip.values.value("ADRESALARIE"), QStringLiteral("'"));
    QCOMPARE(PayslipFormulaSet::entryText(QStringLiteral("TAUX"), QStringLiteral("45,50")),
             QStringLiteral("TAUX='45,50'"));
}

// Céline MOREAU of the demonstration folder, March 2001, as tst_payrun types
// it: the pay slip's key figures, read from the stored files.
void TestPayslipFormulaSet::demoSmicPaySlip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    const QList<std::pair<const char *, const char *>> rows = {
        {"CUM", "23 781,84"},
        {"TAUX", "43,72"},
        {"BRUTB", "7 388,68"},
        {"SALAIREBRUT", "8 671,22"},
        {"RETENUES", "1 812,28"},
        {"RETENUEP", "3 627,51"},
        {"NET", "5 278,94"},
        {"EURO", "804,77"},
        {"NETIMP", "7 097,83"},
        {"MUTUELLE", "80,00"},
        {"SALAP", "6 858,94"},
        {"TAUXINTER", "2%"},
        {"INTAP", "180,00"},
        {"ABRET", "306,04"},
        {"HPAIER", "612,08"},
        {"ACOMPTE", "1 500,00"},
        {"THC", "+25,00%"},
        {"APS", "546,50"},
        {"HSS", ""},
        {"CONB", "48"},
        {"T48", "19 443,50"},
        {"461", "0,75"},
        {"R9", "1 109,92"},
        {"R62", "238,89"},
        {"R8", "65,03"},
        {"R42", "104,05"},
        {"BASE3", "120,0"},
        {"21", "Mutuelle / Assurance"},
        {"C1", "8 237,66"},
        {"B6", ""},
        {"BASE", "169,0"},
        {"8", ""},
        {"DATEDEBUT", "jeudi 01 mars 2001"},
        {"MAP", "Mutuelle/Assurance"},
        {"20", "AGFF"},
        {"PRIME", "250,00"},
    };
    for (const auto &[name, expected] : rows)
        QTest::newRow(name) << QString::fromLatin1(name) << grouped(QString::fromUtf8(expected));
    // Identity texts as stored, spaces and all.
    const QList<std::pair<const char *, const char *>> identity = {
        {"NOMEMPLOYEUR", "SARL BOULANGERIE DES TILLEULS"},
        {"URSSAF", "370 1 05432 1 07"},
        {"EMPLOI", "VENDEUSE"},
        {"DATEANCIEN", "VENDREDI 03 AVR. 1998"},
        {"MATRICULE", "2 75 08 37 261 054 80"},
        {"PRENOMSALARIE", "CÉLINE"},
        {"ADRESALARIE", "8, ALLÉE DES PEUPLIERS"},
    };
    for (const auto &[name, expected] : identity)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(expected);
}

void TestPayslipFormulaSet::demoSmicPaySlip()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    static const QHash<QString, QString> values = [] {
        QTemporaryDir dir;
        if (const auto refusal = DemoData::write(dir.path()))
            qFatal("%s", qPrintable(*refusal));
        auto loaded = StoredPayInputs::load(dir.path(), DemoData::employees().constFirst());
        auto employer = StoredPayInputs::loadEmployer(dir.path());
        if (!std::holds_alternative<StoredPayInputs>(loaded)
            || !std::holds_alternative<EmployerRecordTexts>(employer))
            qFatal("demonstration folder unreadable");
        const StoredPayInputs &inputs = std::get<StoredPayInputs>(loaded);
        auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
        PaySheet sheet = std::get<PayCalculation::OpenedSheet>(opening).sheet;
        typing({{&PaySheet::complementary_hours, "10"}, {&PaySheet::absence_hours, "7"},
                {&PaySheet::leave_hours_taken, "14"}, {&PaySheet::commission_rate, "1,5"},
                {&PaySheet::commission_base, "12000"}, {&PaySheet::bonus, "250"},
                {&PaySheet::advance, "1500"}, {&PaySheet::period_start_day, "01"},
                {&PaySheet::period_start_month, "03"}, {&PaySheet::period_start_year, "2001"},
                {&PaySheet::period_end_day, "31"}, {&PaySheet::period_end_month, "03"},
                {&PaySheet::period_end_year, "2001"}, {&PaySheet::previous_leave_balance, "42"},
                {&PaySheet::previous_cumulative_taxable, "12345,67"},
                {&PaySheet::previous_cumulative_gross, "15110,62"}})(sheet);
        if (PayCalculation::calculate(sheet, inputs.employee, inputs.parameters, inputs.euroRate))
            qFatal("calculation refused");
        QHash<QString, QString> byName;
        for (const FormulaEntry &entry :
             PayslipFormulaSet::build(sheet, inputs.record, std::get<EmployerRecordTexts>(employer)))
            byName.insert(nameOf(entry), valueOf(entry));
        return byName;
    }();
    QCOMPARE(values.value(name, QStringLiteral("<absent>")), expected);
}

QTEST_GUILESS_MAIN(TestPayslipFormulaSet)
#include "tst_payslipformulaset.moc"
