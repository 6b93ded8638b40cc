// A pane with a flat one-pixel border, a background colour and, when given,
// a background picture drawn at its natural size from the top-left corner
// and cut off at the edges. Its controls go on client(), the area inside
// the border.
#pragma once

#include <QFrame>

class PictureBox : public QFrame
{
    Q_OBJECT

public:
    PictureBox(const QRect &geometry, const QColor &background, QWidget *parent);

    // Draws resources/art/`art`.svg at `size` pixels behind the controls.
    void setPicture(const QString &art, const QSize &size);

    QWidget *client() const;

private:
    class Client;
    Client *m_client;
};
