// What the windows take from the world around them: the message boxes and
// the user's web browser. The program hands the windows the real ones; tests
// hand in their own, to read the boxes and the pages instead of showing them.
#pragma once

#include "widgets/messagebox.h"

#include <QString>
#include <QStringView>
#include <QUrl>
#include <functional>

// The title of every notice to the user.
inline constexpr QStringView kNoticeTitle = u"提示：";

struct Environment
{
    MessageBoxFunction messageBox;
    // Opens the page in the user's browser; false when no browser started.
    std::function<bool(const QUrl &)> openUrl;

    // Tells the user `text` in an information box over `window`.
    void notice(QWidget *window, const QString &text) const
    {
        messageBox(window, QMessageBox::Information, kNoticeTitle.toString(), text);
    }
};
