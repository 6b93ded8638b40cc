#include "review/quiz/quizmaker.h"

#include "review/quiz/meaningmask.h"
#include "store/lookalike.h"

#include <QSet>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// Meaning characters held by more meanings than this say little of any one.
constexpr size_t kTellingMeaningCharacter = 300;
// How many of the most plausible wrong idioms a question draws its three from.
constexpr size_t kPlausiblePool = 8;
// What stands for each blanked character: a box apiece, so that two blanks
// side by side read as two.
constexpr char32_t kBlankMark = U'□';
// The points from which a same-sound character is taken for one that
// readers write in its place.
constexpr int kLikelyMisspelling = 6;
// Characters read so in this many idioms are familiar; in fewer than
// kRare, rare.
constexpr int kFamiliar = 20;
constexpr int kRare = 4;
// The look-alike characters offered for a blank are among the idioms' most
// used, which a reader knows.
constexpr size_t kFamiliarCharacters = 1500;

// The places of `text` that may be blanked: its Han characters.
QList<int> hanPlaces(const std::u32string &text)
{
    QList<int> places;
    for (size_t at = 0; at < text.size(); ++at) {
        if (QuizIndex::isHan(text[at]))
            places << int(at);
    }
    return places;
}

// `choices` with the right one first, shuffled into `question`.
void shuffleInto(QuizQuestion &question, std::vector<std::pair<QString, int>> choices, std::mt19937 &random)
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
    if (kind == QuizKind::FillBlank) {
        const QList<int> places = hanPlaces(entry->text);
        if (places.size() < 2)
            return {};
        // The place whose character has a same-sound rival another idiom
        // like this one writes, where there is one.
        std::vector<std::vector<SameSound>> sounds(entry->text.size());
        QList<int> telling;
        int most = kLikelyMisspelling;
        for (const int place : places) {
            const std::vector<SameSound> &rivals = sounds[size_t(place)] = sameSound(id, place);
            if (rivals.empty() || rivals.front().points < most)
                continue;
            if (rivals.front().points > most)
                telling.clear();
            most = rivals.front().points;
            telling << place;
        }
        QList<int> blanks{telling.isEmpty() ? places[std::uniform_int_distribution<qsizetype>(0, places.size() - 1)(random)]
                                             : telling[std::uniform_int_distribution<qsizetype>(0, telling.size() - 1)(random)]};
        // Two blanks in a long idiom, and now and then in one of four.
        if (places.size() >= 6 || (places.size() >= 4 && random() % 4 == 0)) {
            QList<int> others = places;
            others.removeOne(blanks.front());
            blanks << others[std::uniform_int_distribution<qsizetype>(0, others.size() - 1)(random)];
            std::sort(blanks.begin(), blanks.end());
        }
        std::vector<std::vector<SameSound>> blanked;
        for (const int place : blanks)
            blanked.push_back(std::move(sounds[size_t(place)]));
        return fillBlank(id, blanks, blanked, random);
    }

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
    shuffleInto(asking, choices, random);
    return asking;
}

QuizQuestion QuizMaker::fillBlank(int id, const QList<int> &blanks, std::mt19937 &random) const
{
    const QuizIndex::Entry *entry = m_index.entry(id);
    if (!entry || blanks.isEmpty())
        return {};
    std::vector<std::vector<SameSound>> sounds;
    for (const int place : blanks) {
        if (place < 0 || size_t(place) >= entry->text.size())
            return {};
        sounds.push_back(sameSound(id, place));
    }
    return fillBlank(id, blanks, sounds, random);
}

QuizQuestion QuizMaker::fillBlank(int id, const QList<int> &blanks, const std::vector<std::vector<SameSound>> &sounds,
                                  std::mt19937 &random) const
{
    const QuizIndex::Entry *entry = m_index.entry(id);
    QuizQuestion asking;
    asking.kind = QuizKind::FillBlank;
    asking.hint = entry->pinyin;
    asking.blanks = blanks;
    std::u32string prompt = entry->text;
    for (const int place : blanks)
        prompt[size_t(place)] = kBlankMark;
    asking.prompt = QString::fromStdU32String(prompt);

    // What each blank may be filled with, the likeliest first.
    std::vector<std::vector<char32_t>> offered;
    for (qsizetype blank = 0; blank < blanks.size(); ++blank)
        offered.push_back(wrongCharacters(id, blanks[blank], sounds[size_t(blank)], random));
    const auto filled = [&](const std::vector<char32_t> &characters) {
        std::u32string text = entry->text;
        for (size_t n = 0; n < characters.size(); ++n)
            text[size_t(blanks[qsizetype(n)])] = characters[n];
        return text;
    };
    std::vector<char32_t> right;
    for (const int place : blanks)
        right.push_back(entry->text[size_t(place)]);
    std::vector<std::vector<char32_t>> fills{right};
    const auto offer = [&](const std::vector<char32_t> &fill) {
        if (int(fills.size()) < kChoices && std::find(fills.begin(), fills.end(), fill) == fills.end()
            && !m_index.isIdiom(filled(fill)))
            fills.push_back(fill);
    };
    // One blank takes its wrong characters in order; two take one wrong
    // character at a time, then both.
    for (size_t n = 0; n < offered.front().size(); ++n) {
        for (size_t blank = 0; blank < offered.size(); ++blank) {
            if (n < offered[blank].size()) {
                std::vector<char32_t> fill = right;
                fill[blank] = offered[blank][n];
                offer(fill);
            }
        }
        if (blanks.size() == 2 && n < offered[1].size())
            offer({offered[0][n], offered[1][n]});
    }
    // Characters of the idioms, the most used first, where nothing else is left.
    for (const char32_t c : m_index.characters()) {
        if (int(fills.size()) >= kChoices)
            break;
        std::vector<char32_t> fill = right;
        fill.back() = c;
        offer(fill);
    }
    if (int(fills.size()) < kChoices)
        return {};
    std::vector<std::pair<QString, int>> choices;
    for (const std::vector<char32_t> &fill : fills)
        choices.emplace_back(QString::fromStdU32String(std::u32string(fill.begin(), fill.end())), 0);
    asking.id = id;
    shuffleInto(asking, choices, random);
    return asking;
}

std::vector<QuizMaker::SameSound> QuizMaker::sameSound(int id, int place) const
{
    const QuizIndex::Entry *entry = m_index.entry(id);
    if (!entry || place < 0 || size_t(place) >= entry->sounds.size() || entry->sounds[size_t(place)] < 0)
        return {};
    const char32_t own = entry->text[size_t(place)];
    const int sound = entry->sounds[size_t(place)];
    const QuizIndex::Characters &sameTone = m_index.readAs(sound);
    const QuizIndex::Characters &anyTone = m_index.readAsToneless(sound);

    // How many of this idiom's other characters each idiom holds.
    std::unordered_map<int, int> sharing;
    std::u32string others;
    for (size_t at = 0; at < entry->text.size(); ++at) {
        const char32_t c = entry->text[at];
        if (at != size_t(place) && QuizIndex::isHan(c) && c != own && others.find(c) == std::u32string::npos)
            others += c;
    }
    for (const char32_t c : others) {
        for (const int other : m_index.holding(c))
            ++sharing[other];
    }
    std::unordered_map<char32_t, int> best;
    for (const auto &[other, shared] : sharing) {
        const QuizIndex::Entry *near = m_index.entry(other);
        if (near->text == entry->text)
            continue;
        for (const char32_t c : near->text) {
            if (c != own && anyTone.count(c)) {
                int &points = best[c];
                points = std::max(points, shared);
            }
        }
    }
    // Points for how likely a reader is to write each in its place: up to 3
    // for the characters another idiom holding it shares with this one, 2
    // for a pair it makes with a neighbour that an idiom has (风声 for 谈笑风生),
    // 3 for the same phonetic series (径 胫), 1 for a shared component, 2
    // for the same tone; 1 for a character many idioms use, -1 for a rare one.
    const char32_t before = place > 0 ? entry->text[size_t(place) - 1] : 0;
    const char32_t after = size_t(place) + 1 < entry->text.size() ? entry->text[size_t(place) + 1] : 0;
    std::vector<SameSound> found;
    for (const auto &[c, count] : anyTone) {
        if (c == own)
            continue;
        const auto shared = best.find(c);
        int points = shared == best.end() ? 0 : std::min(shared->second, 3);
        if ((before && m_index.adjacent(before, c)) || (after && m_index.adjacent(c, after)))
            points += 2;
        const int shape = lookAlike(own, c);
        points += (shape & 8) ? 3 : (shape & 2) ? 1 : 0;
        points += sameTone.count(c) ? 2 : 0;
        points += count >= kFamiliar ? 1 : count < kRare ? -1 : 0;
        found.push_back({c, points});
    }
    std::sort(found.begin(), found.end(), [&](const SameSound &a, const SameSound &b) {
        if (a.points != b.points)
            return a.points > b.points;
        const int usedA = anyTone.at(a.character), usedB = anyTone.at(b.character);
        return usedA != usedB ? usedA > usedB : a.character < b.character;
    });
    return found;
}

std::vector<char32_t> QuizMaker::wrongCharacters(int id, int place, const std::vector<SameSound> &sounds,
                                                 std::mt19937 &random) const
{
    const QuizIndex::Entry *entry = m_index.entry(id);
    const char32_t own = entry->text[size_t(place)];
    // The likeliest misspelling first; then, in a drawn order, another
    // character of the sound, those that look most alike, and characters
    // the idioms of this length put in this place.
    std::vector<char32_t> wrong;
    if (!sounds.empty())
        wrong.push_back(sounds.front().character);
    std::vector<char32_t> more;
    for (size_t n = 1; n < sounds.size() && n < 3; ++n)
        more.push_back(sounds[n].character);
    std::vector<std::pair<int, char32_t>> alike;
    const std::vector<char32_t> &characters = m_index.characters();
    for (size_t n = 0; n < characters.size() && n < kFamiliarCharacters; ++n) {
        const char32_t c = characters[n];
        if (const int points = lookAlike(own, c); points >= 4)
            alike.emplace_back(points, c);
    }
    std::stable_sort(alike.begin(), alike.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (size_t n = 0; n < alike.size() && n < 2; ++n)
        more.push_back(alike[n].second);
    const std::vector<int> &sameLength = m_index.ofLength(int(entry->text.size()));
    for (int n = 0; n < 6 && !sameLength.empty(); ++n) {
        const QuizIndex::Entry *other = m_index.entry(sameLength[random() % sameLength.size()]);
        if (QuizIndex::isHan(other->text[size_t(place)]))
            more.push_back(other->text[size_t(place)]);
    }
    std::shuffle(more.begin(), more.end(), random);
    for (const char32_t c : more) {
        if (c != own && std::find(wrong.begin(), wrong.end(), c) == wrong.end())
            wrong.push_back(c);
    }
    return wrong;
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
    const auto take = [&](int other) {
        const QuizIndex::Entry *near = m_index.entry(other);
        if (!near || int(chosen.size()) >= count || other == id || near->text == entry->text)
            return;
        if (!entry->meaning.isEmpty() && near->meaning == entry->meaning)
            return; // the same meaning would answer the question too
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
