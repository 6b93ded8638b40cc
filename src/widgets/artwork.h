// The program's pictures, drawn from the SVG files in resources/art at the
// pixel sizes the windows lay them out in.
#pragma once

#include <QPixmap>

class QWidget;

// The picture resources/art/`name`.svg at `size` logical pixels, sharp on
// high-dpi screens.
QPixmap artwork(const QString &name, const QSize &size, qreal devicePixelRatio = 1.0);

// A picture of resources/art kept ready for painting: drawn once, and again
// only when it is wanted at another size or the widget moves to a screen of
// another pixel ratio.
class Artwork
{
public:
    Artwork(const QString &name, const QSize &size) : m_name(name), m_size(size) {}

    QSize size() const { return m_size; }

    // Paints the picture at `size` pixels, its natural size unless a zoom
    // made it larger, from the widget's top-left corner; greyed, as a
    // control that cannot be used, when `greyed`.
    void paint(QWidget *widget, const QSize &size, bool greyed = false);

private:
    QString m_name;
    QSize m_size;
    QPixmap m_pixmap;
    QPixmap m_greyed; // made when first painted greyed
};
