#include "csvtext.h"
#include "database.h"
#include "demodata.h"
#include "employeeexport.h"
#include "employeeimport.h"
#include "employeescommand.h"
#include "schema.h"
#include "statement.h"
#include "testsupport.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

// Every exported column of every employee, in record order.
QVector<QStringList> storedTexts(Database &database)
{
    const QStringList columns = EmployeeExport::columns();
    QStringList quoted;
    for (const QString &column : columns)
        quoted << quoteIdentifier(column);
    Statement query(database.handle(), QStringLiteral("SELECT ") + quoted.join(u',')
                                           + QStringLiteral(" FROM \"SALARIE\" ORDER BY rowid"));
    QVector<QStringList> rows;
    while (query.step() == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < columns.size(); ++i)
            row << query.columnText(i);
        rows << row;
    }
    return rows;
}

QString storedText(Database &database, const QString &column, int row = 0)
{
    return storedTexts(database).value(row).value(EmployeeExport::columns().indexOf(column));
}

qint64 employeeCount(Database &database)
{
    Statement query(database.handle(), QStringLiteral("SELECT count(*) FROM \"SALARIE\""));
    return query.step() == SQLITE_ROW ? query.columnInt64(0) : -1;
}

QString rate(int index)
{
    return Schema::rateColumns().at(index);
}

QByteArray csv(const QString &lines)
{
    QString text = lines;
    return Bom + text.replace(u'\n', QStringLiteral("\r\n")).toUtf8();
}

} // namespace

class TestEmployeeTransfer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exportWritesTheExactBytes();
    void exportIsOwnerOnly();
    void csvReadsWhatItWrites();
    void roundTripKeepsEveryText();
    void importNormalisesAsValider();
    void importAppendsInFileOrder();
    void importRefusesRows_data();
    void importRefusesRows();
    void importRefusesFiles_data();
    void importRefusesFiles();
    void interruptedImportLeavesTheFile();
    void commandExitCodes_data();
    void commandExitCodes();

private:
    std::shared_ptr<Database> employeeFile();
    void addDupont();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
};

void TestEmployeeTransfer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
}

void TestEmployeeTransfer::cleanup()
{
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

std::shared_ptr<Database> TestEmployeeTransfer::employeeFile()
{
    return TestSupport::openDatabase(Schema::mainDatabase());
}

// One employee already on file, named in lower case as another program may
// have stored him.
void TestEmployeeTransfer::addDupont()
{
    auto database = employeeFile();
    QVERIFY(database);
    QCOMPARE(sqlite3_exec(database->handle(),
                          "INSERT INTO \"SALARIE\" (\"IDENTIFICATION\", \"NOM\", \"PRENOM\") "
                          "VALUES ('dupont , jean', 'dupont', 'jean')",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
}

void TestEmployeeTransfer::exportWritesTheExactBytes()
{
    auto database = employeeFile();
    QVERIFY(database);
    QCOMPARE(sqlite3_exec(database->handle(),
                          "INSERT INTO \"SALARIE\" (\"IDENTIFICATION\", \"NOM\", \"PRENOM\", "
                          "\"ADRESSE\", \"POSTE\", \"BASEHORAIRE\", \"PHOTO\") VALUES "
                          "('D’ALMEIDA , JOSÉ', 'D’ALMEIDA', 'JOSÉ', '3 rue \"Haute\"; bât. B', "
                          "'VENDEUR\nCAISSE', '151,67', x'89504E47')",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    StoreError error;
    const QByteArray bytes = EmployeeExport::content(*database, &error);
    QVERIFY(!error);

    const QStringList columns = EmployeeExport::columns();
    QVERIFY(!columns.contains(QStringLiteral("PHOTO")));
    QCOMPARE(columns.size(), Schema::employees().columns.size() - 1);
    QCOMPARE(columns.first(), QStringLiteral("IDENTIFICATION"));
    QCOMPARE(columns.last(), QStringLiteral("PAR3"));
    QStringList row(columns.size());
    row[0] = QStringLiteral("D’ALMEIDA , JOSÉ");
    row[2] = QStringLiteral("D’ALMEIDA");
    row[3] = QStringLiteral("JOSÉ");
    row[5] = QStringLiteral("\"3 rue \"\"Haute\"\"; bât. B\"");
    row[8] = QStringLiteral("\"VENDEUR\nCAISSE\"");
    row[10] = QStringLiteral("151,67");
    QCOMPARE(columns.at(10), QStringLiteral("BASEHORAIRE"));
    const QByteArray expected = Bom + columns.join(u';').toUtf8() + "\r\n"
                                + row.join(u';').toUtf8() + "\r\n";
    QCOMPARE(bytes, expected);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBFIDENTIFICATION;NUMSECU;NOM;PRENOM;TEL;ADRESSE;"
                             "CODEPOSTAL;VILLE;POSTE;Entr\xC3\xA9 le;BASEHORAIRE;"));
}

void TestEmployeeTransfer::exportIsOwnerOnly()
{
    QVERIFY(DemoData::write(QStringLiteral(".")) == std::nullopt);
    auto database = employeeFile();
    QString error;
    QCOMPARE(EmployeeExport::write(*database, QStringLiteral("salariés.csv"), &error), 3);
    QVERIFY(error.isEmpty());
    QCOMPARE(QFile::permissions(QStringLiteral("salariés.csv")) & 0x0077, QFileDevice::Permissions());

    // A folder that does not exist: said, never taken for success.
    QCOMPARE(EmployeeExport::write(*database, QStringLiteral("absent/salariés.csv"), &error), -1);
    QVERIFY2(error.startsWith(QStringLiteral("Impossible d’écrire le fichier")), qPrintable(error));
}

void TestEmployeeTransfer::csvReadsWhatItWrites()
{
    const QVector<QStringList> rows{{QStringLiteral("a;b"), QStringLiteral("\"q\""), QString()},
                                    {QStringLiteral("l1\r\nl2"), QStringLiteral("é’"), QStringLiteral("x")},
                                    {QStringLiteral("last"), QString(), QString()}};
    QString error;
    const auto table = CsvText::read(CsvText::write(rows), &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->rows, rows);
    QCOMPARE(table->lines, (QVector<int>{1, 2, 4}));

    // Without byte order mark, LF only, and a blank line skipped.
    const auto plain = CsvText::read(QByteArray("NOM;PRENOM\n\nA;B\n"), &error);
    QVERIFY(plain);
    QCOMPARE(plain->rows, (QVector<QStringList>{{QStringLiteral("NOM"), QStringLiteral("PRENOM")},
                                                {QStringLiteral("A"), QStringLiteral("B")}}));
    QCOMPARE(plain->lines, (QVector<int>{1, 3}));
}

void TestEmployeeTransfer::roundTripKeepsEveryText()
{
    QVERIFY(DemoData::write(QStringLiteral("demo")) == std::nullopt);
    StoreError error;
    auto demo = Database::open(QStringLiteral("demo"), Schema::mainDatabase(), &error);
    QVERIFY(demo);
    const QByteArray exported = EmployeeExport::content(*demo, &error);
    QVERIFY(!error);

    auto empty = employeeFile();
    const EmployeeImport::Result result = EmployeeImport::run(empty, exported);
    QVERIFY2(result.succeeded(), qPrintable(result.report()));
    QCOMPARE(result.added, 3);
    QCOMPARE(storedTexts(*empty), storedTexts(*demo));
    QCOMPARE(EmployeeExport::content(*empty, &error), exported);
}

void TestEmployeeTransfer::importNormalisesAsValider()
{
    auto database = employeeFile();
    const EmployeeImport::Result result = EmployeeImport::run(
        database, csv(QStringLiteral("PRENOM;NOM;VILLE;%1;%2;MDLBAC1;PP1;IDENTIFICATION\n"
                                     "josé;d'almeida;tours;12,8;;1000;600;n'importe quoi\n")
                          .arg(rate(0), rate(1))));
    QVERIFY2(result.succeeded(), qPrintable(result.report()));
    QCOMPARE(result.report(), QStringLiteral("1 salarié a été ajouté au fichier des salariés."));
    QCOMPARE(storedText(*database, QStringLiteral("NOM")), QStringLiteral("D’ALMEIDA"));
    QCOMPARE(storedText(*database, QStringLiteral("PRENOM")), QStringLiteral("JOSÉ"));
    QCOMPARE(storedText(*database, QStringLiteral("IDENTIFICATION")), QStringLiteral("D’ALMEIDA , JOSÉ"));
    QCOMPARE(storedText(*database, QStringLiteral("NUMSECU")), QStringLiteral("<RIEN>"));
    QCOMPARE(storedText(*database, QStringLiteral("VILLE")), QStringLiteral("TOURS"));
    QCOMPARE(storedText(*database, QStringLiteral("TEL")), QStringLiteral(" "));
    QCOMPARE(storedText(*database, rate(0)), EmployeeRules::checkRate(QStringLiteral("12,8")).text);
    QCOMPARE(storedText(*database, rate(1)), EmployeeRules::checkRate(QString()).text);
    QCOMPARE(storedText(*database, QStringLiteral("BASEHORAIRE")), EmployeeRules::baseForm(QString()));
    QCOMPARE(storedText(*database, QStringLiteral("MDLBAC1")), EmployeeRules::baseForm(QStringLiteral("1000")));
    QCOMPARE(storedText(*database, QStringLiteral("RAPPLS1")),
             *EmployeeRules::remainingShare(EmployeeRules::baseForm(QStringLiteral("1000")),
                                            EmployeeRules::baseForm(QStringLiteral("600"))));
}

void TestEmployeeTransfer::importAppendsInFileOrder()
{
    addDupont();
    auto database = employeeFile();
    const EmployeeImport::Result result = EmployeeImport::run(
        database, csv(QStringLiteral("NOM;PRENOM\nMARTIN;LUC\nALLARD;EVE\n")));
    QVERIFY2(result.succeeded(), qPrintable(result.report()));
    QCOMPARE(result.added, 2);
    QCOMPARE(storedText(*database, QStringLiteral("IDENTIFICATION"), 0), QStringLiteral("dupont , jean"));
    QCOMPARE(storedText(*database, QStringLiteral("IDENTIFICATION"), 1), QStringLiteral("MARTIN , LUC"));
    QCOMPARE(storedText(*database, QStringLiteral("IDENTIFICATION"), 2), QStringLiteral("ALLARD , EVE"));
}

void TestEmployeeTransfer::importRefusesRows_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("employee");
    QTest::addColumn<QString>("reason");

    QTest::newRow("no first name") << QStringLiteral("NOM;PRENOM\nMARTIN;LUC\nBLANC;\n") << 3
                                   << QStringLiteral("BLANC")
                                   << QStringLiteral("un salarié doit avoir au moins un nom et un prénom");
    QTest::newRow("no name at all") << QStringLiteral("NOM;PRENOM;VILLE\n;;TOURS\n") << 2 << QString()
                                    << QStringLiteral("un salarié doit avoir au moins un nom et un prénom");
    QTest::newRow("twice in the file")
        << QStringLiteral("NOM;PRENOM\nMARTIN;LUC\nALLARD;EVE\nmartin;luc\n") << 4
        << QStringLiteral("martin luc") << QStringLiteral("ce salarié figure déjà à la ligne 2 du fichier");
    QTest::newRow("already on file, other case")
        << QStringLiteral("NOM;PRENOM\nMARTIN;LUC\nDupont;Jean\n") << 3 << QStringLiteral("Dupont Jean")
        << QStringLiteral("vous avez déjà un salarié DUPONT JEAN");
    QTest::newRow("rate not a number")
        << QStringLiteral("NOM;PRENOM;%1\nMARTIN;LUC;6,55%\n").arg(rate(1)) << 2 << QStringLiteral("MARTIN LUC")
        << QStringLiteral("le taux salarial de la ligne %1 n’est pas un nombre (« 6,55% »)")
               .arg(EmployeeRules::rateLineName(1, QString()));
    QTest::newRow("rate above 100")
        << QStringLiteral("NOM;PRENOM;%1\nMARTIN;LUC;128\n").arg(rate(0)) << 2 << QStringLiteral("MARTIN LUC")
        << QStringLiteral("le taux patronal de la ligne %1 dépasse 100 (« 128 »)")
               .arg(EmployeeRules::rateLineName(0, QString()));
    QTest::newRow("base not a number")
        << QStringLiteral("NOM;PRENOM;TAUXHORAIRE\nMARTIN;LUC;quarante\n") << 2 << QStringLiteral("MARTIN LUC")
        << QStringLiteral("le taux horaire n’est pas un nombre (« quarante »)");
    QTest::newRow("a field too many")
        << QStringLiteral("NOM;PRENOM\nMARTIN;LUC;TOURS\n") << 2 << QStringLiteral("MARTIN LUC")
        << QStringLiteral("la ligne a 3 champs au lieu des 2 de la ligne 1");
}

// Each refusal names its line, the employee and the reason; nothing of the
// file is added, not even its good rows.
void TestEmployeeTransfer::importRefusesRows()
{
    QFETCH(QString, lines);
    QFETCH(int, line);
    QFETCH(QString, employee);
    QFETCH(QString, reason);
    addDupont();
    auto database = employeeFile();
    const EmployeeImport::Result result = EmployeeImport::run(database, csv(lines));
    QVERIFY(!result.succeeded());
    QCOMPARE(result.added, 0);
    QCOMPARE(result.checked.refusals.size(), 1);
    QCOMPARE(result.checked.refusals.first().line, line);
    QCOMPARE(result.checked.refusals.first().employee, employee);
    QCOMPARE(result.checked.refusals.first().reason, reason);
    QVERIFY2(result.report().contains(QStringLiteral("Ligne %1").arg(line)), qPrintable(result.report()));
    QVERIFY(result.report().startsWith(QStringLiteral("Aucun salarié n’a été importé")));
    QCOMPARE(employeeCount(*database), 1);
}

void TestEmployeeTransfer::importRefusesFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    QTest::newRow("unknown column") << csv(QStringLiteral("NOM;PRENOM;SALAIRE\nMARTIN;LUC;9000\n"))
                                    << QStringLiteral("la colonne « SALAIRE » de la ligne 1 n’est pas une "
                                                      "colonne du fichier des salariés");
    QTest::newRow("photo") << csv(QStringLiteral("NOM;PRENOM;PHOTO\nMARTIN;LUC;x\n"))
                           << QStringLiteral("la colonne « PHOTO » de la ligne 1 n’est pas une "
                                             "colonne du fichier des salariés");
    QTest::newRow("column twice") << csv(QStringLiteral("NOM;PRENOM;NOM\nMARTIN;LUC;MARTIN\n"))
                                  << QStringLiteral("la colonne « NOM » figure deux fois à la ligne 1");
    QTest::newRow("no first name column") << csv(QStringLiteral("NOM;VILLE\nMARTIN;TOURS\n"))
                                          << QStringLiteral("la ligne 1 n’a pas de colonne PRENOM");
    QTest::newRow("not UTF-8") << QByteArray("NOM;PRENOM\r\nL\xC9VY;ANDR\xC9\r\n")
                               << QStringLiteral("le fichier n’est pas écrit en UTF-8 : enregistrez-le "
                                                 "depuis le tableur en « CSV UTF-8 » et recommencez");
    QTest::newRow("quote never closed") << csv(QStringLiteral("NOM;PRENOM\nMARTIN;\"LUC\n"))
                                        << QStringLiteral("un champ entre guillemets commencé à la ligne 2 "
                                                          "n’est jamais fermé");
    QTest::newRow("header only") << csv(QStringLiteral("NOM;PRENOM\n"))
                                 << QStringLiteral("le fichier ne contient aucun salarié");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("la ligne 1 doit donner les noms des colonnes");
}

void TestEmployeeTransfer::importRefusesFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    addDupont();
    auto database = employeeFile();
    const EmployeeImport::Result result = EmployeeImport::run(database, content);
    QVERIFY(!result.succeeded());
    QCOMPARE(result.checked.fileError, reason);
    QVERIFY(result.report().startsWith(QStringLiteral("Fichier refusé : ") + reason));
    QCOMPARE(employeeCount(*database), 1);
}

// The file refuses the third row it is given: the two before it go too.
void TestEmployeeTransfer::interruptedImportLeavesTheFile()
{
    addDupont();
    auto database = employeeFile();
    QCOMPARE(sqlite3_exec(database->handle(),
                          "CREATE TRIGGER refuse_third BEFORE INSERT ON \"SALARIE\" "
                          "WHEN (SELECT count(*) FROM \"SALARIE\") >= 3 "
                          "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    const QVector<QStringList> before = storedTexts(*database);
    const EmployeeImport::Result result = EmployeeImport::run(
        database, csv(QStringLiteral("NOM;PRENOM\nMARTIN;LUC\nALLARD;EVE\nBLANC;ZOÉ\n")));
    QVERIFY(!result.succeeded());
    QCOMPARE(result.added, 0);
    QVERIFY2(result.report().startsWith(QStringLiteral("Impossible d’ajouter les salariés")),
             qPrintable(result.report()));
    QVERIFY(result.report().contains(QStringLiteral("Aucun salarié n’a été importé")));
    QCOMPARE(storedTexts(*database), before);

    // Reopened, the file holds what it held.
    database.reset();
    QCOMPARE(storedTexts(*employeeFile()), before);
}

void TestEmployeeTransfer::commandExitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::addColumn<int>("employees"); // in « autre » afterwards

    const QString a = QStringLiteral("a");
    const QString dir = QStringLiteral("--dir");
    QTest::newRow("export") << QStringList{QStringLiteral("export"), dir, a, QStringLiteral("--to"), QStringLiteral("s.csv")}
                            << 0 << QStringLiteral("3 salariés exportés dans : ") << 0;
    QTest::newRow("import") << QStringList{QStringLiteral("import"), QStringLiteral("a.csv"), dir, QStringLiteral("autre")}
                            << 0 << QStringLiteral("3 salariés ont été ajoutés") << 3;
    QTest::newRow("import refused")
        << QStringList{QStringLiteral("import"), QStringLiteral("a.csv"), dir, a} << 2
        << QStringLiteral("Ligne 2 (MOREAU CÉLINE) : vous avez déjà un salarié MOREAU CÉLINE.") << 0;
    QTest::newRow("export not written")
        << QStringList{QStringLiteral("export"), dir, a, QStringLiteral("--to"), QStringLiteral("absent/s.csv")} << 4
        << QStringLiteral("Impossible d’écrire le fichier") << 0;
    QTest::newRow("no action") << QStringList{dir, a} << 2 << QStringLiteral("Utilisation : quorvan employees")
                               << 0;
    QTest::newRow("export without --to") << QStringList{QStringLiteral("export"), dir, a} << 2
                                         << QStringLiteral("Utilisation : quorvan employees") << 0;
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("import"), QStringLiteral("a.csv"), QStringLiteral("--force")} << 2
        << QStringLiteral("option inconnue : --force") << 0;
    QTest::newRow("folder without employee file")
        << QStringList{QStringLiteral("import"), QStringLiteral("a.csv"), dir, QStringLiteral("vide")} << 2
        << QStringLiteral("ne contient pas le fichier Bdrk.rkv") << 0;
}

// « a » is the demonstration, « a.csv » its export, « autre » a company
// with no employee yet.
void TestEmployeeTransfer::commandExitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(int, employees);
    QVERIFY(DemoData::write(QStringLiteral("a")) == std::nullopt);
    QVERIFY(DemoData::write(QStringLiteral("autre")) == std::nullopt);
    QVERIFY(QDir().mkdir(QStringLiteral("vide")));
    StoreError error;
    {
        auto demo = Database::open(QStringLiteral("a"), Schema::mainDatabase(), &error);
        QCOMPARE(WholeFile::write(QStringLiteral("a.csv"), EmployeeExport::content(*demo, &error)), 0);
        auto other = Database::open(QStringLiteral("autre"), Schema::mainDatabase(), &error);
        QCOMPARE(sqlite3_exec(other->handle(), "DELETE FROM \"SALARIE\"", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    QCOMPARE(EmployeesCommand::run(arguments, out, err), exitCode);
    const QString &text = exitCode == 0 ? outText : errText;
    QVERIFY2(text.contains(said), qPrintable(text));
    auto other = Database::open(QStringLiteral("autre"), Schema::mainDatabase(), &error);
    QCOMPARE(employeeCount(*other), employees);
}

QTEST_GUILESS_MAIN(TestEmployeeTransfer)
#include "tst_employeetransfer.moc"
