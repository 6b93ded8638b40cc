// The reader's own data, kept between starts: the idioms brought onto the
// card (history), the idioms put aside to learn (the word book, 生词本) and
// the best score of each kind of game, in a file of their own, never in the
// dictionary's data file.
// Each change goes to the file at once when the file takes it. When it does
// not (another copy of the program holds it, the disk is full), the change
// waits in memory, after those already waiting, and a timer writes them in
// order once the file takes them; what the store reads includes them all the
// while. So no window waits on the file, and nothing the reader did is lost
// while the program runs. The reader is told once (writeFailed).
#pragma once

#include "reader/readerfile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class ReaderStore : public QObject
{
    Q_OBJECT

public:
    using Opening = ReaderFile::Opening;
    static constexpr int kSchemaVersion = ReaderFile::kSchemaVersion;
    static constexpr int kHistoryLimit = ReaderFile::kHistoryLimit;
    // How long another copy may hold the file before the reader is told, in
    // milliseconds.
    static constexpr int kLockPatience = 5000;

    // Why changes wait in memory.
    enum class WriteFault {
        Locked,   // another copy of the program holds the file
        DiskFull,
        ReadOnly, // the file, or its disk
        Failed,   // anything else, which the detail names
    };

    // Opens (or begins) the file in `folder`, made when missing.
    explicit ReaderStore(const QString &folder, QObject *parent = nullptr);
    // A store that keeps nothing, as when the folder cannot be written.
    explicit ReaderStore(QObject *parent = nullptr);
    // Makes a last try, waiting a little longer, at what still waits.
    ~ReaderStore() override;

    // The file's name in its folder.
    static QString fileName() { return ReaderFile::fileName(); }
    Opening opening() const { return m_file.opening(); }
    // The file in use; empty in memory.
    QString path() const { return m_file.path(); }
    // Where a damaged file was put (Opening::SetAside).
    QString setAsidePath() const { return m_file.setAsidePath(); }

    // Moves the idiom to the top of the history, adding it when missing, and
    // keeps the newest kHistoryLimit.
    void recordShown(int id, const QString &text);
    // Newest first.
    QList<HistoryEntry> history() const;
    void clearHistory();
    // Takes these idioms out of the history, all in one change.
    void removeFromHistory(const QList<int> &ids);

    bool inWordBook(int id) const;
    void addToWordBook(int id, const QString &text);
    // Adds those not yet in, all in one change; returns how many they were.
    int addToWordBook(const QList<HistoryEntry> &idioms);
    void removeFromWordBook(int id);
    // Takes these idioms out, all in one change.
    void removeFromWordBook(const QList<int> &ids);
    // Newest first.
    QList<WordBookEntry> wordBook() const;

    // The best score of the game named `game`; 0 when none was kept.
    int bestScore(const QString &game) const;
    // Keeps `score` when it beats the best of `game`; returns whether it did.
    bool offerScore(const QString &game, int score);

    // Keeps one review of an idiom.
    void recordReview(const ReviewRecord &review);
    // Every review, oldest first.
    QList<ReviewRecord> reviews() const;
    // How many changes this store has been asked for: what was read from it
    // is still what it holds while this stays the same.
    quint64 changeCount() const { return m_changeCount; }

    // The version the file records.
    int schemaVersion() const { return m_file.schemaVersion(); }

    // How many changes wait in memory for the file.
    qsizetype unwritten() const { return m_unwritten.size(); }

signals:
    // Changes wait in memory because of `fault`: said when they begin to
    // wait (for a lock, once it has lasted kLockPatience), and not again
    // until all that waited is written.
    void writeFailed(ReaderStore::WriteFault fault, const QString &detail);

private:
    void change(ReaderChange change);
    // Writes what waits, or tries again later; the timer's work.
    void writeUnwritten();
    // Writes what waits, in order, up to the first change the file refuses;
    // returns SQLite's code for that one, SQLITE_OK when all was written.
    int writeInOrder();

    ReaderFile m_file;
    QList<ReaderChange> m_unwritten; // oldest first
    quint64 m_changeCount = 0;
    QTimer m_retry;
    QElapsedTimer m_waiting; // since the file first refused what waits now
    bool m_told = false;
};
