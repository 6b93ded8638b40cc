// Marks a window as busy while one of its handlers fills a list. While it
// is busy, the window's other handlers leave the shared recordset and loop
// counter alone. On every way out of the handler, a return or an exception,
// the guard runs the window's clean-up (closing its recordset), hides the
// busy indicator and clears the flag; if the window was closed and deleted
// during the fill, it touches nothing.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class FillGuard
{
public:
    FillGuard(QWidget *window, bool &busy, QWidget *indicator, std::function<void()> cleanUp);
    ~FillGuard();

    FillGuard(const FillGuard &) = delete;
    FillGuard &operator=(const FillGuard &) = delete;

private:
    QPointer<QWidget> m_window;
    bool &m_busy;
    QWidget *m_indicator;
    std::function<void()> m_cleanUp;
};
