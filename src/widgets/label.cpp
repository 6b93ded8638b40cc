#include "label.h"

#include <QMouseEvent>

Label::Label(const QString &caption, const QFont &font, Sizing sizing, QWidget *parent)
    : QLabel(parent), m_sizing(sizing)
{
    setFont(font);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(sizing == FixedBox);
    setAutoFillBackground(false); // the pane's picture shows through
    setFocusPolicy(Qt::NoFocus);
    setCaption(caption);
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    if (m_sizing == AutoSize)
        adjustSize();
}

void Label::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
