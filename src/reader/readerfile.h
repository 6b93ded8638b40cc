// The reader's SQLite file, reader.sqlite: every statement run on it. Each
// change is one transaction; two copies of the program may use the file at
// once. A write waits only a moment for the other copy's lock, and says so
// by SQLite's code rather than waiting on.
#pragma once

#include "reader/readerdata.h"
#include "store/sqlite/sqlitehandle.h"

#include <QList>
#include <QString>

class ReaderFile
{
public:
    // The schema this program writes; a file without it is upgraded on open.
    // 2 adds the reviews.
    static constexpr int kSchemaVersion = 2;
    static constexpr int kHistoryLimit = 500;
    // How long a write waits for another copy's lock, in milliseconds.
    static constexpr int kWriteWait = 10;

    // How the file came to be, for telling the reader once.
    enum class Opening {
        Opened,   // the file in the folder, old or new
        SetAside, // the file there was damaged: it was renamed and a new one begun
        InMemory, // the folder cannot be written: nothing is kept after this run
    };

    // Opens (or begins) the file in `folder`, made when missing.
    explicit ReaderFile(const QString &folder);
    // A database in memory, as when the folder cannot be written.
    ReaderFile();

    static QString fileName();

    Opening opening() const { return m_opening; }
    // The file in use; empty in memory.
    QString path() const { return m_path; }
    // Where a damaged file was put (Opening::SetAside).
    QString setAsidePath() const { return m_setAsidePath; }

    // Writes `change` in one transaction; SQLite's code, SQLITE_OK once it
    // is written. The history keeps its newest kHistoryLimit.
    int write(const ReaderChange &change);
    // How long the writes after this wait for another copy's lock.
    void setWriteWait(int milliseconds);

    // Newest first.
    QList<HistoryEntry> history() const;
    bool inWordBook(int id) const;
    // Newest first.
    QList<WordBookEntry> wordBook() const;
    // 0 when none was kept.
    int bestScore(const QString &game) const;
    // Every review, oldest first.
    QList<ReviewRecord> reviews() const;
    // The version the file records.
    int schemaVersion() const;

private:
    void openFile(const QString &path);
    void openInMemory();
    // Runs `work`, which returns SQLite's code, inside BEGIN IMMEDIATE ...
    // COMMIT; rolls back when it fails.
    template <typename Work>
    int inTransaction(Work work);
    int writeOne(const IdiomShown &change);
    int writeOne(const HistoryCleared &change);
    int writeOne(const HistoryRemoved &change);
    int writeOne(const WordBookAdded &change);
    int writeOne(const WordBookRemoved &change);
    // Runs `sql` for each of `ids`, up to the first that fails.
    int removeEach(const char *sql, const QList<int> &ids);
    int writeOne(const ScoreKept &change);
    int writeOne(const ReviewRecord &change);

    Sqlite::Database m_db;
    Opening m_opening = Opening::Opened;
    QString m_path;
    QString m_setAsidePath;
};
