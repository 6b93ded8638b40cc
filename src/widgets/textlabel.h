// A label of plain text on a transparent background that can be clicked. A
// label that fits its text takes the size of the text on one line whenever
// the text changes, growing to the right from its top-left corner; a label
// in a box keeps the box, wraps its text within the width and cuts off what
// does not fit the height.
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

    // QLabel's setText, and the measuring a label that fits its text needs.
    // Call it on a TextLabel, not through a QLabel pointer.
    void setText(const QString &text);

signals:
    void clicked();

protected:
    bool event(QEvent *event) override; // a label that fits its text measures it here
    // A left press and release over the label make a click.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Sizing m_sizing;
    bool m_sizePending = false; // a label that fits its text waits to be measured
    bool m_pressed = false;
};
