// What the windows take from the world around them: the program's folder,
// the message boxes and the user's web browser. The program hands both
// windows the real ones; tests hand in their own, to read the boxes and the
// pages instead of showing them.
#pragma once

#include "widgets/msgbox.h"

#include <QString>
#include <QUrl>
#include <functional>

struct Environment
{
    QString programFolder;
    MessageBoxFunction messageBox;
    std::function<void(const QUrl &)> openUrl;

    // Tells the user `text` in an information box over `window`.
    void notice(QWidget *window, const QString &text) const
    {
        messageBox(window, text, vbInformation, kNoticeTitle.toString());
    }
};
