#include "store/idiomsearch.h"
#include "store/lookalike.h"
#include "store/textfold.h"

#include <QSet>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <limits>
#include <tuple>

namespace {

// Finds one word in many texts of UTF-8, ASCII letters in any case, as LIKE
// compares them. The search reads every idiom's meaning, and a word of
// Chinese characters begins with one of a few lead bytes of UTF-8, which a
// plain search would stop at everywhere.
class WordFinder
{
public:
    explicit WordFinder(const QString &word)
        : m_word(word.toUtf8()), m_searcher(m_word.constBegin(), m_word.constEnd()),
          m_letters(std::ranges::any_of(m_word, [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
    {
    }

    bool isIn(QByteArrayView text) const
    {
        if (m_letters) {
            const auto sameLetter = [](char a, char b) { return asciiLower(a) == asciiLower(b); };
            return std::search(text.begin(), text.end(), m_word.cbegin(), m_word.cend(), sameLetter) != text.end();
        }
        return std::search(text.begin(), text.end(), m_searcher) != text.end();
    }

private:
    static char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

    QByteArray m_word;
    std::boyer_moore_horspool_searcher<const char *> m_searcher;
    bool m_letters; // ASCII letters, which compare without case
};

bool hasWildcards(const QString &text)
{
    return text.contains(u'%') || text.contains(u'_');
}

// An idiom's rank among the common ones, those that are not after them all.
int rankOf(const SearchIndex::Idiom &idiom)
{
    return idiom.rank > 0 ? idiom.rank : std::numeric_limits<int>::max();
}

// Words a reader puts around what they mean, which the meanings say in
// ways of their own (形容非常高兴, where 欣喜若狂 says 形容高兴到了极点):
// the reader's words are read as the pieces between them.
constexpr std::u32string_view kFillers[] = {U"非常", U"十分", U"特别", U"极其", U"很", U"的"};

std::vector<std::u32string> piecesOf(const std::u32string &typed)
{
    std::vector<std::u32string> pieces(1);
    for (size_t i = 0; i < typed.size();) {
        const auto isAt = [&](std::u32string_view filler) { return typed.compare(i, filler.size(), filler) == 0; };
        if (const auto *filler = std::ranges::find_if(kFillers, isAt); filler != std::end(kFillers)) {
            if (!pieces.back().empty())
                pieces.emplace_back();
            i += filler->size();
        } else {
            pieces.back() += typed[i++];
        }
    }
    return pieces;
}

} // namespace

IdiomSearch::IdiomSearch(const IdiomStore &store) : m_store(store), m_index(store)
{
}

SearchResult IdiomSearch::find(const QString &text) const
{
    const SearchResult found = lookUp(m_store, text);
    return found.stage == SearchResult::Nothing ? findMeant(text) : found;
}

SearchResult IdiomSearch::lookUp(const IdiomStore &store, const QString &text)
{
    if (QList<IdiomEntry> found = store.search(text); !found.isEmpty())
        return {found, SearchResult::LookUps};
    QList<IdiomEntry> plain;
    for (const QString &form : plainForms(text)) {
        if (form != text) // that one was looked up
            plain += store.search(form);
    }
    if (!plain.isEmpty())
        return {plain, SearchResult::PlainText};
    return {};
}

SearchResult IdiomSearch::findMeant(const QString &text) const
{
    const QStringList forms = plainForms(text);

    // The characters the idioms use, for the variants a reader types.
    const QString folded = forms.isEmpty() ? QString() : inIdiomCharacters(forms.first());
    if (!folded.isEmpty() && !forms.contains(folded) && folded != text) {
        if (QList<IdiomEntry> found = m_store.search(folded); !found.isEmpty())
            return {found, SearchResult::PlainText};
    }

    if (const std::optional<QString> typed = typedPinyin(text)) {
        if (QList<IdiomEntry> found = byPinyin(*typed); !found.isEmpty())
            return {found, SearchResult::Pinyin};
    }

    if (QList<IdiomEntry> found = bySound(folded); !found.isEmpty())
        return {found, SearchResult::SoundsAlike};
    if (QList<IdiomEntry> found = byShape(folded); !found.isEmpty())
        return {found, SearchResult::LookAlike};
    if (QList<IdiomEntry> found = byNearSound(folded); !found.isEmpty())
        return {found, SearchResult::NearSound};
    if (QList<IdiomEntry> found = byFragment(folded); !found.isEmpty())
        return {found, SearchResult::Fragment};

    // Every meaning is read once for each form: the first, simplified, form
    // and the plain text as typed, for a reader who writes in traditional
    // characters what the data writes in them too.
    QStringList meaningForms = forms.mid(0, 1);
    if (forms.size() > 1)
        meaningForms << forms.last();
    QList<IdiomEntry> found = byMeaning(meaningForms);
    if (found.size() < kMostByMeaning)
        found = byWords(folded, found);
    if (!found.isEmpty())
        return {found.mid(0, kMostByMeaning), SearchResult::Meaning};
    return {{}, SearchResult::Nothing};
}

QString IdiomSearch::inIdiomCharacters(const QString &plain) const
{
    const auto known = [this](char32_t c) { return m_index.uses(c); };
    QString folded;
    for (const char32_t c : allCodePoints(plain)) {
        const char32_t form = knownForm(c, known);
        folded.append(QString::fromUcs4(&form, 1));
    }
    return folded;
}

QList<IdiomEntry> IdiomSearch::byPinyin(const QString &typed) const
{
    QList<IdiomEntry> found;
    for (const SearchIndex::Idiom &idiom : m_index.idioms()) {
        if (beginsWithPinyin(idiom.pinyinKey, typed))
            found.append(idiom.entry);
    }
    return found;
}

QList<IdiomEntry> IdiomSearch::bySound(const QString &plain) const
{
    // An idiom has three characters or more; wildcards are no characters.
    const std::u32string typed = codePoints(plain);
    if (typed.size() < 3 || hasWildcards(plain))
        return {};
    std::vector<std::vector<std::string_view>> readings;
    for (const char32_t c : typed)
        readings.push_back(readingsOf(c));
    QList<IdiomEntry> byDifferences[2];
    for (const SearchIndex::Idiom &idiom : m_index.idioms()) {
        if (idiom.characters.size() != typed.size() || idiom.syllables.empty())
            continue;
        int differences = 0;
        for (size_t i = 0; i < typed.size() && differences <= 2; ++i) {
            if (typed[i] == idiom.characters[i])
                continue;
            // Another character counts only where it reads as the idiom's own.
            const bool sameSound = std::ranges::find(readings[i], idiom.syllables[i]) != readings[i].end();
            differences = sameSound ? differences + 1 : 3;
        }
        if (differences == 1 || differences == 2)
            byDifferences[differences - 1].append(idiom.entry);
    }
    return byDifferences[0] + byDifferences[1];
}

QList<IdiomEntry> IdiomSearch::byNearSound(const QString &plain) const
{
    // As bySound, each reading as readers of many dialects say it; run when
    // bySound found nothing, so every idiom found has a near sound in it.
    const std::u32string typed = codePoints(plain);
    if (typed.size() < 3 || hasWildcards(plain))
        return {};
    std::vector<std::vector<std::string>> readings;
    for (const char32_t c : typed) {
        std::vector<std::string> near;
        for (const std::string_view reading : readingsOf(c))
            near.push_back(nearSound(reading));
        readings.push_back(std::move(near));
    }
    QList<IdiomEntry> byDifferences[2];
    for (const SearchIndex::Idiom &idiom : m_index.idioms()) {
        if (idiom.characters.size() != typed.size() || idiom.syllables.empty())
            continue;
        int differences = 0;
        for (size_t i = 0; i < typed.size() && differences <= 2; ++i) {
            if (typed[i] == idiom.characters[i])
                continue;
            const bool near = std::ranges::find(readings[i], nearSound(idiom.syllables[i])) != readings[i].end();
            differences = near ? differences + 1 : 3;
        }
        if (differences == 1 || differences == 2)
            byDifferences[differences - 1].append(idiom.entry);
    }
    return byDifferences[0] + byDifferences[1];
}

QList<IdiomEntry> IdiomSearch::byFragment(const QString &plain) const
{
    // A piece of an idiom the reader remembers: the common idioms first,
    // then by how far into the idiom the piece lies, then the file's order.
    const std::u32string typed = codePoints(plain);
    if (typed.size() < 2 || hasWildcards(plain))
        return {};
    struct Match
    {
        int rank;
        size_t at, order;
        IdiomEntry idiom;
    };
    std::vector<Match> matches;
    const std::vector<SearchIndex::Idiom> &idioms = m_index.idioms();
    for (size_t order = 0; order < idioms.size(); ++order) {
        const std::u32string &own = idioms[order].characters;
        if (own.size() <= typed.size())
            continue;
        if (const size_t at = own.find(typed); at != std::u32string::npos)
            matches.push_back({rankOf(idioms[order]), at, order, idioms[order].entry});
    }
    std::ranges::sort(matches, [](const Match &a, const Match &b) {
        return std::tie(a.rank, a.at, a.order) < std::tie(b.rank, b.at, b.order);
    });
    QList<IdiomEntry> found;
    for (const Match &match : matches)
        found.append(match.idiom);
    return found;
}

QList<IdiomEntry> IdiomSearch::byMeaning(const QStringList &forms) const
{
    constexpr IdiomStore::Text kColumns[] = {IdiomStore::Text::Meaning, IdiomStore::Text::Source,
                                             IdiomStore::Text::Example};
    QList<IdiomEntry> found;
    QSet<int> listed;
    // Plain words are looked for in the texts of the index; wildcards need
    // LIKE, which reads every row of the file again.
    if (!std::ranges::any_of(forms, hasWildcards)) {
        const std::vector<WordFinder> words(forms.cbegin(), forms.cend());
        const std::vector<SearchIndex::Idiom> &idioms = m_index.idioms();
        const auto listIfHeld = [&](IdiomStore::Text column, quint32 row) {
            const auto holds = [&](const WordFinder &word) { return word.isIn(m_index.text(column, row)); };
            if (!listed.contains(idioms[row].entry.id) && std::ranges::any_of(words, holds)) {
                listed.insert(idioms[row].entry.id);
                found.append(idioms[row].entry);
            }
        };
        // The index lists the meanings' rows by character; sources and
        // examples are read through.
        for (const quint32 row : m_index.rowsThatMayHold(forms))
            listIfHeld(IdiomStore::Text::Meaning, row);
        for (const IdiomStore::Text column : {IdiomStore::Text::Source, IdiomStore::Text::Example}) {
            for (quint32 row = 0; row < idioms.size(); ++row)
                listIfHeld(column, row);
        }
        return found;
    }
    for (const IdiomStore::Text column : kColumns) {
        QList<IdiomEntry> inColumn;
        for (const QString &form : forms)
            inColumn += m_store.holding(column, form);
        for (const IdiomEntry &entry : inFileOrder(inColumn)) {
            if (!listed.contains(entry.id)) {
                listed.insert(entry.id);
                found.append(entry);
            }
        }
    }
    return found;
}

QList<IdiomEntry> IdiomSearch::byWords(const QString &plain, const QList<IdiomEntry> &listed) const
{
    // The reader's words as pairs of characters and as characters, each
    // weighing the more the fewer meanings hold it: in 形容人多, 形容 (in
    // thousands of meanings) weighs little, 人多 much. An idiom comes when
    // its meaning holds at least kLeastHeld of the weight, in any order and
    // with any words between; the most held first, with the common idioms
    // weighing more (see SearchIndex::Idiom::commonness), then the shortest
    // meaning, whose words stand closest, then the file's order. Common
    // idioms whose meaning holds every character of a reader's phrase come
    // even before the meanings that hold it as typed, at most kLeading of
    // them: 人山人海 (人群如山似海。形容人聚集得非常多。) for 形容人多.
    const std::u32string typed = codePoints(plain);
    if (typed.size() < 3 || hasWildcards(plain))
        return listed;
    const std::vector<SearchIndex::Idiom> &idioms = m_index.idioms();
    struct Term
    {
        QString text;
        bool character;
        std::vector<quint32> rows; // those whose meaning holds it
        qint64 weight = 0;
    };
    std::vector<Term> terms;
    const auto addTerm = [&terms](const QString &text, bool character) {
        if (std::ranges::none_of(terms, [&](const Term &term) { return term.text == text; }))
            terms.push_back({text, character, {}});
    };
    for (const std::u32string &piece : piecesOf(typed)) {
        for (size_t i = 0; i + 1 < piece.size(); ++i)
            addTerm(QString::fromUcs4(piece.data() + i, 2), false);
        for (const char32_t c : piece) {
            if (c >= 0x80) // a letter or a digit alone is in too many meanings to tell anything
                addTerm(QString::fromUcs4(&c, 1), true);
        }
    }
    // Each term is looked for only in the rows that hold its rarer character.
    qint64 allWeight = 0;
    for (Term &term : terms) {
        const WordFinder finder(term.text);
        for (const quint32 row : m_index.rowsThatMayHold({term.text})) {
            if (finder.isIn(m_index.text(IdiomStore::Text::Meaning, row)))
                term.rows.push_back(row);
        }
        const double rarity = std::log(double(idioms.size() + 1) / double(term.rows.size() + 1));
        term.weight = std::lround(1000 * rarity);
        allWeight += term.weight;
    }
    if (allWeight == 0)
        return listed;
    std::vector<qint64> held(idioms.size(), 0);
    std::vector<qsizetype> charactersHeld(idioms.size(), 0);
    qsizetype characters = 0;
    for (const Term &term : terms) {
        characters += term.character;
        for (const quint32 row : term.rows) {
            held[row] += term.weight;
            charactersHeld[row] += term.character;
        }
    }

    QSet<int> skipped;
    for (const IdiomEntry &entry : listed)
        skipped.insert(entry.id);
    struct Match
    {
        qint64 score;
        qsizetype length;
        size_t order;
    };
    std::vector<Match> matches;
    for (size_t order = 0; order < idioms.size(); ++order) {
        const qint64 share = 1000 * held[order] / allWeight; // in thousandths
        if (share < kLeastHeld || skipped.contains(idioms[order].entry.id))
            continue;
        const qint64 score = share + kCommonWeight * idioms[order].commonness / 1000;
        matches.push_back({score, m_index.text(IdiomStore::Text::Meaning, order).size(), order});
    }
    std::ranges::sort(matches, [](const Match &a, const Match &b) {
        return std::tie(b.score, a.length, a.order) < std::tie(a.score, b.length, b.order);
    });

    QList<IdiomEntry> leading, rest;
    for (const Match &match : matches) {
        const SearchIndex::Idiom &idiom = idioms[match.order];
        const bool leads = typed.size() >= kLeastPhrase && characters > 0 && idiom.rank > 0
                           && charactersHeld[match.order] == characters;
        if (leads && leading.size() < kLeading)
            leading.append(idiom.entry);
        else if (leading.size() + listed.size() + rest.size() < kMostByMeaning)
            rest.append(idiom.entry);
    }
    return leading + listed + rest;
}

QList<IdiomEntry> IdiomSearch::byShape(const QString &plain) const
{
    // The idioms of the text's length that it writes with one character
    // that looks like the idiom's, or with that one twice where the idiom
    // repeats its character (一模一样 as 一摸一样); besides it one more
    // character of the idiom's sound may be wrong. The most alike first
    // (see lookAlike), a wrong sound after none, then the most common, then
    // the file's order.
    const std::u32string typed = codePoints(plain);
    if (typed.size() < 3 || hasWildcards(plain))
        return {};
    struct Match
    {
        int soundsWrong, alike, rank;
        size_t order;
        IdiomEntry idiom;
    };
    std::vector<Match> matches;
    const std::vector<SearchIndex::Idiom> &idioms = m_index.idioms();
    for (size_t order = 0; order < idioms.size(); ++order) {
        const std::u32string &own = idioms[order].characters;
        if (own.size() != typed.size())
            continue;
        char32_t wrong = 0, meant = 0; // the look-alike character, and the idiom's
        int soundsWrong = 0;
        bool unlike = false; // a character neither alike nor of the idiom's sound
        for (size_t i = 0; i < typed.size() && !unlike; ++i) {
            if (typed[i] == own[i])
                continue;
            if (wrong == typed[i] && meant == own[i])
                continue; // the same wrong character again, where the idiom repeats its own
            if (wrong == 0 && lookAlike(typed[i], own[i]) != 0) {
                wrong = typed[i];
                meant = own[i];
                continue;
            }
            const std::vector<std::string> &syllables = idioms[order].syllables;
            const std::vector<std::string_view> readings = readingsOf(typed[i]);
            const bool sameSound = !syllables.empty() && std::ranges::find(readings, syllables[i]) != readings.end();
            unlike = !sameSound || ++soundsWrong > 1;
        }
        if (wrong != 0 && !unlike)
            matches.push_back({soundsWrong, lookAlike(wrong, meant), rankOf(idioms[order]), order, idioms[order].entry});
    }
    std::ranges::sort(matches, [](const Match &a, const Match &b) {
        return std::tie(a.soundsWrong, b.alike, a.rank, a.order) < std::tie(b.soundsWrong, a.alike, b.rank, b.order);
    });
    QList<IdiomEntry> found;
    for (const Match &match : matches)
        found.append(match.idiom);
    return found;
}
