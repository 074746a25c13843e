#pragma once

class Database;

// A store change: begun at construction, rolled back at destruction unless
// commit() succeeded, so no half-written record ever reaches the file.
class Transaction
{
public:
    explicit Transaction(Database &database);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isActive() const { return m_active; }
    bool commit();
    // The engine's result code of the failed begin or commit (SQLITE_OK otherwise).
    int errorCode() const { return m_errorCode; }

private:
    Database &m_database;
    bool m_active = false;
    int m_errorCode = 0;
};
