#include "imagebutton.h"
#include "artwork.h"

#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(const QString &art, const QSize &size, QWidget *parent)
    : QWidget(parent), m_art(art)
{
    setFixedSize(size);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_pixmap.isNull() || m_pixmap.devicePixelRatio() != ratio)
        m_pixmap = artwork(m_art, size(), ratio);
    QPainter(this).drawPixmap(0, 0, m_pixmap);
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
