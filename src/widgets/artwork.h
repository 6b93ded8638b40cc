// The program's pictures, drawn from the SVG files in resources/art at the
// pixel sizes the windows lay them out in.
#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>

class QWidget;

// The picture resources/art/`name`.svg at `size` logical pixels, sharp on
// high-dpi screens.
QPixmap artwork(const QString &name, const QSize &size, qreal devicePixelRatio = 1.0);

// A picture of resources/art kept ready for painting: drawn once, and again
// only when the widget moves to a screen of another pixel ratio.
class Artwork
{
public:
    Artwork(const QString &name, const QSize &size) : m_name(name), m_size(size) {}

    // Paints the picture at its natural size from the widget's top-left corner.
    void paint(QWidget *widget);

private:
    QString m_name;
    QSize m_size;
    QPixmap m_pixmap;
};

// The program icon's seven images, drawn for the icon files the build makes,
// in the order the Windows icon file keeps them: 成 alone at 16 pixels in 256 colours (binary transparency), then in
// 32-bit colour with alpha the red seal at 96, 64, 48, 32 and 24 pixels and
// 成 alone at 16 pixels.
QList<QImage> programIconImages();

