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

// Asks, in a box over `parent` that does not block it, whether to do what
// `text` says; its buttons read `action` and 取消. `confirmed` runs when the
// user clicks `action`, and nothing when the box is closed otherwise.
void askInMessageBox(QWidget *parent, const QString &title, const QString &text, const QString &action,
                     const std::function<void()> &confirmed);

// How the windows show their boxes: showMessageBox in the program, something
// that records them without blocking in the tests.
using MessageBoxFunction =
    std::function<void(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)>;

// How the windows ask before what cannot be undone: askInMessageBox in the
// program, something that records the question and answers it in the tests.
using QuestionFunction = std::function<void(QWidget *parent, const QString &title, const QString &text,
                                            const QString &action, const std::function<void()> &confirmed)>;
