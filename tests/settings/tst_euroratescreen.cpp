#include "euroratescreen.h"
#include "settingstestsupport.h"

#include "errordialog.h"
#include "frenchlocale.h"
#include "schema.h"

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
    void unopenableFileIsReported();

private:
    QLineEdit *rateField() { return m_screen->findChild<QLineEdit *>("Text1"); }
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
    QCOMPARE(box.text, "TAPER LE TAUX DE L'EURO");
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
    QCOMPARE(box.text, "TAPER LE TAUX DE L'EURO");
    flushDeletes();
    QVERIFY(!m_screen);
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

QTEST_MAIN(TestEuroRateScreen)
#include "tst_euroratescreen.moc"
