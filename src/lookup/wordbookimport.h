// The lines of a list to import looked up in the dictionary, a slice at a
// time on a timer, so that the window never waits on a long list and the
// reader can stop it. A line counts as the idiom the search's first stages
// find for it, written whole: as it is, made plain (traditional characters,
// variants, full-width forms), or in full pinyin. What only the stages by
// sound or meaning find is a guess, for the reader to confirm.
#pragma once

#include "reader/readerdata.h"
#include "store/idiomsearch.h"
#include "store/idiomstore.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <utility>

class StoreError;

struct ImportedLines
{
    QList<HistoryEntry> found;
    QList<std::pair<QString, HistoryEntry>> guesses; // the line, and the idiom it may mean
    QStringList missing;
};

class WordBookImport : public QObject
{
    Q_OBJECT

public:
    // `store` outlives the import.
    WordBookImport(const IdiomStore &store, const QStringList &lines, QObject *parent);

    qsizetype total() const { return m_lines.size(); }
    const ImportedLines &result() const { return m_result; }

    // Looks up a first slice at once, the rest on the timer.
    void start();

signals:
    void progressed(qsizetype done);
    void finished();
    // The data file failed: the import stops.
    void failed(const QString &notice);

private:
    void lookUpSlice();
    void lookUp(const QString &line);
    // What the search finds for `line`.
    SearchResult searchFor(const QString &line);

    const IdiomStore &m_store;
    std::unique_ptr<const IdiomSearch> m_search; // made for the first line the look-ups miss
    QStringList m_lines;
    qsizetype m_done = 0;
    ImportedLines m_result;
    QTimer m_timer;
};
