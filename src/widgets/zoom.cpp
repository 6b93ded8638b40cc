#include "widgets/zoom.h"
#include "widgets/panel.h"

#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The window's zoom lives on the window, so that a window opened later can
// be brought to the program's zoom and every length the window computes
// follows it.
const char *const kZoomProperty = "zoomPercent";

// From one zoom to another. A length is taken back to 100 % and out again,
// so that stepping up and down never drifts: a length at 100 % is whole,
// and one scaled from it rounds back to it exactly.
struct Scaling
{
    int from, to;

    int operator()(int pixels) const
    {
        const int whole = int(std::lround(pixels * 100.0 / from));
        return int(std::lround(whole * to / 100.0));
    }
    QRect operator()(const QRect &place) const
    {
        return {(*this)(place.x()), (*this)(place.y()), (*this)(place.width()), (*this)(place.height())};
    }
    // Point sizes are halves and the zooms quarters: the products are exact.
    qreal operator()(qreal size) const { return size * to / from; }
};

// A widget whose children the window placed, as opposed to a control that
// lays out its own parts (a list's viewport and scroll bars, a combo box's
// pieces): a main window's inside, a panel, and the inside of a panel.
bool placesItsChildren(const QWidget *widget)
{
    const auto *mainWindow = qobject_cast<const QMainWindow *>(widget->parentWidget());
    return (mainWindow && mainWindow->centralWidget() == widget) || qobject_cast<const Panel *>(widget)
        || qobject_cast<const Panel *>(widget->parentWidget());
}

void scaleFont(QWidget *widget, const Scaling &scale)
{
    QFont font = widget->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(scale(font.pointSizeF()));
    else
        font.setPixelSize(scale(font.pixelSize()));
    widget->setFont(font);
}

// The limits set on the widget: a fixed size, width or height.
void scaleSizeLimits(QWidget *widget, const Scaling &scale)
{
    const QSize least = widget->minimumSize(), most = widget->maximumSize();
    if (least.width() > 0)
        widget->setMinimumWidth(scale(least.width()));
    if (least.height() > 0)
        widget->setMinimumHeight(scale(least.height()));
    if (most.width() < QWIDGETSIZE_MAX)
        widget->setMaximumWidth(scale(most.width()));
    if (most.height() < QWIDGETSIZE_MAX)
        widget->setMaximumHeight(scale(most.height()));
}

void scaleChildren(QWidget *parent, const Scaling &scale);

// The children before their parent: a panel fits its inside to its own
// size when it is resized, after the inside was scaled.
void scaleChild(QWidget *child, const Scaling &scale)
{
    if (placesItsChildren(child))
        scaleChildren(child, scale);
    if (child->testAttribute(Qt::WA_SetFont))
        scaleFont(child, scale);
    scaleSizeLimits(child, scale);
    if (!child->parentWidget()->layout())
        child->setGeometry(scale(child->geometry()));
}

void scaleChildren(QWidget *parent, const Scaling &scale)
{
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) // a window of its own has a zoom of its own
            scaleChild(child, scale);
    }
}

} // namespace

int zoomOf(const QWidget *window)
{
    const QVariant percent = window->property(kZoomProperty);
    return percent.isValid() ? percent.toInt() : kZoomSteps.front();
}

void setZoom(QWidget *window, int percent)
{
    const Scaling scale{zoomOf(window), std::clamp(percent, kZoomSteps.front(), kZoomSteps.back())};
    if (scale.to == scale.from)
        return;
    window->setProperty(kZoomProperty, scale.to);
    scaleChildren(window, scale);
    if (window->testAttribute(Qt::WA_SetFont))
        scaleFont(window, scale);
    if (window->layout())
        window->layout()->activate(); // takes the size it lays out now, not when the event loop comes to it
    else
        scaleSizeLimits(window, scale);
    // The menus are windows of their own that the window opens.
    for (QMenu *menu : window->findChildren<QMenu *>())
        scaleFont(menu, scale);
}

void zoomAdded(QWidget *control)
{
    const Scaling scale{kZoomSteps.front(), zoomOf(control->window())};
    if (scale.to != scale.from)
        scaleChild(control, scale);
}

int nextZoom(int percent, int direction)
{
    if (direction > 0) {
        const auto *larger = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
        return larger == kZoomSteps.end() ? kZoomSteps.back() : *larger;
    }
    const auto *smaller = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return smaller == kZoomSteps.begin() ? kZoomSteps.front() : *(smaller - 1);
}

int zoomed(const QWidget *window, int pixels)
{
    return Scaling{100, zoomOf(window)}(pixels);
}

QRect zoomed(const QWidget *window, const QRect &place)
{
    return Scaling{100, zoomOf(window)}(place);
}
