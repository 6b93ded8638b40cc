// The program icon: its seven images, the icon the windows carry, the
// Windows icon file and the files the build draws for installing.
#include "icons/icofile.h"
#include "icons/iconimages.h"
#include "widgets/fonts.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

namespace {

struct Entry
{
    int width, height, bits;
    qint64 size, offset;
};

// The directory of an icon file, read as Windows reads it.
QList<Entry> entriesOf(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    QList<Entry> entries;
    for (int i = 0; i < qFromLittleEndian<quint16>(data + 4); ++i) {
        const uchar *entry = data + 6 + 16 * i;
        entries.append({entry[0] ? entry[0] : 256, entry[1] ? entry[1] : 256, qFromLittleEndian<quint16>(entry + 6),
                        qFromLittleEndian<quint32>(entry + 8), qFromLittleEndian<quint32>(entry + 12)});
    }
    return entries;
}

QImage straight(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// What a picture of the icon shows, judged by its pixels: "seal" (mostly
// opaque, red with white characters), "成" (red strokes on a transparent
// ground) or "other".
QString kindOf(const QImage &picture)
{
    const QImage image = straight(picture);
    double red = 0, white = 0, opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 255)
                continue;
            opaque += 1;
            red += qRed(pixel) > 150 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
            white += qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
        }
    const double pixels = image.width() * image.height();
    if (opaque / pixels > 0.8 && red / pixels > 0.3 && white / pixels > 0.1)
        return QStringLiteral("seal");
    if (opaque / pixels < 0.5 && red / pixels > 0.2 && white == 0)
        return QStringLiteral("成");
    return QStringLiteral("other");
}

QImage filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutions(); }

    void images_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("depth");
        QTest::newRow("成, 256 colours") << 0 << 16 << 8;
        const QList<int> seal{96, 64, 48, 32, 24};
        for (int i = 0; i < seal.size(); ++i)
            QTest::addRow("seal, %d px", seal.at(i)) << i + 1 << seal.at(i) << 32;
        QTest::newRow("成, 32 bits") << 6 << 16 << 32;
    }

    void images()
    {
        QFETCH(int, index);
        QFETCH(int, side);
        QFETCH(int, depth);
        const QList<QImage> images = programIconImages();
        QCOMPARE(images.size(), 7);
        const QImage &image = images.at(index);
        QCOMPARE(image.size(), QSize(side, side));
        QCOMPARE(image.depth(), depth);
        QVERIFY(qAlpha(image.pixel(0, 0)) < 128); // the corner shows what is behind
        QCOMPARE(kindOf(image), side == 16 ? QStringLiteral("成") : QStringLiteral("seal"));
    }

    void paletteImageIsThe32BitImageInAtMost256Colours()
    {
        const QList<QImage> images = programIconImages();
        const QImage &palette = images.first();
        const QImage full = straight(images.last());
        QCOMPARE(palette.format(), QImage::Format_Indexed8);
        for (const QRgb colour : palette.colorTable())
            QVERIFY(qAlpha(colour) == 0 || qAlpha(colour) == 255);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb pixel = palette.pixel(x, y);
                QCOMPARE(qAlpha(pixel) == 255, qAlpha(full.pixel(x, y)) >= 128);
                if (qAlpha(pixel) == 255)
                    QCOMPARE(pixel, full.pixel(x, y) | 0xff000000u);
            }
    }

    void icoDirectory_data()
    {
        QTest::addColumn<QList<QImage>>("images");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QList<int>>("bits");
        QTest::newRow("program icon") << programIconImages() << QList{16, 96, 64, 48, 32, 24, 16}
                                      << QList{8, 32, 32, 32, 32, 32, 32};
        QTest::newRow("256 px, written 0") << QList{filled(256, 256, 0xff00ff00)} << QList{256} << QList{32};
        QTest::newRow("odd widths") << QList{filled(3, 2, 0x80102030), filled(5, 5, 0).convertToFormat(QImage::Format_Indexed8)}
                                    << QList{3, 5} << QList{32, 8};
    }

    void icoDirectory()
    {
        QFETCH(QList<QImage>, images);
        QFETCH(QList<int>, widths);
        QFETCH(QList<int>, bits);
        const QByteArray bytes = icoFileBytes(images);
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 2), quint16(1)); // an icon
        const QList<Entry> entries = entriesOf(bytes);
        QCOMPARE(entries.size(), images.size());
        qint64 offset = 6 + 16 * entries.size();
        for (int i = 0; i < entries.size(); ++i) {
            const Entry &entry = entries.at(i);
            QCOMPARE(entry.width, widths.at(i));
            QCOMPARE(entry.height, images.at(i).height());
            QCOMPARE(entry.bits, bits.at(i));
            QCOMPARE(entry.offset, offset);
            const int h = entry.height;
            const qint64 colourRow = (entry.width * entry.bits + 31) / 32 * 4;
            const qint64 maskRow = (entry.width + 31) / 32 * 4;
            QCOMPARE(entry.size, 40 + (entry.bits == 8 ? 1024 : 0) + (colourRow + maskRow) * h);
            QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + offset + 8), 2 * h);
            offset += entry.size;
        }
        QCOMPARE(offset, bytes.size());
    }

    void icoReadsBack()
    {
        const QList<QImage> images = programIconImages();
        QByteArray bytes = icoFileBytes(images);
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "ico");
        QCOMPARE(reader.imageCount(), 7);
        for (int i = 0; i < 7; ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage read = straight(reader.read());
            QImage expected = straight(images.at(i));
            if (i == 0)
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x)
                        if (qAlpha(expected.pixel(x, y)) == 0)
                            expected.setPixel(x, y, 0);
            QCOMPARE(read, expected);
        }
    }

    void icoPaletteImageBytes()
    {
        // Two pixels: entry 0 transparent (red, but stored black), entry 1 blue.
        QImage image(2, 1, QImage::Format_Indexed8);
        image.setColorTable({0x00ff0000, 0xff0000ff});
        image.setPixel(0, 0, 0);
        image.setPixel(1, 0, 1);
        const QByteArray bytes = icoFileBytes({image});
        const int table = 6 + 16 + 40;
        QCOMPARE(bytes.mid(table, 12), QByteArray::fromHex("00000000ff00000000000000"));
        QCOMPARE(bytes.mid(table + 1024), QByteArray::fromHex("00010000" "80000000"));
    }

    void icoRefusesWhatItCannotHold_data()
    {
        QTest::addColumn<QList<QImage>>("images");
        QTest::newRow("none") << QList<QImage>{};
        QTest::newRow("null image") << QList{QImage()};
        QTest::newRow("257 px wide") << QList{filled(16, 16, 0), filled(257, 16, 0)};
        QTest::newRow("300 px high") << QList{filled(16, 300, 0)};
    }

    void icoRefusesWhatItCannotHold()
    {
        QFETCH(QList<QImage>, images);
        QVERIFY(icoFileBytes(images).isEmpty());
    }

    void builtFiles_data()
    {
        QTest::addColumn<int>("side");
        for (const int side : {16, 24, 32, 48, 64, 96, 128, 256})
            QTest::addRow("%d px", side) << side;
    }

    void builtFiles()
    {
        QFETCH(int, side);
        const QImage image(QStringLiteral(VURA_ICON_FOLDER "/vura-%1.png").arg(side));
        QCOMPARE(image.size(), QSize(side, side));
        QCOMPARE(kindOf(image), side == 16 ? QStringLiteral("成") : QStringLiteral("seal"));
    }

    void builtIcoFile()
    {
        // What Windows shows of vura.exe: the seven images, each the right picture.
        QImageReader reader(QStringLiteral(VURA_ICON_FOLDER "/vura.ico"), "ico");
        QCOMPARE(reader.imageCount(), 7);
        QList<int> sides;
        for (int i = 0; i < 7; ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read();
            sides << image.width();
            QCOMPARE(kindOf(image), image.width() == 16 ? QStringLiteral("成") : QStringLiteral("seal"));
        }
        QCOMPARE(sides, (QList<int>{16, 96, 64, 48, 32, 24, 16}));
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
