#include "payruntestsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace PayRunTestSupport;

// `quorvan payrun`, the program itself run on a demonstration folder: its
// exit status for every kind of outcome (0 all computed, 2 bad arguments or
// files, 3 rows refused while the others compute, 4 an output not written),
// the slips it saves as « Enregistrer » does and never over a saved period
// without --replace, its JSON, and the history's figures carried over unless
// the file of --inputs gives them.
class TestPayRunCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void exitStatus_data();
    void exitStatus();
    void savedPeriodIsReplacedOnlyWithReplace();
    void jsonGivesEachSheetAsPayslipDoes();
    void historyCarriesOverUnlessTheFileSaysOtherwise();
    void folderWithoutEmployeeFileGetsNoFile();
    void helpDescribesTheCommand();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Run quorvan(const QStringList &arguments) const;
    QString writeCsv(const QByteArray &content) const;
    QStringList march() const
    {
        return {QStringLiteral("payrun"), QStringLiteral("--period-start"), QStringLiteral("01/03/2001"),
                QStringLiteral("--period-end"), QStringLiteral("31/03/2001")};
    }
    QStringList slips() const
    {
        return QDir(m_dir->path()).entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPayRunCommand::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(writeDemo(m_dir->path()));
}

TestPayRunCommand::Run TestPayRunCommand::quorvan(const QStringList &arguments) const
{
    QProcess process;
    process.setWorkingDirectory(m_dir->path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir->path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUORVAN_EXECUTABLE), arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {-2, QString(), QStringLiteral("<quorvan did not finish>")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QString TestPayRunCommand::writeCsv(const QByteArray &content) const
{
    const QString path = QDir(m_dir->path()).filePath(QStringLiteral("mois.csv"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

void TestPayRunCommand::exitStatus_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("csv");     // written as mois.csv when given
    QTest::addColumn<QString>("refusedRate"); // D’ALMEIDA's hourly rate, when set
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");      // in the messages, or on the output for 0
    QTest::addColumn<int>("saved");         // slips in the folder afterwards

    QTest::newRow("all computed") << QStringList() << QByteArray() << "" << 0
                                  << "Total (3 calculée(s), 0 refusée(s))" << 0;
    QTest::newRow("figures of a file") << QStringList{QStringLiteral("--inputs"), QStringLiteral("mois.csv")}
                                       << QByteArray("employee;bonus\nMOREAU , CÉLINE;500\n") << "" << 0
                                       << "MOREAU , CÉLINE" << 0;
    QTest::newRow("saved") << QStringList{QStringLiteral("--save")} << QByteArray() << "" << 0
                           << "enregistrée : 2001-03 MOREAU CÉLINE.rpt" << 3;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--month"), QStringLiteral("3")} << QByteArray() << ""
                                    << 2 << "option inconnue : --month ; quorvan --help donne la liste" << 0;
    QTest::newRow("word left over") << QStringList{QStringLiteral("mars")} << QByteArray() << "" << 2
                                    << "Argument inattendu : « mars »." << 0;
    QTest::newRow("replace without save") << QStringList{QStringLiteral("--replace")} << QByteArray() << "" << 2
                                          << "--replace ne sert qu’avec --save." << 0;
    QTest::newRow("folder without the file") << QStringList{QStringLiteral("--dir"), QStringLiteral("/nonexistent")}
                                             << QByteArray() << "" << 2 << "ne contient pas le fichier Bdrk.rkv" << 0;
    QTest::newRow("unknown employee in the file")
        << QStringList{QStringLiteral("--inputs"), QStringLiteral("mois.csv"), QStringLiteral("--save")}
        << QByteArray("employee;bonus\nMOREAU , CÉLINE;500\nDUPONT , JEAN;1\n") << "" << 2
        << "Ligne 3 : salarié inconnu « DUPONT , JEAN »." << 0;
    QTest::newRow("not a number in the file")
        << QStringList{QStringLiteral("--inputs"), QStringLiteral("mois.csv")}
        << QByteArray("employee;advance\nLAMBERT , ÉLISE;1.000\n") << "" << 2
        << "Ligne 2, colonne advance : « 1.000 » n’est pas un nombre" << 0;
    QTest::newRow("file missing") << QStringList{QStringLiteral("--inputs"), QStringLiteral("absent.csv")}
                                  << QByteArray() << "" << 2 << "Le fichier « absent.csv » est introuvable." << 0;
    QTest::newRow("row refused") << QStringList() << QByteArray() << "dix" << 3
                                 << "D’ALMEIDA , JOSÉ : Le taux horaire de l’employé n’est pas un nombre." << 0;
    QTest::newRow("row refused, the others saved") << QStringList{QStringLiteral("--save")} << QByteArray() << "dix"
                                                   << 3 << "D’ALMEIDA , JOSÉ" << 2;
    QTest::newRow("PDF not written") << QStringList{QStringLiteral("--pdf"), QStringLiteral("/nonexistent/mars.pdf")}
                                     << QByteArray() << "" << 4 << "mars.pdf" << 0;
}

void TestPayRunCommand::exitStatus()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, csv);
    QFETCH(QString, refusedRate);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(int, saved);
    if (!csv.isEmpty())
        writeCsv(csv);
    if (!refusedRate.isEmpty())
        QVERIFY(setEmployeeField(m_dir->path(), Almeida, QStringLiteral("TAUXHORAIRE"), refusedRate));
    const Run run = quorvan(march() + options);
    QCOMPARE(run.exitCode, status);
    const QString text = status == 0 ? run.out : run.err;
    QVERIFY2(text.contains(said), qPrintable(run.out + run.err));
    QCOMPARE(slips().size(), saved);
}

void TestPayRunCommand::savedPeriodIsReplacedOnlyWithReplace()
{
    QCOMPARE(quorvan(march() + QStringList{QStringLiteral("--save")}).exitCode, 0);
    QCOMPARE(slips(), (QStringList{QStringLiteral("2001-03 D’ALMEIDA JOSÉ.rpt"), QStringLiteral("2001-03 LAMBERT ÉLISE.rpt"),
                                   QStringLiteral("2001-03 MOREAU CÉLINE.rpt")}));
    QFile moreau(QDir(m_dir->path()).filePath(QStringLiteral("2001-03 MOREAU CÉLINE.rpt")));
    QVERIFY(moreau.open(QIODevice::ReadOnly));
    const QByteArray first = moreau.readAll();
    moreau.close();

    writeCsv("employee;bonus\nMOREAU , CÉLINE;900\n");
    const QStringList again = march() + QStringList{QStringLiteral("--inputs"), QStringLiteral("mois.csv"),
                                                    QStringLiteral("--save")};
    const Run refused = quorvan(again);
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.contains(QStringLiteral("MOREAU , CÉLINE (« 2001-03 MOREAU CÉLINE.rpt »)")), qPrintable(refused.err));
    QVERIFY(refused.err.contains(QStringLiteral("Ajoutez --replace pour les remplacer.")));
    QVERIFY(moreau.open(QIODevice::ReadOnly));
    QCOMPARE(moreau.readAll(), first);
    moreau.close();

    const Run replaced = quorvan(again + QStringList{QStringLiteral("--replace")});
    QCOMPARE(replaced.exitCode, 0);
    QVERIFY(moreau.open(QIODevice::ReadOnly));
    QVERIFY(moreau.readAll() != first);
    QCOMPARE(slips().size(), 3);

    // A slip that cannot be written: status 4, the message says why.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("2001-04 MOREAU CÉLINE.rpt")));
    const Run unwritable = quorvan({QStringLiteral("payrun"), QStringLiteral("--period-start"), QStringLiteral("01/04/2001"),
                                    QStringLiteral("--period-end"), QStringLiteral("30/04/2001"), QStringLiteral("--save")});
    QCOMPARE(unwritable.exitCode, 4);
    QVERIFY2(unwritable.err.contains(QStringLiteral("2001-04 MOREAU CÉLINE.rpt")), qPrintable(unwritable.err));
}

void TestPayRunCommand::jsonGivesEachSheetAsPayslipDoes()
{
    const Run run = quorvan(march() + QStringList{QStringLiteral("--json")});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(json.value(QStringLiteral("period_start")).toString(), QStringLiteral("2001-03-01"));
    const QJsonArray employees = json.value(QStringLiteral("employees")).toArray();
    QCOMPARE(employees.size(), 3);
    const QJsonObject moreau = employees.at(0).toObject();
    QCOMPARE(moreau.value(QStringLiteral("employee")).toString(), Moreau);
    QCOMPARE(moreau.value(QStringLiteral("carry_over")).toObject().value(QStringLiteral("source")).toString(),
             QStringLiteral("aucune fiche précédente"));

    const Run payslip = quorvan({QStringLiteral("payslip"), QStringLiteral("--employee"), Moreau, QStringLiteral("--json"),
                                 QStringLiteral("--period-start"), QStringLiteral("01/03/2001"),
                                 QStringLiteral("--period-end"), QStringLiteral("31/03/2001")});
    QCOMPARE(payslip.exitCode, 0);
    const QJsonObject sheet = QJsonDocument::fromJson(payslip.out.toUtf8()).object();
    QCOMPARE(moreau.value(QStringLiteral("sheet")).toObject(), sheet);
    QCOMPARE(json.value(QStringLiteral("totals")).toObject().value(QStringLiteral("computed")).toInt(), 3);
}

void TestPayRunCommand::historyCarriesOverUnlessTheFileSaysOtherwise()
{
    writeCsv("employee;complementary-hours;leave-hours\nMOREAU , CÉLINE;10;7\n");
    QCOMPARE(quorvan(march() + QStringList{QStringLiteral("--inputs"), QStringLiteral("mois.csv"), QStringLiteral("--save"),
                                           QStringLiteral("--json")}).exitCode, 0);
    const QStringList april{QStringLiteral("payrun"), QStringLiteral("--period-start"), QStringLiteral("01/04/2001"),
                            QStringLiteral("--period-end"), QStringLiteral("30/04/2001"), QStringLiteral("--json")};
    const Run carried = quorvan(april);
    QCOMPARE(carried.exitCode, 0);
    const QJsonObject moreau = QJsonDocument::fromJson(carried.out.toUtf8()).object()
                                   .value(QStringLiteral("employees")).toArray().at(0).toObject();
    const QJsonObject carry = moreau.value(QStringLiteral("carry_over")).toObject();
    QVERIFY(carry.value(QStringLiteral("found")).toBool());
    QCOMPARE(carry.value(QStringLiteral("source")).toString(),
             QStringLiteral("« 2001-03 MOREAU CÉLINE.rpt » (du 01/03/2001 au 31/03/2001)"));
    QCOMPARE(moreau.value(QStringLiteral("sheet")).toObject().value(QStringLiteral("previous_cumulative_gross")).toString(),
             carry.value(QStringLiteral("previous_cumulative_gross")).toString());
    QVERIFY(!carry.value(QStringLiteral("previous_cumulative_gross")).toString().isEmpty());

    writeCsv("employee;previous-cumulative-gross\nMOREAU , CÉLINE;1000\n");
    const Run overridden = quorvan(april + QStringList{QStringLiteral("--inputs"), QStringLiteral("mois.csv")});
    QCOMPARE(overridden.exitCode, 0);
    const QJsonObject sheet = QJsonDocument::fromJson(overridden.out.toUtf8()).object()
                                  .value(QStringLiteral("employees")).toArray().at(0).toObject()
                                  .value(QStringLiteral("sheet")).toObject();
    QCOMPARE(sheet.value(QStringLiteral("previous_cumulative_gross")).toString(), QStringLiteral("1000"));
}

void TestPayRunCommand::folderWithoutEmployeeFileGetsNoFile()
{
    QTemporaryDir empty;
    const Run run = quorvan(march() + QStringList{QStringLiteral("--dir"), empty.path(), QStringLiteral("--save")});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(QDir(empty.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

void TestPayRunCommand::helpDescribesTheCommand()
{
    const Run help = quorvan({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *expected : {"quorvan payrun [OPTIONS]", "Options de « quorvan payrun »", "--inputs FICHIER",
                                 "--save", "--replace", "--pdf FICHIER", "--json",
                                 "Codes de sortie de « quorvan payrun »"})
        QVERIFY2(help.out.contains(QString::fromUtf8(expected)), expected);
}

QTEST_GUILESS_MAIN(TestPayRunCommand)
#include "tst_payruncommand.moc"
