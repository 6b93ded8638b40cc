#include "eventpass.h"
#include "listbox.h"

#include <QApplication>

namespace {

// What the windows share while they fill their lists: whether the program
// is ending, and how often a fill lets events run (a frame at 60 Hz).
struct Shared
{
    bool ending = false;
    qint64 frameInterval = 16;
};

Shared &shared()
{
    static Shared state;
    return state;
}

} // namespace

EventPass::EventPass(QWidget *window, std::initializer_list<ListBox *> lists)
    : m_window(window), m_lists(lists), m_shownAtStart(window->isVisible())
{
}

bool EventPass::windowOpen() const
{
    return m_window && (m_window->isVisible() || !m_shownAtStart);
}

bool EventPass::run()
{
    if (programEnding() || !windowOpen())
        return false;
    for (ListBox *list : std::as_const(m_lists))
        list->flush();
    QCoreApplication::processEvents();
    m_lastPass.start();
    return !programEnding() && windowOpen();
}

bool EventPass::runWhenDue()
{
    if (m_lastPass.isValid() && m_lastPass.elapsed() < shared().frameInterval)
        return true;
    return run();
}

void EventPass::endProgram()
{
    shared().ending = true;
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

bool EventPass::programEnding()
{
    return shared().ending;
}

void EventPass::resetProgramEnding()
{
    shared().ending = false;
}

void EventPass::setFrameInterval(int milliseconds)
{
    shared().frameInterval = milliseconds;
}
