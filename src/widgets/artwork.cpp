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

void Artwork::paint(QWidget *widget, const QSize &size)
{
    const qreal ratio = widget->devicePixelRatioF();
    if (m_pixmap.isNull() || m_pixmap.devicePixelRatio() != ratio || m_pixmap.deviceIndependentSize() != size)
        m_pixmap = artwork(m_name, size, ratio);
    QPainter(widget).drawPixmap(0, 0, m_pixmap);
}
