#include "widgets/imagebutton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(const QString &art, const QSize &size, QWidget *parent)
    : QAbstractButton(parent), m_picture(art, size)
{
    setFixedSize(size);
    // By Tab only: a click leaves the focus where it was, in the list the
    // arrow keys move through.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize ImageButton::sizeHint() const
{
    return size();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    // The same picture pressed or not, as large as the button; greyed while
    // the button cannot be used.
    m_picture.paint(this, size(), !isEnabled());
    // The frame shows where the keyboard is, not where a click left the focus.
    // A picture has edges of its own that the styles' faint focus frames
    // vanish against, so the frame is drawn plainly, in the highlight colour.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
    }
}

void ImageButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A button takes the second press as another click; the release that
    // follows it then finds nothing pressed.
    event->accept();
}
