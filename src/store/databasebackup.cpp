#include "databasebackup.h"

#include "statement.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

#include <sys/stat.h>

namespace DatabaseBackup {

namespace {

QString quoted(const QString &path)
{
    return QStringLiteral("« %1 »").arg(QFileInfo(path).fileName());
}

StoreError refusal(int number, const QString &path, const QString &what, const QString &why)
{
    // One pass: a "%1" in a file name stays as it is.
    return StoreError(number, QStringLiteral("%1 %2 : %3.").arg(what, quoted(path), why));
}

// One connection, closed with its owner.
class Connection
{
public:
    Connection(const QString &path, int flags)
    {
        m_code = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                                 flags | SQLITE_OPEN_NOFOLLOW, nullptr);
        if (m_db)
            sqlite3_extended_result_codes(m_db, 1);
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }
    int openCode() const { return m_code; }
    int execute(const char *sql) const { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3 *m_db = nullptr;
    int m_code = SQLITE_OK;
};

bool isBusy(int code)
{
    return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED;
}

// Copies every page in one step, so the copy is of one state of the file;
// a writer holding the file is waited for.
int copyPages(sqlite3 *source, sqlite3 *target, int busyTimeoutMs)
{
    sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup)
        return sqlite3_extended_errcode(target);
    int waited = 0;
    int rc = SQLITE_OK;
    while ((rc = sqlite3_backup_step(backup, -1)) != SQLITE_DONE) {
        if (!isBusy(rc) || waited >= busyTimeoutMs)
            break;
        sqlite3_sleep(50);
        waited += 50;
    }
    const int finished = sqlite3_backup_finish(backup);
    return rc == SQLITE_DONE ? finished : rc;
}

StoreError checkTables(sqlite3 *db, const QString &path, const DatabaseDefinition *definition)
{
    const auto damaged = [&path](const QString &why) {
        return refusal(StoreError::CannotOpen, path, QStringLiteral("La base de données"), why);
    };
    Statement tables(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    if (!tables.isValid())
        return damaged(StoreError::reason(tables.prepareCode()));
    QStringList present;
    int step = SQLITE_ROW;
    while ((step = tables.step()) == SQLITE_ROW)
        present << tables.columnText(0);
    if (step != SQLITE_DONE)
        return damaged(StoreError::reason(step));
    if (!definition)
        return present.isEmpty() ? damaged(QStringLiteral("elle ne contient aucune table")) : StoreError();

    Statement columns(db, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    if (!columns.isValid())
        return damaged(StoreError::reason(columns.prepareCode()));
    for (const TableDefinition &table : definition->tables) {
        if (!present.contains(table.name))
            return damaged(QStringLiteral("la table %1 est absente").arg(table.name));
        QStringList names;
        columns.bindText(1, table.name);
        while ((step = columns.step()) == SQLITE_ROW)
            names << columns.columnText(0);
        columns.reset();
        if (step != SQLITE_DONE)
            return damaged(StoreError::reason(step));
        for (const QString &column : table.columns) {
            if (!names.contains(column))
                return damaged(QStringLiteral("la colonne « %1 » de la table %2 est absente")
                                   .arg(column, table.name));
        }
    }
    return {};
}

} // namespace

StoreError copy(const QString &sourcePath, const QString &targetPath, int busyTimeoutMs)
{
    const QString what = QStringLiteral("La base de données");
    Connection source(sourcePath, SQLITE_OPEN_READONLY);
    if (source.openCode() != SQLITE_OK)
        return refusal(StoreError::CannotRead, sourcePath, what, StoreError::reason(source.openCode()));
    Connection target(targetPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (target.openCode() != SQLITE_OK)
        return refusal(StoreError::CannotWrite, targetPath, QStringLiteral("La copie de la base de données"),
                       StoreError::reason(target.openCode()));
    ::chmod(QFile::encodeName(targetPath).constData(), S_IRUSR | S_IWUSR);
    int rc = copyPages(source.handle(), target.handle(), busyTimeoutMs);
    // The copy keeps a single file whatever journal the original uses.
    if (rc == SQLITE_OK)
        rc = target.execute("PRAGMA journal_mode = DELETE");
    if (rc != SQLITE_OK)
        return refusal(isBusy(rc) ? StoreError::CannotRead : StoreError::CannotWrite, sourcePath,
                       QStringLiteral("La base de données"),
                       QStringLiteral("elle n’a pas pu être copiée, %1").arg(StoreError::reason(rc)));
    return {};
}

StoreError check(const QString &path, const DatabaseDefinition *definition)
{
    const QString what = QStringLiteral("La base de données");
    Connection db(path, SQLITE_OPEN_READONLY);
    if (db.openCode() != SQLITE_OK)
        return refusal(StoreError::CannotOpen, path, what, StoreError::reason(db.openCode()));
    Statement quick(db.handle(), QStringLiteral("PRAGMA quick_check"));
    if (!quick.isValid())
        return refusal(StoreError::CannotOpen, path, what, StoreError::reason(quick.prepareCode()));
    const int step = quick.step();
    if (step != SQLITE_ROW)
        return refusal(StoreError::CannotOpen, path, what, StoreError::reason(step));
    if (quick.columnText(0) != QLatin1String("ok"))
        return refusal(StoreError::CannotOpen, path, what, QStringLiteral("le fichier est endommagé"));
    quick.reset();
    return checkTables(db.handle(), path, definition);
}

QString firstText(const QString &path, const QString &table, const QString &column)
{
    Connection db(path, SQLITE_OPEN_READONLY);
    if (db.openCode() != SQLITE_OK)
        return {};
    Statement query(db.handle(), QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid LIMIT 1")
                                     .arg(quoteIdentifier(column), quoteIdentifier(table)));
    if (!query.isValid() || query.step() != SQLITE_ROW)
        return {};
    return query.columnText(0);
}

} // namespace DatabaseBackup
