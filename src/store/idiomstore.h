// An idiom data file opened for reading, and every SQL text of the
// dictionary: the number of idioms, one idiom by its id, the four look-ups
// of a search, the idioms that may follow a link of the chain, and what the
// search and the game read once of every idiom. The reader's own file has
// statements of its own, in its own store.
//
// A store may be used from several threads at once: SQLite serialises its
// one connection, every call prepares statements of its own, and nothing is
// kept between calls.
#pragma once

#include "store/idiom.h"
#include "store/sqlite/sqlitehandle.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QByteArrayView>
#include <functional>
#include <vector>

class IdiomStore
{
public:
    // Opens the data file at `path` read-only and checks that it holds the
    // idiom table. Throws StoreError when it cannot be used.
    explicit IdiomStore(const QString &path);
    // Opens the data file whose bytes are `bytes`, read-only, without
    // writing them anywhere; `name` stands for its path in errors. Throws
    // StoreError when it cannot be used.
    static IdiomStore inMemory(const QByteArray &bytes, const QString &name);

    QString path() const { return m_path; }

    // The number of idioms. Their ids run from 1 to that number.
    int count() const;

    // The idiom with `id`. Throws StoreError (MissingIdiom) when there is
    // none, as in a data file of the user's own whose ids have gaps.
    Idiom idiom(int id) const;

    // The four look-ups of a search, in this order, each in the file's
    // order: the idiom written exactly `text`; the idioms whose initials are
    // exactly `text`; the idioms that begin with `text`; the idioms whose
    // initials begin with it. An idiom found by several look-ups is listed
    // once for each. Letter case does not count, and "%" (any run of
    // characters) and "_" (one character) act as wildcards in the last two.
    QList<IdiomEntry> search(const QString &text) const;
    // The first of those look-ups alone: the idioms written exactly `text`,
    // in the file's order.
    QList<IdiomEntry> writtenAs(const QString &text) const;

    // The texts of an idiom beside its headword and pinyin.
    enum class Text { Meaning, Source, Example };
    // The idioms whose meaning, source or example holds `text`, "%" and "_"
    // acting as wildcards, in the file's order; none when the text is
    // longer than SQLite takes.
    QList<IdiomEntry> holding(Text column, const QString &text) const;

    // The idioms that may follow `link` in a chain: those that begin with
    // its last character, in the file's order; "%" and "_" match any first
    // character. When none do, those that begin with the last character of
    // the link made plain (a trailing blank dropped, a traditional character
    // simplified), every plain form counting.
    QList<IdiomEntry> followers(const QString &link) const;

    // Every idiom's id, text and pinyin, in the file's order, handed to
    // `take` in UTF-8 as SQLite keeps them, valid until it returns: what the
    // chain index reads once to know how each idiom may be followed by its
    // characters and its sounds.
    void readReadings(const std::function<void(int id, QByteArrayView text, QByteArrayView pinyin)> &take) const;

    // Every idiom in the file's order, one a call of `take`, in one pass
    // over the file: what the search's index reads. The meaning, source and
    // example come in UTF-8, whose bytes last for that call only.
    using TakeIdiom = std::function<void(int id, const QString &text, const QString &pinyin, QByteArrayView meaning,
                                         QByteArrayView source, QByteArrayView example)>;
    void readEvery(const TakeIdiom &take) const;

    // The common idioms, the most used first: those of THUOCL's count of
    // news documents. None when the file keeps no such list (a build
    // without the count, a file of an older version or of the reader's own).
    QList<CommonIdiom> commonIdioms() const;
    // The same in the file's order, as the search's index reads them.
    QList<CommonIdiom> commonIdiomsById() const;
    // Every idiom's rank among the common ones, by id: ranks[id] is 1 for the
    // most used, 0 for an idiom that is not common. Sized one past the
    // largest id: count() + 1 where the ids run from 1 without a gap.
    std::vector<int> commonRanks() const;

private:
    IdiomStore(const QString &path, const QByteArray &bytes);

    // The common idioms in the order `sql` gives them.
    QList<CommonIdiom> common(const char *sql) const;
    // The rows of `sql` for `value` as entries; a null value matches nothing.
    QList<IdiomEntry> entries(const char *sql, const QString &value) const;
    // Whether the file keeps the list of common idioms.
    bool hasCommonList() const;
    // The idioms that begin with `character`.
    QList<IdiomEntry> beginningWith(const QString &character) const;
    // The LIKE pattern of the texts that begin with `text`, or that hold it
    // anywhere; null when it is longer than SQLite takes.
    QString prefixPattern(const QString &text) const;
    QString containingPattern(const QString &text) const;

    QString m_path;
    QByteArray m_bytes; // what an in-memory store reads; it outlives m_db
    Sqlite::Database m_db;
    int m_longestPattern = 0; // in UTF-8 bytes, as SQLite measures it
};
