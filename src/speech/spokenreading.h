// What a speech engine is given to read an idiom: the idiom's own pinyin,
// as the data writes it, turned into syllables with tone digits
// ("nàn  xiōng  nàn  dì" -> "nan4 xiong1 nan4 di4"). Plain functions over
// text, so that every idiom's reading can be checked without an engine.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

struct SpokenReading
{
    // The syllables of each clause ("yi2", "xin1"; ü as v, "lv4"; erhua as
    // "hua1r"), the clauses in order.
    QList<QStringList> clauses;
    // The syllables with the tones the data writes, before 一 and 不
    // change theirs: "yi1 xin1 yi1 yi4"; erhua as in `clauses`.
    QStringList written;
    // The syllables the data writes badly, as written, each read as the
    // nearest valid syllable ("puo", "yie").
    QStringList faults;
    // The pinyin could not be read, or does not match the characters
    // syllable for syllable: the engine reads the characters instead.
    bool fromCharacters = false;

    // The clauses' syllables separated by spaces, the clauses by ", ":
    // "yi2 yan2 ji4 chu1, si4 ma3 nan2 zhui1"; empty when read from the
    // characters.
    QString toneDigits() const;
    // All syllables, in order.
    QStringList syllables() const;
};

// The reading of the idiom `text` by its pinyin `pinyin`:
// - tone marks become digits 1 to 4 after the syllable, and a syllable
//   without a mark takes 5, the neutral tone; digits already there are kept;
// - ü (or a v) is v, and after j, q, x and y it is u (jǖ -> ju1);
// - 一 takes 2 before a fourth tone and 4 before the others, but stays 1
//   at the end of a clause, after 第 or a numeral, and before a numeral
//   (一五一十); 不 takes 2 before a fourth tone; a tone the data already
//   changed is kept;
// - a syllable ending in r after a valid syllable is erhua ("huār" -> "hua1r");
//   a lone "r" belongs to the syllable before it;
// - white space of any width (U+3000 too), apostrophes and commas separate
//   syllables; commas and the idioms' punctuation end a clause; syllables
//   written together are cut into the fewest valid ones ("yīxīn", "gōngfu");
// - a syllable that is no Mandarin syllable is read as the nearest that is,
//   one letter dropped, changed or added, preferring a reading Unihan gives
//   its character; where none is near, the idiom is read from its characters.
// 一 and 不 change, and the nearest syllable looks at the character, only
// where the pinyin has as many syllables as the text has characters (a
// character for private use not counted).
SpokenReading spokenReading(QStringView text, QStringView pinyin);

// Whether `letters` (lower case, ü as v, no tone) is a syllable of Mandarin:
// "zhuang", "lve", "er", "hm"; not "puo" or "jv".
bool isMandarinSyllable(QStringView letters);
