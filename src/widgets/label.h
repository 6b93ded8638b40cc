// A label with a transparent background and plain text. An auto-size label
// takes the size of its text on one line whenever the text changes, growing
// to the right from its top-left corner; any other keeps its box, wraps its
// text within the width and cuts off what does not fit the height.
#pragma once

#include <QLabel>

class Label : public QLabel
{
    Q_OBJECT

public:
    enum Sizing { AutoSize, FixedBox };

    // `box` is where the label stands, and its size until an auto-size
    // label has measured its text.
    Label(const QString &caption, const QFont &font, Sizing sizing, const QRect &box, QWidget *parent);

    QString caption() const { return text(); }
    void setCaption(const QString &caption);

signals:
    void clicked();

protected:
    bool event(QEvent *event) override; // an auto-size label measures its text here
    // A left press and release over the label make a click.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Sizing m_sizing;
    bool m_sizePending = false; // an auto-size label waits to be measured
    bool m_pressed = false;
};
