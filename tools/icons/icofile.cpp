#include "icons/icofile.h"

#include <utility>

namespace {

void put16(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

void put32(QByteArray &bytes, qint64 value)
{
    put16(bytes, int(value & 0xffff));
    put16(bytes, int((value >> 16) & 0xffff));
}

// Bytes per row of a bitmap: rows are padded to whole 32-bit words.
int strideOf(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// One image as the icon file stores it: a BITMAPINFOHEADER whose height
// counts the colour bitmap and the mask, the colour table, then the colour
// rows and the mask rows, each bottom-up.
QByteArray bitmapOf(const QImage &image)
{
    const bool indexed = image.format() == QImage::Format_Indexed8;
    const QImage source = indexed ? image : image.convertToFormat(QImage::Format_ARGB32);
    const int bits = indexed ? 8 : 32;
    const int width = source.width();
    const int height = source.height();

    QByteArray bytes;
    put32(bytes, 40); // size of the header
    put32(bytes, width);
    put32(bytes, 2 * height);
    put16(bytes, 1); // planes
    put16(bytes, bits);
    put32(bytes, 0); // uncompressed
    put32(bytes, qint64(strideOf(width, bits) + strideOf(width, 1)) * height);
    put32(bytes, 0); // horizontal and vertical resolution
    put32(bytes, 0);
    put32(bytes, 0); // colours used: all of the depth
    put32(bytes, 0); // colours important: all

    QList<QRgb> table;
    if (indexed) {
        table = source.colorTable();
        table.resize(256); // new entries are 0: transparent black
        for (const QRgb colour : std::as_const(table)) {
            const QRgb stored = qAlpha(colour) < 128 ? 0 : colour;
            bytes.append(char(qBlue(stored)));
            bytes.append(char(qGreen(stored)));
            bytes.append(char(qRed(stored)));
            bytes.append('\0');
        }
    }
    const auto transparent = [&](int x, int y) {
        return indexed ? qAlpha(table.at(source.pixelIndex(x, y))) < 128 : qAlpha(source.pixel(x, y)) == 0;
    };

    for (int y = height - 1; y >= 0; --y) {
        QByteArray row;
        if (indexed) {
            row = QByteArray(reinterpret_cast<const char *>(source.constScanLine(y)), width);
        } else {
            for (int x = 0; x < width; ++x) {
                const QRgb pixel = source.pixel(x, y);
                row.append(char(qBlue(pixel)));
                row.append(char(qGreen(pixel)));
                row.append(char(qRed(pixel)));
                row.append(char(qAlpha(pixel)));
            }
        }
        row.append(QByteArray(strideOf(width, bits) - row.size(), '\0'));
        bytes += row;
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(strideOf(width, 1), '\0');
        for (int x = 0; x < width; ++x)
            if (transparent(x, y))
                row[x / 8] = char(row.at(x / 8) | (0x80 >> (x % 8)));
        bytes += row;
    }
    return bytes;
}

} // namespace

QByteArray icoFileBytes(const QList<QImage> &images)
{
    if (images.isEmpty() || images.size() > 0xffff)
        return {};
    QByteArray directory;
    put16(directory, 0); // reserved
    put16(directory, 1); // an icon, not a cursor
    put16(directory, int(images.size()));
    QByteArray bitmaps;
    const qint64 start = 6 + 16 * images.size();
    for (const QImage &image : images) {
        if (image.width() < 1 || image.width() > 256 || image.height() < 1 || image.height() > 256)
            return {};
        const QByteArray bitmap = bitmapOf(image);
        directory.append(char(image.width() & 0xff)); // 256 is written 0
        directory.append(char(image.height() & 0xff));
        directory.append('\0'); // colour count: 0 stands for 256 and more
        directory.append('\0'); // reserved
        put16(directory, 1);    // planes
        put16(directory, image.format() == QImage::Format_Indexed8 ? 8 : 32);
        put32(directory, bitmap.size());
        put32(directory, start + bitmaps.size());
        bitmaps += bitmap;
    }
    return directory + bitmaps;
}
