// The program's modal message boxes.
#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

// Styles as the windows pass them.
enum MsgBoxStyle { vbOKOnly = 0, vbInformation = 64 };

// Shows a modal box with the text, an OK button, the information icon when
// `style` asks for it, and the title; returns when the user closes it.
void MsgBox(QWidget *parent, const QString &prompt, int style, const QString &title);

// The box MsgBox shows, not yet shown.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget *parent, const QString &prompt, int style, const QString &title);

// How the windows show their boxes: MsgBox in the program, something that
// reads them without blocking in the tests.
using MessageBoxFunction = std::function<void(QWidget *parent, const QString &prompt, int style, const QString &title)>;

// The title of every notice to the user.
inline constexpr QStringView kNoticeTitle = u"提示：";
