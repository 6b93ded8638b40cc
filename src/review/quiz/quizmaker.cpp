#include "review/quiz/quizmaker.h"

#include "review/quiz/meaningmask.h"

#include <QSet>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// Meaning characters held by more meanings than this say little of any one.
constexpr size_t kTellingMeaningCharacter = 300;
// How many of the most plausible wrong idioms a question draws its three from.
constexpr size_t kPlausiblePool = 8;

} // namespace

QuizMaker::QuizMaker(const IdiomStore &store) : m_index(store) {}

QList<QuizQuestion> QuizMaker::round(QuizKind kind, const QList<int> &source, quint32 seed, int size) const
{
    std::mt19937 random(seed);
    std::vector<int> asked;
    QSet<int> seen;
    for (const int id : source) {
        if (m_index.contains(id) && !seen.contains(id)) {
            seen.insert(id);
            asked.push_back(id);
        }
    }
    std::shuffle(asked.begin(), asked.end(), random);
    std::vector<int> filling = m_index.common().empty() ? m_index.ids() : m_index.common();
    std::shuffle(filling.begin(), filling.end(), random);
    asked.insert(asked.end(), filling.begin(), filling.end());

    QList<QuizQuestion> questions;
    std::unordered_set<std::u32string> texts;
    for (const int id : asked) {
        if (int(questions.size()) >= size)
            break;
        const QuizIndex::Entry *entry = m_index.entry(id);
        if (texts.count(entry->text))
            continue;
        QuizQuestion asking = question(kind, id, random);
        if (asking.id) {
            texts.insert(entry->text);
            questions << asking;
        }
    }
    return questions;
}
QuizQuestion QuizMaker::question(QuizKind kind, int id, std::mt19937 &random) const
{
    const QuizIndex::Entry *entry = m_index.entry(id);
    if (!entry)
        return {};
    if (kind == QuizKind::FillBlank)
        return blankQuestion(id, random);
    QuizQuestion asking;
    asking.kind = kind;
    const bool meanings = kind == QuizKind::ChooseMeaning;
    if (meanings) {
        if (entry->meaning.trimmed().isEmpty())
            return {};
        asking.prompt = entry->written;
    } else {
        asking.prompt = maskedMeaning(entry->meaning, entry->written);
        if (!readableMeaning(asking.prompt))
            return {};
    }
    const std::vector<int> wrong = wrongIdioms(id, kChoices - 1, meanings, random);
    if (int(wrong.size()) < kChoices - 1)
        return {};
    std::vector<std::pair<QString, int>> choices{{meanings ? shownMeaning(id) : entry->written, id}};
    for (const int choice : wrong)
        choices.emplace_back(meanings ? shownMeaning(choice) : m_index.entry(choice)->written, choice);
    asking.id = id;
    shuffleChoices(asking, choices, random);
    return asking;
}

std::vector<int> QuizMaker::wrongIdioms(int id, int count, bool meanings, std::mt19937 &random) const
{
    const QuizIndex::Entry *entry = m_index.entry(id);
    const int length = int(entry->text.size());
    // Points for each idiom of the same length: 3 for the same first
    // character, 2 for each character shared, 1 for each telling character
    // of the meaning shared.
    std::unordered_map<int, int> points;
    std::u32string characters = entry->text;
    std::sort(characters.begin(), characters.end());
    characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
    for (const char32_t c : characters) {
        if (!QuizIndex::isHan(c))
            continue;
        for (const int other : m_index.holding(c)) {
            const QuizIndex::Entry *near = m_index.entry(other);
            if (int(near->text.size()) == length)
                points[other] += 2 + (c == entry->text.front() && near->text.front() == c ? 3 : 0);
        }
    }
    const QList<uint> meant = entry->meaning.toUcs4();
    std::u32string meaning(meant.begin(), meant.end());
    std::sort(meaning.begin(), meaning.end());
    meaning.erase(std::unique(meaning.begin(), meaning.end()), meaning.end());
    for (const char32_t c : meaning) {
        const std::vector<int> &holding = m_index.meaningHolding(c);
        if (!QuizIndex::isHan(c) || holding.size() > kTellingMeaningCharacter)
            continue;
        for (const int other : holding) {
            if (int(m_index.entry(other)->text.size()) == length)
                ++points[other];
        }
    }
    std::vector<std::pair<int, int>> ranked(points.begin(), points.end());
    std::sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });

    std::vector<int> chosen;
    QSet<QString> shown{meanings ? shownMeaning(id) : QString()};
    const std::u32string telling = tellingCharacters(entry->meaning);
    const auto take = [&](int other) {
        const QuizIndex::Entry *near = m_index.entry(other);
        if (!near || int(chosen.size()) >= count || other == id || near->text == entry->text)
            return;
        if (!entry->meaning.isEmpty() && near->meaning == entry->meaning)
            return; // the same meaning would answer the question too
        // Nor a form of the answer (弄月嘲风 for 吟风弄月), nor an idiom whose
        // meaning says much the same.
        if (length >= 4 && sharedCount(characters, near->text) >= length - 1)
            return;
        const std::u32string nearTelling = tellingCharacters(near->meaning);
        const int same = sharedCount(telling, nearTelling);
        if (same >= 3 && same * 2 >= int(std::min(telling.size(), nearTelling.size())))
            return;
        for (const int taken : chosen) {
            if (m_index.entry(taken)->text == near->text)
                return;
        }
        if (meanings) {
            const QString text = shownMeaning(other);
            if (near->meaning.trimmed().isEmpty() || shown.contains(text))
                return;
            shown.insert(text);
        }
        chosen.push_back(other);
    };
    // Drawn from the most plausible, then the next, so that a round does not
    // offer the same three each time.
    for (size_t from = 0; from < ranked.size() && int(chosen.size()) < count; from += kPlausiblePool) {
        std::vector<int> pool;
        for (size_t n = from; n < ranked.size() && n < from + kPlausiblePool; ++n)
            pool.push_back(ranked[n].first);
        std::shuffle(pool.begin(), pool.end(), random);
        for (const int other : pool)
            take(other);
        if (from >= 4 * kPlausiblePool)
            break;
    }
    for (int tries = 0; int(chosen.size()) < count && tries < 200; ++tries)
        take(randomIdiom(tries < 100 ? length : 0, random));
    return chosen;
}

std::u32string QuizMaker::tellingCharacters(const QString &meaning) const
{
    std::u32string telling;
    for (const char32_t c : meaning.toUcs4()) {
        if (QuizIndex::isHan(c) && m_index.meaningHolding(c).size() <= kTellingMeaningCharacter)
            telling += c;
    }
    std::sort(telling.begin(), telling.end());
    telling.erase(std::unique(telling.begin(), telling.end()), telling.end());
    return telling;
}

int QuizMaker::sharedCount(const std::u32string &characters, const std::u32string &text)
{
    int shared = 0;
    for (const char32_t c : characters)
        shared += text.find(c) != std::u32string::npos;
    return shared;
}

QString QuizMaker::shownMeaning(int id) const
{
    const QuizIndex::Entry *entry = m_index.entry(id);
    return maskedMeaning(entry->meaning, entry->written);
}

int QuizMaker::randomIdiom(int length, std::mt19937 &random) const
{
    const std::vector<int> &sameLength = m_index.ofLength(length);
    const std::vector<int> &from = sameLength.empty() ? m_index.ids() : sameLength;
    return from.empty() ? 0 : from[random() % from.size()];
}

void QuizMaker::shuffleChoices(QuizQuestion &question, std::vector<std::pair<QString, int>> choices,
                               std::mt19937 &random)
{
    const QString right = choices.front().first;
    std::shuffle(choices.begin(), choices.end(), random);
    for (const auto &[text, id] : choices) {
        if (text == right)
            question.answer = int(question.choices.size());
        question.choices << text;
        question.choiceIds << id;
    }
}
