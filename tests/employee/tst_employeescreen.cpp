#include "employeescreen.h"
#include "employeetestsupport.h"

#include "basepanel.h"
#include "floatingeditor.h"
#include "ratespanel.h"
#include "datetext.h"
#include "frenchlocale.h"

#include <QBuffer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace EmployeeTest;

// The employee screen driven through its controls: the edit cycle, the
// normalisations, the navigation, the search, the editors and the cues.
class TestEmployeeScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void initialState();
    void positionIndicator_data();
    void positionIndicator();
    void addWithOnlySurnameAsksForFirstName();
    void addDuplicateRefused();
    void modifyOwnRecordAccepted();
    void addStoresNormalisedRecordAndKey();
    void cancelModifyRestoresSnapshotWithPhoto();
    void cancelAddStoresNothing();
    void refusedCloseMakesButtonsBlink();
    void rateAbove100LoweredWithAdvice();
    void ratesAndBasesMasked_data();
    void ratesAndBasesMasked();
    void remainingShareFollowsTheEditor();
    void pastedNonNumberRefused_data();
    void pastedNonNumberRefused();
    void storeRefusalReportedAndEditKept();
    void navigationWithEndOfList();
    void browsingStoresNoSsnAsRien();
    void searchByTown();
    void searchFindsNameWithQuoteThroughList();
    void hintTimerAlternates();
    void lockedEditorWarning_data();
    void lockedEditorWarning();
    void identityEnterWraps();
    void rateEditorKeys();
    void tabsAndKeys();
    void deleteEmployee();
    void payChecksName();
    void sendRequestFindsChosenName();
    void reactivationWithEmptyTableKeepsEditLayout();
    void reactivationKeepsTheEmployeeOnView_data();
    void reactivationKeepsTheEmployeeOnView();
    void calculatorResultLandsInRate();
    void calculatorResultRefusedWhileBrowsing_data();
    void calculatorResultRefusedWhileBrowsing();
    void photoHandOverServesItsOwnEdit();
    void sendRefusedDuringAnEdit();
    void photoDoubleClick();
    void grabEachTab();

private:
    void open() { EmployeeTest::openScreen(m_screen); }
    template<class T = QWidget> T *child(const QString &name) const
    {
        return m_screen->findChild<T *>(name);
    }
    QLineEdit *identity(int i) const { return child<QLineEdit>(QString("Text1_%1").arg(i)); }
    QLineEdit *rate(int i) const { return child<QLineEdit>(QString("TauxCot_%1").arg(i)); }
    QLineEdit *base(int i) const { return child<QLineEdit>(QString("base_%1").arg(i)); }
    FloatingEditor *editor(const char *name) const { return child<FloatingEditor>(name); }
    QPushButton *button(const QString &name) const { return child<QPushButton>(name); }
    QString position() const { return child<QLabel>("Label24")->text(); }
    void click(const QString &name)
    {
        QTest::mouseClick(button(name), Qt::LeftButton);
        waitForFront();
    }
    // A message box has closed: the screen comes back to the front.
    void waitForFront()
    {
        if (m_screen && m_screen->isVisible() && !m_screen->isActiveWindow())
            QVERIFY(QTest::qWaitForWindowActive(m_screen));
    }
    // Gives the field the focus by a click and types through the editor.
    void typeInto(QLineEdit *field, FloatingEditor *over, const QString &text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QVERIFY(over->liesOver(field));
        over->selectAll();
        QTest::keyClick(over, Qt::Key_Backspace);
        // QTest types ASCII only; an accented text arrives as an input would.
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 128;
        if (ascii)
            QTest::keyClicks(over, text);
        else
            over->insert(text);
    }

    void validateYes()
    {
        m_boxes->answer({QMessageBox::Yes});
        click("Valider");
    }
    void cancelYes()
    {
        m_boxes->answer({QMessageBox::Yes});
        click("Annuler");
    }
    QStringList captions() const
    {
        return {button("Valider")->text(), button("Annuler")->text(), button("Modifier")->text(),
                button("Ajouter")->text()};
    }
    QStringList listed() const
    {
        QStringList entries;
        auto *list = child<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
        return entries;
    }
    void clickListEntry(int row)
    {
        auto *list = child<QListWidget>("List1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void searchFor(const QString &text)
    {
        auto *field = child<QLineEdit>("txtrecherche");
        field->clear();
        QTest::keyClicks(field, text);
        click("Command1");
    }
    static QByteArray png(Qt::GlobalColor color)
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(color);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<Boxes> m_boxes;
    QPointer<EmployeeScreen> m_screen;
};

void TestEmployeeScreen::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
    m_boxes = std::make_unique<Boxes>();
}

void TestEmployeeScreen::cleanup()
{
    delete m_screen;
    m_boxes.reset();
    m_dir.reset();
}

void TestEmployeeScreen::initialState()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    QCOMPARE(m_screen->objectName(), "Fiche");
    QCOMPARE(m_screen->windowTitle(), "Fiche salarié");
    for (const char *name : {"Valider", "Annuler", "Command2", "Command1"})
        QVERIFY2(!child(name)->isEnabled(), name);
    for (const char *name : {"Supprimer", "Ajouter", "Modifier", "créer", "Sortir", "Command5", "Frame1"})
        QVERIFY2(child(name)->isEnabled(), name);
    QCOMPARE(button("créer")->text(), "Paie");
    QCOMPARE(button("Ajouter")->toolTip(), "Raccourci  [F5]");
    QCOMPARE(button("Modifier")->toolTip(), "Raccourci  [F8]");
    QCOMPARE(button("Valider")->toolTip(), "Raccourci  [F6]");
    QCOMPARE(button("Annuler")->toolTip(), "Raccourci  [F7]");
    QCOMPARE(button("Sortir")->toolTip(), "Raccourci  [Echap]");
    QVERIFY(editor("TxtMove")->isLocked());
    QVERIFY(editor("txtmove1")->isLocked());
    QVERIFY(editor("Txtmove2")->isLocked());
    QVERIFY(editor("txtmove1")->isHidden());
    QVERIFY(child("PicCal1")->isHidden());
    QCOMPARE(child("PicCal1")->toolTip(), "Calculette");
    QCOMPARE(child("Image1")->toolTip(), "Double click pour insérer une photo");
    QCOMPARE(m_screen->activePanel(), EmployeeScreen::Panel::Identity);
    QVERIFY(child("Picture4")->findChild<QLabel *>()->font().bold());
    QVERIFY(!child("Picture5")->findChild<QLabel *>()->font().bold());
    QCOMPARE(position(), "1/2");
    QCOMPARE(m_screen->identityText(1), "DUPONT");
    QCOMPARE(m_screen->keyText(), "DUPONT , MARIE");
    QCOMPARE(child("Picture2")->findChild<QLabel *>("headerNom")->text(), "DUPONT");
    QCOMPARE(child<QLabel>("information1")->text(), "Taper les critères de votre recherche.");
    // The focus rule has put the identity editor over the first field.
    QVERIFY(editor("TxtMove")->liesOver(identity(0)));
}

void TestEmployeeScreen::positionIndicator_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<QStringList>("disabled");
    QTest::newRow("none") << 0 << "aucun" << QStringList{"Ajouter", "Sortir"}
                          << QStringList{"Modifier", "Supprimer", "créer", "Valider", "Annuler", "Command2",
                                         "Command5", "Frame1", "Command1"};
    QTest::newRow("one") << 1 << "1/1" << QStringList{"Ajouter", "Modifier", "Supprimer", "créer", "Sortir"}
                         << QStringList{"Valider", "Annuler", "Command2", "Command5", "Frame1"};
    QTest::newRow("three") << 3 << "1/3" << QStringList{"Modifier", "Command5", "Frame1"}
                           << QStringList{"Command2", "Valider"};
}

void TestEmployeeScreen::positionIndicator()
{
    QFETCH(int, count);
    QFETCH(QString, shown);
    QFETCH(QStringList, enabled);
    QFETCH(QStringList, disabled);
    const QStringList names{"AUBERT", "BLANC", "CARON"};
    QList<QMap<QString, QString>> records;
    for (int i = 0; i < count; ++i)
        records << employee(names[i], "LUC");
    store(records);
    open();
    QCOMPARE(position(), shown);
    for (const QString &name : enabled)
        QVERIFY2(child(name)->isEnabled(), qPrintable(name));
    for (const QString &name : disabled)
        QVERIFY2(!child(name)->isEnabled(), qPrintable(name));
    if (count < 2)
        QCOMPARE(child<QLabel>("information1")->text(), "RECHERCHE impossible.");
}

void TestEmployeeScreen::addWithOnlySurnameAsksForFirstName()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Ajouter");
    QVERIFY(m_screen->isEditing());
    QCOMPARE(position(), "3/3");
    QCOMPARE(identity(8)->text(), DateText::formatEntryDate(QDate::currentDate()).toUpper());
    for (const char *name : {"Ajouter", "Modifier", "Supprimer", "créer", "Sortir", "Command2", "Command5", "Frame1"})
        QVERIFY2(!child(name)->isEnabled(), name);
    QCOMPARE(child<QLabel>("information1")->text(), "RECHERCHE impossible.");
    typeInto(identity(1), editor("TxtMove"), "durand");
    validateYes();
    QCOMPARE(m_boxes->texts(), (QStringList{"Etes vous certain de vouloir enregistrer",
                                            "Le nouveau salarié doit avoir au moins :nom et prénom"}));
    QCOMPARE(m_boxes->seen[0].title, "ATTENTION");
    QVERIFY(m_boxes->seen[0].yesNo && m_boxes->seen[0].noByDefault);
    QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Information);
    QCOMPARE(m_boxes->seen[1].title, "Action impossible");
    QCOMPARE(m_boxes->seen[1].icon, QMessageBox::Critical);
    QVERIFY(m_screen->isEditing());
    QVERIFY(editor("TxtMove")->liesOver(identity(2)));
    QCOMPARE(storedCount(), 2);
}

void TestEmployeeScreen::addDuplicateRefused()
{
    // A record stored in lower case by an earlier program: the check stores
    // its names in upper case on the way.
    store({employee("martin", "paul"), employee("DUPONT", "MARIE")});
    open();
    click("Ajouter");
    typeInto(identity(1), editor("TxtMove"), "dupont");
    typeInto(identity(2), editor("TxtMove"), "marie");
    validateYes();
    // The surname was upper-cased when the editor moved on, the first name
    // is as typed.
    QCOMPARE(m_boxes->last().text, "Vous avez déjà un salarié DUPONT marie");
    QCOMPARE(m_boxes->last().title, "ATTENTION");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Critical);
    QVERIFY(m_screen->isEditing());
    QCOMPARE(storedCount(), 2);
    QCOMPARE(stored(0, "NOM"), "MARTIN");
    QCOMPARE(stored(0, "PRENOM"), "PAUL");
}

void TestEmployeeScreen::modifyOwnRecordAccepted()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Modifier");
    QVERIFY(!editor("TxtMove")->isLocked());
    typeInto(identity(6), editor("TxtMove"), "lyon");
    validateYes();
    QCOMPARE(m_boxes->texts(),
             (QStringList{"Etes vous certain de vouloir enregistrer", "Enregistrement effectuer"}));
    QCOMPARE(m_boxes->last().title, "Enregistrement");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Information);
    QVERIFY(!m_screen->isEditing());
    QCOMPARE(stored(0, "VILLE"), "LYON");
    QCOMPARE(storedCount(), 2);
    QCOMPARE(position(), "1/2");
    QVERIFY(button("Modifier")->isEnabled());
    QVERIFY(!button("Valider")->isEnabled());
    QVERIFY(editor("TxtMove")->isLocked());
}

void TestEmployeeScreen::addStoresNormalisedRecordAndKey()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Ajouter");
    typeInto(identity(1), editor("TxtMove"), "de l'Orme");
    typeInto(identity(2), editor("TxtMove"), "Jean");
    typeInto(identity(6), editor("TxtMove"), "évreux");
    validateYes();
    QCOMPARE(m_boxes->last().text, "Enregistrement effectuer");
    QCOMPARE(storedCount(), 3);
    QCOMPARE(stored(2, "NOM"), "DE L’ORME");
    QCOMPARE(stored(2, "PRENOM"), "JEAN");
    QCOMPARE(stored(2, "IDENTIFICATION"), "DE L’ORME , JEAN");
    QCOMPARE(stored(2, "NUMSECU"), "<RIEN>");
    QCOMPARE(stored(2, "TEL"), " ");
    QCOMPARE(stored(2, "VILLE"), "ÉVREUX");
    QCOMPARE(stored(2, "Entré le"), DateText::formatEntryDate(QDate::currentDate()).toUpper());
    QCOMPARE(stored(2, "Assurance Maladie/SAL"), "0,0");
    QCOMPARE(stored(2, "BASEHORAIRE"), "0,0");
    QCOMPARE(position(), "3/3");
    QCOMPARE(m_screen->keyText(), "DE L’ORME , JEAN");
    QCOMPARE(m_screen->identityText(1), "DE L’ORME");
    QCOMPARE(child("Picture1")->findChild<QLabel *>("headerNom")->text(), "DE L’ORME");
}

void TestEmployeeScreen::cancelModifyRestoresSnapshotWithPhoto()
{
    store({employee("DUPONT", "MARIE", {{"PHOTO", QString::fromLatin1(png(Qt::red))}}),
           employee("MARTIN", "PAUL")});
    open();
    QCOMPARE(m_screen->photoData(), png(Qt::red));
    click("Modifier");
    QVERIFY(!m_screen->setPhotoData(png(Qt::blue)));
    typeInto(identity(1), editor("TxtMove"), "autre");
    QTest::keyClick(m_screen, Qt::Key_F3);
    typeInto(rate(4), editor("txtmove1"), "7");
    QTest::keyClick(m_screen, Qt::Key_F2);
    cancelYes();
    QCOMPARE(m_boxes->texts(), (QStringList{"Etes vous certain de vouloir annuler la modification",
                                            "Modification annuler"}));
    QVERIFY(m_boxes->seen[0].yesNo && !m_boxes->seen[0].noByDefault);
    QCOMPARE(m_boxes->last().title, "Annulation");
    QCOMPARE(m_screen->identityText(1), "DUPONT");
    QCOMPARE(m_screen->rateText(4), "1,0");
    QCOMPARE(m_screen->photoData(), png(Qt::red));
    QVERIFY(!m_screen->isEditing());
    click("Command5");
    QCOMPARE(stored(0, "NOM"), "DUPONT");
    QCOMPARE(storedData(0, "PHOTO"), png(Qt::red));
}

void TestEmployeeScreen::cancelAddStoresNothing()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Ajouter");
    typeInto(identity(1), editor("TxtMove"), "durand");
    cancelYes();
    QCOMPARE(m_boxes->last().text, "Modification annuler");
    QCOMPARE(storedCount(), 2);
    QCOMPARE(position(), "1/2");
    QCOMPARE(m_screen->identityText(1), "DUPONT");
    QVERIFY(button("Ajouter")->isEnabled());
}

void TestEmployeeScreen::refusedCloseMakesButtonsBlink()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Ajouter");
    QVERIFY(!m_screen->close());
    waitForFront();
    QVERIFY(m_screen->isVisible());
    QCOMPARE(m_boxes->last().text, "Vous devez VALIDER ou ANNULER votre opération en cours");
    QCOMPARE(m_boxes->last().title, "Action Impossible");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Critical);
    m_screen->blinkTick();
    QCOMPARE(captions(), (QStringList{"valider", "annuler", "Modifier", "Ajouter"}));
    m_screen->blinkTick();
    QCOMPARE(captions(), (QStringList{"VALIDER", "ANNULER", "Modifier", "Ajouter"}));
    m_screen->blinkTick();
    QCOMPARE(captions(), (QStringList{"valider", "annuler", "Modifier", "Ajouter"}));
    cancelYes();
    m_screen->blinkTick();
    QCOMPARE(captions(), (QStringList{"VALIDER", "ANNULER", "Modifier", "Ajouter"}));
    m_screen->blinkTick();
    QCOMPARE(captions(), (QStringList{"VALIDER", "ANNULER", "Modifier", "Ajouter"}));
    QVERIFY(m_screen->close());
}

void TestEmployeeScreen::rateAbove100LoweredWithAdvice()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Modifier");
    QTest::keyClick(m_screen, Qt::Key_F3);
    typeInto(rate(0), editor("txtmove1"), "150");
    QTest::keyClick(editor("txtmove1"), Qt::Key_Return);
    waitForFront();
    QCOMPARE(m_boxes->texts(), QStringList{"Vous devriez vérifier que les taux soient aussi élevés"});
    QCOMPARE(m_boxes->last().title, "Conseil");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Question);
    QCOMPARE(m_screen->rateText(0), "100,0");
    QVERIFY(editor("txtmove1")->liesOver(rate(1)));
}

void TestEmployeeScreen::ratesAndBasesMasked_data()
{
    QTest::addColumn<bool>("isRate");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("rate kept") << true << 7 << "19,6" << "19,6";
    QTest::newRow("rate whole") << true << 7 << "8" << "8,0";
    QTest::newRow("rate four decimals") << true << 7 << "2,34567" << "2,3457";
    QTest::newRow("rate empty") << true << 39 << "" << "0,0";
    QTest::newRow("base thousands") << false << 0 << "1500" << QString("1\u202F500,0");
    QTest::newRow("base empty") << false << 1 << "" << "0,0";
}

void TestEmployeeScreen::ratesAndBasesMasked()
{
    QFETCH(bool, isRate);
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Modifier");
    QTest::keyClick(m_screen, isRate ? Qt::Key_F3 : Qt::Key_F4);
    QLineEdit *field = isRate ? rate(index) : base(index);
    FloatingEditor *over = editor(isRate ? "txtmove1" : "Txtmove2");
    typeInto(field, over, typed);
    QTest::keyClick(over, Qt::Key_Return);
    QCOMPARE(field->text(), shown);
    QVERIFY(m_boxes->seen.isEmpty());
    validateYes();
    QCOMPARE(stored(0, isRate ? Schema::rateColumns()[index] : QStringList{"BASEHORAIRE", "TAUXHORAIRE"}[index]),
             shown);
}

void TestEmployeeScreen::remainingShareFollowsTheEditor()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Modifier");
    QTest::keyClick(m_screen, Qt::Key_F4);
    typeInto(base(2), editor("Txtmove2"), "300");
    typeInto(base(3), editor("Txtmove2"), "120");
    QCOMPARE(m_screen->remainingShareText(), "180,0");
    typeInto(base(3), editor("Txtmove2"), "");
    QCOMPARE(m_screen->remainingShareText(), "300,0");
    validateYes();
    QCOMPARE(stored(0, "RAPPLS1"), "300,0");
    QCOMPARE(stored(0, "PP1"), "0,0");
}

void TestEmployeeScreen::pastedNonNumberRefused_data()
{
    QTest::addColumn<bool>("isRate");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("message");
    QTest::newRow("employee rate") << true << 5
                                   << "Le taux salarial de la ligne Assurance Maladie n’est pas un nombre : "
                                      "corrigez-le avant de valider.";
    QTest::newRow("hourly base") << false << 0
                                 << "La base horaire n’est pas un nombre : corrigez-le avant de valider.";
}

void TestEmployeeScreen::pastedNonNumberRefused()
{
    QFETCH(bool, isRate);
    QFETCH(int, index);
    QFETCH(QString, message);
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Modifier");
    QTest::keyClick(m_screen, isRate ? Qt::Key_F3 : Qt::Key_F4);
    QLineEdit *field = isRate ? rate(index) : base(index);
    FloatingEditor *over = editor(isRate ? "txtmove1" : "Txtmove2");
    QTest::mouseClick(field, Qt::LeftButton);
    over->selectAll();
    over->insert("12abc"); // what a paste does: the key filter never sees it
    QTest::keyClick(m_screen, Qt::Key_F2);
    validateYes();
    QCOMPARE(m_boxes->last().text, message);
    QCOMPARE(m_boxes->last().title, "Action impossible");
    QVERIFY(m_screen->isEditing());
    QCOMPARE(m_screen->activePanel(), isRate ? EmployeeScreen::Panel::Rates : EmployeeScreen::Panel::Base);
    QVERIFY(over->liesOver(field));
    QCOMPARE(stored(0, isRate ? "Assurance Maladie/SAL" : "BASEHORAIRE"), isRate ? "1,0" : "169,0");
}

void TestEmployeeScreen::storeRefusalReportedAndEditKept()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Modifier");
    typeInto(identity(6), editor("TxtMove"), "lyon");
    refuseWrites();
    validateYes();
    QCOMPARE(m_boxes->last().title, "Fichier des salariés");
    QVERIFY2(m_boxes->last().text.startsWith("Impossible d’enregistrer"), qPrintable(m_boxes->last().text));
    QVERIFY(m_screen->isEditing());
    QVERIFY(button("Valider")->isEnabled());
    QCOMPARE(m_screen->identityText(6), "LYON");
    QCOMPARE(stored(0, "VILLE"), "PARIS");
}

void TestEmployeeScreen::navigationWithEndOfList()
{
    store({employee("AUBERT", "LUC"), employee("BLANC", "LEA"), employee("CARON", "ANA")});
    open();
    QVERIFY(!button("Command2")->isEnabled());
    click("Command5");
    QCOMPARE(position(), "2/3");
    QCOMPARE(m_screen->identityText(1), "BLANC");
    QVERIFY(m_boxes->seen.isEmpty());
    QVERIFY(button("Command2")->isEnabled());
    click("Command5");
    QCOMPARE(position(), "3/3");
    QCOMPARE(m_screen->identityText(1), "CARON");
    QCOMPARE(m_boxes->texts(), QStringList{"Fin de la liste"});
    QCOMPARE(m_boxes->last().title, "TERMINER");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Information);
    QVERIFY(!button("Command5")->isEnabled());
    click("Command2");
    QCOMPARE(position(), "2/3");
    QCOMPARE(child("Picture3")->findChild<QLabel *>("headerNom")->text(), "BLANC");
    QVERIFY(editor("TxtMove")->hasFocus());
}

void TestEmployeeScreen::browsingStoresNoSsnAsRien()
{
    store({employee("AUBERT", "LUC"), employee("BLANC", "LEA", {{"NUMSECU", ""}})});
    open();
    click("Command5");
    QCOMPARE(m_screen->identityText(0), "<RIEN>");
    click("Command2");
    QCOMPARE(stored(1, "NUMSECU"), "<RIEN>");
}

void TestEmployeeScreen::searchByTown()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL", {{"VILLE", "LYON"}}),
           employee("PARIS", "ANNE")});
    open();
    QTest::keyClicks(child("txtrecherche"), "paris");
    QVERIFY(button("Command1")->isEnabled());
    QCOMPARE(child<QLabel>("information1")->text(), "Clicker sur RECHERCHE pour commencer.");
    click("Command1");
    QCOMPARE(child<QLineEdit>("txtrecherche")->text(), "PARIS");
    QCOMPARE(listed(), (QStringList{"DUPONT , MARIE", "PARIS , ANNE"}));
    QCOMPARE(child<QLabel>("information1")->text(), "2 salariés trouvés avec ses critères.");
    clickListEntry(1);
    QCOMPARE(position(), "3/3");

    // A town that no name or town even contains: nobody, and the entry
    // « <Aucun salarié> » moves nothing.
    searchFor("nantes");
    QCOMPARE(listed(), QStringList{"<Aucun salarié>"});
    QCOMPARE(child<QLabel>("information1")->text(), "Aucun salarié trouvé avec ses critères.");
    clickListEntry(0);
    QCOMPARE(position(), "3/3");

    child<QLineEdit>("txtrecherche")->clear();
    QVERIFY(listed().isEmpty());
    QVERIFY(!button("Command1")->isEnabled());
    QCOMPARE(child<QLabel>("information1")->text(), "Taper les critères de votre recherche.");
}

void TestEmployeeScreen::searchFindsNameWithQuoteThroughList()
{
    // Stored by an earlier program with a straight apostrophe.
    store({employee("DUPONT", "MARIE"),
           employee("L'HERMITE", "ANNE", {{"VILLE", "BREST"}, {"IDENTIFICATION", "L'HERMITE , ANNE"}})});
    open();
    searchFor("brest");
    QCOMPARE(listed(), QStringList{"L'HERMITE , ANNE"});
    clickListEntry(0);
    QVERIFY(m_boxes->seen.isEmpty());
    QCOMPARE(position(), "2/2");
    QCOMPARE(m_screen->keyText(), "L'HERMITE , ANNE");
}

void TestEmployeeScreen::hintTimerAlternates()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL", {{"VILLE", "LYON"}})});
    open();
    QTest::keyClicks(child("txtrecherche"), "lyon");
    m_screen->searchHintTick();
    QCOMPARE(button("Command1")->text(), "RECHERCHE");
    QCOMPARE(child<QLabel>("information1")->text(), "Clicker sur recherche pour commencer.");
    click("Command1");
    QCOMPARE(child<QLabel>("information1")->text(), "1 salarié trouvé avec ses critères.");
    m_screen->searchHintTick();
    QCOMPARE(child<QLabel>("information1")->text(), "Clicker sur le salarié de votre choix.");
    m_screen->searchHintTick();
    QCOMPARE(child<QLabel>("information1")->text(), "1 salarié trouvé avec ses critères.");
}

void TestEmployeeScreen::lockedEditorWarning_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("firstBlink");
    QTest::addColumn<QStringList>("secondBlink");
    QTest::newRow("browsing") << 2 << "MODIFIER"
                              << QStringList{"Valider", "Annuler", "modifier", "Ajouter"}
                              << QStringList{"Valider", "Annuler", "MODIFIER", "Ajouter"};
    QTest::newRow("empty table") << 0 << "AJOUTER"
                                 << QStringList{"Valider", "Annuler", "Modifier", "ajouter"}
                                 << QStringList{"Valider", "Annuler", "Modifier", "Ajouter"};
}

void TestEmployeeScreen::lockedEditorWarning()
{
    QFETCH(int, count);
    QFETCH(QString, word);
    QFETCH(QStringList, firstBlink);
    QFETCH(QStringList, secondBlink);
    if (count)
        store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    const QString before = identity(0)->text();
    QTest::keyClick(editor("TxtMove"), Qt::Key_X);
    waitForFront();
    QCOMPARE(m_boxes->texts(), QStringList{"Vous devez appuyer sur " + word});
    QCOMPARE(m_boxes->last().title, "Action impossible");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Warning);
    QCOMPARE(identity(0)->text(), before);
    QVERIFY(editor("TxtMove")->hasFocus());
    m_screen->blinkTick();
    QCOMPARE(captions(), firstBlink);
    m_screen->blinkTick();
    QCOMPARE(captions(), secondBlink);
}

void TestEmployeeScreen::identityEnterWraps()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Modifier");
    typeInto(identity(6), editor("TxtMove"), "paris");
    QCOMPARE(identity(6)->text(), "paris");
    QTest::keyClick(editor("TxtMove"), Qt::Key_Return);
    QVERIFY(editor("TxtMove")->liesOver(identity(7)));
    QCOMPARE(identity(6)->text(), "PARIS");
    QTest::mouseClick(identity(8), Qt::LeftButton);
    QTest::keyClick(editor("TxtMove"), Qt::Key_Return);
    QVERIFY(editor("TxtMove")->liesOver(identity(0)));
    QCOMPARE(editor("TxtMove")->geometry(), identity(0)->geometry());
}

void TestEmployeeScreen::rateEditorKeys()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    click("Modifier");
    QTest::keyClick(m_screen, Qt::Key_F3);
    FloatingEditor *over = editor("txtmove1");
    QSignalSpy beeped(over, &FloatingEditor::beeped);
    QTest::mouseClick(rate(39), Qt::LeftButton);
    QTest::keyClick(over, Qt::Key_End);
    QTest::keyClick(over, Qt::Key_A);
    QTest::keyClick(over, Qt::Key_Minus);
    QCOMPARE(rate(39)->text(), "1,0");
    QCOMPARE(beeped.count(), 2);
    QVERIFY(!child("PicCal1")->isHidden());
    QCOMPARE(child("PicCal1")->x(), over->x() + over->width());
    QTest::keyClick(over, Qt::Key_Return);
    QVERIFY(over->liesOver(rate(0)));
}

void TestEmployeeScreen::tabsAndKeys()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    QTest::keyClick(m_screen, Qt::Key_F3);
    QCOMPARE(m_screen->activePanel(), EmployeeScreen::Panel::Rates);
    QVERIFY(child("Picture5")->findChild<QLabel *>()->font().bold());
    QVERIFY(!child("Picture4")->findChild<QLabel *>()->font().bold());
    QVERIFY(child("Picture2")->isVisible() && !child("Picture1")->isVisible());
    QVERIFY(editor("txtmove1")->hasFocus());
    QVERIFY(editor("txtmove1")->liesOver(rate(0)));
    QTest::keyClick(m_screen, Qt::Key_F4);
    QCOMPARE(m_screen->activePanel(), EmployeeScreen::Panel::Base);
    QVERIFY(editor("Txtmove2")->liesOver(base(0)));
    QTest::keyClick(m_screen, Qt::Key_F2);
    QCOMPARE(m_screen->activePanel(), EmployeeScreen::Panel::Identity);
    QTest::mouseClick(child("Picture5"), Qt::LeftButton);
    QCOMPARE(m_screen->activePanel(), EmployeeScreen::Panel::Rates);

    QTest::keyClick(m_screen, Qt::Key_F8);
    QVERIFY(m_screen->isEditing());
    QTest::keyClick(m_screen, Qt::Key_Escape); // "Sortir" is disabled while editing
    QVERIFY(m_screen->isVisible());
    m_boxes->answer({QMessageBox::Yes});
    QTest::keyClick(m_screen, Qt::Key_F7);
    waitForFront();
    QVERIFY(!m_screen->isEditing());
    QTest::keyClick(m_screen, Qt::Key_F5);
    QVERIFY(m_screen->isEditing());
    QCOMPARE(m_screen->activePanel(), EmployeeScreen::Panel::Identity);
    m_boxes->answer({QMessageBox::Yes});
    QTest::keyClick(m_screen, Qt::Key_F7);
    waitForFront();
    QTest::keyClick(m_screen, Qt::Key_Escape);
    QVERIFY(!m_screen->isVisible());
}

void TestEmployeeScreen::deleteEmployee()
{
    store({employee("AUBERT", "LUC"), employee("BLANC", "LEA"), employee("CARON", "ANA")});
    open();
    click("Command5");
    m_boxes->answer({QMessageBox::Yes});
    click("Supprimer");
    QCOMPARE(m_boxes->texts(),
             (QStringList{"Voulez vous vraiment effacer le Salarié BLANC LEA", "Salarié SUPPRIMER"}));
    QVERIFY(m_boxes->seen[0].yesNo && m_boxes->seen[0].noByDefault);
    QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Critical);
    QCOMPARE(m_boxes->last().title, "SUPRESSION");
    QCOMPARE(m_boxes->last().icon, QMessageBox::NoIcon);
    QCOMPARE(storedCount(), 2);
    QCOMPARE(stored(1, "NOM"), "CARON");
    QCOMPARE(position(), "1/2");

    m_boxes->clear();
    click("Supprimer"); // answered No
    QCOMPARE(storedCount(), 2);
}

void TestEmployeeScreen::payChecksName()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    int opened = 0;
    m_screen->setPreparationOpener([&opened] { ++opened; });
    click("créer");
    QCOMPARE(opened, 1);
    QVERIFY(m_boxes->seen.isEmpty());
    identity(1)->clear();
    click("créer");
    QCOMPARE(opened, 1);
    QCOMPARE(m_boxes->last().text, "Salarié non identifié");
    QCOMPARE(m_boxes->last().title, "ATTENTION");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Information);
}

void TestEmployeeScreen::sendRequestFindsChosenName()
{
    store({employee("DUPONT", "MARIE"), employee("L'HERMITE", "ANNE", {{"IDENTIFICATION", "L'HERMITE , ANNE"}}),
           employee("MARTIN", "PAUL")});
    m_screen = new EmployeeScreen;
    bool raised = true;
    m_screen->setSendRequestSource([&raised]() -> std::optional<QString> {
        if (!std::exchange(raised, false))
            return std::nullopt;
        return QString("L'HERMITE , ANNE");
    });
    m_screen->show();
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    QCOMPARE(position(), "2/3");
    QCOMPARE(m_screen->identityText(1), "L'HERMITE");
    QVERIFY(!raised);
}

// Another window of the program, to turn away from the screen and back.
static void turnAwayAndBack(QWidget *screen)
{
    QWidget other;
    other.setWindowTitle("autre");
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
}

void TestEmployeeScreen::reactivationWithEmptyTableKeepsEditLayout()
{
    open();
    QVERIFY(!button("Modifier")->isEnabled());
    QVERIFY(!button("Valider")->isEnabled());
    turnAwayAndBack(m_screen);
    // "Modifier" disabled reads as an edit in progress.
    QVERIFY(button("Valider")->isEnabled());
    QVERIFY(button("Annuler")->isEnabled());
    QCOMPARE(position(), "aucun");
    validateYes();
    QCOMPARE(m_boxes->last().text, "Le nouveau salarié doit avoir au moins :nom et prénom");
}

void TestEmployeeScreen::reactivationKeepsTheEmployeeOnView_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("surname");
    QTest::newRow("another employee added") << "add DUPUIS" << "2/4" << "BLANC";
    QTest::newRow("the one before deleted") << "delete AUBERT" << "1/2" << "BLANC";
    QTest::newRow("the one on view deleted") << "delete BLANC" << "1/2" << "AUBERT";
}

// Coming back to the screen reads the file again (another program may have
// changed it) and shows the same employee, the first when he has gone.
void TestEmployeeScreen::reactivationKeepsTheEmployeeOnView()
{
    QFETCH(QString, meanwhile);
    QFETCH(QString, shown);
    QFETCH(QString, surname);
    store({employee("AUBERT", "LUC"), employee("BLANC", "LEA"), employee("CARON", "ANA")});
    open();
    click("Command5");
    QCOMPARE(position(), "2/3");
    // Changed meanwhile through a connection of its own.
    if (meanwhile.startsWith("add")) {
        store({employee(meanwhile.section(' ', 1), "ANA")});
    } else {
        RecordView view(openMain(), "SALARIE");
        QVERIFY(!view.findFirst("NOM", meanwhile.section(' ', 1)));
        QVERIFY(!view.deleteCurrent());
    }
    turnAwayAndBack(m_screen);
    QCOMPARE(position(), shown);
    QCOMPARE(m_screen->identityText(1), surname);
    QCOMPARE(child("Picture1")->findChild<QLabel *>("headerNom")->text(), surname);
    QCOMPARE(button("Command2")->isEnabled(), shown != "1/2");
}

void TestEmployeeScreen::calculatorResultLandsInRate()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    m_screen->receiveCalculatorResult("3,0");
    QCOMPARE(m_screen->identityText(0), "1 70 01 75 001 001");
    QVERIFY(m_boxes->seen.isEmpty());
    click("Modifier");
    QTest::keyClick(m_screen, Qt::Key_F3);
    QTest::mouseClick(rate(3), Qt::LeftButton);
    m_screen->receiveCalculatorResult("12,5");
    QCOMPARE(m_screen->rateText(3), "12,5");
    QSignalSpy asked(m_screen.data(), &EmployeeScreen::calculatorRequested);
    QTest::mouseClick(child("PicCal1"), Qt::LeftButton);
    QCOMPARE(asked.count(), 1);
    QVERIFY(m_boxes->seen.isEmpty());
}

void TestEmployeeScreen::calculatorResultRefusedWhileBrowsing_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("afterAnEdit");
    QTest::addColumn<QString>("word");
    QTest::newRow("browsing") << 2 << false << "MODIFIER";
    QTest::newRow("after Valider") << 2 << true << "MODIFIER";
    QTest::newRow("empty table") << 0 << false << "AJOUTER";
}

// The hand-over is refused as a typed key is: the advice, the blinking
// button, and the fields of both numeric panels as they were.
void TestEmployeeScreen::calculatorResultRefusedWhileBrowsing()
{
    QFETCH(int, count);
    QFETCH(bool, afterAnEdit);
    QFETCH(QString, word);
    if (count)
        store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    if (afterAnEdit) {
        click("Modifier");
        validateYes();
        m_boxes->clear();
    }
    for (const Qt::Key tab : {Qt::Key_F3, Qt::Key_F4}) {
        QTest::keyClick(m_screen, tab);
        FloatingEditor *over = editor(tab == Qt::Key_F3 ? "txtmove1" : "Txtmove2");
        const QString before = over->text();
        const QStringList rates = child<RatesPanel>("Picture2")->fieldTexts();
        const QStringList bases = child<BasePanel>("Picture3")->fieldTexts();
        m_boxes->seen.clear();
        m_screen->receiveCalculatorResult("999,0");
        waitForFront();
        QCOMPARE(m_boxes->texts(), QStringList{"Vous devez appuyer sur " + word});
        QCOMPARE(m_boxes->last().title, "Action impossible");
        QCOMPARE(over->text(), before);
        QCOMPARE(child<RatesPanel>("Picture2")->fieldTexts(), rates);
        QCOMPARE(child<BasePanel>("Picture3")->fieldTexts(), bases);
    }
    m_screen->blinkTick();
    QCOMPARE(captions().contains(count ? "modifier" : "ajouter"), true);
    QCOMPARE(stored(0, "BASEHORAIRE"), count ? "169,0" : "<absent>");
}

// A hand-over taken during an edit reaches the record of that edit while
// it lasts, and no other: not after its "Annuler", nor in a later edit.
void TestEmployeeScreen::photoHandOverServesItsOwnEdit()
{
    store({employee("DUPONT", "MARIE", {{"PHOTO", QString::fromLatin1(png(Qt::red))}}),
           employee("MARTIN", "PAUL")});
    open();
    const StoreError browsing = m_screen->setPhotoData(png(Qt::green));
    QCOMPARE(browsing.number(), int(StoreError::NoCurrentRecord));
    QVERIFY2(browsing.message().contains("aucun ajout ni aucune modification"), qPrintable(browsing.message()));
    QCOMPARE(m_screen->photoData(), png(Qt::red));

    click("Modifier");
    const auto handOver = m_screen->photoHandOver();
    QVERIFY(!handOver(png(Qt::blue)));
    QCOMPARE(m_screen->photoData(), png(Qt::blue));
    cancelYes();
    QCOMPARE(m_screen->photoData(), png(Qt::red));
    const StoreError afterCancel = handOver(png(Qt::blue));
    QCOMPARE(afterCancel.message(),
             "La photo n’a pas été transmise : la modification de DUPONT MARIE, pour laquelle elle a été "
             "choisie, est terminée. Pour changer sa photo, appuyez sur « Modifier », puis double-cliquez "
             "sur le cadre de la photo.");
    click("Command5");
    click("Modifier");
    QVERIFY(handOver(png(Qt::blue)));
    QVERIFY(m_screen->photoData().isEmpty());
    cancelYes();

    click("Ajouter");
    const auto forTheAdd = m_screen->photoHandOver();
    cancelYes();
    QVERIFY(forTheAdd(png(Qt::blue)).message().contains("l’ajout de salarié pour lequel elle a été choisie est terminé"));
    click("Command5");
    QCOMPARE(storedData(0, "PHOTO"), png(Qt::red));
    QVERIFY(storedData(1, "PHOTO").isEmpty());
}

void TestEmployeeScreen::sendRefusedDuringAnEdit()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    QVERIFY(!m_screen->sendRefusal());
    click("Modifier");
    typeInto(identity(1), editor("TxtMove"), "durand");
    QCOMPARE(m_screen->sendRefusal().value_or(QString()),
             "La fiche de DUPONT MARIE est en cours de modification : appuyez sur « Valider » ou « Annuler » "
             "sur la fiche salarié avant d’en afficher un autre.");
    cancelYes();
    QVERIFY(!m_screen->sendRefusal());
    click("Ajouter");
    QCOMPARE(m_screen->sendRefusal().value_or(QString()),
             "Un nouveau salarié est en cours d’ajout : appuyez sur « Valider » ou « Annuler » sur la fiche "
             "salarié avant d’en afficher un autre.");

    // A request raised anyway waits for the edit's end.
    int read = 0;
    m_screen->setSendRequestSource([&read]() -> std::optional<QString> {
        ++read;
        return QString("MARTIN , PAUL");
    });
    turnAwayAndBack(m_screen);
    QCOMPARE(read, 0);
    QVERIFY(m_screen->isEditing());
    cancelYes();
    turnAwayAndBack(m_screen);
    QCOMPARE(read, 1);
    QCOMPARE(position(), "2/2");
}

void TestEmployeeScreen::photoDoubleClick()
{
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
    open();
    QSignalSpy asked(m_screen.data(), &EmployeeScreen::photoPickerRequested);
    QTest::mouseDClick(child("Image1"), Qt::LeftButton);
    waitForFront();
    QCOMPARE(m_boxes->texts(), QStringList{"Vous devez appuyer sur MODIFIER"});
    QCOMPARE(asked.count(), 0);
    click("Modifier");
    QTest::mouseDClick(child("Image1"), Qt::LeftButton);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(m_boxes->seen.size(), 1);
}

// Each tab as the clerk sees it (EMPLOYEE_SCREENSHOTS names a folder to keep
// the pictures); no caption is cut.
void TestEmployeeScreen::grabEachTab()
{
    store({employee("DUPONT", "MARIE", {{"PHOTO", QString::fromLatin1(png(Qt::darkCyan))}}),
           employee("DE L’ORME", "JEAN")});
    open();
    searchFor("paris");
    const QString out = qEnvironmentVariable("EMPLOYEE_SCREENSHOTS", ".");
    const struct
    {
        Qt::Key key;
        const char *file;
    } tabs[] = {{Qt::Key_F2, "fiche-salarie.png"}, {Qt::Key_F3, "fiche-taux.png"}, {Qt::Key_F4, "fiche-base.png"}};
    for (const auto &tab : tabs) {
        QTest::keyClick(m_screen, tab.key);
        QVERIFY(m_screen->grab().save(out + "/" + tab.file));
        for (QLabel *label : m_screen->findChildren<QLabel *>()) {
            if (!label->isVisible() || label->text().isEmpty() || label->inherits("DotLeaderLabel"))
                continue;
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
        }
        for (QPushButton *button : m_screen->findChildren<QPushButton *>()) {
            if (button->isVisible() && !button->text().isEmpty())
                QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        }
    }
}

QTEST_MAIN(TestEmployeeScreen)
#include "tst_employeescreen.moc"
