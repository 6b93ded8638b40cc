#include "store/searchindex.h"
#include "store/textfold.h"

namespace {

// The room made for each text of an idiom before they are read: more than
// most meanings, sources and examples take, so that a buffer is seldom
// moved as it grows. Room that is never written takes no memory.
constexpr qsizetype kRoomPerText = 128;

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
}

QByteArrayView SearchIndex::text(IdiomStore::Text column, size_t row) const
{
    const ColumnTexts &texts = m_texts[size_t(column)];
    const qsizetype begin = row == 0 ? 0 : texts.ends[row - 1];
    return QByteArrayView(texts.bytes).sliced(begin, texts.ends[row] - begin);
}
