#include "paycalculation.h"

#include <QTest>

#include <functional>

// The pay calculation apart from any screen: the opening of a preparation,
// the split of complementary hours, the order of rounding, the CSG base
// options, the leave balance, the net and the cumulatives, and the refusal
// of every value that is not a number.
//
// Unless a test says otherwise, the employee works 169 hours at 10 F, every
// rate is 0, the thresholds are 169 and 200 hours with majorations of 25 %
// and 50 %, leave is earned at 20 hours per 169, option A takes 5 % off the
// gross, and the euro is worth 6,55957 F.
class TestPayCalculation : public QObject
{
    Q_OBJECT

private slots:
    void opening();
    void openingLeavesEmptyShareEmpty_data();
    void openingLeavesEmptyShareEmpty();
    void openingWritesZeroIntoEmptyBase_data();
    void openingWritesZeroIntoEmptyBase();
    void calculationWithNothingTyped();
    void overtimeSplit_data();
    void overtimeSplit();
    void negativeHoursKeepPreviousPlainHours();
    void periodTexts_data();
    void periodTexts();
    void amountsAreRoundedBeforeTheGross();
    void euroTwinsTakenBeforeOrAfterFormatting_data();
    void euroTwinsTakenBeforeOrAfterFormatting();
    void csgBase_data();
    void csgBase();
    void totals();
    void leaveBalance_data();
    void leaveBalance();
    void netToPay_data();
    void netToPay();
    void cumulatives();
    void calculationRefusesNonNumbers_data();
    void calculationRefusesNonNumbers();
    void openingRefusesNonNumbers_data();
    void openingRefusesNonNumbers();
    void overflowIsRefused();
};

namespace {

struct Inputs
{
    EmployeeFigures employee;
    PayrollParameters parameters;
    QString euroRate = QStringLiteral("6,55957");
};

Inputs standardInputs()
{
    Inputs in;
    in.employee.NOM = QStringLiteral("DURAND");
    in.employee.BASEHORAIRE = QStringLiteral("169,0");
    in.employee.TAUXHORAIRE = QStringLiteral("10,0");
    in.employee.MDLBAC1 = QStringLiteral("0,0");
    in.employee.PP1 = QStringLiteral("0,0");
    in.employee.RAPPLS1 = QStringLiteral("0,0");
    in.employee.rates.fill(QStringLiteral("0,0"));
    in.parameters.PRETRANCHEH = QStringLiteral("25,00");
    in.parameters.DEUTRANCHEH = QStringLiteral("50");
    in.parameters.HEURSUP1 = QStringLiteral("169");
    in.parameters.HEURSUP2 = QStringLiteral("200");
    in.parameters.POURCENTCSGRDS = QStringLiteral("5");
    in.parameters.POURCENTCSGROPTIOB = QStringLiteral("0,95");
    in.parameters.conge1 = QStringLiteral("20");
    in.parameters.conge2 = QStringLiteral("169");
    in.parameters.OPTIONA = true;
    return in;
}

PaySheet opened(const Inputs &in)
{
    auto result = PayCalculation::open(in.employee, in.parameters, in.euroRate);
    if (const auto *error = std::get_if<CalculationError>(&result))
        qFatal("opening refused: %s", qPrintable(error->message));
    return std::get<PayCalculation::OpenedSheet>(result).sheet;
}

// Opens the preparation, lets the test type into it, runs the calculation.
PaySheet calculated(const Inputs &in, const std::function<void(PaySheet &)> &type = {})
{
    PaySheet sheet = opened(in);
    if (type)
        type(sheet);
    if (const auto error = PayCalculation::calculate(sheet, in.employee, in.parameters, in.euroRate))
        qFatal("calculation refused: %s", qPrintable(error->message));
    return sheet;
}

// An amount as the mask writes it: groups of thousands apart by U+202F.
QString grouped(const char *text)
{
    return QString::fromUtf8(text).replace(u' ', QChar(0x202F));
}

QString named(const PaySheet &sheet, const QString &name)
{
    for (const auto &[key, text] : sheet.namedTexts()) {
        if (key == name)
            return text;
    }
    qFatal("no value named %s", qPrintable(name));
}

// The value a refusal test spoils, by a short name: "employee:TAUXHORAIRE",
// "rate:5", "parameter:HEURSUP1", "sheet:bonus", "euro".
QString &target(Inputs &in, PaySheet &sheet, const QString &what)
{
    const QString name = what.section(u':', 1);
    if (what == QLatin1String("euro"))
        return in.euroRate;
    if (what.startsWith(QLatin1String("rate:")))
        return in.employee.rates[name.toInt()];
    const QHash<QString, QString *> values = {
        {"employee:BASEHORAIRE", &in.employee.BASEHORAIRE},
        {"employee:TAUXHORAIRE", &in.employee.TAUXHORAIRE},
        {"employee:PP1", &in.employee.PP1},
        {"employee:RAPPLS1", &in.employee.RAPPLS1},
        {"parameter:PRETRANCHEH", &in.parameters.PRETRANCHEH},
        {"parameter:DEUTRANCHEH", &in.parameters.DEUTRANCHEH},
        {"parameter:HEURSUP1", &in.parameters.HEURSUP1},
        {"parameter:HEURSUP2", &in.parameters.HEURSUP2},
        {"parameter:POURCENTCSGRDS", &in.parameters.POURCENTCSGRDS},
        {"parameter:POURCENTCSGROPTIOB", &in.parameters.POURCENTCSGROPTIOB},
        {"parameter:conge1", &in.parameters.conge1},
        {"parameter:conge2", &in.parameters.conge2},
        {"sheet:complementary_hours", &sheet.complementary_hours},
        {"sheet:absence_hours", &sheet.absence_hours},
        {"sheet:bonus", &sheet.bonus},
        {"sheet:advance", &sheet.advance},
        {"sheet:previous_cumulative_gross", &sheet.previous_cumulative_gross},
        {"sheet:leave_accrual_rate", &sheet.leave_accrual_rate},
    };
    QString *value = values.value(what);
    if (!value)
        qFatal("unknown target %s", qPrintable(what));
    return *value;
}

} // namespace

void TestPayCalculation::opening()
{
    Inputs in = standardInputs();
    in.employee.TAUXHORAIRE = QStringLiteral("43,72");
    in.employee.MDLBAC1 = QStringLiteral("200,0");
    in.employee.PP1 = QStringLiteral("120,0");
    in.employee.RAPPLS1 = QStringLiteral("80,0");
    in.employee.rates[4] = QStringLiteral("12,8");
    in.employee.rates[39] = QStringLiteral("0,8");
    const PaySheet sheet = opened(in);

    QCOMPARE(sheet.employee_name, QStringLiteral("DURAND"));
    QCOMPARE(sheet.band1_percent, QStringLiteral("25,00"));
    QCOMPARE(sheet.band2_percent, QStringLiteral("50"));
    QCOMPARE(sheet.leave_accrual_rate, QStringLiteral("0,118343195266272"));
    QCOMPARE(sheet.absence_hours, QStringLiteral("0"));
    QCOMPARE(sheet.complementary_hours, QString());
    // 169 x 43,72 = 7 388,68; 7 388,68 / 6,55957 = 1 126,397.
    QCOMPARE(sheet.base_salary, grouped("7 388,68"));
    QCOMPARE(sheet.base_salary_euro, grouped("1 126,40"));
    QCOMPARE(sheet.rate_copy[4], QStringLiteral("12,8"));
    QCOMPARE(sheet.rate_copy[39], QStringLiteral("0,8"));
    const std::array<QString, 5> copies = {"169,0", "43,72", "200,0", "120,0", "80,0"};
    QCOMPARE(sheet.base_copy, copies);
    QCOMPARE(sheet.gross_pay, QString());
}

void TestPayCalculation::openingLeavesEmptyShareEmpty_data()
{
    QTest::addColumn<QString>("share");
    QTest::addColumn<QString>("copy");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("zero") << "0,0" << "";
    QTest::newRow("some") << "180,0" << "180,0";
    QTest::newRow("negative") << "-20,0" << "-20,0";
}

void TestPayCalculation::openingLeavesEmptyShareEmpty()
{
    QFETCH(QString, share);
    QFETCH(QString, copy);
    Inputs in = standardInputs();
    in.employee.RAPPLS1 = share;
    QCOMPARE(opened(in).base_copy[4], copy);
}

void TestPayCalculation::openingWritesZeroIntoEmptyBase_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("shownBase");
    QTest::addColumn<QString>("shownRate");
    QTest::newRow("empty base") << "" << "10,0" << "0" << "10,0";
    QTest::newRow("empty rate") << "169,0" << "" << "169,0" << "0";
    QTest::newRow("both") << "" << "" << "0" << "0";
}

void TestPayCalculation::openingWritesZeroIntoEmptyBase()
{
    QFETCH(QString, base);
    QFETCH(QString, rate);
    QFETCH(QString, shownBase);
    QFETCH(QString, shownRate);
    Inputs in = standardInputs();
    in.employee.BASEHORAIRE = base;
    in.employee.TAUXHORAIRE = rate;
    const auto result = PayCalculation::open(in.employee, in.parameters, in.euroRate);
    const auto &opening = std::get<PayCalculation::OpenedSheet>(result);
    QCOMPARE(opening.employee.BASEHORAIRE, shownBase);
    QCOMPARE(opening.employee.TAUXHORAIRE, shownRate);
    QCOMPARE(opening.sheet.base_salary, QStringLiteral("0,00"));
    // The copies keep the fields as they stood before.
    QCOMPARE(opening.sheet.base_copy[0], base);
    QCOMPARE(opening.sheet.base_copy[1], rate);
}

void TestPayCalculation::calculationWithNothingTyped()
{
    Inputs in = standardInputs();
    in.employee.rates[5] = QStringLiteral("0,75"); // sickness, employee
    const PaySheet sheet = calculated(in);

    for (const char *name : {"absence_hours", "complementary_hours", "leave_hours_taken",
                                "commission_rate", "commission_base", "advance", "bonus",
                                "previous_leave_balance", "previous_cumulative_taxable",
                                "previous_cumulative_gross"})
        QCOMPARE(named(sheet, QLatin1String(name)), QStringLiteral("0"));
    QCOMPARE(sheet.period_start_text, QStringLiteral("//"));
    QCOMPARE(sheet.period_end_text, QStringLiteral("//"));
    QCOMPARE(sheet.gross_pay, grouped("1 690,00"));
    QCOMPARE(sheet.contributions[2].employee, QStringLiteral("12,675"));
    QCOMPARE(sheet.employee_total, QStringLiteral("12,68"));
    QCOMPARE(sheet.net_to_pay, grouped("1 677,32"));
}

void TestPayCalculation::overtimeSplit_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected"); // hours and amount: plain, band 1, band 2

    // B = 169, H1 = 169, H2 = 200, P1 = 25, P2 = 50, T = 10: no plain hours,
    // band 1 for the 31 hours up to 200 at 12,5, band 2 beyond at 15.
    QTest::newRow("beyond band 1") << "169" << "40"
                                   << QStringList{"0", "0,00", "31", "387,50", "9", "135,00"};
    QTest::newRow("within band 1") << "169" << "10"
                                   << QStringList{"0", "0,00", "10", "125,00", "0", "0,00"};
    QTest::newRow("exactly band 1 limit") << "169" << "31"
                                          << QStringList{"0", "0,00", "31", "387,50", "0", "0,00"};
    QTest::newRow("just beyond") << "169" << "31,5"
                                 << QStringList{"0", "0,00", "31", "387,50", "0,5", "7,50"};
    // A base of 160 hours has 9 plain hours before band 1.
    QTest::newRow("plain hours, typed text kept") << "160" << "4,50"
                                                  << QStringList{"4,50", "45,00", "0", "0,00", "0", "0,00"};
    QTest::newRow("exactly plain limit") << "160" << "9"
                                         << QStringList{"9", "90,00", "0", "0,00", "0", "0,00"};
    QTest::newRow("past plain limit") << "160" << "12"
                                      << QStringList{"9", "90,00", "3", "37,50", "0", "0,00"};
    // A base above H1 pays the majoration of its hours above H1 even with
    // nothing typed: -5 plain hours and 5 hours in band 1.
    QTest::newRow("base above H1") << "174" << ""
                                   << QStringList{"-5", "-50,00", "5", "62,50", "0", "0,00"};
    QTest::newRow("negative pays nothing") << "169" << "-3"
                                           << QStringList{"", "0,00", "0", "0,00", "0", "0,00"};
}

void TestPayCalculation::overtimeSplit()
{
    QFETCH(QString, base);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    Inputs in = standardInputs();
    in.employee.BASEHORAIRE = base;
    const PaySheet sheet = calculated(in, [&](PaySheet &s) { s.complementary_hours = typed; });

    const QStringList actual = {sheet.plain_comp_hours, sheet.plain_comp_amount,
                                sheet.band1_hours,      sheet.band1_amount,
                                sheet.band2_hours,      sheet.band2_amount};
    QCOMPARE(actual, expected);
}

void TestPayCalculation::negativeHoursKeepPreviousPlainHours()
{
    Inputs in = standardInputs();
    in.employee.BASEHORAIRE = QStringLiteral("160");
    PaySheet sheet = calculated(in, [](PaySheet &s) { s.complementary_hours = QStringLiteral("4"); });
    QCOMPARE(sheet.plain_comp_hours, QStringLiteral("4"));

    sheet.complementary_hours = QStringLiteral("-2");
    QVERIFY(!PayCalculation::calculate(sheet, in.employee, in.parameters, in.euroRate));
    QCOMPARE(sheet.plain_comp_hours, QStringLiteral("4"));
    QCOMPARE(sheet.plain_comp_amount, QStringLiteral("0,00"));
}

void TestPayCalculation::periodTexts_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    QTest::newRow("date") << QStringList{"01", "03", "2001"} << "jeudi 01 mars 2001";
    QTest::newRow("short forms") << QStringList{"1", "3", "01"} << "jeudi 01 mars 2001";
    QTest::newRow("empty") << QStringList{"", "", ""} << "//";
    QTest::newRow("no such day") << QStringList{"31", "02", "2001"} << "31/02/2001";
    QTest::newRow("letters") << QStringList{"ab", "c", "d"} << "ab/c/d";
}

void TestPayCalculation::periodTexts()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    const PaySheet sheet = calculated(standardInputs(), [&](PaySheet &s) {
        s.period_start_day = s.period_end_day = fields[0];
        s.period_start_month = s.period_end_month = fields[1];
        s.period_start_year = s.period_end_year = fields[2];
    });
    QCOMPARE(sheet.period_start_text, text);
    QCOMPARE(sheet.period_end_text, text);
}

// Every component of the gross is rounded to the centime before the sum.
// With T = 0,201, 5 hours in each band and of leave and absence, each
// amount is 1,005 and counts 1,01; the base salary 169 x 0,201 = 33,969
// counts 33,97: 33,97 + 5 x 1,01 - 1,01 = 38,01, where unrounded amounts
// would give 37,99.
void TestPayCalculation::amountsAreRoundedBeforeTheGross()
{
    Inputs in = standardInputs();
    in.employee.TAUXHORAIRE = QStringLiteral("0,201");
    in.parameters.PRETRANCHEH = in.parameters.DEUTRANCHEH = QStringLiteral("0");
    in.parameters.HEURSUP1 = QStringLiteral("174");
    in.parameters.HEURSUP2 = QStringLiteral("179");
    const PaySheet sheet = calculated(in, [](PaySheet &s) {
        s.complementary_hours = QStringLiteral("15");
        s.leave_hours_taken = QStringLiteral("5");
        s.absence_hours = QStringLiteral("5");
        s.commission_base = QStringLiteral("1005");
        s.commission_rate = QStringLiteral("0,1");
    });
    QCOMPARE(sheet.base_salary, QStringLiteral("33,97"));
    for (const QString &amount : {sheet.plain_comp_amount, sheet.band1_amount, sheet.band2_amount,
                                  sheet.leave_amount, sheet.absence_amount, sheet.commission_amount})
        QCOMPARE(amount, QStringLiteral("1,01"));
    QCOMPARE(sheet.gross_pay, QStringLiteral("38,01"));
}

// With one euro worth 0,5 F a twin doubles the amount, so a twin taken from
// an amount of 1,005 reads 2,01 and one taken from its rounded 1,01 reads
// 2,02: the table says which twin comes from which. The employee works 5
// hours at 0,201 F, so each amount below is 1,005 F.
void TestPayCalculation::euroTwinsTakenBeforeOrAfterFormatting_data()
{
    QTest::addColumn<QString>("twin");
    QTest::addColumn<QString>("expected");
    QTest::newRow("base salary, rounded") << "base_salary_euro" << "2,02";
    QTest::newRow("plain hours, unrounded") << "plain_comp_amount_euro" << "2,01";
    QTest::newRow("band 1, rounded") << "band1_amount_euro" << "2,02";
    QTest::newRow("band 2, unrounded") << "band2_amount_euro" << "2,01";
    QTest::newRow("leave, unrounded") << "leave_amount_euro" << "2,01";
    QTest::newRow("absence, unrounded") << "absence_amount_euro" << "2,01";
    QTest::newRow("commission, unrounded") << "commission_amount_euro" << "2,01";
    // 6 x 1,01 + bonus 0,005 - 1,01 = 5,055, formatted 5,06.
    QTest::newRow("gross, rounded") << "gross_pay_euro" << "10,12";
    // 25 % of 5,06 = 1,265.
    QTest::newRow("employer total, unrounded") << "employer_total_euro" << "2,53";
    // CSG/RDS 25 % of a base of 5,06 = 1,265.
    QTest::newRow("employee total, unrounded") << "employee_total_euro" << "2,53";
    // 5,06 - 1,27 - RAPPLS1 0,005 = 3,785.
    QTest::newRow("net to pay, unrounded") << "net_to_pay_euro" << "7,57";
    // 1,265 + 3,79 = 5,055.
    QTest::newRow("taxable net, unrounded") << "taxable_net_euro" << "10,11";
    // 5,06 + 0,005 = 5,065.
    QTest::newRow("cumulative taxable, unrounded") << "cumulative_taxable_euro" << "10,13";
}

void TestPayCalculation::euroTwinsTakenBeforeOrAfterFormatting()
{
    QFETCH(QString, twin);
    QFETCH(QString, expected);
    Inputs in = standardInputs();
    in.euroRate = QStringLiteral("0,5");
    in.employee.BASEHORAIRE = QStringLiteral("5");
    in.employee.TAUXHORAIRE = QStringLiteral("0,201");
    in.employee.RAPPLS1 = QStringLiteral("0,005");
    in.employee.rates[4] = QStringLiteral("25"); // sickness, employer
    in.employee.rates[1] = QStringLiteral("25"); // CSG/RDS, employee
    in.parameters.POURCENTCSGRDS = QStringLiteral("0");
    in.parameters.PRETRANCHEH = in.parameters.DEUTRANCHEH = QStringLiteral("0");
    in.parameters.HEURSUP1 = QStringLiteral("10");
    in.parameters.HEURSUP2 = QStringLiteral("15");
    const PaySheet sheet = calculated(in, [](PaySheet &s) {
        s.complementary_hours = QStringLiteral("15"); // 5 plain, 5 in each band
        s.leave_hours_taken = QStringLiteral("5");
        s.absence_hours = QStringLiteral("5");
        s.commission_base = QStringLiteral("1005");
        s.commission_rate = QStringLiteral("0,1");
        s.bonus = QStringLiteral("0,005");
        s.previous_cumulative_taxable = QStringLiteral("0,005");
    });
    QCOMPARE(sheet.gross_pay, QStringLiteral("5,06"));
    QCOMPARE(named(sheet, twin), expected);
}

void TestPayCalculation::csgBase_data()
{
    QTest::addColumn<bool>("optionA");
    QTest::addColumn<bool>("optionB");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("employerShare");
    QTest::addColumn<QString>("param1Employer");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("csgRdsEmployee");

    // Gross 100,00; option A takes 5 % off; CSG/RDS employee rate 3,4.
    QTest::newRow("option A") << true << false << "0,95" << "0" << "0" << "95" << "3,23";
    QTest::newRow("neither ticked: option A") << false << false << "0,95" << "0" << "0" << "95" << "3,23";
    QTest::newRow("both ticked: A tested first") << true << true << "0,95" << "0" << "0" << "95" << "3,23";
    QTest::newRow("option B") << false << true << "0,95" << "0" << "0" << "95" << "3,23";
    QTest::newRow("option B, factor typed as 95") << false << true << "95" << "0" << "0" << "9500" << "323";
    // (50 + 2 + 100) x 0,95 = 144,4, the employer's share of line 17 being 2 % of 100.
    QTest::newRow("option B, shares") << false << true << "0,95" << "50" << "2" << "144,4" << "4,9096";
}

void TestPayCalculation::csgBase()
{
    QFETCH(bool, optionA);
    QFETCH(bool, optionB);
    QFETCH(QString, factor);
    QFETCH(QString, employerShare);
    QFETCH(QString, param1Employer);
    QFETCH(QString, base);
    QFETCH(QString, csgRdsEmployee);
    Inputs in = standardInputs();
    in.employee.BASEHORAIRE = QStringLiteral("10");
    in.parameters.OPTIONA = optionA;
    in.parameters.OPTIONB = optionB;
    in.parameters.POURCENTCSGROPTIOB = factor;
    in.employee.PP1 = employerShare;
    in.employee.rates[34] = param1Employer;
    in.employee.rates[1] = QStringLiteral("3,4");
    const PaySheet sheet = calculated(in);
    QCOMPARE(sheet.gross_pay, QStringLiteral("100,00"));
    QCOMPARE(sheet.csg_base, base);
    QCOMPARE(sheet.contributions[0].employee, csgRdsEmployee);
}

// Amounts stay unrounded; each total is rounded once. The CSG/RDS employer
// amounts belong to no total, the employer's mutual-insurance share does.
void TestPayCalculation::totals()
{
    Inputs in = standardInputs();
    in.employee.BASEHORAIRE = QStringLiteral("10");
    in.employee.PP1 = QStringLiteral("50");
    in.employee.rates[0] = QStringLiteral("7");      // CSG/RDS employer: in no total
    in.employee.rates[2] = QStringLiteral("3");      // CSG deductible employer: in no total
    in.employee.rates[4] = QStringLiteral("0,125");  // sickness employer 0,125
    in.employee.rates[7] = QStringLiteral("0,0125"); // widowhood employee 0,0125
    in.employee.rates[39] = QStringLiteral("0,0125");// param3 employee 0,0125
    in.employee.rates[3] = QStringLiteral("2");      // CSG deductible employee: 2 % of 95 = 1,9
    const PaySheet sheet = calculated(in);
    QCOMPARE(sheet.contributions[0].employer, QStringLiteral("6,65"));
    QCOMPARE(sheet.contributions[2].employer, QStringLiteral("0,125"));
    QCOMPARE(sheet.contributions[3].employee, QStringLiteral("0,0125"));
    QCOMPARE(sheet.employer_total, QStringLiteral("50,13"));
    // 0,0125 + 0,0125 + 1,9 = 1,925: rounded once, not 0,01 + 0,01 + 1,90.
    QCOMPARE(sheet.employee_total, QStringLiteral("1,93"));
}

void TestPayCalculation::leaveBalance_data()
{
    QTest::addColumn<QString>("absence");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("complementary");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QStringList>("expected"); // hours worked, basis, balance

    QTest::newRow("full month") << "" << "" << "" << "" << QStringList{"169", "169", "20"};
    // 161 x 20 / 169 - 8 = 11,05: 11 whole hours.
    QTest::newRow("absence and leave") << "8" << "8" << "" << ""
                                       << QStringList{"161", "161", "11"};
    // 12 + 179 x 20 / 169 = 33,18.
    QTest::newRow("complementary hours and balance") << "" << "" << "10" << "12"
                                                     << QStringList{"169", "179", "33"};
    // More leave taken than due: 20 - 30.
    QTest::newRow("overdrawn") << "" << "30" << "" << "" << QStringList{"169", "169", "-10"};
}

void TestPayCalculation::leaveBalance()
{
    QFETCH(QString, absence);
    QFETCH(QString, taken);
    QFETCH(QString, complementary);
    QFETCH(QString, previous);
    QFETCH(QStringList, expected);
    const PaySheet sheet = calculated(standardInputs(), [&](PaySheet &s) {
        s.absence_hours = absence;
        s.leave_hours_taken = taken;
        s.complementary_hours = complementary;
        s.previous_leave_balance = previous;
    });
    QCOMPARE((QStringList{sheet.hours_worked, sheet.leave_basis_hours, sheet.leave_balance}), expected);
}

void TestPayCalculation::netToPay_data()
{
    QTest::addColumn<QString>("advance");
    QTest::addColumn<QString>("netToPay");
    // Gross 100,00, employee total 20,00, RAPPLS1 5: net salary 80.
    QTest::newRow("advance 30") << "30" << "45,00";
    QTest::newRow("no advance") << "" << "75,00";
    QTest::newRow("advance above the net") << "100" << "-25,00";
}

void TestPayCalculation::netToPay()
{
    QFETCH(QString, advance);
    QFETCH(QString, netToPay);
    Inputs in = standardInputs();
    in.employee.BASEHORAIRE = QStringLiteral("10");
    in.employee.RAPPLS1 = QStringLiteral("5,0");
    in.employee.rates[5] = QStringLiteral("20");
    const PaySheet sheet = calculated(in, [&](PaySheet &s) { s.advance = advance; });
    QCOMPARE(sheet.employee_total, QStringLiteral("20,00"));
    QCOMPARE(sheet.net_salary, QStringLiteral("80"));
    QCOMPARE(sheet.net_to_pay, netToPay);
}

void TestPayCalculation::cumulatives()
{
    Inputs in = standardInputs();
    in.employee.BASEHORAIRE = QStringLiteral("10");
    in.employee.rates[1] = QStringLiteral("2,9");  // CSG/RDS employee: 2,9 % of 95 = 2,755
    in.employee.rates[3] = QStringLiteral("5,1");  // CSG deductible employee: 4,845
    PaySheet sheet = calculated(in);
    QCOMPARE(sheet.net_salary, QStringLiteral("92,4"));
    // The taxable net adds back the unrounded 2,755: 95,155.
    QCOMPARE(sheet.taxable_net, QStringLiteral("95,16"));
    QCOMPARE(sheet.cumulative_taxable, sheet.taxable_net);
    QCOMPARE(sheet.cumulative_gross, sheet.gross_pay);
    QCOMPARE(sheet.cumulative_gross_formula, (FormulaEntry{888, "CUM='100,00'"}));

    sheet.previous_cumulative_taxable = QStringLiteral("1000,5");
    sheet.previous_cumulative_gross = QStringLiteral("12000");
    QVERIFY(!PayCalculation::calculate(sheet, in.employee, in.parameters, in.euroRate));
    QCOMPARE(sheet.cumulative_taxable, grouped("1 095,66"));
    QCOMPARE(sheet.cumulative_gross, grouped("12 100,00"));
    QCOMPARE(sheet.cumulative_gross_formula.text, grouped("CUM='12 100,00'"));
}

void TestPayCalculation::calculationRefusesNonNumbers_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");

    QTest::newRow("hourly rate pasted as text")
        << "employee:TAUXHORAIRE" << "dix" << "TAUXHORAIRE"
        << "Le taux horaire de l’employé n’est pas un nombre. "
           "Corrigez-le dans la fiche salarié, onglet Base.";
    QTest::newRow("hourly base emptied since opening")
        << "employee:BASEHORAIRE" << "" << "BASEHORAIRE"
        << "La base horaire de l’employé est vide. Corrigez-la dans la fiche salarié, onglet Base.";
    QTest::newRow("overtime threshold empty")
        << "parameter:HEURSUP1" << "" << "HEURSUP1"
        << "Le paramètre « heures supplémentaires, premier seuil » (HEURSUP1) est vide. "
           "Corrigez-le dans Paramètrage > Paramètre Général, onglet Taux heures sup.";
    QTest::newRow("second threshold typed with letters")
        << "parameter:HEURSUP2" << "200h" << "HEURSUP2"
        << "Le paramètre « heures supplémentaires, second seuil » (HEURSUP2) n’est pas un nombre. "
           "Corrigez-le dans Paramètrage > Paramètre Général, onglet Taux heures sup.";
    QTest::newRow("band 1 majoration") << "parameter:PRETRANCHEH" << "" << "PRETRANCHEH" << "";
    QTest::newRow("band 2 majoration") << "parameter:DEUTRANCHEH" << "x" << "DEUTRANCHEH" << "";
    QTest::newRow("option A percentage")
        << "parameter:POURCENTCSGRDS" << "" << "POURCENTCSGRDS"
        << "Le paramètre « pourcentage déduit du brut pour la base CSG et RDS (option A) » "
           "(POURCENTCSGRDS) est vide. Corrigez-le dans Paramètrage > Paramètre Général, "
           "onglet Calcul CSG RDS.";
    QTest::newRow("zero euro rate")
        << "euro" << "0" << "Taux de L'euro"
        << "Le taux de l’euro est nul. Corrigez-le dans Paramètrage > Taux de l'euro.";
    QTest::newRow("empty euro rate") << "euro" << "" << "Taux de L'euro" << "";
    QTest::newRow("sickness employee rate")
        << "rate:5" << "0,75 %" << "Assurance Maladie/SAL"
        << "Le taux salarial « Assurance Maladie » de l’employé (Assurance Maladie/SAL) "
           "n’est pas un nombre. Corrigez-le dans la fiche salarié, onglet Taux des Cotisations.";
    QTest::newRow("twentieth line employer rate")
        << "rate:38" << "" << "TAUPAR3/PATR"
        << "Le taux patronal de la vingtième ligne de cotisation de l’employé (TAUPAR3/PATR) "
           "est vide. Corrigez-le dans la fiche salarié, onglet Taux des Cotisations.";
    QTest::newRow("CSG deductible employer rate")
        << "rate:2" << "abc" << "CSG déductible/PATR" << "";
    QTest::newRow("employer mutual share") << "employee:PP1" << "" << "PP1" << "";
    QTest::newRow("employee mutual share")
        << "employee:RAPPLS1" << "n/a" << "RAPPLS1"
        << "Le reste à payer de la mutuelle par l’employé n’est pas un nombre. Il se recalcule "
           "dès que le montant de la base ou la part patronale de la mutuelle est modifié dans "
           "la fiche salarié, onglet Base.";
    QTest::newRow("bonus pasted as text")
        << "sheet:bonus" << "cent" << "bonus"
        << "Le champ « Prime » n’est pas un nombre. "
           "Corrigez-le dans la préparation de la fiche de paie.";
    QTest::newRow("complementary hours") << "sheet:complementary_hours" << "," << "complementary_hours" << "";
    QTest::newRow("absence hours") << "sheet:absence_hours" << "1,2,3" << "absence_hours" << "";
    QTest::newRow("advance") << "sheet:advance" << "--1" << "advance" << "";
    QTest::newRow("previous cumulative gross")
        << "sheet:previous_cumulative_gross" << "1e3" << "previous_cumulative_gross" << "";
    QTest::newRow("sheet never opened")
        << "sheet:leave_accrual_rate" << "" << "leave_accrual_rate" << "";
}

// A value that is not a number stops the run before any result changes, and
// the message names it and the screen where it is corrected.
void TestPayCalculation::calculationRefusesNonNumbers()
{
    QFETCH(QString, what);
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, message);
    Inputs in = standardInputs();
    PaySheet sheet = calculated(in, [](PaySheet &s) { s.complementary_hours = QStringLiteral("3"); });
    target(in, sheet, what) = text;
    const PaySheet before = sheet;

    const auto error = PayCalculation::calculate(sheet, in.employee, in.parameters, in.euroRate);
    QVERIFY(error);
    QCOMPARE(error->value, value);
    if (!message.isEmpty())
        QCOMPARE(error->message, message);
    QVERIFY2(error->message.contains(value) || what.startsWith(QLatin1String("employee:"))
                 || what.startsWith(QLatin1String("sheet:")) || what == QLatin1String("euro"),
             qPrintable(error->message));
    QVERIFY(error->message.contains(QLatin1String("Corrigez"))
            || error->message.contains(QLatin1String("rouvrez"))
            || error->message.contains(QLatin1String("onglet Base")));
    QVERIFY(sheet == before);
}

void TestPayCalculation::openingRefusesNonNumbers_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");

    QTest::newRow("conge2 zero")
        << "parameter:conge2" << "0" << "conge2"
        << "Le paramètre « base d’heures des congés payés » (conge2) est nul. "
           "Corrigez-le dans Paramètrage > Paramètre Général, onglet Congés Payés.";
    QTest::newRow("conge1 empty") << "parameter:conge1" << "" << "conge1" << "";
    QTest::newRow("hourly rate") << "employee:TAUXHORAIRE" << "1O" << "TAUXHORAIRE" << "";
    QTest::newRow("euro rate") << "euro" << "0,0" << "Taux de L'euro" << "";
}

void TestPayCalculation::openingRefusesNonNumbers()
{
    QFETCH(QString, what);
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, message);
    Inputs in = standardInputs();
    PaySheet unused;
    target(in, unused, what) = text;
    const auto result = PayCalculation::open(in.employee, in.parameters, in.euroRate);
    const auto *error = std::get_if<CalculationError>(&result);
    QVERIFY(error);
    QCOMPARE(error->value, value);
    if (!message.isEmpty())
        QCOMPARE(error->message, message);
}

void TestPayCalculation::overflowIsRefused()
{
    Inputs in = standardInputs();
    PaySheet sheet = opened(in);
    // A bonus of 10^300 F is a number, but its sickness contribution at a
    // rate of 10^20 % is beyond any double.
    sheet.bonus = QString(300, u'9');
    in.employee.rates[5] = QStringLiteral("1") + QString(20, u'0');
    const PaySheet typed = sheet;
    const auto error = PayCalculation::calculate(sheet, in.employee, in.parameters, in.euroRate);
    QVERIFY(error);
    QCOMPARE(error->value, QStringLiteral("calcul"));
    QVERIFY(sheet == typed);
}

QTEST_GUILESS_MAIN(TestPayCalculation)
#include "tst_paycalculation.moc"
