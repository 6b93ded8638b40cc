// The program icon's images, drawn from the artwork.
#pragma once

#include <QImage>
#include <QList>

// The program icon's seven images, drawn for the icon files the build makes,
// in the order the Windows icon file keeps them: 成 alone at 16 pixels in 256
// colours (binary transparency), then in 32-bit colour with alpha the red
// seal at 96, 64, 48, 32 and 24 pixels and 成 alone at 16 pixels.
QList<QImage> programIconImages();

