#include "review/choicebutton.h"

#include <QEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>

namespace {

// The lines of `text` that fit `box` in `font`, the last ending in an
// ellipsis when the text goes on.
QStringList linesIn(const QString &text, const QFont &font, const QRect &box, bool &cut)
{
    const QFontMetrics metrics(font);
    QTextLayout layout(text, font);
    layout.beginLayout();
    QStringList lines;
    const int most = std::max(1, box.height() / metrics.lineSpacing());
    cut = false;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        if (lines.size() == most - 1 && line.textStart() + line.textLength() < text.size()) {
            lines << metrics.elidedText(text.mid(line.textStart()), Qt::ElideRight, box.width());
            cut = true;
            break;
        }
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

} // namespace

ChoiceButton::ChoiceButton(QWidget *parent) : QPushButton(parent) {}

void ChoiceButton::showChoice(const QString &text)
{
    m_text = text;
    setAccessibleName(text);
    showWholeTextAsTip();
    update();
}

void ChoiceButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    showWholeTextAsTip();
}

void ChoiceButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        showWholeTextAsTip();
}

QRect ChoiceButton::textBox() const
{
    const int margin = fontMetrics().averageCharWidth();
    return rect().adjusted(margin, margin / 2, -margin, -margin / 2);
}

void ChoiceButton::showWholeTextAsTip()
{
    bool cut = false;
    linesIn(m_text, font(), textBox(), cut);
    setToolTip(cut ? m_text : QString());
}

void ChoiceButton::setMark(Mark mark)
{
    m_mark = mark;
    update();
}

void ChoiceButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    if (m_mark != Mark::None) {
        const QColor tint = m_mark == Mark::Right ? QColor(0x2e, 0x9d, 0x4f) : QColor(0xd0, 0x3a, 0x2f);
        painter.setPen(QPen(tint, std::max(2, height() / 24)));
        painter.setBrush(QColor(tint.red(), tint.green(), tint.blue(), 40));
        painter.drawRoundedRect(rect().adjusted(2, 2, -2, -2), 4, 4);
    }
    const QRect box = textBox();
    bool cut = false;
    const QStringList lines = linesIn(m_text, font(), box, cut);
    const int lineHeight = fontMetrics().lineSpacing();
    int top = box.top() + (box.height() - lineHeight * int(lines.size())) / 2;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    for (const QString &line : lines) {
        painter.drawText(QRect(box.left(), top, box.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, line);
        top += lineHeight;
    }
}
