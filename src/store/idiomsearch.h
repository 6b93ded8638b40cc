// The search: the dictionary's four look-ups first, then what the reader
// probably meant, over an index of every idiom read once when the search is
// made. Nothing in it changes after that, so that two threads may search
// at once.
#pragma once

#include "store/idiom.h"
#include "store/idiomstore.h"
#include "store/searchindex.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a search found, and by which stage.
struct SearchResult
{
    enum Stage {
        LookUps,   // the four look-ups of the text as typed
        PlainText, // the same look-ups, the text made plain
        Pinyin,    // idioms whose pinyin begins with the text
        SoundsAlike, // idioms one or two of whose characters the text writes with others of their sound
        LookAlike, // idioms one of whose characters the text writes with one that looks like it
        NearSound, // as SoundsAlike, with sounds that readers of many dialects mix (z zh, n l, an ang…)
        Fragment,  // idioms that hold the text inside them
        Meaning,   // idioms whose meaning, source or example holds the text, or the reader's words
        Nothing,   // nothing at all
    };

    QList<IdiomEntry> entries;
    Stage stage = Nothing;
};

class IdiomSearch
{
public:
    // Reads the index from `store`, which outlives the search. Throws
    // StoreError when the file fails.
    explicit IdiomSearch(const IdiomStore &store);

    // The dictionary first, then what the reader probably meant: the four
    // look-ups of `text`; when they find nothing, the same look-ups with the
    // text made plain (white space, punctuation and the words of a question
    // out, full-width forms folded, traditional characters simplified: every
    // plain form counts; then each character the idioms do not use as the
    // variant of it they do); then the idioms whose pinyin begins with the
    // text read as pinyin (tone marks, tone digits and spaces as the reader
    // likes, ü as v or u); then the idioms of the text's length that it
    // writes with one or two other characters of the same sound, tone
    // ignored, those with one first (迫不急待: 迫不及待); then the idioms of
    // the text's length that it writes with one character that looks like
    // the idiom's (如火如茶: 如火如荼), see byShape; then as by sound, with
    // the sounds that readers of many dialects mix taken as one (叱诧风云:
    // 叱咤风云), see nearSound; then the idioms that
    // hold the text of two characters or more inside them (薪尝胆: 卧薪尝胆),
    // see byFragment; then the idioms whose meaning, source or example holds the text made plain ("%" and
    // "_" as wildcards), meanings first, each in the file's order, and after
    // them those whose meaning holds most of the weight of the text's pairs
    // of characters and characters, the common ones first, a few of the most
    // fitting common ones even before those (see byWords), at most
    // kMostByMeaning in all. No idiom is listed twice
    // by a stage after the look-ups. The first stage that finds anything
    // gives the result. Throws StoreError when the file fails.
    SearchResult find(const QString &text) const;

    // The stages of find that read no index: the four look-ups of `text`,
    // then those of its plain forms; stage Nothing when they find nothing.
    static SearchResult lookUp(const IdiomStore &store, const QString &text);
    // The stages of find after those, for a text that they do not find:
    // what the reader probably meant. An owner that makes the search only
    // when it is first needed runs lookUp first, and this when that finds
    // nothing.
    SearchResult findMeant(const QString &text) const;

    // The most idioms the meaning stage lists.
    static constexpr int kMostByMeaning = 50;
    // The least share of the weight of the reader's words that a meaning
    // holds to be listed, and how much being the most used idiom of all
    // adds to that share, both in thousandths.
    static constexpr qint64 kLeastHeld = 400;
    static constexpr qint64 kCommonWeight = 300;
    // The most common idioms listed before the meanings that hold the text
    // as typed, and the least characters of a text that they come for.
    static constexpr qsizetype kLeading = 2;
    static constexpr size_t kLeastPhrase = 4;

private:
    QList<IdiomEntry> byPinyin(const QString &typed) const;
    QList<IdiomEntry> bySound(const QString &plain) const;
    QList<IdiomEntry> byShape(const QString &plain) const;
    QList<IdiomEntry> byFragment(const QString &plain) const;
    QList<IdiomEntry> byNearSound(const QString &plain) const;
    QList<IdiomEntry> byMeaning(const QStringList &forms) const;
    // `listed`, with the idioms whose meaning holds the reader's words
    // around it.
    QList<IdiomEntry> byWords(const QString &plain, const QList<IdiomEntry> &listed) const;
    // `plain` with each character the idioms do not use replaced by the
    // variant of it that they do.
    QString inIdiomCharacters(const QString &plain) const;

    const IdiomStore &m_store;
    const SearchIndex m_index;
};
