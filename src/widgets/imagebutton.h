// A picture that acts as a button: it shows its picture at its natural
// size, takes no focus, has no pressed or hover look, and reports a click
// (the clicked() signal it has as a label).
#pragma once

#include "artwork.h"
#include "label.h"

class ImageButton : public Label
{
    Q_OBJECT

public:
    // `art` names a picture of resources/art, drawn at `size` pixels.
    ImageButton(const QString &art, const QSize &size, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Artwork m_picture;
};
