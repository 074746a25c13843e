#include "filetestsupport.h"
#include "database.h"
#include "payslipformulanames.h"
#include "recordview.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

// The files the command line writes and reads, the program itself run: a
// saved pay slip is never replaced without --replace, a full disk exits 4
// and never says the file is written, every output is owner-only, the
// formulas keep one line an entry whatever a stored text holds, only regular
// files are read, and a demonstration folder a kill left half-written is
// finished.
class TestCommandLineFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void savedSlipReplacedOnlyWithReplace();
    void fullDiskExitsFourAndSaysWhy_data();
    void fullDiskExitsFourAndSaysWhy();
    void outputsAreOwnerOnlyUnderUmaskZero();
    void formulasKeepOneLineAnEntry();
    void reportReadsOnlyRegularFiles_data();
    void reportReadsOnlyRegularFiles();
    void fileNameIsNeverAPlaceholder();
    void demoFinishesAFolderLeftHalfWritten();
    void demoKilledAtAnyMomentIsFinishedNextTime();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // Through a shell when `shell` is given: the shell's own commands run
    // first, then the program with the arguments.
    Run quorvan(const QStringList &arguments, const QString &shell = QString()) const;
    QStringList employeesOf(const QString &folder) const;

    QTemporaryDir m_dir;
    QString m_demo;
    std::unique_ptr<QTemporaryDir> m_work;
};

namespace {

using TestFiles::contentOf;
using TestFiles::modeOf;
const auto writeFile = TestFiles::writeBytes;

const QString Smic = QStringLiteral("MOREAU , CÉLINE");

QStringList everyFile(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

// The reader's side of the formulas' escaping, as --help describes it.
QString unescaped(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'\\' || i + 1 == text.size()) {
            out += text.at(i);
            continue;
        }
        const QChar next = text.at(++i);
        if (next == u'n')
            out += u'\n';
        else if (next == u'r')
            out += u'\r';
        else if (next == u't')
            out += u'\t';
        else if (next == u'u') {
            out += QChar(char16_t(text.mid(i + 1, 4).toUShort(nullptr, 16)));
            i += 4;
        } else
            out += next;
    }
    return out;
}

void copyFolder(const QString &from, const QString &to)
{
    QVERIFY(QDir().mkpath(to));
    for (const QString &name : QDir(from).entryList(QDir::Files | QDir::Hidden))
        QVERIFY(QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)));
}

} // namespace

TestCommandLineFiles::Run TestCommandLineFiles::quorvan(const QStringList &arguments, const QString &shell) const
{
    QProcess process;
    process.setWorkingDirectory(m_work->path());
    // Qt's word about a missing runtime folder would mix with the messages.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("runtime")));
    process.setProcessEnvironment(environment);
    if (shell.isEmpty())
        process.start(QStringLiteral(QUORVAN_EXECUTABLE), arguments);
    else
        process.start(QStringLiteral("/bin/sh"), QStringList{QStringLiteral("-c"), shell + QStringLiteral("; exec \"$0\" \"$@\""),
                                                             QStringLiteral(QUORVAN_EXECUTABLE)} + arguments);
    // A read that waits for ever would stop here.
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return {-2, QString(), QStringLiteral("<quorvan did not finish>")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList TestCommandLineFiles::employeesOf(const QString &folder) const
{
    StoreError error;
    RecordView view(Database::open(folder, Schema::mainDatabase(), &error), QStringLiteral("SALARIE"));
    QStringList keys;
    for (StoreError moved = view.moveFirst(); !moved && !view.atEnd(); moved = view.moveNext())
        keys << view.fieldText(QStringLiteral("IDENTIFICATION"));
    return keys;
}

void TestCommandLineFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir().mkdir(m_dir.filePath(QStringLiteral("runtime"))));
    QVERIFY(QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_work = std::make_unique<QTemporaryDir>();
    m_demo = m_dir.filePath(QStringLiteral("demo"));
    QCOMPARE(quorvan({QStringLiteral("demo"), m_demo}).exitCode, 0);
}

void TestCommandLineFiles::init()
{
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_work->isValid());
}

// Saved pay slips are the record of past months.
void TestCommandLineFiles::savedSlipReplacedOnlyWithReplace()
{
    const QString saved = m_work->filePath("mars.rpt");
    const QString pdf = m_work->filePath("mars.pdf");
    writeFile(saved, "la fiche de mars");
    const QStringList payslip{"payslip", "--dir", m_demo, "--employee", Smic, "--rpt", saved, "--pdf", pdf};

    const Run refused = quorvan(payslip);
    QCOMPARE(refused.exitCode, 2);
    QCOMPARE(refused.err, "Le fichier « " + saved + " » existe déjà : une fiche de paie enregistrée n’est "
                          "remplacée qu’avec --replace.\n");
    QCOMPARE(refused.out, QString());
    QCOMPARE(contentOf(saved), QByteArray("la fiche de mars"));
    QVERIFY(!QFile::exists(pdf));

    const Run replaced = quorvan(payslip + QStringList{"--replace"});
    QCOMPARE(replaced.exitCode, 0);
    QVERIFY(contentOf(saved).contains("quorvan-report"));

    const Run fresh = quorvan({"payslip", "--dir", m_demo, "--employee", Smic, "--rpt", m_work->filePath("avril.rpt")});
    QCOMPARE(fresh.exitCode, 0);
    QVERIFY(contentOf(m_work->filePath("avril.rpt")).contains("quorvan-report"));

    const Run help = quorvan({"--help"});
    QVERIFY(help.out.contains("--replace"));
}

void TestCommandLineFiles::fullDiskExitsFourAndSaysWhy_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    const QString pdf = QStringLiteral("plein.pdf");
    const QString rpt = QStringLiteral("plein.rpt");
    QTest::newRow("payslip --pdf") << QStringList{"payslip", "--employee", Smic, "--pdf", pdf} << pdf
        << "Le document PDF « plein.pdf » n'a pas pu être écrit : le disque est plein";
    QTest::newRow("payslip --rpt") << QStringList{"payslip", "--employee", Smic, "--rpt", rpt} << rpt
        << "La fiche de paie « plein.rpt » n'a pas pu être enregistrée : le disque est plein";
    QTest::newRow("report --pdf") << QStringList{"report", "mars.rpt", "--pdf", pdf} << pdf
        << "Le document PDF « plein.pdf » n'a pas pu être écrit : le disque est plein";
}

// The disk takes 4 kB of the file and refuses the rest.
void TestCommandLineFiles::fullDiskExitsFourAndSaysWhy()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QString, message);
    copyFolder(m_demo, m_work->path());
    QCOMPARE(quorvan({"payslip", "--employee", Smic, "--rpt", "mars.rpt"}).exitCode, 0);
    const QStringList before = everyFile(m_work->path());

    const Run run = quorvan(arguments, QStringLiteral("trap '' XFSZ; ulimit -f 8"));
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(!run.out.contains("écrite en PDF"), qPrintable(run.out));
    QVERIFY(!QFile::exists(m_work->filePath(file)));
    QCOMPARE(everyFile(m_work->path()), before);
}

// A pay slip is personal, as PDF as much as saved.
void TestCommandLineFiles::outputsAreOwnerOnlyUnderUmaskZero()
{
    const QString pdf = m_work->filePath("mars.pdf");
    const QString saved = m_work->filePath("mars.rpt");
    const QString again = m_work->filePath("relu.pdf");
    QCOMPARE(quorvan({"payslip", "--dir", m_demo, "--employee", Smic, "--pdf", pdf, "--rpt", saved}, "umask 000").exitCode, 0);
    QCOMPARE(quorvan({"report", saved, "--pdf", again}, "umask 000").exitCode, 0);
    for (const QString &file : {pdf, saved, again})
        QCOMPARE(modeOf(file), mode_t(0600));
}

// A stored text may hold line breaks and backslashes: each entry stays on
// its one line, and a reader gets the text back exactly.
void TestCommandLineFiles::formulasKeepOneLineAnEntry()
{
    copyFolder(m_demo, m_work->path());
    const QString address = QStringLiteral("8, allée\ndes Peupliers \\ bis\r\n");
    const QString forged = QStringLiteral("AGFF'\n207\tNET='0,00");
    {
        StoreError error;
        RecordView view(Database::open(m_work->path(), Schema::mainDatabase(), &error), QStringLiteral("SALARIE"));
        QVERIFY(!view.findFirst(QStringLiteral("IDENTIFICATION"), Smic));
        view.setFieldText(QStringLiteral("ADRESSE"), address);
        view.setFieldText(QStringLiteral("PAR3"), forged);
        QVERIFY(!view.writeCurrent());
    }
    const Run run = quorvan({"payslip", "--employee", Smic, "--formulas"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.endsWith(u'\n'));
    const QStringList lines = run.out.chopped(1).split(u'\n');
    QCOMPARE(lines.size(), int(PayslipFormulaNames::all.size()));
    static const QRegularExpression form(QStringLiteral("^(\\d+)\t([A-Z0-9]+)='(.*)'$"));
    QHash<QString, QString> values;
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = form.match(lines.at(i));
        QVERIFY2(match.hasMatch(), qPrintable(lines.at(i)));
        QVERIFY(!lines.at(i).contains(u'\r'));
        QCOMPARE(match.captured(1).toInt(), int(PayslipFormulaNames::all.at(i).number));
        values.insert(match.captured(2), unescaped(match.captured(3)));
    }
    QVERIFY(lines.contains(QStringLiteral("13\tADRESALARIE='8, allée\\ndes Peupliers \\\\ bis\\r\\n'")));
    QCOMPARE(values.value("ADRESALARIE"), address);
    QCOMPARE(values.value("20"), forged);
    QVERIFY(values.value("NET") != QStringLiteral("0,00"));

    const Run help = quorvan({"--help"});
    QVERIFY2(help.out.contains(QStringLiteral("un saut de ligne \\n")), qPrintable(help.out));
    QVERIFY(help.out.contains(QStringLiteral("\\uXXXX")));
}

void TestCommandLineFiles::reportReadsOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    const QString notAFile = " » n'est pas un fichier ordinaire (c'est un dossier, un tube ou un périphérique) : "
                             "il n'est pas lu. (erreur 28613)\n";
    QTest::newRow("FIFO") << "tube.rpt" << "« tube.rpt" + notAFile;
    QTest::newRow("link to /dev/zero") << "zéro.rpt" << "« zéro.rpt" + notAFile;
    QTest::newRow("far too large") << "énorme.rpt"
        << "Le fichier « énorme.rpt » fait plus de 47 Mo, quand une fiche de paie ou une mise en page en fait moins "
           "de 4 : ce n'en est pas une, il n'est pas lu. (erreur 28612)\n";
}

// Neither a wait for a writer that never comes nor an endless read.
void TestCommandLineFiles::reportReadsOnlyRegularFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QCOMPARE(::mkfifo(QFile::encodeName(m_work->filePath("tube.rpt")).constData(), 0600), 0);
    QVERIFY(QFile::link("/dev/zero", m_work->filePath("zéro.rpt")));
    QFile huge(m_work->filePath("énorme.rpt"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(50'000'000));
    huge.close();

    const Run run = quorvan({"report", file, "--pdf", "sortie.pdf"});
    QCOMPARE(run.exitCode, 4);
    QCOMPARE(run.err, message);
    QVERIFY(!QFile::exists(m_work->filePath("sortie.pdf")));
}

void TestCommandLineFiles::fileNameIsNeverAPlaceholder()
{
    const Run run = quorvan({"report", "fiche %1 %2.rpt", "--pdf", "sortie.pdf"});
    QCOMPARE(run.exitCode, 4);
    QCOMPARE(run.err, QStringLiteral("Le fichier « fiche %1 %2.rpt » est introuvable. (erreur 28601)\n"));
}

// A run killed after the employer and the first employee were stored: the
// next run adds what is missing and keeps what is there.
void TestCommandLineFiles::demoFinishesAFolderLeftHalfWritten()
{
    const QString folder = m_work->filePath("demo");
    copyFolder(m_demo, folder);
    writeFile(QDir(folder).filePath(".quorvan-demo-en-cours"), "en cours");
    {
        auto database = Database::open(folder, Schema::mainDatabase(), nullptr);
        QVERIFY(database);
        QCOMPARE(sqlite3_exec(database->handle(), "DELETE FROM SALARIE WHERE rowid > 1", nullptr, nullptr, nullptr),
                 SQLITE_OK);
    }
    QCOMPARE(employeesOf(folder).size(), 1);
    const QByteArray employer = contentOf(QDir(folder).filePath("sterk.rkv"));

    const Run run = quorvan({"demo", folder});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(employeesOf(folder), employeesOf(m_demo));
    QCOMPARE(contentOf(QDir(folder).filePath("sterk.rkv")), employer);
    QCOMPARE(everyFile(folder), QStringList({"Bdrk.rkv", "sterk.rkv"}));

    // Finished, it is a folder with files like any other: refused.
    const Run again = quorvan({"demo", folder});
    QCOMPARE(again.exitCode, 2);
    QVERIFY2(again.err.contains("contient déjà le fichier Bdrk.rkv"), qPrintable(again.err));
    QCOMPARE(employeesOf(folder), employeesOf(m_demo));
}

// The whole run lasts a few tens of milliseconds: killed somewhere in it,
// whatever it had stored, the next run gives the whole folder.
void TestCommandLineFiles::demoKilledAtAnyMomentIsFinishedNextTime()
{
    constexpr int Kills = 12;
    int interrupted = 0;
    int halfWritten = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        const QString folder = m_work->filePath(QStringLiteral("demo%1").arg(kill));
        QProcess writer;
        writer.start(QStringLiteral(QUORVAN_EXECUTABLE), {QStringLiteral("demo"), folder});
        QVERIFY(writer.waitForStarted());
        QThread::usleep(QRandomGenerator::global()->bounded(0, 80000));
        writer.kill();
        QVERIFY(writer.waitForFinished());
        if (writer.exitStatus() == QProcess::NormalExit) {
            QCOMPARE(writer.exitCode(), 0);
        } else {
            ++interrupted;
            halfWritten += !everyFile(folder).isEmpty();
            // Killed after removing its marker, on its way out, the run had
            // finished: the folder is whole and a new run rightly refuses it.
            const bool finished = !QFileInfo::exists(folder + QStringLiteral("/.quorvan-demo-en-cours"))
                                  && QFileInfo::exists(folder + QStringLiteral("/Bdrk.rkv"));
            if (!finished) {
                const Run run = quorvan({"demo", folder});
                QVERIFY2(run.exitCode == 0, qPrintable(QStringLiteral("after kill %1: %2").arg(kill + 1).arg(run.err)));
            }
        }
        QCOMPARE(employeesOf(folder), employeesOf(m_demo));
        QCOMPARE(everyFile(folder), QStringList({"Bdrk.rkv", "sterk.rkv"}));
    }
    qInfo("%d of %d runs killed before their end, %d of them with files written", interrupted, Kills,
          halfWritten);
}

QTEST_GUILESS_MAIN(TestCommandLineFiles)
#include "tst_commandlinefiles.moc"
