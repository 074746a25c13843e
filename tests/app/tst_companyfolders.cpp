#include "companyfolders.h"
#include "desktopsession.h"
#include "folderactions.h"
#include "folderchoicedialog.h"
#include "mainwindow.h"
#include "filetestsupport.h"
#include "windowgeometry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The company folders as the clerk meets them: the recent list, what may be
// opened or created where, the first-start choice, `quorvan DIR`, and the
// windows' places kept between sessions — all in the test settings, never
// the user's.
class TestCompanyFolders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings(QStringLiteral("Quorvan"), QStringLiteral("Quorvan")).clear(); }

    void recentFoldersPutTheLastFirstOnceAndKeepEight()
    {
        for (int i = 1; i <= 10; ++i)
            CompanyFolders::remember(QStringLiteral("/societes/s%1").arg(i));
        CompanyFolders::remember(QStringLiteral("/societes/s7/"));
        const QStringList recent = CompanyFolders::recent();
        QCOMPARE(recent.size(), CompanyFolders::RecentCapacity);
        QCOMPARE(recent.first(), QStringLiteral("/societes/s7"));
        QCOMPARE(recent.count(QStringLiteral("/societes/s7")), 1);
        QCOMPARE(recent.at(1), QStringLiteral("/societes/s10"));
        QVERIFY(!recent.contains(QStringLiteral("/societes/s2")));
        QCOMPARE(CompanyFolders::last(), QStringLiteral("/societes/s7"));

        CompanyFolders::forget(QStringLiteral("/societes/s7"));
        QVERIFY(!CompanyFolders::recent().contains(QStringLiteral("/societes/s7")));
        QCOMPARE(CompanyFolders::last(), QString());
    }

    void aChosenFolderIsOpenedOrCreatedOnlyWhereItMay_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("openable");
        QTest::addColumn<bool>("creatable");
        QTest::newRow("vide") << QString() << true << true;
        QTest::newRow("société") << QStringLiteral("Bdrk.rkv") << true << false;
        QTest::newRow("employeur seul") << QStringLiteral("sterk.rkv") << true << false;
        QTest::newRow("autres fichiers") << QStringLiteral("lettre.odt") << false << false;
    }

    void aChosenFolderIsOpenedOrCreatedOnlyWhereItMay()
    {
        QFETCH(QString, file);
        QFETCH(bool, openable);
        QFETCH(bool, creatable);
        QTemporaryDir dir;
        if (!file.isEmpty())
            TestFiles::writeBytes(QDir(dir.path()).filePath(file), "x");
        QCOMPARE(CompanyFolders::whyNotOpenable(dir.path()).isEmpty(), openable);
        QCOMPARE(CompanyFolders::whyNotCreatable(dir.path()).isEmpty(), creatable);
    }

    void aFolderThatIsNotACompanysIsRefusedWithAMessage()
    {
        QTemporaryDir dir;
        TestFiles::writeBytes(QDir(dir.path()).filePath(QStringLiteral("lettre.odt")), "x");
        QWidget window;
        FolderActions actions(&window);
        QSignalSpy chosen(&actions, &FolderActions::folderChosen);
        QString said;
        QTimer::singleShot(0, [&said] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            said = box->text();
            box->accept();
        });
        QVERIFY(!actions.openFolder(dir.path()));
        QVERIFY(said.contains(QStringLiteral("n’est pas un dossier de société")));
        QCOMPARE(chosen.count(), 0);

        QTemporaryDir company;
        TestFiles::writeBytes(QDir(company.path()).filePath(QStringLiteral("Bdrk.rkv")), "x");
        QVERIFY(actions.openFolder(company.path()));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), CompanyFolders::normalised(company.path()));
        QCOMPARE(chosen.at(0).at(1).toBool(), false);
    }

    void firstStartChoiceProposesTheDocumentsAndSaysWhatWasChosen()
    {
        FolderChoiceDialog dialog;
        dialog.show();
        auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("NomSociete"));
        QVERIFY(name);
        QTest::keyClicks(name, QStringLiteral("Garage du Port"));
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(dialog.folderToCreate(), QDir(documents).filePath(QStringLiteral("Quorvan/Garage du Port")));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Creer")), Qt::LeftButton);
        QCOMPARE(dialog.choice(), FolderChoiceDialog::Create);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        FolderChoiceDialog other;
        other.show();
        QTest::mouseClick(other.findChild<QPushButton *>(QStringLiteral("Demonstration")), Qt::LeftButton);
        QCOMPARE(other.choice(), FolderChoiceDialog::Demonstration);
        FolderChoiceDialog leaving;
        leaving.show();
        QTest::mouseClick(leaving.findChild<QPushButton *>(QStringLiteral("Quitter")), Qt::LeftButton);
        QCOMPARE(leaving.choice(), FolderChoiceDialog::Quit);
        QCOMPARE(leaving.result(), int(QDialog::Rejected));
    }

    void theFolderNamedOnTheCommandLineIsOpenedAndRemembered()
    {
        QTemporaryDir dir;
        const QString folder = QDir(dir.path()).filePath(QStringLiteral("nouvelle"));
        const QString previous = QDir::currentPath();
        {
            DesktopSession session;
            QVERIFY(session.start(folder));
            QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral("Bdrk.rkv"))));
            QCOMPARE(CompanyFolders::recent().value(0), CompanyFolders::normalised(folder));
            QVERIFY(session.window().windowTitle().contains(QDir::toNativeSeparators(folder)));
            QVERIFY(session.window().windowTitle().startsWith(QStringLiteral("Quorvan — ")));
        }
        QDir::setCurrent(previous);
    }

    void windowPlaceIsKeptAndBroughtBackInsideTheScreen()
    {
        {
            QWidget window;
            window.setObjectName(QStringLiteral("Essai"));
            window.setGeometry(120, 90, 400, 300);
            WindowGeometry::save(&window);
        }
        QWidget again;
        again.setObjectName(QStringLiteral("Essai"));
        QVERIFY(WindowGeometry::restore(&again));
        QCOMPARE(again.size(), QSize(400, 300));
    }

    void clampedKeepsAWindowWithinReach_data()
    {
        QTest::addColumn<QRect>("kept");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("dedans") << QRect(100, 100, 300, 200) << QRect(100, 100, 300, 200);
        QTest::newRow("à droite de l'écran") << QRect(1500, 100, 300, 200) << QRect(724, 100, 300, 200);
        QTest::newRow("au-dessus") << QRect(100, -50, 300, 200) << QRect(100, 0, 300, 200);
        QTest::newRow("plus grande") << QRect(-10, 10, 2000, 1000) << QRect(0, 0, 1024, 768);
    }

    void clampedKeepsAWindowWithinReach()
    {
        QFETCH(QRect, kept);
        QFETCH(QRect, expected);
        QCOMPARE(WindowGeometry::clamped(kept, QRect(0, 0, 1024, 768)), expected);
    }
};

QTEST_MAIN(TestCompanyFolders)
#include "tst_companyfolders.moc"
