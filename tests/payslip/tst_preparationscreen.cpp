#include "employeescreen.h"
#include "frenchlocale.h"
#include "helpcontext.h"
#include "paycalculation.h"
#include "preparationscreen.h"
#include "screennames.h"
#include "paysliptestsupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

// The preparation screen as the clerk reaches it: the demonstration folder,
// the employee screen on its first employee (paid the SMIC), "Paie", then
// the inputs typed and "Lancer le calcul". Every figure shown is checked
// against the calculation run on the stored files, as the command line's
// pay run does it.
class TestPreparationScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void opensOnTheCurrentEmployee();
    void inputs_data();
    void inputs();
    void captionsHeadingsAndButtons();
    void buttonsTellTheirKeys_data();
    void buttonsTellTheirKeys();
    void functionKeysActAsTheButtons();
    void calculationWithNothingTyped();
    void typedFiguresGiveTheCommandLinesSheet();
    void keyFilter_data();
    void keyFilter();
    void periodFieldsTakeAnyCharacterUpToTheirLength();
    void refusedValueStopsTheCalculation_data();
    void refusedValueStopsTheCalculation();
    void refusedOpeningOpensNothing();
    void emptyHourlyRateBecomesZeroOnTheEmployeeScreen();
    void reopeningStartsBlank();
    void paieBringsAnOpenPreparationForward();
    void paieForAnotherEmployee_data();
    void paieForAnotherEmployee();
    void anotherEmployeeShownRefusesCalculationAndOutput_data();
    void anotherEmployeeShownRefusesCalculationAndOutput();
    void comingBackToTheEmployeeScreenKeepsTheEmployee();
    void returnShowsTheEmployeeScreen();
    void exitClosesBothScreens();

private:
    // The employee screen on view, then "Paie"; `beforeClick` arms the
    // answer to a message box the opening raises.
    PreparationScreen *openPreparation(const std::function<void()> &beforeClick = {});
    EmployeeScreen *employeeScreen() const
    {
        return m_program->registry.find<EmployeeScreen>(ScreenName::Employee);
    }
    PreparationScreen *preparation() const
    {
        return m_program->registry.find<PreparationScreen>(ScreenName::Preparation);
    }
    QLineEdit *parameterField(const char *column) const;
    // The employee screen brought to the front, then "Suivant" or "Précédent";
    // « Fin de la liste » answered when the move reaches an end.
    void moveEmployeeScreen(const char *button, bool reachesAnEnd = false) const;

    std::unique_ptr<TestSupport::WorkingDirectory> m_folder;
    std::unique_ptr<PayslipTestSupport::Program> m_program;
};

namespace {

using namespace PayslipTestSupport;

using SheetText = QString PaySheet::*;

struct Shown
{
    const char *name;
    SheetText value;
};

// The inputs, in screen order.
const QList<Shown> Inputs = {
    {"Text1", &PaySheet::absence_hours},
    {"Text2", &PaySheet::complementary_hours},
    {"Text3", &PaySheet::leave_hours_taken},
    {"Text59", &PaySheet::commission_rate},
    {"Text58", &PaySheet::commission_base},
    {"Text5", &PaySheet::advance},
    {"Text4", &PaySheet::bonus},
    {"Text71", &PaySheet::period_start_day},
    {"Text72", &PaySheet::period_start_month},
    {"Text73", &PaySheet::period_start_year},
    {"Text74", &PaySheet::period_end_day},
    {"Text75", &PaySheet::period_end_month},
    {"Text76", &PaySheet::period_end_year},
    {"Text78", &PaySheet::previous_leave_balance},
    {"Text77", &PaySheet::previous_cumulative_taxable},
    {"Text79", &PaySheet::previous_cumulative_gross},
};

const QStringList NumericInputs = {"Text1", "Text2", "Text3", "Text59", "Text58",
                                   "Text5", "Text4", "Text78", "Text77", "Text79"};

// Every value the screen shows besides the inputs.
const QList<Shown> Results = {
    {"Label2", &PaySheet::employee_name},
    {"Label29", &PaySheet::band1_percent},
    {"Label33", &PaySheet::band2_percent},
    {"Label11_0", &PaySheet::base_salary},
    {"Label11_1", &PaySheet::base_salary_euro},
    {"Label12_0", &PaySheet::plain_comp_amount},
    {"Label12_1", &PaySheet::plain_comp_amount_euro},
    {"Label37", &PaySheet::band1_hours},
    {"Label16", &PaySheet::band1_amount},
    {"Label21", &PaySheet::band1_amount_euro},
    {"Label39", &PaySheet::band2_hours},
    {"Label19", &PaySheet::band2_amount},
    {"Label20", &PaySheet::band2_amount_euro},
    {"Label25", &PaySheet::leave_amount},
    {"Label28", &PaySheet::leave_amount_euro},
    {"Label27", &PaySheet::commission_amount},
    {"Label35", &PaySheet::commission_amount_euro},
    {"Label26", &PaySheet::absence_amount},
    {"Label34", &PaySheet::absence_amount_euro},
    {"conb", &PaySheet::leave_balance},
    {"Label45", &PaySheet::gross_pay},
    {"Label49", &PaySheet::gross_pay_euro},
    {"Label46", &PaySheet::net_to_pay},
    {"Label50", &PaySheet::net_to_pay_euro},
    {"Label47", &PaySheet::taxable_net},
    {"Label51", &PaySheet::taxable_net_euro},
    {"Label48", &PaySheet::cumulative_taxable},
    {"Label52", &PaySheet::cumulative_taxable_euro},
    {"Label54", &PaySheet::employer_total},
    {"Label55", &PaySheet::employer_total_euro},
    {"Label57", &PaySheet::employee_total},
    {"Label58", &PaySheet::employee_total_euro},
};

QString text(QWidget *screen, const QString &name)
{
    if (auto *field = screen->findChild<QLineEdit *>(name))
        return field->text();
    return control<QLabel>(screen, name)->text();
}

// Every text of the screen, inputs and results, by control name.
QMap<QString, QString> allTexts(QWidget *screen)
{
    QMap<QString, QString> texts;
    for (const QList<Shown> &list : {Inputs, Results})
        for (const Shown &shown : list)
            texts.insert(QString::fromLatin1(shown.name), text(screen, QString::fromLatin1(shown.name)));
    return texts;
}

// The sheet the pay run computes on the stored files for the first demo
// employee, from the typed values of `typed`.
PaySheet commandLineSheet(const PaySheet &typed = PaySheet())
{
    const StoredPayInputs inputs = storedDemoInputs();
    auto opened = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    PaySheet sheet = std::get<PayCalculation::OpenedSheet>(opened).sheet;
    for (const Shown &input : Inputs)
        sheet.*input.value = typed.*input.value;
    const auto error = PayCalculation::calculate(sheet, inputs.employee, inputs.parameters, inputs.euroRate);
    if (error)
        qWarning("%s", qPrintable(error->message));
    return sheet;
}

void compareWithSheet(QWidget *screen, const PaySheet &sheet)
{
    for (const QList<Shown> &list : {Inputs, Results}) {
        for (const Shown &shown : list) {
            const QString name = QString::fromLatin1(shown.name);
            if (text(screen, name) != sheet.*shown.value)
                QFAIL(qPrintable(QStringLiteral("%1 shows « %2 », the pay run gives « %3 »")
                                     .arg(name, text(screen, name), sheet.*shown.value)));
        }
    }
}

} // namespace

void TestPreparationScreen::init()
{
    m_folder = PayslipTestSupport::demoFolder();
    QVERIFY(m_folder);
    m_program = std::make_unique<PayslipTestSupport::Program>();
}

void TestPreparationScreen::cleanup()
{
    m_program.reset();
    m_folder.reset();
}

PreparationScreen *TestPreparationScreen::openPreparation(const std::function<void()> &beforeClick)
{
    QWidget *employee = m_program->registry.show(ScreenName::Employee);
    if (!QTest::qWaitForWindowActive(employee))
        qWarning("the employee screen was not activated");
    if (beforeClick)
        beforeClick();
    PayslipTestSupport::click(employee, QStringLiteral("créer"));
    return preparation();
}

QLineEdit *TestPreparationScreen::parameterField(const char *column) const
{
    QWidget *parameters = m_program->registry.load(ScreenName::Parameters);
    return PayslipTestSupport::control<QLineEdit>(parameters, QString::fromLatin1(column));
}

void TestPreparationScreen::moveEmployeeScreen(const char *button, bool reachesAnEnd) const
{
    EmployeeScreen *employee = employeeScreen();
    employee->activateWindow();
    if (!QTest::qWaitForWindowActive(employee))
        qWarning("the employee screen was not activated");
    TestSupport::ModalBox endOfList;
    if (reachesAnEnd)
        endOfList.expect();
    PayslipTestSupport::click(employee, QString::fromLatin1(button));
    if (reachesAnEnd && !endOfList.seen)
        qWarning("no « Fin de la liste »");
}

void TestPreparationScreen::opensOnTheCurrentEmployee()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->objectName(), QStringLiteral("PPAI"));
    QCOMPARE(screen->windowTitle(), QStringLiteral("Quorvan 2000"));
    QCOMPARE(screen->property("helpContext").toInt(), HelpContext::Preparation);
    QVERIFY(screen->property("designatesHelpFile").toBool());

    QCOMPARE(text(screen, "Label2"), QStringLiteral("MOREAU"));
    QCOMPARE(text(screen, "Label29"), QStringLiteral("25,00"));
    QCOMPARE(text(screen, "Label33"), QStringLiteral("50"));
    // 169 hours at 43,72 F, and its euro twin at 6,55957.
    QCOMPARE(text(screen, "Label11_0"), QStringLiteral("7\u202f388,68"));
    QCOMPARE(text(screen, "Label11_1"), QStringLiteral("1\u202f126,40"));
    QCOMPARE(text(screen, "Text1"), QStringLiteral("0"));
    for (const Shown &input : Inputs.mid(1))
        QVERIFY2(text(screen, input.name).isEmpty(), input.name);
    for (const Shown &result : Results.mid(5))
        QVERIFY2(text(screen, result.name).isEmpty(), result.name);
    QCOMPARE(screen->sheet().leave_accrual_rate, QStringLiteral("0,118343195266272"));
}

void TestPreparationScreen::inputs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<int>("maxLength");
    const int free = QLineEdit().maxLength();
    QTest::newRow("absence") << "Text1" << "Taper les heures d'absences" << free;
    QTest::newRow("complementary") << "Text2" << "Taper les heures complèmentaires" << free;
    QTest::newRow("leave") << "Text3" << "Taper le nombre d'heures de congés payés " << free;
    QTest::newRow("commission rate") << "Text59" << "Taper le pourcentage sur une commission." << free;
    QTest::newRow("commission base") << "Text58" << "" << free;
    QTest::newRow("advance") << "Text5" << "Taper le montant de l'accompte reçu par le salarié" << free;
    QTest::newRow("bonus") << "Text4" << "Taper le montant de la prime" << free;
    QTest::newRow("start day") << "Text71" << "Jour" << 2;
    QTest::newRow("start month") << "Text72" << "Mois" << 2;
    QTest::newRow("start year") << "Text73" << "Année" << 4;
    QTest::newRow("end day") << "Text74" << "Jour" << 2;
    QTest::newRow("end month") << "Text75" << "Mois" << 2;
    QTest::newRow("end year") << "Text76" << "Année" << 4;
    QTest::newRow("leave due") << "Text78" << "" << free;
    QTest::newRow("cumulative taxable") << "Text77" << "" << free;
    QTest::newRow("cumulative gross") << "Text79" << "" << free;
}

void TestPreparationScreen::inputs()
{
    QFETCH(QString, name);
    QFETCH(QString, tip);
    QFETCH(int, maxLength);
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    auto *field = control<QLineEdit>(screen, name);
    QCOMPARE(field->toolTip(), tip);
    QCOMPARE(field->maxLength(), maxLength);
}

void TestPreparationScreen::captionsHeadingsAndButtons()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    QStringList shown;
    for (const QLabel *label : screen->findChildren<QLabel *>())
        shown << label->text();
    for (const char *caption :
         {"Heures absences.........", "ou", "Heures complèmentaires.", "Congés payés ( Hres)...",
          " % Sur...............", "Acompte reçu...............", "Prime..........................",
          "Période du", "au", "/", "Renseignement sur la derniere fiche de paie", "Heures de congés dûes",
          "Dernier Cumul Imposable", "Dernier Cumul Brut", "Préparation de la fiche de paie de", "Francs",
          "Euros", "SALAIRE DE BASE ( Taux horaire X Base horaire ) ",
          "Heures complémentaires non majorées", "Heures supplémentaires majorées  ",
          "Heures supplémentaires majorées ", "à", "%", "Congés payés", "Commission sur chiffre",
          "ABSENCES", "Congés payés restant dûs", "Heure(s)", "Salaire Brut", "Net à Payer ",
          "Net Imposable", "Cumul Imposable", "Total des retenues Patronales",
          "Total des retenues Salariales"})
        QVERIFY2(shown.contains(QString::fromUtf8(caption)), caption);
    QCOMPARE(control<QGroupBox>(screen, QString())->title(), QStringLiteral("SALAIRE"));
    const auto captions = screen->findChildren<QLabel *>();
    const auto due = std::find_if(captions.begin(), captions.end(), [](const QLabel *label) {
        return label->text() == QStringLiteral("Heures de congés dûes");
    });
    QCOMPARE((*due)->toolTip(), QStringLiteral("SUR LA DERNIERE FICHE DE PAIE"));

    // One row of six buttons, every one usable.
    const QList<std::pair<QString, bool>> buttons = {
        {"Lancer le calcul", true},          {"Aperçu avant impression", true},
        {"Imprimer la fiche de Paie", true}, {"Enregistrement de la fiche", true},
        {"Retour au fichier salariés", true}, {"Sortie", true}};
    QList<QPushButton *> row = screen->findChildren<QPushButton *>();
    // Beside the row, under the figures of the last pay slip, the one that
    // takes them from the pay history.
    const auto take = std::find_if(row.begin(), row.end(), [](const QPushButton *b) {
        return b->objectName() == QLatin1String("Reprendre");
    });
    QVERIFY(take != row.end());
    QCOMPARE((*take)->text(), QStringLiteral("Reprendre la dernière fiche"));
    QCOMPARE((*take)->toolTip(), QStringLiteral("Raccourci  [F9]"));
    row.erase(take);
    std::sort(row.begin(), row.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
    QCOMPARE(row.size(), buttons.size());
    for (int i = 0; i < row.size(); ++i) {
        QCOMPARE(row.at(i)->text(), buttons.at(i).first);
        QCOMPARE(row.at(i)->isEnabled(), buttons.at(i).second);
        QCOMPARE(row.at(i)->y(), row.first()->y());
    }
}

void TestPreparationScreen::buttonsTellTheirKeys_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("Lancer le calcul") << "Lancer" << "Raccourci  [F5]" << QKeySequence(Qt::Key_F5);
    QTest::newRow("Aperçu avant impression") << "Aperçu" << "Raccourci  [F6]" << QKeySequence(Qt::Key_F6);
    QTest::newRow("Imprimer la fiche de Paie") << "Imprimer" << "Raccourci  [F7]" << QKeySequence(Qt::Key_F7);
    QTest::newRow("Enregistrement de la fiche") << "Enregistrement" << "Raccourci  [F8]"
                                                << QKeySequence(Qt::Key_F8);
    QTest::newRow("Reprendre la dernière fiche") << "Reprendre" << "Raccourci  [F9]" << QKeySequence(Qt::Key_F9);
    // Leaving drops the figures typed: no key does it by accident.
    QTest::newRow("Retour au fichier salariés") << "Retour" << "" << QKeySequence();
    QTest::newRow("Sortie") << "Sortie" << "" << QKeySequence();
}

void TestPreparationScreen::buttonsTellTheirKeys()
{
    QFETCH(QString, button);
    QFETCH(QString, tip);
    QFETCH(QKeySequence, key);
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    auto *pushButton = control<QPushButton>(screen, button);
    QCOMPARE(pushButton->toolTip(), tip);
    QCOMPARE(pushButton->shortcut(), key);
}

// F5 calculates and F8 opens the save-as dialog, from whatever field has
// the focus.
void TestPreparationScreen::functionKeysActAsTheButtons()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    QVERIFY(QTest::qWaitForWindowActive(screen));
    for (const auto &[name, value] : {std::pair{"Text71", "01"}, std::pair{"Text72", "03"},
                                      std::pair{"Text73", "2001"}, std::pair{"Text74", "31"},
                                      std::pair{"Text75", "03"}, std::pair{"Text76", "2001"}})
        type(screen, name, value);
    auto *bonus = control<QLineEdit>(screen, "Text4");
    bonus->setFocus();
    // The key animates a click, which lands a moment later.
    QTest::keyClick(bonus, Qt::Key_F5);
    QTRY_VERIFY(!text(screen, "Label46").isEmpty());
    QCOMPARE(text(screen, "Label46"), screen->sheet().net_to_pay);

    QVERIFY(!screen->saveDialog());
    QTest::keyClick(bonus, Qt::Key_F8);
    QTRY_VERIFY(screen->saveDialog());
}

void TestPreparationScreen::calculationWithNothingTyped()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    click(screen, "Lancer");
    for (const QString &name : NumericInputs)
        QCOMPARE(text(screen, name), QStringLiteral("0"));
    QCOMPARE(screen->sheet().period_start_text, QStringLiteral("//"));
    compareWithSheet(screen, commandLineSheet());
    if (QTest::currentTestFailed())
        return;
    // The base salary alone: 7 388,68 F gross, 20 hours of leave earned.
    QCOMPARE(text(screen, "Label45"), QStringLiteral("7\u202f388,68"));
    QCOMPARE(text(screen, "conb"), QStringLiteral("20"));
}

void TestPreparationScreen::typedFiguresGiveTheCommandLinesSheet()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    PaySheet typed;
    typed.complementary_hours = QStringLiteral("10");
    typed.leave_hours_taken = QStringLiteral("7,5");
    typed.bonus = QStringLiteral("150,25");
    typed.advance = QStringLiteral("1000");
    typed.commission_rate = QStringLiteral("2");
    typed.commission_base = QStringLiteral("12500");
    typed.period_start_day = QStringLiteral("01");
    typed.period_start_month = QStringLiteral("03");
    typed.period_start_year = QStringLiteral("2001");
    typed.period_end_day = QStringLiteral("31");
    typed.period_end_month = QStringLiteral("03");
    typed.period_end_year = QStringLiteral("2001");
    typed.previous_leave_balance = QStringLiteral("12");
    typed.previous_cumulative_taxable = QStringLiteral("12000,5");
    typed.previous_cumulative_gross = QStringLiteral("14777,36");
    for (const Shown &input : Inputs)
        type(screen, input.name, typed.*input.value);
    click(screen, "Lancer");

    typed.absence_hours = QStringLiteral("0");
    compareWithSheet(screen, commandLineSheet(typed));
    if (QTest::currentTestFailed())
        return;
    // The hours above the base fall in band 1: 10 hours at 43,72 + 25 %.
    QCOMPARE(text(screen, "Label37"), QStringLiteral("10"));
    QCOMPARE(text(screen, "Label16"), QStringLiteral("546,50"));
    QCOMPARE(text(screen, "Label39"), QStringLiteral("0"));
    QCOMPARE(screen->sheet().period_start_text, QStringLiteral("jeudi 01 mars 2001"));
}

void TestPreparationScreen::keyFilter_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : NumericInputs)
        QTest::newRow(qPrintable(name)) << name;
}

// Digits pass, the decimal key makes the value whole and starts the
// decimals, anything else is swallowed; the selection plays no part.
void TestPreparationScreen::keyFilter()
{
    QFETCH(QString, name);
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    auto *field = control<QLineEdit>(screen, name);
    field->clear();
    QTest::keyClicks(field, "1a2.5-x ");
    QCOMPARE(field->text(), QStringLiteral("12,5"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(field->text(), QStringLiteral("12,5"));
    field->selectAll();
    QTest::keyClicks(field, ",");
    QCOMPARE(field->text(), QStringLiteral("13,"));
}

void TestPreparationScreen::periodFieldsTakeAnyCharacterUpToTheirLength()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    type(screen, "Text71", "3x9");
    type(screen, "Text72", "mars");
    type(screen, "Text73", "an 2001");
    QCOMPARE(text(screen, "Text71"), QStringLiteral("3x"));
    QCOMPARE(text(screen, "Text72"), QStringLiteral("ma"));
    QCOMPARE(text(screen, "Text73"), QStringLiteral("an 2"));
    click(screen, "Lancer");
    QCOMPARE(screen->sheet().period_start_text, QStringLiteral("3x/ma/an 2"));
    QCOMPARE(screen->sheet().period_end_text, QStringLiteral("//"));
}

void TestPreparationScreen::refusedValueStopsTheCalculation_data()
{
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("empty threshold") << "HEURSUP1" << "" << "(HEURSUP1) est vide";
    QTest::newRow("threshold in words") << "HEURSUP2" << "deux cents" << "(HEURSUP2) n’est pas un nombre";
}

// A value that is not a number stops the run with a message that names it
// and its screen: what the screen showed before stays as it was.
void TestPreparationScreen::refusedValueStopsTheCalculation()
{
    QFETCH(QString, parameter);
    QFETCH(QString, text);
    QFETCH(QString, named);
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    type(screen, "Text2", "5");
    click(screen, "Lancer");
    const PaySheet before = screen->sheet();
    QCOMPARE(::text(screen, "Label45"), QStringLiteral("7\u202f661,93"));

    parameterField(parameter.toLatin1().constData())->setText(text);
    type(screen, "Text2", "0");
    control<QLineEdit>(screen, "Text3")->clear();
    const QMap<QString, QString> shown = allTexts(screen);
    TestSupport::ModalBox box;
    box.expect();
    click(screen, "Lancer");
    QVERIFY(box.seen);
    QCOMPARE(box.title, QStringLiteral("Calcul impossible"));
    QVERIFY2(box.text.contains(named), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("Paramètrage > Paramètre Général")), qPrintable(box.text));
    QCOMPARE(allTexts(screen), shown);
    QCOMPARE(screen->sheet(), before);
}

void TestPreparationScreen::refusedOpeningOpensNothing()
{
    parameterField("conge2")->setText(QStringLiteral("0"));
    TestSupport::ModalBox box;
    QVERIFY(!openPreparation([&box] { box.expect(); }));
    QVERIFY(box.seen);
    QCOMPARE(box.title, QStringLiteral("Préparation impossible"));
    QVERIFY2(box.text.contains(QStringLiteral("(conge2) est nul")), qPrintable(box.text));
    QVERIFY(employeeScreen()->isVisible());
    // Corrected, the same button opens it.
    parameterField("conge2")->setText(QStringLiteral("169"));
    QVERIFY(openPreparation());
}

void TestPreparationScreen::emptyHourlyRateBecomesZeroOnTheEmployeeScreen()
{
    m_program->registry.show(ScreenName::Employee);
    employeeScreen()->setBaseText(1, QString());
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    QCOMPARE(employeeScreen()->baseText(1), QStringLiteral("0"));
    QCOMPARE(employeeScreen()->baseText(0), QStringLiteral("169,0"));
    QCOMPARE(text(screen, "Label11_0"), QStringLiteral("0,00"));
    QCOMPARE(text(screen, "Label11_1"), QStringLiteral("0,00"));
}

void TestPreparationScreen::reopeningStartsBlank()
{
    QPointer<PreparationScreen> screen = openPreparation();
    QVERIFY(screen);
    type(screen, "Text2", "10");
    type(screen, "Text71", "01");
    click(screen, "Lancer");
    QVERIFY(!text(screen, "Label45").isEmpty());
    screen->close();
    QTRY_VERIFY(screen.isNull());

    screen = openPreparation();
    QVERIFY(screen);
    QCOMPARE(text(screen, "Text1"), QStringLiteral("0"));
    QVERIFY(text(screen, "Text2").isEmpty());
    QVERIFY(text(screen, "Text71").isEmpty());
    QVERIFY(text(screen, "Label45").isEmpty());
    QVERIFY(text(screen, "Label16").isEmpty());
}

void TestPreparationScreen::paieBringsAnOpenPreparationForward()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    type(screen, "Text2", "10");
    QCOMPARE(openPreparation(), screen);
    QCOMPARE(text(screen, "Text2"), QStringLiteral("10"));
}

void TestPreparationScreen::paieForAnotherEmployee_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("calculated");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("preparedFor");
    QTest::newRow("nothing typed") << "" << false << 0 << false << "D’ALMEIDA";
    QTest::newRow("only the calculation's zeros") << "" << true << 0 << false << "D’ALMEIDA";
    QTest::newRow("figures typed, Oui") << "8" << true << int(QMessageBox::Yes) << true << "D’ALMEIDA";
    QTest::newRow("figures typed, Non") << "8" << false << int(QMessageBox::No) << true << "MOREAU";
}

// "Paie" on another employee prepares that employee's slip; figures typed
// for the first are given up only when the clerk says so.
void TestPreparationScreen::paieForAnotherEmployee()
{
    QFETCH(QString, typed);
    QFETCH(bool, calculated);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(QString, preparedFor);
    QPointer<PreparationScreen> first = openPreparation();
    QVERIFY(first);
    control<QLineEdit>(first, "Text1")->clear();
    type(first, "Text1", typed);
    if (calculated)
        click(first, "Lancer");
    moveEmployeeScreen("Command5");
    QCOMPARE(employeeScreen()->keyText(), QStringLiteral("D’ALMEIDA , JOSÉ"));

    QString question;
    QObject scope; // the answer is not left armed past this test
    QTimer::singleShot(0, &scope, [&question, answer] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            question = box->text();
            QVERIFY(box->defaultButton() == box->button(QMessageBox::No));
            box->button(QMessageBox::StandardButton(answer))->click();
        }
    });
    PayslipTestSupport::click(employeeScreen(), QStringLiteral("créer"));
    QCOMPARE(!question.isEmpty(), asked);
    if (asked)
        QCOMPARE(question, QStringLiteral("Des éléments ont été saisis sur la fiche de paie de MOREAU CÉLINE. "
                                          "Les abandonner pour préparer la fiche de paie de D’ALMEIDA JOSÉ ?"));
    PreparationScreen *screen = preparation();
    QVERIFY(screen);
    QCOMPARE(text(screen, "Label2"), preparedFor);
    if (preparedFor == QStringLiteral("MOREAU")) {
        QCOMPARE(screen, first.data());
        QCOMPARE(text(screen, "Text1"), typed);
        return;
    }
    QVERIFY(first.isNull());
    QVERIFY(screen->isVisible());
    // His own base salary: 169 hours at 58,5 F; blank inputs again.
    QCOMPARE(text(screen, "Label11_0"), QStringLiteral("9\u202f886,50"));
    QCOMPARE(text(screen, "Text1"), QStringLiteral("0"));
    QCOMPARE(screen->employee().key, QStringLiteral("D’ALMEIDA , JOSÉ"));
    QVERIFY(screen->calculate());
}

void TestPreparationScreen::anotherEmployeeShownRefusesCalculationAndOutput_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Lancer le calcul") << "Lancer";
    QTest::newRow("Aperçu avant impression") << "Aperçu";
    QTest::newRow("Imprimer la fiche de Paie") << "Imprimer";
    QTest::newRow("Enregistrement de la fiche") << "Enregistrement";
}

// The figures of the screen belong to the employee it was opened for: with
// somebody else on the employee screen nothing is calculated or produced,
// and the message names both and says what to press.
void TestPreparationScreen::anotherEmployeeShownRefusesCalculationAndOutput()
{
    QFETCH(QString, button);
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    type(screen, "Text1", "8");
    click(screen, "Lancer");
    const PaySheet before = screen->sheet();
    const QMap<QString, QString> shown = allTexts(screen);
    moveEmployeeScreen("Command5");

    TestSupport::ModalBox box;
    box.expect();
    click(screen, button);
    QVERIFY(box.seen);
    QCOMPARE(box.title, QStringLiteral("Calcul impossible"));
    QCOMPARE(box.text, QStringLiteral("Cette fiche de paie est celle de MOREAU CÉLINE, mais la fiche salarié "
                                      "montre D’ALMEIDA JOSÉ : rien n’a été calculé. Affichez MOREAU CÉLINE sur "
                                      "la fiche salarié pour calculer, imprimer ou enregistrer cette fiche de "
                                      "paie, ou appuyez sur « Paie » de la fiche salarié pour préparer celle de "
                                      "D’ALMEIDA JOSÉ."));
    QCOMPARE(screen->sheet(), before);
    QCOMPARE(allTexts(screen), shown);
    QVERIFY(!PayslipTestSupport::preview());
    QVERIFY(!screen->saveDialog());

    // Back on her (« Fin de la liste » on the first), the calculation runs again.
    moveEmployeeScreen("Command2", true);
    QVERIFY(screen->calculate());
    QCOMPARE(screen->sheet(), before);
}

// The other road: no "Paie", only a turn to the employee screen and
// back. The employee screen stays on the employee paid.
void TestPreparationScreen::comingBackToTheEmployeeScreenKeepsTheEmployee()
{
    m_program->registry.show(ScreenName::Employee);
    moveEmployeeScreen("Command5");
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    QCOMPARE(text(screen, "Label2"), QStringLiteral("D’ALMEIDA"));
    type(screen, "Text1", "8");
    EmployeeScreen *employee = employeeScreen();
    employee->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(employee));
    QCOMPARE(employee->keyText(), QStringLiteral("D’ALMEIDA , JOSÉ"));
    QCOMPARE(employee->findChild<QLabel *>(QStringLiteral("Label24"))->text(), QStringLiteral("2/3"));
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    QVERIFY(screen->calculate());
    QCOMPARE(text(screen, "Label11_0"), QStringLiteral("9\u202f886,50"));
}

void TestPreparationScreen::returnShowsTheEmployeeScreen()
{
    QPointer<PreparationScreen> screen = openPreparation();
    QVERIFY(screen);
    employeeScreen()->hide();
    click(screen, "Retour");
    QTRY_VERIFY(screen.isNull());
    QVERIFY(!preparation());
    QVERIFY(employeeScreen()->isVisible());
}

void TestPreparationScreen::exitClosesBothScreens()
{
    QPointer<PreparationScreen> screen = openPreparation();
    QVERIFY(screen);
    QPointer<EmployeeScreen> employee = employeeScreen();
    click(screen, "Sortie");
    QTRY_VERIFY(screen.isNull());
    QTRY_VERIFY(employee.isNull());
    QVERIFY(!m_program->registry.find(ScreenName::Employee));
}

QTEST_MAIN(TestPreparationScreen)
#include "tst_preparationscreen.moc"
