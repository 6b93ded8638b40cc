#include "store/searchindex.h"
#include "store/textfold.h"

#include <algorithm>
#include <numeric>

namespace {

// The room made for each text of an idiom before they are read: more than
// most meanings, sources and examples take, so that a buffer is seldom
// moved as it grows. Room that is never written takes no memory.
constexpr qsizetype kRoomPerText = 128;

// The characters of UTF-8 `text` other than ASCII, as code points; a byte
// that begins no character of UTF-8 is passed over.
std::vector<char32_t> nonAsciiCharacters(QByteArrayView text)
{
    std::vector<char32_t> characters;
    for (qsizetype i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (lead < 0xC0 || i + length > text.size()) {
            ++i;
            continue;
        }
        char32_t c = lead & (0x3F >> (length - 1));
        for (int k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        characters.push_back(c);
        i += length;
    }
    return characters;
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
}

void SearchIndex::indexCharacters()
{
    std::vector<char32_t> held;
    for (quint32 row = 0; row < m_idioms.size(); ++row) {
        held.clear();
        for (const IdiomStore::Text column : {IdiomStore::Text::Meaning, IdiomStore::Text::Source,
                                              IdiomStore::Text::Example}) {
            for (const char32_t c : nonAsciiCharacters(text(column, row)))
                held.push_back(c);
        }
        std::ranges::sort(held);
        const auto [end, last] = std::ranges::unique(held);
        held.erase(end, last);
        for (const char32_t c : held)
            m_rowsHolding[c].push_back(row);
    }
}

std::vector<quint32> SearchIndex::rowsThatMayHold(const QStringList &words) const
{
    std::vector<quint32> rows;
    for (const QString &word : words) {
        const std::vector<quint32> *rarest = nullptr;
        bool any = false;
        for (const char32_t c : nonAsciiCharacters(word.toUtf8())) {
            any = true;
            const auto holding = m_rowsHolding.constFind(c);
            if (holding == m_rowsHolding.cend()) {
                static const std::vector<quint32> kNone;
                rarest = &kNone; // no text holds it, nor the word
                break;
            }
            if (!rarest || holding->size() < rarest->size())
                rarest = &*holding;
        }
        if (!any) { // letters, digits and signs alone: any row may hold them
            rows.resize(m_idioms.size());
            std::iota(rows.begin(), rows.end(), quint32(0));
            return rows;
        }
        rows.insert(rows.end(), rarest->begin(), rarest->end());
    }
    if (words.size() > 1) {
        std::ranges::sort(rows);
        const auto [end, last] = std::ranges::unique(rows);
        rows.erase(end, last);
    }
    return rows;
}

QByteArrayView SearchIndex::text(IdiomStore::Text column, size_t row) const
{
    const ColumnTexts &texts = m_texts[size_t(column)];
    const qsizetype begin = row == 0 ? 0 : texts.ends[row - 1];
    return QByteArrayView(texts.bytes).sliced(begin, texts.ends[row] - begin);
}
