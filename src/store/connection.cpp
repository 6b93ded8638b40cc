#include "connection.h"
#include "storeerror.h"

#include <QDir>
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

// Reads the schema and looks for table cy with every column the windows
// read, so that a foreign or damaged file is refused at open with a reason
// instead of at the first query.
QString checkIdiomTable(sqlite3 *db)
{
    QStringList missing{QStringLiteral("id"), QStringLiteral("cy"), QStringLiteral("py"), QStringLiteral("ys"),
                        QStringLiteral("cc"), QStringLiteral("lz"), QStringLiteral("pyjm")};
    sqlite3_stmt *raw = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA table_info(cy)", -1, &raw, nullptr);
    Sqlite::Statement statement(raw);
    bool found = false;
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
            found = true;
            const auto *name = reinterpret_cast<const char *>(sqlite3_column_text(raw, 1));
            missing.removeIf([&](const QString &column) {
                return column.compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0;
            });
        }
    }
    if (rc != SQLITE_DONE)
        return sqliteFailure(db);
    if (!found)
        return QStringLiteral("文件中没有成语表 cy");
    if (!missing.isEmpty())
        return QStringLiteral("成语表 cy 缺少 %1 列").arg(missing.join(QStringLiteral("、")));
    return QString();
}

} // namespace

QString sqliteFailure(sqlite3 *db)
{
    const QString system = QString::fromUtf8(sqlite3_errmsg(db));
    switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_NOTADB:
        return QStringLiteral("这不是成语数据文件");
    case SQLITE_CORRUPT:
        return QStringLiteral("文件已损坏");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("无法打开文件，可能没有读取它的权限（%1）").arg(system);
    case SQLITE_IOERR:
        return QStringLiteral("读取文件时出错（%1）").arg(system);
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足");
    default:
        return system;
    }
}

QString dataFileError(const QString &path, const QString &reason)
{
    return QStringLiteral("成语数据文件“%1”无法使用：%2。\n"
                          "把这个文件删除（或者改个名字）后重新启动本程序，就会重新得到程序自带的成语数据。")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString missingDataFileError(const QString &path)
{
    return QStringLiteral("找不到成语数据文件“%1”。\n重新启动本程序，就会重新写出程序自带的成语数据。")
        .arg(QDir::toNativeSeparators(path));
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
        throw StoreError(missingDataFileError(path));
    if (!info.isFile())
        throw StoreError(dataFileError(path, info.isDir() ? QStringLiteral("这是一个文件夹，不是文件")
                                                          : QStringLiteral("这不是一个普通文件")));
    if (info.size() == 0)
        throw StoreError(dataFileError(path, QStringLiteral("文件是空的（0 字节）")));

    // A connection belongs to one window and is used on its thread only.
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    Sqlite::Database db(raw);
    if (rc != SQLITE_OK)
        throw StoreError(dataFileError(path, raw ? sqliteFailure(raw) : QString::fromUtf8(sqlite3_errstr(rc))));
    const QString problem = checkIdiomTable(db.get());
    if (!problem.isEmpty())
        throw StoreError(dataFileError(path, problem));

    m_db = std::move(db);
    m_dataSource = path;
}
