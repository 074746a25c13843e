#include "settingstestsupport.h"

#include "employerscreen.h"
#include "errordialog.h"
#include "euroratescreen.h"
#include "frenchlocale.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "parametersscreen.h"
#include "printerchoice.h"
#include "schema.h"
#include "screencatalog.h"
#include "screennames.h"
#include "screenregistry.h"

#include "wiredprogram.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace SettingsTest;

// What the settings files' failures tell the clerk in the program as it is
// put together: a rate file that cannot be read is said with its cause by
// the main window's gate and by the rate screen, and a refused write of any
// settings screen says what was not stored and why.
class TestSettingsFailures : public QObject
{
    Q_OBJECT

    struct Program : TestSupport::WiredProgram
    {
        void trigger(const char *item)
        {
            window.findChild<QAction *>(QString::fromLatin1(item))->trigger();
        }
    };

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void gateSaysWhyTheRateCouldNotBeRead_data();
    void gateSaysWhyTheRateCouldNotBeRead();
    void refusedWriteSaysWhatAndWhy_data();
    void refusedWriteSaysWhatAndWhy();

private:
    std::unique_ptr<WorkingDirectory> m_dir;
};

void TestSettingsFailures::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
}

void TestSettingsFailures::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    delete ErrorDialog::current();
    flushDeletes();
    m_dir.reset();
}

void TestSettingsFailures::gateSaysWhyTheRateCouldNotBeRead_data()
{
    QTest::addColumn<bool>("foreignFile");
    QTest::addColumn<QString>("cause");
    QTest::newRow("not a database")
        << true
        << "Le fichier « Bdrk.rkv » n’est pas une base de données Quorvan : son contenu n’est pas "
           "celui d’une base de données.";
    QTest::newRow("damaged rate page")
        << false << "Impossible de lire la table TEURO du fichier « Bdrk.rkv » : le fichier est endommagé.";
}

// "Fichier Salariés" says the file's fault, not « taux inférieur à 1 »;
// "Taux de l'euro" then shows the loaded screen saying it could not read
// its file, and the same cause in the error dialog.
void TestSettingsFailures::gateSaysWhyTheRateCouldNotBeRead()
{
    QFETCH(bool, foreignFile);
    QFETCH(QString, cause);
    if (foreignFile) {
        QFile junk(Schema::MainFileName);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        QVERIFY(junk.write(QByteArray(4096, 'x')) == 4096);
    } else {
        TestSupport::damageTable(Schema::mainDatabase(), "TEURO");
    }

    Program program;
    program.trigger("Client");
    QCOMPARE(program.registry.find(ScreenName::Employee), nullptr);
    ErrorDialog *dialog = ErrorDialog::current();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), " Ouverture IMPOSSIBLE");
    QCOMPARE(dialog->message(), "Le fichier salariés ne peut pas être ouvert : le taux de l’euro n’a "
                                "pas pu être lu.\n" + cause);

    program.trigger("TEURO");
    auto *screen = program.registry.find<EuroRateScreen>(ScreenName::EuroRate);
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    auto *line = screen->findChild<QLabel *>("ReadFailure");
    QVERIFY(line->isVisible());
    QVERIFY(line->text().endsWith(cause));
    QCOMPARE(ErrorDialog::current()->windowTitle(), "Ouverture impossible");
    QCOMPARE(ErrorDialog::current()->message(), cause);
}

void TestSettingsFailures::refusedWriteSaysWhatAndWhy_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("diskFault");
    QTest::addColumn<QString>("expected");

    const auto refused = [](const char *table, const char *file) {
        return QStringLiteral("Impossible d’enregistrer dans la table %1 du fichier « %2 » : le "
                              "fichier refuse cette modification.")
            .arg(QLatin1String(table), QLatin1String(file));
    };
    const auto disk = [](const char *table, const char *file) {
        return QStringLiteral("Impossible d’enregistrer dans la table %1 du fichier « %2 » : erreur "
                              "de lecture ou d’écriture sur le disque.")
            .arg(QLatin1String(table), QLatin1String(file));
    };
    const QString parameters = "ERREUR N°524 : ENREGISTREMENT IMPOSSIBLE\n"
                               "Les paramètres généraux n’ont pas été enregistrés. ";
    const QString employer = "L'employeur n'est pas identifier.Vérifier tous vos champs de saisie.\n"
                             "L’employeur n’a pas été enregistré. ";
    const QString rate = "Le taux de l’euro « 7 » n’a pas été enregistré.\n";
    QTest::newRow("parameters refused by the file")
        << ScreenName::Parameters << false << parameters + refused("PARMETRE", "Bdrk.rkv");
    QTest::newRow("parameters on a failing disk")
        << ScreenName::Parameters << true << parameters + disk("PARMETRE", "Bdrk.rkv");
    QTest::newRow("employer refused by the file")
        << ScreenName::Employer << false << employer + refused("EMPLOYEUR", "sterk.rkv");
    QTest::newRow("employer on a failing disk")
        << ScreenName::Employer << true << employer + disk("EMPLOYEUR", "sterk.rkv");
    QTest::newRow("euro rate refused by the file")
        << ScreenName::EuroRate << false << rate + refused("TEURO", "Bdrk.rkv");
    QTest::newRow("euro rate on a failing disk")
        << ScreenName::EuroRate << true << rate + disk("TEURO", "Bdrk.rkv");
}

// Each screen is opened from the main menu, a value typed, then validated
// while the file refuses the change or the disk fails under it.
void TestSettingsFailures::refusedWriteSaysWhatAndWhy()
{
    QFETCH(QString, screen);
    QFETCH(bool, diskFault);
    QFETCH(QString, expected);

    const bool employer = screen == ScreenName::Employer;
    const DatabaseDefinition definition = employer ? Schema::employerDatabase() : Schema::mainDatabase();
    const QString table = employer ? "EMPLOYEUR" : screen == ScreenName::EuroRate ? "TEURO" : "PARMETRE";
    openFile(Schema::mainDatabase());
    openFile(Schema::employerDatabase());
    if (!diskFault)
        refuseWrites(definition, table);

    Program program;
    QWidget *shown = program.registry.show(screen);
    QVERIFY(shown);
    QString validation = "Valider";
    if (employer) {
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QTest::keyClicks(shown->findChild<QLineEdit *>("TxtMove"), "garage");
        validation = "VALIDER";
    } else if (screen == ScreenName::EuroRate) {
        retype(shown->findChild<QLineEdit *>("Text1"), "7");
        validation = "Command1";
    } else {
        retype(shown->findChild<QLineEdit *>("PLAFONTRAADEBUT"), "15000");
    }
    // The engine cannot write its journal beside the file: the disk refuses.
    const QString journal = definition.fileName + "-journal";
    if (diskFault)
        QVERIFY(QDir().mkdir(journal));

    ModalBox box;
    answerNextModal(&box);
    QTest::mouseClick(shown->findChild<QPushButton *>(validation), Qt::LeftButton);

    const QString said = employer ? ErrorDialog::current()->message() : box.text;
    QCOMPARE(said, expected);
    QVERIFY(shown->isVisible());
    if (diskFault)
        QVERIFY(QDir().rmdir(journal));
    const QString column = employer ? "NomSociété" : screen == ScreenName::EuroRate ? "Taux de L'euro"
                                                                                    : "PLAFONTRAADEBUT";
    const QString before = employer ? "" : screen == ScreenName::EuroRate ? "6,55957" : "14950";
    QCOMPARE(stored(definition, table, column), before);
}

QTEST_MAIN(TestSettingsFailures)
#include "tst_settingsfailures.moc"
