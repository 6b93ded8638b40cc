#include "imagebutton.h"

ImageButton::ImageButton(const QString &art, const QSize &size, QWidget *parent)
    : Label(QString(), parent->font(), Label::FixedBox, parent), m_picture(art, size)
{
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    m_picture.paint(this);
}
