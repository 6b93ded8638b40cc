// How alike two characters look, from Unihan's fields alone (see
// store/unihantables.h): the look-alike stage of the search ranks its
// idioms by it.
#pragma once

// Points for each likeness of `a` and `b`: 8 for the same phonetic series
// (珍 殄), 4 for the same radical (茶 荼), 2 for a shared component, 1 for
// stroke counts at most one apart. 0 when they are alike in none of the
// first three, so that characters of near stroke counts alone are not
// taken for each other; 0 for the same character.
int lookAlike(char32_t a, char32_t b);
