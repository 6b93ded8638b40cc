// What the game knows of every idiom: how it begins and ends by each rule,
// and which idioms may follow it. Built once from the store's readings, so
// that followers and their counts are looked up, never searched for.
#pragma once

#include "store/idiom.h"

#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <vector>

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
    // `idioms` as IdiomStore::readings() gives them. Each idiom's sounds come
    // from its own pinyin: the first syllable is how it begins, the last how
    // it ends, so that an idiom whose last character has several readings
    // is followed by the one it is read with.
    explicit ChainIndex(const QList<Idiom> &idioms);

    // Idioms are known by their place in the file's order, 0 first.
    int size() const { return int(m_links.size()); }
    QString text(int link) const { return m_links[link].text; }
    int id(int link) const { return m_links[link].id; }
    QString pinyin(int link) const { return m_links[link].pinyin; }

    // The idiom written `typed` as the search understands it (simplified or
    // traditional, blanks and punctuation aside); -1 when it is none.
    int find(const QString &typed) const;
    // Every idiom written so, in the file's order: two idioms may be written
    // alike (难兄难弟, read nán and nàn). None when it is no idiom.
    std::vector<int> findAll(const QString &typed) const;
    // The other idioms written as `link` is, in the file's order; for nearly
    // every idiom none.
    const std::vector<int> &alsoWrittenAs(int link) const;

    // The idioms that may follow `link`, in the file's order, itself among
    // them when it does.
    const std::vector<int> &followers(int link, ChainRule rule) const;
    // How `link` begins and ends by `rule`, as a number the rule's idioms
    // share; -1 when it cannot be followed or follow by it (no pinyin).
    int startOf(int link, ChainRule rule) const { return m_links[link].start[int(rule)]; }
    int endOf(int link, ChainRule rule) const { return m_links[link].end[int(rule)]; }
    // How many beginnings `rule` knows, and the idioms with beginning `start`.
    int beginnings(ChainRule rule) const { return int(m_beginning[int(rule)].size()); }
    const std::vector<int> &beginningWith(int start, ChainRule rule) const;
    // What an idiom after `link` must begin with, as a reader reads it: the
    // character (手), the syllable (shou) or the syllable and tone (shǒu).
    QString endText(int link, ChainRule rule) const;

    // The idioms that may follow a text: those of the idiom it writes, or,
    // by character, those beginning with its last character.
    std::vector<int> followersOf(const QString &text, ChainRule rule) const;

private:
    struct Link
    {
        int id = 0;
        QString text, pinyin;
        QString lastCharacter, lastSyllable; // the syllable with its tone mark
        std::array<int, kChainRules> start{-1, -1, -1}, end{-1, -1, -1};
        int others = -1; // in m_others, when other idioms are written as this one is
    };

    int keyOf(const QString &key, ChainRule rule);

    std::vector<Link> m_links;
    std::array<QHash<QString, int>, kChainRules> m_keys;
    std::array<std::vector<std::vector<int>>, kChainRules> m_beginning; // by start
    QHash<QString, int> m_byText; // the first idiom of each text
    std::vector<std::vector<int>> m_others;
};

// The syllables of a stored py, each with its tone mark as written:
// "yī  yán  jì  chū，sì" gives yī yán jì chū sì.
QStringList syllablesOf(const QString &pinyin);
// A syllable's key for each sound rule: "lǜ" gives "lv" by sound and "lv4"
// by sound and tone; a syllable without a tone mark has tone 5.
QString soundKey(const QString &syllable, ChainRule rule);
// A syllable as the reader reads it, tone marks dropped: "lǜ" gives "lü".
QString withoutTone(const QString &syllable);
