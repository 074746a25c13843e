#include "paycalculation.h"
#include "payrun.h"
#include "payrunhistory.h"
#include "payrunslipname.h"
#include "payruntestsupport.h"
#include "payslipfilename.h"
#include "storedpayinputs.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace PayRunTestSupport;

// The month's pay run without any screen: its period, the systematic names
// of its slips, and every row computed exactly as `quorvan payslip` computes
// the same employee — a refused row keeping the calculation's own message
// while the others compute — with the totals of the computed rows only.
class TestPayRunRows : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void monthPeriod_data();
    void monthPeriod();
    void typedPeriod_data();
    void typedPeriod();
    void slipNamePassesTheSaveDialogAndSortsByPeriod_data();
    void slipNamePassesTheSaveDialogAndSortsByPeriod();

    void rowComputesAsThePayslipCommand();
    void refusedRowKeepsTheCalculationsMessage_data();
    void refusedRowKeepsTheCalculationsMessage();
    void totalsSumOnlyTheComputedRows();
    void changedFigureClearsTheResult();
    void employeeFoundAsTheCommandLineFindsIt_data();
    void employeeFoundAsTheCommandLineFindsIt();
    void carriedFigureChangedByHandIsMarked();

private:
    PayRun march() const;
    // What `quorvan payslip` computes for the employee with these figures.
    std::variant<PaySheet, QString> payslip(const QString &employee, const QList<std::pair<QString PaySheet::*, QString>> &typed) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QString grouped(const char *text)
{
    static const QRegularExpression between(QStringLiteral("(?<=\\d) (?=\\d)"));
    return QString::fromUtf8(text).replace(between, QString(QChar(0x202F)));
}

const PayRunPeriod March = PayRunPeriod::month(2001, 3);

} // namespace

void TestPayRunRows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(writeDemo(m_dir->path()));
}

PayRun TestPayRunRows::march() const
{
    auto opened = PayRun::open(m_dir->path(), March, PayRunHistory(m_dir->path()));
    if (const QString *error = std::get_if<QString>(&opened))
        qFatal("%s", qPrintable(*error));
    return std::get<PayRun>(opened);
}

std::variant<PaySheet, QString> TestPayRunRows::payslip(const QString &employee,
                                                        const QList<std::pair<QString PaySheet::*, QString>> &typed) const
{
    auto loaded = StoredPayInputs::load(m_dir->path(), employee);
    if (const QString *error = std::get_if<QString>(&loaded))
        return *error;
    const StoredPayInputs &inputs = std::get<StoredPayInputs>(loaded);
    auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    if (const auto *error = std::get_if<CalculationError>(&opening))
        return error->message;
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    for (const auto &[field, text] : typed)
        opened.sheet.*field = text;
    opened.sheet.period_start_day = QStringLiteral("01");
    opened.sheet.period_start_month = QStringLiteral("03");
    opened.sheet.period_start_year = QStringLiteral("2001");
    opened.sheet.period_end_day = QStringLiteral("31");
    opened.sheet.period_end_month = QStringLiteral("03");
    opened.sheet.period_end_year = QStringLiteral("2001");
    if (const auto error = PayCalculation::calculate(opened.sheet, opened.employee, inputs.parameters, inputs.euroRate))
        return error->message;
    return opened.sheet;
}

void TestPayRunRows::monthPeriod_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("key");
    QTest::newRow("March") << 2001 << 3 << "01/03/2001" << "31/03/2001" << "2001-03";
    QTest::newRow("February") << 2001 << 2 << "01/02/2001" << "28/02/2001" << "2001-02";
    QTest::newRow("leap February") << 2000 << 2 << "01/02/2000" << "29/02/2000" << "2000-02";
    QTest::newRow("December") << 2001 << 12 << "01/12/2001" << "31/12/2001" << "2001-12";
}

void TestPayRunRows::monthPeriod()
{
    QFETCH(int, year);
    QFETCH(int, month);
    const PayRunPeriod period = PayRunPeriod::month(year, month);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, key);
    QCOMPARE(PayRunPeriod::dayText(period.first()), first);
    QCOMPARE(PayRunPeriod::dayText(period.last()), last);
    QVERIFY(period.isWholeMonth());
    QCOMPARE(period.key(), key);
}

void TestPayRunRows::typedPeriod_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("key");     // empty when refused
    QTest::addColumn<QString>("refusal"); // a part of the message
    QTest::newRow("whole month typed") << "01/03/2001" << "31/03/2001" << "2001-03" << "";
    QTest::newRow("two-digit year") << "1/3/01" << "31/3/01" << "2001-03" << "";
    QTest::newRow("half a month") << "01/03/2001" << "15/03/2001" << "2001-03-01 au 2001-03-15" << "";
    QTest::newRow("across two months") << "16/03/2001" << "15/04/2001" << "2001-03-16 au 2001-04-15" << "";
    QTest::newRow("no such day") << "32/03/2001" << "31/03/2001" << "" << "« 32/03/2001 » n’est pas une date";
    QTest::newRow("letters") << "01/03/2001" << "fin mars" << "" << "« fin mars » n’est pas une date";
    QTest::newRow("empty") << "" << "31/03/2001" << "" << "n’est pas une date";
    QTest::newRow("end before start") << "31/03/2001" << "01/03/2001" << ""
                                      << "Le dernier jour de la période (01/03/2001) précède le premier (31/03/2001).";
}

void TestPayRunRows::typedPeriod()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, key);
    QFETCH(QString, refusal);
    const auto read = PayRunPeriod::read(first, last);
    if (key.isEmpty()) {
        QVERIFY(std::holds_alternative<QString>(read));
        QVERIFY2(std::get<QString>(read).contains(refusal), qPrintable(std::get<QString>(read)));
    } else {
        QVERIFY(std::holds_alternative<PayRunPeriod>(read));
        QCOMPARE(std::get<PayRunPeriod>(read).key(), key);
    }
}

void TestPayRunRows::slipNamePassesTheSaveDialogAndSortsByPeriod_data()
{
    QTest::addColumn<PayRunPeriod>("period");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << March << "MOREAU CÉLINE" << "2001-03 MOREAU CÉLINE.rpt";
    QTest::newRow("apostrophe") << March << "D’ALMEIDA JOSÉ" << "2001-03 D’ALMEIDA JOSÉ.rpt";
    QTest::newRow("refused characters") << March << "DUPONT/DURAND: A*B?" << "2001-03 DUPONT DURAND A B.rpt";
    QTest::newRow("control character") << March << "NOM\tPRENOM" << "2001-03 NOM PRENOM.rpt";
    QTest::newRow("part of a month") << PayRunPeriod(QDate(2001, 3, 1), QDate(2001, 3, 15)) << "MOREAU CÉLINE"
                                     << "2001-03-01 au 2001-03-15 MOREAU CÉLINE.rpt";
}

void TestPayRunRows::slipNamePassesTheSaveDialogAndSortsByPeriod()
{
    QFETCH(PayRunPeriod, period);
    QFETCH(QString, names);
    QFETCH(QString, fileName);
    QCOMPARE(PayRunSlipName::fileName(period, names), fileName);
    QCOMPARE(PayslipFileName::refusal(PayRunSlipName::name(period, names)), QString());

    // The archive lists by name: period first, then the employee.
    QStringList files{PayRunSlipName::fileName(PayRunPeriod::month(2001, 11), QStringLiteral("ABEL ANNE")),
                      PayRunSlipName::fileName(PayRunPeriod::month(2001, 2), QStringLiteral("ZOLA EMILE")),
                      PayRunSlipName::fileName(PayRunPeriod::month(2000, 12), QStringLiteral("MOREAU CÉLINE")),
                      PayRunSlipName::fileName(PayRunPeriod::month(2001, 2), QStringLiteral("ABEL ANNE"))};
    std::sort(files.begin(), files.end());
    QCOMPARE(files, (QStringList{QStringLiteral("2000-12 MOREAU CÉLINE.rpt"), QStringLiteral("2001-02 ABEL ANNE.rpt"),
                                 QStringLiteral("2001-02 ZOLA EMILE.rpt"), QStringLiteral("2001-11 ABEL ANNE.rpt")}));
}

void TestPayRunRows::rowComputesAsThePayslipCommand()
{
    PayRun run = march();
    QCOMPARE(run.size(), 3);
    QCOMPARE(run.row(0).identification, Moreau);
    const std::optional<int> moreau = run.findEmployee(Moreau);
    QVERIFY(moreau);
    run.setFigure(*moreau, PayRunFigures::ComplementaryHours, QStringLiteral("10"));
    run.setFigure(*moreau, PayRunFigures::Bonus, QStringLiteral("500"));
    run.setFigure(*moreau, PayRunFigures::Advance, QStringLiteral("1000"));
    run.setFigure(*moreau, PayRunFigures::PreviousCumulativeGross, QStringLiteral("14777,36"));
    run.calculate();

    const auto expected = payslip(Moreau, {{&PaySheet::complementary_hours, QStringLiteral("10")},
                                           {&PaySheet::bonus, QStringLiteral("500")},
                                           {&PaySheet::advance, QStringLiteral("1000")},
                                           {&PaySheet::previous_cumulative_gross, QStringLiteral("14777,36")}});
    QVERIFY(std::holds_alternative<PaySheet>(expected));
    const PayRunRow &row = run.row(*moreau);
    QVERIFY(row.computed);
    QCOMPARE(row.refusal, QString());
    QCOMPARE(row.computed->sheet.gross_pay, std::get<PaySheet>(expected).gross_pay);
    QCOMPARE(row.computed->sheet.net_to_pay, std::get<PaySheet>(expected).net_to_pay);
    QCOMPARE(row.computed->sheet.cumulative_gross, std::get<PaySheet>(expected).cumulative_gross);
    QVERIFY(row.computed->sheet == std::get<PaySheet>(expected));
    // An employee with nothing typed computes as a freshly opened preparation.
    const auto lambert = payslip(Lambert, {});
    QVERIFY(run.row(2).computed->sheet == std::get<PaySheet>(lambert));
}

void TestPayRunRows::refusedRowKeepsTheCalculationsMessage_data()
{
    QTest::addColumn<QString>("column");  // stored field of D’ALMEIDA changed, or empty
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("figure");      // figure typed, or -1
    QTest::addColumn<QString>("typed");
    QTest::newRow("hourly rate not a number") << "TAUXHORAIRE" << "dix" << -1 << "";
    QTest::newRow("hourly base not a number") << "BASEHORAIRE" << "169 h" << -1 << "";
    QTest::newRow("a rate not a number") << "Assurance Maladie/SAL" << "6,55 %" << -1 << "";
    QTest::newRow("bonus pasted with letters") << "" << "" << int(PayRunFigures::Bonus) << "500 F";
    QTest::newRow("carried gross not a number") << "" << "" << int(PayRunFigures::PreviousCumulativeGross) << "1.234,5";
}

void TestPayRunRows::refusedRowKeepsTheCalculationsMessage()
{
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(int, figure);
    QFETCH(QString, typed);
    if (!column.isEmpty())
        QVERIFY(setEmployeeField(m_dir->path(), Almeida, column, stored));
    PayRun run = march();
    QList<std::pair<QString PaySheet::*, QString>> typedFields;
    if (figure >= 0) {
        run.setFigure(1, figure, typed);
        typedFields.append({PayRunFigures::definitions()[figure].field, typed});
    }
    run.calculate();

    const auto expected = payslip(Almeida, typedFields);
    QVERIFY(std::holds_alternative<QString>(expected));
    QCOMPARE(run.row(1).refusal, std::get<QString>(expected));
    QVERIFY(!run.row(1).computed);
    QVERIFY(run.row(0).computed);
    QVERIFY(run.row(2).computed);
    QCOMPARE(run.computedRows(), (QList<int>{0, 2}));
}

void TestPayRunRows::totalsSumOnlyTheComputedRows()
{
    PayRun run = march();
    run.calculate();
    PayRunTotals totals = run.totals();
    QCOMPARE(totals.computed, 3);
    QCOMPARE(totals.refused, 0);
    QCOMPARE(totals.grossPay, grouped("31 640,18"));
    QCOMPARE(totals.employeeTotal, grouped("6 672,12"));
    QCOMPARE(totals.employerTotal, grouped("13 343,25"));
    QCOMPARE(totals.netToPay, grouped("24 738,06"));

    run.setFigure(1, PayRunFigures::AbsenceHours, QStringLiteral("trois"));
    run.calculate();
    totals = run.totals();
    QCOMPARE(totals.computed, 2);
    QCOMPARE(totals.refused, 1);
    // MOREAU and LAMBERT: 7 388,68 + 14 365,00 and so on.
    QCOMPARE(totals.grossPay, grouped("21 753,68"));
    QCOMPARE(totals.employeeTotal, grouped("4 546,52"));
    QCOMPARE(totals.employerTotal, grouped("9 284,84"));
    QCOMPARE(totals.netToPay, grouped("16 977,16"));
}

void TestPayRunRows::changedFigureClearsTheResult()
{
    PayRun run = march();
    run.calculate();
    QVERIFY(run.row(0).computed);
    run.setSaved(0, QStringLiteral("2001-03 MOREAU CÉLINE.rpt"));
    QVERIFY(run.row(0).savedCurrent);

    run.setFigure(0, PayRunFigures::Bonus, QString());
    QVERIFY(run.row(0).computed); // the same text: nothing changed
    run.setFigure(0, PayRunFigures::Bonus, QStringLiteral("100"));
    QVERIFY(!run.row(0).computed);
    QVERIFY(!run.row(0).savedCurrent);
    QCOMPARE(run.row(0).savedFile, QStringLiteral("2001-03 MOREAU CÉLINE.rpt"));
    QVERIFY(run.row(1).computed);
    QCOMPARE(run.totals().computed, 2);
}

void TestPayRunRows::employeeFoundAsTheCommandLineFindsIt_data()
{
    QTest::addColumn<QString>("designation");
    QTest::addColumn<int>("row");
    QTest::newRow("as stored") << "MOREAU , CÉLINE" << 0;
    QTest::newRow("lower case") << "lambert , élise" << 2;
    QTest::newRow("straight apostrophe") << "d'almeida , josé" << 1;
    QTest::newRow("unknown") << "DUPONT , JEAN" << -1;
    QTest::newRow("name without first name") << "MOREAU" << -1;
}

void TestPayRunRows::employeeFoundAsTheCommandLineFindsIt()
{
    QFETCH(QString, designation);
    QFETCH(int, row);
    const PayRun run = march();
    QCOMPARE(run.findEmployee(designation).value_or(-1), row);
    // The command line's own lookup agrees.
    QCOMPARE(std::holds_alternative<StoredPayInputs>(StoredPayInputs::load(m_dir->path(), designation)), row >= 0);
}

void TestPayRunRows::carriedFigureChangedByHandIsMarked()
{
    PayRun run = march();
    CarriedOver carried;
    carried.found = true;
    carried.leaveBalance = QStringLiteral("12");
    carried.cumulativeTaxable = QStringLiteral("11234,56");
    carried.cumulativeGross = QStringLiteral("14777,36");
    carried.source = QStringLiteral("fiche du 01/02/2001 au 28/02/2001");
    run.setCarriedOver(0, carried);
    const PayRunRow &row = run.row(0);
    QCOMPARE(row.figures[PayRunFigures::PreviousCumulativeGross], QStringLiteral("14777,36"));
    QVERIFY(!row.isEdited(PayRunFigures::PreviousCumulativeGross));
    QVERIFY(!row.hasTypedFigures());

    run.setFigure(0, PayRunFigures::PreviousLeaveBalance, QStringLiteral("10"));
    QVERIFY(run.row(0).isEdited(PayRunFigures::PreviousLeaveBalance));
    QVERIFY(!run.row(0).isEdited(PayRunFigures::PreviousCumulativeTaxable));
    QVERIFY(run.row(0).hasTypedFigures());
    run.setFigure(0, PayRunFigures::PreviousLeaveBalance, QStringLiteral("12"));
    QVERIFY(!run.row(0).hasTypedFigures());
    // A month's figure is never « edited »: it has no previous value.
    run.setFigure(0, PayRunFigures::Bonus, QStringLiteral("100"));
    QVERIFY(!run.row(0).isEdited(PayRunFigures::Bonus));
    QVERIFY(run.row(0).hasTypedFigures());
}

QTEST_GUILESS_MAIN(TestPayRunRows)
#include "tst_payrunrows.moc"
