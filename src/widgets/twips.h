// The windows are laid out in twips (1/1440 inch), as their designer drew
// them; at 96 dots per inch 15 twips make one pixel. Qt scales pixels on
// high-dpi screens, so converting to pixels once is all that is needed.
#pragma once

#include <QPoint>
#include <QRect>

constexpr int twipsPerPixel = 15;

// Pixels from twips: twipsToPixels(8835) is 589.
constexpr int twipsToPixels(int twips)
{
    return twips / twipsPerPixel;
}

// Left, top, width and height in twips.
struct TwipsRect
{
    int left, top, width, height;

    QRect pixels() const
    {
        return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
    }
    QPoint topLeft() const { return QPoint(twipsToPixels(left), twipsToPixels(top)); }
};
