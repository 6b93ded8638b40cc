#include "store/lookalike.h"
#include "store/unihantables.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

const CharacterShape *shapeOf(char32_t c)
{
    const auto entry = std::ranges::lower_bound(kCharacterShapes, c, {}, &CharacterShape::character);
    return entry == kCharacterShapes.end() || entry->character != c ? nullptr : &*entry;
}

std::string_view cangjie(const CharacterShape &shape)
{
    return {shape.cangjie, std::ranges::find(shape.cangjie, '\0')};
}

// Cangjie spells a character by its parts in writing order, the first and
// the last part each with one or more letters: codes that begin or end with
// the same two letters, or of which one holds the other, share a part
// (谬 IVSMH, 缪 VMSMH; 茶 TOD, 荼 TOMD).
bool shareComponent(std::string_view a, std::string_view b)
{
    if (a.size() < 2 || b.size() < 2)
        return false;
    const auto ends = [](std::string_view x, std::string_view y) {
        return x.substr(x.size() - 2) == y.substr(y.size() - 2);
    };
    return a.substr(0, 2) == b.substr(0, 2) || ends(a, b)
           || (a.size() >= 3 && b.find(a) != std::string_view::npos)
           || (b.size() >= 3 && a.find(b) != std::string_view::npos);
}

} // namespace

int lookAlike(char32_t a, char32_t b)
{
    const CharacterShape *x = shapeOf(a);
    const CharacterShape *y = shapeOf(b);
    if (a == b || !x || !y)
        return 0;
    int points = 0;
    for (const std::uint16_t series : x->phonetic) {
        if (series != 0 && std::ranges::find(y->phonetic, series) != std::end(y->phonetic))
            points |= 8;
    }
    if (x->radical != 0 && x->radical == y->radical)
        points |= 4;
    if (shareComponent(cangjie(*x), cangjie(*y)))
        points |= 2;
    if (points != 0 && x->strokes != 0 && y->strokes != 0 && std::abs(x->strokes - y->strokes) <= 1)
        points |= 1;
    return points;
}
