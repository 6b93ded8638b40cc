// Larger text: a window whose controls stand at fixed places, scaled as a
// whole, from 100 % to 200 %. The places, sizes and fonts of its controls
// grow together, and the pictures are drawn again at their new size, so a
// window at 150 % is the window at 100 % drawn half as large again.
#pragma once

#include <QRect>
#include <array>

class QWidget;

// The zooms the reader steps through, in percent.
inline constexpr std::array kZoomSteps{100, 125, 150, 175, 200};

// The zoom `window` shows at, in percent: 100 until setZoom changes it.
int zoomOf(const QWidget *window);

// Scales `window` from the zoom it shows at to `percent` (kept within the
// steps): its font and fixed size, and the places, sizes, fonts and size
// limits of the controls it places itself. Controls that lay out their own
// parts (lists, text fields) are scaled as a whole; their parts follow.
void setZoom(QWidget *window, int percent);

// Brings `control`, placed at 100 % on a window that may have been zoomed
// since, to the window's zoom, as setZoom would have.
void zoomAdded(QWidget *control);

// The step after `percent`, one larger (`direction` 1) or smaller (-1),
// kept within the steps.
int nextZoom(int percent, int direction);

// A length or a place given at 100 %, as `window` shows it now: for the
// controls a window moves after it was built.
int zoomed(const QWidget *window, int pixels);
QRect zoomed(const QWidget *window, const QRect &place);
