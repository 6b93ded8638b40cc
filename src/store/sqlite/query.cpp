#include "store/sqlite/query.h"

#include <sqlite3.h>

namespace Sqlite {

Query::Query(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    m_rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    m_statement.reset(statement);
}

Query &Query::bind(int value)
{
    return bound(sqlite3_bind_int(m_statement.get(), ++m_bound, value));
}

Query &Query::bind(qint64 value)
{
    return bound(sqlite3_bind_int64(m_statement.get(), ++m_bound, value));
}

Query &Query::bind(const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    return bound(sqlite3_bind_text64(m_statement.get(), ++m_bound, utf8.constData(), sqlite3_uint64(utf8.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8));
}

Query &Query::bind(double value)
{
    return bound(sqlite3_bind_double(m_statement.get(), ++m_bound, value));
}

Query &Query::bound(int rc)
{
    // The first failure stays: a statement that failed to prepare fails
    // every bind as well.
    if (rc != SQLITE_OK && (m_rc == SQLITE_OK || m_rc == SQLITE_ROW || m_rc == SQLITE_DONE))
        m_rc = rc;
    return *this;
}

bool Query::next()
{
    // Not again after the end or a failure: SQLite would start over.
    if (m_rc != SQLITE_OK && m_rc != SQLITE_ROW)
        return false;
    m_rc = sqlite3_step(m_statement.get());
    return m_rc == SQLITE_ROW;
}

bool Query::run()
{
    next();
    return m_rc == SQLITE_DONE || m_rc == SQLITE_ROW;
}

int Query::integer(int column) const
{
    return sqlite3_column_int(m_statement.get(), column);
}

qint64 Query::integer64(int column) const
{
    return sqlite3_column_int64(m_statement.get(), column);
}

double Query::real(int column) const
{
    return sqlite3_column_double(m_statement.get(), column);
}

QString Query::text(int column) const
{
    return QString::fromUtf8(utf8View(column));
}

QByteArrayView Query::utf8View(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement.get(), column));
    return QByteArrayView(bytes, sqlite3_column_bytes(m_statement.get(), column));
}

} // namespace Sqlite
