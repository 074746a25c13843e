#pragma once

#include "storeerror.h"
#include "tabledefinition.h"

#include <QString>
#include <memory>

struct sqlite3;

// One open database file. A missing file is created with its delivered
// content (owner-only permissions, never overwriting a file that appeared
// meanwhile); a file that is not a database or lacks a table is refused with
// a French message naming it, and nothing is written into it.
//
// The file keeps the rollback journal (journal_mode DELETE) with
// synchronous FULL: a store killed half-way leaves a journal that the next
// opening rolls back, so a record is always entirely old or entirely new,
// and the file stays a single file between sessions.
class Database
{
public:
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens definition.fileName in directory (relative names resolve against
    // the working directory). Returns nullptr and sets error on refusal.
    static std::shared_ptr<Database> open(const QString &directory,
                                          const DatabaseDefinition &definition,
                                          StoreError *error);

    // How long a store waits for a file another program is writing before
    // it is refused.
    static constexpr int DefaultBusyTimeoutMs = 2000;
    void setBusyTimeout(int milliseconds);

    sqlite3 *handle() const { return m_db; }
    QString filePath() const { return m_filePath; }
    QString fileName() const { return m_definition.fileName; }
    const TableDefinition *table(const QString &name) const { return m_definition.table(name); }

private:
    Database(sqlite3 *db, QString filePath, DatabaseDefinition definition);

    sqlite3 *m_db = nullptr;
    QString m_filePath;
    DatabaseDefinition m_definition;
};
