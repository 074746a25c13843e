#include "statement.h"

#include <sqlite3.h>

#include <utility>

Statement::Statement(sqlite3 *db, const QString &sql)
{
    const QByteArray text = sql.toUtf8();
    m_prepareCode = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
    if (m_prepareCode != SQLITE_OK)
        finalize();
}

Statement::~Statement()
{
    finalize();
}

Statement::Statement(Statement &&other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr))
    , m_prepareCode(other.m_prepareCode)
{}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        finalize();
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_prepareCode = other.m_prepareCode;
    }
    return *this;
}

void Statement::finalize()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

void Statement::bindText(int index, const QString &text)
{
    if (!m_stmt)
        return;
    const QByteArray utf8 = text.toUtf8();
    // An empty text stays an empty text, never NULL.
    sqlite3_bind_text(m_stmt, index, utf8.isNull() ? "" : utf8.constData(), int(utf8.size()),
                      SQLITE_TRANSIENT);
}

void Statement::bindBlob(int index, const QByteArray &data)
{
    if (!m_stmt)
        return;
    if (data.isEmpty())
        sqlite3_bind_zeroblob(m_stmt, index, 0);
    else
        sqlite3_bind_blob(m_stmt, index, data.constData(), int(data.size()), SQLITE_TRANSIENT);
}

void Statement::bindInt64(int index, qint64 value)
{
    if (!m_stmt)
        return;
    sqlite3_bind_int64(m_stmt, index, value);
}

int Statement::step()
{
    return m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE;
}

void Statement::reset()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

QString Statement::columnText(int column) const
{
    if (!m_stmt)
        return QString(QLatin1String(""));
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return text ? QString::fromUtf8(text, size) : QString(QLatin1String(""));
}

QByteArray Statement::columnBlob(int column) const
{
    if (!m_stmt)
        return QByteArray();
    const void *data = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? QByteArray(static_cast<const char *>(data), size) : QByteArray();
}

qint64 Statement::columnInt64(int column) const
{
    if (!m_stmt)
        return 0;
    return sqlite3_column_int64(m_stmt, column);
}
