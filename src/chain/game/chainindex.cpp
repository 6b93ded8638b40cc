#include "chain/game/chainindex.h"

#include "chain/game/syllables.h"
#include "store/idiomstore.h"
#include "store/textfold.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// The last character of a typed text, whole: a character outside the basic
// plane is two code units. `text` is not empty.
char32_t lastTypedCharacter(QStringView text)
{
    const qsizetype size = text.size();
    if (size >= 2 && text[size - 1].isLowSurrogate() && text[size - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[size - 2], text[size - 1]);
    return text[size - 1].unicode();
}

// FNV-1a, quick over texts as short as idioms'.
size_t hashOf(QByteArrayView text)
{
    quint64 hash = 14695981039346656037u;
    for (const char c : text)
        hash = (hash ^ uchar(c)) * 1099511628211u;
    return size_t(hash);
}

// As LIKE compares them: ASCII letters in either case alike.
char32_t foldedCase(char32_t c)
{
    return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
}

} // namespace

ChainIndex::ChainIndex(const IdiomStore &store, Scope scope)
    : m_readsSounds(scope != Scope::SameCharacter), m_basicPlane(0x10000)
{
    m_bytes.reserve(512 * 1024);
    m_links.reserve(16 * 1024);
    store.readReadings([this](int id, QByteArrayView text, QByteArrayView pinyin) { add(id, text, pinyin); });
    sort();
    if (scope == Scope::Everything)
        m_commonRanks = store.commonRanks();
}

void ChainIndex::add(int id, QByteArrayView text, QByteArrayView pinyin)
{
    Link link;
    link.id = id;
    link.text = int(m_bytes.size());
    m_bytes.append(text.data(), size_t(text.size()));
    link.pinyin = int(m_bytes.size());
    m_bytes.append(pinyin.data(), size_t(pinyin.size()));
    if (const std::optional<char32_t> first = firstCharacter(text)) {
        link.start[int(ChainRule::SameCharacter)] = characterKey(*first);
        link.end[int(ChainRule::SameCharacter)] = characterKey(*lastCharacter(text));
    }
    // The first syllable is how it begins, the last how it ends.
    if (const auto syllables = m_readsSounds ? firstAndLastSyllables(pinyin) : std::nullopt) {
        const Sounds first = soundsOf(syllables->first.in(pinyin));
        const Sounds last = soundsOf(syllables->second.in(pinyin));
        link.start[int(ChainRule::SameSound)] = first.sound;
        link.end[int(ChainRule::SameSound)] = last.sound;
        link.start[int(ChainRule::SameTone)] = first.tone;
        link.end[int(ChainRule::SameTone)] = last.tone;
    }
    m_links.push_back(link);
}

ChainIndex::Sounds ChainIndex::soundsOf(QByteArrayView syllable)
{
    // Read once for each way a syllable is written: a few hundred syllables,
    // each with its tones, and of up to 8 bytes.
    quint64 written = 0;
    const bool fits = syllable.size() <= qsizetype(sizeof written);
    if (fits) {
        std::memcpy(&written, syllable.data(), size_t(syllable.size()));
        if (const auto known = m_written.constFind(written); known != m_written.constEnd())
            return *known;
    }
    const SyllableSound sound = soundOf(syllable);
    const int key = syllableKey(sound.packed, sound.other);
    const Sounds sounds{key, toneKey(key, sound.tone)};
    if (fits)
        m_written.insert(written, sounds);
    return sounds;
}

int ChainIndex::characterKey(char32_t character)
{
    const char32_t c = foldedCase(character);
    int &known = c < m_basicPlane.size() ? m_basicPlane[c] : m_otherPlanes[c];
    if (!known)
        known = ++m_keys[int(ChainRule::SameCharacter)];
    return known - 1;
}

int ChainIndex::knownCharacter(char32_t character) const
{
    const char32_t c = foldedCase(character);
    return (c < m_basicPlane.size() ? m_basicPlane[c] : m_otherPlanes.value(c)) - 1;
}

int ChainIndex::syllableKey(quint64 packed, const std::string &other)
{
    int &known = packed ? m_syllables[packed] : m_otherSyllables[other];
    if (!known)
        known = ++m_keys[int(ChainRule::SameSound)];
    return known - 1;
}

int ChainIndex::toneKey(int syllable, int tone)
{
    const size_t withTone = size_t(syllable) * 8 + size_t(tone);
    if (withTone >= m_tones.size())
        m_tones.resize(withTone + 512);
    int &known = m_tones[withTone];
    if (!known)
        known = ++m_keys[int(ChainRule::SameTone)];
    return known - 1;
}

void ChainIndex::sort()
{
    for (int rule = 0; rule < kChainRules; ++rule) {
        // Counted by beginning, then each idiom put in its beginning's place,
        // in the file's order.
        std::vector<int> &firstWith = m_firstWith[rule];
        firstWith.assign(size_t(m_keys[rule]) + 1, 0);
        for (const Link &link : m_links) {
            if (link.start[rule] >= 0)
                ++firstWith[size_t(link.start[rule]) + 1];
        }
        for (size_t key = 1; key < firstWith.size(); ++key)
            firstWith[key] += firstWith[key - 1];
        std::vector<int> next(firstWith.begin(), firstWith.end() - 1);
        m_byBeginning[rule].resize(size_t(firstWith.back()));
        for (int link = 0; link < size(); ++link) {
            if (const int start = m_links[size_t(link)].start[rule]; start >= 0)
                m_byBeginning[rule][size_t(next[size_t(start)]++)] = link;
        }
    }

    // The first idiom of a text answers for it, as the search lists it first.
    m_textSlots.assign(std::bit_ceil(2 * m_links.size() + 1), 0);
    std::unordered_map<int, std::vector<int>> alike; // by the first idiom of a text written more than once, all of them
    for (int link = 0; link < size(); ++link) {
        int &first = m_textSlots[slotOf(textBytes(link))];
        if (!first) {
            first = link + 1;
            continue;
        }
        std::vector<int> &written = alike[first - 1];
        if (written.empty())
            written.push_back(first - 1);
        written.push_back(link);
    }
    for (const auto &[first, written] : alike) {
        for (const int link : written) {
            m_links[size_t(link)].others = int(m_others.size());
            std::vector<int> &others = m_others.emplace_back();
            std::ranges::copy_if(written, std::back_inserter(others), [link](int other) { return other != link; });
        }
    }
}

size_t ChainIndex::slotOf(QByteArrayView text) const
{
    const size_t mask = m_textSlots.size() - 1;
    for (size_t slot = hashOf(text) & mask;; slot = (slot + 1) & mask) {
        const int link = m_textSlots[slot] - 1;
        if (link < 0 || textBytes(link) == text)
            return slot;
    }
}

QByteArrayView ChainIndex::textBytes(int link) const
{
    const Link &at = m_links[size_t(link)];
    return QByteArrayView(m_bytes.data() + at.text, at.pinyin - at.text);
}

QByteArrayView ChainIndex::pinyinBytes(int link) const
{
    const int end = link + 1 < size() ? m_links[size_t(link) + 1].text : int(m_bytes.size());
    return QByteArrayView(m_bytes.data() + m_links[size_t(link)].pinyin, end - m_links[size_t(link)].pinyin);
}

QString ChainIndex::pinyin(int link) const
{
    return QString::fromUtf8(pinyinBytes(link));
}

int ChainIndex::find(const QString &typed) const
{
    if (const int link = m_textSlots[slotOf(typed.toUtf8())] - 1; link >= 0)
        return link;
    for (const QString &form : plainForms(typed)) {
        if (const int link = m_textSlots[slotOf(form.toUtf8())] - 1; link >= 0)
            return link;
    }
    return -1;
}

std::vector<int> ChainIndex::findAll(const QString &typed) const
{
    const int first = find(typed);
    if (first < 0)
        return {};
    std::vector<int> links{first};
    const std::span<const int> others = alsoWrittenAs(first);
    links.insert(links.end(), others.begin(), others.end());
    return links;
}

std::span<const int> ChainIndex::alsoWrittenAs(int link) const
{
    const int others = m_links[size_t(link)].others;
    return others < 0 ? std::span<const int>() : std::span<const int>(m_others[size_t(others)]);
}

std::span<const int> ChainIndex::beginningWith(int start, ChainRule rule) const
{
    if (start < 0)
        return {};
    const std::vector<int> &firstWith = m_firstWith[int(rule)];
    return std::span<const int>(m_byBeginning[int(rule)])
        .subspan(size_t(firstWith[size_t(start)]), size_t(firstWith[size_t(start) + 1] - firstWith[size_t(start)]));
}

std::span<const int> ChainIndex::followers(int link, ChainRule rule) const
{
    return beginningWith(endOf(link, rule), rule);
}

QString ChainIndex::endText(int link, ChainRule rule) const
{
    if (endOf(link, rule) < 0)
        return {};
    if (rule == ChainRule::SameCharacter) {
        const char32_t last = *lastCharacter(textBytes(link));
        return QString::fromUcs4(&last, 1);
    }
    const QByteArrayView pinyin = pinyinBytes(link);
    const QString syllable = QString::fromUtf8(firstAndLastSyllables(pinyin)->second.in(pinyin));
    return rule == ChainRule::SameSound ? withoutTone(syllable) : syllable.normalized(QString::NormalizationForm_C);
}

void ChainIndex::addBeginningWith(char32_t character, std::vector<int> &links) const
{
    if (character == U'%' || character == U'_') { // any first character
        for (int link = 0; link < size(); ++link)
            links.push_back(link);
        return;
    }
    const std::span<const int> found = beginningWith(knownCharacter(character), ChainRule::SameCharacter);
    links.insert(links.end(), found.begin(), found.end());
}

std::vector<int> ChainIndex::followersOf(const QString &text, ChainRule rule) const
{
    if (rule != ChainRule::SameCharacter) {
        const int link = find(text);
        if (link < 0)
            return {};
        const std::span<const int> found = followers(link, rule);
        return {found.begin(), found.end()};
    }
    if (text.isEmpty())
        return {};
    std::vector<int> found;
    const char32_t typed = lastTypedCharacter(text);
    addBeginningWith(typed, found);
    if (!found.empty())
        return found;
    std::vector<char32_t> looked{typed};
    for (const QString &form : plainForms(text)) {
        const char32_t last = form.isEmpty() ? typed : lastTypedCharacter(form);
        if (std::ranges::find(looked, last) == looked.end()) {
            looked.push_back(last);
            addBeginningWith(last, found);
        }
    }
    std::ranges::sort(found);
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}
