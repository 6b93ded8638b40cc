#include "shell/windowkeeper.h"

#include "widgets/zoom.h"

#include <QGuiApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

QString placeKey(const QWidget *window)
{
    return QStringLiteral("places/") + QLatin1String(window->metaObject()->className());
}

// Moves a window that reaches past the edges of its screen, as one zoomed
// near them does, back onto it: as far as it needs, its title bar first.
void keepOnScreen(QWidget *window)
{
    const QRect screen = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    if (screen.contains(frame))
        return;
    const int x = std::max(screen.left(), std::min(frame.left(), screen.right() + 1 - frame.width()));
    const int y = std::max(screen.top(), std::min(frame.top(), screen.bottom() + 1 - frame.height()));
    window->move(x, y);
}

} // namespace

WindowKeeper::WindowKeeper(const QString &folder, QObject *parent)
    : QObject(parent), m_settings(QDir(folder).filePath(fileName()), QSettings::IniFormat)
{
    // A zoom that is none of the steps, as a hand-edited file may hold, is 100 %.
    const int stored = m_settings.value(QStringLiteral("zoom")).toInt();
    m_zoom = std::find(kZoomSteps.begin(), kZoomSteps.end(), stored) != kZoomSteps.end() ? stored
                                                                                        : kZoomSteps.front();
}

void WindowKeeper::keep(QWidget *window)
{
    m_windows.removeAll(nullptr); // the windows closed and deleted since
    m_windows.append(window);
    window->installEventFilter(this);
}

QString WindowKeeper::fileName()
{
    return QStringLiteral("vura.ini");
}

bool WindowKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    auto *window = qobject_cast<QWidget *>(watched);
    if (!window || !window->isWindow() || event->spontaneous())
        return false; // a window the system minimized or restored stays where it is
    if (event->type() == QEvent::Show) {
        // Sent before the window maps: it shows at once as large, and where, as kept.
        setZoom(window, m_zoom);
        const QPoint place = m_settings.value(placeKey(window)).toPoint();
        if (m_settings.contains(placeKey(window)) && QGuiApplication::screenAt(place + QPoint(40, 20)))
            window->move(place);
        // Where the system placed a window, it knows its frame once mapped.
        QTimer::singleShot(0, window, [window] { keepOnScreen(window); });
    } else {
        m_settings.setValue(placeKey(window), window->pos());
    }
    return false;
}

QVariant WindowKeeper::choice(const QString &key, const QVariant &fallback) const
{
    return m_settings.value(QStringLiteral("choices/") + key, fallback);
}

void WindowKeeper::keepChoice(const QString &key, const QVariant &value)
{
    m_settings.setValue(QStringLiteral("choices/") + key, value);
}

void WindowKeeper::zoomIn()
{
    setZoomOfAll(nextZoom(m_zoom, 1));
}

void WindowKeeper::zoomOut()
{
    setZoomOfAll(nextZoom(m_zoom, -1));
}

void WindowKeeper::resetZoom()
{
    setZoomOfAll(kZoomSteps.front());
}

void WindowKeeper::setZoomOfAll(int percent)
{
    m_zoom = percent;
    m_settings.setValue(QStringLiteral("zoom"), percent);
    for (QWidget *window : std::as_const(m_windows)) {
        if (window && window->isVisible()) {
            setZoom(window, percent);
            keepOnScreen(window);
        }
    }
}
