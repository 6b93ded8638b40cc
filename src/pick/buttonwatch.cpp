#include "pick/buttonwatch.h"

#include <QCoreApplication>
#include <QGuiApplication>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(VURA_XCB_XINPUT)
#include "pick/xcbhelp.h"
#include <xcb/xinput.h>
#endif

namespace {

#if defined(Q_OS_WIN)

// A low-level hook has no place for a pointer of its own: the one watch
// that holds it is kept here, in the thread that set it.
ButtonWatch *hooked = nullptr;
HHOOK hook = nullptr;

LRESULT CALLBACK mouseHook(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && hooked) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN: {
            ButtonWatch *watch = hooked;
            // The system waits for the hook: the news goes round the loop.
            QMetaObject::invokeMethod(watch, [watch] { emit watch->pressed(); }, Qt::QueuedConnection);
            break;
        }
        default:
            break;
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

#elif defined(VURA_XCB_XINPUT)

using namespace XcbHelp;

// The raw events of every master device (the pointers the reader moves),
// or none.
void selectRawPresses(xcb_connection_t *c, bool on)
{
    struct
    {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, on ? uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS) : 0u};
    xcb_input_xi_select_events(c, rootWindow(c), 1, &mask.head);
    xcb_flush(c);
}

// The wheel turns as buttons 4 to 7 and clicks nothing.
bool isWheel(uint32_t button)
{
    return button >= 4 && button <= 7;
}

#endif

} // namespace

ButtonWatch::ButtonWatch(QObject *parent) : QObject(parent)
{
}

ButtonWatch::~ButtonWatch()
{
    stop();
}

bool ButtonWatch::start()
{
    if (m_watching)
        return true;
    if (!startOnSystem())
        return false;
    m_watching = true;
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
}

void ButtonWatch::stop()
{
    if (!m_watching)
        return;
    m_watching = false;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    stopOnSystem();
}

#if defined(Q_OS_WIN)

bool ButtonWatch::startOnSystem()
{
    if (hooked || QGuiApplication::platformName() != QLatin1String("windows"))
        return false;
    hook = SetWindowsHookExW(WH_MOUSE_LL, mouseHook, GetModuleHandleW(nullptr), 0);
    if (!hook)
        return false;
    hooked = this;
    return true;
}

void ButtonWatch::stopOnSystem()
{
    UnhookWindowsHookEx(hook);
    hook = nullptr;
    hooked = nullptr;
}

bool ButtonWatch::nativeEventFilter(const QByteArray &, void *, qintptr *)
{
    return false;
}

#elif defined(VURA_XCB_XINPUT)

bool ButtonWatch::startOnSystem()
{
    xcb_connection_t *c = connection();
    if (!c)
        return false;
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(c, &xcb_input_id);
    if (!extension || !extension->present)
        return false;
    // A client says which XInput it speaks before it asks for its events;
    // from 2.2 on the raw events come during other programs' grabs as well.
    // A client that said a later one already (Qt may have) is told BadValue.
    xcb_generic_error_t *refused = nullptr;
    Owned<xcb_input_xi_query_version_reply_t> version(
        xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), &refused));
    const Owned<xcb_generic_error_t> error(refused);
    if (version ? version->major_version < 2 : !error || error->error_code != XCB_VALUE)
        return false;
    m_extension = extension->major_opcode;
    selectRawPresses(c, true);
    return true;
}

void ButtonWatch::stopOnSystem()
{
    if (xcb_connection_t *c = connection())
        selectRawPresses(c, false);
}

bool ButtonWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_ge_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_GE_GENERIC || event->extension != m_extension ||
        event->event_type != XCB_INPUT_RAW_BUTTON_PRESS)
        return false;
    const auto *press = static_cast<const xcb_input_raw_button_press_event_t *>(message);
    if (!isWheel(press->detail))
        QMetaObject::invokeMethod(this, &ButtonWatch::pressed, Qt::QueuedConnection);
    return true; // the raw event is this watch's alone
}

#else

bool ButtonWatch::startOnSystem()
{
    return false;
}

void ButtonWatch::stopOnSystem()
{
}

bool ButtonWatch::nativeEventFilter(const QByteArray &, void *, qintptr *)
{
    return false;
}

#endif
