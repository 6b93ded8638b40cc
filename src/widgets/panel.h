// A pane with a flat one-pixel border, a background colour and, when given,
// a background picture drawn at its natural size from the top-left corner
// (larger by as much as the pane when it is zoomed) and cut off at the edges. Its controls go on contents(), the area inside
// the border, so that their places are measured from inside it.
#pragma once

#include <QFrame>

class Panel : public QFrame
{
    Q_OBJECT

public:
    Panel(const QRect &geometry, const QColor &background, QWidget *parent);

    // Draws resources/art/`art`.svg at `size` pixels behind the controls.
    void setPicture(const QString &art, const QSize &size);

    QWidget *contents() const;

protected:
    void resizeEvent(QResizeEvent *event) override; // the inside keeps to the border

private:
    class Contents;
    Contents *m_contents;
};
