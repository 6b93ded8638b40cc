#include "widgets/textlabel.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

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
    showText(text);
}

void TextLabel::showText(const QString &text)
{
    QLabel::setText(text);
    measureLater();
}

void TextLabel::measureLater()
{
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
    if (event->type() == QEvent::FontChange)
        measureLater(); // a zoom changed the font
    if (event->type() == QEvent::ToolTip && cutOff()) {
        const QString tip = toolTip().isEmpty() ? text() : text() + QStringLiteral("\n\n") + toolTip();
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), tip, this, rect());
        return true;
    }
    return QLabel::event(event);
}

bool TextLabel::cutOff() const
{
    return m_sizing == WrapsInBox && !text().isEmpty() && heightForWidth(width()) > height();
}

void TextLabel::paintEvent(QPaintEvent *event)
{
    if (!cutOff()) {
        QLabel::paintEvent(event); // a text that fits is drawn as a label draws it
        return;
    }
    // The lines that fit whole, the last of them ending in an ellipsis.
    const QFontMetrics metrics = fontMetrics();
    const int lines = std::max(1, height() / metrics.lineSpacing());
    QTextLayout layout(text(), font());
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    QString rest; // what the last line shows, elided
    for (int n = 0; n < lines; ++n) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width());
        line.setPosition(QPointF(0, n * metrics.lineSpacing()));
        if (n == lines - 1)
            rest = text().mid(line.textStart()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    layout.endLayout();
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    for (int n = 0; n < layout.lineCount() - (rest.isEmpty() ? 0 : 1); ++n)
        layout.lineAt(n).draw(&painter, QPointF());
    if (!rest.isEmpty())
        painter.drawText(QPoint(0, (lines - 1) * metrics.lineSpacing() + metrics.ascent()),
                         metrics.elidedText(rest, Qt::ElideRight, width()));
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
