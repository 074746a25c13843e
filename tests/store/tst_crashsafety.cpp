#include "crashversions.h"
#include "database.h"
#include "recordview.h"
#include "schema.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <sqlite3.h>

// A store killed at any moment must leave the file sound and every record
// entirely as it was before or after, never a mix: a helper program rewrites
// records in a loop and is killed (SIGKILL) at random moments.
class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedWriterLeavesWholeRecords();

private:
    void checkFile(QSet<int> *versionsSeen);

    QTemporaryDir m_dir;
};

namespace {

constexpr int Rounds = 40;
constexpr int Fillers = 300;

QString integrity(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    QString result = "<no answer>";
    if (sqlite3_step(stmt) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return result;
}

} // namespace

void TestCrashSafety::initTestCase()
{
    QVERIFY(m_dir.isValid());
    auto database = Database::open(m_dir.path(), Schema::mainDatabase(), nullptr);
    QVERIFY(database);

    // Records around the one rewritten, so the table spans many pages.
    sqlite3 *db = database->handle();
    QCOMPARE(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
    for (int i = 0; i < Fillers; ++i) {
        const QByteArray sql = QStringLiteral("INSERT INTO SALARIE (IDENTIFICATION, NOM, ADRESSE) "
                                              "VALUES ('VOISIN%1 , PAUL', 'VOISIN%1', '%2')")
                                   .arg(i)
                                   .arg(QString(300, QChar('x')))
                                   .toUtf8();
        QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        if (i == Fillers / 2)
            QCOMPARE(sqlite3_exec(db, "INSERT INTO SALARIE (IDENTIFICATION, NOM) VALUES "
                                      "('CIBLE , CRASH', 'CIBLE')",
                                  nullptr, nullptr, nullptr),
                     SQLITE_OK);
    }
    QCOMPARE(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);

    RecordView employee(database, "SALARIE");
    QVERIFY(!employee.findFirst("IDENTIFICATION", CrashVersions::key));
    for (const QString &column : Schema::employees().columns) {
        if (column == "PHOTO")
            employee.setFieldData(column, CrashVersions::photo(0));
        else if (column != "IDENTIFICATION")
            employee.setFieldText(column, CrashVersions::text(column, 0));
    }
    QVERIFY(!employee.writeCurrent());
}

void TestCrashSafety::killedWriterLeavesWholeRecords()
{
    QSet<int> versionsSeen;
    int roundsWithJournal = 0;
    for (int round = 0; round < Rounds; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(CRASHWRITER), {m_dir.path()});
        QVERIFY2(writer.waitForReadyRead(10000),
                 qPrintable(QStringLiteral("round %1: the writer never got ready (exit %2)")
                                .arg(round)
                                .arg(writer.exitCode())));
        QCOMPARE(writer.readAll(), QByteArray("ready\n"));
        QThread::msleep(QRandomGenerator::global()->bounded(31));
        writer.kill();
        QVERIFY(writer.waitForFinished(5000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        if (QFile::exists(m_dir.filePath("Bdrk.rkv-journal")))
            ++roundsWithJournal;
        checkFile(&versionsSeen);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("after kill number %1").arg(round + 1)));
    }
    qInfo("%d of %d kills left a store half-way (journal to roll back)", roundsWithJournal, Rounds);
    // The writer really wrote between the kills.
    QCOMPARE(versionsSeen.size(), 2);
}

void TestCrashSafety::checkFile(QSet<int> *versionsSeen)
{
    StoreError error;
    auto database = Database::open(m_dir.path(), Schema::mainDatabase(), &error);
    QVERIFY2(database, qPrintable(error.message()));
    QCOMPARE(integrity(database->handle()), QString("ok"));

    RecordView employee(database, "SALARIE");
    QCOMPARE(employee.count(), Fillers + 1);
    QVERIFY(!employee.findFirst("IDENTIFICATION", CrashVersions::key));
    QVERIFY(!employee.noMatch());
    const int version = employee.fieldText("NUMSECU") == CrashVersions::text("NUMSECU", 0) ? 0 : 1;
    versionsSeen->insert(version);
    for (const QString &column : Schema::employees().columns) {
        if (column == "PHOTO")
            QVERIFY2(employee.fieldData(column) == CrashVersions::photo(version), "PHOTO");
        else if (column != "IDENTIFICATION")
            QCOMPARE(employee.fieldText(column), CrashVersions::text(column, version));
    }

    RecordView rate(database, "TEURO");
    QCOMPARE(rate.count(), 1);
    const QString text = rate.fieldText("Taux de L'euro");
    QVERIFY2(text == CrashVersions::rate(0) || text == CrashVersions::rate(1), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
