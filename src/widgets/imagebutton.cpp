#include "widgets/imagebutton.h"

#include <QMouseEvent>

ImageButton::ImageButton(const QString &art, const QSize &size, QWidget *parent)
    : QAbstractButton(parent), m_picture(art, size)
{
    setFixedSize(size);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize ImageButton::sizeHint() const
{
    return size();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    m_picture.paint(this); // the same picture pressed or not
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A button takes the second press as another click; the release that
    // follows it then finds nothing pressed.
    event->accept();
}
