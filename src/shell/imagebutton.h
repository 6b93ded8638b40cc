// A picture that acts as a button: it shows its picture at its natural
// size, takes no focus, has no pressed or hover look, and reports a click.
#pragma once

#include <QWidget>

class ImageButton : public QWidget
{
    Q_OBJECT

public:
    // `art` names a picture of resources/art, drawn at `size` pixels.
    ImageButton(const QString &art, const QSize &size, QWidget *parent);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_art;
    QPixmap m_pixmap;
    bool m_pressed = false;
};
