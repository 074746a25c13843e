#pragma once

#include "statement.h"

#include <QString>

#include <memory>

struct sqlite3;

// The pay history's SQLite file in the working folder, apart from the
// described databases. It carries its own application id and a schema
// version; it is created owner-only, whole (built under a temporary name,
// then put in place), and written in transactions with the rollback
// journal, so that a program stopped in the middle leaves the history of
// before. A file that is not such a history, or a damaged one, is set aside
// under another name (never deleted) and a new, empty one takes its place.
// Another program writing is waited for, up to BusyTimeoutMs.
//
// Tables:
//   slip            one row a saved pay slip: file, employee, period (ISO
//                   dates, empty when unreadable), the file as recorded
//                   (checksum, size, time of change), whether it was found
//                   changed since, the format version, every printed figure
//   slip_line       the twenty contribution lines of each slip
//   unreadable_file the .rpt files of the folder that are no readable slip
class HistoryDatabase
{
public:
    static constexpr const char *FileName = "historique.rkv";
    static constexpr int SchemaVersion = 1;
    static constexpr int ApplicationId = 0x51485354; // "QHST"
    static constexpr int BusyTimeoutMs = 5000;

    struct Opening
    {
        std::unique_ptr<HistoryDatabase> database; // none on failure
        QString notice;  // what the clerk must be told (a damaged file set aside)
        QString failure; // why there is no history, in French
    };
    static Opening open(const QString &path);
    // Moves a damaged history aside, for the next opening to build a new
    // one; says so in `notice`, or why it could not in `failure`.
    static bool setAsideDamaged(const QString &path, QString *notice, QString *failure);
    // A result code that says the file is damaged, not merely busy or full.
    static bool isDamage(int sqliteCode);

    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase &) = delete;
    HistoryDatabase &operator=(const HistoryDatabase &) = delete;

    Statement prepare(const QString &sql) const;
    // The engine's result code (SQLITE_OK on success).
    int execute(const QString &sql) const;

    // One change of many rows: BEGIN IMMEDIATE, so that two programs
    // writing wait for each other instead of failing half-way.
    int begin() const;
    int commit() const;
    void rollback() const;
    // The rowid of the last row inserted.
    qint64 lastInsertId() const;

    // « L'historique des paies « historique.rkv » n'a pas pu être mis à
    // jour : le disque est plein. »
    QString failureText(int sqliteCode) const;
    QString filePath() const { return m_path; }

private:
    HistoryDatabase(sqlite3 *db, QString path);

    sqlite3 *m_db = nullptr;
    QString m_path;
};
