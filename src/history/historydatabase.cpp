#include "historydatabase.h"

#include "slipfigures.h"
#include "storeerror.h"
#include "temporaryfile.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

namespace {

QString schemaSql()
{
    QStringList figures;
    for (const SlipFigures::Field &field : SlipFigures::fields())
        figures << QStringLiteral("  %1 TEXT NOT NULL").arg(QLatin1String(field.name));
    return QStringLiteral(
               "CREATE TABLE slip (\n"
               "  id INTEGER PRIMARY KEY,\n"
               "  file_name TEXT NOT NULL UNIQUE,\n"
               "  identification TEXT NOT NULL,\n"
               "  period_start TEXT NOT NULL,\n"
               "  period_end TEXT NOT NULL,\n"
               "  checksum TEXT NOT NULL,\n"
               "  size INTEGER NOT NULL,\n"
               "  modified INTEGER NOT NULL,\n"
               "  changed INTEGER NOT NULL DEFAULT 0,\n"
               "  seen_size INTEGER NOT NULL DEFAULT 0,\n"
               "  seen_modified INTEGER NOT NULL DEFAULT 0,\n"
               "  format_version INTEGER NOT NULL,\n"
               "  recorded_at TEXT NOT NULL,\n")
           + figures.join(QStringLiteral(",\n"))
           + QStringLiteral(
               ");\n"
               "CREATE INDEX slip_employee ON slip (identification, period_end);\n"
               "CREATE TABLE slip_line (\n"
               "  slip_id INTEGER NOT NULL,\n"
               "  line INTEGER NOT NULL,\n"
               "  label TEXT NOT NULL,\n"
               "  base TEXT NOT NULL,\n"
               "  employee_amount TEXT NOT NULL,\n"
               "  employer_amount TEXT NOT NULL,\n"
               "  PRIMARY KEY (slip_id, line)\n"
               ") WITHOUT ROWID;\n"
               "CREATE TABLE unreadable_file (\n"
               "  file_name TEXT PRIMARY KEY,\n"
               "  size INTEGER NOT NULL,\n"
               "  modified INTEGER NOT NULL,\n"
               "  reason TEXT NOT NULL\n"
               ");\n"
               "PRAGMA application_id = %1;\n"
               "PRAGMA user_version = %2;\n")
               .arg(QString::number(HistoryDatabase::ApplicationId), QString::number(HistoryDatabase::SchemaVersion));
}

int runSql(sqlite3 *db, const QString &sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

sqlite3 *openHandle(const QString &path, int *rc)
{
    sqlite3 *db = nullptr;
    *rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (*rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, HistoryDatabase::BusyTimeoutMs);
    return db;
}

// Builds an empty history under a temporary name, then puts it in place;
// a history another program put there meanwhile is kept.
int create(const QString &path)
{
    TemporaryFile temporary(path);
    if (!temporary.isValid())
        return SQLITE_CANTOPEN;
    int rc = SQLITE_OK;
    sqlite3 *db = openHandle(temporary.path(), &rc);
    if (db)
        rc = runSql(db, QStringLiteral("BEGIN;\n") + schemaSql() + QStringLiteral("COMMIT;"));
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK)
        return rc;
    if (!temporary.publish(TemporaryFile::Existing::Keep) && temporary.error() != EEXIST)
        return SQLITE_CANTOPEN;
    return SQLITE_OK;
}

int pragmaValue(sqlite3 *db, const char *pragma, int *rc)
{
    Statement statement(db, QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma)));
    if (!statement.isValid()) {
        *rc = statement.prepareCode();
        return 0;
    }
    *rc = statement.step();
    if (*rc != SQLITE_ROW)
        return 0;
    *rc = SQLITE_OK;
    return int(statement.columnInt64(0));
}

enum class Check { Sound, Damaged, Newer, Failed };

bool isDamageCode(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

bool hasTables(sqlite3 *db)
{
    Statement statement(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                           "name IN ('slip', 'slip_line', 'unreadable_file')"));
    return statement.step() == SQLITE_ROW && statement.columnInt64(0) == 3;
}

// A file cut short (a disk full, a copy stopped) holds fewer pages than its
// header counts: said at once rather than at the first page missing.
bool isWhole(sqlite3 *db, const QString &path, int *rc)
{
    const qint64 pages = pragmaValue(db, "page_count", rc);
    if (*rc != SQLITE_OK)
        return false;
    const qint64 pageSize = pragmaValue(db, "page_size", rc);
    if (*rc != SQLITE_OK)
        return false;
    return QFileInfo(path).size() >= pages * pageSize;
}

// The header and the tables, without reading every page: damage further
// in is found by the first reading that meets it (see isDamage).
Check check(sqlite3 *db, const QString &path, int *rc)
{
    const int id = pragmaValue(db, "application_id", rc);
    if (*rc != SQLITE_OK)
        return isDamageCode(*rc) ? Check::Damaged : Check::Failed;
    const int version = pragmaValue(db, "user_version", rc);
    if (*rc != SQLITE_OK)
        return isDamageCode(*rc) ? Check::Damaged : Check::Failed;
    if (id != HistoryDatabase::ApplicationId || version < 1)
        return Check::Damaged;
    if (version > HistoryDatabase::SchemaVersion)
        return Check::Newer;
    if (!isWhole(db, path, rc))
        return *rc == SQLITE_OK || isDamageCode(*rc) ? Check::Damaged : Check::Failed;
    return hasTables(db) ? Check::Sound : Check::Damaged;
}

QString displayName(const QString &path)
{
    return QFileInfo(path).fileName();
}

// The damaged file goes aside with its journal, which belongs to it.
QString setAside(const QString &path, int *error)
{
    const QString kept = WholeFile::setAside(path, error);
    const QString journal = path + QStringLiteral("-journal");
    if (!kept.isEmpty() && QFileInfo::exists(journal))
        QFile::rename(journal, QFileInfo(path).absoluteDir().filePath(kept + QStringLiteral("-journal")));
    return kept;
}

} // namespace

HistoryDatabase::HistoryDatabase(sqlite3 *db, QString path)
    : m_db(db)
    , m_path(std::move(path))
{
}

HistoryDatabase::~HistoryDatabase()
{
    sqlite3_close_v2(m_db);
}

HistoryDatabase::Opening HistoryDatabase::open(const QString &path)
{
    Opening opening;
    const QString name = displayName(path);
    for (int attempt = 0; attempt < 2; ++attempt) {
        int rc = SQLITE_OK;
        if (!QFileInfo::exists(path)) {
            if ((rc = create(path)) != SQLITE_OK) {
                opening.failure = QStringLiteral("L'historique des paies « %1 » n'a pas pu être créé : %2.")
                                      .arg(name, StoreError::reason(rc));
                return opening;
            }
        }
        sqlite3 *db = openHandle(path, &rc);
        const Check found = db ? check(db, path, &rc) : Check::Failed;
        if (found == Check::Sound) {
            opening.database.reset(new HistoryDatabase(db, path));
            return opening;
        }
        sqlite3_close_v2(db);
        if (found == Check::Newer) {
            opening.failure = QStringLiteral("L'historique des paies « %1 » a été écrit par une version plus "
                                             "récente du programme : il n'est ni lu ni modifié.").arg(name);
            return opening;
        }
        if (found == Check::Failed) {
            opening.failure = QStringLiteral("L'historique des paies « %1 » ne peut pas être ouvert : %2.")
                                  .arg(name, StoreError::reason(rc));
            return opening;
        }
        if (!setAsideDamaged(path, &opening.notice, &opening.failure))
            return opening;
    }
    opening.failure = QStringLiteral("L'historique des paies « %1 » n'a pas pu être reconstruit.").arg(name);
    return opening;
}

Statement HistoryDatabase::prepare(const QString &sql) const
{
    return Statement(m_db, sql);
}

int HistoryDatabase::execute(const QString &sql) const
{
    return runSql(m_db, sql);
}

int HistoryDatabase::begin() const
{
    return execute(QStringLiteral("BEGIN IMMEDIATE"));
}

int HistoryDatabase::commit() const
{
    return execute(QStringLiteral("COMMIT"));
}

void HistoryDatabase::rollback() const
{
    if (!sqlite3_get_autocommit(m_db))
        execute(QStringLiteral("ROLLBACK"));
}

bool HistoryDatabase::setAsideDamaged(const QString &path, QString *notice, QString *failure)
{
    const QString name = displayName(path);
    int error = 0;
    const QString kept = setAside(path, &error);
    if (kept.isEmpty()) {
        *failure = QStringLiteral("L'historique des paies « %1 » est endommagé et n'a pas pu être mis de côté : %2.")
                       .arg(name, WholeFile::reason(error));
        return false;
    }
    *notice = QStringLiteral("L'historique des paies « %1 » était endommagé : il est gardé sous le nom « %2 » et un "
                             "nouvel historique est reconstruit à partir des fiches de paie enregistrées du dossier.")
                  .arg(name, kept);
    return true;
}

bool HistoryDatabase::isDamage(int sqliteCode)
{
    return isDamageCode(sqliteCode);
}

qint64 HistoryDatabase::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

QString HistoryDatabase::failureText(int sqliteCode) const
{
    return QStringLiteral("L'historique des paies « %1 » n'a pas pu être mis à jour : %2.")
        .arg(displayName(m_path), StoreError::reason(sqliteCode));
}
