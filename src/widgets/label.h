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

    Label(const QString &caption, const QFont &font, Sizing sizing, QWidget *parent);

    QString caption() const { return text(); }
    void setCaption(const QString &caption);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Sizing m_sizing;
    bool m_pressed = false;
};
