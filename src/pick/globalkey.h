// A key that reaches vura whichever program has the focus: on X11 a passive
// grab of the key on the root window (with Caps Lock and Num Lock on or
// off), on Windows a hot key the system registers for the thread. Wayland
// lets no program have one. Only a chord no program types into its text
// is taken so: the key is lost to every other program while vura holds it.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QString>

class GlobalKey : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    enum Key {
        LookUp, // Ctrl+Alt+Z
    };

    explicit GlobalKey(Key key, QObject *parent = nullptr);
    ~GlobalKey() override;

    // Takes the key from every other program; false, with why(), when
    // the system refuses it.
    bool grab();
    // Gives it back.
    void release();
    bool isGrabbed() const { return m_grabbed; }

    // Why the key could not be taken; empty when it was.
    QString why() const { return m_why; }
    // Why no key can be taken on this system, before trying; empty where
    // one may be.
    static QString unsupported();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void pressed();

private:
    bool grabOnSystem();
    void releaseOnSystem();

    const Key m_key;
    bool m_grabbed = false;
    QString m_why;
    unsigned m_keyCode = 0; // X11: the key's code on this keyboard
};
