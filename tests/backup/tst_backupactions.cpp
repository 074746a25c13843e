#include "backupactions.h"
#include "backupcontents.h"
#include "backupfixture.h"
#include "backupfolder.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "printerchoice.h"
#include "screenregistry.h"
#include "testsupport.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QtTest>

using namespace BackupFixture;

// « Sauvegarder » and « Restaurer » of the main window: the menu, the
// confirmation that names what a restore replaces (« Non » changes
// nothing), the screens closed before the working folder is replaced and
// the program then on the restored files, and the automatic backup when
// the window closes after a change, and only then.
class TestBackupActions : public QObject
{
    Q_OBJECT

    struct Shell
    {
        ScreenRegistry registry;
        HelpSystem help;
        PrinterChoice printers;
        MainWindow window{registry, help, printers};

        Shell() { registry.registerScreen(QStringLiteral("Fiche"), [] { return new QWidget; }); }
        BackupActions &actions() { return window.backupActions(); }
    };

    // The next Yes/No box: what it said, answered `yes` or not.
    struct Question
    {
        bool seen = false;
        QString text;

        void answer(bool yes)
        {
            QTimer::singleShot(0, qApp, [this, yes] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box)
                    return;
                seen = true;
                text = box->text();
                box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            });
        }
    };

    static QMap<QString, QByteArray> companyFiles(const QString &folder)
    {
        const BackupContents::Listing listing = BackupContents::list(QDir(folder));
        QMap<QString, QByteArray> files;
        for (const QString &name : listing.databases + listing.files)
            files.insert(name, readFile(QDir(folder).filePath(name)));
        return files;
    }

private slots:
    void menuHoldsBackupAndRestore()
    {
        Shell shell;
        auto *menu = shell.window.findChild<QMenu *>(QStringLiteral("Dossier"));
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("&Dossier"));
        QStringList names;
        for (QAction *action : menu->actions())
            names << action->objectName();
        // After the company folders and a separator; then, after another,
        // the employee file's export and import.
        QCOMPARE(names, (QStringList{QStringLiteral("NouveauDossier"), QStringLiteral("OuvrirDossier"),
                                     QStringLiteral("DossiersRecents"), QString(), QStringLiteral("Sauvegarder"),
                                     QStringLiteral("Restaurer"), QString(), QStringLiteral("ExporterSalaries"),
                                     QStringLiteral("ImporterSalaries")}));
        QCOMPARE(menu->actions().at(4)->text(), QStringLiteral("&Sauvegarder…"));
        QCOMPARE(menu->actions().at(5)->text(), QStringLiteral("&Restaurer…"));
        QVERIFY(menu->actions().at(6)->isSeparator());
    }

    void backupProposesTheCompanysName()
    {
        TestSupport::WorkingDirectory dir;
        makeCompany(dir.path());
        Shell shell;
        const QString proposed = shell.actions().proposedPath(QStringLiteral("/docs"));
        QVERIFY2(proposed.startsWith(QStringLiteral("/docs/SARL-BOULANGERIE-DES-TILLEULS-sauvegarde-")), qPrintable(proposed));
        QVERIFY(proposed.endsWith(QStringLiteral(".tar.zst")));
    }

    void restoreOverWorkingFolder_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Oui: restored, screens closed") << true;
        QTest::newRow("Non: nothing changes") << false;
    }

    void restoreOverWorkingFolder()
    {
        QFETCH(bool, yes);
        TestSupport::WorkingDirectory dir;
        makeCompany(dir.path());
        Shell shell;
        const QString archive = QDir(dir.path()).filePath(QStringLiteral("../%1.tar.zst").arg(QDir(dir.path()).dirName()));
        QVERIFY(shell.actions().backUpTo(archive).succeeded());
        const QMap<QString, QByteArray> backedUp = companyFiles(dir.path());
        writeFile(QDir(dir.path()).filePath(QStringLiteral("mars.rpt")), slip(QStringLiteral("X"), 3));
        const QMap<QString, QByteArray> changed = companyFiles(dir.path());
        QPointer<QWidget> screen = shell.registry.show(QStringLiteral("Fiche"));
        QVERIFY(screen);

        Question question;
        question.answer(yes);
        const BackupResult result = shell.actions().restore(archive, dir.path());
        TestSupport::flushDeletes();
        QVERIFY(question.seen);
        QVERIFY2(question.text.contains(QStringLiteral("Seront retirés, car absents de la sauvegarde : mars.rpt.")),
                 qPrintable(question.text));
        QVERIFY(question.text.contains(QStringLiteral("Seront remplacés par ceux de la sauvegarde : Bdrk.rkv, historique.rkv, sterk.rkv")));
        QVERIFY(question.text.contains(QStringLiteral("« SARL BOULANGERIE DES TILLEULS »")));
        QVERIFY(question.text.contains(QStringLiteral("sauvegarde automatique")));
        if (!yes) {
            QCOMPARE(result.status, BackupResult::Cancelled);
            QCOMPARE(companyFiles(dir.path()), changed);
            QVERIFY(screen);
            QVERIFY(!QDir(dir.path()).exists(QStringLiteral("sauvegardes")));
            return;
        }
        QVERIFY2(result.succeeded(), qPrintable(result.message));
        QVERIFY(result.message.contains(QStringLiteral("avant-restauration")));
        QVERIFY(!screen);
        QVERIFY(!shell.registry.find(QStringLiteral("Fiche")));
        // The program works on the restored folder, under the same name.
        QCOMPARE(QDir::currentPath(), QFileInfo(dir.path()).canonicalFilePath());
        QCOMPARE(QDir::current().entryList(QDir::Files).contains(QStringLiteral("mars.rpt")), false);
        QCOMPARE(companyFiles(QDir::currentPath()).keys(), backedUp.keys());
        QCOMPARE(readFile(QStringLiteral("janvier.rpt")), backedUp.value(QStringLiteral("janvier.rpt")));
        QCOMPARE(BackupContents::list(QDir(QStringLiteral("sauvegardes"))).count(), 0);
        QCOMPARE(QDir(QStringLiteral("sauvegardes")).entryList(QDir::Files).size(), 1);
    }

    void refusedArchiveIsSaidAndChangesNothing()
    {
        TestSupport::WorkingDirectory dir;
        makeCompany(dir.path());
        Shell shell;
        const QString archive = QDir(dir.path()).filePath(QStringLiteral("../abîmée-%1.tar.zst").arg(QDir(dir.path()).dirName()));
        writeFile(archive, "ceci n’est pas une sauvegarde");
        const QMap<QString, QByteArray> before = companyFiles(dir.path());
        QPointer<QWidget> screen = shell.registry.show(QStringLiteral("Fiche"));
        const BackupResult result = shell.actions().restore(archive, dir.path());
        QCOMPARE(result.status, BackupResult::Refused);
        QVERIFY(result.message.contains(QStringLiteral("ce n’est pas une sauvegarde Quorvan")));
        QCOMPARE(companyFiles(dir.path()), before);
        QVERIFY(screen);
        QFile::remove(archive);
    }

    void closingBacksUpOnlyAfterAChange_data()
    {
        QTest::addColumn<bool>("change");
        QTest::newRow("unchanged: no backup") << false;
        QTest::newRow("a slip saved: one backup") << true;
    }

    void closingBacksUpOnlyAfterAChange()
    {
        QFETCH(bool, change);
        TestSupport::WorkingDirectory dir;
        makeCompany(dir.path());
        Shell shell;
        shell.actions().watchWorkingFolder();
        if (change)
            writeFile(QStringLiteral("mars.rpt"), slip(QStringLiteral("X"), 3));
        shell.window.show();
        shell.window.close();
        const QStringList backups = BackupFolder::closingBackups(QDir(dir.path()));
        QCOMPARE(backups.size(), change ? 1 : 0);
        if (change) {
            const QList<Entry> entries = readEntries(QDir(dir.path()).filePath(QStringLiteral("sauvegardes/") + backups.first()));
            QVERIFY(std::any_of(entries.cbegin(), entries.cend(),
                                [](const Entry &e) { return e.name == QLatin1String("mars.rpt"); }));
        }
    }
};

QTEST_MAIN(TestBackupActions)
#include "tst_backupactions.moc"
