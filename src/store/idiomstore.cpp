#include "store/idiomstore.h"
#include "store/idiomtable.h"
#include "store/sqlite/query.h"
#include "store/storeerror.h"
#include "store/textfold.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <sqlite3.h>

namespace {

// Rows come in the order the file stores them, ascending id, whichever
// index finds them.
constexpr const char *kCount = "SELECT count(*) FROM cy";
constexpr const char *kIdiomById = "SELECT id, cy, py, ys, cc, lz FROM cy WHERE id = ?";
constexpr const char *kIdiomIs = "SELECT id, cy FROM cy WHERE cy = ? ORDER BY id";
constexpr const char *kInitialsAre = "SELECT id, cy FROM cy WHERE pyjm = ? ORDER BY id";
constexpr const char *kIdiomLike = "SELECT id, cy FROM cy WHERE cy LIKE ? ORDER BY id";
constexpr const char *kInitialsLike = "SELECT id, cy FROM cy WHERE pyjm LIKE ? ORDER BY id";
constexpr const char *kIndex = "SELECT id, cy, py FROM cy ORDER BY id";
constexpr const char *kEvery = "SELECT id, cy, py, ys, cc, lz FROM cy ORDER BY id";
constexpr const char *kHasCommon = "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'common'";
constexpr const char *kCommon = "SELECT id, documents, rank FROM common ORDER BY rank";
constexpr const char *kCommonById = "SELECT id, documents, rank FROM common ORDER BY id";
constexpr const char *kCommonRanks = "SELECT id, rank FROM common";
constexpr const char *kLastId = "SELECT max(id) FROM cy";
constexpr const char *kHolding[] = {
    "SELECT id, cy FROM cy WHERE ys LIKE ? ORDER BY id", // the meaning
    "SELECT id, cy FROM cy WHERE cc LIKE ? ORDER BY id", // the source
    "SELECT id, cy FROM cy WHERE lz LIKE ? ORDER BY id", // the example
};

// The last character of `text`, whole: a character outside the basic plane
// is two code units, and half of it would match nothing.
QString lastCharacter(const QString &text)
{
    const std::u32string characters = allCodePoints(text);
    return characters.empty() ? text : QStringView(QChar::fromUcs4(characters.back())).toString();
}

// The kind of fault behind the last failed call on `db`.
StoreError failure(sqlite3 *db, const QString &path)
{
    const QString system = QString::fromUtf8(sqlite3_errmsg(db));
    switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_NOTADB:
        return StoreError(StoreError::NotADataFile, path);
    case SQLITE_CORRUPT:
        return StoreError(StoreError::Damaged, path);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return StoreError(StoreError::Unreadable, path, system);
    case SQLITE_IOERR:
        return StoreError(StoreError::ReadFailed, path, system);
    case SQLITE_NOMEM:
        return StoreError(StoreError::OutOfMemory, path);
    default:
        return StoreError(StoreError::Failed, path, system);
    }
}

// The connection held by one thread, so that a failure's code and message
// are read before a statement of another thread replaces them.
class ConnectionLock
{
public:
    explicit ConnectionLock(sqlite3 *db) : m_mutex(sqlite3_db_mutex(db)) { sqlite3_mutex_enter(m_mutex); }
    ~ConnectionLock() { sqlite3_mutex_leave(m_mutex); }
    ConnectionLock(const ConnectionLock &) = delete;
    ConnectionLock &operator=(const ConnectionLock &) = delete;

private:
    sqlite3_mutex *m_mutex;
};

// A statement on the data file at `path`, its failures thrown as StoreError.
// It holds the connection from its preparing to its end.
class Query : private ConnectionLock, public Sqlite::Query
{
public:
    Query(sqlite3 *db, const QString &path, const char *sql)
        : ConnectionLock(db), Sqlite::Query(db, sql), m_db(db), m_path(path)
    {
        if (rc() != SQLITE_OK)
            throw failure(db, path);
    }

    Query &bind(const QString &text)
    {
        Sqlite::Query::bind(text);
        return *this;
    }
    Query &bind(int number)
    {
        Sqlite::Query::bind(number);
        return *this;
    }

    // Moves to the next row; false past the last.
    bool next()
    {
        if (Sqlite::Query::next())
            return true;
        if (rc() != SQLITE_DONE)
            throw failure(m_db, m_path);
        return false;
    }

private:
    sqlite3 *m_db;
    const QString &m_path;
};

// Whether table cy has every column the program reads: a foreign or damaged
// file is refused when it is opened rather than at the first look-up.
void checkIdiomTable(sqlite3 *db, const QString &path)
{
    QStringList missing;
    for (const IdiomTable::Column &column : IdiomTable::kColumns)
        missing << QString::fromLatin1(column.name);
    Query columns(db, path, "PRAGMA table_info(cy)");
    bool found = false;
    while (columns.next()) {
        found = true;
        const QString name = columns.text(1);
        missing.removeIf([&](const QString &column) { return column.compare(name, Qt::CaseInsensitive) == 0; });
    }
    if (!found)
        throw StoreError(StoreError::NoIdiomTable, path);
    if (!missing.isEmpty())
        throw StoreError(StoreError::MissingColumns, path, missing.join(QStringLiteral("、")));
}

} // namespace

IdiomStore::IdiomStore(const QString &path) : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw StoreError(StoreError::Missing, path);
    if (!info.isFile())
        throw StoreError(info.isDir() ? StoreError::IsFolder : StoreError::NotAFile, path);
    if (info.size() == 0)
        throw StoreError(StoreError::Empty, path);

    // Serialised: the search may run on several threads at once.
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr);
    m_db.reset(raw);
    if (rc != SQLITE_OK)
        throw raw ? failure(raw, path) : StoreError(StoreError::OutOfMemory, path);
    checkIdiomTable(raw, path);
    m_longestPattern = sqlite3_limit(raw, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
}

IdiomStore::IdiomStore(const QString &path, const QByteArray &bytes) : m_path(path), m_bytes(bytes)
{
    if (m_bytes.isEmpty())
        throw StoreError(StoreError::Empty, path);
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
    m_db.reset(raw);
    if (rc != SQLITE_OK)
        throw raw ? failure(raw, path) : StoreError(StoreError::OutOfMemory, path);
    // SQLite reads the bytes where they are and never writes them.
    auto *data = reinterpret_cast<unsigned char *>(const_cast<char *>(m_bytes.constData()));
    if (sqlite3_deserialize(raw, "main", data, m_bytes.size(), m_bytes.size(), SQLITE_DESERIALIZE_READONLY)
        != SQLITE_OK)
        throw failure(raw, path);
    checkIdiomTable(raw, path);
    m_longestPattern = sqlite3_limit(raw, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
}

IdiomStore IdiomStore::inMemory(const QByteArray &bytes, const QString &name)
{
    return IdiomStore(name, bytes);
}

int IdiomStore::count() const
{
    Query query(m_db.get(), m_path, kCount);
    query.next();
    return query.integer(0);
}

Idiom IdiomStore::idiom(int id) const
{
    Query query(m_db.get(), m_path, kIdiomById);
    if (!query.bind(id).next())
        throw StoreError(StoreError::MissingIdiom, m_path, QString::number(id));
    return {query.integer(0), query.text(1), query.text(2), query.text(3), query.text(4), query.text(5)};
}

QList<IdiomEntry> IdiomStore::search(const QString &text) const
{
    const QString pattern = prefixPattern(text);
    return writtenAs(text) + entries(kInitialsAre, text) + entries(kIdiomLike, pattern)
         + entries(kInitialsLike, pattern);
}

QList<IdiomEntry> IdiomStore::writtenAs(const QString &text) const
{
    return entries(kIdiomIs, text);
}

QList<IdiomEntry> IdiomStore::holding(Text column, const QString &text) const
{
    return entries(kHolding[int(column)], containingPattern(text));
}

QList<IdiomEntry> IdiomStore::followers(const QString &link) const
{
    const QString last = lastCharacter(link);
    QList<IdiomEntry> found = beginningWith(last);
    if (!found.isEmpty())
        return found;
    QSet<QString> looked{last};
    for (const QString &form : plainForms(link)) {
        const QString character = lastCharacter(form);
        if (!looked.contains(character)) {
            looked.insert(character);
            found += beginningWith(character);
        }
    }
    return inFileOrder(found);
}

void IdiomStore::readReadings(const std::function<void(int, QByteArrayView, QByteArrayView)> &take) const
{
    // The scan reads each page once: a cache of a few pages serves it, where
    // the usual one would fill 2 MB that nothing reads again.
    Query cacheSize(m_db.get(), m_path, "PRAGMA cache_size");
    cacheSize.next();
    const QByteArray usual = "PRAGMA cache_size = " + QByteArray::number(cacheSize.integer(0));
    sqlite3_exec(m_db.get(), "PRAGMA cache_size = 16", nullptr, nullptr, nullptr);
    const auto restore = qScopeGuard([&] { sqlite3_exec(m_db.get(), usual.constData(), nullptr, nullptr, nullptr); });
    Query query(m_db.get(), m_path, kIndex);
    while (query.next())
        take(query.integer(0), query.utf8View(1), query.utf8View(2));
}

void IdiomStore::readEvery(const TakeIdiom &take) const
{
    Query query(m_db.get(), m_path, kEvery);
    while (query.next()) {
        take(query.integer(0), query.text(1), query.text(2), query.utf8View(3), query.utf8View(4),
             query.utf8View(5));
    }
}

QList<CommonIdiom> IdiomStore::commonIdioms() const
{
    return common(kCommon);
}

QList<CommonIdiom> IdiomStore::commonIdiomsById() const
{
    return common(kCommonById);
}

QList<CommonIdiom> IdiomStore::common(const char *sql) const
{
    QList<CommonIdiom> found;
    if (!hasCommonList())
        return found;
    Query query(m_db.get(), m_path, sql);
    while (query.next())
        found.append({query.integer(0), query.integer64(1), query.integer(2)});
    return found;
}

std::vector<int> IdiomStore::commonRanks() const
{
    // Sized by the largest id, which SQLite finds in the table's tree at
    // once, where counting the idioms reads every page of the table; and
    // the ranks read in the table's order, with nothing to sort.
    Query last(m_db.get(), m_path, kLastId);
    last.next();
    std::vector<int> ranks(size_t(std::max(last.integer(0), 0)) + 1, 0);
    if (!hasCommonList())
        return ranks;
    Query query(m_db.get(), m_path, kCommonRanks);
    while (query.next()) {
        if (const int id = query.integer(0); id > 0 && size_t(id) < ranks.size())
            ranks[size_t(id)] = query.integer(1);
    }
    return ranks;
}

bool IdiomStore::hasCommonList() const
{
    Query has(m_db.get(), m_path, kHasCommon);
    return has.next() && has.integer(0) != 0;
}

QList<IdiomEntry> IdiomStore::beginningWith(const QString &character) const
{
    return entries(kIdiomLike, prefixPattern(character));
}

QString IdiomStore::prefixPattern(const QString &text) const
{
    // "%%" means what "%" does. A pattern that is still longer than LIKE
    // takes needs a text far longer than any idiom: null matches nothing,
    // without an error.
    QString pattern = text + QLatin1Char('%');
    while (pattern.contains(QLatin1String("%%")))
        pattern.replace(QLatin1String("%%"), QLatin1String("%"));
    return pattern.toUtf8().size() > m_longestPattern ? QString() : pattern;
}

QString IdiomStore::containingPattern(const QString &text) const
{
    return prefixPattern(QLatin1Char('%') + text);
}

QList<IdiomEntry> IdiomStore::entries(const char *sql, const QString &value) const
{
    Query query(m_db.get(), m_path, sql);
    if (!value.isNull())
        query.bind(value);
    QList<IdiomEntry> found;
    while (query.next())
        found.append({query.text(1), query.integer(0)});
    return found;
}
