#include "store/idiomstore.h"
#include "store/idiomtable.h"
#include "store/sqlite/query.h"
#include "store/storeerror.h"
#include "store/textfold.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <functional>
#include <tuple>
#include <sqlite3.h>

namespace {

// Rows come in the order the file stores them, ascending id, whichever
// index finds them.
constexpr const char *kCount = "SELECT count(*) FROM cy";
constexpr const char *kIdiomById = "SELECT id, cy, py, ys, cc, lz FROM cy WHERE id = ?";
constexpr const char *kIdiomIs = "SELECT id, cy FROM cy WHERE cy = ? ORDER BY id";
constexpr const char *kInitialsAre = "SELECT id, cy FROM cy WHERE pyjm = ? ORDER BY id";
constexpr const char *kIdiomLike = "SELECT id, cy FROM cy WHERE cy LIKE ? ORDER BY id";
constexpr const char *kInitialsLike = "SELECT id, cy FROM cy WHERE pyjm LIKE ? ORDER BY id";
constexpr const char *kIndex = "SELECT id, cy, py FROM cy ORDER BY id";
constexpr const char *kTexts = "SELECT ys, cc, lz FROM cy ORDER BY id";
constexpr const char *kMeanings[] = {
    "SELECT id, cy FROM cy WHERE ys LIKE ? ORDER BY id", // the meaning
    "SELECT id, cy FROM cy WHERE cc LIKE ? ORDER BY id", // the source
    "SELECT id, cy FROM cy WHERE lz LIKE ? ORDER BY id", // the example
};

// The last character of `text`, whole: a character outside the basic plane
// is two code units, and half of it would match nothing.
QString lastCharacter(const QString &text)
{
    const std::u32string characters = allCodePoints(text);
    return characters.empty() ? text : QStringView(QChar::fromUcs4(characters.back())).toString();
}

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

// `entries` in the file's order, each idiom once.
QList<IdiomEntry> inFileOrder(QList<IdiomEntry> entries)
{
    const auto byId = [](const IdiomEntry &a, const IdiomEntry &b) { return a.id < b.id; };
    const auto sameId = [](const IdiomEntry &a, const IdiomEntry &b) { return a.id == b.id; };
    std::sort(entries.begin(), entries.end(), byId);
    entries.erase(std::unique(entries.begin(), entries.end(), sameId), entries.end());
    return entries;
}

// The kind of fault behind the last failed call on `db`.
StoreError failure(sqlite3 *db, const QString &path)
{
    const QString system = QString::fromUtf8(sqlite3_errmsg(db));
    switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_NOTADB:
        return StoreError(StoreError::NotADataFile, path);
    case SQLITE_CORRUPT:
        return StoreError(StoreError::Damaged, path);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return StoreError(StoreError::Unreadable, path, system);
    case SQLITE_IOERR:
        return StoreError(StoreError::ReadFailed, path, system);
    case SQLITE_NOMEM:
        return StoreError(StoreError::OutOfMemory, path);
    default:
        return StoreError(StoreError::Failed, path, system);
    }
}

// A statement on the data file at `path`, its failures thrown as StoreError.
class Query : public Sqlite::Query
{
public:
    Query(sqlite3 *db, const QString &path, const char *sql) : Sqlite::Query(db, sql), m_db(db), m_path(path)
    {
        if (rc() != SQLITE_OK)
            throw failure(db, path);
    }

    Query &bind(const QString &text)
    {
        Sqlite::Query::bind(text);
        return *this;
    }
    Query &bind(int number)
    {
        Sqlite::Query::bind(number);
        return *this;
    }

    // Moves to the next row; false past the last.
    bool next()
    {
        if (Sqlite::Query::next())
            return true;
        if (rc() != SQLITE_DONE)
            throw failure(m_db, m_path);
        return false;
    }

private:
    sqlite3 *m_db;
    const QString &m_path;
};

// Whether table cy has every column the program reads: a foreign or damaged
// file is refused when it is opened rather than at the first look-up.
void checkIdiomTable(sqlite3 *db, const QString &path)
{
    QStringList missing;
    for (const IdiomTable::Column &column : IdiomTable::kColumns)
        missing << QString::fromLatin1(column.name);
    Query columns(db, path, "PRAGMA table_info(cy)");
    bool found = false;
    while (columns.next()) {
        found = true;
        const QString name = columns.text(1);
        missing.removeIf([&](const QString &column) { return column.compare(name, Qt::CaseInsensitive) == 0; });
    }
    if (!found)
        throw StoreError(StoreError::NoIdiomTable, path);
    if (!missing.isEmpty())
        throw StoreError(StoreError::MissingColumns, path, missing.join(QStringLiteral("、")));
}

} // namespace

IdiomStore::IdiomStore(const QString &path) : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw StoreError(StoreError::Missing, path);
    if (!info.isFile())
        throw StoreError(info.isDir() ? StoreError::IsFolder : StoreError::NotAFile, path);
    if (info.size() == 0)
        throw StoreError(StoreError::Empty, path);

    // The windows use the store on the thread that runs them only.
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    m_db.reset(raw);
    if (rc != SQLITE_OK)
        throw raw ? failure(raw, path) : StoreError(StoreError::OutOfMemory, path);
    checkIdiomTable(raw, path);
    m_longestPattern = sqlite3_limit(raw, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
}

IdiomStore::IdiomStore(const QString &path, const QByteArray &bytes) : m_path(path), m_bytes(bytes)
{
    if (m_bytes.isEmpty())
        throw StoreError(StoreError::Empty, path);
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    m_db.reset(raw);
    if (rc != SQLITE_OK)
        throw raw ? failure(raw, path) : StoreError(StoreError::OutOfMemory, path);
    // SQLite reads the bytes where they are and never writes them.
    auto *data = reinterpret_cast<unsigned char *>(const_cast<char *>(m_bytes.constData()));
    if (sqlite3_deserialize(raw, "main", data, m_bytes.size(), m_bytes.size(), SQLITE_DESERIALIZE_READONLY)
        != SQLITE_OK)
        throw failure(raw, path);
    checkIdiomTable(raw, path);
    m_longestPattern = sqlite3_limit(raw, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
}

IdiomStore IdiomStore::inMemory(const QByteArray &bytes, const QString &name)
{
    return IdiomStore(name, bytes);
}

int IdiomStore::count() const
{
    Query query(m_db.get(), m_path, kCount);
    query.next();
    return query.integer(0);
}

Idiom IdiomStore::idiom(int id) const
{
    Query query(m_db.get(), m_path, kIdiomById);
    if (!query.bind(id).next())
        throw StoreError(StoreError::MissingIdiom, m_path, QString::number(id));
    return {query.integer(0), query.text(1), query.text(2), query.text(3), query.text(4), query.text(5)};
}

QList<IdiomEntry> IdiomStore::search(const QString &text) const
{
    const QString pattern = prefixPattern(text);
    return writtenAs(text) + entries(kInitialsAre, text) + entries(kIdiomLike, pattern)
         + entries(kInitialsLike, pattern);
}

QList<IdiomEntry> IdiomStore::writtenAs(const QString &text) const
{
    return entries(kIdiomIs, text);
}

SearchResult IdiomStore::find(const QString &text) const
{
    if (QList<IdiomEntry> found = search(text); !found.isEmpty())
        return {found, SearchResult::LookUps};

    const QStringList forms = plainForms(text);
    QList<IdiomEntry> plain;
    for (const QString &form : std::as_const(forms)) {
        if (form != text) // that one was looked up
            plain += search(form);
    }
    if (!plain.isEmpty())
        return {plain, SearchResult::PlainText};

    // The characters the idioms use, for the variants a reader types.
    const QString folded = forms.isEmpty() ? QString() : inIdiomCharacters(forms.first());
    if (!folded.isEmpty() && !forms.contains(folded) && folded != text) {
        if (QList<IdiomEntry> found = search(folded); !found.isEmpty())
            return {found, SearchResult::PlainText};
    }

    if (const std::optional<QString> typed = typedPinyin(text)) {
        if (QList<IdiomEntry> found = byPinyin(*typed); !found.isEmpty())
            return {found, SearchResult::Pinyin};
    }

    if (QList<IdiomEntry> found = bySound(folded); !found.isEmpty())
        return {found, SearchResult::SoundsAlike};

    // Every meaning is read once for each form: the first, simplified, form
    // and the plain text as typed, for a reader who writes in traditional
    // characters what the data writes in them too.
    QStringList meaningForms = forms.mid(0, 1);
    if (forms.size() > 1)
        meaningForms << forms.last();
    QList<IdiomEntry> found = byMeaning(meaningForms);
    if (found.size() < kMostByMeaning)
        found += byWords(folded, found);
    if (!found.isEmpty())
        return {found.mid(0, kMostByMeaning), SearchResult::Meaning};
    return {{}, SearchResult::Nothing};
}

QList<IdiomEntry> IdiomStore::followers(const QString &link) const
{
    const QString last = lastCharacter(link);
    QList<IdiomEntry> found = beginningWith(last);
    if (!found.isEmpty())
        return found;
    QSet<QString> looked{last};
    for (const QString &form : plainForms(link)) {
        const QString character = lastCharacter(form);
        if (!looked.contains(character)) {
            looked.insert(character);
            found += beginningWith(character);
        }
    }
    return inFileOrder(found);
}

QList<Idiom> IdiomStore::readings() const
{
    QList<Idiom> idioms;
    Query query(m_db.get(), m_path, kIndex);
    while (query.next())
        idioms.append({query.integer(0), query.text(1), query.text(2), {}, {}, {}});
    return idioms;
}

QList<IdiomEntry> IdiomStore::beginningWith(const QString &character) const
{
    return entries(kIdiomLike, prefixPattern(character));
}

const std::vector<IdiomStore::IndexedIdiom> &IdiomStore::index() const
{
    if (m_index.empty()) {
        Query query(m_db.get(), m_path, kIndex);
        while (query.next()) {
            const QString text = query.text(1);
            IndexedIdiom idiom{{text, query.integer(0)}, {}, codePoints(text), pinyinSyllables(query.text(2))};
            std::string key;
            for (const std::string &syllable : idiom.syllables)
                key += syllable;
            idiom.pinyinKey = QString::fromLatin1(key.data(), qsizetype(key.size()));
            if (idiom.syllables.size() != idiom.characters.size())
                idiom.syllables.clear(); // no way to tell which syllable is whose
            for (const char32_t c : idiom.characters)
                m_idiomCharacters.insert(c);
            m_index.push_back(std::move(idiom));
        }
    }
    return m_index;
}

void IdiomStore::prepareSearch() const
{
    index();
    texts();
}

const std::array<IdiomStore::ColumnTexts, 3> &IdiomStore::texts() const
{
    if (m_texts[0].ends.empty()) {
        Query query(m_db.get(), m_path, kTexts);
        while (query.next()) {
            for (int column = 0; column < 3; ++column) {
                m_texts[column].bytes += query.utf8View(column);
                m_texts[column].ends.push_back(m_texts[column].bytes.size());
            }
        }
    }
    return m_texts;
}

QString IdiomStore::inIdiomCharacters(const QString &plain) const
{
    index();
    const auto known = [this](char32_t c) { return m_idiomCharacters.contains(c); };
    QString folded;
    for (const char32_t c : allCodePoints(plain)) {
        const char32_t form = knownForm(c, known);
        folded.append(QString::fromUcs4(&form, 1));
    }
    return folded;
}

QList<IdiomEntry> IdiomStore::byPinyin(const QString &typed) const
{
    QList<IdiomEntry> found;
    for (const IndexedIdiom &idiom : index()) {
        if (beginsWithPinyin(idiom.pinyinKey, typed))
            found.append(idiom.idiom);
    }
    return found;
}

QList<IdiomEntry> IdiomStore::bySound(const QString &plain) const
{
    // An idiom has three characters or more; wildcards are no characters.
    const std::u32string typed = codePoints(plain);
    if (typed.size() < 3 || plain.contains(u'%') || plain.contains(u'_'))
        return {};
    std::vector<std::vector<std::string_view>> readings;
    for (const char32_t c : typed)
        readings.push_back(readingsOf(c));
    QList<IdiomEntry> byDifferences[2];
    for (const IndexedIdiom &idiom : index()) {
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
            byDifferences[differences - 1].append(idiom.idiom);
    }
    return byDifferences[0] + byDifferences[1];
}

QList<IdiomEntry> IdiomStore::byMeaning(const QStringList &forms) const
{
    QList<IdiomEntry> found;
    QSet<int> listed;
    // Plain words are looked for in the texts the search holds; wildcards
    // need LIKE, which reads every row of the file again.
    const bool wildcards = std::ranges::any_of(forms, [](const QString &form) {
        return form.contains(u'%') || form.contains(u'_');
    });
    if (!wildcards) {
        const std::vector<WordFinder> words(forms.cbegin(), forms.cend());
        const std::vector<IndexedIdiom> &idioms = index();
        const std::array<ColumnTexts, 3> &held = texts();
        for (const ColumnTexts &column : held) {
            for (size_t row = 0; row < idioms.size() && row < column.ends.size(); ++row) {
                const auto holds = [&](const WordFinder &word) { return word.isIn(column.at(row)); };
                if (!listed.contains(idioms[row].idiom.id) && std::ranges::any_of(words, holds)) {
                    listed.insert(idioms[row].idiom.id);
                    found.append(idioms[row].idiom);
                }
            }
        }
        return found;
    }
    for (const char *column : kMeanings) {
        QList<IdiomEntry> inColumn;
        for (const QString &form : forms)
            inColumn += entries(column, containingPattern(form));
        for (const IdiomEntry &entry : inFileOrder(inColumn)) {
            if (!listed.contains(entry.id)) {
                listed.insert(entry.id);
                found.append(entry);
            }
        }
    }
    return found;
}

QList<IdiomEntry> IdiomStore::byWords(const QString &plain, const QList<IdiomEntry> &listed) const
{
    // The reader's words as pairs of characters: 自己骗自己 is 自己, 己骗 and
    // 骗自. An idiom comes when its meaning holds at least half of them, in
    // any order and with any words between; most pairs first, then the
    // shortest meaning, whose words stand closest, then the file's order.
    const std::u32string typed = codePoints(plain);
    if (typed.size() < 3 || plain.contains(u'%') || plain.contains(u'_'))
        return {};
    QStringList distinct;
    for (size_t i = 0; i + 1 < typed.size(); ++i) {
        const QString pair = QString::fromUcs4(typed.data() + i, 2);
        if (!distinct.contains(pair))
            distinct.append(pair);
    }
    const std::vector<WordFinder> pairs(distinct.cbegin(), distinct.cend());
    QSet<int> skipped;
    for (const IdiomEntry &entry : listed)
        skipped.insert(entry.id);
    struct Match
    {
        qsizetype held, length;
        size_t order;
        IdiomEntry idiom;
    };
    std::vector<Match> matches;
    const std::vector<IndexedIdiom> &idioms = index();
    const ColumnTexts &meanings = texts()[0];
    for (size_t order = 0; order < idioms.size() && order < meanings.ends.size(); ++order) {
        const QByteArrayView meaning = meanings.at(order);
        if (skipped.contains(idioms[order].idiom.id))
            continue;
        const qsizetype held = std::ranges::count_if(pairs, [&](const WordFinder &pair) { return pair.isIn(meaning); });
        if (2 * held >= qsizetype(pairs.size()))
            matches.push_back({held, meaning.size(), order, idioms[order].idiom});
    }
    std::ranges::sort(matches, [](const Match &a, const Match &b) {
        return std::tie(b.held, a.length, a.order) < std::tie(a.held, b.length, b.order);
    });
    QList<IdiomEntry> found;
    for (const Match &match : matches) {
        if (found.size() + listed.size() >= kMostByMeaning)
            break;
        found.append(match.idiom);
    }
    return found;
}

QString IdiomStore::prefixPattern(const QString &text) const
{
    // "%%" means what "%" does. A pattern that is still longer than LIKE
    // takes needs a text far longer than any idiom: null matches nothing,
    // without an error.
    QString pattern = text + QLatin1Char('%');
    while (pattern.contains(QLatin1String("%%")))
        pattern.replace(QLatin1String("%%"), QLatin1String("%"));
    return pattern.toUtf8().size() > m_longestPattern ? QString() : pattern;
}

QString IdiomStore::containingPattern(const QString &text) const
{
    return prefixPattern(QLatin1Char('%') + text);
}

QList<IdiomEntry> IdiomStore::entries(const char *sql, const QString &value) const
{
    Query query(m_db.get(), m_path, sql);
    if (!value.isNull())
        query.bind(value);
    QList<IdiomEntry> found;
    while (query.next())
        found.append({query.text(1), query.integer(0)});
    return found;
}
