// The parts of an idiom that the chain links by, read straight from the
// UTF-8 that SQLite keeps: the first and last characters of its text, and
// the first and last syllables of its pinyin with their sounds. Every idiom
// is read so when the chain index is built, so the letters pinyin is
// written with come from a table; only others are normalized.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <string>
#include <utility>

// The first and the last character of an idiom's text, punctuation (the
// comma of a two-clause idiom) aside; none when it has no other.
std::optional<char32_t> firstCharacter(QByteArrayView text);
std::optional<char32_t> lastCharacter(QByteArrayView text);

// Where a syllable lies in a py, in bytes.
struct SyllablePlace
{
    qsizetype begin = 0, end = 0;

    QByteArrayView in(QByteArrayView pinyin) const { return pinyin.sliced(begin, end - begin); }
};

// The first and the last syllable of a stored py. A syllable is a run of
// letters and the marks on them; anything else (blanks, the comma of a
// two-clause idiom, apostrophes) parts them. None when it has no letter.
std::optional<std::pair<SyllablePlace, SyllablePlace>> firstAndLastSyllables(QByteArrayView pinyin);

// How a syllable sounds: its key as pinyinKey folds it (letters in lower
// case, tone marks dropped, ü as v) and its tone, 5 when it has no tone
// mark. A key of the letters a to z alone, up to 12 of them, as pinyin's
// are, is packed five bits a letter; any other is kept as it is.
struct SyllableSound
{
    quint64 packed = 0; // 0 when the key is `other`
    std::string other;
    int tone = 5;
};
SyllableSound soundOf(QByteArrayView syllable);

// A syllable as the reader reads it, tone marks dropped: "lǜ" gives "lü".
QString withoutTone(const QString &syllable);
