#include "reader/readerfile.h"

#include "store/sqlite/query.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

using Sqlite::Query;

// Making a new or older file ready may wait this long for another copy's
// lock, in milliseconds; a file already ready is only read.
constexpr int kReadyWait = 5000;

int execute(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// SQLite's code of running `query` to its end: SQLITE_OK when it ran.
int run(Query &query)
{
    return query.run() ? SQLITE_OK : query.rc();
}

int run(Query &&query)
{
    return run(query);
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
CREATE TABLE IF NOT EXISTS review(
    entry INTEGER PRIMARY KEY,
    idiom_id INTEGER NOT NULL,
    reviewed INTEGER NOT NULL,
    grade INTEGER NOT NULL CHECK(grade BETWEEN 1 AND 4),
    phase INTEGER NOT NULL,
    stability REAL NOT NULL,
    difficulty REAL NOT NULL,
    due INTEGER NOT NULL);
)";

// Every statement the file runs on its tables.
const char *const kRecordShown = "INSERT INTO history(idiom_id, text, shown) "
                                 "VALUES(?1, ?2, (SELECT coalesce(max(shown), 0) + 1 FROM history)) "
                                 "ON CONFLICT(idiom_id) DO UPDATE SET text = excluded.text, shown = excluded.shown";
const char *const kTrimHistory = "DELETE FROM history WHERE shown <= "
                                 "(SELECT shown FROM history ORDER BY shown DESC LIMIT 1 OFFSET ?1)";
const char *const kClearHistory = "DELETE FROM history";
const char *const kRemoveFromHistory = "DELETE FROM history WHERE idiom_id = ?1";
const char *const kAddToWordBook = "INSERT OR IGNORE INTO word_book(idiom_id, text, added) VALUES(?1, ?2, ?3)";
const char *const kRemoveFromWordBook = "DELETE FROM word_book WHERE idiom_id = ?1";
const char *const kKeepScore = "INSERT INTO best_score(game, score) VALUES(?1, ?2) "
                               "ON CONFLICT(game) DO UPDATE SET score = excluded.score WHERE excluded.score > score";
const char *const kHistory = "SELECT idiom_id, text FROM history ORDER BY shown DESC";
const char *const kInWordBook = "SELECT 1 FROM word_book WHERE idiom_id = ?1";
const char *const kWordBook = "SELECT idiom_id, text, added FROM word_book ORDER BY entry DESC";
const char *const kBestScore = "SELECT score FROM best_score WHERE game = ?1";
const char *const kRecordReview = "INSERT INTO review(idiom_id, reviewed, grade, phase, stability, difficulty, due) "
                                  "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)";
const char *const kReviews = "SELECT idiom_id, reviewed, grade, phase, stability, difficulty, due FROM review ORDER BY entry";

// Whether every statement above can run on those of the file's tables that
// are there (the others are made): a table of the same name that some other
// program made, with other columns or without the unique idiom, cannot take
// them. Returns SQLite's code of reading the file's schema, and so of a file
// that is no database.
int fitting(sqlite3 *db, bool *fits)
{
    struct Table
    {
        const char *name;
        std::initializer_list<const char *> statements;
    };
    const Table tables[] = {
        {"history", {kRecordShown, kTrimHistory, kClearHistory, kRemoveFromHistory, kHistory}},
        {"word_book", {kAddToWordBook, kRemoveFromWordBook, kInWordBook, kWordBook}},
        {"best_score", {kKeepScore, kBestScore}},
        {"review", {kRecordReview, kReviews}},
    };
    *fits = true;
    for (const Table &table : tables) {
        Query there(db, "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1");
        if (!there.bind(QString::fromLatin1(table.name)).next()) {
            if (there.rc() != SQLITE_DONE && there.rc() != SQLITE_OK)
                return there.rc();
            continue;
        }
        for (const char *sql : table.statements) {
            sqlite3_stmt *statement = nullptr;
            const int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
            sqlite3_finalize(statement);
            if (rc != SQLITE_OK)
                *fits = false;
        }
    }
    return SQLITE_OK;
}

// Whether the file holds this program's schema, or a later one, whole.
bool ready(sqlite3 *db)
{
    Query version(db, "PRAGMA user_version");
    Query tables(db, "SELECT count(*) FROM sqlite_schema "
                     "WHERE name IN ('history', 'history_by_shown', 'word_book', 'best_score', 'review')");
    return version.next() && version.integer(0) >= ReaderFile::kSchemaVersion && tables.next()
           && tables.integer(0) == 5;
}

// The codes that say the file is no database, or a broken one.
bool damaged(int rc)
{
    rc &= 0xff;
    return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
}

// Opens `path` (":memory:" for none) and makes it ready: WAL journal, the
// tables and the schema version. Returns SQLite's code; the database is kept
// only when it is SQLITE_OK.
int open(const QString &path, Sqlite::Database &kept)
{
    sqlite3 *raw = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    Sqlite::Database db(raw);
    if (rc != SQLITE_OK)
        return rc;
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, kReadyWait);
    // Tables of this program's names that are not its own make a damaged
    // file, told before anything is written to it.
    bool fits = true;
    if ((rc = fitting(raw, &fits)) != SQLITE_OK)
        return rc;
    if (!fits)
        return SQLITE_CORRUPT;
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
    if (!ready(raw)) {
        if ((rc = execute(raw, "BEGIN IMMEDIATE")) != SQLITE_OK)
            return rc;
        Query version(raw, "PRAGMA user_version");
        if (!version.next()) {
            execute(raw, "ROLLBACK");
            return version.rc();
        }
        // A later program's file keeps its own, higher version.
        const QByteArray upgrade = version.integer(0) < ReaderFile::kSchemaVersion
                                       ? "PRAGMA user_version=" + QByteArray::number(ReaderFile::kSchemaVersion)
                                       : QByteArray("SELECT 1");
        if ((rc = execute(raw, kSchema)) != SQLITE_OK || (rc = execute(raw, upgrade.constData())) != SQLITE_OK
            || (rc = execute(raw, "COMMIT")) != SQLITE_OK) {
            execute(raw, "ROLLBACK");
            return rc;
        }
    }
    sqlite3_busy_timeout(raw, ReaderFile::kWriteWait);
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

ReaderFile::ReaderFile(const QString &folder)
{
    if (!QDir().mkpath(folder)) {
        openInMemory();
        return;
    }
    openFile(QDir(folder).filePath(fileName()));
}

ReaderFile::ReaderFile()
{
    openInMemory();
}

QString ReaderFile::fileName()
{
    return QStringLiteral("reader.sqlite");
}

void ReaderFile::openFile(const QString &path)
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

void ReaderFile::openInMemory()
{
    m_db.reset();
    m_path.clear();
    m_opening = Opening::InMemory;
    open(QStringLiteral(":memory:"), m_db);
}

void ReaderFile::setWriteWait(int milliseconds)
{
    sqlite3_busy_timeout(m_db.get(), milliseconds);
}

template <typename Work>
int ReaderFile::inTransaction(Work work)
{
    if (!m_db)
        return SQLITE_CANTOPEN;
    int rc = execute(m_db.get(), "BEGIN IMMEDIATE");
    if (rc == SQLITE_OK && (rc = work()) == SQLITE_OK && (rc = execute(m_db.get(), "COMMIT")) == SQLITE_OK)
        return SQLITE_OK;
    if (!sqlite3_get_autocommit(m_db.get()))
        execute(m_db.get(), "ROLLBACK");
    return rc;
}

int ReaderFile::write(const ReaderChange &change)
{
    return inTransaction([&] { return std::visit([this](const auto &one) { return writeOne(one); }, change); });
}

int ReaderFile::writeOne(const IdiomShown &change)
{
    const int rc = run(Query(m_db.get(), kRecordShown).bind(change.id).bind(change.text));
    if (rc != SQLITE_OK)
        return rc;
    return run(Query(m_db.get(), kTrimHistory).bind(kHistoryLimit));
}

int ReaderFile::writeOne(const HistoryCleared &)
{
    return run(Query(m_db.get(), kClearHistory));
}

int ReaderFile::writeOne(const HistoryRemoved &change)
{
    return removeEach(kRemoveFromHistory, change.ids);
}

int ReaderFile::writeOne(const WordBookAdded &change)
{
    for (const HistoryEntry &idiom : change.idioms) {
        const int rc = run(Query(m_db.get(), kAddToWordBook).bind(idiom.id).bind(idiom.text).bind(change.added));
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

int ReaderFile::writeOne(const WordBookRemoved &change)
{
    return removeEach(kRemoveFromWordBook, change.ids);
}

int ReaderFile::removeEach(const char *sql, const QList<int> &ids)
{
    for (const int id : ids) {
        if (const int rc = run(Query(m_db.get(), sql).bind(id)); rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

int ReaderFile::writeOne(const ScoreKept &change)
{
    // Only a higher score replaces the one kept, even when another copy of
    // the program kept one in the meantime.
    return run(Query(m_db.get(), kKeepScore)
                   .bind(change.game)
                   .bind(change.score));
}

int ReaderFile::writeOne(const ReviewRecord &change)
{
    return run(Query(m_db.get(), kRecordReview)
                   .bind(change.id)
                   .bind(change.reviewed)
                   .bind(change.grade)
                   .bind(change.phase)
                   .bind(change.stability)
                   .bind(change.difficulty)
                   .bind(change.due));
}

QList<HistoryEntry> ReaderFile::history() const
{
    QList<HistoryEntry> entries;
    Query query(m_db.get(), kHistory);
    while (query.next())
        entries.append({query.integer(0), query.text(1)});
    return entries;
}

bool ReaderFile::inWordBook(int id) const
{
    return Query(m_db.get(), kInWordBook).bind(id).next();
}

QList<WordBookEntry> ReaderFile::wordBook() const
{
    QList<WordBookEntry> entries;
    Query query(m_db.get(), kWordBook);
    while (query.next())
        entries.append({query.integer(0), query.text(1), QDateTime::fromSecsSinceEpoch(query.integer64(2))});
    return entries;
}

int ReaderFile::bestScore(const QString &game) const
{
    Query query(m_db.get(), kBestScore);
    return query.bind(game).next() ? query.integer(0) : 0;
}

QList<ReviewRecord> ReaderFile::reviews() const
{
    QList<ReviewRecord> rows;
    Query query(m_db.get(), kReviews);
    while (query.next())
        rows.append({query.integer(0), query.integer64(1), query.integer(2), query.integer(3), query.real(4),
                     query.real(5), query.integer64(6)});
    return rows;
}

int ReaderFile::schemaVersion() const
{
    Query query(m_db.get(), "PRAGMA user_version");
    return query.next() ? query.integer(0) : 0;
}
