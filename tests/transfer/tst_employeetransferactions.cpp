#include "database.h"
#include "demodata.h"
#include "employeetransferactions.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "printerchoice.h"
#include "schema.h"
#include "screenregistry.h"
#include "statement.h"
#include "testsupport.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QtTest>
#include <sqlite3.h>

// The main window's « Dossier » menu sends the employee file to a CSV and
// brings employees in from one, saying what it did in a message box; an
// import waits until no screen shows the employees.
class TestEmployeeTransferActions : public QObject
{
    Q_OBJECT

    struct Shell
    {
        ScreenRegistry registry;
        HelpSystem help;
        PrinterChoice printers;
        MainWindow window{registry, help, printers};

        Shell() { registry.registerScreen(QStringLiteral("Fiche"), [] { return new QWidget; }); }
        EmployeeTransferActions &actions() { return *window.findChild<EmployeeTransferActions *>(); }
    };

    static qint64 employeeCount()
    {
        auto database = TestSupport::openDatabase(Schema::mainDatabase());
        Statement query(database->handle(), QStringLiteral("SELECT count(*) FROM \"SALARIE\""));
        return query.step() == SQLITE_ROW ? query.columnInt64(0) : -1;
    }

private slots:
    void menuHoldsExportAndImport()
    {
        Shell shell;
        auto *menu = shell.window.findChild<QMenu *>(QStringLiteral("Dossier"));
        QVERIFY(menu);
        auto *exporting = menu->findChild<QAction *>(QStringLiteral("ExporterSalaries"));
        auto *importing = menu->findChild<QAction *>(QStringLiteral("ImporterSalaries"));
        QVERIFY(exporting && importing);
        QCOMPARE(exporting->text(), QStringLiteral("&Exporter les salariés…"));
        QCOMPARE(importing->text(), QStringLiteral("&Importer des salariés…"));
        QVERIFY(menu->actions().contains(exporting) && menu->actions().contains(importing));
    }

    void exportThenImportElsewhere()
    {
        TestSupport::WorkingDirectory dir;
        QVERIFY(DemoData::write(QStringLiteral(".")) == std::nullopt);
        Shell shell;
        QString message;
        QVERIFY(shell.actions().exportTo(QStringLiteral("salariés.csv"), &message));
        QCOMPARE(message, QStringLiteral("3 salariés sont exportés dans :\nsalariés.csv"));
        QVERIFY(QFile::exists(QStringLiteral("salariés.csv")));

        // Into the same file: every row is already there, nothing is added.
        QVERIFY(!shell.actions().importFrom(QStringLiteral("salariés.csv"), &message));
        QVERIFY2(message.contains(QStringLiteral("Ligne 2 (MOREAU CÉLINE) : vous avez déjà un salarié")),
                 qPrintable(message));
        QCOMPARE(employeeCount(), 3);

        {
            auto database = TestSupport::openDatabase(Schema::mainDatabase());
            QCOMPARE(sqlite3_exec(database->handle(), "DELETE FROM \"SALARIE\"", nullptr, nullptr, nullptr),
                     SQLITE_OK);
        }
        QVERIFY2(shell.actions().importFrom(QStringLiteral("salariés.csv"), &message), qPrintable(message));
        QCOMPARE(message, QStringLiteral("3 salariés ont été ajoutés au fichier des salariés."));
        QCOMPARE(employeeCount(), 3);
    }

    void importWaitsForTheEmployeeScreen()
    {
        TestSupport::WorkingDirectory dir;
        QVERIFY(DemoData::write(QStringLiteral(".")) == std::nullopt);
        Shell shell;
        QString message;
        QVERIFY(shell.actions().exportTo(QStringLiteral("salariés.csv"), &message));
        {
            auto database = TestSupport::openDatabase(Schema::mainDatabase());
            QCOMPARE(sqlite3_exec(database->handle(), "DELETE FROM \"SALARIE\"", nullptr, nullptr, nullptr),
                     SQLITE_OK);
        }
        shell.registry.show(QStringLiteral("Fiche"));
        QVERIFY(!shell.actions().importFrom(QStringLiteral("salariés.csv"), &message));
        QCOMPARE(message, QStringLiteral("Fermez d’abord le fichier des salariés : ils ne montreraient pas "
                                         "les salariés ajoutés. Rien n’a été importé."));
        QCOMPARE(employeeCount(), 0);
    }
};

QTEST_MAIN(TestEmployeeTransferActions)
#include "tst_employeetransferactions.moc"
