#include "backupcontents.h"
#include "backupfixture.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace BackupFixture;

// `quorvan backup` and `quorvan restore` as the clerk types them: their exit
// statuses (0 done, 2 bad arguments or a refused archive, 4 not written),
// and a restore killed at any moment leaving the folder as it was or
// wholly restored.
class TestBackupCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_company;
    QString m_archive;

    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    static Run quorvan(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(QUORVAN_EXECUTABLE), arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QString path(const QString &name) const { return m_root.filePath(name); }

    // The company files of a folder: name -> bytes.
    static QMap<QString, QByteArray> companyFiles(const QString &folder)
    {
        const BackupContents::Listing listing = BackupContents::list(QDir(folder));
        QMap<QString, QByteArray> files;
        for (const QString &name : listing.databases + listing.files)
            files.insert(name, readFile(QDir(folder).filePath(name)));
        return files;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_company = path(QStringLiteral("entreprise"));
        makeCompany(m_company);
        m_archive = path(QStringLiteral("sauvegarde.tar.zst"));
        const Run run = quorvan({QStringLiteral("backup"), QStringLiteral("--dir"), m_company, QStringLiteral("--to"), m_archive});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QStringLiteral("Sauvegarde écrite")));
        struct stat status;
        QCOMPARE(::stat(QFile::encodeName(m_archive).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0600));
        QVERIFY(QFile::copy(m_archive, path(QStringLiteral("abîmée.tar.zst"))));
        QFile damaged(path(QStringLiteral("abîmée.tar.zst")));
        QVERIFY(damaged.resize(damaged.size() / 2));
        writeFile(path(QStringLiteral("fichier")), "pas un dossier");
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        const QString company = m_company;
        const QString archive = m_archive;
        QTest::newRow("backup into a folder") << QStringList{"backup", "--dir", company, "--to", path("dossier-sortie")}
                                              << 0 << "SARL-BOULANGERIE-DES-TILLEULS-sauvegarde-";
        QTest::newRow("backup without --to") << QStringList{"backup", "--dir", company} << 2 << "Utilisation";
        QTest::newRow("backup, unknown option") << QStringList{"backup", "--vers", archive} << 2 << "option inconnue : --vers";
        QTest::newRow("backup, stray word") << QStringList{"backup", "--to", path("x.tar.zst"), "encore"} << 2 << "Utilisation";
        QTest::newRow("backup of a folder without company") << QStringList{"backup", "--dir", path("dossier-sortie"), "--to", path("y.tar.zst")}
                                                             << 2 << "ne contient pas les fichiers d’une entreprise";
        QTest::newRow("backup of a missing folder") << QStringList{"backup", "--dir", path("absent"), "--to", path("y.tar.zst")}
                                                     << 2 << "n’existe pas";
        QTest::newRow("backup over an existing file") << QStringList{"backup", "--dir", company, "--to", archive} << 2 << "existe déjà";
        QTest::newRow("backup where no folder is") << QStringList{"backup", "--dir", company, "--to", path("absent/s.tar.zst")}
                                                    << 4 << "n’a pas pu être écrite";
        QTest::newRow("restore into a new folder") << QStringList{"restore", archive, "--to", path("nouveau")} << 0 << "restaurée dans";
        QTest::newRow("restore without --to") << QStringList{"restore", archive} << 2 << "Utilisation";
        QTest::newRow("restore without archive") << QStringList{"restore", "--to", path("n2")} << 2 << "Utilisation";
        QTest::newRow("restore, unknown option") << QStringList{"restore", archive, "--to", path("n3"), "--force"} << 2 << "option inconnue : --force";
        QTest::newRow("restore of a damaged archive") << QStringList{"restore", path("abîmée.tar.zst"), "--to", path("n4")} << 2 << "est refusée";
        QTest::newRow("restore of a missing archive") << QStringList{"restore", path("absente.tar.zst"), "--to", path("n5")} << 2 << "n’existe pas";
        QTest::newRow("restore over a company") << QStringList{"restore", archive, "--to", company} << 2 << "--replace";
        QTest::newRow("restore into a file") << QStringList{"restore", archive, "--to", path("fichier")} << 2 << "n’est pas un dossier";
        QTest::newRow("restore where no folder can be") << QStringList{"restore", archive, "--to", path("fichier/sous")} << 4 << "n’a pas été faite";
    }

    void exitStatus()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QVERIFY(QDir().mkpath(path(QStringLiteral("dossier-sortie"))));
        const QMap<QString, QByteArray> before = companyFiles(m_company);
        const Run run = quorvan(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((run.out + run.err).contains(said), qPrintable(run.out + run.err));
        if (exitCode != 0)
            QVERIFY2(run.out.isEmpty(), qPrintable(run.out));
        QCOMPARE(companyFiles(m_company), before);
    }

    void restoreReplacesAfterBackingUp()
    {
        const QString target = path(QStringLiteral("remplacée"));
        makeCompany(target);
        writeFile(QDir(target).filePath(QStringLiteral("mars.rpt")), slip(QStringLiteral("X"), 3));
        const Run run = quorvan({QStringLiteral("restore"), m_archive, QStringLiteral("--to"), target, QStringLiteral("--replace")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(companyFiles(target).keys(), companyFiles(m_company).keys());
        QVERIFY(run.out.contains(QStringLiteral("sauvegardes/SARL-BOULANGERIE-DES-TILLEULS-avant-restauration-")));
        QCOMPARE(QDir(target).entryList({QStringLiteral("*.tar.zst")}, QDir::Files).size(), 0);
        QCOMPARE(QDir(QDir(target).filePath(QStringLiteral("sauvegardes"))).entryList(QDir::Files).size(), 1);
    }

    // A slip named with accents goes in and comes out of a backup by that
    // name when the program runs in the plain C locale.
    void accentedNamesUnderThePlainLocale()
    {
        const auto plain = [](const QStringList &arguments) {
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
            environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(QUORVAN_EXECUTABLE), arguments);
            process.waitForFinished(60000);
            return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        };
        const QString archive = path(QStringLiteral("locale-c.tar.zst"));
        QCOMPARE(plain({QStringLiteral("backup"), QStringLiteral("--dir"), m_company, QStringLiteral("--to"), archive}), 0);
        const QString restored = path(QStringLiteral("locale-c"));
        QCOMPARE(plain({QStringLiteral("restore"), archive, QStringLiteral("--to"), restored}), 0);
        QCOMPARE(readFile(QDir(restored).filePath(QStringLiteral("février.rpt"))),
                 readFile(QDir(m_company).filePath(QStringLiteral("février.rpt"))));
    }

    // The program killed at moments spread over the restore: each time the
    // folder holds the old company or the restored one, whole.
    void killedRestoreLeavesOldOrNew()
    {
        const QString big = path(QStringLiteral("grande"));
        makeCompany(big);
        for (int i = 0; i < 400; ++i)
            writeFile(QDir(big).filePath(QStringLiteral("fiche-%1.rpt").arg(i)), slip(QStringLiteral("SALARIÉ %1").arg(i), i % 12).repeated(20));
        const QString archive = path(QStringLiteral("grande.tar.zst"));
        QCOMPARE(quorvan({QStringLiteral("backup"), QStringLiteral("--dir"), big, QStringLiteral("--to"), archive}).exitCode, 0);
        // The databases are copies the engine made: their bytes are those a restore writes.
        const QString reference = path(QStringLiteral("référence"));
        QCOMPARE(quorvan({QStringLiteral("restore"), archive, QStringLiteral("--to"), reference}).exitCode, 0);
        const QMap<QString, QByteArray> restored = companyFiles(reference);
        QCOMPARE(restored.keys(), companyFiles(big).keys());

        const QString target = path(QStringLiteral("tuée"));
        makeCompany(target);
        const QMap<QString, QByteArray> old = companyFiles(target);
        int sawOld = 0;
        int sawNew = 0;
        for (int delay : {5, 15, 30, 60, 90, 130, 200, 300, 500}) {
            QProcess process;
            process.start(QStringLiteral(QUORVAN_EXECUTABLE),
                          {QStringLiteral("restore"), archive, QStringLiteral("--to"), target, QStringLiteral("--replace")});
            QVERIFY(process.waitForStarted());
            QTest::qWait(delay);
            process.kill();
            process.waitForFinished();
            const QMap<QString, QByteArray> now = companyFiles(target);
            if (now != old && now != restored) {
                QStringList differing;
                for (auto it = now.cbegin(); it != now.cend(); ++it)
                    if (old.value(it.key()) != it.value() && restored.value(it.key()) != it.value())
                        differing << it.key();
                qWarning("%d fichiers, %d anciens, %d restaurés ; différents : %s", int(now.size()), int(old.size()),
                         int(restored.size()), qPrintable(differing.join(u' ')));
            }
            QVERIFY2(now == old || now == restored, qPrintable(QStringLiteral("après %1 ms").arg(delay)));
            if (now == old) {
                ++sawOld;
            } else {
                ++sawNew;
                // Back to the old company for the next try.
                QVERIFY(QDir(target).removeRecursively());
                makeCompany(target);
            }
        }
        qInfo("restaurations tuées : %d laissées telles quelles, %d entières", sawOld, sawNew);
        QVERIFY(sawOld > 0);
        // What the killed restores left beside the folder goes with the next one.
        QCOMPARE(quorvan({QStringLiteral("restore"), archive, QStringLiteral("--to"), target, QStringLiteral("--replace")}).exitCode, 0);
        QCOMPARE(QDir(m_root.path()).entryList({QStringLiteral(".tuée.restauration-*")}, QDir::AllEntries | QDir::Hidden),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(TestBackupCli)
#include "tst_backupcli.moc"
