// Keeps the program's windows as the reader left them: the zoom they all
// show at, and where each stood, in an ini file in the per-user folder,
// read before the first window shows. A window shows at the zoom and in the
// place it had when it was last closed, and a window that a zoom made reach
// past the edges of its screen is moved back onto it.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSettings>

class QWidget;

class WindowKeeper : public QObject
{
    Q_OBJECT

public:
    // `folder` holds the file.
    explicit WindowKeeper(const QString &folder, QObject *parent = nullptr);

    // Zooms and places `window` each time it shows, and keeps its place
    // when it hides, from now on.
    void keep(QWidget *window);

    static QString fileName();

    int zoom() const { return m_zoom; }

    // A choice the reader made in a window, kept with the zoom and places
    // for the next start; `fallback` when none was kept.
    QVariant choice(const QString &key, const QVariant &fallback = {}) const;
    void keepChoice(const QString &key, const QVariant &value);

public slots:
    // One step larger or smaller, or back to 100 %, for every window.
    void zoomIn();
    void zoomOut();
    void resetZoom();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setZoomOfAll(int percent);

    QSettings m_settings;
    int m_zoom;
    QList<QPointer<QWidget>> m_windows;
};
