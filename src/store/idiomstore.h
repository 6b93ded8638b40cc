// An idiom data file opened for reading, and what the windows ask of it: the
// number of idioms, one idiom by its id, the search, and the idioms that may
// follow a link of the chain. Every statement the program runs lives here.
#pragma once

#include "store/idiom.h"
#include "store/sqlite/sqlitehandle.h"

#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string>
#include <vector>

// What a search found, and by which stage.
struct SearchResult
{
    enum Stage {
        LookUps,   // the four look-ups of the text as typed
        PlainText, // the same look-ups, the text made plain
        Pinyin,    // idioms whose pinyin begins with the text
        SoundsAlike, // idioms one or two of whose characters the text writes with others of their sound
        Meaning,   // idioms whose meaning, source or example holds the text, or the reader's words
        Nothing,   // nothing at all
    };

    QList<IdiomEntry> entries;
    Stage stage = Nothing;
};

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

    // The dictionary first, then what the reader probably meant: the four
    // look-ups of `text`; when they find nothing, the same look-ups with the
    // text made plain (white space, punctuation and the words of a question
    // out, full-width forms folded, traditional characters simplified: every
    // plain form counts; then each character the idioms do not use as the
    // variant of it they do); then the idioms whose pinyin begins with the
    // text read as pinyin (tone marks, tone digits and spaces as the reader
    // likes, ü as v or u); then the idioms of the text's length that it
    // writes with one or two other characters of the same sound, tone
    // ignored, those with one first (迫不急待: 迫不及待); then the idioms
    // whose meaning, source or example holds the text made plain ("%" and
    // "_" as wildcards), meanings first, each in the file's order, and after
    // them those whose meaning holds most of the text's pairs of characters
    // (see byWords), at most kMostByMeaning in all. No idiom is listed twice
    // by a stage after the look-ups. The first stage that finds anything
    // gives the result.
    SearchResult find(const QString &text) const;

    // The most idioms the meaning stage lists.
    static constexpr int kMostByMeaning = 50;

    // Reads now what the stages after the look-ups read on their first use
    // (every idiom's characters, syllables and texts), so that the reader's
    // first search that needs them does not wait for it.
    void prepareSearch() const;

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

private:
    IdiomStore(const QString &path, const QByteArray &bytes);

    // The rows of `sql` for `value` as entries; a null value matches nothing.
    QList<IdiomEntry> entries(const char *sql, const QString &value) const;
    // The idioms that begin with `character`.
    QList<IdiomEntry> beginningWith(const QString &character) const;
    // The LIKE pattern of the texts that begin with `text`, or that hold it
    // anywhere; null when it is longer than SQLite takes.
    QString prefixPattern(const QString &text) const;
    QString containingPattern(const QString &text) const;
    QList<IdiomEntry> byPinyin(const QString &typed) const;
    QList<IdiomEntry> bySound(const QString &plain) const;
    QList<IdiomEntry> byMeaning(const QStringList &forms) const;
    QList<IdiomEntry> byWords(const QString &plain, const QList<IdiomEntry> &listed) const;
    // `plain` with each character the idioms do not use replaced by the
    // variant of it that they do.
    QString inIdiomCharacters(const QString &plain) const;

    // What the stages after the look-ups read of every idiom, in the file's
    // order, read when the search first needs it.
    struct IndexedIdiom
    {
        IdiomEntry idiom;
        QString pinyinKey;                  // the whole pinyin, as pinyinKey gives it
        std::u32string characters;          // without punctuation
        std::vector<std::string> syllables; // one a character, when the data says so
    };
    const std::vector<IndexedIdiom> &index() const;
    mutable std::vector<IndexedIdiom> m_index;
    // One column's text of every idiom in UTF-8, in the file's order, one
    // after another in one buffer: the meaning stage reads them all.
    struct ColumnTexts
    {
        QByteArray bytes;
        std::vector<qsizetype> ends; // where each idiom's text ends

        QByteArrayView at(size_t row) const
        {
            const qsizetype begin = row == 0 ? 0 : ends[row - 1];
            return QByteArrayView(bytes).sliced(begin, ends[row] - begin);
        }
    };
    // The meaning, the source and the example, read when the meaning stage
    // first needs them.
    const std::array<ColumnTexts, 3> &texts() const;
    mutable std::array<ColumnTexts, 3> m_texts;
    mutable QSet<char32_t> m_idiomCharacters;

    QString m_path;
    QByteArray m_bytes; // what an in-memory store reads; it outlives m_db
    Sqlite::Database m_db;
    int m_longestPattern = 0; // in UTF-8 bytes, as SQLite measures it
};
