#include "euroratescreen.h"
#include "settingstestsupport.h"

#include "errordialog.h"
#include "frenchlocale.h"
#include "schema.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace SettingsTest;

class TestEuroRateScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void showsStoredRate();
    void validationStoresAtLeastOne_data();
    void validationStoresAtLeastOne();
    void windowControlStoresAtLeastOne();
    void rateTextIsWhatIsShown();
    void decimalKeyReplacesSelection();
    void refusedValidationKeepsScreen();
    void refusedCloseStillCloses();
    void refusedWriteSaysWhatAndWhy_data();
    void refusedWriteSaysWhatAndWhy();
    void unopenableFileIsReported();
    void unreadableFileIsSaidOnTheScreen_data();
    void unreadableFileIsSaidOnTheScreen();

private:
    QLineEdit *rateField() { return m_screen->findChild<QLineEdit *>("Text1"); }
    QLabel *failureLine() { return m_screen->findChild<QLabel *>("ReadFailure"); }
    void validate()
    {
        QTest::mouseClick(m_screen->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    }
    static QString storedRate()
    {
        return stored(Schema::mainDatabase(), "TEURO", "Taux de L'euro");
    }

    std::unique_ptr<WorkingDirectory> m_dir;
    QPointer<EuroRateScreen> m_screen;
};

void TestEuroRateScreen::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
}

void TestEuroRateScreen::cleanup()
{
    delete m_screen;
    delete ErrorDialog::current();
    m_dir.reset();
}

void TestEuroRateScreen::showsStoredRate()
{
    m_screen = new EuroRateScreen;
    m_screen->show();
    QCOMPARE(m_screen->objectName(), "TEUR");
    QCOMPARE(m_screen->windowTitle(), "Taux de l'euro");
    QCOMPARE(m_screen->property("helpContext").toInt(), 6);
    QCOMPARE(rateField()->text(), "6,55957");
    auto *button = m_screen->findChild<QPushButton *>("Command1");
    QVERIFY(button->text().isEmpty());
    QVERIFY(!button->icon().isNull());
    QVERIFY(!button->icon().pixmap(32, 32).isNull());
    QVERIFY(m_screen->readFailure().isEmpty());
    QVERIFY(failureLine()->isHidden());
}

void TestEuroRateScreen::validationStoresAtLeastOne_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("below one") << "0,5" << "1";
    QTest::newRow("zero with comma") << "0," << "1";
    QTest::newRow("official rate") << "6,55957" << "6,55957";
    QTest::newRow("exactly one") << "1" << "1";
    QTest::newRow("empty") << "" << "";
}

void TestEuroRateScreen::validationStoresAtLeastOne()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    m_screen = new EuroRateScreen;
    m_screen->show();
    retype(rateField(), typed);
    QCOMPARE(rateField()->text(), typed);
    validate();

    QCOMPARE(storedRate(), expected);
    flushDeletes();
    QVERIFY2(!m_screen, "a validated screen closes");
}

void TestEuroRateScreen::windowControlStoresAtLeastOne()
{
    m_screen = new EuroRateScreen;
    m_screen->show();
    retype(rateField(), "0,3");
    QVERIFY(m_screen->close());
    QCOMPARE(storedRate(), "1");
    flushDeletes();
    QVERIFY(!m_screen);
}

void TestEuroRateScreen::rateTextIsWhatIsShown()
{
    m_screen = new EuroRateScreen;
    QCOMPARE(m_screen->rateText(), "6,55957");
    retype(rateField(), "0,99");
    QCOMPARE(m_screen->rateText(), "0,99");
    QCOMPARE(storedRate(), "6,55957");
}

void TestEuroRateScreen::decimalKeyReplacesSelection()
{
    m_screen = new EuroRateScreen;
    m_screen->show();
    retype(rateField(), "12");
    rateField()->selectAll();
    QTest::keyClick(rateField(), Qt::Key_Comma);
    QCOMPARE(rateField()->text(), "0,");
}

void TestEuroRateScreen::refusedValidationKeepsScreen()
{
    openFile(Schema::mainDatabase());
    refuseWrites(Schema::mainDatabase(), "TEURO");
    m_screen = new EuroRateScreen;
    m_screen->show();
    retype(rateField(), "0,5");

    ModalBox box;
    answerNextModal(&box);
    validate();

    QVERIFY(box.seen);
    QCOMPARE(box.title, "ATTENTION ");
    // A rate was typed: the box names it and why it was not stored.
    QCOMPARE(box.text, "Le taux de l’euro « 1 » n’a pas été enregistré.\n"
                       "Impossible d’enregistrer dans la table TEURO du fichier « Bdrk.rkv » : "
                       "le fichier refuse cette modification.");
    QCOMPARE(box.icon, QMessageBox::Warning);
    flushDeletes();
    QVERIFY(m_screen);
    QVERIFY(m_screen->isVisible());
    QCOMPARE(rateField()->text(), "1");
    QCOMPARE(storedRate(), "6,55957");
}

void TestEuroRateScreen::refusedCloseStillCloses()
{
    openFile(Schema::mainDatabase());
    refuseWrites(Schema::mainDatabase(), "TEURO");
    m_screen = new EuroRateScreen;
    m_screen->show();
    retype(rateField(), "7");

    ModalBox box;
    answerNextModal(&box);
    QVERIFY(m_screen->close());

    QVERIFY(box.seen);
    QCOMPARE(box.text, "Le taux de l’euro « 7 » n’a pas été enregistré.\n"
                       "Impossible d’enregistrer dans la table TEURO du fichier « Bdrk.rkv » : "
                       "le fichier refuse cette modification.");
    flushDeletes();
    QVERIFY(!m_screen);
    QCOMPARE(storedRate(), "6,55957");
}

// The box names what was not stored and why; « TAPER LE TAUX DE L'EURO »
// only asks for a rate when none was typed.
void TestEuroRateScreen::refusedWriteSaysWhatAndWhy_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("diskFault");
    QTest::addColumn<QString>("expected");

    const QString refused = "Impossible d’enregistrer dans la table TEURO du fichier « Bdrk.rkv » : "
                            "le fichier refuse cette modification.";
    const QString disk = "Impossible d’enregistrer dans la table TEURO du fichier « Bdrk.rkv » : "
                         "erreur de lecture ou d’écriture sur le disque.";
    QTest::newRow("rate refused by the file")
        << "6,6" << false << "Le taux de l’euro « 6,6 » n’a pas été enregistré.\n" + refused;
    QTest::newRow("rate on a failing disk")
        << "7" << true << "Le taux de l’euro « 7 » n’a pas été enregistré.\n" + disk;
    QTest::newRow("no rate, refused by the file") << "" << false << "TAPER LE TAUX DE L'EURO\n" + refused;
    QTest::newRow("no rate, failing disk") << "" << true << "TAPER LE TAUX DE L'EURO\n" + disk;
}

void TestEuroRateScreen::refusedWriteSaysWhatAndWhy()
{
    QFETCH(QString, typed);
    QFETCH(bool, diskFault);
    QFETCH(QString, expected);

    openFile(Schema::mainDatabase());
    if (!diskFault)
        refuseWrites(Schema::mainDatabase(), "TEURO");
    m_screen = new EuroRateScreen;
    m_screen->show();
    retype(rateField(), typed);
    // The engine cannot write its journal beside the file: the disk refuses.
    const QString journal = QString::fromLatin1(Schema::MainFileName) + "-journal";
    if (diskFault)
        QVERIFY(QDir().mkdir(journal));

    ModalBox box;
    answerNextModal(&box);
    validate();

    QVERIFY(box.seen);
    QCOMPARE(box.title, "ATTENTION ");
    QCOMPARE(box.text, expected);
    QVERIFY(m_screen->isVisible());
    QCOMPARE(rateField()->text(), typed);
    if (diskFault)
        QVERIFY(QDir().rmdir(journal));
    QCOMPARE(storedRate(), "6,55957");
}

void TestEuroRateScreen::unopenableFileIsReported()
{
    QFile junk(Schema::MainFileName);
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("pas une base");
    junk.close();

    m_screen = new EuroRateScreen;
    m_screen->show();
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), "Ouverture impossible");
    QVERIFY(!rateField()->isEnabled());
    QVERIFY(m_screen->close());
    flushDeletes();
    QVERIFY(!m_screen);
}

// Loaded unseen, as the main window's gate and the pay calculation load it,
// the screen raises no dialog of its own (the reader says the cause); it
// tells the cause to whoever reads it, says it on itself, and in the error
// dialog once shown. Nothing is written into the file.
void TestEuroRateScreen::unreadableFileIsSaidOnTheScreen_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("cause");
    QTest::newRow("not a database")
        << "foreign"
        << "Le fichier « Bdrk.rkv » n’est pas une base de données Quorvan : son contenu n’est pas "
           "celui d’une base de données.";
    QTest::newRow("damaged rate page")
        << "page" << "Impossible de lire la table TEURO du fichier « Bdrk.rkv » : le fichier est endommagé.";
    QTest::newRow("rate record missing")
        << "record" << "La table TEURO du fichier « Bdrk.rkv » ne contient aucun enregistrement.";
}

void TestEuroRateScreen::unreadableFileIsSaidOnTheScreen()
{
    QFETCH(QString, damage);
    QFETCH(QString, cause);
    if (damage == "foreign") {
        QFile junk(Schema::MainFileName);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        QVERIFY(junk.write(QByteArray(4096, 'x')) == 4096);
    } else if (damage == "page") {
        TestSupport::damageTable(Schema::mainDatabase(), "TEURO");
    } else {
        RecordView view(openFile(Schema::mainDatabase()), "TEURO");
        QVERIFY(!view.deleteCurrent());
    }
    QFile file(Schema::MainFileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    m_screen = new EuroRateScreen;
    QCOMPARE(ErrorDialog::current(), nullptr);
    QCOMPARE(m_screen->readFailure(), cause);
    QCOMPARE(m_screen->rateText(), "");
    QVERIFY(!failureLine()->isHidden());
    QCOMPARE(failureLine()->text(), "Le taux de l’euro n’a pas pu être lu dans son fichier : il ne "
                                    "peut être ni montré ni enregistré.\n" + cause);
    QVERIFY(!rateField()->isEnabled());
    QVERIFY(!m_screen->findChild<QPushButton *>("Command1")->isEnabled());

    m_screen->show();
    QVERIFY(failureLine()->isVisible());
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), "Ouverture impossible");
    QCOMPARE(ErrorDialog::current()->message(), cause);

    QVERIFY(m_screen->close());
    flushDeletes();
    QVERIFY(!m_screen);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

QTEST_MAIN(TestEuroRateScreen)
#include "tst_euroratescreen.moc"
