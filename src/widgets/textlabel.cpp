#include "widgets/textlabel.h"

#include <QCoreApplication>
#include <QMouseEvent>

TextLabel::TextLabel(const QString &text, const QFont &font, Sizing sizing, const QRect &box, QWidget *parent)
    : QLabel(parent), m_sizing(sizing)
{
    setGeometry(box);
    setFont(font);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(sizing == WrapsInBox);
    setAutoFillBackground(false); // the pane's picture shows through
    setFocusPolicy(Qt::NoFocus);
    setText(text);
}

void TextLabel::setText(const QString &text)
{
    QLabel::setText(text);
    if (m_sizing == FitsText && !m_sizePending) {
        // The label takes the size of its text as a layout would: when the
        // event loop comes to it, before anything is painted. A window thus
        // shows without waiting for its fonts, and a text set several times
        // in a row is measured once.
        m_sizePending = true;
        QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
    }
}

bool TextLabel::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest && m_sizePending) {
        m_sizePending = false;
        adjustSize();
        return true;
    }
    return QLabel::event(event);
}

void TextLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TextLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
