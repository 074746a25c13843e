#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQL statement, finalized with its owner. Values only ever
// reach the engine as bound parameters; reset() ends a reading at once so no
// lock outlives it (other connections of the program may want to write).
class Statement
{
public:
    Statement() = default;
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    // The engine's result code of the preparation (SQLITE_OK when valid).
    int prepareCode() const { return m_prepareCode; }

    void bindText(int index, const QString &text);
    void bindBlob(int index, const QByteArray &data);
    void bindInt64(int index, qint64 value);

    // SQLITE_ROW, SQLITE_DONE or the engine's error code.
    int step();
    void reset();

    QString columnText(int column) const;
    QByteArray columnBlob(int column) const;
    qint64 columnInt64(int column) const;

private:
    void finalize();

    sqlite3_stmt *m_stmt = nullptr;
    int m_prepareCode = 0;
};
