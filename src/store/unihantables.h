// What the search knows of each character from Unicode's Unihan database:
// its simplified forms (kSimplifiedVariant), its other variant forms
// (kZVariant, kSemanticVariant, kSpecializedSemanticVariant) and its
// Mandarin readings. vura-unihan (tools/unihan) generates the tables at
// build time from Unihan_Variants.txt and Unihan_Readings.txt.
//
// Unihan rather than OpenCC: OpenCC converts with phrase tables that need its
// library or its dictionary files at run time, on Windows too, and an idiom
// needs no phrases: each of its characters simplifies on its own. Checked on
// the 12,976 idioms, 10,195 of which are spelt otherwise in traditional
// characters: whichever traditional spelling kTraditionalVariant allows,
// 12,967 fold back to the idiom (12,652 as the first form). The other nine
// are written with characters that Unihan itself counts as traditional
// (阪 幺 幾 適 麽 ...); plainForms keeps those in its last form.
#pragma once

#include <cstdint>
#include <span>

// The most simplified forms that one character has in Unihan (鍾: 钟 锺).
inline constexpr int kMaxSimplifiedForms = 2;

struct SimplifiedVariant
{
    char32_t traditional;
    // Its simplified forms: itself first when it is one of them (乾: 乾 干),
    // the others in Unihan's order; unused places are 0.
    char32_t simplified[kMaxSimplifiedForms];
};

// Every character whose simplified forms are other than itself alone,
// ordered by code point.
extern const std::span<const SimplifiedVariant> kSimplifiedVariants;

// One variant form of a character, other than a simplified one: 臥 卧,
// 爲 為, 裏 裡. Unihan names most pairs both ways; the table has both.
struct VariantForm
{
    char32_t character;
    char32_t variant;
};

// Every pair, ordered by character, then by variant.
extern const std::span<const VariantForm> kVariantForms;

// The Mandarin readings of a character without tones, as pinyin keys (ü as
// v), from every reading field of Unihan (kMandarin gives one reading only:
// 长 is chang and zhang, 行 xing and hang): "chao zhao zhu".
struct CharacterReadings
{
    char32_t character;
    const char *syllables; // separated by one space
};

// Every character with a Mandarin reading, ordered by code point.
extern const std::span<const CharacterReadings> kCharacterReadings;

// How a character is written, for telling characters that look alike
// (荼 茶, 缪 谬): its phonetic series (kPhonetic, up to two; a simplified
// character without one takes its traditional form's), its radical and
// residual strokes (kRSUnicode, the first), its strokes in all
// (kTotalStrokes) and its Cangjie code (kCangjie), whose letters name its
// parts in writing order: two characters whose codes end or begin alike
// share a component.
struct CharacterShape
{
    char32_t character;
    std::uint16_t phonetic[2]; // 0 where there is none
    std::uint8_t radical;      // 0 where there is none
    std::uint8_t strokes;      // 0 where there is none
    char cangjie[6];           // up to five letters, then 0
};

// Every character of the common blocks (U+3400-U+9FFF) with any of those
// fields, ordered by code point.
extern const std::span<const CharacterShape> kCharacterShapes;
