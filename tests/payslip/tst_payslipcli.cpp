#include "database.h"
#include "payslipformulanames.h"
#include "recordview.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The program itself on the command line: `quorvan demo`, `quorvan payslip`
// with its exit codes and its JSON, `quorvan --help`, `quorvan --version`,
// and the words every command refuses.
class TestPayslipCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();
    void jsonPaySheet();
    void formulas();
    void pdfAndSavedPayslip();
    void reportRefusals_data();
    void reportRefusals();
    void summaryInTheWorkingDirectory();
    void help();
    void version();
    void refusedWords_data();
    void refusedWords();
    void demoRefusesAFolderWithFiles();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Run quorvan(const QStringList &arguments, const QString &workingDirectory = QString()) const;

    QTemporaryDir m_dir;
    QString m_demo;
    QString m_badParameters; // a demo whose HEURSUP1 is empty
    QString m_noEmployer;    // a demo's Bdrk.rkv without sterk.rkv
    QString m_damagedLayout; // a demo with a damaged rkv.rpl of its own
};

namespace {

const QString Smic = QStringLiteral("MOREAU , CÉLINE");

} // namespace

TestPayslipCli::Run TestPayslipCli::quorvan(const QStringList &arguments,
                                            const QString &workingDirectory) const
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory.isEmpty() ? m_dir.path() : workingDirectory);
    process.start(QStringLiteral(QUORVAN_EXECUTABLE), arguments);
    if (!process.waitForFinished(30000))
        qFatal("quorvan did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void TestPayslipCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_demo = m_dir.filePath(QStringLiteral("demo"));
    m_badParameters = m_dir.filePath(QStringLiteral("bad"));
    for (const QString &folder : {m_demo, m_badParameters}) {
        const Run demo = quorvan({QStringLiteral("demo"), folder});
        QCOMPARE(demo.exitCode, 0);
        QVERIFY(demo.out.contains(Smic));
    }
    StoreError error;
    RecordView parameters(Database::open(m_badParameters, Schema::mainDatabase(), &error),
                          QStringLiteral("PARMETRE"));
    parameters.setFieldText(QStringLiteral("HEURSUP1"), QString());
    QVERIFY(!parameters.writeCurrent());

    m_noEmployer = m_dir.filePath(QStringLiteral("noemployer"));
    QVERIFY(QDir().mkpath(m_noEmployer));
    QVERIFY(QFile::copy(QDir(m_demo).filePath(QStringLiteral("Bdrk.rkv")),
                        QDir(m_noEmployer).filePath(QStringLiteral("Bdrk.rkv"))));

    m_damagedLayout = m_dir.filePath(QStringLiteral("damaged"));
    QCOMPARE(quorvan({QStringLiteral("demo"), m_damagedLayout}).exitCode, 0);
    QFile layout(QDir(m_damagedLayout).filePath(QStringLiteral("rkv.rpl")));
    QVERIFY(layout.open(QIODevice::WriteOnly));
    layout.write("{ \"format\": ");
}

void TestPayslipCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const auto payslip = [](const QStringList &more) {
        return QStringList{QStringLiteral("payslip"), QStringLiteral("--employee"), Smic} + more;
    };
    QTest::newRow("calculated") << payslip({"--complementary-hours", "10,5", "--bonus", "150"}) << 0
                                << QString();
    QTest::newRow("dates") << payslip({"--period-start", "1/3/2001", "--period-end", "31/03/2001"})
                           << 0 << QString();
    QTest::newRow("unknown employee") << QStringList{"payslip", "--employee", "DUPONT , JEAN"} << 2
                                      << "« DUPONT , JEAN »";
    QTest::newRow("no employee") << QStringList{"payslip"} << 2 << "--employee";
    QTest::newRow("decimal point") << payslip({"--bonus", "12.5"}) << 2 << "--bonus";
    QTest::newRow("minus sign") << payslip({"--advance", "-5"}) << 2 << "--advance";
    QTest::newRow("two commas") << payslip({"--absence-hours", "1,2,3"}) << 2 << "--absence-hours";
    QTest::newRow("unknown option") << payslip({"--overtime", "3"}) << 2 << "--overtime";
    QTest::newRow("missing value") << payslip({"--leave-hours"}) << 2 << "--leave-hours";
    QTest::newRow("date with dashes") << payslip({"--period-start", "2001-03-01"}) << 2
                                      << "--period-start";
    QTest::newRow("stray word") << payslip({"now"}) << 2 << "now";
    QTest::newRow("folder without files") << QStringList{"payslip", "--dir", ".", "--employee", Smic}
                                          << 2 << "Bdrk.rkv";
    // A lone comma passes the keys of the field but is no number.
    QTest::newRow("lone comma") << payslip({"--bonus", ","}) << 3 << "« Prime »";
    QTest::newRow("json and formulas") << payslip({"--json", "--formulas"}) << 2 << "--formulas";
    const QString missing = m_dir.filePath(QStringLiteral("missing/fiche"));
    QTest::newRow("PDF into no folder") << payslip({"--pdf", missing + ".pdf"}) << 4 << "28610";
    QTest::newRow("saved into no folder") << payslip({"--rpt", missing + ".rpt"}) << 4 << "28607";
    // The working folder's own layout is the one used.
    QTest::newRow("damaged layout")
        << QStringList{"payslip", "--dir", m_damagedLayout, "--employee", Smic, "--pdf", "fiche.pdf"}
        << 4 << "rkv.rpl";
    QTest::newRow("formulas without the employer")
        << QStringList{"payslip", "--dir", m_noEmployer, "--employee", Smic, "--formulas"} << 2
        << "sterk.rkv";
}

void TestPayslipCli::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    if (!arguments.contains(QLatin1String("--dir")))
        arguments = arguments.mid(0, 1) + QStringList{QStringLiteral("--dir"), m_demo} + arguments.mid(1);
    const Run run = quorvan(arguments);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 0) {
        QCOMPARE(run.err, QString());
        QVERIFY(run.out.contains(QStringLiteral("Net à Payer")));
    } else {
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
}

void TestPayslipCli::jsonPaySheet()
{
    const Run run = quorvan({"payslip", "--dir", m_demo, "--employee", Smic,
                             "--complementary-hours", "10", "--json"});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &parseError);
    QCOMPARE(parseError.error, QJsonParseError::NoError);
    QVERIFY(document.isObject());
    const QJsonObject sheet = document.object();

    for (const char *key : {"absence_hours", "complementary_hours", "period_start_day",
                            "previous_cumulative_gross", "employee_name", "band1_percent",
                            "leave_accrual_rate", "base_salary", "base_salary_euro",
                            "plain_comp_hours", "band1_amount_euro", "band2_amount_euro",
                            "leave_amount_euro", "commission_amount_euro", "absence_amount_euro",
                            "period_end_text", "hours_worked", "leave_basis_hours",
                            "leave_balance", "gross_pay", "gross_pay_euro", "csg_rds_employer",
                            "csg_deductible_employee", "sickness_employer", "param3_employee",
                            "csg_base", "employer_total_euro", "employee_total_euro",
                            "net_salary", "net_to_pay_euro", "taxable_net_euro",
                            "cumulative_taxable_euro", "cumulative_gross"}) {
        QVERIFY2(sheet.value(QLatin1String(key)).isString(), key);
    }
    for (auto it = sheet.constBegin(); it != sheet.constEnd(); ++it)
        QVERIFY2(it.value().isString() || it.value().isArray(), qPrintable(it.key()));
    QCOMPARE(sheet.value("rate_copy").toArray().size(), 40);
    QCOMPARE(sheet.value("rate_copy").toArray().at(5).toString(), QStringLiteral("0,75"));
    QCOMPARE(sheet.value("base_copy").toArray().size(), 5);
    QCOMPARE(sheet.value("base_copy").toArray().at(4).toString(), QStringLiteral("80,0"));

    // 10 hours in band 1 at 54,65: 7 388,68 + 546,50.
    QCOMPARE(sheet.value("band1_hours").toString(), QStringLiteral("10"));
    QCOMPARE(sheet.value("gross_pay").toString(), QString::fromUtf8("7\u202F935,18"));
    QCOMPARE(sheet.value("cumulative_gross_formula").toString(),
             QString::fromUtf8("CUM='7\u202F935,18'"));
}

// The pay slip's formulas in hand-over order: number, tab, NAME='value'.
void TestPayslipCli::formulas()
{
    const Run run = quorvan({"payslip", "--dir", m_demo, "--employee", Smic,
                             "--complementary-hours", "10", "--formulas"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QVERIFY(run.out.endsWith(u'\n'));
    const QStringList lines = run.out.chopped(1).split(u'\n');
    QCOMPARE(lines.size(), int(PayslipFormulaNames::all.size()));
    static const QRegularExpression form(QStringLiteral("^(\\d+)\t([A-Z0-9]+)='(.*)'$"));
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = form.match(lines.at(i));
        QVERIFY2(match.hasMatch(), qPrintable(lines.at(i)));
        QCOMPARE(match.captured(1).toInt(), int(PayslipFormulaNames::all.at(i).number));
        QCOMPARE(match.captured(2), QString::fromLatin1(PayslipFormulaNames::all.at(i).name));
    }
    for (const QString &line : {QStringLiteral("888\tCUM='7\u202F935,18'"),
                                QStringLiteral("212\tTAUXINTER=' '"),
                                QStringLiteral("2208\tBHS='10'"),
                                QStringLiteral("1\tNOMEMPLOYEUR='SARL BOULANGERIE DES TILLEULS'"),
                                QStringLiteral("120\t20='AGFF'")})
        QVERIFY2(lines.contains(line), qPrintable(line));
    // No bonus typed: its line, the last, prints nothing.
    QCOMPARE(lines.constLast(), QStringLiteral("3001\tPRIME=''"));

    const Run bonus = quorvan({"payslip", "--dir", m_demo, "--employee", Smic, "--bonus", "500",
                               "--formulas"});
    QCOMPARE(bonus.exitCode, 0);
    QCOMPARE(bonus.out.chopped(1).split(u'\n').constLast(), QStringLiteral("3001\tPRIME='500,00'"));
}

QByteArray fileStart(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray();
}

// The pay slip as PDF and saved; the saved pay slip holds every formula as
// handed over and renders again as PDF.
void TestPayslipCli::pdfAndSavedPayslip()
{
    const QString pdf = m_dir.filePath(QStringLiteral("mars.pdf"));
    const QString saved = m_dir.filePath(QStringLiteral("mars.rpt"));
    const Run run = quorvan({"payslip", "--dir", m_demo, "--employee", Smic, "--advance", "1000",
                             "--formulas", "--pdf", pdf, "--rpt", saved});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(fileStart(pdf), QByteArray("%PDF-"));

    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject document = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(document.value("format").toString(), QStringLiteral("quorvan-report"));
    QHash<QString, QString> values;
    for (const QJsonValue &formula : document.value("formulas").toArray())
        values.insert(formula["name"].toString(), formula["value"].toString());
    const QStringList lines = run.out.chopped(1).split(u'\n');
    QCOMPARE(lines.size(), int(PayslipFormulaNames::all.size()));
    for (const QString &line : lines) {
        const QString text = line.section(u'\t', 1);
        const QString name = text.section(QStringLiteral("='"), 0, 0);
        QCOMPARE(values.value(name, QStringLiteral("<absent>")), text.mid(name.size() + 2).chopped(1));
    }
    QCOMPARE(values.value("ACOMPTE"), QStringLiteral("1\u202F000,00"));

    const QString again = m_dir.filePath(QStringLiteral("mars-relu.pdf"));
    const Run report = quorvan({"report", saved, "--pdf", again});
    QCOMPARE(report.exitCode, 0);
    QVERIFY(report.out.contains(QLatin1String("mars-relu.pdf")));
    QCOMPARE(fileStart(again), QByteArray("%PDF-"));
}

void TestPayslipCli::reportRefusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString damaged = QDir(m_damagedLayout).filePath(QStringLiteral("rkv.rpl"));
    const QString pdf = m_dir.filePath(QStringLiteral("refused.pdf"));
    QTest::newRow("missing file") << QStringList{"report", "absent.rpt", "--pdf", pdf} << 4
                                  << "« absent.rpt » est introuvable. (erreur 28601)";
    QTest::newRow("damaged file") << QStringList{"report", damaged, "--pdf", pdf} << 4 << "28602";
    QTest::newRow("no PDF named") << QStringList{"report", "mars.rpt"} << 2 << "--pdf";
    QTest::newRow("two files") << QStringList{"report", "a.rpt", "b.rpt", "--pdf", pdf} << 2 << "--pdf";
    QTest::newRow("unknown option") << QStringList{"report", "a.rpt", "--png", pdf} << 2 << "--png";
}

void TestPayslipCli::reportRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = quorvan(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("refused.pdf"))));
}

// Without --dir the files of the working directory are used; a parameter
// that is not a number is refused with the parameter named.
void TestPayslipCli::summaryInTheWorkingDirectory()
{
    const Run run = quorvan({"payslip", "--employee", Smic}, m_demo);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains(QStringLiteral("Fiche de paie de MOREAU")));
    QVERIFY(run.out.contains(QStringLiteral("Salaire Brut")));

    const Run refused = quorvan({"payslip", "--employee", Smic}, m_badParameters);
    QCOMPARE(refused.exitCode, 3);
    QVERIFY2(refused.err.contains(QLatin1String("(HEURSUP1) est vide")), qPrintable(refused.err));
    QCOMPARE(refused.out, QString());
}

void TestPayslipCli::help()
{
    for (const QStringList &arguments : {QStringList{"--help"}, QStringList{"payslip", "--help"}}) {
        const Run run = quorvan(arguments);
        QCOMPARE(run.exitCode, 0);
        for (const char *text : {"quorvan payslip", "quorvan demo DOSSIER", "--employee",
                                 "--previous-cumulative-gross", "--period-end JJ/MM/AAAA", "--formulas",
                                 "--pdf FICHIER", "--rpt FICHIER", "quorvan report FICHIER.rpt",
                                 "quorvan --version", "Codes de sortie"})
            QVERIFY2(run.out.contains(QLatin1String(text)), text);
    }
}

void TestPayslipCli::version()
{
    const Run run = quorvan({QStringLiteral("--version")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("Quorvan %1\n").arg(QStringLiteral(QUORVAN_PROJECT_VERSION)));
    QCOMPARE(run.err, QString());
    QCOMPARE(QStringLiteral(QUORVAN_PROJECT_VERSION), QStringLiteral("1.0.0"));
}

// A word beginning with "-" that no command knows is refused with exit 2,
// before anything is written: never a folder named after it, never a window.
void TestPayslipCli::refusedWords_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const QString unknownX = QStringLiteral("option inconnue : --x ; quorvan --help donne la liste");
    QTest::newRow("long option") << QStringList{"--x"} << unknownX;
    QTest::newRow("short option") << QStringList{"-x"}
                                  << "option inconnue : -x ; quorvan --help donne la liste";
    QTest::newRow("misspelt --version") << QStringList{"--versio"}
                                        << "option inconnue : --versio ; quorvan --help donne la liste";
    QTest::newRow("lone dash") << QStringList{"-"} << "option inconnue : - ;";
    QTest::newRow("option after the folder") << QStringList{"dossier", "--x"} << unknownX;
    QTest::newRow("option before the folder") << QStringList{"--x", "dossier"} << unknownX;
    // The toolkit's own options pass, with their value; what follows is read.
    QTest::newRow("after a toolkit option") << QStringList{"-platform", "offscreen", "--x"} << unknownX;
    QTest::newRow("toolkit option without value") << QStringList{"dossier", "-style"}
                                                  << "l’option -style attend une valeur";
    QTest::newRow("two folders") << QStringList{"un", "deux"}
                                 << "un seul dossier de travail à la fois (« un », « deux »)";
    QTest::newRow("after demo") << QStringList{"demo", "--x"} << unknownX;
    QTest::newRow("after the demo folder") << QStringList{"demo", "dossier", "--force"}
                                           << "option inconnue : --force ;";
    QTest::newRow("after payslip") << QStringList{"payslip", "--x"} << unknownX;
    QTest::newRow("short after payslip") << QStringList{"payslip", "-x"}
                                         << "option inconnue : -x ; quorvan --help donne la liste";
    QTest::newRow("several after payslip")
        << QStringList{"payslip", "--x=3", "-y"} << "options inconnues : --x, -y ; quorvan --help donne la liste";
    QTest::newRow("after report") << QStringList{"report", "a.rpt", "--x", "--pdf", "a.pdf"} << unknownX;
}

void TestPayslipCli::refusedWords()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir workingDirectory;
    QVERIFY(workingDirectory.isValid());
    const Run run = quorvan(arguments, workingDirectory.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QCOMPARE(QDir(workingDirectory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

void TestPayslipCli::demoRefusesAFolderWithFiles()
{
    const Run again = quorvan({"demo", m_demo});
    QCOMPARE(again.exitCode, 2);
    QVERIFY(again.err.contains(QLatin1String("Bdrk.rkv")));
    QCOMPARE(quorvan({"demo"}).exitCode, 2);
}

QTEST_GUILESS_MAIN(TestPayslipCli)
#include "tst_payslipcli.moc"
