#include "chain/game/chainindex.h"

#include "store/textfold.h"

namespace {

// The combining marks of the four tones, after NFD: ā á ǎ à.
constexpr char16_t kToneMarks[] = {u'\u0304', u'\u0301', u'\u030C', u'\u0300'};

int toneOf(QChar mark)
{
    for (int tone = 0; tone < 4; ++tone) {
        if (mark == QChar(kToneMarks[tone]))
            return tone + 1;
    }
    return 0;
}

const std::vector<int> kNone;

} // namespace

QStringList syllablesOf(const QString &pinyin)
{
    // A syllable is a run of letters and the marks on them; anything else
    // (blanks, the comma of a two-clause idiom, apostrophes) parts them.
    QStringList syllables;
    QString syllable;
    for (const QChar c : pinyin.normalized(QString::NormalizationForm_D)) {
        if (c.isLetter() || c.category() == QChar::Mark_NonSpacing) {
            syllable += c;
        } else if (!syllable.isEmpty()) {
            syllables << syllable.normalized(QString::NormalizationForm_C);
            syllable.clear();
        }
    }
    if (!syllable.isEmpty())
        syllables << syllable.normalized(QString::NormalizationForm_C);
    return syllables;
}

QString soundKey(const QString &syllable, ChainRule rule)
{
    QString key = pinyinKey(syllable);
    if (rule == ChainRule::SameTone) {
        int tone = 5;
        for (const QChar c : syllable.normalized(QString::NormalizationForm_D)) {
            if (toneOf(c))
                tone = toneOf(c);
        }
        key += QString::number(tone);
    }
    return key;
}

QString withoutTone(const QString &syllable)
{
    QString plain;
    for (const QChar c : syllable.normalized(QString::NormalizationForm_D)) {
        if (!toneOf(c))
            plain += c;
    }
    return plain.normalized(QString::NormalizationForm_C);
}

ChainIndex::ChainIndex(const QList<Idiom> &idioms)
{
    m_links.reserve(idioms.size());
    QHash<int, std::vector<int>> alike; // by the first idiom of a text written more than once, all of them
    for (const Idiom &idiom : idioms) {
        Link link{idiom.id, idiom.text, idiom.pinyin, {}, {}, {}, {}};
        const std::u32string characters = codePoints(idiom.text);
        const QStringList syllables = syllablesOf(idiom.pinyin);
        if (!characters.empty()) {
            link.lastCharacter = QString::fromUcs4(&characters.back(), 1);
            const int rule = int(ChainRule::SameCharacter);
            link.start[rule] = keyOf(QString::fromUcs4(&characters.front(), 1), ChainRule::SameCharacter);
            link.end[rule] = keyOf(link.lastCharacter, ChainRule::SameCharacter);
        }
        if (!syllables.isEmpty()) {
            link.lastSyllable = syllables.last();
            for (const ChainRule rule : {ChainRule::SameSound, ChainRule::SameTone}) {
                link.start[int(rule)] = keyOf(soundKey(syllables.first(), rule), rule);
                link.end[int(rule)] = keyOf(soundKey(syllables.last(), rule), rule);
            }
        }
        for (int rule = 0; rule < kChainRules; ++rule) {
            if (link.start[rule] >= 0)
                m_beginning[rule][link.start[rule]].push_back(int(m_links.size()));
        }
        // The first idiom of a text answers for it, as the search lists it first.
        const auto first = m_byText.constFind(idiom.text);
        if (first == m_byText.constEnd())
            m_byText.insert(idiom.text, int(m_links.size()));
        else if (std::vector<int> &written = alike[*first]; written.empty())
            written = {*first, int(m_links.size())};
        else
            written.push_back(int(m_links.size()));
        m_links.push_back(std::move(link));
    }
    for (const std::vector<int> &written : std::as_const(alike)) {
        for (const int link : written) {
            m_links[link].others = int(m_others.size());
            std::vector<int> &others = m_others.emplace_back();
            std::copy_if(written.begin(), written.end(), std::back_inserter(others),
                         [link](int other) { return other != link; });
        }
    }
}

int ChainIndex::keyOf(const QString &key, ChainRule rule)
{
    auto &keys = m_keys[int(rule)];
    auto known = keys.constFind(key);
    if (known != keys.constEnd())
        return *known;
    const int number = int(keys.size());
    keys.insert(key, number);
    m_beginning[int(rule)].emplace_back();
    return number;
}

int ChainIndex::find(const QString &typed) const
{
    auto found = m_byText.constFind(typed);
    if (found != m_byText.constEnd())
        return *found;
    for (const QString &form : plainForms(typed)) {
        found = m_byText.constFind(form);
        if (found != m_byText.constEnd())
            return *found;
    }
    return -1;
}

std::vector<int> ChainIndex::findAll(const QString &typed) const
{
    const int first = find(typed);
    if (first < 0)
        return {};
    std::vector<int> links{first};
    const std::vector<int> &others = alsoWrittenAs(first);
    links.insert(links.end(), others.begin(), others.end());
    return links;
}

const std::vector<int> &ChainIndex::alsoWrittenAs(int link) const
{
    return m_links[link].others < 0 ? kNone : m_others[m_links[link].others];
}

const std::vector<int> &ChainIndex::beginningWith(int start, ChainRule rule) const
{
    return start < 0 ? kNone : m_beginning[int(rule)][start];
}

const std::vector<int> &ChainIndex::followers(int link, ChainRule rule) const
{
    return beginningWith(endOf(link, rule), rule);
}

QString ChainIndex::endText(int link, ChainRule rule) const
{
    switch (rule) {
    case ChainRule::SameCharacter:
        return m_links[link].lastCharacter;
    case ChainRule::SameSound:
        return withoutTone(m_links[link].lastSyllable);
    case ChainRule::SameTone:
        break;
    }
    return m_links[link].lastSyllable;
}

std::vector<int> ChainIndex::followersOf(const QString &text, ChainRule rule) const
{
    const int link = find(text);
    if (link >= 0)
        return followers(link, rule);
    if (rule != ChainRule::SameCharacter)
        return {}; // a text that is no idiom has no pinyin of its own
    for (const QString &form : plainForms(text)) {
        const std::u32string characters = codePoints(form);
        if (characters.empty())
            continue;
        const auto key = m_keys[int(rule)].constFind(QString::fromUcs4(&characters.back(), 1));
        if (key != m_keys[int(rule)].constEnd())
            return beginningWith(*key, rule);
    }
    return {};
}
