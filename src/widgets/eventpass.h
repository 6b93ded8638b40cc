// Lets pending window events run while a handler fills a list, so that the
// window keeps painting and takes input. A fill of thousands of rows makes a
// pass once a frame (about 16 ms) rather than after every row: the list
// still grows visibly, and the time goes into the rows instead of a repaint
// per row.
//
// The program ends by ending its event loop; a fill that is running then
// stops at its next pass, in whichever window it runs.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <initializer_list>

class ListBox;

class EventPass
{
public:
    // A pass for a handler of `window` that fills `lists`.
    EventPass(QWidget *window, std::initializer_list<ListBox *> lists);

    // Shows what was added to the lists, then lets pending events run once.
    // Returns whether the handler may go on: false once the program is
    // ending, or once the window, shown when the fill began, was closed (or
    // deleted) since.
    bool run();

    // The same, once a frame: between passes it returns true at once.
    bool runWhenDue();

    // Ends the program: every window closes, the event loop quits, and fills
    // stop at their next pass without touching their windows again.
    static void endProgram();
    static bool programEnding();
    // A program that runs its windows again after ending them (the tests).
    static void resetProgramEnding();

    // The least time between two passes of runWhenDue(), 16 ms unless set:
    // 0 makes a pass after every row, as tests that act during a fill need.
    static void setFrameInterval(int milliseconds);

private:
    bool windowOpen() const;

    QPointer<QWidget> m_window;
    QList<ListBox *> m_lists;
    bool m_shownAtStart; // closing the window then ends the fill
    QElapsedTimer m_lastPass;
};
