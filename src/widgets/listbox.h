// A list of idioms: entries shown in the order they are given, each a text
// with the idiom's id, one selected at a time. Its clicked() signal is the
// list's click event: raised for a mouse click on any entry, the selected one
// included, for Enter, and, unless told otherwise, whenever the arrow keys
// move the selection. An entry too long for the list shows whole as its
// tooltip.
#pragma once

#include "store/idiom.h"

#include <QListView>

class ListBox : public QListView
{
    Q_OBJECT

public:
    ListBox(const QRect &geometry, const QFont &font, QWidget *parent);

    // Shows `entries` in place of what the list held, none selected.
    void setEntries(const QList<IdiomEntry> &entries);
    // Adds one entry at the end.
    void append(const IdiomEntry &entry);
    // Removes every entry after `row`.
    void truncateAfter(int row);

    // Whether the arrow keys raise clicked() as they move the selection (the
    // default), or only move it.
    void setArrowKeysClick(bool click) { m_arrowKeysClick = click; }
    // What the list says, in grey, while it has no entries; empty for nothing.
    void setEmptyText(const QString &text);
    QString emptyText() const { return m_emptyText; }

    const QList<IdiomEntry> &entries() const;
    int listCount() const;
    QString list(int row) const;   // the entry's text
    int itemData(int row) const;   // the entry's id
    int listIndex() const;         // the current entry, -1 when none
    int selCount() const;          // the number of selected entries, 0 or 1

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override; // a press on an entry clicks
    void keyPressEvent(QKeyEvent *event) override;     // so does Enter
    void paintEvent(QPaintEvent *event) override;      // the empty text
    bool viewportEvent(QEvent *event) override;        // the tooltip of a cut-off entry

private:
    void selectionMoved();

    class Model;
    Model *m_model;
    bool m_pressing = false;     // inside a mouse press
    bool m_movedByPress = false; // the press moved the selection
    bool m_arrowKeysClick = true;
    QString m_emptyText;
};
