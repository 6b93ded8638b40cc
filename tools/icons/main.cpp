// Renders the program icon into the files that are installed with vura:
//
//     vura-icons FOLDER
//
// writes FOLDER/vura-16.png ... vura-256.png, the icon theme's images (成 at
// 16 pixels, the seal from 24 pixels up), FOLDER/window-16.argb ... 96, the
// window icon's images as raw pixels, and FOLDER/vura.ico, the Windows icon
// with the program icon's seven images.
#include "icons/iconimages.h"
#include "widgets/artwork.h"
#include "widgets/fonts.h"
#include "icons/icofile.h"

#include <QDir>
#include <QGuiApplication>
#include <QMap>
#include <QSaveFile>
#include <cstdio>

namespace {

bool written(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no screen needed to draw
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: vura-icons FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "vura-icons: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    registerFontSubstitutions(); // the seal's characters

    const QList<QImage> images = programIconImages();
    QMap<int, QImage> themeImages;
    for (const QImage &image : images)
        if (image.depth() == 32)
            themeImages.insert(image.width(), image);
    for (const int side : {128, 256})
        themeImages.insert(side, artwork(QStringLiteral("icon-seal"), QSize(side, side)).toImage());

    for (auto image = themeImages.cbegin(); image != themeImages.cend(); ++image) {
        const QString path = folder.filePath(QStringLiteral("vura-%1.png").arg(image.key()));
        if (!image.value().save(path, "PNG")) {
            std::fprintf(stderr, "vura-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    // The window icon's images as raw pixels, premultiplied ARGB in the byte
    // order of the machines the program runs on (little-endian), which the
    // program takes as they are, with nothing to decode while it starts.
    for (const QImage &image : images) {
        if (image.depth() != 32)
            continue; // the 256-colour image is for the icon file only
        const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QString path = folder.filePath(QStringLiteral("window-%1.argb").arg(pixels.width()));
        if (!written(path, QByteArray(reinterpret_cast<const char *>(pixels.constBits()), pixels.sizeInBytes()))) {
            std::fprintf(stderr, "vura-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString ico = folder.filePath(QStringLiteral("vura.ico"));
    if (!written(ico, icoFileBytes(images))) {
        std::fprintf(stderr, "vura-icons: cannot write %s\n", qPrintable(ico));
        return 1;
    }
    return 0;
}
