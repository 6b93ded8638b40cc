// Windows icon files (.ico) that keep each image at its own depth: Qt's own
// icon writer stores every image in 32-bit colour and one image per file.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// The bytes of an icon file holding `images` in their order, each as a
// bitmap with its transparency mask. An Indexed8 image is stored in 256
// colours: its colour table padded to 256 entries, entries with alpha below
// 128 transparent (and stored black, so the mask shows what is behind).
// Every other image is stored in 32-bit colour with alpha. Empty when there
// are no images or one is not 1 to 256 pixels wide and high.
QByteArray icoFileBytes(const QList<QImage> &images);
