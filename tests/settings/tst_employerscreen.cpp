#include "employerscreen.h"
#include "settingstestsupport.h"

#include "errordialog.h"
#include "frenchlocale.h"
#include "schema.h"

#include <QPushButton>
#include <QtTest>

using namespace SettingsTest;

class TestEmployerScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void activationServesCompanyName();
    void typingGoesThroughEditor();
    void apostropheAndCase_data();
    void apostropheAndCase();
    void enterMovesOnAndWraps();
    void clickingAFieldMovesEditor();
    void clickOnTheEditorThenTypingReplaces();
    void editorEndsExactlyOverEachField();
    void reactivationReturnsToCompanyName();
    void validateHidesAndKeepsScreen();
    void refusedWriteReportsAndKeepsValues();
    void unopenableFileIsReported();

private:
    QLineEdit *field(int i) { return m_screen->findChild<QLineEdit *>(QString("Text1_%1").arg(i)); }
    QLineEdit *editor() { return m_screen->findChild<QLineEdit *>("TxtMove"); }
    void validate()
    {
        QTest::mouseClick(m_screen->findChild<QPushButton *>("VALIDER"), Qt::LeftButton);
    }
    static QString stored(const QString &column)
    {
        return SettingsTest::stored(Schema::employerDatabase(), "EMPLOYEUR", column);
    }
    void openShown()
    {
        m_screen = new EmployerScreen;
        m_screen->show();
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen));
    }
    bool editorOver(int i) { return editor()->isVisible() && editor()->geometry() == field(i)->geometry(); }

    std::unique_ptr<WorkingDirectory> m_dir;
    QPointer<EmployerScreen> m_screen;
};

void TestEmployerScreen::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
}

void TestEmployerScreen::cleanup()
{
    delete m_screen;
    delete ErrorDialog::current();
    m_dir.reset();
}

void TestEmployerScreen::activationServesCompanyName()
{
    openFile(Schema::employerDatabase());
    store(Schema::employerDatabase(), "EMPLOYEUR",
          {{"NomSociété", "menuiserie d'en face"}, {"Ville", "évreux"}});
    m_screen = new EmployerScreen;
    QCOMPARE(m_screen->objectName(), "Soc");
    QCOMPARE(m_screen->windowTitle(), "Employeur");
    QCOMPARE(m_screen->property("helpContext").toInt(), 11);
    QVERIFY(editor()->isHidden());
    QCOMPARE(m_screen->fieldText(3), "évreux");

    m_screen->show();
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));

    QVERIFY(editorOver(0));
    QCOMPARE(QApplication::focusWidget(), editor());
    // The editor taking the focus upper-cases every field.
    QCOMPARE(m_screen->fieldText(0), "MENUISERIE D'EN FACE");
    QCOMPARE(m_screen->fieldText(3), "ÉVREUX");
    QCOMPARE(editor()->text(), "MENUISERIE D'EN FACE");
    QCOMPARE(editor()->selectedText(), "MENUISERIE D'EN FACE");
}

void TestEmployerScreen::typingGoesThroughEditor()
{
    openShown();
    QTest::keyClicks(QApplication::focusWidget(), "Menuiserie");
    QCOMPARE(editor()->text(), "Menuiserie");
    QCOMPARE(m_screen->fieldText(0), "Menuiserie");
    QCOMPARE(m_screen->fieldText(1), "");
}

// "VALIDER" right after the typing stores what Enter would have: upper case,
// typographic apostrophes.
void TestEmployerScreen::apostropheAndCase_data()
{
    QTest::addColumn<bool>("pressEnter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Enter then VALIDER") << true << "l'atelier" << QString("L\u2019ATELIER");
    QTest::newRow("VALIDER at once") << false << "l'atelier" << QString("L\u2019ATELIER");
    QTest::newRow("accents, VALIDER at once") << false << "menuiserie d'\u00e9vreux"
                                              << QString("MENUISERIE D\u2019\u00c9VREUX");
}

void TestEmployerScreen::apostropheAndCase()
{
    QFETCH(bool, pressEnter);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    openShown();
    editor()->insert(typed); // what typing does; QTest types ASCII only
    if (pressEnter) {
        QTest::keyClick(editor(), Qt::Key_Return);
        QVERIFY(editorOver(1));
    }
    validate();

    QCOMPARE(stored("NomSociété"), expected);
    QCOMPARE(m_screen->fieldText(0), expected);
}

void TestEmployerScreen::enterMovesOnAndWraps()
{
    openShown();
    for (int i = 1; i < EmployerScreen::FieldCount; ++i) {
        QTest::keyClick(editor(), Qt::Key_Enter);
        QVERIFY2(editorOver(i), qPrintable(QString("field %1").arg(i)));
    }
    QTest::keyClick(editor(), Qt::Key_Return);
    QVERIFY(editorOver(0));
    QCOMPARE(QApplication::focusWidget(), editor());
    QVERIFY2(m_screen->fieldText(10).isEmpty(), "Enter types nothing");
}

void TestEmployerScreen::clickingAFieldMovesEditor()
{
    openShown();
    QTest::mouseClick(field(2), Qt::LeftButton);
    QVERIFY(editorOver(2));
    QTest::keyClicks(editor(), "27000");

    QTest::mouseClick(field(3), Qt::LeftButton);
    QVERIFY(editorOver(3));
    QCOMPARE(QApplication::focusWidget(), editor());
    QTest::keyClicks(editor(), "Evreux");

    QCOMPARE(m_screen->fieldText(2), "27000");
    QCOMPARE(m_screen->fieldText(3), "Evreux");
}

// The editor lies over the field the clerk sees: clicking it and typing
// replaces the company name shown, it does not write in front of it.
void TestEmployerScreen::clickOnTheEditorThenTypingReplaces()
{
    openFile(Schema::employerDatabase());
    store(Schema::employerDatabase(), "EMPLOYEUR", {{"NomSociété", "BOULANGERIE"}});
    openShown();
    QVERIFY(editorOver(0));
    QTest::mouseClick(editor(), Qt::LeftButton, {}, QPoint(2, editor()->height() / 2));
    QTest::keyClicks(editor(), "Menuiserie");
    QCOMPARE(m_screen->fieldText(0), "Menuiserie");
    validate();
    QCOMPARE(stored("NomSociété"), "MENUISERIE");
}

void TestEmployerScreen::editorEndsExactlyOverEachField()
{
    openShown();
    for (int i = EmployerScreen::FieldCount - 1; i >= 0; --i) {
        QTest::mouseClick(field(i), Qt::LeftButton);
        QCOMPARE(editor()->geometry(), field(i)->geometry());
        QVERIFY(editor()->width() > 0);
    }
}

void TestEmployerScreen::reactivationReturnsToCompanyName()
{
    openShown();
    QTest::mouseClick(field(6), Qt::LeftButton);
    QVERIFY(editorOver(6));

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));

    QVERIFY(editorOver(0));
    QCOMPARE(QApplication::focusWidget(), editor());
}

void TestEmployerScreen::validateHidesAndKeepsScreen()
{
    openShown();
    QTest::keyClicks(editor(), "Garage");
    QTest::mouseClick(field(7), Qt::LeftButton);
    QTest::keyClicks(editor(), "502Z");
    validate();

    flushDeletes();
    QVERIFY2(m_screen, "VALIDER only hides the screen");
    QVERIFY(m_screen->isHidden());
    QCOMPARE(stored("NomSociété"), "GARAGE");
    QCOMPARE(stored("APE"), "502Z");

    // Shown again, it is the same screen with the validated values.
    m_screen->show();
    QCOMPARE(m_screen->fieldText(7), "502Z");
}

void TestEmployerScreen::refusedWriteReportsAndKeepsValues()
{
    openFile(Schema::employerDatabase());
    refuseWrites(Schema::employerDatabase(), "EMPLOYEUR");
    openShown();
    QTest::keyClicks(editor(), "l'atelier");
    validate();

    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), "Erreur de Saisie");
    // The described message, then what was not stored and why.
    QCOMPARE(ErrorDialog::current()->message(),
             "L'employeur n'est pas identifier.Vérifier tous vos champs de saisie.\n"
             "L’employeur n’a pas été enregistré. Impossible d’enregistrer dans la table EMPLOYEUR "
             "du fichier « sterk.rkv » : le fichier refuse cette modification.");
    QVERIFY(m_screen->isVisible());
    QCOMPARE(m_screen->fieldText(0), QString("L\u2019ATELIER"));
    QCOMPARE(stored("NomSociété"), "");
}

void TestEmployerScreen::unopenableFileIsReported()
{
    QFile junk(Schema::EmployerFileName);
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("pas une base");
    junk.close();

    m_screen = new EmployerScreen;
    m_screen->show();
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), "Ouverture impossible");
    QVERIFY(!field(0)->isEnabled());
    QVERIFY(!m_screen->findChild<QPushButton *>("VALIDER")->isEnabled());
}

QTEST_MAIN(TestEmployerScreen)
#include "tst_employerscreen.moc"
