#include "employeescreen.h"
#include "employeetestsupport.h"

#include "frenchlocale.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace EmployeeTest;

// The search as the clerk types it: the criterion gets the apostrophe and
// case rules of the stored texts, and Enter in the search text runs it.
class TestEmployeeSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void criterionFollowsTheStoredTexts_data();
    void criterionFollowsTheStoredTexts();
    void enterRunsTheSearch();
    void nothingExactSaysItFoundByContaining();
    void enterWithoutCriterionDoesNothing();

private:
    void open() { EmployeeTest::openScreen(m_screen); }
    template<class T = QWidget> T *child(const QString &name) const
    {
        return m_screen->findChild<T *>(name);
    }
    QLineEdit *searchText() const { return child<QLineEdit>("txtrecherche"); }
    QString message() const { return child<QLabel>("information1")->text(); }
    QStringList listed() const
    {
        QStringList entries;
        auto *list = child<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
        return entries;
    }
    // Typed as the keyboard types it (QTest types ASCII only).
    void type(const QString &text)
    {
        QTest::mouseClick(searchText(), Qt::LeftButton);
        searchText()->clear();
        QTest::keyClicks(searchText(), text);
    }

    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<Boxes> m_boxes;
    QPointer<EmployeeScreen> m_screen;
};

void TestEmployeeSearch::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
    m_boxes = std::make_unique<Boxes>();
    store({employee("DUPONT", "MARIE"),
           // As the screen stores it: the typographic apostrophe.
           employee("D\u2019ALMEIDA", "PAUL", {{"VILLE", "TOURS"}}),
           // Left by an earlier program with a straight apostrophe.
           employee("L'HERMITE", "ANNE", {{"VILLE", "BREST"}, {"ADRESSE", "2 RUE D'ALSACE"}}),
           employee("MARTIN", "PAUL", {{"VILLE", "LYON"}})});
}

void TestEmployeeSearch::cleanup()
{
    delete m_screen;
    m_boxes.reset();
    m_dir.reset();
}

void TestEmployeeSearch::criterionFollowsTheStoredTexts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("straight apostrophe") << "d'almeida" << "D\u2019ALMEIDA"
                                         << QStringList{"D\u2019ALMEIDA , PAUL"};
    QTest::newRow("key with an apostrophe") << "d'almeida , paul" << "D\u2019ALMEIDA , PAUL"
                                            << QStringList{"D\u2019ALMEIDA , PAUL"};
    QTest::newRow("stored with a straight apostrophe") << "l'hermite" << "L\u2019HERMITE"
                                                       << QStringList{"L'HERMITE , ANNE"};
    QTest::newRow("address with a straight apostrophe") << "2 rue d'alsace" << "2 RUE D\u2019ALSACE"
                                                        << QStringList{"L'HERMITE , ANNE"};
    QTest::newRow("lower case") << "lyon" << "LYON" << QStringList{"MARTIN , PAUL"};
    // Nothing exact: the names and towns containing the criterion.
    QTest::newRow("part of a name") << "almeida" << "ALMEIDA" << QStringList{"D\u2019ALMEIDA , PAUL"};
    QTest::newRow("nothing contains it") << "nantes" << "NANTES" << QStringList{"<Aucun salarié>"};
}

void TestEmployeeSearch::criterionFollowsTheStoredTexts()
{
    QFETCH(QString, typed);
    QFETCH(QString, criterion);
    QFETCH(QStringList, found);
    open();
    type(typed);
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(searchText()->text(), criterion);
    QCOMPARE(listed(), found);
    if (found.constFirst() != QStringLiteral("<Aucun salarié>")) {
        // The key found leads to the employee.
        auto *list = child<QListWidget>("List1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(m_screen->keyText(), found.constFirst());
    }
    QVERIFY(m_boxes->seen.isEmpty());
}

// Enter does what "Recherche" does, and leaves the criterion selected for
// the next one.
void TestEmployeeSearch::enterRunsTheSearch()
{
    open();
    type("tours");
    QTest::keyClick(searchText(), Qt::Key_Return);
    QCOMPARE(searchText()->text(), QStringLiteral("TOURS"));
    QCOMPARE(listed(), QStringList{"D\u2019ALMEIDA , PAUL"});
    QCOMPARE(message(), QStringLiteral("1 salarié trouvé avec ses critères."));
    QVERIFY(searchText()->hasFocus());
    QCOMPARE(searchText()->selectedText(), QStringLiteral("TOURS"));

    // The keypad's Enter as well; typing replaces the selected criterion.
    QTest::keyClicks(searchText(), "paris");
    QTest::keyClick(searchText(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(listed(), (QStringList{"DUPONT , MARIE"}));
    QCOMPARE(message(), QStringLiteral("1 salarié trouvé avec ses critères."));
}

// The clerk is told that the list is not of exact matches; an exact match
// still lists only itself.
void TestEmployeeSearch::nothingExactSaysItFoundByContaining()
{
    open();
    type("pau");
    QTest::keyClick(searchText(), Qt::Key_Return);
    QCOMPARE(listed(), (QStringList{"D\u2019ALMEIDA , PAUL", "MARTIN , PAUL"}));
    QCOMPARE(message(), QStringLiteral("Rien d’exact : 2 salariés dont le nom ou la ville contient ce texte."));

    type("paul");
    QTest::keyClick(searchText(), Qt::Key_Return);
    QCOMPARE(listed(), (QStringList{"D\u2019ALMEIDA , PAUL", "MARTIN , PAUL"}));
    QCOMPARE(message(), QStringLiteral("2 salariés trouvés avec ses critères."));

    type("bre");
    QTest::keyClick(searchText(), Qt::Key_Return);
    QCOMPARE(listed(), QStringList{"L'HERMITE , ANNE"});
    QCOMPARE(message(), QStringLiteral("Rien d’exact : 1 salarié dont le nom ou la ville contient ce texte."));
}

void TestEmployeeSearch::enterWithoutCriterionDoesNothing()
{
    open();
    type(QString());
    QVERIFY(!child<QPushButton>("Command1")->isEnabled());
    QTest::keyClick(searchText(), Qt::Key_Return);
    QVERIFY(listed().isEmpty());
    QCOMPARE(message(), QStringLiteral("Taper les critères de votre recherche."));
    QVERIFY(m_boxes->seen.isEmpty());
}

QTEST_MAIN(TestEmployeeSearch)
#include "tst_employeesearch.moc"
