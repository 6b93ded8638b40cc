// A label of plain text on a transparent background that can be clicked. A
// label that fits its text takes the size of the text on one line whenever
// the text or its font changes, growing to the right from its top-left
// corner; a label in a box keeps the box and wraps its text within the
// width; a text taller than the box ends in an ellipsis on its last line
// that fits, and the label's tooltip then shows the whole text above the
// tooltip it was given.
#pragma once

#include <QLabel>

class TextLabel : public QLabel
{
    Q_OBJECT

public:
    enum Sizing { FitsText, WrapsInBox };

    // `box` is where the label stands, and its size until a label that fits
    // its text has measured it.
    TextLabel(const QString &text, const QFont &font, Sizing sizing, const QRect &box, QWidget *parent);

    // Shows `text`, and measures it again when the label fits its text.
    void showText(const QString &text);

    // Whether the text is taller than the box, so that its end is not shown.
    bool cutOff() const;

signals:
    void clicked();

protected:
    bool event(QEvent *event) override; // measuring, and the tooltip of a cut-off text
    void paintEvent(QPaintEvent *event) override; // the ellipsis
    // A left press and release over the label make a click.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // A label that fits its text takes its size when the event loop comes to it.
    void measureLater();

    Sizing m_sizing;
    bool m_sizePending = false; // a label that fits its text waits to be measured
    bool m_pressed = false;
};
