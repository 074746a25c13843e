#include "parametersscreen.h"
#include "settingstestsupport.h"

#include "errordialog.h"
#include "frenchlocale.h"
#include "numericentryfilter.h"
#include "schema.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

using namespace SettingsTest;

class TestParametersScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void opensOnOvertimeTabWithStoredValues();
    void validateWritesDefaults_data();
    void validateWritesDefaults();
    void validateWithNoOptionTicksA();
    void optionsExclude();
    void keyFilter_data();
    void keyFilter();
    void decimalKeyIgnoresSelection();
    void readFunctionsGiveCurrentTexts();
    void cancelWritesNothing();
    void windowControlDestroysScreen();
    void refusedWriteKeepsScreenAndRecord();
    void nonNumberThresholdRefused_data();
    void nonNumberThresholdRefused();
    void unopenableFileIsReported();

private:
    QLineEdit *field(const char *name) { return m_screen->findChild<QLineEdit *>(name); }
    QCheckBox *option(const char *name) { return m_screen->findChild<QCheckBox *>(name); }
    void openTab(const QString &title)
    {
        auto *bar = m_screen->findChild<QTabBar *>();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == title)
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        QCOMPARE(bar->tabText(bar->currentIndex()), title);
    }
    void click(const char *button)
    {
        QTest::mouseClick(m_screen->findChild<QPushButton *>(button), Qt::LeftButton);
    }
    QString stored(const QString &column)
    {
        return SettingsTest::stored(Schema::mainDatabase(), "PARMETRE", column);
    }

    std::unique_ptr<WorkingDirectory> m_dir;
    QPointer<ParametersScreen> m_screen;
};

void TestParametersScreen::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
}

void TestParametersScreen::cleanup()
{
    delete m_screen;
    if (ErrorDialog::current())
        delete ErrorDialog::current();
    m_dir.reset();
}

void TestParametersScreen::opensOnOvertimeTabWithStoredValues()
{
    m_screen = new ParametersScreen;
    m_screen->show();
    QCOMPARE(m_screen->objectName(), "PARAM");
    QCOMPARE(m_screen->windowTitle(), "Paramètre");
    QCOMPARE(m_screen->property("helpContext").toInt(), 3);
    auto *tabs = m_screen->findChild<QTabWidget *>();
    QCOMPARE(tabs->tabText(tabs->currentIndex()), "Taux heures sup");
    QCOMPARE(field("PRETRANCHEH")->text(), "25,00");
    QCOMPARE(field("conge2")->text(), "169");
    QVERIFY(option("OPTIONA")->isChecked());
    QVERIFY(!option("OPTIONB")->isChecked());
    QCOMPARE(field("conge1")->toolTip(), "Exemple : 20 heures sur la base de 169 heures");
}

void TestParametersScreen::validateWritesDefaults_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("band 1 masked") << "PRETRANCHEH" << "25" << "25,00";
    QTest::newRow("band 1 empty") << "PRETRANCHEH" << "" << "0,00";
    QTest::newRow("band 1 grouped") << "PRETRANCHEH" << "1234,5" << QString("1\u202F234,50");
    QTest::newRow("band 2 empty") << "DEUTRANCHEH" << "" << "0";
    QTest::newRow("band 2 kept") << "DEUTRANCHEH" << "12,5" << "12,5";
    QTest::newRow("ceiling empty") << "PLAFONTRAADEBUT" << "" << "0";
    QTest::newRow("option A share empty") << "POURCENTCSGRDS" << "" << "0";
    QTest::newRow("option B factor empty") << "POURCENTCSGROPTIOB" << "" << "0";
    QTest::newRow("threshold 1 empty") << "HEURSUP1" << "" << "";
    QTest::newRow("threshold 2 as typed") << "HEURSUP2" << "200,5" << "200,5";
    QTest::newRow("threshold 1 grouped") << "HEURSUP1" << "1 169" << "1 169";
    QTest::newRow("leave hours empty") << "conge1" << "" << "";
    QTest::newRow("leave base empty") << "conge2" << "" << "";
}

void TestParametersScreen::validateWritesDefaults()
{
    QFETCH(QString, column);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    m_screen = new ParametersScreen;
    m_screen->show();
    retype(field(column.toUtf8()), typed);
    click("Valider");

    QCOMPARE(stored(column), expected);
    flushDeletes();
    QVERIFY2(!m_screen, "a validated screen closes");
}

void TestParametersScreen::validateWithNoOptionTicksA()
{
    m_screen = new ParametersScreen;
    m_screen->show();
    openTab("Calcul CSG RDS");
    QTest::mouseClick(option("OPTIONA"), Qt::LeftButton);
    QVERIFY(!m_screen->optionA() && !m_screen->optionB());

    click("Valider");
    QCOMPARE(stored("OPTIONA"), "1");
    QCOMPARE(stored("OPTIONB"), "0");
}

void TestParametersScreen::optionsExclude()
{
    m_screen = new ParametersScreen;
    m_screen->show();
    openTab("Calcul CSG RDS");
    QCheckBox *a = option("OPTIONA");
    QCheckBox *b = option("OPTIONB");
    QVERIFY(a->isChecked());

    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isChecked());
    QVERIFY(!a->isChecked());

    QTest::mouseClick(a, Qt::LeftButton);
    QVERIFY(a->isChecked());
    QVERIFY(!b->isChecked());

    // Unticking leaves the other alone: both may be unticked while editing.
    QTest::mouseClick(a, Qt::LeftButton);
    QVERIFY(!a->isChecked());
    QVERIFY(!b->isChecked());

    QTest::mouseClick(b, Qt::LeftButton);
    click("Valider");
    QCOMPARE(stored("OPTIONA"), "0");
    QCOMPARE(stored("OPTIONB"), "1");
}

void TestParametersScreen::keyFilter_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("beeps");

    QTest::newRow("letter in leave base") << "conge2" << "x" << "169" << true;
    QTest::newRow("minus in ceiling") << "PLAFONTRAADEBUT" << "-" << "14950" << true;
    QTest::newRow("digit in leave base") << "conge2" << "5" << "1695" << false;
    QTest::newRow("comma in band 2") << "DEUTRANCHEH" << "," << "50," << false;
    QTest::newRow("letter in threshold 2") << "HEURSUP2" << "x" << "200x" << false;
    QTest::newRow("letter in threshold 1") << "HEURSUP1" << "h" << "169h" << false;
}

void TestParametersScreen::keyFilter()
{
    QFETCH(QString, column);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(bool, beeps);

    m_screen = new ParametersScreen;
    m_screen->show();
    QLineEdit *edit = field(column.toUtf8());
    QTest::keyClick(edit, Qt::Key_End);

    int beepCount = 0;
    for (auto *filter : m_screen->findChildren<NumericEntryFilter *>())
        connect(filter, &NumericEntryFilter::beeped, this, [&beepCount] { ++beepCount; });
    QTest::keyClicks(edit, typed);

    QCOMPARE(edit->text(), expected);
    QCOMPARE(beepCount > 0, beeps);
}

void TestParametersScreen::decimalKeyIgnoresSelection()
{
    m_screen = new ParametersScreen;
    m_screen->show();
    QLineEdit *edit = field("conge1");
    retype(edit, "12");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Comma);
    QCOMPARE(edit->text(), "12,");
}

void TestParametersScreen::readFunctionsGiveCurrentTexts()
{
    m_screen = new ParametersScreen;
    m_screen->show();
    retype(field("HEURSUP1"), "151,67");
    openTab("Calcul CSG RDS");
    QTest::mouseClick(option("OPTIONB"), Qt::LeftButton);

    QCOMPARE(m_screen->fieldText("HEURSUP1"), "151,67");
    QCOMPARE(m_screen->fieldText("POURCENTCSGROPTIOB"), "0,95");
    QCOMPARE(m_screen->fieldText("OPTIONB"), "1");
    QVERIFY(m_screen->optionB());
    QVERIFY(!m_screen->optionA());
    QCOMPARE(stored("HEURSUP1"), "169");
}

void TestParametersScreen::cancelWritesNothing()
{
    m_screen = new ParametersScreen;
    m_screen->show();
    retype(field("PRETRANCHEH"), "");
    retype(field("HEURSUP1"), "151");
    openTab("Calcul CSG RDS");
    QTest::mouseClick(option("OPTIONA"), Qt::LeftButton);
    click("Annuler");
    flushDeletes();
    QVERIFY(!m_screen);

    QCOMPARE(stored("PRETRANCHEH"), "25,00");
    QCOMPARE(stored("HEURSUP1"), "169");
    QCOMPARE(stored("OPTIONA"), "1");

    // The next opening shows the stored record again.
    m_screen = new ParametersScreen;
    QCOMPARE(m_screen->fieldText("HEURSUP1"), "169");
}

void TestParametersScreen::windowControlDestroysScreen()
{
    m_screen = new ParametersScreen;
    m_screen->show();
    retype(field("HEURSUP1"), "151");
    QVERIFY(m_screen->close());
    flushDeletes();
    QVERIFY(!m_screen);
    QCOMPARE(stored("HEURSUP1"), "169");
}

// The thresholds take any key; a text that is not a number is refused by
// "Valider", naming the field, before anything is changed or written.
void TestParametersScreen::nonNumberThresholdRefused_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("letter in threshold 1")
        << "HEURSUP1" << "169h"
        << "Le seuil des heures supplémentaires « au delà de la » (HEURSUP1) n’est pas un nombre : "
           "« 169h ». Tapez un nombre d’heures par mois, par exemple 169 ; rien n’a été enregistré.";
    QTest::newRow("unit in threshold 2")
        << "HEURSUP2" << "200 h"
        << "Le seuil des heures supplémentaires « Jusqu'à la » (HEURSUP2) n’est pas un nombre : "
           "« 200 h ». Tapez un nombre d’heures par mois, par exemple 200 ; rien n’a été enregistré.";
    QTest::newRow("sign alone") << "HEURSUP2" << "-" << "";
}

void TestParametersScreen::nonNumberThresholdRefused()
{
    QFETCH(QString, column);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    m_screen = new ParametersScreen;
    m_screen->show();
    const QString before = stored(column);
    retype(field(column.toUtf8()), typed);
    retype(field("PRETRANCHEH"), "");
    openTab("Congés Payés");

    ModalBox box;
    answerNextModal(&box);
    click("Valider");

    QVERIFY(box.seen);
    QCOMPARE(box.title, "ERREUR DE SAISIE ");
    if (!message.isEmpty())
        QCOMPARE(box.text, message);
    QVERIFY2(box.text.contains("(" + column + ")"), qPrintable(box.text));
    flushDeletes();
    QVERIFY(m_screen);
    QVERIFY(m_screen->isVisible());
    // Back on its tab, its text selected for the correction.
    auto *tabs = m_screen->findChild<QTabWidget *>();
    QCOMPARE(tabs->tabText(tabs->currentIndex()), "Taux heures sup");
    QCOMPARE(field(column.toUtf8())->selectedText(), typed);
    // Nothing written, no default applied.
    QCOMPARE(stored(column), before);
    QCOMPARE(stored("PRETRANCHEH"), "25,00");
    QCOMPARE(field("PRETRANCHEH")->text(), "");

    // Corrected, it is written.
    retype(field(column.toUtf8()), "180");
    click("Valider");
    QCOMPARE(stored(column), "180");
}

void TestParametersScreen::refusedWriteKeepsScreenAndRecord()
{
    {
        StoreError error;
        QVERIFY(Database::open(".", Schema::mainDatabase(), &error));
    }
    refuseWrites(Schema::mainDatabase(), "PARMETRE");
    m_screen = new ParametersScreen;
    m_screen->show();
    retype(field("PRETRANCHEH"), "30");
    retype(field("DEUTRANCHEH"), "");
    openTab("Calcul CSG RDS");
    QTest::mouseClick(option("OPTIONA"), Qt::LeftButton);

    ModalBox box;
    answerNextModal(&box);
    click("Valider");

    QVERIFY(box.seen);
    QCOMPARE(box.title, "ERREUR DE SAISIE ");
    // The described message, then what was not stored and why.
    QCOMPARE(box.text, "ERREUR N°524 : ENREGISTREMENT IMPOSSIBLE\n"
                       "Les paramètres généraux n’ont pas été enregistrés. Impossible d’enregistrer "
                       "dans la table PARMETRE du fichier « Bdrk.rkv » : le fichier refuse cette "
                       "modification.");
    QCOMPARE(box.icon, QMessageBox::Warning);
    flushDeletes();
    QVERIFY(m_screen);
    QVERIFY(m_screen->isVisible());
    // The screen keeps the values as the validation steps left them.
    QCOMPARE(field("PRETRANCHEH")->text(), "30,00");
    QCOMPARE(field("DEUTRANCHEH")->text(), "0");
    QVERIFY(m_screen->optionA());
    QCOMPARE(stored("PRETRANCHEH"), "25,00");
    QCOMPARE(stored("DEUTRANCHEH"), "50");
}

void TestParametersScreen::unopenableFileIsReported()
{
    QFile junk(Schema::MainFileName);
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("ceci n'est pas une base de données, juste du texte qui traîne là.");
    junk.close();

    m_screen = new ParametersScreen;
    m_screen->show();
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), "Ouverture impossible");
    QVERIFY(!ErrorDialog::current()->message().isEmpty());
    QVERIFY(!field("PRETRANCHEH")->isEnabled());
    QVERIFY(!m_screen->findChild<QPushButton *>("Valider")->isEnabled());
    QVERIFY(m_screen->findChild<QPushButton *>("Annuler")->isEnabled());
}

QTEST_MAIN(TestParametersScreen)
#include "tst_parametersscreen.moc"
