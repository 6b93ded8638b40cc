// What the chain knows of every idiom: how it begins and ends by each rule,
// and which idioms may follow it. Read once from the store, so that
// followers and their counts are looked up, never searched for; it never
// changes afterwards, so any thread may ask it.
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <array>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class IdiomStore;

// How one idiom may follow another.
enum class ChainRule {
    SameCharacter, // 同字: it begins with the character the other ends with
    SameSound,     // 同音: with the same syllable, tone ignored
    SameTone,      // 同音同调: with the same syllable and tone
};
inline constexpr int kChainRules = 3;

class ChainIndex
{
public:
    // What the index holds. The game's player wants how common each idiom
    // is; a list of followers does not, and by the same character it wants
    // no sounds either.
    enum class Scope {
        Everything,     // every rule and how common each idiom is
        Rules,          // every rule
        SameCharacter,  // the same-character rule alone: no idiom begins or ends with a sound
    };

    // Reads every idiom of `store`. Each idiom's sounds come from its own
    // pinyin: the first syllable is how it begins, the last how it ends, so
    // that an idiom whose last character has several readings is followed
    // by the one it is read with. Throws StoreError when the store fails.
    explicit ChainIndex(const IdiomStore &store, Scope scope = Scope::Everything);
    ChainIndex(const ChainIndex &) = delete;
    ChainIndex &operator=(const ChainIndex &) = delete;

    // Idioms are known by their place in the file's order, 0 first.
    int size() const { return int(m_links.size()); }
    QString text(int link) const { return QString::fromUtf8(textBytes(link)); }
    int id(int link) const { return m_links[link].id; }
    QString pinyin(int link) const;
    // The idiom's rank among the common ones, 1 the most used; 0 when it is
    // not common or the store keeps no list of common idioms.
    int commonRank(int link) const
    {
        const size_t id = size_t(m_links[link].id);
        return id < m_commonRanks.size() ? m_commonRanks[id] : 0;
    }

    // The idiom written `typed` as the search understands it (simplified or
    // traditional, blanks and punctuation aside); -1 when it is none.
    int find(const QString &typed) const;
    // Every idiom written so, in the file's order: two idioms may be written
    // alike (难兄难弟, read nán and nàn). None when it is no idiom.
    std::vector<int> findAll(const QString &typed) const;
    // The other idioms written as `link` is, in the file's order; for nearly
    // every idiom none.
    std::span<const int> alsoWrittenAs(int link) const;

    // The idioms that may follow `link`, in the file's order, itself among
    // them when it does.
    std::span<const int> followers(int link, ChainRule rule) const;
    // How `link` begins and ends by `rule`, as a number the rule's idioms
    // share; -1 when it cannot be followed or follow by it (no pinyin).
    int startOf(int link, ChainRule rule) const { return m_links[link].start[int(rule)]; }
    int endOf(int link, ChainRule rule) const { return m_links[link].end[int(rule)]; }
    // How many beginnings `rule` knows, and the idioms with beginning `start`.
    int beginnings(ChainRule rule) const { return int(m_firstWith[int(rule)].size()) - 1; }
    std::span<const int> beginningWith(int start, ChainRule rule) const;
    // What an idiom after `link` must begin with, as a reader reads it: the
    // character (手), the syllable (shou) or the syllable and tone (shǒu).
    QString endText(int link, ChainRule rule) const;

    // The idioms that may follow a typed text, in the file's order. By
    // character, as the chain window reads it: those that begin with its
    // last character as typed, every idiom after "%" or "_"; when none do,
    // those that begin with the last character of the text made plain (a
    // trailing blank dropped, a traditional character simplified), every
    // plain form counting. By sound, those that follow the idiom the text
    // writes (find); none when it writes none, as it has no pinyin.
    std::vector<int> followersOf(const QString &text, ChainRule rule) const;

private:
    struct Link
    {
        int id = 0;
        int text = 0, pinyin = 0; // where they begin in m_bytes; the pinyin ends where the next idiom begins
        std::array<int, kChainRules> start{-1, -1, -1}, end{-1, -1, -1};
        int others = -1; // in m_others, when other idioms are written as this one is
    };

    // A syllable's numbers by sound, and by sound and tone.
    struct Sounds
    {
        int sound = -1, tone = -1;
    };

    void add(int id, QByteArrayView text, QByteArrayView pinyin);
    Sounds soundsOf(QByteArrayView syllable);
    // The number a beginning by each rule stands for, made when new: of a
    // character, of a syllable's key without tone, of that with `tone`.
    int characterKey(char32_t character);
    int syllableKey(quint64 packed, const std::string &other);
    int toneKey(int syllable, int tone);
    // The number of `character` when an idiom begins or ends with it, else -1.
    int knownCharacter(char32_t character) const;
    // Lists each rule's idioms by their beginning, and the texts written alike.
    void sort();
    QByteArrayView textBytes(int link) const;
    QByteArrayView pinyinBytes(int link) const;
    // The slot of m_textSlots that holds the idiom written `text`, or the
    // empty one where it would go.
    size_t slotOf(QByteArrayView text) const;
    // Adds the idioms that begin with `character`, as typed, to `links`.
    void addBeginningWith(char32_t character, std::vector<int> &links) const;

    bool m_readsSounds = true; // false for the same-character rule alone
    std::string m_bytes; // every idiom's text and pinyin in UTF-8, one after another
    std::vector<Link> m_links;
    // Each number one more than the key, 0 for none yet: the characters of
    // the basic plane by code point, and the others; syllables of the
    // letters a to z, packed, and any other by its letters; syllables with
    // a tone, by the syllable's number * 8 + tone.
    std::vector<int> m_basicPlane;
    QHash<char32_t, int> m_otherPlanes;
    QHash<quint64, int> m_syllables;
    std::unordered_map<std::string, int> m_otherSyllables;
    std::vector<int> m_tones;
    QHash<quint64, Sounds> m_written; // by a syllable's bytes as written, those of up to 8
    std::array<int, kChainRules> m_keys{}; // how many of each rule's
    // By rule, the idioms in order of their beginning, each beginning's in
    // the file's order, and where each beginning's first is, one more at
    // the end.
    std::array<std::vector<int>, kChainRules> m_byBeginning, m_firstWith;
    // The texts by their hash, open addressed: one more than the first idiom
    // written so, 0 in an empty slot.
    std::vector<int> m_textSlots;
    std::vector<std::vector<int>> m_others;
    std::vector<int> m_commonRanks; // by id
};
