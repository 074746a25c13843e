#include "filetestsupport.h"
#include "filesizelimit.h"
#include "regularfile.h"
#include "temporaryfile.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

// The files of the working folder are written whole or not at all, owner
// only whatever the umask; leftovers of a killed writer are removed, never a
// file being written nor a file of the clerk's; only regular files of a
// reasonable size are read.
class TestWholeFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesOwnerOnlyWhateverTheUmask_data();
    void writesOwnerOnlyWhateverTheUmask();
    void keepNeverReplaces();
    void failureLeavesThePreviousFileAndNoTemporary_data();
    void failureLeavesThePreviousFileAndNoTemporary();
    void fullDiskIsAFailure();
    void leftoversAreRemovedOnlyWhenTheirWriterIsGone();
    void setAsideKeepsTheFileUnderAnotherName();
    void readsOnlyRegularFiles_data();
    void readsOnlyRegularFiles();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

namespace {

using TestFiles::contentOf;
using TestFiles::modeOf;
const auto writePlain = TestFiles::writeBytes;

QStringList everyFile()
{
    QStringList names = QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

} // namespace

void TestWholeFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previous = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
}

void TestWholeFile::cleanup()
{
    QDir::setCurrent(m_previous);
    m_dir.reset();
}

void TestWholeFile::writesOwnerOnlyWhateverTheUmask_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<bool>("existing");
    QTest::newRow("umask 022, new file") << 022 << false;
    QTest::newRow("umask 000, new file") << 0 << false;
    QTest::newRow("umask 000, file replaced") << 0 << true;
}

void TestWholeFile::writesOwnerOnlyWhateverTheUmask()
{
    QFETCH(int, mask);
    QFETCH(bool, existing);
    if (existing) {
        writePlain("fiche.pdf", "ancienne");
        QVERIFY(::chmod("fiche.pdf", 0666) == 0);
    }
    const mode_t previous = ::umask(mode_t(mask));
    const int rc = WholeFile::write("fiche.pdf", "nouvelle");
    ::umask(previous);
    QCOMPARE(rc, 0);
    QCOMPARE(contentOf("fiche.pdf"), QByteArray("nouvelle"));
    QCOMPARE(modeOf("fiche.pdf"), mode_t(0600));
    QCOMPARE(everyFile(), QStringList{"fiche.pdf"});
}

void TestWholeFile::keepNeverReplaces()
{
    writePlain("mars.rpt", "la fiche de mars");
    QCOMPARE(WholeFile::write("mars.rpt", "une autre", WholeFile::Existing::Keep), EEXIST);
    QCOMPARE(contentOf("mars.rpt"), QByteArray("la fiche de mars"));
    QCOMPARE(WholeFile::write("avril.rpt", "la fiche d'avril", WholeFile::Existing::Keep), 0);
    QCOMPARE(contentOf("avril.rpt"), QByteArray("la fiche d'avril"));
    QCOMPARE(everyFile(), QStringList({"avril.rpt", "mars.rpt"}));
}

void TestWholeFile::failureLeavesThePreviousFileAndNoTemporary_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder missing") << "absent/fiche.pdf" << ENOENT << "le dossier n’existe pas";
    QTest::newRow("a folder has the name") << "dossier" << EISDIR << "un dossier porte déjà ce nom";
}

void TestWholeFile::failureLeavesThePreviousFileAndNoTemporary()
{
    QFETCH(QString, path);
    QFETCH(int, error);
    QFETCH(QString, reason);
    QVERIFY(QDir().mkdir("dossier"));
    writePlain("dossier/dedans", "intact");
    QCOMPARE(WholeFile::write(path, "contenu"), error);
    QCOMPARE(WholeFile::reason(error), reason);
    QCOMPARE(contentOf("dossier/dedans"), QByteArray("intact"));
    QCOMPARE(everyFile(), QStringList());
    QCOMPARE(QDir("dossier").entryList(QDir::Files | QDir::Hidden), QStringList{"dedans"});
}

// The disk takes part of the content and refuses the rest: the failure is
// said and the previous file stays whole.
void TestWholeFile::fullDiskIsAFailure()
{
    const QByteArray previous(3000, 'a');
    writePlain("fiche.pdf", previous);
    int rc = 0;
    {
        TestSupport::FileSizeLimit limit(4096);
        rc = WholeFile::write("fiche.pdf", QByteArray(100000, 'b'));
    }
    QCOMPARE(rc, EFBIG);
    QVERIFY(WholeFile::reason(rc).contains("le disque est plein"));
    QCOMPARE(contentOf("fiche.pdf"), previous);
    QCOMPARE(everyFile(), QStringList{"fiche.pdf"});
}

void TestWholeFile::leftoversAreRemovedOnlyWhenTheirWriterIsGone()
{
    // Left by a killed writer: nobody holds their lock any more.
    writePlain(".fiche.pdf.quorvan-Ab12Cd", "à moitié");
    writePlain(".Bdrk.rkv.quorvan-x9Y8z7", "base à moitié");
    writePlain(".Bdrk.rkv.quorvan-x9Y8z7-journal", "journal");
    writePlain(".sterk.rkv.quorvan-QQQQQQ-journal", "journal seul");
    // The clerk's files, however they look.
    const QStringList theirs{"janvier.rpt", ".cache", "mars.rpt.AbCdEf", ".x.quorvan-court", "Bdrk.rkv"};
    for (const QString &name : theirs)
        writePlain(name, "à garder");
    // Being written by a living program.
    TemporaryFile living(QDir::current().filePath("avril.rpt"));
    QVERIFY(living.isValid());
    QVERIFY(living.write("en cours"));
    const QString livingName = QFileInfo(living.path()).fileName();

    const QStringList removed = WholeFile::removeLeftovers(QDir::current());
    QCOMPARE(removed, QStringList({".Bdrk.rkv.quorvan-x9Y8z7", ".fiche.pdf.quorvan-Ab12Cd",
                                   ".sterk.rkv.quorvan-QQQQQQ-journal"}));
    QStringList left = theirs;
    left << livingName;
    left.sort();
    QCOMPARE(everyFile(), left);

    QVERIFY(living.publish(TemporaryFile::Existing::Keep));
    QCOMPARE(contentOf("avril.rpt"), QByteArray("en cours"));
}

void TestWholeFile::setAsideKeepsTheFileUnderAnotherName()
{
    writePlain("rkv.rpl", "");
    int error = 0;
    const QString first = WholeFile::setAside("rkv.rpl", &error);
    QVERIFY2(first.startsWith("rkv.endommagé-") && first.endsWith(".rpl"), qPrintable(first));
    QCOMPARE(error, 0);
    writePlain("rkv.rpl", "encore abîmé");
    const QString second = WholeFile::setAside("rkv.rpl", &error);
    QVERIFY(!second.isEmpty());
    QVERIFY(second != first);
    QCOMPARE(contentOf(first), QByteArray());
    QCOMPARE(contentOf(second), QByteArray("encore abîmé"));
    QVERIFY(!QFile::exists("rkv.rpl"));
    QVERIFY(WholeFile::setAside("absent.rpl", &error).isEmpty());
    QCOMPARE(error, ENOENT);
}

void TestWholeFile::readsOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("size");
    using S = RegularFile::Status;
    QTest::newRow("regular") << "fiche.rpt" << int(S::Read) << qint64(0);
    QTest::newRow("missing") << "absente.rpt" << int(S::Missing) << qint64(0);
    QTest::newRow("FIFO: no wait for a writer") << "tube.rpt" << int(S::NotRegular) << qint64(0);
    QTest::newRow("link to /dev/zero: no endless read") << "zero.rpt" << int(S::NotRegular) << qint64(0);
    QTest::newRow("folder") << "dossier.rpt" << int(S::NotRegular) << qint64(0);
    QTest::newRow("far too large: refused unread") << "énorme.rpt" << int(S::TooLarge) << qint64(50'000'000);
    QTest::newRow("resource") << ":/absent" << int(S::Missing) << qint64(0);
}

void TestWholeFile::readsOnlyRegularFiles()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(qint64, size);
    writePlain("fiche.rpt", "{}");
    QCOMPARE(::mkfifo("tube.rpt", 0600), 0);
    QVERIFY(QFile::link("/dev/zero", "zero.rpt"));
    QVERIFY(QDir().mkdir("dossier.rpt"));
    {
        // Sparse: takes no room on the disk.
        QFile huge("énorme.rpt");
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(50'000'000));
    }
    const RegularFile::Reading reading = RegularFile::read(path, 4 * 1024 * 1024);
    QCOMPARE(int(reading.status), status);
    QCOMPARE(reading.size, size);
    if (reading.status == RegularFile::Status::Read)
        QCOMPARE(reading.content, QByteArray("{}"));
    else
        QVERIFY(reading.content.isEmpty());
}

QTEST_GUILESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
