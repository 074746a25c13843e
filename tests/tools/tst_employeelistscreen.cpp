#include "database.h"
#include "employeelistscreen.h"
#include "recordview.h"
#include "schema.h"
#include "toolstestsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <optional>

// The employee list over a table of the test's own, driven by its controls.
class TestEmployeeListScreen : public QObject
{
    Q_OBJECT

    static std::shared_ptr<Database> openMain()
    {
        StoreError error;
        auto database = Database::open(QStringLiteral("."), Schema::mainDatabase(), &error);
        if (!database)
            qWarning("%s", qPrintable(error.message()));
        return database;
    }

    // Adds employees the way the employee screen stores them.
    static void addEmployees(const QStringList &keys)
    {
        RecordView view(openMain(), QStringLiteral("SALARIE"));
        for (const QString &key : keys) {
            QVERIFY(!view.addNew());
            const QStringList names = key.split(QStringLiteral(" , "));
            view.setFieldText(QStringLiteral("NOM"), names.value(0));
            view.setFieldText(QStringLiteral("PRENOM"), names.value(1));
            view.setFieldText(QStringLiteral("IDENTIFICATION"), key);
            const StoreError error = view.writeCurrent();
            QVERIFY2(!error, qPrintable(error.message()));
        }
    }

    static QStringList entries(QListWidget *list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    template<class T> static T *control(QWidget *screen, const char *name)
    {
        auto *found = screen->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    static void clickEntry(QListWidget *list, int row)
    {
        const QRect place = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }

    static void activate(QWidget *screen)
    {
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(screen, &activation);
    }

private slots:
    void countAndList_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("countLine");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("none") << QStringList() << "<Aucun salarié>" << QStringList{"<Aucun salarié>"};
        QTest::newRow("one") << QStringList{"MARTIN , PAUL"} << " 1 salarié"
                             << QStringList{"MARTIN , PAUL"};
        QTest::newRow("several")
            << QStringList{"MARTIN , PAUL", "DUBOIS , ANNE", "LEROY , JEAN"} << " 3 salariés"
            << QStringList{"MARTIN , PAUL", "DUBOIS , ANNE", "LEROY , JEAN"};
    }

    void countAndList()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, countLine);
        QFETCH(QStringList, listed);
        ToolsTest::WorkingDirectory dir;
        addEmployees(keys);
        if (QTest::currentTestFailed())
            return;

        EmployeeListScreen screen;
        screen.show();
        QCOMPARE(screen.objectName(), QStringLiteral("lists"));
        QCOMPARE(screen.windowTitle(), QStringLiteral("Liste des Salariés"));
        QCOMPARE(control<QLabel>(&screen, "Label1")->text(), countLine);
        QCOMPARE(entries(control<QListWidget>(&screen, "List1")), listed);
        QVERIFY(!control<QPushButton>(&screen, "Command1")->isEnabled());
        QVERIFY(!control<QLineEdit>(&screen, "Text1")->isVisible());
        QCOMPARE(screen.property("helpContext").toInt(), 4);
    }

    void clickChoosesTheEmployee()
    {
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN , PAUL", "DUBOIS , ANNE"});
        EmployeeListScreen screen;
        screen.show();
        clickEntry(control<QListWidget>(&screen, "List1"), 1);
        auto *chosen = control<QLineEdit>(&screen, "Text1");
        QVERIFY(chosen->isVisible());
        QCOMPARE(chosen->text(), QStringLiteral("DUBOIS , ANNE"));
        QCOMPARE(screen.chosenName(), QStringLiteral("DUBOIS , ANNE"));
        QVERIFY(control<QPushButton>(&screen, "Command1")->isEnabled());
    }

    void clickOnAnEmptyTableDoesNothing()
    {
        ToolsTest::WorkingDirectory dir;
        EmployeeListScreen screen;
        screen.show();
        clickEntry(control<QListWidget>(&screen, "List1"), 0);
        QVERIFY(!control<QLineEdit>(&screen, "Text1")->isVisible());
        QVERIFY(screen.chosenName().isEmpty());
        QVERIFY(!control<QPushButton>(&screen, "Command1")->isEnabled());
    }

    void sendRaisesTheRequestAndOpensTheEmployeeScreen_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Envoi") << false;
        QTest::newRow("F6") << true;
    }

    void sendRaisesTheRequestAndOpensTheEmployeeScreen()
    {
        QFETCH(bool, byKey);
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN , PAUL", "DUBOIS , ANNE"});
        EmployeeListScreen screen;
        int opened = 0;
        screen.setEmployeeScreenOpener([&opened] { ++opened; });
        QSignalSpy raised(&screen, &EmployeeListScreen::sendRequestedChanged);
        screen.show();
        auto *list = control<QListWidget>(&screen, "List1");

        // Nothing to send before a name is chosen.
        QTest::keyClick(list, Qt::Key_F6);
        QVERIFY(!screen.sendRequested());
        QCOMPARE(opened, 0);

        clickEntry(list, 0);
        if (byKey)
            QTest::keyClick(list, Qt::Key_F6);
        else
            QTest::mouseClick(control<QPushButton>(&screen, "Command1"), Qt::LeftButton);
        QVERIFY(screen.sendRequested());
        QCOMPARE(raised.count(), 1);
        QCOMPARE(opened, 1);
        QCOMPARE(screen.chosenName(), QStringLiteral("MARTIN , PAUL"));
    }

    // While the employee screen edits, "Envoi" and F6 say why they cannot
    // send, and raise nothing; the list stays as it was.
    void sendRefusedWhileTheEmployeeScreenEdits_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Envoi") << false;
        QTest::newRow("F6") << true;
    }

    void sendRefusedWhileTheEmployeeScreenEdits()
    {
        QFETCH(bool, byKey);
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN , PAUL", "DUBOIS , ANNE"});
        EmployeeListScreen screen;
        int opened = 0;
        screen.setEmployeeScreenOpener([&opened] { ++opened; });
        std::optional<QString> refusal = QStringLiteral("La fiche de DUBOIS ANNE est en cours de modification.");
        screen.setSendRefusal([&refusal] { return refusal; });
        QSignalSpy raised(&screen, &EmployeeListScreen::sendRequestedChanged);
        screen.show();
        auto *list = control<QListWidget>(&screen, "List1");
        clickEntry(list, 0);

        ToolsTest::ModalBox box;
        box.expect();
        if (byKey)
            QTest::keyClick(list, Qt::Key_F6);
        else
            QTest::mouseClick(control<QPushButton>(&screen, "Command1"), Qt::LeftButton);
        QVERIFY(box.seen);
        QCOMPARE(box.text, *refusal);
        QCOMPARE(box.title, QStringLiteral("Action impossible"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY(!screen.sendRequested());
        QCOMPARE(raised.count(), 0);
        QCOMPARE(opened, 0);
        QVERIFY(screen.isVisible());
        QCOMPARE(screen.chosenName(), QStringLiteral("MARTIN , PAUL"));

        // The edit over, the same click sends.
        refusal.reset();
        QTest::mouseClick(control<QPushButton>(&screen, "Command1"), Qt::LeftButton);
        QVERIFY(screen.sendRequested());
        QCOMPARE(opened, 1);
    }

    void escapeAndSortirClose_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Sortir") << false;
        QTest::newRow("Escape") << true;
    }

    void escapeAndSortirClose()
    {
        QFETCH(bool, byKey);
        ToolsTest::WorkingDirectory dir;
        QPointer<EmployeeListScreen> screen = new EmployeeListScreen;
        screen->show();
        if (byKey)
            QTest::keyClick(control<QListWidget>(screen, "List1"), Qt::Key_Escape);
        else
            QTest::mouseClick(control<QPushButton>(screen, "Command2"), Qt::LeftButton);
        QTRY_VERIFY(screen.isNull());
    }

    void activationListsNewEmployeesOnce()
    {
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN , PAUL"});
        EmployeeListScreen screen;
        screen.show();
        activate(&screen);
        addEmployees({"DUBOIS , ANNE"});
        activate(&screen);
        QCOMPARE(entries(control<QListWidget>(&screen, "List1")),
                 (QStringList{"MARTIN , PAUL", "DUBOIS , ANNE"}));
        QCOMPARE(control<QLabel>(&screen, "Label1")->text(), QStringLiteral(" 2 salariés"));
    }

    void emptiedTableShowsNoEmployee()
    {
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN , PAUL"});
        EmployeeListScreen screen;
        screen.show();
        clickEntry(control<QListWidget>(&screen, "List1"), 0);
        {
            RecordView view(openMain(), QStringLiteral("SALARIE"));
            QVERIFY(!view.deleteCurrent());
        }
        activate(&screen);
        QCOMPARE(entries(control<QListWidget>(&screen, "List1")), QStringList{"<Aucun salarié>"});
        QCOMPARE(control<QLabel>(&screen, "Label1")->text(), QStringLiteral("<Aucun salarié>"));
        QVERIFY(!control<QPushButton>(&screen, "Command1")->isEnabled());
    }

    void turningToAnotherWindowMinimises()
    {
        ToolsTest::WorkingDirectory dir;
        EmployeeListScreen screen;
        screen.show();
        QApplication::setActiveWindow(&screen);
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(screen.isMinimized());

        // Coming back rebuilds the list.
        addEmployees({"DUBOIS , ANNE"});
        screen.showNormal();
        QApplication::setActiveWindow(&screen);
        QCOMPARE(entries(control<QListWidget>(&screen, "List1")), QStringList{"DUBOIS , ANNE"});
    }

    void turningToAnotherApplicationKeepsTheWindow()
    {
        ToolsTest::WorkingDirectory dir;
        EmployeeListScreen screen;
        screen.show();
        QApplication::setActiveWindow(&screen);
        QApplication::setActiveWindow(nullptr);
        QVERIFY(!screen.isMinimized());
    }

    void hiddenWindowIsNotShownToBeMinimised()
    {
        ToolsTest::WorkingDirectory dir;
        EmployeeListScreen screen;
        QEvent deactivation(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&screen, &deactivation);
        QVERIFY(!screen.isVisible());
    }
};

QTEST_MAIN(TestEmployeeListScreen)
#include "tst_employeelistscreen.moc"
