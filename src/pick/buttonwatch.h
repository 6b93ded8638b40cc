// Tells of each mouse button pressed in any program, vura's own too, while
// it is asked to, without taking the click from the program that gets it:
// on X11 the raw button events of the XInput extension on the root window,
// on Windows a low-level mouse hook. Only the buttons that click count, not
// the wheel. Stopped, it asks the system for nothing, so it costs nothing
// while the popup card is not showing.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class ButtonWatch : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit ButtonWatch(QObject *parent = nullptr);
    ~ButtonWatch() override;

    // False where the system shows no program the others' clicks (no
    // XInput 2 on the X server, Wayland, offscreen).
    bool start();
    void stop();
    bool isWatching() const { return m_watching; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    // A button went down, wherever the pointer is; said from the event
    // loop, never from inside the system's call.
    void pressed();

private:
    bool startOnSystem();
    void stopOnSystem();

    bool m_watching = false;
    int m_extension = 0; // X11: the XInput extension's opcode
};
