// The platform's own style, with check boxes and scroll bars as large as
// their window's zoom, and one picture left out so that the main window is
// drawn sooner. Alt is the menu's own (MainMenu), not the style's.
#pragma once

#include <QProxyStyle>

// A menu bar builds its overflow button when it is built, and asks the style
// for the button's picture. The platform styles read that picture from a PNG
// file, and reading any picture file by name makes Qt load every image-format
// plug-in to ask whether it reads PNG: on Linux that was 1.5 ms before the
// main window could be drawn. The main window cannot be resized and its three
// menus always fit, so the button is never shown; it gets no picture.
class ProgramStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    // The menu bar leaves Alt to the program's menu, which opens the first
    // menu on every system alike; the styles' own handling differs by
    // system, and on X11 gave the menu bar the focus with nothing highlighted.
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    // A zoomed window's check boxes and scroll bars grow with the rest of it.
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
