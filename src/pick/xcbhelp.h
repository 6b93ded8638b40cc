// What the parts of 取词 that speak to the X server directly share: Qt's
// own connection, its root window, and replies freed as xcb wants.
#pragma once

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace XcbHelp {

struct Free
{
    void operator()(void *p) const { std::free(p); }
};

template<typename Reply>
using Owned = std::unique_ptr<Reply, Free>;

// Qt's connection; none off X11.
inline xcb_connection_t *connection()
{
    auto *x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

inline xcb_window_t rootWindow(xcb_connection_t *c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

} // namespace XcbHelp
