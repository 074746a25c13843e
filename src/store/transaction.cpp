#include "transaction.h"

#include "database.h"

#include <sqlite3.h>

Transaction::Transaction(Database &database)
    : m_database(database)
{
    // IMMEDIATE takes the write lock now, so a file held by another program
    // is refused before anything is changed, after the busy timeout.
    m_errorCode = sqlite3_exec(m_database.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    m_active = m_errorCode == SQLITE_OK;
}

Transaction::~Transaction()
{
    if (m_active)
        sqlite3_exec(m_database.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    m_errorCode = sqlite3_exec(m_database.handle(), "COMMIT", nullptr, nullptr, nullptr);
    if (m_errorCode == SQLITE_OK)
        m_active = false;
    // A failed commit leaves the transaction open: the destructor rolls it back.
    return !m_active;
}
