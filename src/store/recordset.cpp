#include "recordset.h"
#include "connection.h"
#include "storeerror.h"

namespace {

// Prepares the statement and binds its values. On failure returns null with
// the reason in `error`; `fileFault` tells a data file that cannot be read
// (damaged, unreadable) from a statement that is wrong.
sqlite3_stmt *prepare(sqlite3 *db, const Command &command, QString *error, bool *fileFault = nullptr)
{
    const QByteArray sql = command.text.toUtf8();
    sqlite3_stmt *raw = nullptr;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &raw, &tail);
    if (rc != SQLITE_OK) {
        *error = sqliteFailure(db);
        if (fileFault)
            *fileFault = (rc & 0xff) != SQLITE_ERROR;
        return nullptr;
    }
    Sqlite::Statement statement(raw);
    if (!raw || !QByteArray(tail).trimmed().isEmpty()) {
        *error = QStringLiteral("只能执行一条查询语句");
        return nullptr;
    }
    if (!sqlite3_stmt_readonly(raw)) {
        *error = QStringLiteral("数据文件是只读的，不能执行修改数据的语句");
        return nullptr;
    }
    if (sqlite3_bind_parameter_count(raw) != command.parameters.size()) {
        *error = QStringLiteral("语句的参数个数不符");
        return nullptr;
    }
    for (int i = 0; i < command.parameters.size(); ++i) {
        const QVariant &value = command.parameters.at(i);
        int rc;
        if (value.isNull()) {
            rc = sqlite3_bind_null(raw, i + 1);
        } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            rc = sqlite3_bind_int64(raw, i + 1, value.toLongLong());
        } else {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(raw, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) {
            *error = QString::fromUtf8(sqlite3_errmsg(db));
            return nullptr;
        }
    }
    return statement.release();
}

} // namespace

void Recordset::open(const Command &source, Connection &activeConnection,
                     CursorType cursorType, LockType lockType, int options)
{
    Q_UNUSED(cursorType)
    Q_UNUSED(lockType)
    Q_UNUSED(options)
    if (m_statement)
        throw StoreError(QStringLiteral("记录集已经打开，不能再次打开。"));
    if (!activeConnection.isOpen())
        throw StoreError(QStringLiteral("到成语数据文件的连接没有打开。"));

    m_db = activeConnection.handle();
    m_dataSource = activeConnection.dataSource();
    // Rows come in the order the data file stores them, ascending id, as a
    // scan of the table gives them, whichever index found them. The windows
    // read table cy alone and bring no ordering of their own, so the order is
    // added here; a statement of any other shape is refused.
    QString error;
    bool fileFault = false;
    const Command ordered(source.text + QStringLiteral(" ORDER BY rowid"), source.parameters);
    Sqlite::Statement statement(prepare(m_db, ordered, &error, &fileFault));
    if (!statement && fileFault)
        failOnFile(error);
    if (!statement)
        fail(QStringLiteral("语句“%1”不是对成语表 cy 的简单查询（%2）").arg(source.text, error));

    // The first step starts the read transaction that keeps this result, and
    // the count taken later, fixed until the last row has been read.
    const int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        failOnFile(sqliteFailure(m_db));

    m_columns.clear();
    for (int i = 0, n = sqlite3_column_count(statement.get()); i < n; ++i)
        m_columns << QString::fromUtf8(sqlite3_column_name(statement.get(), i));
    m_source = source;
    m_eof = rc == SQLITE_DONE;
    m_recordCount = m_eof ? 0 : -1;
    m_statement = std::move(statement);
}

int Recordset::recordCount()
{
    requireOpen("RecordCount");
    if (m_recordCount < 0) {
        // Counting the result as a whole lets SQLite skip reading the rows.
        Command count(QStringLiteral("SELECT count(*) FROM (%1)").arg(m_source.text), m_source.parameters);
        QString error;
        Sqlite::Statement statement(prepare(m_db, count, &error));
        if (!statement)
            failOnFile(error);
        if (sqlite3_step(statement.get()) != SQLITE_ROW)
            failOnFile(sqliteFailure(m_db));
        m_recordCount = int(sqlite3_column_int64(statement.get(), 0));
    }
    return m_recordCount;
}

void Recordset::moveNext()
{
    requireOpen("MoveNext");
    if (m_eof)
        fail(QStringLiteral("已经在最后一条记录之后，不能再向后移动"));
    const int rc = sqlite3_step(m_statement.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        failOnFile(sqliteFailure(m_db));
    m_eof = rc == SQLITE_DONE;
}

void Recordset::close()
{
    requireOpen("Close");
    m_statement.reset();
    m_columns.clear();
    m_source = Command(QString());
    m_eof = true;
    m_recordCount = -1;
}

void Recordset::requireOpen(const char *operation) const
{
    if (!m_statement)
        throw StoreError(QStringLiteral("记录集没有打开，不能执行 %1。").arg(QLatin1String(operation)));
}

void Recordset::failOnFile(const QString &reason) const
{
    throw StoreError(dataFileError(m_dataSource, reason));
}

void Recordset::fail(const QString &reason) const
{
    throw StoreError(QStringLiteral("读取成语数据文件“%1”时出错：%2。").arg(m_dataSource, reason));
}

int Fields::count() const
{
    return int(m_recordset->m_columns.size());
}

Field Fields::item(const QString &name) const
{
    m_recordset->requireOpen("Fields");
    const QStringList &columns = m_recordset->m_columns;
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i) == name) // the usual case, and the quick one
            return Field(m_recordset, i);
    }
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return Field(m_recordset, i);
    }
    m_recordset->fail(QStringLiteral("结果中没有名为 %1 的列").arg(name));
}

QVariant Field::value() const
{
    m_recordset->requireOpen("Value");
    if (m_recordset->m_eof)
        m_recordset->fail(QStringLiteral("当前没有记录"));
    sqlite3_stmt *statement = m_recordset->m_statement.get();
    switch (sqlite3_column_type(statement, m_column)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER: {
        const qint64 number = sqlite3_column_int64(statement, m_column);
        if (number >= INT_MIN && number <= INT_MAX)
            return int(number);
        return number;
    }
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, m_column);
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, m_column));
        return QString::fromUtf8(text, sqlite3_column_bytes(statement, m_column));
    }
    }
}
