#include "pick/clipboardwatch.h"

#include "pick/pickrules.h"

#include <QGuiApplication>
#include <QMimeData>

namespace {

// The text of the clipboard of `mode`, unless a password manager marked it.
QString unmarkedText(QClipboard::Mode mode)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(mode);
    if (!data || !data->hasText() || markedSecret(*data))
        return {};
    return data->text();
}

} // namespace

ClipboardWatch::ClipboardWatch(QObject *parent) : QObject(parent)
{
    // A selection grows while the reader drags; it is read once it rests.
    m_selectionPause.setSingleShot(true);
    m_selectionPause.setInterval(kSelectionPause);
    connect(&m_selectionPause, &QTimer::timeout, this, [this] { read(QClipboard::Selection); });
}

void ClipboardWatch::setWatching(bool on)
{
    m_watching = on;
    listen();
}

void ClipboardWatch::setSelectionWatched(bool on)
{
    m_selectionWatched = on;
    listen();
}

void ClipboardWatch::listen()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    disconnect(m_copies);
    disconnect(m_selections);
    m_selectionPause.stop();
    if (!m_watching)
        return;
    m_copies = connect(clipboard, &QClipboard::dataChanged, this, [this] { read(QClipboard::Clipboard); });
    if (m_selectionWatched && clipboard->supportsSelection())
        m_selections = connect(clipboard, &QClipboard::selectionChanged, &m_selectionPause,
                               qOverload<>(&QTimer::start));
}

void ClipboardWatch::read(QClipboard::Mode mode)
{
    // What vura's own windows copy is no question.
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!m_watching || (mode == QClipboard::Clipboard ? clipboard->ownsClipboard() : clipboard->ownsSelection()))
        return;
    const QString text = unmarkedText(mode);
    if (shortEnoughToPick(text))
        emit picked(text);
}

QString ClipboardWatch::currentText()
{
    if (QGuiApplication::clipboard()->supportsSelection()) {
        if (const QString selected = unmarkedText(QClipboard::Selection); !selected.trimmed().isEmpty())
            return selected;
    }
    return unmarkedText(QClipboard::Clipboard);
}
