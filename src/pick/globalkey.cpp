#include "pick/globalkey.h"

#include <QCoreApplication>
#include <QGuiApplication>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(VURA_XCB)
#include "pick/xcbhelp.h"
#endif

namespace {

#if defined(Q_OS_WIN)
// The hot key's id for the thread, one a key.
int hotKeyId(GlobalKey::Key key)
{
    return 0x7a00 + int(key);
}
#elif defined(VURA_XCB)
constexpr uint32_t kZKeySym = 0x7a; // XK_z
// Caps Lock and Num Lock: the key is taken with each of them on and off.
constexpr uint16_t kLockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

using XcbHelp::connection;
using XcbHelp::Free;
using XcbHelp::rootWindow;

// The first key of the keyboard that writes `keySym` unshifted or shifted.
xcb_keycode_t keyCodeOf(xcb_connection_t *c, uint32_t keySym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, Free> mapping(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, uint8_t(count)), nullptr));
    if (!mapping)
        return 0;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perKey = mapping->keysyms_per_keycode;
    for (int key = 0; key < count; ++key) {
        for (int column = 0; column < std::min(perKey, 2); ++column) {
            if (syms[key * perKey + column] == keySym)
                return xcb_keycode_t(setup->min_keycode + key);
        }
    }
    return 0;
}

uint16_t modifiersOf(GlobalKey::Key)
{
    return uint16_t(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1);
}
#endif

} // namespace

GlobalKey::GlobalKey(Key key, QObject *parent) : QObject(parent), m_key(key)
{
}

GlobalKey::~GlobalKey()
{
    release();
}

QString GlobalKey::unsupported()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return QStringLiteral("Wayland 不允许程序使用全局快捷键，请在桌面的设置里把快捷键设为运行 vura。");
#if defined(Q_OS_WIN)
    if (platform == QLatin1String("windows"))
        return {};
#elif defined(VURA_XCB)
    if (platform == QLatin1String("xcb"))
        return {};
#endif
    return QStringLiteral("这个窗口系统不支持全局快捷键。");
}

bool GlobalKey::grab()
{
    if (m_grabbed)
        return true;
    m_why = unsupported();
    if (!m_why.isEmpty() || !grabOnSystem())
        return false;
    m_grabbed = true;
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
}

void GlobalKey::release()
{
    if (!m_grabbed)
        return;
    m_grabbed = false;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    releaseOnSystem();
}

#if defined(Q_OS_WIN)

bool GlobalKey::grabOnSystem()
{
    if (RegisterHotKey(nullptr, hotKeyId(m_key), MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, UINT('Z')))
        return true;
    m_why = QStringLiteral("快捷键已被别的程序占用。");
    return false;
}

void GlobalKey::releaseOnSystem()
{
    UnregisterHotKey(nullptr, hotKeyId(m_key));
}

bool GlobalKey::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    // A thread's hot key comes to no window: Qt's dispatcher shows it.
    if (eventType != "windows_dispatcher_MSG")
        return false;
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_HOTKEY || int(msg->wParam) != hotKeyId(m_key))
        return false;
    emit pressed();
    return true;
}

#elif defined(VURA_XCB)

bool GlobalKey::grabOnSystem()
{
    xcb_connection_t *c = connection();
    m_keyCode = c ? keyCodeOf(c, kZKeySym) : 0;
    if (!m_keyCode) {
        m_why = QStringLiteral("键盘上找不到这个键。");
        return false;
    }
    const xcb_window_t root = rootWindow(c);
    bool taken = true;
    for (const uint16_t locks : kLockMasks) {
        std::unique_ptr<xcb_generic_error_t, Free> error(xcb_request_check(
            c, xcb_grab_key_checked(c, 1, root, modifiersOf(m_key) | locks, xcb_keycode_t(m_keyCode),
                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
        taken = taken && !error;
    }
    if (taken)
        return true;
    releaseOnSystem();
    m_why = QStringLiteral("快捷键已被别的程序占用。");
    return false;
}

void GlobalKey::releaseOnSystem()
{
    xcb_connection_t *c = connection();
    if (!c || !m_keyCode)
        return;
    const xcb_window_t root = rootWindow(c);
    for (const uint16_t locks : kLockMasks)
        xcb_ungrab_key(c, xcb_keycode_t(m_keyCode), root, modifiersOf(m_key) | locks);
    xcb_flush(c);
}

bool GlobalKey::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event);
    const uint16_t held = key->state & (XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4);
    if (key->detail != m_keyCode || held != modifiersOf(m_key))
        return false;
    if (type == XCB_KEY_PRESS)
        emit pressed();
    return true; // the release too: no window of vura sees half a key
}

#else

bool GlobalKey::grabOnSystem()
{
    return false;
}

void GlobalKey::releaseOnSystem()
{
}

bool GlobalKey::nativeEventFilter(const QByteArray &, void *, qintptr *)
{
    return false;
}

#endif
