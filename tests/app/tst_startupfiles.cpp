#include "filetestsupport.h"
#include "database.h"
#include "reportengine.h"
#include "schema.h"
#include "startupfiles.h"
#include "temporaryfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The working folder as the program finds it at start: leftovers of a
// killed program removed (and only those), files found empty or damaged set
// aside under another name and written anew with a word for the clerk, a
// damaged database with content left for its screens to refuse.
class TestStartupFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshFolderGetsEveryDeliveredFile();
    void leftoversOfAKilledProgramAreRemoved();
    void emptyFileIsSetAsideAndWrittenAnew_data();
    void emptyFileIsSetAsideAndWrittenAnew();
    void soundOrForeignFilesAreLeftAlone_data();
    void soundOrForeignFilesAreLeftAlone();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

namespace {

using TestFiles::contentOf;
const auto writeFile = TestFiles::writeBytes;

const QStringList Delivered{"Bdrk.rkv", "helvane.hlp", "rkv.rpl", "sterk.rkv"};

QStringList everyFile()
{
    QStringList names = QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

} // namespace

void TestStartupFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previous = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
}

void TestStartupFiles::cleanup()
{
    QDir::setCurrent(m_previous);
    m_dir.reset();
}

void TestStartupFiles::freshFolderGetsEveryDeliveredFile()
{
    QCOMPARE(StartupFiles::prepare(), QStringList());
    QCOMPARE(everyFile(), Delivered);
    for (const QString &file : Delivered)
        QCOMPARE(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(contentOf("rkv.rpl"), ReportEngine::deliveredLayout());
    // Nothing to say the second time either.
    QCOMPARE(StartupFiles::prepare(), QStringList());
}

void TestStartupFiles::leftoversOfAKilledProgramAreRemoved()
{
    writeFile(".rkv.rpl.quorvan-Ab12Cd", "{ \"format\"");
    writeFile(".Bdrk.rkv.quorvan-Zz9Yy8", "SQLite format 3");
    writeFile(".Bdrk.rkv.quorvan-Zz9Yy8-journal", "journal");
    writeFile(".mars.rpt.quorvan-Q1w2E3", "{ \"format\": \"quorvan-report\"");
    writeFile("mars.rpt.AbCdEf", "une copie du clerc");
    TemporaryFile living(QDir::current().filePath("avril.rpt"));
    QVERIFY(living.isValid());

    QCOMPARE(StartupFiles::prepare(), QStringList());
    QStringList expected = Delivered;
    expected << "mars.rpt.AbCdEf" << QFileInfo(living.path()).fileName();
    expected.sort();
    QCOMPARE(everyFile(), expected);
}

void TestStartupFiles::emptyFileIsSetAsideAndWrittenAnew_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("notice");
    QTest::newRow("Bdrk.rkv") << "Bdrk.rkv" << "Bdrk.endommagé-"
        << "Le fichier « Bdrk.rkv » était vide : il est gardé sous le nom « %1 » et un fichier neuf, avec son "
           "contenu livré, a été créé à sa place.";
    QTest::newRow("sterk.rkv") << "sterk.rkv" << "sterk.endommagé-"
        << "Le fichier « sterk.rkv » était vide : il est gardé sous le nom « %1 » et un fichier neuf, avec son "
           "contenu livré, a été créé à sa place.";
    QTest::newRow("helvane.hlp") << "helvane.hlp" << "helvane.endommagé-"
        << "Le fichier d'aide « helvane.hlp » était vide ou endommagé : il est gardé sous le nom « %1 » et le "
           "fichier d'aide livré a été écrit à sa place.";
    QTest::newRow("rkv.rpl") << "rkv.rpl" << "rkv.endommagé-"
        << "La mise en page « rkv.rpl » était vide ou endommagée : elle est gardée sous le nom « %1 » et la mise "
           "en page livrée a été écrite à sa place.";
}

// As a kill during its first writing left it: the clerk is told, the empty
// file is kept, and the program works again without a hand on the files.
void TestStartupFiles::emptyFileIsSetAsideAndWrittenAnew()
{
    QFETCH(QString, file);
    QFETCH(QString, kept);
    QFETCH(QString, notice);
    writeFile(file, QByteArray());

    const QStringList notices = StartupFiles::prepare();
    QStringList files = everyFile();
    QCOMPARE(files.size(), Delivered.size() + 1);
    files = files.filter(kept);
    QCOMPARE(files.size(), 1);
    QCOMPARE(contentOf(files.first()), QByteArray());
    QCOMPARE(notices, QStringList{notice.arg(files.first())});
    QVERIFY(QFileInfo(file).size() > 0);
    for (const DatabaseDefinition &definition : {Schema::mainDatabase(), Schema::employerDatabase()})
        QVERIFY(Database::open(".", definition, nullptr));
    QCOMPARE(StartupFiles::prepare(), QStringList());
}

void TestStartupFiles::soundOrForeignFilesAreLeftAlone_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    // Damaged, but with content: what it holds may still be saved, and its
    // screens say why it is refused.
    QTest::newRow("damaged Bdrk.rkv") << "Bdrk.rkv" << QByteArray("ceci n'est pas une base de données");
    QTest::newRow("help of the firm's own") << "helvane.hlp" << QByteArray("<p>notre aide</p>");
}

void TestStartupFiles::soundOrForeignFilesAreLeftAlone()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    writeFile(file, content);
    QCOMPARE(StartupFiles::prepare(), QStringList());
    QCOMPARE(contentOf(file), content);
    QCOMPARE(everyFile(), Delivered);
}

QTEST_MAIN(TestStartupFiles)
#include "tst_startupfiles.moc"
