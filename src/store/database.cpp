#include "database.h"

#include "statement.h"
#include "temporaryfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>

namespace {

QString quotedName(const QString &fileName)
{
    return QStringLiteral("« %1 »").arg(fileName);
}

StoreError notOurs(const QString &fileName, const QString &why)
{
    return StoreError(StoreError::CannotOpen,
                      QStringLiteral("Le fichier %1 n’est pas une base de données Quorvan : %2.")
                          .arg(quotedName(fileName), why));
}

StoreError cannotOpen(const QString &fileName, const QString &why)
{
    return StoreError(StoreError::CannotOpen,
                      QStringLiteral("Le fichier %1 ne peut pas être ouvert : %2.")
                          .arg(quotedName(fileName), why));
}

StoreError cannotCreate(const QString &fileName, const QString &why)
{
    return StoreError(
        StoreError::CannotOpen,
        QStringLiteral("Le fichier %1 ne peut pas être créé : %2.").arg(quotedName(fileName), why));
}

QString systemReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case ENOSPC:
        return QStringLiteral("le disque est plein");
    case EROFS:
        return QStringLiteral("le disque est en lecture seule");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("le dossier n’existe pas");
    default:
        return QStringLiteral("erreur système %1").arg(error);
    }
}

// Creates the tables and their delivered records in a fresh, empty file.
int fillDelivered(sqlite3 *db, const DatabaseDefinition &definition)
{
    int rc = sqlite3_exec(db, "PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL; BEGIN",
                          nullptr, nullptr, nullptr);
    for (const TableDefinition &table : definition.tables) {
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(db, table.createStatement().toUtf8().constData(), nullptr, nullptr,
                              nullptr);
        QStringList columns, parameters;
        for (int i = 0; i < table.columns.size(); ++i) {
            columns << quoteIdentifier(table.columns.at(i));
            parameters << QStringLiteral("?%1").arg(i + 1);
        }
        for (const auto &record : table.deliveredRecords) {
            if (rc != SQLITE_OK)
                break;
            Statement insert(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                     .arg(quoteIdentifier(table.name), columns.join(u','),
                                          parameters.join(u',')));
            if (!insert.isValid())
                return insert.prepareCode();
            for (int i = 0; i < table.columns.size(); ++i) {
                const QString &column = table.columns.at(i);
                if (table.isBlob(column))
                    insert.bindBlob(i + 1, QByteArray());
                else
                    insert.bindText(i + 1, record.value(column, QString(QLatin1String(""))));
            }
            rc = insert.step() == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db);
        }
    }
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return rc;
}

// Builds the delivered file under a temporary name of the same folder,
// readable by its owner only and locked while it is built (a killed start
// leaves a file the next one removes), then moves it in place without
// replacing.
StoreError createDelivered(const QString &path, const DatabaseDefinition &definition)
{
    TemporaryFile temporary(path);
    if (!temporary.isValid())
        return cannotCreate(definition.fileName, systemReason(temporary.error()));

    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(temporary.path()).constData(), &db,
                             SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        rc = fillDelivered(db, definition);
    }
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK)
        return cannotCreate(definition.fileName, StoreError::reason(rc));

    // A file that appeared meanwhile is kept and opened as it is.
    if (!temporary.publish(TemporaryFile::Existing::Keep) && temporary.error() != EEXIST)
        return cannotCreate(definition.fileName, systemReason(temporary.error()));
    return {};
}

// Checks with reading queries only that every table and column is there.
StoreError validate(sqlite3 *db, const DatabaseDefinition &definition)
{
    Statement tableQuery(
        db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1"));
    if (!tableQuery.isValid()) {
        const int rc = tableQuery.prepareCode();
        return (rc & 0xff) == SQLITE_NOTADB
                   ? notOurs(definition.fileName, StoreError::reason(rc))
                   : cannotOpen(definition.fileName, StoreError::reason(rc));
    }
    Statement columnQuery(db, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    if (!columnQuery.isValid())
        return cannotOpen(definition.fileName, StoreError::reason(columnQuery.prepareCode()));

    for (const TableDefinition &table : definition.tables) {
        tableQuery.bindText(1, table.name);
        const int rc = tableQuery.step();
        tableQuery.reset();
        if (rc == SQLITE_DONE)
            return notOurs(definition.fileName,
                           QStringLiteral("la table %1 est absente").arg(table.name));
        if (rc != SQLITE_ROW)
            return (rc & 0xff) == SQLITE_NOTADB
                       ? notOurs(definition.fileName, StoreError::reason(rc))
                       : cannotOpen(definition.fileName, StoreError::reason(rc));

        QStringList present;
        columnQuery.bindText(1, table.name);
        int step = SQLITE_ROW;
        while ((step = columnQuery.step()) == SQLITE_ROW)
            present << columnQuery.columnText(0);
        columnQuery.reset();
        if (step != SQLITE_DONE)
            return cannotOpen(definition.fileName, StoreError::reason(step));
        for (const QString &column : table.columns) {
            if (!present.contains(column))
                return notOurs(definition.fileName,
                               QStringLiteral("la colonne « %1 » de la table %2 est absente")
                                   .arg(column, table.name));
        }
    }
    return {};
}

} // namespace

Database::Database(sqlite3 *db, QString filePath, DatabaseDefinition definition)
    : m_db(db)
    , m_filePath(std::move(filePath))
    , m_definition(std::move(definition))
{}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

void Database::setBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_db, milliseconds);
}

std::shared_ptr<Database> Database::open(const QString &directory,
                                         const DatabaseDefinition &definition, StoreError *error)
{
    StoreError ignored;
    StoreError &result = error ? *error : ignored;
    result = {};

    const QDir folder(directory.isEmpty() ? QStringLiteral(".") : directory);
    const QString path = QFileInfo(folder, definition.fileName).absoluteFilePath();
    const QFileInfo info(path);
    if (!info.exists()) {
        result = createDelivered(path, definition);
        if (result)
            return nullptr;
    } else if (!info.isFile()) {
        result = cannotOpen(definition.fileName, QStringLiteral("ce n’est pas un fichier"));
        return nullptr;
    }

    // Read-write but never create: a file removed meanwhile is not remade empty.
    sqlite3 *db = nullptr;
    int rc
        = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        result = cannotOpen(definition.fileName, StoreError::reason(rc));
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, DefaultBusyTimeoutMs);

    // Nothing may be written into a file before it is known to be ours.
    sqlite3_exec(db, "PRAGMA query_only = ON", nullptr, nullptr, nullptr);
    result = validate(db, definition);
    if (result) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    // Deleted records are overwritten: payroll data is personal. A file
    // that cannot be written still opens; its stores are refused later.
    for (const char *pragma : {"PRAGMA query_only = OFF", "PRAGMA journal_mode = DELETE",
                               "PRAGMA synchronous = FULL", "PRAGMA secure_delete = ON"})
        sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
    return std::shared_ptr<Database>(new Database(db, path, definition));
}
