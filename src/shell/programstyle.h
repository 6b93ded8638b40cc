// The platform's own style, with the menu bar reachable by the Alt key on
// every system, check boxes and scroll bars as large as their window's
// zoom, and one picture left out so that the main window is drawn sooner.
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
    // Alt alone highlights the first menu, as on Windows, where Fusion and
    // the other Linux styles leave it to the mouse.
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    // A zoomed window's check boxes and scroll bars grow with the rest of it.
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
