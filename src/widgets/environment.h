// What the windows take from the world around them: the message boxes, the
// questions asked before what cannot be undone, and the user's web browser.
// The program hands the windows the real ones; tests hand in their own, to
// read (and answer) the boxes and the pages instead of showing them.
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
    QuestionFunction question;

    // Tells the user `text` in an information box over `window`.
    void notice(QWidget *window, const QString &text) const
    {
        messageBox(window, QMessageBox::Information, kNoticeTitle.toString(), text);
    }

    // Asks the user, over `window`, whether to do what `text` says, which
    // cannot be undone; `confirmed` runs if the user clicks `action`.
    void ask(QWidget *window, const QString &text, const QString &action, const std::function<void()> &confirmed) const
    {
        question(window, kNoticeTitle.toString(), text, action, confirmed);
    }
};
