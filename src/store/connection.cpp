#include "connection.h"
#include "storeerror.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

const QString kProvider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");

// Splits "Key=Value;Key=Value;" into its pairs, keys in lower case. A value
// may be enclosed in double or single quotes, a doubled quote standing for
// one, so that a path holding ';' survives the trip.
QHash<QString, QString> parseConnectionString(const QString &text)
{
    QHash<QString, QString> pairs;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), i);
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), i);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            const QString stray = text.mid(i, semicolon < 0 ? -1 : semicolon - i).trimmed();
            if (!stray.isEmpty())
                throw StoreError(QStringLiteral("连接字符串有误：“%1”缺少“=”。").arg(stray));
            if (semicolon < 0)
                break;
            i = semicolon + 1;
            continue;
        }
        const QString key = text.mid(i, equals - i).trimmed().toLower();
        i = equals + 1;
        while (i < n && text.at(i) == QLatin1Char(' '))
            ++i;
        QString value;
        if (i < n && (text.at(i) == QLatin1Char('"') || text.at(i) == QLatin1Char('\''))) {
            const QChar quote = text.at(i++);
            for (;; ++i) {
                if (i >= n)
                    throw StoreError(QStringLiteral("连接字符串有误：“%1”的值缺少结束引号。").arg(key));
                if (text.at(i) == quote) {
                    if (i + 1 < n && text.at(i + 1) == quote) {
                        value += quote;
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text.at(i);
            }
            const qsizetype end = text.indexOf(QLatin1Char(';'), i);
            i = end < 0 ? n : end + 1;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), i);
            value = text.mid(i, end < 0 ? -1 : end - i).trimmed();
            i = end < 0 ? n : end + 1;
        }
        pairs.insert(key, value);
    }
    return pairs;
}

// Reads the first page and looks for table cy, so that a foreign or damaged
// file is refused at open with a reason instead of at the first query.
QString checkIdiomTable(sqlite3 *db)
{
    sqlite3_stmt *raw = nullptr;
    int rc = sqlite3_prepare_v2(
        db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name='cy'", -1, &raw, nullptr);
    Sqlite::Statement statement(raw);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(raw);
    if (rc == SQLITE_ROW)
        return sqlite3_column_int(raw, 0) == 1 ? QString() : QStringLiteral("文件中没有成语表 cy");
    return sqliteFailure(db);
}

} // namespace

QString sqliteFailure(sqlite3 *db)
{
    switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_NOTADB:
        return QStringLiteral("不是成语数据文件（无法识别的文件格式）");
    case SQLITE_CORRUPT:
        return QStringLiteral("文件已损坏");
    default:
        return QString::fromUtf8(sqlite3_errmsg(db));
    }
}

QString dataFileError(const QString &path, const QString &reason)
{
    return QStringLiteral("成语数据文件“%1”无法使用：%2。").arg(path, reason);
}

void Connection::open(const QString &connectionString, const QString &userId,
                      const QString &password, int options)
{
    Q_UNUSED(userId)
    Q_UNUSED(password)
    Q_UNUSED(options)
    if (m_db)
        throw StoreError(QStringLiteral("连接已经打开，不能再次打开。"));

    // The database password piece is accepted and not needed: the data file
    // carries nothing secret and SQLite keeps no password.
    const QHash<QString, QString> pairs = parseConnectionString(connectionString);
    const QString provider = pairs.value(QStringLiteral("provider"));
    if (provider.compare(kProvider, Qt::CaseInsensitive) != 0)
        throw StoreError(provider.isEmpty()
                             ? QStringLiteral("连接字符串没有指明数据提供程序。")
                             : QStringLiteral("不支持的数据提供程序“%1”。").arg(provider));
    const QString path = pairs.value(QStringLiteral("data source"));
    if (path.isEmpty())
        throw StoreError(QStringLiteral("连接字符串没有指明数据源（Data Source）。"));

    const QFileInfo info(path);
    if (!info.exists())
        throw StoreError(dataFileError(path, QStringLiteral("文件不存在")));
    if (!info.isFile())
        throw StoreError(dataFileError(path, QStringLiteral("这不是一个普通文件")));
    if (info.size() == 0)
        throw StoreError(dataFileError(path, QStringLiteral("文件是空的（0 字节）")));

    // A connection belongs to one window and is used on its thread only.
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    Sqlite::Database db(raw);
    if (rc != SQLITE_OK)
        throw StoreError(dataFileError(path, QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc))));
    const QString problem = checkIdiomTable(db.get());
    if (!problem.isEmpty())
        throw StoreError(dataFileError(path, problem));

    m_db = std::move(db);
    m_dataSource = path;
}
