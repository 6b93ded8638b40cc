// What the quizzes read of the store, once: every idiom's characters, its
// reading syllable by syllable, and its meaning; the idioms of each length
// and of each character; the idioms whose meanings hold each character; and
// which characters the idioms read with each sound. Questions and their wrong
// choices are then made without asking the store again.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class IdiomStore;

class QuizIndex
{
public:
    // Reads every idiom of `store` and its list of common idioms. Throws
    // StoreError when the store fails.
    explicit QuizIndex(const IdiomStore &store);

    struct Entry
    {
        std::u32string text;        // its characters, punctuation too
        QString written;            // the same as a QString
        QString pinyin;
        // The sound of each character (see readAs), -1 for punctuation; empty
        // when the reading's syllables do not match the characters.
        std::vector<int> sounds;
        QString meaning;
    };

    // The idiom with `id`; null for an id the store does not have.
    const Entry *entry(int id) const;
    bool contains(int id) const { return entry(id) != nullptr; }
    // Every id, in the file's order.
    const std::vector<int> &ids() const { return m_ids; }
    // The common idioms, the most used first; empty without the list.
    const std::vector<int> &common() const { return m_common; }

    // The idioms of `length` characters.
    const std::vector<int> &ofLength(int length) const;
    // The idioms whose texts hold `c`, each once.
    const std::vector<int> &holding(char32_t c) const;
    // The idioms whose meanings hold `c`, each once.
    const std::vector<int> &meaningHolding(char32_t c) const;
    // Every character of the idioms' texts, the most used first.
    const std::vector<char32_t> &characters() const { return m_characters; }
    // Whether some idiom writes `b` right after `a` (风声 of 风声鹤唳).
    bool adjacent(char32_t a, char32_t b) const;
    // Whether some idiom is written `text`.
    bool isIdiom(const std::u32string &text) const { return m_written.count(text) != 0; }

    // The characters the idioms read as `sound` (a syllable with its tone
    // mark), with how often; and those read as it in any tone.
    using Characters = std::unordered_map<char32_t, int>;
    const Characters &readAs(int sound) const;
    const Characters &readAsToneless(int sound) const;

    // Whether `c` is a character a quiz may blank: a Han character.
    static bool isHan(char32_t c);

private:
    // The place of `c` in the lists by character, made for it when `make`;
    // -1 for a character no idiom has.
    int slotOf(char32_t c, bool make);
    int slotOf(char32_t c) const;
    static std::uint64_t pairKey(char32_t a, char32_t b) { return std::uint64_t(a) << 32 | b; }

    std::vector<Entry> m_entries; // by id, an empty text where there is none
    std::vector<int> m_ids;
    std::vector<int> m_common;
    std::unordered_map<int, std::vector<int>> m_byLength;
    // Each character has a slot, by which its lists are found: the idioms
    // whose texts, and those whose meanings, hold it.
    std::vector<int> m_slots; // by code point
    std::vector<char32_t> m_slotCharacters;
    std::vector<std::vector<int>> m_byCharacter;
    std::vector<std::vector<int>> m_byMeaningCharacter;
    std::unordered_map<std::u32string, int> m_written;
    std::vector<char32_t> m_characters;
    std::vector<std::uint64_t> m_pairs; // sorted
    // Each syllable with its tone mark is a sound, numbered as first met;
    // each has the number of its syllable without the mark.
    QHash<QString, int> m_soundOf;
    std::vector<int> m_tonelessOf;
    std::vector<Characters> m_readAs, m_readAsToneless;
};
