// A picture that acts as a button: it shows its picture at its own size,
// greyed while the button is disabled, and has no pressed or hover look. It is in the Tab order, shows a focus
// frame once the keyboard has moved the focus, and Space, Enter or Return
// press it. A double-click is one click: its second press is no click of its
// own.
#pragma once

#include "widgets/artwork.h"

#include <QAbstractButton>

class ImageButton : public QAbstractButton
{
    Q_OBJECT

public:
    // `art` names a picture of resources/art, drawn at `size` pixels.
    ImageButton(const QString &art, const QSize &size, QWidget *parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Artwork m_picture;
};
