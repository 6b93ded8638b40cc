// The reader's own data, kept between starts: the idioms brought onto the
// card (history), the idioms put aside to learn (the word book, 生词本) and
// the best score of each kind of game.
// It lives in a SQLite file of its own, never in the dictionary's data file.
// Every change is one transaction, so a crash loses at most the change in
// flight, and two copies of the program may use the file at once.
#pragma once

#include "store/sqlite/sqlitehandle.h"

#include <QDateTime>
#include <QList>
#include <QString>

struct HistoryEntry
{
    int id = 0;
    QString text;

    bool operator==(const HistoryEntry &) const = default;
};

struct WordBookEntry
{
    int id = 0;
    QString text;
    QDateTime added;
};

class ReaderStore
{
public:
    // The schema this program writes; a file without it is upgraded on open.
    static constexpr int kSchemaVersion = 1;
    static constexpr int kHistoryLimit = 500;

    // How the store came to be, for telling the reader once.
    enum class Opening {
        Opened,   // the file in the folder, old or new
        SetAside, // the file there was damaged: it was renamed and a new one begun
        InMemory, // the folder cannot be written: nothing is kept after this run
    };

    // Opens (or begins) the file in `folder`, made when missing.
    explicit ReaderStore(const QString &folder);
    // A store that keeps nothing, as when the folder cannot be written.
    ReaderStore();
    ~ReaderStore();
    ReaderStore(ReaderStore &&) noexcept;
    ReaderStore &operator=(ReaderStore &&) noexcept;

    // The file's name in its folder.
    static QString fileName();

    Opening opening() const { return m_opening; }
    // The file in use; empty in memory.
    QString path() const { return m_path; }
    // Where a damaged file was put (Opening::SetAside).
    QString setAsidePath() const { return m_setAsidePath; }

    // Moves the idiom to the top of the history, adding it when missing, and
    // keeps the newest kHistoryLimit. False when it could not be written.
    bool recordShown(int id, const QString &text);
    // Newest first.
    QList<HistoryEntry> history() const;
    bool clearHistory();

    bool inWordBook(int id) const;
    bool addToWordBook(int id, const QString &text);
    // Adds those not yet in, all or none. Returns how many were added, -1
    // when nothing could be written.
    int addToWordBook(const QList<HistoryEntry> &idioms);
    bool removeFromWordBook(int id);
    // Newest first.
    QList<WordBookEntry> wordBook() const;

    // The best score of the game named `game`; 0 when none was kept.
    int bestScore(const QString &game) const;
    // Keeps `score` when it beats the best of `game`; returns whether it did.
    bool offerScore(const QString &game, int score);

    // The version the file records.
    int schemaVersion() const;

private:
    void openFile(const QString &path);
    void openInMemory();
    // Runs `work` inside BEGIN IMMEDIATE ... COMMIT; rolls back when it fails.
    template <typename Work>
    bool inTransaction(Work work);

    Sqlite::Database m_db;
    Opening m_opening = Opening::Opened;
    QString m_path;
    QString m_setAsidePath;
};
