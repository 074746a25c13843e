#include "filetestsupport.h"
#include "errordialog.h"
#include "filesizelimit.h"
#include "reportengine.h"
#include "reportfile.h"
#include "reportpreview.h"
#include "samplepayslip.h"
#include "wholefile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

// The files of the report engine on disk: every pay slip, PDF or saved, is
// written whole and owner-only, a full disk is a failure said as such, a
// saved slip is never replaced unasked, only regular files of a pay slip's
// size are read, a file name is never read as a placeholder of a message,
// and the delivered layout found empty or damaged is set aside and written
// anew.
class TestReportFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void payslipsAreOwnerOnlyWhateverTheUmask_data();
    void payslipsAreOwnerOnlyWhateverTheUmask();
    void fullDiskIsReportedAndThePreviousFileKept_data();
    void fullDiskIsReportedAndThePreviousFileKept();
    void previewExportOnAFullDiskSaysSo();
    void killedPdfWriterLeavesTheOlderPdfWhole();
    void savedSlipKeptUnlessReplacingIsAllowed();
    void hostileFilesAreRefusedUnread_data();
    void hostileFilesAreRefusedUnread();
    void fileNamesAreNeverPlaceholders();
    void damagedLayoutIsSetAsideAndWrittenAnew_data();
    void damagedLayoutIsSetAsideAndWrittenAnew();
    void layoutThatCannotBeReadIsLeftAlone();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

using TestFiles::modeOf;
const auto writeFile = TestFiles::writeBytes;

QByteArray readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

QStringList everyFile()
{
    QStringList names = QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

void handSample(ReportEngine &engine)
{
    for (const auto &[number, text] : SamplePayslip::entries())
        engine.set_formula(number, text);
}

bool isWholePdf(const QByteArray &pdf)
{
    return pdf.startsWith("%PDF-1.") && pdf.trimmed().endsWith("%%EOF");
}

// The output of one kind: as PDF, or as a saved pay slip.
ReportError writeOutput(ReportEngine &engine, const QString &kind, const QString &path)
{
    if (kind == QLatin1String("pdf"))
        return engine.renderPdf(path);
    engine.set_destination(ReportEngine::File);
    engine.set_output_file(path);
    return engine.run();
}

} // namespace

void TestReportFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QDir::setCurrent(m_dir->path());
}

void TestReportFiles::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(QDir::tempPath());
    m_dir.reset();
}

void TestReportFiles::payslipsAreOwnerOnlyWhateverTheUmask_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file");
    QTest::newRow("PDF") << "pdf" << "octobre.pdf";
    QTest::newRow("saved pay slip") << "rpt" << "octobre.rpt";
}

// A pay slip is personal, a PDF as much as a saved slip, and whatever
// permissions a file it replaces had.
void TestReportFiles::payslipsAreOwnerOnlyWhateverTheUmask()
{
    QFETCH(QString, kind);
    QFETCH(QString, file);
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    const mode_t previous = ::umask(0);
    const ReportError fresh = writeOutput(engine, kind, file);
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0666) == 0);
    const ReportError replaced = writeOutput(engine, kind, file);
    ::umask(previous);
    QVERIFY2(!fresh.failed(), qPrintable(fresh.message));
    QVERIFY2(!replaced.failed(), qPrintable(replaced.message));
    QCOMPARE(modeOf(file), mode_t(0600));
    QCOMPARE(everyFile(), QStringList({file, "rkv.rpl"}));
}

void TestReportFiles::fullDiskIsReportedAndThePreviousFileKept_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");
    QTest::newRow("PDF") << "pdf" << "mars.pdf" << 28610
                         << "Le document PDF « mars.pdf » n'a pas pu être écrit : le disque est plein";
    QTest::newRow("saved pay slip") << "rpt" << "mars.rpt" << 28607
                                    << "La fiche de paie « mars.rpt » n'a pas pu être enregistrée : le disque est plein";
}

// The disk takes a few kilobytes of the new file, then refuses the rest:
// the failure is said, never a success, and the older file is still whole.
void TestReportFiles::fullDiskIsReportedAndThePreviousFileKept()
{
    QFETCH(QString, kind);
    QFETCH(QString, file);
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    QVERIFY(!writeOutput(engine, kind, file).failed());
    const QByteArray older = readFile(file);
    QVERIFY(older.size() > 8192);

    engine.set_formula(0, "NOMSALARIE='DURAND'");
    ReportError error;
    {
        TestSupport::FileSizeLimit limit(4096);
        error = writeOutput(engine, kind, file);
    }
    QTEST(error.number, "number");
    QFETCH(QString, message);
    QVERIFY2(error.message.startsWith(message), qPrintable(error.message));
    QCOMPARE(readFile(file), older);
    QCOMPARE(everyFile(), QStringList({file, "rkv.rpl"}));
}

void TestReportFiles::previewExportOnAFullDiskSaysSo()
{
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    handSample(engine);
    QVERIFY(!engine.run().failed());
    QVERIFY(engine.preview());
    bool exported = true;
    {
        TestSupport::FileSizeLimit limit(4096);
        exported = engine.preview()->exportPdf("aperçu.pdf");
    }
    QVERIFY(!exported);
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), QString("Erreur d'exportation"));
    QVERIFY2(ErrorDialog::current()->message().contains("« aperçu.pdf » n'a pas pu être écrit : le disque est plein"),
             qPrintable(ErrorDialog::current()->message()));
    QVERIFY(!QFile::exists("aperçu.pdf"));
    QCOMPARE(everyFile(), QStringList{"rkv.rpl"});
}

// A writer killed at any moment leaves the PDF it was replacing whole; its
// temporary file is a leftover the next start removes.
void TestReportFiles::killedPdfWriterLeavesTheOlderPdfWhole()
{
    constexpr int Kills = 15;
    const QString pdf = QDir::current().filePath("fiche.pdf");
    for (int kill = 0; kill < Kills; ++kill) {
        QProcess writer;
        writer.setWorkingDirectory(QDir::currentPath());
        writer.start(QStringLiteral(PDFKILLWRITER), {pdf});
        QVERIFY(writer.waitForStarted());
        if (kill == 0)
            QVERIFY2(writer.waitForReadyRead(30000), "the writer never wrote both versions");
        QThread::msleep(QRandomGenerator::global()->bounded(5, 120));
        writer.kill();
        QVERIFY(writer.waitForFinished());
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit, "the writer stopped by itself");
        QVERIFY2(isWholePdf(readFile(pdf)), qPrintable(QStringLiteral("after kill %1").arg(kill + 1)));
    }
    WholeFile::removeLeftovers(QDir::current());
    QCOMPARE(everyFile(), QStringList({"fiche.pdf", "rkv.rpl"}));
}

// The save-as dialog asks before replacing; a slip that appears after the
// question is kept, not replaced unasked.
void TestReportFiles::savedSlipKeptUnlessReplacingIsAllowed()
{
    ReportEngine::ensureDeliveredLayout();
    writeFile("janvier.rpt", "la fiche de janvier");
    ReportEngine engine;
    handSample(engine);
    engine.set_destination(ReportEngine::File);
    engine.set_output_file("janvier.rpt");
    engine.setReplaceExisting(false);
    const ReportError error = engine.run();
    QCOMPARE(error.number, 28611);
    QCOMPARE(error.message, QString("La fiche de paie « janvier.rpt » existe déjà : elle est gardée telle quelle."));
    QCOMPARE(readFile("janvier.rpt"), QByteArray("la fiche de janvier"));

    engine.set_output_file("février.rpt");
    QVERIFY(!engine.run().failed());
    engine.set_output_file("janvier.rpt");
    engine.setReplaceExisting(true);
    QVERIFY(!engine.run().failed());
    QVERIFY(readFile("janvier.rpt").contains("quorvan-report"));
}

void TestReportFiles::hostileFilesAreRefusedUnread_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");
    const QString notAFile = " » n'est pas un fichier ordinaire (c'est un dossier, un tube ou un périphérique) : "
                             "il n'est pas lu.";
    QTest::newRow("FIFO") << "tube.rpt" << 28613 << "« tube.rpt" + notAFile;
    QTest::newRow("link to /dev/zero") << "zéro.rpt" << 28613 << "« zéro.rpt" + notAFile;
    QTest::newRow("folder") << "dossier.rpt" << 28613 << "« dossier.rpt" + notAFile;
    QTest::newRow("50 MB") << "énorme.rpt" << 28612
        << "Le fichier « énorme.rpt » fait plus de 47 Mo, quand une fiche de paie ou une mise en page en fait "
           "moins de 4 : ce n'en est pas une, il n'est pas lu.";
}

// Shown from the archive, opened by the command line: nothing waits for a
// writer, reads for ever or fills the memory.
void TestReportFiles::hostileFilesAreRefusedUnread()
{
    QFETCH(QString, file);
    QCOMPARE(::mkfifo("tube.rpt", 0600), 0);
    QVERIFY(QFile::link("/dev/zero", "zéro.rpt"));
    QVERIFY(QDir().mkdir("dossier.rpt"));
    {
        // Sparse: no room taken on the disk.
        QFile huge("énorme.rpt");
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(50'000'000));
    }
    ReportEngine engine;
    engine.set_report_file(file);
    engine.set_destination(ReportEngine::Window);
    const ReportError error = engine.run();
    QTEST(error.number, "number");
    QTEST(error.message, "message");
    QVERIFY(!engine.preview());
    QCOMPARE(engine.renderPdf("sortie.pdf").number, error.number);
    QVERIFY(!QFile::exists("sortie.pdf"));
}

// A "%1" in a file name stays as typed, and the other values of the message
// keep their place.
void TestReportFiles::fileNamesAreNeverPlaceholders()
{
    ReportEngine engine;
    engine.set_report_file("fiche %1 %2.rpt");
    QCOMPARE(engine.run().message, QString("Le fichier « fiche %1 %2.rpt » est introuvable."));

    writeFile("rkv %2.rpl", "{ abîmé");
    engine.set_report_file("rkv %2.rpl");
    QCOMPARE(engine.run().message,
             QString("Le fichier « rkv %2.rpl » est endommagé : son contenu est illisible (erreur à l'octet 3)."));

    ReportEngine::ensureDeliveredLayout();
    QVERIFY(QDir().mkdir("%1 %2.rpt"));
    ReportEngine saving;
    handSample(saving);
    saving.set_destination(ReportEngine::File);
    saving.set_output_file("%1 %2.rpt");
    QCOMPARE(saving.run().message,
             QString("La fiche de paie « %1 %2.rpt » n'a pas pu être enregistrée : un dossier porte déjà ce nom."));
    QCOMPARE(saving.renderPdf("%1 %2.rpt").message,
             QString("Le document PDF « %1 %2.rpt » n'a pas pu être écrit : un dossier porte déjà ce nom."));
}

void TestReportFiles::damagedLayoutIsSetAsideAndWrittenAnew_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray delivered = ReportEngine::deliveredLayout();
    QJsonObject later = QJsonDocument::fromJson(delivered).object();
    later.insert("version", 2);
    const QJsonObject saved{{"format", "quorvan-report"}, {"version", 1},
                            {"layout", QJsonDocument::fromJson(delivered).object()}, {"formulas", QJsonArray()}};
    QTest::newRow("empty, left by a kill") << QByteArray();
    QTest::newRow("cut short") << delivered.left(delivered.size() / 2);
    QTest::newRow("not JSON") << QByteArray("ma mise en page");
    QTest::newRow("a version this program cannot read") << QJsonDocument(later).toJson();
    QTest::newRow("a saved pay slip in its place") << QJsonDocument(saved).toJson();
}

// Every preview, print and save reads the layout: one found empty or
// damaged at start is kept under another name and the delivered one
// written in its place, and the clerk is told both names.
void TestReportFiles::damagedLayoutIsSetAsideAndWrittenAnew()
{
    QFETCH(QByteArray, content);
    writeFile("rkv.rpl", content);
    const QString notice = ReportEngine::ensureDeliveredLayout();
    QCOMPARE(readFile("rkv.rpl"), ReportEngine::deliveredLayout());
    QCOMPARE(modeOf("rkv.rpl"), mode_t(0600));
    const QStringList files = everyFile();
    QCOMPARE(files.size(), 2);
    const QString kept = files.first();
    QVERIFY2(kept.startsWith("rkv.endommagé-") && kept.endsWith(".rpl"), qPrintable(kept));
    QCOMPARE(readFile(kept), content);
    QCOMPARE(notice, QStringLiteral("La mise en page « rkv.rpl » était vide ou endommagée : elle est gardée sous "
                                    "le nom « %1 » et la mise en page livrée a été écrite à sa place.").arg(kept));

    ReportEngine engine;
    handSample(engine);
    QVERIFY(!engine.renderPdf("fiche.pdf").failed());
    QCOMPARE(ReportEngine::ensureDeliveredLayout(), QString());
}

// Not a content to judge: the run says what is wrong, nothing is moved.
void TestReportFiles::layoutThatCannotBeReadIsLeftAlone()
{
    QVERIFY(QDir().mkdir("rkv.rpl"));
    QCOMPARE(ReportEngine::ensureDeliveredLayout(), QString());
    QVERIFY(QFileInfo("rkv.rpl").isDir());
    QCOMPARE(everyFile(), QStringList());
}

QTEST_MAIN(TestReportFiles)
#include "tst_reportfiles.moc"
