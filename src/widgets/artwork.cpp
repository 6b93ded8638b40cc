#include "artwork.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QWidget>

#include <algorithm>
#include <utility>

QPixmap artwork(const QString &name, const QSize &size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

void Artwork::paint(QWidget *widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    if (m_pixmap.isNull() || m_pixmap.devicePixelRatio() != ratio)
        m_pixmap = artwork(m_name, m_size, ratio);
    QPainter(widget).drawPixmap(0, 0, m_pixmap);
}

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

// Keeps the icon's images as they are: QIcon's own engine keeps one image per
// size and would drop one of the two 16-pixel images.
class ProgramIconEngine final : public QIconEngine
{
public:
    explicit ProgramIconEngine(QList<QImage> images) : m_images(std::move(images)) {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap pixmap = QPixmap::fromImage(imageFor(size));
        if (pixmap.width() > size.width() || pixmap.height() > size.height())
            pixmap = pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal && qobject_cast<QApplication *>(QCoreApplication::instance())) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const QSize natural = imageFor(size).size();
        return natural.boundedTo(size) == natural ? natural : natural.scaled(size, Qt::KeepAspectRatio);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const QImage &image : std::as_const(m_images))
            if (!sizes.contains(image.size()))
                sizes.append(image.size());
        return sizes;
    }

    QIconEngine *clone() const override { return new ProgramIconEngine(m_images); }

private:
    // The smallest image that covers `size`, the deepest of those of one
    // size; the largest when none covers it. The images are square.
    const QImage &imageFor(const QSize &size) const
    {
        const int side = qMin(size.width(), size.height());
        const auto smallerOrDeeper = [](const QImage &a, const QImage &b) {
            return a.width() != b.width() ? a.width() < b.width() : a.depth() > b.depth();
        };
        const QImage *best = nullptr;
        for (const QImage &image : m_images)
            if (image.width() >= side && (!best || smallerOrDeeper(image, *best)))
                best = &image;
        if (best)
            return *best;
        return *std::max_element(m_images.begin(), m_images.end(),
                                 [](const QImage &a, const QImage &b) { return a.width() < b.width(); });
    }

    QList<QImage> m_images;
};

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

QIcon programIcon()
{
    return QIcon(new ProgramIconEngine(programIconImages()));
}
