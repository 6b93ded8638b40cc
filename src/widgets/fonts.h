// The windows name their fonts as a Chinese Windows desktop knows them.
#pragma once

#include <QFont>

// Maps "宋体" and "楷体_GB2312" to faces that this system has (the Arphic
// fonts on Linux); where it has none of them, to a Chinese face it has that
// draws the quotation marks full width. Call once, before the first window
// is built.
void registerFontSubstitutions();

// A font by face, size in points and weight.
QFont windowFont(const char *face, double points, bool bold = false);

// The windows' default font: the system's interface face at 9 points.
QFont defaultWindowFont();
