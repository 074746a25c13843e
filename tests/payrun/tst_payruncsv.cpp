#include "payrun.h"
#include "payrunhistory.h"
#include "payruncsv.h"
#include "payruntestsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace PayRunTestSupport;

// The month's figures read from a CSV file: semicolons, decimal comma,
// UTF-8 with or without BOM, columns named by the options of `quorvan
// payslip` in any order, employees designated as --employee does. A file
// with any problem is refused whole, every problem listed, and nothing of
// it reaches the pay run.
class TestPayRunCsv : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void acceptedFile_data();
    void acceptedFile();
    void refusedFile_data();
    void refusedFile();
    void refusedFileChangesNothing();
    void everyProblemIsListed();
    void readFileRefusesWhatIsNoFile();

private:
    QTemporaryDir m_dir;
    std::optional<PayRun> m_run;
};

void TestPayRunCsv::initTestCase()
{
    QVERIFY(writeDemo(m_dir.path()));
}

void TestPayRunCsv::init()
{
    auto opened = PayRun::open(m_dir.path(), PayRunPeriod::month(2001, 3), PayRunHistory(m_dir.path()));
    QVERIFY(std::holds_alternative<PayRun>(opened));
    m_run = std::get<PayRun>(opened);
    m_run->setFigure(2, PayRunFigures::Bonus, QStringLiteral("250"));
}

void TestPayRunCsv::acceptedFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("figure");
    QTest::addColumn<QString>("text");
    const QByteArray bom("\xEF\xBB\xBF");
    QTest::newRow("plain") << QByteArray("employee;complementary-hours\nMOREAU , CÉLINE;10,5\n") << 0
                           << int(PayRunFigures::ComplementaryHours) << "10,5";
    QTest::newRow("with BOM") << bom + "employee;bonus\nMOREAU , CÉLINE;500\n" << 0 << int(PayRunFigures::Bonus)
                              << "500";
    QTest::newRow("CRLF lines") << QByteArray("employee;advance\r\nLAMBERT , ÉLISE;1000\r\n") << 2
                                << int(PayRunFigures::Advance) << "1000";
    QTest::newRow("columns in any order") << QByteArray("leave-hours;employee\n7;D’ALMEIDA , JOSÉ\n") << 1
                                          << int(PayRunFigures::LeaveHours) << "7";
    QTest::newRow("employee as typed") << QByteArray("employee;absence-hours\nd'almeida , josé;3\n") << 1
                                       << int(PayRunFigures::AbsenceHours) << "3";
    QTest::newRow("quoted cells") << QByteArray("\"employee\";\"commission-rate\"\n\"LAMBERT , ÉLISE\";\"2,5\"\n") << 2
                                  << int(PayRunFigures::CommissionRate) << "2,5";
    QTest::newRow("spaces around a value") << QByteArray("employee;commission-base\nMOREAU , CÉLINE; 12000 \n") << 0
                                           << int(PayRunFigures::CommissionBase) << "12000";
    QTest::newRow("empty cell empties the field") << QByteArray("employee;bonus\nLAMBERT , ÉLISE;\n") << 2
                                                  << int(PayRunFigures::Bonus) << "";
    QTest::newRow("carried figure overridden") << QByteArray("employee;previous-cumulative-gross\nMOREAU , CÉLINE;14777,36\n")
                                               << 0 << int(PayRunFigures::PreviousCumulativeGross) << "14777,36";
    QTest::newRow("blank lines skipped") << QByteArray("\nemployee;bonus\n\n;\nMOREAU , CÉLINE;1\n\n") << 0
                                         << int(PayRunFigures::Bonus) << "1";
    QTest::newRow("no last line break") << QByteArray("employee;bonus\nMOREAU , CÉLINE;2") << 0
                                        << int(PayRunFigures::Bonus) << "2";
}

void TestPayRunCsv::acceptedFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, row);
    QFETCH(int, figure);
    QFETCH(QString, text);
    const auto read = PayRunCsv::read(content, *m_run);
    QVERIFY2(std::holds_alternative<PayRunCsv::Import>(read),
             qPrintable(std::holds_alternative<QStringList>(read) ? std::get<QStringList>(read).join(u'\n') : QString()));
    PayRunCsv::apply(std::get<PayRunCsv::Import>(read), *m_run);
    QCOMPARE(m_run->row(row).figures[figure], text);
    // The rows the file does not name keep what they had.
    if (row != 2)
        QCOMPARE(m_run->row(2).figures[PayRunFigures::Bonus], QStringLiteral("250"));
}

void TestPayRunCsv::refusedFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("unknown employee") << QByteArray("employee;bonus\nDUPONT , JEAN;500\n")
                                      << "Ligne 2 : salarié inconnu « DUPONT , JEAN ».";
    QTest::newRow("no employee given") << QByteArray("employee;bonus\n;500\n") << "Ligne 2 : aucun salarié n’est indiqué.";
    QTest::newRow("point for a comma") << QByteArray("employee;bonus\nMOREAU , CÉLINE;12.5\n")
                                       << "Ligne 2, colonne bonus : « 12.5 » n’est pas un nombre";
    QTest::newRow("letters") << QByteArray("employee;absence-hours\nMOREAU , CÉLINE;trois\n")
                             << "Ligne 2, colonne absence-hours : « trois » n’est pas un nombre";
    QTest::newRow("grouped thousands") << QByteArray("employee;advance\nMOREAU , CÉLINE;1 000\n")
                                       << "« 1 000 » n’est pas un nombre";
    QTest::newRow("minus sign") << QByteArray("employee;advance\nMOREAU , CÉLINE;-5\n") << "« -5 » n’est pas un nombre";
    QTest::newRow("comma alone") << QByteArray("employee;advance\nMOREAU , CÉLINE;,\n") << "« , » n’est pas un nombre";
    QTest::newRow("no employee column") << QByteArray("bonus;advance\n500;100\n")
                                        << "Ligne 1 : aucune colonne « employee »";
    QTest::newRow("unknown column") << QByteArray("employee;prime\nMOREAU , CÉLINE;500\n")
                                    << "Ligne 1 : la colonne « prime » est inconnue.";
    QTest::newRow("option with its dashes") << QByteArray("employee;--bonus\nMOREAU , CÉLINE;500\n")
                                            << "la colonne « --bonus » est inconnue";
    QTest::newRow("column named twice") << QByteArray("employee;bonus;bonus\nMOREAU , CÉLINE;1;2\n")
                                        << "Ligne 1 : la colonne « bonus » est nommée deux fois.";
    QTest::newRow("column without a name") << QByteArray("employee;;bonus\nMOREAU , CÉLINE;1;2\n")
                                           << "Ligne 1 : la colonne 2 n’a pas de nom.";
    QTest::newRow("commas between columns") << QByteArray("employee,bonus\nMOREAU,500\n")
                                            << "séparées par des virgules";
    QTest::newRow("too few cells") << QByteArray("employee;bonus;advance\nMOREAU , CÉLINE;500\n")
                                   << "Ligne 2 : 2 cellules au lieu des 3 de la ligne d’en-tête.";
    QTest::newRow("employee twice") << QByteArray("employee;bonus\nMOREAU , CÉLINE;1\nmoreau , céline;2\n")
                                    << "Ligne 3 : MOREAU , CÉLINE figure déjà à la ligne 2.";
    QTest::newRow("empty file") << QByteArray() << "Le fichier est vide";
    QTest::newRow("only a BOM") << QByteArray("\xEF\xBB\xBF\n") << "Le fichier est vide";
    QTest::newRow("not UTF-8") << QByteArray("employee;bonus\nMOREAU , C\xC9LINE;500\n")
                               << "n’est pas écrit en UTF-8";
}

void TestPayRunCsv::refusedFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, refusal);
    const auto read = PayRunCsv::read(content, *m_run);
    QVERIFY(std::holds_alternative<QStringList>(read));
    const QString said = std::get<QStringList>(read).join(u'\n');
    QVERIFY2(said.contains(refusal), qPrintable(said));
}

void TestPayRunCsv::refusedFileChangesNothing()
{
    // The first line is sound; the second refuses the whole file.
    const QByteArray content("employee;bonus;advance\nMOREAU , CÉLINE;500;100\nLAMBERT , ÉLISE;1x;\n");
    const auto read = PayRunCsv::read(content, *m_run);
    QVERIFY(std::holds_alternative<QStringList>(read));
    QCOMPARE(std::get<QStringList>(read).size(), 1);
    QCOMPARE(m_run->row(0).figures[PayRunFigures::Bonus], QString());
    QCOMPARE(m_run->row(2).figures[PayRunFigures::Bonus], QStringLiteral("250"));
    const QString report = PayRunCsv::refusalReport(QStringLiteral("mars.csv"), std::get<QStringList>(read));
    QVERIFY(report.startsWith(QStringLiteral("Le fichier « mars.csv » n’a pas été importé : rien n’a été changé.")));
    QVERIFY(report.contains(QStringLiteral("Ligne 3, colonne bonus : « 1x »")));
}

void TestPayRunCsv::everyProblemIsListed()
{
    QByteArray content("employee;bonus\n");
    for (int i = 0; i < 40; ++i)
        content += "INCONNU" + QByteArray::number(i) + " , X;" + (i % 2 ? "1" : "a") + "\n";
    const auto read = PayRunCsv::read(content, *m_run);
    QVERIFY(std::holds_alternative<QStringList>(read));
    QCOMPARE(std::get<QStringList>(read).size(), 60);
    // The report shows the first of them and says how many more there are.
    const QString report = PayRunCsv::refusalReport(QStringLiteral("f.csv"), std::get<QStringList>(read));
    QVERIFY(report.contains(QStringLiteral("Ligne 2 : salarié inconnu « INCONNU0 , X ».")));
    QVERIFY(report.endsWith(QStringLiteral("… et 35 autres problèmes.")));
}

void TestPayRunCsv::readFileRefusesWhatIsNoFile()
{
    const auto missing = PayRunCsv::readFile(m_dir.filePath(QStringLiteral("absent.csv")));
    QCOMPARE(std::get<QString>(missing), QStringLiteral("Le fichier « absent.csv » est introuvable."));
    const auto folder = PayRunCsv::readFile(m_dir.path());
    QVERIFY(std::get<QString>(folder).contains(QStringLiteral("n’est pas un fichier ordinaire")));
    QFile file(m_dir.filePath(QStringLiteral("mars.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("employee;bonus\n");
    file.close();
    QCOMPARE(std::get<QByteArray>(PayRunCsv::readFile(file.fileName())), QByteArray("employee;bonus\n"));
}

QTEST_GUILESS_MAIN(TestPayRunCsv)
#include "tst_payruncsv.moc"
