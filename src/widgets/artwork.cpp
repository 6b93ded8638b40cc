#include "widgets/artwork.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

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

void Artwork::paint(QWidget *widget, const QSize &size, bool greyed)
{
    const qreal ratio = widget->devicePixelRatioF();
    if (m_pixmap.isNull() || m_pixmap.devicePixelRatio() != ratio || m_pixmap.deviceIndependentSize() != size) {
        m_pixmap = artwork(m_name, size, ratio);
        m_greyed = QPixmap();
    }
    if (greyed && m_greyed.isNull()) {
        // Grey at the picture's lightness, and faded towards the background.
        QImage image = m_pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int grey = 128 + qGray(line[x]) / 2;
                line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
            }
        }
        m_greyed = QPixmap::fromImage(image);
        m_greyed.setDevicePixelRatio(ratio);
    }
    QPainter(widget).drawPixmap(0, 0, greyed ? m_greyed : m_pixmap);
}
