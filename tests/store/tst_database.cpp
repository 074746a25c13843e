#include "database.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>
#include <sys/stat.h>

#include <memory>

// Opening the two database files: delivered content, owner-only files,
// existing files kept, foreign or incomplete files refused untouched.
class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createsDeliveredTables_data();
    void createsDeliveredTables();
    void createsDeliveredRecords_data();
    void createsDeliveredRecords();
    void createsOwnerOnlyFileAndNothingElse_data();
    void createsOwnerOnlyFileAndNothingElse();
    void keepsExistingFile();
    void refusesForeignFile_data();
    void refusesForeignFile();
    void refusesMissingFolder();

private:
    QString path(const QString &fileName) const { return m_dir->filePath(fileName); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
};

namespace {

// A connection of our own, to look at a file without the store.
struct RawConnection
{
    explicit RawConnection(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    ~RawConnection() { sqlite3_close_v2(db); }

    QList<QStringList> rows(const QString &sql) const
    {
        QList<QStringList> result;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
            return result;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                row << QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)));
            result << row;
        }
        sqlite3_finalize(stmt);
        return result;
    }
    void exec(const QString &sql) const
    {
        QCOMPARE(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }

    sqlite3 *db = nullptr;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

DatabaseDefinition definitionFor(const QString &fileName)
{
    return fileName == QLatin1String(Schema::MainFileName) ? Schema::mainDatabase()
                                                           : Schema::employerDatabase();
}

// The file format, written out by hand: these names are what earlier files
// carry, so a typo in the schema must show here.
const QStringList salarieColumns = {
    "IDENTIFICATION", "NUMSECU", "NOM", "PRENOM", "TEL", "ADRESSE", "CODEPOSTAL", "VILLE", "POSTE",
    "Entré le", "PHOTO", "BASEHORAIRE", "TAUXHORAIRE", "MDLBAC1", "PP1", "RAPPLS1",
    "CSGRDS/PATR", "CSGRDS/SAL", "CSG déductible/PATR", "CSGdéductible/SAL",
    "Assurance Maladie/PATR", "Assurance Maladie/SAL", "Assurance Veuv/PATR", "Assurance Veuv/SAL",
    "Assurance Viei/PATR", "Assurance Vieil/SAL", "AssuranceViel Plaf/PATR",
    "AssuranceViel Plaf/SAL", "ASSEDIC TrA/PATR", "ASSEDIC TrA/SAL", "ASSEDIC TrB/PATR",
    "ASSEDIC TrB/SAL", "AGS/PATR", "AGS/SAL", "Accident Trav/PATR", "Accident Trav/SAL",
    "Retraite TrA/PATR", "Retraite TrA/SAL", "Retraite TrB/PATR", "Retraite TrB/SAL",
    "Aide Logement/PATR", "Aide Logement/SAL", "Apprentissage/PATR", "Apprentissage/SAL",
    "Formation/PATR", "Formation/SAL", "TaxeSalaire/PATR", "TaxeSalaire/SAL",
    "Construction/PATR", "Construction/SAL", "TAUPAR1/PATR", "TAUPAR1/SAL", "TAUPAR2/PATR",
    "TAUPAR2/SAL", "TAUPAR3/PATR", "TAUPAR3/SAL", "PAR3"};

const QStringList parmetreColumns = {"PLAFONTRAADEBUT", "PRETRANCHEH", "DEUTRANCHEH", "HEURSUP1",
                                     "HEURSUP2", "POURCENTCSGRDS", "POURCENTCSGROPTIOB",
                                     "OPTIONA", "OPTIONB", "conge1", "conge2"};

const QStringList employeurColumns = {"NomSociété", "Adresse", "CodePostal", "Ville",
                                      "NuméroTél", "NumTélécopie", "Siret", "APE", "N°URSSAF",
                                      "Directeur du perssonel", "Type de societe"};

} // namespace

void TestDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
}

void TestDatabase::cleanup()
{
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

void TestDatabase::createsDeliveredTables_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");

    QTest::newRow("SALARIE") << "Bdrk.rkv" << "SALARIE" << salarieColumns;
    QTest::newRow("PARMETRE") << "Bdrk.rkv" << "PARMETRE" << parmetreColumns;
    QTest::newRow("TEURO") << "Bdrk.rkv" << "TEURO" << QStringList{"Taux de L'euro"};
    QTest::newRow("EMPLOYEUR") << "sterk.rkv" << "EMPLOYEUR" << employeurColumns;
}

void TestDatabase::createsDeliveredTables()
{
    QFETCH(QString, fileName);
    QFETCH(QString, table);
    QFETCH(QStringList, columns);

    StoreError error;
    QVERIFY(Database::open(QString(), definitionFor(fileName), &error));
    QVERIFY2(!error, qPrintable(error.message()));

    RawConnection raw(path(fileName));
    const auto info = raw.rows(QStringLiteral("SELECT name, type, \"notnull\", pk FROM "
                                              "pragma_table_info('%1')")
                                   .arg(table));
    QStringList names;
    for (const QStringList &column : info) {
        names << column.at(0);
        const QString &name = column.at(0);
        QCOMPARE(column.at(1), name == "PHOTO" ? QString("BLOB") : QString("TEXT"));
        QCOMPARE(column.at(3), name == "IDENTIFICATION" ? QString("1") : QString("0"));
        const bool required = name == "IDENTIFICATION" || name == "NOM";
        QCOMPARE(column.at(2), required ? QString("1") : QString("0"));
    }
    QCOMPARE(names, columns);
}

void TestDatabase::createsDeliveredRecords_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QList<QStringList>>("records");

    QTest::newRow("SALARIE empty") << "Bdrk.rkv" << "SALARIE" << QList<QStringList>{};
    QTest::newRow("PARMETRE") << "Bdrk.rkv" << "PARMETRE"
                              << QList<QStringList>{{"14950", "25,00", "50", "169", "200", "5",
                                                     "0,95", "1", "0", "20", "169"}};
    QTest::newRow("TEURO") << "Bdrk.rkv" << "TEURO" << QList<QStringList>{{"6,55957"}};
    QTest::newRow("EMPLOYEUR all empty")
        << "sterk.rkv" << "EMPLOYEUR" << QList<QStringList>{QStringList(11, QString(""))};
}

void TestDatabase::createsDeliveredRecords()
{
    QFETCH(QString, fileName);
    QFETCH(QString, table);
    QFETCH(QList<QStringList>, records);

    QVERIFY(Database::open(QString(), definitionFor(fileName), nullptr));

    RawConnection raw(path(fileName));
    QCOMPARE(raw.rows(QStringLiteral("SELECT * FROM \"%1\"").arg(table)), records);
    // Empty fields are empty texts, not NULL.
    QCOMPARE(raw.rows(QStringLiteral("SELECT count(*) FROM \"%1\" WHERE typeof(\"%2\") <> 'text'")
                          .arg(table, table == "PARMETRE" ? "OPTIONB"
                                      : table == "TEURO"  ? "Taux de L''euro"
                                                          : "Siret")),
             QList<QStringList>{{"0"}});
}

void TestDatabase::createsOwnerOnlyFileAndNothingElse_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("Bdrk.rkv") << "Bdrk.rkv";
    QTest::newRow("sterk.rkv") << "sterk.rkv";
}

void TestDatabase::createsOwnerOnlyFileAndNothingElse()
{
    QFETCH(QString, fileName);
    ::umask(0); // the file must not depend on a lenient umask

    auto database = Database::open(QString(), definitionFor(fileName), nullptr);
    ::umask(022);
    QVERIFY(database);
    QCOMPARE(database->filePath(), QFileInfo(path(fileName)).absoluteFilePath());

    struct stat status = {};
    QCOMPARE(::stat(QFile::encodeName(path(fileName)).constData(), &status), 0);
    QCOMPARE(status.st_mode & 07777, mode_t(0600));
    // No temporary file or journal is left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{fileName});
}

void TestDatabase::keepsExistingFile()
{
    {
        auto database = Database::open(QString(), Schema::mainDatabase(), nullptr);
        QVERIFY(database);
        RawConnection raw(path("Bdrk.rkv"));
        raw.exec("UPDATE TEURO SET \"Taux de L'euro\" = '7,1'");
        raw.exec("INSERT INTO SALARIE (IDENTIFICATION, NOM) VALUES ('DUPONT , JEAN', 'DUPONT')");
    }
    StoreError error;
    auto database = Database::open(m_dir->path(), Schema::mainDatabase(), &error);
    QVERIFY2(database, qPrintable(error.message()));

    RawConnection raw(path("Bdrk.rkv"));
    QCOMPARE(raw.rows("SELECT * FROM TEURO"), QList<QStringList>{{"7,1"}});
    QCOMPARE(raw.rows("SELECT IDENTIFICATION FROM SALARIE"), QList<QStringList>{{"DUPONT , JEAN"}});
}

void TestDatabase::refusesForeignFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("content"); // how the file is made
    QTest::addColumn<QString>("expected");

    const QString notOurs = "Le fichier « %1 » n’est pas une base de données Quorvan : ";
    QTest::newRow("text file") << "Bdrk.rkv" << "text"
                               << notOurs.arg("Bdrk.rkv")
                                      + "son contenu n’est pas celui d’une base de données.";
    QTest::newRow("binary file") << "sterk.rkv" << "binary"
                                 << notOurs.arg("sterk.rkv")
                                        + "son contenu n’est pas celui d’une base de données.";
    QTest::newRow("empty file") << "Bdrk.rkv" << "empty"
                                << notOurs.arg("Bdrk.rkv") + "la table SALARIE est absente.";
    QTest::newRow("database without SALARIE")
        << "Bdrk.rkv" << "without SALARIE"
        << notOurs.arg("Bdrk.rkv") + "la table SALARIE est absente.";
    QTest::newRow("database without TEURO")
        << "Bdrk.rkv" << "without TEURO" << notOurs.arg("Bdrk.rkv") + "la table TEURO est absente.";
    QTest::newRow("SALARIE without a column")
        << "Bdrk.rkv" << "without column"
        << notOurs.arg("Bdrk.rkv") + "la colonne « Entré le » de la table SALARIE est absente.";
    QTest::newRow("other database as sterk.rkv")
        << "sterk.rkv" << "without EMPLOYEUR"
        << notOurs.arg("sterk.rkv") + "la table EMPLOYEUR est absente.";
}

void TestDatabase::refusesForeignFile()
{
    QFETCH(QString, fileName);
    QFETCH(QString, content);
    QFETCH(QString, expected);

    if (content == "text") {
        writeFile(path(fileName), "Salaires de janvier\nDUPONT;JEAN;8500\n");
    } else if (content == "binary") {
        QByteArray bytes(8192, Qt::Uninitialized);
        for (char &byte : bytes)
            byte = char(QRandomGenerator::global()->bounded(256));
        writeFile(path(fileName), bytes);
    } else if (content == "empty") {
        writeFile(path(fileName), QByteArray());
    } else {
        RawConnection raw(path(fileName));
        TableDefinition employees = Schema::employees();
        if (content == "without column")
            employees.columns.removeOne("Entré le");
        if (content != "without SALARIE")
            raw.exec(employees.createStatement());
        if (content != "without EMPLOYEUR")
            raw.exec(Schema::parameters().createStatement());
        if (content != "without TEURO" && content != "without EMPLOYEUR")
            raw.exec(Schema::euroRate().createStatement());
    }
    const QByteArray before = fileBytes(path(fileName));

    StoreError error;
    QVERIFY(!Database::open(QString(), definitionFor(fileName), &error));
    QCOMPARE(error.number(), int(StoreError::CannotOpen));
    QCOMPARE(error.message(), expected);

    QCOMPARE(fileBytes(path(fileName)), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{fileName});
}

void TestDatabase::refusesMissingFolder()
{
    StoreError error;
    QVERIFY(!Database::open(path("absent"), Schema::employerDatabase(), &error));
    QCOMPARE(error.number(), int(StoreError::CannotOpen));
    QCOMPARE(error.message(),
             QString("Le fichier « sterk.rkv » ne peut pas être créé : le dossier n’existe pas."));

    QVERIFY(QDir().mkdir("sterk.rkv"));
    QVERIFY(!Database::open(QString(), Schema::employerDatabase(), &error));
    QCOMPARE(error.message(),
             QString("Le fichier « sterk.rkv » ne peut pas être ouvert : ce n’est pas un fichier."));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
