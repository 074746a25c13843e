#include "database.h"
#include "demodata.h"
#include "paycalculation.h"
#include "recordview.h"
#include "schema.h"
#include "storedpayinputs.h"

#include "statement.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sqlite3.h>

// The pay run over stored files: the demonstration folder as the screens
// would have stored it, the inputs read as freshly loaded screens show them,
// and one whole pay sheet of the demonstration's SMIC employee, checked
// value by value against a computation done by hand.
class TestPayRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void demoStoresEmployeesAsTheEmployeeScreenWould();
    void demoStoresTheEmployer();
    void demoRefusesAFolderWithFiles();
    void storedInputsAreWhatTheScreensShow();
    void employeeFoundAsTheScreenStoresIt_data();
    void employeeFoundAsTheScreenStoresIt();
    void unknownEmployeeAndMissingFile();
    void damagedKeyIndexIsSaidAsTheScreensSayIt();
    void smicPaySheet_data();
    void smicPaySheet();

private:
    PaySheet smicSheet();

    // One demonstration folder for the tests that only read it.
    QTemporaryDir m_dir;
    QString demo() const { return m_dir.filePath(QStringLiteral("demo")); }
    std::optional<PaySheet> m_smic;
};

namespace {

const QString Smic = QStringLiteral("MOREAU , CÉLINE");
const QString Almeida = QStringLiteral("D’ALMEIDA , JOSÉ");

// An amount as the mask writes it: groups of thousands apart by U+202F.
QString grouped(const char *text)
{
    static const QRegularExpression between(QStringLiteral("(?<=\\d) (?=\\d)"));
    return QString::fromUtf8(text).replace(between, QString(QChar(0x202F)));
}

std::shared_ptr<Database> open(const QString &directory, const DatabaseDefinition &definition)
{
    StoreError error;
    auto database = Database::open(directory, definition, &error);
    if (!database)
        qFatal("%s", qPrintable(error.message()));
    return database;
}

// Changes stored texts of a record, as an earlier session might have left them.
void restore(const QString &directory, const QString &table, const QString &key,
             const QMap<QString, QString> &texts)
{
    RecordView view(open(directory, Schema::mainDatabase()), table);
    view.reload();
    if (!key.isEmpty())
        view.findFirst(QStringLiteral("IDENTIFICATION"), key);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        view.setFieldText(it.key(), it.value());
    QVERIFY(!view.writeCurrent());
}

StoredPayInputs loaded(const QString &directory, const QString &employee)
{
    auto result = StoredPayInputs::load(directory, employee);
    if (const QString *error = std::get_if<QString>(&result))
        qFatal("%s", qPrintable(*error));
    return std::get<StoredPayInputs>(result);
}

} // namespace

void TestPayRun::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const auto refusal = DemoData::write(demo());
    QVERIFY2(!refusal, qPrintable(refusal.value_or(QString())));
}

void TestPayRun::demoStoresEmployeesAsTheEmployeeScreenWould()
{
    QCOMPARE(DemoData::employees(),
             (QStringList{Smic, Almeida, QStringLiteral("LAMBERT , ÉLISE")}));
    RecordView view(open(demo(), Schema::mainDatabase()), QStringLiteral("SALARIE"));
    QVERIFY(!view.reload());
    QCOMPARE(view.count(), 3);

    QVERIFY(!view.findFirst(QStringLiteral("IDENTIFICATION"), Almeida));
    QVERIFY(!view.noMatch());
    QCOMPARE(view.fieldText(QStringLiteral("NOM")), QStringLiteral("D’ALMEIDA"));
    QCOMPARE(view.fieldText(QStringLiteral("POSTE")), QStringLiteral("OUVRIER BOULANGER"));
    QCOMPARE(view.fieldText(QStringLiteral("Entré le")), QStringLiteral("JEUDI 15 SEPT. 1994"));
    QCOMPARE(view.fieldText(QStringLiteral("TAUXHORAIRE")), QStringLiteral("58,5"));
    QCOMPARE(view.fieldText(QStringLiteral("BASEHORAIRE")), QStringLiteral("169,0"));
    QCOMPARE(view.fieldText(QStringLiteral("RAPPLS1")), QStringLiteral("0,0"));
    QCOMPARE(view.fieldText(QStringLiteral("PAR3")), QStringLiteral("AGFF"));

    QVERIFY(!view.findFirst(QStringLiteral("IDENTIFICATION"), Smic));
    QCOMPARE(view.fieldText(QStringLiteral("TAUXHORAIRE")), QStringLiteral("43,72"));
    QCOMPARE(view.fieldText(QStringLiteral("MDLBAC1")), QStringLiteral("200,0"));
    QCOMPARE(view.fieldText(QStringLiteral("PP1")), QStringLiteral("120,0"));
    QCOMPARE(view.fieldText(QStringLiteral("RAPPLS1")), QStringLiteral("80,0"));
    const QMap<QString, QString> rates = {
        {"CSGRDS/SAL", "2,9"},           {"CSGdéductible/SAL", "5,1"},
        {"Assurance Maladie/PATR", "12,8"}, {"Assurance Maladie/SAL", "0,75"},
        {"Assurance Veuv/PATR", "0,0"},  {"Assurance Veuv/SAL", "0,1"},
        {"AssuranceViel Plaf/SAL", "6,55"}, {"Formation/PATR", "0,15"},
        {"TAUPAR2/PATR", "5,4"},         {"TAUPAR3/PATR", "1,2"},
        {"TAUPAR3/SAL", "0,8"},
    };
    for (auto it = rates.cbegin(); it != rates.cend(); ++it)
        QCOMPARE(view.fieldText(it.key()), it.value());
}

void TestPayRun::demoStoresTheEmployer()
{
    RecordView view(open(demo(), Schema::employerDatabase()), QStringLiteral("EMPLOYEUR"));
    QVERIFY(!view.reload());
    QCOMPARE(view.count(), 1);
    QCOMPARE(view.fieldText(QStringLiteral("NomSociété")), QStringLiteral("SARL BOULANGERIE DES TILLEULS"));
    QCOMPARE(view.fieldText(QStringLiteral("Ville")), QStringLiteral("TOURS"));
    QCOMPARE(view.fieldText(QStringLiteral("Siret")), QStringLiteral("412 387 607 00002"));
    QCOMPARE(view.fieldText(QStringLiteral("APE")), QStringLiteral("158C"));
    QVERIFY(!view.fieldText(QStringLiteral("N°URSSAF")).isEmpty());
}

void TestPayRun::demoRefusesAFolderWithFiles()
{
    const QByteArray before = [this] {
        QFile file(QDir(demo()).filePath(QStringLiteral("Bdrk.rkv")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const auto refusal = DemoData::write(demo());
    QVERIFY(refusal);
    QVERIFY2(refusal->contains(QLatin1String("Bdrk.rkv")), qPrintable(*refusal));
    QFile file(QDir(demo()).filePath(QStringLiteral("Bdrk.rkv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

// The employee screen's activation shows an empty rate as « 0,0 » and every
// rate with the rates mask; the parameters screen ticks B alone when a
// damaged record has both options ticked; the euro rate is read as stored.
void TestPayRun::storedInputsAreWhatTheScreensShow()
{
    QTemporaryDir dir;
    QVERIFY(!DemoData::write(dir.path()));
    restore(dir.path(), QStringLiteral("SALARIE"), Smic,
            {{"Assurance Maladie/PATR", "12,80"}, {"AGS/PATR", ""}, {"BASEHORAIRE", ""}});
    restore(dir.path(), QStringLiteral("PARMETRE"), QString(), {{"OPTIONA", "1"}, {"OPTIONB", "1"}});
    const StoredPayInputs inputs = loaded(dir.path(), Smic);

    QCOMPARE(inputs.employee.NOM, QStringLiteral("MOREAU"));
    QCOMPARE(inputs.employee.rates[4], QStringLiteral("12,8"));
    QCOMPARE(inputs.employee.rates[16], QStringLiteral("0,0"));
    QCOMPARE(inputs.employee.rates[1], QStringLiteral("2,9"));
    // The base is not touched by the activation; the opening writes its "0".
    QCOMPARE(inputs.employee.BASEHORAIRE, QString());
    QCOMPARE(inputs.employee.RAPPLS1, QStringLiteral("80,0"));
    QCOMPARE(inputs.parameters.HEURSUP1, QStringLiteral("169"));
    QCOMPARE(inputs.parameters.PRETRANCHEH, QStringLiteral("25,00"));
    QCOMPARE(inputs.parameters.POURCENTCSGROPTIOB, QStringLiteral("0,95"));
    QVERIFY(!inputs.parameters.OPTIONA);
    QVERIFY(inputs.parameters.OPTIONB);
    QCOMPARE(inputs.euroRate, QStringLiteral("6,55957"));
}

void TestPayRun::employeeFoundAsTheScreenStoresIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("as stored") << Almeida;
    QTest::newRow("straight apostrophe") << QStringLiteral("D'ALMEIDA , JOSÉ");
    QTest::newRow("lower case") << QStringLiteral("d'almeida , josé");
}

void TestPayRun::employeeFoundAsTheScreenStoresIt()
{
    QFETCH(QString, typed);
    QCOMPARE(loaded(demo(), typed).employee.TAUXHORAIRE, QStringLiteral("58,5"));
}

void TestPayRun::unknownEmployeeAndMissingFile()
{
    auto unknown = StoredPayInputs::load(demo(), QStringLiteral("MOREAU"));
    QVERIFY(std::holds_alternative<QString>(unknown));
    QVERIFY(std::get<QString>(unknown).contains(QStringLiteral("« MOREAU »")));

    const QString empty = m_dir.filePath(QStringLiteral("empty"));
    QVERIFY(QDir().mkpath(empty));
    auto missing = StoredPayInputs::load(empty, Smic);
    QVERIFY(std::holds_alternative<QString>(missing));
    QVERIFY(std::get<QString>(missing).contains(QLatin1String("Bdrk.rkv")));
    // Reading never creates the files.
    QVERIFY(QDir(empty).isEmpty());
}

// A copy of the demonstration whose page of the employees' key index has
// lost its entries: the page still looks like an index page, so a lookup by
// key finds nothing, but reading the place of every record, as the employee
// screen does, fails on it.
void TestPayRun::damagedKeyIndexIsSaidAsTheScreensSayIt()
{
    const QString damaged = m_dir.filePath(QStringLiteral("damaged-index"));
    QVERIFY(QDir().mkpath(damaged));
    const QString file = QDir(damaged).filePath(QLatin1String(Schema::MainFileName));
    QVERIFY(QFile::copy(QDir(demo()).filePath(QLatin1String(Schema::MainFileName)), file));
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        auto database = open(damaged, Schema::mainDatabase());
        Statement root(database->handle(),
                       QStringLiteral("SELECT rootpage FROM sqlite_master WHERE type = 'index' "
                                      "AND tbl_name = 'SALARIE'"));
        QCOMPARE(root.step(), SQLITE_ROW);
        page = root.columnInt64(0);
        Statement size(database->handle(), QStringLiteral("PRAGMA page_size"));
        QCOMPARE(size.step(), SQLITE_ROW);
        pageSize = size.columnInt64(0);
    }
    QFile bytes(file);
    QVERIFY(bytes.open(QIODevice::ReadWrite));
    const qint64 start = (page - 1) * pageSize;
    QVERIFY(bytes.seek(start + 5));
    const QByteArray header = bytes.read(2);
    const qint64 cells = (quint8(header.at(0)) << 8) | quint8(header.at(1));
    QVERIFY(cells > 0 && cells < pageSize);
    QVERIFY(bytes.seek(start + cells));
    bytes.write(QByteArray(int(pageSize - cells), '\0'));
    bytes.close();

    StoreError screensSay;
    {
        RecordView lookup(open(damaged, Schema::mainDatabase()), QStringLiteral("SALARIE"));
        QVERIFY(!lookup.findFirst(QStringLiteral("IDENTIFICATION"), Smic));
        QVERIFY2(lookup.noMatch(), "the lookup by key alone misses the damage");
        screensSay = lookup.reload();
    }
    QVERIFY(screensSay);
    QVERIFY(screensSay.message().contains(QStringLiteral("le fichier est endommagé")));

    auto result = StoredPayInputs::load(damaged, Smic);
    QVERIFY(std::holds_alternative<QString>(result));
    QCOMPARE(std::get<QString>(result), screensSay.message());
}

// Céline MOREAU, vendeuse at the SMIC, for March 2001, with the delivered
// parameters (band 1 at 25 % beyond 169 h up to 200 h, band 2 at 50 %, CSG
// base by option A taking 5 % off the gross, leave earned at 20 h per 169 h)
// and the euro at 6,55957 F. Typed on the preparation: 10 complementary
// hours, 7 hours of absence, 14 hours of paid leave, a commission of 1,5 %
// on 12 000 F, a bonus of 250 F, an advance of 1 500 F, and from February's
// pay slip 42 hours of leave due, 12 345,67 F of cumulative taxable and
// 15 110,62 F of cumulative gross.
//
// Worked out by hand, in the calculation's order ("→" is the shown text):
//
//  base_salary            43,72 x 169 = 7 388,68                          → 7 388,68
//  base_salary_euro       7 388,68 / 6,55957 = 1 126,397                  → 1 126,40
//  leave_accrual_rate     20 / 169                                        → 0,118343195266272
//  band1 rate             43,72 + 43,72 x 25 / 100 = 54,65
//  band limits            plain: 169 - 169 = 0; band 1: 200 - 169 = 31
//  10 hours               0 < 10 <= 31: band 1 only
//  plain_comp_hours       0; plain_comp_amount 0 x 43,72                  → 0 / 0,00
//  band1_hours            10; band1_amount 10 x 54,65 = 546,5             → 546,50
//  band2_hours            0; band2_amount                                 → 0,00
//  period texts           01/03/2001 and 31/03/2001                       → jeudi 01 mars 2001, samedi 31 mars 2001
//  hours_worked           169 - 7                                         → 162
//  leave_basis_hours      10 + 162                                        → 172
//  leave_balance          42 + 172 x 0,118343195266272 - 14 = 48,355      → 48
//  leave_amount           14 x 43,72 = 612,08                             → 612,08
//  absence_amount         7 x 43,72 = 306,04                              → 306,04
//  commission_amount      12 000 x 1,5 / 100 = 180                        → 180,00
//  twins                  commission 180 / 6,55957 = 27,4408              → 27,44
//                         band 1 546,50 / 6,55957 = 83,3134               → 83,31
//                         leave 612,08 / 6,55957 = 93,3110                → 93,31
//                         absence 306,04 / 6,55957 = 46,6555              → 46,66
//                         plain hours and band 2: 0                       → 0,00
//  gross_pay              7 388,68 + 0 + 546,50 + 0 + 612,08 + 180,00
//                         + 250 - 306,04 = 8 671,22                       → 8 671,22
//  gross_pay_euro         8 671,22 / 6,55957 = 1 321,919                  → 1 321,92
//  lines on 8 671,22      employer                  employee
//   sickness              12,8 %  1 109,91616       0,75 %  65,03415
//   widowhood                     0                 0,1 %   8,67122
//   old_age               1,6 %   138,73952                 0
//   old_age_capped        8,2 %   711,04004         6,55 %  567,96491
//   unemployment_a        3,7 %   320,83514         2,1 %   182,09562
//   ags                   0,1 %   8,67122                   0
//   work_accident         2,2 %   190,76684                 0
//   pension_a             4,5 %   390,2049          3 %     260,1366
//   housing_aid           0,1 %   8,67122                   0
//   apprenticeship        0,5 %   43,3561                   0
//   training              0,15 %  13,00683                  0
//   param2                5,4 %   468,24588                 0
//   param3 (AGFF)         1,2 %   104,05464         0,8 %   69,36976
//  csg_base               8 671,22 - 8 671,22 x 5 / 100                   → 8237,659
//  csg_rds_employee       8 237,659 x 2,9 / 100                           → 238,892111
//  csg_deductible_employee 8 237,659 x 5,1 / 100                          → 420,120609
//  employer_total         the employer amounts above + PP1 120 = 3 627,50849 → 3 627,51
//  employer_total_euro    3 627,50849 / 6,55957 = 553,0101               → 553,01
//  employee_total         the employee amounts above + 420,120609
//                         + 238,892111 = 1 812,28498                      → 1 812,28
//  employee_total_euro    1 812,28498 / 6,55957 = 276,2811               → 276,28
//  net_salary             8 671,22 - 1 812,28                             → 6858,94
//  net_to_pay             6 858,94 - advance 1 500 - RAPPLS1 80 = 5 278,94 → 5 278,94
//  net_to_pay_euro        5 278,94 / 6,55957 = 804,7692                   → 804,77
//  taxable_net            238,892111 + 6 858,94 = 7 097,832111            → 7 097,83
//  taxable_net_euro       7 097,832111 / 6,55957 = 1 082,0575             → 1 082,06
//  cumulative_taxable     7 097,83 + 12 345,67 = 19 443,5                 → 19 443,50
//  cumulative_taxable_euro 19 443,5 / 6,55957 = 2 964,1425                → 2 964,14
//  cumulative_gross       8 671,22 + 15 110,62 = 23 781,84                → 23 781,84
void TestPayRun::smicPaySheet_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    const QList<std::pair<const char *, const char *>> sheet = {
        {"employee_name", "MOREAU"},
        {"band1_percent", "25,00"},
        {"band2_percent", "50"},
        {"base_salary", "7 388,68"},
        {"base_salary_euro", "1 126,40"},
        {"leave_accrual_rate", "0,118343195266272"},
        {"plain_comp_hours", "0"},
        {"plain_comp_amount", "0,00"},
        {"plain_comp_amount_euro", "0,00"},
        {"band1_hours", "10"},
        {"band1_amount", "546,50"},
        {"band1_amount_euro", "83,31"},
        {"band2_hours", "0"},
        {"band2_amount", "0,00"},
        {"band2_amount_euro", "0,00"},
        {"period_start_text", "jeudi 01 mars 2001"},
        {"period_end_text", "samedi 31 mars 2001"},
        {"hours_worked", "162"},
        {"leave_basis_hours", "172"},
        {"leave_balance", "48"},
        {"leave_amount", "612,08"},
        {"leave_amount_euro", "93,31"},
        {"absence_amount", "306,04"},
        {"absence_amount_euro", "46,66"},
        {"commission_amount", "180,00"},
        {"commission_amount_euro", "27,44"},
        {"gross_pay", "8 671,22"},
        {"gross_pay_euro", "1 321,92"},
        {"sickness_employer", "1109,91616"},
        {"sickness_employee", "65,03415"},
        {"widowhood_employer", "0"},
        {"widowhood_employee", "8,67122"},
        {"old_age_employer", "138,73952"},
        {"old_age_employee", "0"},
        {"old_age_capped_employer", "711,04004"},
        {"old_age_capped_employee", "567,96491"},
        {"unemployment_a_employer", "320,83514"},
        {"unemployment_a_employee", "182,09562"},
        {"unemployment_b_employer", "0"},
        {"unemployment_b_employee", "0"},
        {"ags_employer", "8,67122"},
        {"ags_employee", "0"},
        {"work_accident_employer", "190,76684"},
        {"work_accident_employee", "0"},
        {"pension_a_employer", "390,2049"},
        {"pension_a_employee", "260,1366"},
        {"pension_b_employer", "0"},
        {"housing_aid_employer", "8,67122"},
        {"apprenticeship_employer", "43,3561"},
        {"training_employer", "13,00683"},
        {"payroll_tax_employer", "0"},
        {"construction_employer", "0"},
        {"param1_employer", "0"},
        {"param2_employer", "468,24588"},
        {"param2_employee", "0"},
        {"param3_employer", "104,05464"},
        {"param3_employee", "69,36976"},
        {"csg_base", "8237,659"},
        {"csg_rds_employer", "0"},
        {"csg_rds_employee", "238,892111"},
        {"csg_deductible_employer", "0"},
        {"csg_deductible_employee", "420,120609"},
        {"employer_total", "3 627,51"},
        {"employer_total_euro", "553,01"},
        {"employee_total", "1 812,28"},
        {"employee_total_euro", "276,28"},
        {"net_salary", "6858,94"},
        {"net_to_pay", "5 278,94"},
        {"net_to_pay_euro", "804,77"},
        {"taxable_net", "7 097,83"},
        {"taxable_net_euro", "1 082,06"},
        {"cumulative_taxable", "19 443,50"},
        {"cumulative_taxable_euro", "2 964,14"},
        {"cumulative_gross", "23 781,84"},
        {"cumulative_gross_formula", "CUM='23 781,84'"},
    };
    for (const auto &[name, expected] : sheet)
        QTest::newRow(name) << QString::fromLatin1(name) << grouped(expected);
}

void TestPayRun::smicPaySheet()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QString actual;
    for (const auto &[key, text] : smicSheet().namedTexts()) {
        if (key == name)
            actual = text;
    }
    QCOMPARE(actual, expected);
}

// The preparation opened for Céline MOREAU, March 2001 typed, calculated.
PaySheet TestPayRun::smicSheet()
{
    if (m_smic)
        return *m_smic;
    const StoredPayInputs inputs = loaded(demo(), Smic);
    auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    if (!std::holds_alternative<PayCalculation::OpenedSheet>(opening))
        qFatal("%s", qPrintable(std::get<CalculationError>(opening).message));
    PaySheet sheet = std::get<PayCalculation::OpenedSheet>(opening).sheet;
    sheet.complementary_hours = QStringLiteral("10");
    sheet.absence_hours = QStringLiteral("7");
    sheet.leave_hours_taken = QStringLiteral("14");
    sheet.commission_rate = QStringLiteral("1,5");
    sheet.commission_base = QStringLiteral("12000");
    sheet.bonus = QStringLiteral("250");
    sheet.advance = QStringLiteral("1500");
    sheet.period_start_day = QStringLiteral("01");
    sheet.period_start_month = QStringLiteral("03");
    sheet.period_start_year = QStringLiteral("2001");
    sheet.period_end_day = QStringLiteral("31");
    sheet.period_end_month = QStringLiteral("03");
    sheet.period_end_year = QStringLiteral("2001");
    sheet.previous_leave_balance = QStringLiteral("42");
    sheet.previous_cumulative_taxable = QStringLiteral("12345,67");
    sheet.previous_cumulative_gross = QStringLiteral("15110,62");
    if (const auto error = PayCalculation::calculate(sheet, inputs.employee, inputs.parameters,
                                                     inputs.euroRate))
        qFatal("%s", qPrintable(error->message));
    m_smic = sheet;
    return sheet;
}

QTEST_GUILESS_MAIN(TestPayRun)
#include "tst_payrun.moc"
