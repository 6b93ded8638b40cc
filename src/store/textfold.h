// What the search tries when the four exact look-ups find nothing: the typed
// text made plain (plainForms), then the text read as pinyin (typedPinyin),
// which matches an idiom when the pinyin key of its py column begins with it
// (pinyinKey, beginsWithPinyin). Pure functions over text; the store runs
// the look-ups.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The most forms plainForms gives. Any traditional spelling of one of the
// 12,976 idioms has at most three characters with two simplified forms,
// which make 8 combinations and the unsimplified text; a longer text with
// more gets its first 16 combinations, the last giving way to the
// unsimplified text.
inline constexpr qsizetype kMaxPlainForms = 16;

// The forms of a typed text to look up, in order. Each is the text folded to
// NFKC (ｙｘ -> yx, ＡＢＳＳ -> ABSS, ％ -> %), without any white space
// (一心 一意 -> 一心一意), without punctuation, quotation marks or brackets
// (“卧薪尝胆”。 -> 卧薪尝胆) but for a comma between two clauses, which is
// written as the idioms write it (，), without the words readers put around
// an idiom they ask about (卧薪尝胆的意思, 什么是卧薪尝胆), and each
// traditional character replaced by a simplified form from Unihan
// (愛不釋手 -> 爱不释手). Where characters have several simplified forms,
// every combination is a form, the first form of each character first
// (一見鍾情 -> 一见钟情, 一见锺情); a character that is one of its own
// simplified forms comes first as itself (乾坤 stays 乾坤, then 干坤).
// Characters outside the basic plane are replaced whole or kept whole.
// Last comes the plain text without simplifying, when it differs from all
// the others: the idioms keep a few characters that Unihan counts as
// traditional (呼幺喝六, not 呼么喝六). At most kMaxPlainForms forms; none
// when nothing but white space was typed. The typed text itself may be among
// them, when it was plain already: its look-ups have run.
QStringList plainForms(const QString &typed);

// Every character of the text as a code point: a pair of surrogates is one
// character outside the basic plane, and a lone surrogate stays a character
// of its own.
std::u32string allCodePoints(QStringView text);

// The text as code points, without punctuation: 一言既出，驷马难追 gives its
// eight characters, as many as its pinyin has syllables.
std::u32string codePoints(QStringView text);

// The character a reader most likely means by `c`, among those `known`
// holds (the idioms' own): `c` itself when known, else the first known of
// its simplified forms, its other variant forms (臥 卧, 爲 為) and their
// simplified forms (爲 為 为); `c` when none is known.
char32_t knownForm(char32_t c, const std::function<bool(char32_t)> &known);

// The Mandarin readings of `c` without tones, as pinyin keys ("zhang",
// "chang" for 长); none for a character Unihan gives no reading.
std::vector<std::string_view> readingsOf(char32_t c);

// A toneless syllable as readers of many dialects say it (模糊音): zh ch
// sh as z c s, n r as l, h as f, and ang eng ing as an en in. Two syllables
// that readers mix give the same text ("zhang" and "zan" both "zan").
std::string nearSound(std::string_view syllable);

// The pinyin key of each syllable of a stored py, in order, as pinyinKey
// folds them: "yī  yán  jì  chū，sì" -> yi yan ji chu si.
std::vector<std::string> pinyinSyllables(QStringView py);

// The pinyin key of a stored py: its letters in lower case, without tone
// marks (NFD, then the combining marks dropped), ü (ǖ ǘ ǚ ǜ) as v and ɡ
// (U+0261) as g; white space (U+3000 too), commas, apostrophes and the
// digits 1 to 5 dropped, as typedPinyin drops them. Anything else stays, so
// a check can find it; the 12,976 idioms give only a-z.
// "yī  xīn  yī  yì" -> "yixinyiyi"; "lǜ" -> "lv".
QString pinyinKey(const QString &py);

// The pinyin a search text spells, folded like pinyinKey after NFKC, with
// the tone digits 1 to 5 and apostrophes dropped too: "yi xin", "yī xīn",
// "yi1 xin1" and "ｙｉｘｉｎ" all give "yixin"; ü gives v. Nothing when
// anything but the letters a-z remains, or nothing does: Chinese text and
// wildcards are no pinyin.
std::optional<QString> typedPinyin(const QString &text);

// Whether the pinyin key begins with the typed pinyin, where a typed u also
// matches a v (ü), since many type ü as u; a typed v matches only v.
// "lv" (绿) begins with "lu" and "lv"; "lu" (路) with "lu" only.
bool beginsWithPinyin(QStringView key, QStringView typed);
