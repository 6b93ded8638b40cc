#include "reader/readerstore.h"

#include <QSet>
#include <sqlite3.h>

namespace {

// How soon to try again, in milliseconds: a lock goes soon; a full or
// read-only disk stays a while.
constexpr int kRetryLocked = 200;
constexpr int kRetryFailed = 2000;
// How long the last try, as the program closes, waits for a lock.
constexpr int kLastWait = 2000;

bool locked(int rc)
{
    rc &= 0xff;
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

ReaderStore::WriteFault faultOf(int rc)
{
    if (locked(rc))
        return ReaderStore::WriteFault::Locked;
    switch (rc & 0xff) {
    case SQLITE_FULL:
        return ReaderStore::WriteFault::DiskFull;
    case SQLITE_READONLY:
        return ReaderStore::WriteFault::ReadOnly;
    default:
        return ReaderStore::WriteFault::Failed;
    }
}

} // namespace

ReaderStore::ReaderStore(const QString &folder, QObject *parent) : QObject(parent), m_file(folder)
{
    m_retry.setSingleShot(true);
    m_retry.callOnTimeout(this, &ReaderStore::writeUnwritten);
}

ReaderStore::ReaderStore(QObject *parent) : QObject(parent)
{
    m_retry.setSingleShot(true);
    m_retry.callOnTimeout(this, &ReaderStore::writeUnwritten);
}

ReaderStore::~ReaderStore()
{
    if (!m_unwritten.isEmpty()) {
        m_file.setWriteWait(kLastWait);
        writeInOrder();
    }
}

void ReaderStore::change(ReaderChange change)
{
    ++m_changeCount;
    m_unwritten.append(std::move(change));
    // Behind others that wait, it waits for the timer with them.
    if (m_unwritten.size() == 1)
        writeUnwritten();
}

int ReaderStore::writeInOrder()
{
    while (!m_unwritten.isEmpty()) {
        if (const int rc = m_file.write(m_unwritten.first()); rc != SQLITE_OK)
            return rc;
        m_unwritten.removeFirst();
    }
    return SQLITE_OK;
}

void ReaderStore::writeUnwritten()
{
    const int rc = writeInOrder();
    if (rc == SQLITE_OK) {
        m_retry.stop();
        m_waiting.invalidate();
        m_told = false;
        return;
    }
    if (!m_waiting.isValid())
        m_waiting.start();
    m_retry.start(locked(rc) ? kRetryLocked : kRetryFailed);
    if (m_told || (locked(rc) && m_waiting.elapsed() < kLockPatience))
        return;
    m_told = true; // before the signal: a notice may run the event loop, and the timer with it
    emit writeFailed(faultOf(rc), QString::fromUtf8(sqlite3_errstr(rc)));
}

void ReaderStore::recordShown(int id, const QString &text)
{
    change(IdiomShown{id, text});
}

QList<HistoryEntry> ReaderStore::history() const
{
    QList<HistoryEntry> entries = m_file.history();
    for (const ReaderChange &change : m_unwritten) {
        if (const auto *shown = std::get_if<IdiomShown>(&change)) {
            entries.removeIf([&](const HistoryEntry &entry) { return entry.id == shown->id; });
            entries.prepend({shown->id, shown->text});
        } else if (std::holds_alternative<HistoryCleared>(change)) {
            entries.clear();
        } else if (const auto *removed = std::get_if<HistoryRemoved>(&change)) {
            entries.removeIf([&](const HistoryEntry &entry) { return removed->ids.contains(entry.id); });
        }
    }
    if (entries.size() > kHistoryLimit)
        entries.resize(kHistoryLimit);
    return entries;
}

void ReaderStore::clearHistory()
{
    change(HistoryCleared{});
}

void ReaderStore::removeFromHistory(const QList<int> &ids)
{
    if (!ids.isEmpty())
        change(HistoryRemoved{ids});
}

bool ReaderStore::inWordBook(int id) const
{
    for (auto change = m_unwritten.crbegin(); change != m_unwritten.crend(); ++change) {
        if (const auto *added = std::get_if<WordBookAdded>(&*change)) {
            if (std::any_of(added->idioms.cbegin(), added->idioms.cend(),
                            [id](const HistoryEntry &idiom) { return idiom.id == id; }))
                return true;
        } else if (const auto *removed = std::get_if<WordBookRemoved>(&*change); removed && removed->ids.contains(id)) {
            return false;
        }
    }
    return m_file.inWordBook(id);
}

void ReaderStore::addToWordBook(int id, const QString &text)
{
    addToWordBook(QList<HistoryEntry>{{id, text}});
}

int ReaderStore::addToWordBook(const QList<HistoryEntry> &idioms)
{
    if (idioms.isEmpty())
        return 0;
    QSet<int> in;
    for (const WordBookEntry &entry : wordBook())
        in.insert(entry.id);
    int added = 0;
    for (const HistoryEntry &idiom : idioms) {
        if (!in.contains(idiom.id)) {
            in.insert(idiom.id);
            ++added;
        }
    }
    change(WordBookAdded{idioms, QDateTime::currentSecsSinceEpoch()});
    return added;
}

void ReaderStore::removeFromWordBook(int id)
{
    removeFromWordBook(QList<int>{id});
}

void ReaderStore::removeFromWordBook(const QList<int> &ids)
{
    if (!ids.isEmpty())
        change(WordBookRemoved{ids});
}

QList<WordBookEntry> ReaderStore::wordBook() const
{
    QList<WordBookEntry> entries = m_file.wordBook();
    if (m_unwritten.isEmpty())
        return entries;
    QSet<int> in;
    for (const WordBookEntry &entry : std::as_const(entries))
        in.insert(entry.id);
    for (const ReaderChange &change : m_unwritten) {
        if (const auto *added = std::get_if<WordBookAdded>(&change)) {
            for (const HistoryEntry &idiom : added->idioms) {
                if (!in.contains(idiom.id)) {
                    in.insert(idiom.id);
                    entries.prepend({idiom.id, idiom.text, QDateTime::fromSecsSinceEpoch(added->added)});
                }
            }
        } else if (const auto *removed = std::get_if<WordBookRemoved>(&change)) {
            for (const int id : removed->ids)
                in.remove(id);
            entries.removeIf([&](const WordBookEntry &entry) { return removed->ids.contains(entry.id); });
        }
    }
    return entries;
}

int ReaderStore::bestScore(const QString &game) const
{
    int best = m_file.bestScore(game);
    for (const ReaderChange &change : m_unwritten)
        if (const auto *kept = std::get_if<ScoreKept>(&change); kept && kept->game == game)
            best = std::max(best, kept->score);
    return best;
}

void ReaderStore::recordReview(const ReviewRecord &review)
{
    change(review);
}

QList<ReviewRecord> ReaderStore::reviews() const
{
    QList<ReviewRecord> rows = m_file.reviews();
    for (const ReaderChange &change : m_unwritten)
        if (const auto *review = std::get_if<ReviewRecord>(&change))
            rows.append(*review);
    return rows;
}

bool ReaderStore::offerScore(const QString &game, int score)
{
    // No score beats none.
    if (score <= 0 || score <= bestScore(game))
        return false;
    change(ScoreKept{game, score});
    return true;
}
