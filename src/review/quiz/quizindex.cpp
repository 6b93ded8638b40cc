#include "review/quiz/quizindex.h"

#include "store/idiomstore.h"
#include "store/textfold.h"

#include <algorithm>

namespace {

const std::vector<int> kNone;
const QuizIndex::Characters kNoCharacters;

constexpr char32_t kLastCharacter = 0x3ffff; // past the supplementary ideographs

// Each id of `ids` once, in the order first met.
void addOnce(std::vector<int> &ids, int id)
{
    if (ids.empty() || ids.back() != id)
        ids.push_back(id);
}

// The syllables of a reading: parted by spaces, and by the punctuation
// inside longer idioms ("yī  yán  jì  chū，sì  mǎ  nán  zhuī").
QStringList syllablesOf(const QString &pinyin)
{
    QStringList syllables;
    QString syllable;
    for (const QChar c : pinyin) {
        if (c.isLetter()) {
            syllable += c.toLower();
        } else if (c.category() == QChar::Mark_NonSpacing) {
            syllable += c;
        } else if (!syllable.isEmpty()) {
            syllables << syllable;
            syllable.clear();
        }
    }
    if (!syllable.isEmpty())
        syllables << syllable;
    return syllables;
}

} // namespace

QuizIndex::QuizIndex(const IdiomStore &store) : m_slots(kLastCharacter + 1, -1)
{
    const int count = store.count();
    m_entries.reserve(size_t(count) + 1);
    m_ids.reserve(size_t(count));
    m_written.reserve(size_t(count));
    m_pairs.reserve(size_t(count) * 4);
    QHash<QString, int> tonelessOf;
    store.readEvery([&](int id, const QString &text, const QString &pinyin, QByteArrayView meaning, QByteArrayView,
                        QByteArrayView) {
        if (id <= 0)
            return;
        Entry entry;
        entry.text = allCodePoints(text);
        entry.written = text;
        entry.pinyin = pinyin;
        entry.meaning = QString::fromUtf8(meaning);
        std::u32string han;
        for (const char32_t c : entry.text) {
            if (isHan(c))
                han += c;
        }
        const QStringList syllables = syllablesOf(pinyin);
        if (syllables.size() == qsizetype(han.size())) {
            qsizetype next = 0;
            for (const char32_t c : entry.text) {
                if (!isHan(c)) {
                    entry.sounds.push_back(-1);
                    continue;
                }
                const QString &syllable = syllables[next++];
                auto sound = m_soundOf.find(syllable);
                if (sound == m_soundOf.end()) {
                    const QString plain = pinyinKey(syllable);
                    auto plainSound = tonelessOf.find(plain);
                    if (plainSound == tonelessOf.end()) {
                        plainSound = tonelessOf.insert(plain, int(m_readAsToneless.size()));
                        m_readAsToneless.emplace_back();
                    }
                    sound = m_soundOf.insert(syllable, int(m_readAs.size()));
                    m_readAs.emplace_back();
                    m_tonelessOf.push_back(*plainSound);
                }
                ++m_readAs[size_t(*sound)][c];
                ++m_readAsToneless[size_t(m_tonelessOf[size_t(*sound)])][c];
                entry.sounds.push_back(*sound);
            }
        }
        m_byLength[int(entry.text.size())].push_back(id);
        for (const char32_t c : entry.text) {
            if (const int slot = slotOf(c, true); slot >= 0)
                addOnce(m_byCharacter[size_t(slot)], id);
        }
        for (const char32_t c : entry.meaning.toUcs4()) {
            if (isHan(c)) {
                if (const int slot = slotOf(c, true); slot >= 0)
                    addOnce(m_byMeaningCharacter[size_t(slot)], id);
            }
        }
        for (size_t at = 1; at < entry.text.size(); ++at)
            m_pairs.push_back(pairKey(entry.text[at - 1], entry.text[at]));
        ++m_written[entry.text];
        m_ids.push_back(id);
        if (m_entries.size() <= size_t(id))
            m_entries.resize(size_t(id) + 1);
        m_entries[size_t(id)] = std::move(entry);
    });
    std::sort(m_pairs.begin(), m_pairs.end());
    m_pairs.erase(std::unique(m_pairs.begin(), m_pairs.end()), m_pairs.end());
    for (const char32_t c : m_slotCharacters) {
        if (isHan(c) && !holding(c).empty())
            m_characters.push_back(c);
    }
    std::sort(m_characters.begin(), m_characters.end(), [this](char32_t a, char32_t b) {
        const size_t x = holding(a).size(), y = holding(b).size();
        return x != y ? x > y : a < b;
    });
    for (const CommonIdiom &common : store.commonIdioms()) {
        if (contains(common.id))
            m_common.push_back(common.id);
    }
}

int QuizIndex::slotOf(char32_t c, bool make)
{
    if (c > kLastCharacter)
        return -1;
    int &slot = m_slots[c];
    if (slot < 0 && make) {
        slot = int(m_slotCharacters.size());
        m_slotCharacters.push_back(c);
        m_byCharacter.emplace_back();
        m_byMeaningCharacter.emplace_back();
    }
    return slot;
}

int QuizIndex::slotOf(char32_t c) const
{
    return c > kLastCharacter ? -1 : m_slots[c];
}

const QuizIndex::Entry *QuizIndex::entry(int id) const
{
    return id > 0 && size_t(id) < m_entries.size() && !m_entries[size_t(id)].text.empty() ? &m_entries[size_t(id)]
                                                                                            : nullptr;
}

const std::vector<int> &QuizIndex::ofLength(int length) const
{
    const auto found = m_byLength.find(length);
    return found == m_byLength.end() ? kNone : found->second;
}

const std::vector<int> &QuizIndex::holding(char32_t c) const
{
    const int slot = slotOf(c);
    return slot < 0 ? kNone : m_byCharacter[size_t(slot)];
}

const std::vector<int> &QuizIndex::meaningHolding(char32_t c) const
{
    const int slot = slotOf(c);
    return slot < 0 ? kNone : m_byMeaningCharacter[size_t(slot)];
}

const QuizIndex::Characters &QuizIndex::readAs(int sound) const
{
    return sound >= 0 && size_t(sound) < m_readAs.size() ? m_readAs[size_t(sound)] : kNoCharacters;
}

const QuizIndex::Characters &QuizIndex::readAsToneless(int sound) const
{
    return sound >= 0 && size_t(sound) < m_tonelessOf.size() ? m_readAsToneless[size_t(m_tonelessOf[size_t(sound)])]
                                                             : kNoCharacters;
}

bool QuizIndex::adjacent(char32_t a, char32_t b) const
{
    return std::binary_search(m_pairs.begin(), m_pairs.end(), pairKey(a, b));
}

bool QuizIndex::isHan(char32_t c)
{
    // The unified ideographs and their extensions, looked up in Unicode's
    // tables only outside those blocks.
    if ((c >= 0x4e00 && c <= 0x9fff) || (c >= 0x3400 && c <= 0x4dbf) || (c >= 0x20000 && c <= 0x323af))
        return true;
    return c >= 0x2e80 && QChar::script(c) == QChar::Script_Han;
}
