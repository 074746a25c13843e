#include "automaticbackup.h"
#include "backupcontents.h"
#include "backupfixture.h"
#include "backupfolder.h"
#include "backupmanifest.h"
#include "backupwriter.h"
#include "filesizelimit.h"
#include "folderchanges.h"
#include "restoreplan.h"
#include "sha256.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <utime.h>

using namespace BackupFixture;

// A company's backup and its restore: byte-identical data after the round
// trip, owner-only files, a consistent copy of a database being written,
// every damaged or foreign archive refused with the folder untouched, the
// restore over a company that keeps what is not a company file, the
// automatic backups and the changes that call for one.
class TestBackupRestore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    int m_count = 0;

    QString freshPath(const QString &stem) { return m_root.filePath(stem + QString::number(++m_count)); }

    QString company()
    {
        const QString folder = freshPath(QStringLiteral("entreprise"));
        makeCompany(folder);
        return folder;
    }

    QString backupOf(const QString &folder)
    {
        const QString archive = freshPath(QStringLiteral("sauvegarde")) + QStringLiteral(".tar.zst");
        const BackupResult result = BackupWriter::write(QDir(folder), archive);
        if (!result.succeeded())
            qWarning("%s", qPrintable(result.message));
        return result.succeeded() ? archive : QString();
    }

    static BackupResult restore(const QString &archive, const QString &target,
                                const BackupProgress &progress = {}, std::unique_ptr<RestorePlan> *kept = nullptr)
    {
        auto prepared = RestorePlan::prepare(archive, target, progress);
        if (auto *refusal = std::get_if<BackupResult>(&prepared))
            return *refusal;
        auto &plan = std::get<std::unique_ptr<RestorePlan>>(prepared);
        const BackupResult result = plan->carryOut(progress);
        if (kept)
            *kept = std::move(plan);
        return result;
    }

    // Nothing of a restore may be left beside the target.
    void verifyNoStaging()
    {
        const QStringList left = QDir(m_root.path()).entryList({QStringLiteral(".*restauration*")},
                                                              QDir::AllEntries | QDir::Hidden);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
    }

    static void compareCompanies(const QString &original, const QString &restored)
    {
        const BackupContents::Listing listing = BackupContents::list(QDir(original));
        QCOMPARE(BackupContents::list(QDir(restored)).databases, listing.databases);
        QCOMPARE(BackupContents::list(QDir(restored)).files, listing.files);
        for (const QString &name : listing.databases) {
            const auto contents = tableContents(QDir(original).filePath(name));
            QVERIFY(!contents.isEmpty());
            QCOMPARE(tableContents(QDir(restored).filePath(name)), contents);
        }
        for (const QString &name : listing.files)
            QCOMPARE(readFile(QDir(restored).filePath(name)), readFile(QDir(original).filePath(name)));
    }

private slots:
    void initTestCase() { QVERIFY(m_root.isValid()); }

    void roundTripGivesTheSameData()
    {
        const QString original = company();
        // A slip's date survives the round trip: the archive screen shows it.
        const QString slip = QDir(original).filePath(QStringLiteral("janvier.rpt"));
        const struct utimbuf times = {978350400, 978350400};
        QCOMPARE(::utime(QFile::encodeName(slip).constData(), &times), 0);
        const QString archive = backupOf(original);
        QVERIFY(!archive.isEmpty());

        const QString restored = freshPath(QStringLiteral("restauré"));
        const BackupResult result = restore(archive, restored);
        QVERIFY2(result.succeeded(), qPrintable(result.message));
        QCOMPARE(result.path, QFileInfo(restored).absoluteFilePath());
        compareCompanies(original, restored);
        QCOMPARE(BackupContents::list(QDir(restored)).count(), 8);
        QVERIFY(QFileInfo::exists(QDir(restored).filePath(QStringLiteral("paie-du-mois 2001-03.brouillon.json"))));
        QCOMPARE(QFileInfo(QDir(restored).filePath(QStringLiteral("janvier.rpt"))).lastModified().toSecsSinceEpoch(),
                 qint64(978350400));
        // Files that are no company file stay out of the backup.
        QVERIFY(!QFileInfo::exists(QDir(restored).filePath(QStringLiteral("janvier.pdf"))));
        QVERIFY(!QFileInfo::exists(QDir(restored).filePath(QStringLiteral("rkv.endommagé-20010331-174502.rpl"))));
        verifyNoStaging();
    }

    void manifestListsEveryEntry()
    {
        const QString original = company();
        const QList<Entry> entries = readEntries(backupOf(original));
        QVERIFY(!entries.isEmpty());
        QCOMPARE(entries.constLast().name, QLatin1String(BackupManifest::EntryName));
        QString why;
        const std::optional<BackupManifest> manifest = BackupManifest::fromJson(entries.constLast().data, &why);
        QVERIFY2(manifest, qPrintable(why));
        QCOMPARE(manifest->company, QStringLiteral("SARL BOULANGERIE DES TILLEULS"));
        QCOMPARE(manifest->entries.size(), entries.size() - 1);
        for (int i = 0; i + 1 < entries.size(); ++i) {
            QCOMPARE(manifest->entries.at(i).name, entries.at(i).name);
            QCOMPARE(manifest->entries.at(i).size, qint64(entries.at(i).data.size()));
            QCOMPARE(manifest->entries.at(i).sha256, Sha256::hexHash(entries.at(i).data));
        }
    }

    void archiveAndRestoredFilesAreOwnerOnly()
    {
        const mode_t previous = ::umask(022);
        const QString original = company();
        const QString archive = backupOf(original);
        const QString restored = freshPath(QStringLiteral("restauré"));
        const BackupResult result = restore(archive, restored);
        ::umask(previous);
        QVERIFY(result.succeeded());
        struct stat status;
        QCOMPARE(::stat(QFile::encodeName(archive).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0600));
        QCOMPARE(::stat(QFile::encodeName(restored).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0700));
        for (const QString &name : QDir(restored).entryList(QDir::Files)) {
            QCOMPARE(::stat(QFile::encodeName(QDir(restored).filePath(name)).constData(), &status), 0);
            QCOMPARE(status.st_mode & 0777, mode_t(0600));
        }
    }

    void databaseBeingWrittenIsCopiedAsCommitted()
    {
        const QString original = company();
        const QString history = QDir(original).filePath(QStringLiteral("historique.rkv"));
        sqlite3 *writer = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(history).constData(), &writer), SQLITE_OK);
        QCOMPARE(sqlite3_exec(writer, "BEGIN IMMEDIATE; INSERT INTO slip VALUES ('mars.rpt', '1', NULL);",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        const QString archive = backupOf(original);
        QCOMPARE(sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(writer);
        QVERIFY(!archive.isEmpty());

        const QString restored = freshPath(QStringLiteral("restauré"));
        QVERIFY(restore(archive, restored).succeeded());
        QCOMPARE(tableContents(QDir(restored).filePath(QStringLiteral("historique.rkv"))).value(QStringLiteral("slip")).size(), 2);
        QCOMPARE(tableContents(history).value(QStringLiteral("slip")).size(), 3);
    }

    void damagedArchiveIsRefused_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("said");
        QTest::newRow("cut short") << "truncated" << "endommagée ou incomplète";
        QTest::newRow("byte changed in the compressed stream") << "flipped" << "est refusée";
        QTest::newRow("slip altered, same size") << "altered" << "ne correspond pas à la liste";
        QTest::newRow("slip longer than listed") << "longer" << "ne correspond pas à la liste";
        QTest::newRow("header says more than listed") << "declaredLonger" << "ne correspond pas à la liste";
        QTest::newRow("slip missing") << "missingEntry" << "« janvier.rpt » manque";
        QTest::newRow("slip not in the manifest") << "unlisted" << "n’est pas dans la liste";
        QTest::newRow("no manifest") << "noManifest" << "ne contient pas la liste de ses fichiers";
        QTest::newRow("manifest of a later version") << "laterVersion" << "version (2)";
        QTest::newRow("manifest not JSON") << "garbledManifest" << "pas celle d’une sauvegarde Quorvan";
        QTest::newRow("entry after the manifest") << "afterManifest" << "un fichier suit la liste";
        QTest::newRow("path traversal") << "traversal" << "« ../janvier.rpt »";
        QTest::newRow("absolute path") << "absolute" << "« /tmp/janvier.rpt »";
        QTest::newRow("subfolder") << "subfolder" << "« sous/janvier.rpt »";
        QTest::newRow("hidden name") << "hidden" << "« .janvier.rpt »";
        QTest::newRow("symbolic link") << "symlink" << "un lien, un dossier ou un fichier spécial";
        QTest::newRow("hard link") << "hardlink" << "un lien, un dossier ou un fichier spécial";
        QTest::newRow("device") << "device" << "un lien, un dossier ou un fichier spécial";
        QTest::newRow("folder") << "folder" << "un lien, un dossier ou un fichier spécial";
        QTest::newRow("same name twice") << "twice" << "y est deux fois";
        QTest::newRow("database damaged, listed as such") << "badDatabase" << "Bdrk.rkv";
        QTest::newRow("employer file without its table") << "foreignDatabase" << "la table EMPLOYEUR est absente";
        QTest::newRow("employer file missing") << "noEmployer" << "« sterk.rkv » manque";
        QTest::newRow("foreign tar") << "foreignTar" << "n’est pas un fichier d’entreprise";
        QTest::newRow("foreign zip") << "foreignZip" << "ce n’est pas une sauvegarde Quorvan";
        QTest::newRow("not an archive") << "notArchive" << "ce n’est pas une sauvegarde Quorvan";
        QTest::newRow("empty file") << "empty" << "ce n’est pas une sauvegarde Quorvan";
        QTest::newRow("no such file") << "missingFile" << "le fichier n’existe pas";
    }

    void damagedArchiveIsRefused()
    {
        QFETCH(QString, damage);
        QFETCH(QString, said);
        const QString good = backupOf(company());
        QVERIFY(!good.isEmpty());
        const QByteArray bytes = readFile(good);
        QList<Entry> entries = readEntries(good);
        const auto manifestWith = [&entries](const std::function<void(BackupManifest &)> &change) {
            QString why;
            BackupManifest manifest = *BackupManifest::fromJson(entries.constLast().data, &why);
            change(manifest);
            entries.last().data = manifest.toJson();
        };
        const auto indexOf = [&entries](const QString &name) {
            for (int i = 0; i < entries.size(); ++i)
                if (entries.at(i).name == name)
                    return i;
            return -1;
        };
        const int slip = indexOf(QStringLiteral("janvier.rpt"));
        QVERIFY(slip >= 0);

        const QString archive = freshPath(QStringLiteral("abîmée"));
        Format format = Format::TarZstd;
        if (damage == QLatin1String("truncated")) {
            writeFile(archive, bytes.left(bytes.size() / 2));
        } else if (damage == QLatin1String("flipped")) {
            QByteArray flipped = bytes;
            flipped[flipped.size() / 2] = char(flipped.at(flipped.size() / 2) ^ 0x5a);
            writeFile(archive, flipped);
        } else if (damage == QLatin1String("notArchive")) {
            writeFile(archive, QByteArray(5000, 'x'));
        } else if (damage == QLatin1String("empty")) {
            writeFile(archive, QByteArray());
        } else if (damage != QLatin1String("missingFile")) {
            if (damage == QLatin1String("altered")) {
                entries[slip].data[10] = 'Z';
            } else if (damage == QLatin1String("longer")) {
                entries[slip].data += "\n";
            } else if (damage == QLatin1String("declaredLonger")) {
                entries[slip].declaredSize = entries[slip].data.size() + 4096;
            } else if (damage == QLatin1String("missingEntry")) {
                entries.removeAt(slip);
            } else if (damage == QLatin1String("unlisted")) {
                entries.insert(slip, file(QStringLiteral("mai.rpt"), "{}"));
            } else if (damage == QLatin1String("noManifest")) {
                entries.removeLast();
            } else if (damage == QLatin1String("laterVersion")) {
                entries.last().data.replace("\"version\": 1", "\"version\": 2");
            } else if (damage == QLatin1String("garbledManifest")) {
                entries.last().data = "pas du JSON";
            } else if (damage == QLatin1String("afterManifest")) {
                entries << file(QStringLiteral("mai.rpt"), "{}");
            } else if (damage == QLatin1String("traversal")) {
                entries[slip].name = QStringLiteral("../janvier.rpt");
            } else if (damage == QLatin1String("absolute")) {
                entries[slip].name = QStringLiteral("/tmp/janvier.rpt");
            } else if (damage == QLatin1String("subfolder")) {
                entries[slip].name = QStringLiteral("sous/janvier.rpt");
            } else if (damage == QLatin1String("hidden")) {
                entries[slip].name = QStringLiteral(".janvier.rpt");
            } else if (damage == QLatin1String("symlink")) {
                entries.insert(slip, special(QStringLiteral("lien.rpt"), AE_IFLNK, QStringLiteral("/etc/passwd")));
            } else if (damage == QLatin1String("hardlink")) {
                entries.insert(slip + 1, special(QStringLiteral("double.rpt"), AE_IFREG, QStringLiteral("janvier.rpt"), true));
            } else if (damage == QLatin1String("device")) {
                entries.insert(slip, special(QStringLiteral("disque.rpt"), AE_IFCHR));
            } else if (damage == QLatin1String("folder")) {
                entries.insert(slip, special(QStringLiteral("dossier.rpt"), AE_IFDIR));
            } else if (damage == QLatin1String("twice")) {
                entries.insert(slip, entries.at(slip));
            } else if (damage == QLatin1String("badDatabase")) {
                const int db = indexOf(QStringLiteral("Bdrk.rkv"));
                entries[db].data.fill('\x5a', 4096);
                manifestWith([&entries, db](BackupManifest &manifest) {
                    manifest.entries[0] = {entries.at(db).name, entries.at(db).data.size(), Sha256::hexHash(entries.at(db).data)};
                });
            } else if (damage == QLatin1String("foreignDatabase") || damage == QLatin1String("noEmployer")) {
                const int db = indexOf(QStringLiteral("sterk.rkv"));
                if (damage == QLatin1String("noEmployer")) {
                    entries.removeAt(db);
                    manifestWith([](BackupManifest &manifest) {
                        manifest.entries.removeIf([](const BackupManifest::Entry &e) { return e.name == QLatin1String("sterk.rkv"); });
                    });
                } else {
                    const QString other = m_root.filePath(QStringLiteral("autre.rkv"));
                    QFile::remove(other);
                    QCOMPARE(execute(other, "CREATE TABLE CLIENTS (NOM TEXT)"), SQLITE_OK);
                    entries[db].data = readFile(other);
                    manifestWith([&entries, db](BackupManifest &manifest) {
                        for (auto &e : manifest.entries)
                            if (e.name == QLatin1String("sterk.rkv"))
                                e = {e.name, entries.at(db).data.size(), Sha256::hexHash(entries.at(db).data)};
                    });
                }
            } else if (damage == QLatin1String("foreignTar")) {
                entries = {file(QStringLiteral("notes.txt"), "bonjour"), file(QStringLiteral("photo.jpg"), "...")};
                format = Format::TarGzip;
            } else if (damage == QLatin1String("foreignZip")) {
                format = Format::Zip;
            }
            writeArchive(archive, entries, format);
        }

        // Over a company: refused, and the folder exactly as it was.
        const QString target = company();
        QDir(target).mkdir(QStringLiteral("sauvegardes"));
        const QMap<QString, QByteArray> before = snapshot(target);
        const BackupResult refused = restore(archive, target);
        QVERIFY(!refused.succeeded());
        QCOMPARE(refused.status, BackupResult::Refused);
        QVERIFY2(refused.message.contains(said), qPrintable(refused.message));
        QVERIFY2(refused.message.contains(QStringLiteral("Rien n’a été modifié")), qPrintable(refused.message));
        QCOMPARE(snapshot(target), before);
        // Into a new folder: refused, and no folder made.
        const QString fresh = freshPath(QStringLiteral("nouveau"));
        QCOMPARE(restore(archive, fresh).status, BackupResult::Refused);
        QVERIFY(!QFileInfo::exists(fresh));
        QVERIFY(!QFileInfo::exists(m_root.filePath(QStringLiteral("janvier.rpt"))));
        if (damage == QLatin1String("absolute"))
            QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/janvier.rpt")));
        verifyNoStaging();
    }

    void restoreOverCompanyKeepsWhatIsNotCompanyFile()
    {
        const QString original = company();
        const QString archive = backupOf(original);
        const QString target = freshPath(QStringLiteral("actuelle"));
        makeCompany(target);
        const QDir dir(target);
        writeFile(dir.filePath(QStringLiteral("janvier.rpt")), slip(QStringLiteral("MOREAU , CÉLINE"), 7));
        writeFile(dir.filePath(QStringLiteral("mars.rpt")), slip(QStringLiteral("MOREAU , CÉLINE"), 3));
        QVERIFY(dir.mkpath(QStringLiteral("sauvegardes/anciennes")));
        writeFile(dir.filePath(QStringLiteral("sauvegardes/anciennes/vieille.tar.zst")), "vieille");
        // An empty journal, as an engine leaves one: never carried beside the restored file.
        writeFile(dir.filePath(QStringLiteral("Bdrk.rkv-journal")), QByteArray());
        const QMap<QString, QByteArray> before = snapshot(target);

        std::unique_ptr<RestorePlan> plan;
        auto prepared = RestorePlan::prepare(archive, target);
        QVERIFY(std::holds_alternative<std::unique_ptr<RestorePlan>>(prepared));
        plan = std::move(std::get<std::unique_ptr<RestorePlan>>(prepared));
        QVERIFY(plan->replacesCompany());
        QCOMPARE(plan->removed(), QStringList{QStringLiteral("mars.rpt")});
        QVERIFY(plan->replaced().contains(QStringLiteral("janvier.rpt")));
        QVERIFY(plan->replaced().contains(QStringLiteral("Bdrk.rkv")));
        // Read and checked, nothing written yet.
        QCOMPARE(snapshot(target), before);

        const BackupResult result = plan->carryOut();
        QVERIFY2(result.succeeded(), qPrintable(result.message));
        compareCompanies(original, target);
        QVERIFY(!dir.exists(QStringLiteral("mars.rpt")));
        QVERIFY(!dir.exists(QStringLiteral("Bdrk.rkv-journal")));
        for (const QString &kept : {QStringLiteral("janvier.pdf"), QStringLiteral("rkv.endommagé-20010331-174502.rpl"),
                                    QStringLiteral("sauvegardes/anciennes/vieille.tar.zst")})
            QCOMPARE(readFile(dir.filePath(kept)), before.value(kept));
        // The replaced files go with the plan.
        const QString safety = plan->safetyBackup();
        plan.reset();
        verifyNoStaging();

        // The state replaced is in the automatic backup, and comes back from it.
        QVERIFY(safety.startsWith(dir.filePath(QStringLiteral("sauvegardes/"))));
        QVERIFY(safety.contains(QStringLiteral("-avant-restauration-")));
        const QString back = freshPath(QStringLiteral("retour"));
        QVERIFY(restore(safety, back).succeeded());
        QCOMPARE(readFile(QDir(back).filePath(QStringLiteral("mars.rpt"))), before.value(QStringLiteral("mars.rpt")));
        QCOMPARE(readFile(QDir(back).filePath(QStringLiteral("janvier.rpt"))), before.value(QStringLiteral("janvier.rpt")));
    }

    void restoreIntoEmptyFolder()
    {
        const QString original = company();
        const QString target = freshPath(QStringLiteral("vide"));
        QVERIFY(QDir().mkpath(target));
        writeFile(QDir(target).filePath(QStringLiteral("lisez-moi.txt")), "à garder");
        auto prepared = RestorePlan::prepare(backupOf(original), target);
        auto &plan = std::get<std::unique_ptr<RestorePlan>>(prepared);
        QVERIFY(!plan->replacesCompany());
        QVERIFY(plan->carryOut().succeeded());
        QVERIFY(plan->safetyBackup().isEmpty());
        compareCompanies(original, target);
        QCOMPARE(readFile(QDir(target).filePath(QStringLiteral("lisez-moi.txt"))), QByteArray("à garder"));
    }

    // A restore stopped by a kill leaves its hidden folder beside the
    // target; the next restore there removes it, never the one a living
    // restore is filling.
    void leftoversOfStoppedRestoresAreRemoved()
    {
        const QString archive = backupOf(company());
        const QString target = freshPath(QStringLiteral("cible"));
        const QString leftover = m_root.filePath(QStringLiteral(".%1.restauration-AbC123").arg(QFileInfo(target).fileName()));
        QVERIFY(QDir().mkpath(leftover));
        writeFile(QDir(leftover).filePath(QStringLiteral("Bdrk.rkv")), "données personnelles");
        const QString unrelated = m_root.filePath(QStringLiteral(".autre.restauration-AbC123"));
        QVERIFY(QDir().mkpath(unrelated));

        auto first = RestorePlan::prepare(archive, target);
        QVERIFY(std::holds_alternative<std::unique_ptr<RestorePlan>>(first));
        QVERIFY(!QFileInfo::exists(leftover));
        QVERIFY(QFileInfo::exists(unrelated));
        const QStringList pattern{QStringLiteral(".%1.restauration-*").arg(QFileInfo(target).fileName())};
        QCOMPARE(QDir(m_root.path()).entryList(pattern, QDir::Dirs | QDir::Hidden).size(), 1);
        auto second = RestorePlan::prepare(archive, target);
        QVERIFY(std::holds_alternative<std::unique_ptr<RestorePlan>>(second));
        QCOMPARE(QDir(m_root.path()).entryList(pattern, QDir::Dirs | QDir::Hidden).size(), 2);
        first = BackupResult();
        second = BackupResult();
        QVERIFY(QDir(unrelated).removeRecursively());
        verifyNoStaging();
    }

    void cancelledRestoreLeavesTheFolder_data()
    {
        QTest::addColumn<int>("callsAllowed");
        QTest::newRow("while the archive is read") << 1;
        QTest::newRow("while the state replaced is backed up") << 1000000;
    }

    void cancelledRestoreLeavesTheFolder()
    {
        QFETCH(int, callsAllowed);
        const QString archive = backupOf(company());
        const QString target = company();
        QDir(target).mkdir(QStringLiteral("sauvegardes"));
        const QMap<QString, QByteArray> before = snapshot(target);
        int calls = 0;
        bool reading = true;
        const BackupProgress progress = [&](qint64, qint64) { return reading ? ++calls <= callsAllowed : false; };
        auto prepared = RestorePlan::prepare(archive, target, progress);
        if (auto *refusal = std::get_if<BackupResult>(&prepared)) {
            QCOMPARE(refusal->status, BackupResult::Cancelled);
        } else {
            reading = false;
            QCOMPARE(std::get<std::unique_ptr<RestorePlan>>(prepared)->carryOut(progress).status,
                     BackupResult::Cancelled);
        }
        QCOMPARE(snapshot(target), before);
        prepared = BackupResult();
        verifyNoStaging();
    }

    void backupRefusals()
    {
        const QString empty = freshPath(QStringLiteral("sans-entreprise"));
        QVERIFY(QDir().mkpath(empty));
        BackupResult result = BackupWriter::write(QDir(empty), m_root.filePath(QStringLiteral("x.tar.zst")));
        QCOMPARE(result.status, BackupResult::Refused);
        QVERIFY(result.message.contains(QStringLiteral("Bdrk.rkv")));

        const QString folder = company();
        const QString archive = backupOf(folder);
        const QByteArray kept = readFile(archive);
        result = BackupWriter::write(QDir(folder), archive);
        QCOMPARE(result.status, BackupResult::Refused);
        QVERIFY(result.message.contains(QStringLiteral("existe déjà")));
        QCOMPARE(readFile(archive), kept);

        result = BackupWriter::write(QDir(folder), m_root.filePath(QStringLiteral("nulle/part.tar.zst")));
        QCOMPARE(result.status, BackupResult::NotWritten);
        QVERIFY(result.message.contains(QStringLiteral("le dossier n’existe pas")));
    }

    void fullDiskLeavesNoArchive()
    {
        const QString folder = company();
        const QString archive = m_root.filePath(QStringLiteral("plein.tar.zst"));
        BackupResult result;
        {
            TestSupport::FileSizeLimit limit(2048);
            result = BackupWriter::write(QDir(folder), archive);
        }
        QCOMPARE(result.status, BackupResult::NotWritten);
        QVERIFY2(result.message.contains(QStringLiteral("n’a pas pu être écrite")), qPrintable(result.message));
        QVERIFY(!QFileInfo::exists(archive));
        const QStringList left = QDir(m_root.path()).entryList({QStringLiteral(".*quorvan*")}, QDir::AllEntries | QDir::Hidden);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
    }

    void backupLeavesOutTheBackupsAndKeepsTheLastTen()
    {
        const QString folder = company();
        const QDir backups(QDir(folder).filePath(QStringLiteral("sauvegardes")));
        QVERIFY(backups.mkpath(QStringLiteral(".")));
        writeFile(backups.filePath(QStringLiteral("notes.txt")), "à moi");
        writeFile(backups.filePath(QStringLiteral("X-avant-restauration-20010101-000000.tar.zst")), "gardée");
        QStringList written;
        for (int i = 0; i < 12; ++i) {
            const BackupResult result = AutomaticBackup::atClosing(QDir(folder));
            QVERIFY2(result.succeeded(), qPrintable(result.message));
            QVERIFY(result.path.contains(QStringLiteral("-automatique-")));
            written << QFileInfo(result.path).fileName();
        }
        QCOMPARE(BackupFolder::closingBackups(QDir(folder)), written.mid(2));
        QVERIFY(backups.exists(QStringLiteral("notes.txt")));
        QVERIFY(backups.exists(QStringLiteral("X-avant-restauration-20010101-000000.tar.zst")));
        for (const Entry &entry : readEntries(backups.filePath(written.constLast())))
            QVERIFY2(!entry.name.contains(u'/') && !entry.name.endsWith(QLatin1String(".tar.zst")), qPrintable(entry.name));
    }

    void backupIsNamedAfterTheCompany_data()
    {
        QTest::addColumn<QString>("employer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name") << "SARL BOULANGERIE DES TILLEULS" << "SARL-BOULANGERIE-DES-TILLEULS";
        QTest::newRow("accents and apostrophe") << "L’ÉPI D’OR & FILS" << "L-ÉPI-D-OR-FILS";
        QTest::newRow("slashes and dots") << "../A/B.C" << "A-B-C";
        QTest::newRow("empty: the folder's name") << "" << "dossier-test";
        QTest::newRow("nothing usable: the folder's name") << "/// ..." << "dossier-test";
    }

    void backupIsNamedAfterTheCompany()
    {
        QFETCH(QString, employer);
        QFETCH(QString, expected);
        const QString folder = m_root.filePath(QStringLiteral("dossier test"));
        QDir(folder).removeRecursively();
        makeCompany(folder);
        const QString sql = QStringLiteral("UPDATE EMPLOYEUR SET \"NomSociété\" = '%1'").arg(QString(employer).replace(u'\'', QStringLiteral("''")));
        QCOMPARE(execute(QDir(folder).filePath(QStringLiteral("sterk.rkv")), sql.toUtf8().constData()), SQLITE_OK);
        const QDateTime when(QDate(2001, 3, 31), QTime(17, 45, 2));
        QCOMPARE(BackupFolder::fileName(QDir(folder), when, BackupFolder::Occasion::Chosen),
                 expected + QStringLiteral("-sauvegarde-20010331-174502.tar.zst"));
    }

    void changesSinceStart_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("changed");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("slip written again") << "rewrite" << true;
        QTest::newRow("slip saved") << "add" << true;
        QTest::newRow("slip deleted") << "remove" << true;
        QTest::newRow("database written") << "database" << true;
        QTest::newRow("a PDF written") << "pdf" << false;
        QTest::newRow("a backup written") << "backup" << false;
    }

    void changesSinceStart()
    {
        QFETCH(QString, change);
        QFETCH(bool, changed);
        const QString folder = company();
        const QDir dir(folder);
        const FolderChanges changes(dir);
        QTest::qWait(20); // a rewrite shows in the time of modification
        if (change == QLatin1String("rewrite"))
            writeFile(dir.filePath(QStringLiteral("janvier.rpt")), slip(QStringLiteral("X"), 1));
        else if (change == QLatin1String("add"))
            writeFile(dir.filePath(QStringLiteral("mars.rpt")), slip(QStringLiteral("X"), 3));
        else if (change == QLatin1String("remove"))
            QVERIFY(QFile::remove(dir.filePath(QStringLiteral("février.rpt"))));
        else if (change == QLatin1String("database"))
            QCOMPARE(execute(dir.filePath(QStringLiteral("historique.rkv")), "INSERT INTO slip VALUES ('x', 'y', NULL)"), SQLITE_OK);
        else if (change == QLatin1String("pdf"))
            writeFile(dir.filePath(QStringLiteral("mars.pdf")), "%PDF");
        else if (change == QLatin1String("backup"))
            QVERIFY(AutomaticBackup::atClosing(dir).succeeded());
        QCOMPARE(changes.changed(), changed);
    }
};

QTEST_GUILESS_MAIN(TestBackupRestore)
#include "tst_backuprestore.moc"
