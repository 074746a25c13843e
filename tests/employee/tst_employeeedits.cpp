#include "employeescreen.h"
#include "employeetestsupport.h"

#include "employeerules.h"
#include "floatingeditor.h"
#include "frenchlocale.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace EmployeeTest;

// A modification as the clerk makes it: a click on a field that holds a
// value, then typing, replaces the value; "Valider" says "stored" only of a
// record that is still in the file.
class TestEmployeeEdits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void typingReplacesTheValueClicked_data();
    void typingReplacesTheValueClicked();
    void unchangedRecordDeletedMeanwhile();
    void unchangedRecordStillThere();

private:
    void open() { EmployeeTest::openScreen(m_screen); }
    template<class T = QWidget> T *child(const QString &name) const
    {
        return m_screen->findChild<T *>(name);
    }
    void click(const QString &name)
    {
        QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
        if (m_screen->isVisible() && !m_screen->isActiveWindow())
            QVERIFY(QTest::qWaitForWindowActive(m_screen));
    }
    void validateYes()
    {
        m_boxes->answer({QMessageBox::Yes});
        click("Valider");
    }

    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<Boxes> m_boxes;
    QPointer<EmployeeScreen> m_screen;
};

void TestEmployeeEdits::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
    m_boxes = std::make_unique<Boxes>();
    store({employee("DUPONT", "MARIE"), employee("MARTIN", "PAUL")});
}

void TestEmployeeEdits::cleanup()
{
    delete m_screen;
    m_boxes.reset();
    m_dir.reset();
}

// The editor lies over the field: what the clerk clicks is the editor. On
// the tab the focus rule has just put the editor on, or on another field.
void TestEmployeeEdits::typingReplacesTheValueClicked_data()
{
    QTest::addColumn<int>("tabKey");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hourly base under the editor") << int(Qt::Key_F4) << "base_0" << "BASEHORAIRE"
                                                  << "1500" << EmployeeRules::baseForm("1500");
    QTest::newRow("hourly rate") << int(Qt::Key_F4) << "base_1" << "TAUXHORAIRE" << "52"
                                 << EmployeeRules::baseForm("52");
    QTest::newRow("first rate under the editor") << int(Qt::Key_F3) << "TauxCot_0"
                                                 << Schema::rateColumns().constFirst() << "3" << "3,0";
    QTest::newRow("town") << int(Qt::Key_F2) << "Text1_6" << "VILLE" << "lyon" << "LYON";
}

void TestEmployeeEdits::typingReplacesTheValueClicked()
{
    QFETCH(int, tabKey);
    QFETCH(QString, field);
    QFETCH(QString, column);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    open();
    QTest::keyClick(m_screen, Qt::Key(tabKey));
    click("Modifier");
    auto *target = child<QLineEdit>(field);
    QVERIFY(target);
    if (!target->hasFocus()) // the field under an editor never keeps it
        QTest::mouseClick(target, Qt::LeftButton);
    FloatingEditor *editor = nullptr;
    for (FloatingEditor *candidate : m_screen->findChildren<FloatingEditor *>())
        if (candidate->isVisible() && candidate->liesOver(target))
            editor = candidate;
    QVERIFY(editor);
    // The click lands at the field's left end, in front of a figure
    // aligned right.
    QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(3, editor->height() / 2));
    QTest::keyClicks(editor, typed);
    QCOMPARE(target->text(), typed);
    validateYes();
    QCOMPARE(m_boxes->last().text, QStringLiteral("Enregistrement effectuer"));
    QCOMPARE(stored(0, column), expected);
}

void TestEmployeeEdits::unchangedRecordDeletedMeanwhile()
{
    open();
    click("Modifier");
    {
        // Another program deletes the record shown.
        auto database = openMain();
        QCOMPARE(sqlite3_exec(database->handle(), "DELETE FROM SALARIE WHERE NOM = 'DUPONT'", nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
    }
    validateYes();
    QVERIFY(!m_boxes->texts().contains(QStringLiteral("Enregistrement effectuer")));
    QCOMPARE(m_boxes->last().title, QStringLiteral("Fichier des salariés"));
    QCOMPARE(m_boxes->last().text, QStringLiteral("Cet enregistrement n’existe plus : il a été supprimé "
                                                  "de la table SALARIE entre-temps. Rien n’a été "
                                                  "enregistré."));
    // Nothing was stored, nobody else was shown in its place: the edit waits
    // for "Annuler".
    QVERIFY(m_screen->isEditing());
    QCOMPARE(m_screen->identityText(1), QStringLiteral("DUPONT"));
    QCOMPARE(storedCount(), 1);
    QCOMPARE(stored(0, "NOM"), QStringLiteral("MARTIN"));

    m_boxes->answer({QMessageBox::Yes});
    click("Annuler");
    QVERIFY(!m_screen->isEditing());
    QCOMPARE(storedCount(), 1);
    QCOMPARE(stored(0, "NOM"), QStringLiteral("MARTIN"));
}

void TestEmployeeEdits::unchangedRecordStillThere()
{
    open();
    click("Modifier");
    validateYes();
    QCOMPARE(m_boxes->last().text, QStringLiteral("Enregistrement effectuer"));
    QVERIFY(!m_screen->isEditing());
    QCOMPARE(m_screen->identityText(1), QStringLiteral("DUPONT"));
    QCOMPARE(storedCount(), 2);
}

QTEST_MAIN(TestEmployeeEdits)
#include "tst_employeeedits.moc"
