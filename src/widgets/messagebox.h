// The program's modal message boxes.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

// A box over `parent` with `icon`, `title`, the plain `text` and an OK
// button, not yet shown. Its text can be selected and copied, so that an
// address or a file name it gives can be taken elsewhere.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                            const QString &text);

// Shows that box and returns when the user closes it.
void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text);

// How the windows show their boxes: showMessageBox in the program, something
// that records them without blocking in the tests.
using MessageBoxFunction =
    std::function<void(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)>;
