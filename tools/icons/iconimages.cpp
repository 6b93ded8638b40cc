#include "icons/iconimages.h"

#include "widgets/artwork.h"

namespace {

// A copy of `image` in at most 256 colours, for an image of at most 256
// pixels (16 by 16): each pixel either transparent or opaque in its own
// colour, as an icon file's mask keeps transparency at this depth.
QImage paletteImage(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const auto colourAt = [&](int x, int y) {
        const QRgb pixel = argb.pixel(x, y);
        return qAlpha(pixel) >= 128 ? pixel | 0xff000000u : 0u;
    };
    QList<QRgb> table;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (!table.contains(colourAt(x, y)))
                table.append(colourAt(x, y));
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            indexed.setPixel(x, y, uint(table.indexOf(colourAt(x, y))));
    return indexed;
}

} // namespace

QList<QImage> programIconImages()
{
    const QImage small = artwork(QStringLiteral("icon-16"), QSize(16, 16)).toImage();
    QList<QImage> images{paletteImage(small)};
    for (const int side : {96, 64, 48, 32, 24})
        images.append(artwork(QStringLiteral("icon-seal"), QSize(side, side)).toImage());
    images.append(small);
    return images;
}
