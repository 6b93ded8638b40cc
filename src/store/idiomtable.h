// Table cy, the idiom table of the data file: its columns in their order,
// the widths the data set keeps to, and which ones every idiom has. The
// importer writes the table from this list, and the store checks every data
// file it opens against it.
#pragma once

#include <array>

namespace IdiomTable {

struct Column
{
    const char *name;
    int width;     // in characters; 0 for the id
    bool required; // never absent
};

inline constexpr const char *kName = "cy";

inline constexpr std::array<Column, 7> kColumns{{
    {"id", 0, true},
    {"cy", 40, true},     // the idiom
    {"py", 60, true},     // its pinyin, with tone marks
    {"ys", 120, false},   // its meaning
    {"cc", 180, false},   // its source
    {"lz", 120, false},   // an example sentence
    {"pyjm", 4, true},    // the initials of its pinyin
}};

} // namespace IdiomTable
