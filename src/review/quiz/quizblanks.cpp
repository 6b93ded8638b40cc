#include "review/quiz/quizmaker.h"

#include "store/lookalike.h"

#include <algorithm>
#include <unordered_map>

namespace {

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

} // namespace

QuizQuestion QuizMaker::blankQuestion(int id, std::mt19937 &random) const
{
    const QuizIndex::Entry *entry = m_index.entry(id);
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
    shuffleChoices(asking, choices, random);
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
    // The likeliest misspelling first; then, in a drawn order, two more
    // characters of the sound and the two that look most alike; then
    // characters the idioms of this length put in this place.
    std::vector<char32_t> wrong;
    const auto add = [&](const std::vector<char32_t> &tier) {
        for (const char32_t c : tier) {
            if (c != own && std::find(wrong.begin(), wrong.end(), c) == wrong.end())
                wrong.push_back(c);
        }
    };
    if (!sounds.empty())
        wrong.push_back(sounds.front().character);
    std::vector<char32_t> near;
    for (size_t n = 1; n < sounds.size() && n < 3; ++n)
        near.push_back(sounds[n].character);
    std::vector<std::pair<int, char32_t>> alike;
    const std::vector<char32_t> &characters = m_index.characters();
    for (size_t n = 0; n < characters.size() && n < kFamiliarCharacters; ++n) {
        const char32_t c = characters[n];
        if (const int points = lookAlike(own, c); points >= 4)
            alike.emplace_back(points, c);
    }
    std::stable_sort(alike.begin(), alike.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (size_t n = 0; n < alike.size() && n < 2; ++n)
        near.push_back(alike[n].second);
    std::shuffle(near.begin(), near.end(), random);
    add(near);
    std::vector<char32_t> placed;
    const std::vector<int> &sameLength = m_index.ofLength(int(entry->text.size()));
    for (int n = 0; n < 6 && !sameLength.empty(); ++n) {
        const QuizIndex::Entry *other = m_index.entry(sameLength[random() % sameLength.size()]);
        if (QuizIndex::isHan(other->text[size_t(place)]))
            placed.push_back(other->text[size_t(place)]);
    }
    add(placed);
    return wrong;
}
