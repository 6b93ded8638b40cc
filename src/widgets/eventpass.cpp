#include "eventpass.h"
#include "listbox.h"

#include <QApplication>

namespace {

// A frame at 60 Hz.
constexpr qint64 kFrameMilliseconds = 16;

// The one state the windows share: the program is ending.
bool &ending()
{
    static bool state = false;
    return state;
}

} // namespace

EventPass::EventPass(QWidget *window, std::initializer_list<ListBox *> lists)
    : m_window(window), m_lists(lists)
{
}

bool EventPass::run()
{
    if (programEnding() || !m_window)
        return false;
    for (ListBox *list : std::as_const(m_lists))
        list->flush();
    QCoreApplication::processEvents();
    m_lastPass.start();
    return !programEnding() && m_window;
}

bool EventPass::runWhenDue()
{
    if (m_lastPass.isValid() && m_lastPass.elapsed() < kFrameMilliseconds)
        return true;
    return run();
}

void EventPass::endProgram()
{
    ending() = true;
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

bool EventPass::programEnding()
{
    return ending();
}

void EventPass::resetProgramEnding()
{
    ending() = false;
}
