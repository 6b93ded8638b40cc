// The program's pictures, drawn from the SVG files in resources/art at the
// pixel sizes the windows lay them out in.
#pragma once

#include <QIcon>
#include <QPixmap>

// The picture resources/art/`name`.svg at `size` logical pixels, sharp on
// high-dpi screens.
QPixmap artwork(const QString &name, const QSize &size, qreal devicePixelRatio = 1.0);

// The program icon: the red seal at 96, 64, 48, 32 and 24 pixels, and 成
// alone at 16 pixels.
QIcon programIcon();
