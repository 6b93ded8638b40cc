// How the program's windows are framed and painted.
#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <Qt>

class QFont;
class QLabel;
class QPushButton;
class QRect;
class QWidget;

// A window the user cannot resize: title bar, system menu, minimize and
// close buttons, no maximize button.
inline constexpr Qt::WindowFlags kFixedSizeWindow = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                                                  | Qt::MSWindowsFixedSizeDialogHint;

// Fills the widget's background with one colour.
void fillBackground(QWidget *widget, const QColor &colour);

// Escape closes `window`, once no drop-down, menu or popup in it is open to take the key.
void closeOnEscape(QWidget *window);

// A window of another window's that the user cannot resize: `title`, the
// windows' default font, `size`, a white background, deleted when closed,
// and closed by Escape.
void setUpSideWindow(QWidget *window, const QString &title, const QSize &size);

// Shows `window`, or brings it back as it was when it is open: out of the
// task bar, raised and active.
void bringBack(QWidget *window);

// A push button reading `text` at `place` on `parent`, found by `objectName`.
QPushButton *placedButton(const QString &text, const char *objectName, const QRect &place, QWidget *parent);

// An empty label at `place` on `parent` in `font`, its text set by `alignment`,
// found by `objectName`.
QLabel *placedLabel(const char *objectName, const QRect &place, const QFont &font, Qt::Alignment alignment,
                    QWidget *parent);
