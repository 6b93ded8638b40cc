// What the search's stages after the four look-ups read of every idiom:
// its characters, the syllables of its pinyin, the whole pinyin as one key,
// how common it is, and its meaning, source and example. Read from the store once when it is
// made, and never changed after, so that any number of threads may read it.
#pragma once

#include "store/idiom.h"
#include "store/idiomstore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

class SearchIndex
{
public:
    // One idiom, as the stages compare it.
    struct Idiom
    {
        IdiomEntry entry;
        QString pinyinKey;                  // the whole pinyin, as pinyinKey gives it
        std::u32string characters;          // without punctuation
        std::vector<std::string> syllables; // one a character; none when the data has another count
        int rank = 0;          // among the common idioms, 1 for the most used; 0 when not common
        int commonness = 0; // log(documents) / log(the most used one's documents), in thousandths
    };

    // Reads every idiom of `store`. Throws StoreError when the file fails.
    explicit SearchIndex(const IdiomStore &store);

    // Every idiom, in the file's order.
    const std::vector<Idiom> &idioms() const { return m_idioms; }
    // The meaning, source or example of the idiom at `row` of idioms(), in
    // UTF-8.
    QByteArrayView text(IdiomStore::Text column, size_t row) const;
    // Whether any idiom is written with `c`.
    bool uses(char32_t c) const { return m_characters.contains(c); }
    // The rows of idioms() whose meaning may hold one of `words`, in
    // order: those holding each word's rarest character other
    // than ASCII (in U+0080-U+FFFF). Every row when a word has no such
    // character.
    std::vector<quint32> rowsThatMayHold(const QStringList &words) const;

private:
    void indexCharacters();
    void indexCommon(const IdiomStore &store);

    // One column's text of every idiom, one after another in one buffer:
    // the meaning stage reads them all.
    struct ColumnTexts
    {
        QByteArray bytes;
        std::vector<qsizetype> ends; // where each idiom's text ends
    };

    std::vector<Idiom> m_idioms;
    std::array<ColumnTexts, 3> m_texts; // by IdiomStore::Text
    QSet<char32_t> m_characters;
    // For each character of U+0080-U+FFFF, the rows whose meanings hold it,
    // in order: those of c from m_rowsHolding[m_rowsFrom[c]] up to
    // m_rowsHolding[m_rowsFrom[c + 1]].
    static constexpr size_t kBmpCharacters = 0x10000;
    std::vector<quint32> m_rowsFrom;
    std::vector<quint32> m_rowsHolding;
};
