#include "chain/game/syllables.h"

#include "store/textfold.h"

#include <algorithm>

namespace {

// The combining marks of the four tones: ā á ǎ à.
constexpr char32_t kToneMarks[] = {U'\u0304', U'\u0301', U'\u030C', U'\u0300'};

// The tone of a combining mark, 1 to 4; 0 for any other.
int toneOf(char32_t mark)
{
    for (int tone = 0; tone < 4; ++tone) {
        if (mark == kToneMarks[tone])
            return tone + 1;
    }
    return 0;
}

// The letters other than a to z that the data writes pinyin with, by code
// point, each with its letter in a pinyin key (ü as v) and its tone, 0 for
// none.
struct TonedLetter
{
    char32_t letter;
    char key;
    int tone;
};
constexpr TonedLetter kTonedLetters[] = {
    {U'à', 'a', 4}, {U'á', 'a', 2}, {U'è', 'e', 4}, {U'é', 'e', 2}, {U'ê', 'e', 0}, {U'ì', 'i', 4}, {U'í', 'i', 2},
    {U'ò', 'o', 4}, {U'ó', 'o', 2}, {U'ù', 'u', 4}, {U'ú', 'u', 2}, {U'ü', 'v', 0}, {U'ā', 'a', 1}, {U'ē', 'e', 1},
    {U'ě', 'e', 3}, {U'ī', 'i', 1}, {U'ń', 'n', 2}, {U'ň', 'n', 3}, {U'ō', 'o', 1}, {U'ū', 'u', 1}, {U'ǎ', 'a', 3},
    {U'ǐ', 'i', 3}, {U'ǒ', 'o', 3}, {U'ǔ', 'u', 3}, {U'ǖ', 'v', 1}, {U'ǘ', 'v', 2}, {U'ǚ', 'v', 3}, {U'ǜ', 'v', 4},
    {U'ǹ', 'n', 4}, {U'ɡ', 'g', 0}, {U'ḿ', 'm', 2}, {U'ế', 'e', 2}, {U'ề', 'e', 4},
};
static_assert(std::ranges::is_sorted(kTonedLetters, {}, &TonedLetter::letter));

const TonedLetter *tonedLetter(char32_t c)
{
    const auto *found = std::ranges::lower_bound(kTonedLetters, c, {}, &TonedLetter::letter);
    return found != std::end(kTonedLetters) && found->letter == c ? found : nullptr;
}

// The code point of more than one byte whose lead byte comes before `at`,
// and `at` moved past it; a byte that begins no character is U+FFFD.
char32_t multiByteCodePoint(uchar lead, QByteArrayView bytes, qsizetype &at)
{
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (more == 0 || at + more > bytes.size())
        return U'\uFFFD';
    char32_t c = lead & (0x3F >> more);
    for (const char next : bytes.sliced(at, more)) {
        if ((uchar(next) & 0xC0) != 0x80)
            return U'\uFFFD';
        c = c << 6 | (uchar(next) & 0x3F);
    }
    at += more;
    return c;
}

// The code point at `at` of UTF-8 `bytes`, and `at` moved past it.
inline char32_t nextCodePoint(QByteArrayView bytes, qsizetype &at)
{
    const auto lead = uchar(bytes[at++]);
    return lead < 0x80 ? lead : multiByteCodePoint(lead, bytes, at);
}

// The code point of more than one byte that ends at `at`, and `at` moved
// to its first byte.
char32_t multiBytePreviousCodePoint(QByteArrayView bytes, qsizetype &at)
{
    qsizetype begin = at - 1;
    while (begin > 0 && at - begin < 4 && (uchar(bytes[begin]) & 0xC0) == 0x80)
        --begin;
    qsizetype end = begin;
    const char32_t c = nextCodePoint(bytes, end);
    if (end != at) { // no whole character: its last byte alone
        --at;
        return U'\uFFFD';
    }
    at = begin;
    return c;
}

// The code point that ends at `at`, and `at` moved to its first byte.
inline char32_t previousCodePoint(QByteArrayView bytes, qsizetype &at)
{
    const auto last = uchar(bytes[at - 1]);
    if (last >= 0x80)
        return multiBytePreviousCodePoint(bytes, at);
    --at;
    return last;
}

bool isCharacter(char32_t c)
{
    return !QChar::isPunct(c);
}

bool inSyllable(char32_t c)
{
    if (c < 0x80)
        return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    // Latin letters with their marks, and IPA's, as the tones are written:
    // all letters but × and ÷.
    if (c >= U'\u00C0' && c < U'\u02B0')
        return c != U'×' && c != U'÷';
    return QChar::isLetter(c) || QChar::category(c) == QChar::Mark_NonSpacing;
}

quint64 packed(std::string_view key)
{
    quint64 letters = 0;
    if (key.size() > 12)
        return 0;
    for (const char c : key) {
        if (c < 'a' || c > 'z')
            return 0;
        letters = letters << 5 | quint64(c - 'a' + 1);
    }
    return letters;
}

// The sound of a syllable with letters beyond the table, decomposed.
SyllableSound decomposedSound(QByteArrayView syllable)
{
    const QString letters = QString::fromUtf8(syllable);
    SyllableSound sound;
    sound.other = pinyinKey(letters).toStdString();
    sound.packed = packed(sound.other);
    for (const QChar c : letters.normalized(QString::NormalizationForm_D))
        sound.tone = toneOf(c.unicode()) ? toneOf(c.unicode()) : sound.tone;
    return sound;
}

} // namespace

std::optional<char32_t> firstCharacter(QByteArrayView text)
{
    for (qsizetype at = 0; at < text.size();) {
        if (const char32_t c = nextCodePoint(text, at); isCharacter(c))
            return c;
    }
    return std::nullopt;
}

std::optional<char32_t> lastCharacter(QByteArrayView text)
{
    for (qsizetype at = text.size(); at > 0;) {
        if (const char32_t c = previousCodePoint(text, at); isCharacter(c))
            return c;
    }
    return std::nullopt;
}

std::optional<std::pair<SyllablePlace, SyllablePlace>> firstAndLastSyllables(QByteArrayView pinyin)
{
    // The first read from the front and the last from the back; those
    // between do not count. Where a run of letters, or of what parts them,
    // that begins at `at` ends, and where one that ends at `at` begins:
    const auto forward = [pinyin](qsizetype at, bool letters) {
        for (qsizetype next = at; at < pinyin.size() && inSyllable(nextCodePoint(pinyin, next)) == letters; at = next) {
        }
        return at;
    };
    const auto backward = [pinyin](qsizetype at, bool letters) {
        for (qsizetype before = at; at > 0 && inSyllable(previousCodePoint(pinyin, before)) == letters; at = before) {
        }
        return at;
    };
    const qsizetype firstBegin = forward(0, false);
    if (firstBegin == pinyin.size())
        return std::nullopt;
    const qsizetype lastEnd = backward(pinyin.size(), false);
    return std::pair{SyllablePlace{firstBegin, forward(firstBegin, true)}, SyllablePlace{backward(lastEnd, true), lastEnd}};
}

SyllableSound soundOf(QByteArrayView syllable)
{
    SyllableSound sound;
    int letters = 0;
    for (qsizetype at = 0; at < syllable.size();) {
        const char32_t c = nextCodePoint(syllable, at);
        char letter = char(c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c);
        if (c >= 0x80) {
            const TonedLetter *toned = tonedLetter(c);
            if (!toned)
                return decomposedSound(syllable);
            letter = toned->key;
            sound.tone = toned->tone ? toned->tone : sound.tone;
        }
        if (++letters > 12)
            return decomposedSound(syllable);
        sound.packed = sound.packed << 5 | quint64(letter - 'a' + 1);
    }
    return sound;
}

QString withoutTone(const QString &syllable)
{
    QString plain;
    for (const QChar c : syllable.normalized(QString::NormalizationForm_D)) {
        if (!toneOf(c.unicode()))
            plain += c;
    }
    return plain.normalized(QString::NormalizationForm_C);
}
