// The platform's own style, with one picture left out so that the main
// window is drawn sooner.
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
};
