// Watches what the reader copies and, on X11, selects, while it is asked
// to: by the clipboard's own change signals, never by asking it again and
// again. Switched off, it neither reads the clipboard nor listens to it.
#pragma once

#include <QClipboard>
#include <QObject>
#include <QTimer>

class ClipboardWatch : public QObject
{
    Q_OBJECT

public:
    explicit ClipboardWatch(QObject *parent = nullptr);

    void setWatching(bool on);
    bool isWatching() const { return m_watching; }

    // Whether a selection is looked up as well as a copy, where the
    // system has a selection (X11): on by default.
    void setSelectionWatched(bool on);
    bool isSelectionWatched() const { return m_selectionWatched; }

    // The text of the selection, where the system has one and it holds a
    // text, otherwise the clipboard's, unless a password manager marked it;
    // empty when there is none.
    static QString currentText();

    // How long a selection must rest before it is looked up.
    static constexpr int kSelectionPause = 350;

signals:
    // The reader copied, or selected and paused, `text`, which no password
    // manager marked and which is short enough to look up.
    void picked(const QString &text);

private:
    // Reads the clipboard of `mode`, unless vura put it there.
    void read(QClipboard::Mode mode);
    void listen();

    bool m_watching = false;
    bool m_selectionWatched = true;
    QTimer m_selectionPause;
    QMetaObject::Connection m_copies, m_selections;
};
