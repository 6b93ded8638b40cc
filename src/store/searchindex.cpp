#include "store/searchindex.h"
#include "store/textfold.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// The room made for each text of an idiom before they are read: more than
// most meanings, sources and examples take, so that a buffer is seldom
// moved as it grows. Room that is never written takes no memory.
constexpr qsizetype kRoomPerText = 128;

// Calls f with each character of UTF-8 `text` above ASCII and below
// U+10000; a byte that begins no such character is passed over.
template<typename F>
void forEachBmpCharacter(QByteArrayView text, F &&f)
{
    for (qsizetype i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead >= 0xE0 ? 3 : 2;
        if (lead < 0xC0 || lead >= 0xF0 || i + length > text.size()) {
            ++i;
            continue;
        }
        char32_t c = lead & (length == 3 ? 0x0F : 0x1F);
        for (int k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        f(c);
        i += length;
    }
}

} // namespace

SearchIndex::SearchIndex(const IdiomStore &store)
{
    const int count = store.count();
    m_idioms.reserve(size_t(count));
    for (ColumnTexts &texts : m_texts) {
        texts.bytes.reserve(count * kRoomPerText);
        texts.ends.reserve(size_t(count));
    }
    store.readEvery([this](int id, const QString &text, const QString &pinyin, QByteArrayView meaning,
                           QByteArrayView source, QByteArrayView example) {
        Idiom idiom{{text, id}, {}, codePoints(text), pinyinSyllables(pinyin)};
        std::string key;
        for (const std::string &syllable : idiom.syllables)
            key += syllable;
        idiom.pinyinKey = QString::fromLatin1(key.data(), qsizetype(key.size()));
        if (idiom.syllables.size() != idiom.characters.size())
            idiom.syllables.clear(); // no way to tell which syllable is whose
        for (const char32_t c : idiom.characters)
            m_characters.insert(c);
        m_idioms.push_back(std::move(idiom));
        for (int column = 0; const QByteArrayView text : {meaning, source, example}) {
            m_texts[column].bytes += text;
            m_texts[column].ends.push_back(m_texts[column].bytes.size());
            ++column;
        }
    });
    for (ColumnTexts &texts : m_texts)
        texts.bytes.squeeze();
    indexCharacters();
    indexCommon(store);
}

void SearchIndex::indexCommon(const IdiomStore &store)
{
    // Both in the file's order: one walk through the two.
    const QList<CommonIdiom> common = store.commonIdiomsById();
    qint64 most = 2;
    for (const CommonIdiom &idiom : common)
        most = std::max(most, idiom.documents);
    const double mostLog = std::log(double(most));
    auto next = common.cbegin();
    for (Idiom &idiom : m_idioms) {
        while (next != common.cend() && next->id < idiom.entry.id)
            ++next;
        if (next == common.cend())
            break;
        if (next->id == idiom.entry.id) {
            idiom.rank = next->rank;
            const double share = std::log(double(std::max<qint64>(next->documents, 1))) / mostLog;
            idiom.commonness = int(std::lround(1000 * std::clamp(share, 0.0, 1.0)));
        }
    }
}

void SearchIndex::indexCharacters()
{
    // The meanings are read once, each character of a row noted and counted
    // the first time it is met; then written into one array, each
    // character's rows in order: far quicker than a list per character. The
    // characters met are kept in two bytes each, with the end of each row's
    // run, rather than beside their rows: a fresh process pays for every page
    // it touches. Sources and examples, three times as long and looked in for
    // whole words alone, are read through instead.
    constexpr quint32 kNoRow = ~quint32(0);
    std::vector<quint32> lastRow(kBmpCharacters, kNoRow);
    std::vector<char16_t> met;
    met.reserve(size_t(1) << 19);
    std::vector<quint32> metEnds(m_idioms.size());
    m_rowsFrom.assign(kBmpCharacters + 1, 0);
    for (quint32 row = 0; row < m_idioms.size(); ++row) {
        forEachBmpCharacter(text(IdiomStore::Text::Meaning, row), [&](char32_t c) {
            if (lastRow[c] != row) {
                lastRow[c] = row;
                met.push_back(char16_t(c));
                ++m_rowsFrom[size_t(c) + 1];
            }
        });
        metEnds[row] = quint32(met.size());
    }
    std::partial_sum(m_rowsFrom.begin(), m_rowsFrom.end(), m_rowsFrom.begin());
    m_rowsHolding.resize(m_rowsFrom.back());
    std::vector<quint32> next(m_rowsFrom.begin(), m_rowsFrom.end() - 1);
    size_t at = 0;
    for (quint32 row = 0; row < metEnds.size(); ++row) {
        for (; at < metEnds[row]; ++at)
            m_rowsHolding[next[met[at]]++] = row;
    }
}

std::vector<quint32> SearchIndex::rowsThatMayHold(const QStringList &words) const
{
    std::vector<quint32> rows;
    for (const QString &word : words) {
        char32_t rarest = 0;
        forEachBmpCharacter(word.toUtf8(), [&](char32_t c) {
            if (rarest == 0 || m_rowsFrom[c + 1] - m_rowsFrom[c] < m_rowsFrom[rarest + 1] - m_rowsFrom[rarest])
                rarest = c;
        });
        if (rarest == 0) { // letters, digits, signs and rare planes alone: any row may hold them
            rows.resize(m_idioms.size());
            std::iota(rows.begin(), rows.end(), quint32(0));
            return rows;
        }
        rows.insert(rows.end(), m_rowsHolding.begin() + m_rowsFrom[rarest],
                    m_rowsHolding.begin() + m_rowsFrom[rarest + 1]);
    }
    if (words.size() > 1) {
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    }
    return rows;
}

QByteArrayView SearchIndex::text(IdiomStore::Text column, size_t row) const
{
    const ColumnTexts &texts = m_texts[size_t(column)];
    const qsizetype begin = row == 0 ? 0 : texts.ends[row - 1];
    return QByteArrayView(texts.bytes).sliced(begin, texts.ends[row] - begin);
}
