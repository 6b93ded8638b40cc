#include "reader/readerstore.h"

#include "store/sqlite/query.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

using Sqlite::Query;

int execute(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

const char *const kSchema = R"(
CREATE TABLE IF NOT EXISTS history(
    idiom_id INTEGER PRIMARY KEY,
    text TEXT NOT NULL,
    shown INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS history_by_shown ON history(shown);
CREATE TABLE IF NOT EXISTS word_book(
    entry INTEGER PRIMARY KEY,
    idiom_id INTEGER NOT NULL UNIQUE,
    text TEXT NOT NULL,
    added INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS best_score(
    game TEXT PRIMARY KEY,
    score INTEGER NOT NULL);
)";

// The codes that say the file is no database, or a broken one.
bool damaged(int rc)
{
    rc &= 0xff;
    return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
}

// Opens `path` (":memory:" for none) and makes it ready: WAL journal, a
// wait on a busy file, the tables and the schema version. Returns SQLite's
// code; the database is kept only when it is SQLITE_OK.
int open(const QString &path, Sqlite::Database &kept)
{
    sqlite3 *raw = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    Sqlite::Database db(raw);
    if (rc != SQLITE_OK)
        return rc;
    sqlite3_extended_result_codes(raw, 1);
    // Another copy of the program may hold the file for a moment.
    sqlite3_busy_timeout(raw, 5000);
    // WAL: readers never wait for a writer, and a commit survives a killed
    // program; NORMAL syncs at checkpoints, which is enough short of a power cut.
    if ((rc = execute(raw, "PRAGMA journal_mode=WAL")) != SQLITE_OK
        || (rc = execute(raw, "PRAGMA synchronous=NORMAL")) != SQLITE_OK)
        return rc;
    Query check(raw, "PRAGMA quick_check");
    if (!check.next())
        return check.rc();
    if (check.text(0) != QLatin1String("ok"))
        return SQLITE_CORRUPT;
    if ((rc = execute(raw, "BEGIN IMMEDIATE")) != SQLITE_OK)
        return rc;
    Query version(raw, "PRAGMA user_version");
    if (!version.next()) {
        execute(raw, "ROLLBACK");
        return version.rc();
    }
    // A later program's file keeps its own, higher version.
    const QByteArray upgrade = version.integer(0) < ReaderStore::kSchemaVersion
                                   ? "PRAGMA user_version=" + QByteArray::number(ReaderStore::kSchemaVersion)
                                   : QByteArray("SELECT 1");
    if ((rc = execute(raw, kSchema)) != SQLITE_OK || (rc = execute(raw, upgrade.constData())) != SQLITE_OK
        || (rc = execute(raw, "COMMIT")) != SQLITE_OK) {
        execute(raw, "ROLLBACK");
        return rc;
    }
    kept = std::move(db);
    return SQLITE_OK;
}

// Renames the file, with its journal, to a name that says when it was put
// aside. Returns the new name, or empty when it could not be renamed.
QString setAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(path, aside))
        return {};
    for (const char *journal : {"-wal", "-shm"})
        if (QFile::exists(path + QLatin1String(journal)))
            QFile::rename(path + QLatin1String(journal), aside + QLatin1String(journal));
    return aside;
}

} // namespace

ReaderStore::ReaderStore(const QString &folder)
{
    if (!QDir().mkpath(folder)) {
        openInMemory();
        return;
    }
    openFile(QDir(folder).filePath(fileName()));
}

ReaderStore::ReaderStore()
{
    openInMemory();
}

ReaderStore::~ReaderStore() = default;
ReaderStore::ReaderStore(ReaderStore &&) noexcept = default;
ReaderStore &ReaderStore::operator=(ReaderStore &&) noexcept = default;

QString ReaderStore::fileName()
{
    return QStringLiteral("reader.sqlite");
}

void ReaderStore::openFile(const QString &path)
{
    int rc = open(path, m_db);
    // A file that exists but cannot be opened is as good as damaged; one the
    // folder keeps from being written is not, and stays as it is.
    const bool unopenable = (rc & 0xff) == SQLITE_CANTOPEN && QFileInfo(path).isFile()
                            && QFileInfo(QFileInfo(path).path()).isWritable();
    if (damaged(rc) || unopenable) {
        m_db.reset();
        m_setAsidePath = setAside(path);
        if (!m_setAsidePath.isEmpty()) {
            m_opening = Opening::SetAside;
            rc = open(path, m_db);
        }
    }
    if (rc != SQLITE_OK) {
        openInMemory();
        return;
    }
    m_path = path;
}

void ReaderStore::openInMemory()
{
    m_db.reset();
    m_path.clear();
    m_opening = Opening::InMemory;
    open(QStringLiteral(":memory:"), m_db);
}

template <typename Work>
bool ReaderStore::inTransaction(Work work)
{
    if (!m_db || execute(m_db.get(), "BEGIN IMMEDIATE") != SQLITE_OK)
        return false;
    if (work() && execute(m_db.get(), "COMMIT") == SQLITE_OK)
        return true;
    execute(m_db.get(), "ROLLBACK");
    return false;
}

bool ReaderStore::recordShown(int id, const QString &text)
{
    return inTransaction([&] {
        return Query(m_db.get(), "INSERT INTO history(idiom_id, text, shown) "
                                 "VALUES(?1, ?2, (SELECT coalesce(max(shown), 0) + 1 FROM history)) "
                                 "ON CONFLICT(idiom_id) DO UPDATE SET text = excluded.text, shown = excluded.shown")
                   .bind(id).bind(text).run()
            && Query(m_db.get(), "DELETE FROM history WHERE shown <= "
                                 "(SELECT shown FROM history ORDER BY shown DESC LIMIT 1 OFFSET ?1)")
                   .bind(kHistoryLimit).run();
    });
}

QList<HistoryEntry> ReaderStore::history() const
{
    QList<HistoryEntry> entries;
    Query query(m_db.get(), "SELECT idiom_id, text FROM history ORDER BY shown DESC");
    while (query.next())
        entries.append({query.integer(0), query.text(1)});
    return entries;
}

bool ReaderStore::clearHistory()
{
    return inTransaction([&] { return Query(m_db.get(), "DELETE FROM history").run(); });
}

bool ReaderStore::inWordBook(int id) const
{
    return Query(m_db.get(), "SELECT 1 FROM word_book WHERE idiom_id = ?1").bind(id).next();
}

bool ReaderStore::addToWordBook(int id, const QString &text)
{
    return addToWordBook(QList<HistoryEntry>{{id, text}}) >= 0;
}

int ReaderStore::addToWordBook(const QList<HistoryEntry> &idioms)
{
    int added = 0;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const bool written = inTransaction([&] {
        for (const HistoryEntry &idiom : idioms) {
            Query insert(m_db.get(), "INSERT OR IGNORE INTO word_book(idiom_id, text, added) VALUES(?1, ?2, ?3)");
            if (!insert.bind(idiom.id).bind(idiom.text).bind(now).run())
                return false;
            added += sqlite3_changes(m_db.get());
        }
        return true;
    });
    return written ? added : -1;
}

bool ReaderStore::removeFromWordBook(int id)
{
    return inTransaction([&] { return Query(m_db.get(), "DELETE FROM word_book WHERE idiom_id = ?1").bind(id).run(); });
}

QList<WordBookEntry> ReaderStore::wordBook() const
{
    QList<WordBookEntry> entries;
    Query query(m_db.get(), "SELECT idiom_id, text, added FROM word_book ORDER BY entry DESC");
    while (query.next())
        entries.append({query.integer(0), query.text(1), QDateTime::fromSecsSinceEpoch(query.integer64(2))});
    return entries;
}

int ReaderStore::bestScore(const QString &game) const
{
    Query query(m_db.get(), "SELECT score FROM best_score WHERE game = ?1");
    return query.bind(game).next() ? query.integer(0) : 0;
}

bool ReaderStore::offerScore(const QString &game, int score)
{
    if (score <= 0)
        return false; // no score beats none
    int kept = 0;
    const bool written = inTransaction([&] {
        // Only a higher score replaces the one kept, even when another copy
        // of the program kept one in the meantime.
        if (!Query(m_db.get(), "INSERT INTO best_score(game, score) VALUES(?1, ?2) "
                               "ON CONFLICT(game) DO UPDATE SET score = excluded.score WHERE excluded.score > score")
                 .bind(game).bind(score).run())
            return false;
        kept = sqlite3_changes(m_db.get());
        return true;
    });
    return written && kept > 0;
}

int ReaderStore::schemaVersion() const
{
    Query query(m_db.get(), "PRAGMA user_version");
    return query.next() ? query.integer(0) : 0;
}
