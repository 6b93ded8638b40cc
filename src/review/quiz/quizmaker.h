// The questions of a quiz round, each with four choices of which one is
// right:
//   看释义猜成语 the meaning, its quotes of the idiom hidden, and four idioms;
//   填空         the idiom with one or two characters blanked, and four
//                characters (or pairs) to fill them, or to type;
//   看成语选释义 the idiom and four meanings.
// The wrong choices are plausible: idioms of the same length sharing a
// character, the first above all, or words of the meaning; for a blank, a
// character of the same sound that another idiom with the same neighbours
// uses (急 of 急不可待 for 迫不及待), one that looks alike, or one the idioms
// put in the same place. Never the right answer twice, never an idiom
// written as the answer is (the data has several rows of one text), nor a
// form of it with all but one of its characters, never a meaning the same as
// the answer's or saying much the same, never a blank filled into another
// idiom.
// A round is drawn with the caller's seed, so that the same seed makes the
// same round.
#pragma once

#include "review/quiz/quizindex.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <random>

enum class QuizKind { GuessIdiom, FillBlank, ChooseMeaning };

struct QuizQuestion
{
    QuizKind kind = QuizKind::GuessIdiom;
    int id = 0;            // the idiom asked about
    QString prompt;        // the masked meaning, the idiom with blanks, or the idiom
    QString hint;          // 填空: the idiom's pinyin
    QStringList choices;   // four
    QList<int> choiceIds;  // the idiom of each choice; 0 for characters
    int answer = 0;        // the right one's place in choices
    QList<int> blanks;     // 填空: the places blanked, in characters

    QString rightChoice() const { return choices.value(answer); }
};

class QuizMaker
{
public:
    static constexpr int kRoundSize = 10;
    static constexpr int kChoices = 4;

    // Reads what the questions need from `store` once; throws StoreError
    // when it fails.
    explicit QuizMaker(const IdiomStore &store);

    const QuizIndex &index() const { return m_index; }

    // A round of `size` questions of `kind` on the idioms of `source` (ids,
    // any order), drawn with `seed`. Where the source has fewer idioms that
    // suit the kind, the round is filled from the common idioms, or the
    // whole dictionary without them. No text is asked twice in a round.
    QList<QuizQuestion> round(QuizKind kind, const QList<int> &source, quint32 seed, int size = kRoundSize) const;

    // One question of `kind` on the idiom `id`, drawn with `random`; none
    // (id 0) when the idiom does not suit the kind, as an idiom without a
    // meaning does not suit 看释义猜成语.
    QuizQuestion question(QuizKind kind, int id, std::mt19937 &random) const;
    // 填空 with the places of `blanks` blanked.
    QuizQuestion fillBlank(int id, const QList<int> &blanks, std::mt19937 &random) const;

    // The characters read as the one at `place` of idiom `id` is, in any
    // tone, the likeliest to be written for it first: one that an idiom
    // sharing this one's other characters holds (急 of 急不可待 for 迫不及待),
    // that makes a pair with a neighbour (风声 for 谈笑风生), that looks alike
    // (径 for 不胫而走), of the same tone; then the most used.
    struct SameSound
    {
        char32_t character = 0;
        int points = 0; // how likely
    };
    std::vector<SameSound> sameSound(int id, int place) const;

private:
    // 填空 on idiom `id`, its blank where a reader would likeliest go wrong.
    QuizQuestion blankQuestion(int id, std::mt19937 &random) const;
    // `choices`, the right one first, shuffled into `question`.
    static void shuffleChoices(QuizQuestion &question, std::vector<std::pair<QString, int>> choices,
                               std::mt19937 &random);
    // Up to `count` idioms to offer beside `id`, the most plausible drawn
    // first, none written as it is nor as each other; for meanings, none
    // whose meaning is empty or the same as its meaning.
    std::vector<int> wrongIdioms(int id, int count, bool meanings, std::mt19937 &random) const;
    // 填空 with the places of `blanks` blanked, `sounds` the same-sound
    // characters of each.
    QuizQuestion fillBlank(int id, const QList<int> &blanks, const std::vector<std::vector<SameSound>> &sounds,
                           std::mt19937 &random) const;
    // The characters to offer for the blank at `place`, beside the right
    // one, given its same-sound characters.
    std::vector<char32_t> wrongCharacters(int id, int place, const std::vector<SameSound> &sounds,
                                          std::mt19937 &random) const;
    // The characters of `meaning` that tell it from others, each once, in order.
    std::u32string tellingCharacters(const QString &meaning) const;
    // How many of `characters` (each once) `text` holds.
    static int sharedCount(const std::u32string &characters, const std::u32string &text);
    // The idiom's meaning as a choice shows it, its own quotes hidden.
    QString shownMeaning(int id) const;
    // A random idiom of `length` characters, or of any length when none is.
    int randomIdiom(int length, std::mt19937 &random) const;

    QuizIndex m_index;
};
