// A list of one column with one entry selected at a time (unless set to
// select several), over any model.
// Its chosen() signal says the reader chose the selected entry: a mouse
// click on any entry, the selected one included, Enter, and, unless told
// otherwise, the arrow keys as they move the selection. An entry too long
// for the list shows whole as its tooltip. With nothing selected, the first
// arrow key selects the current entry (the first, once the list has taken
// the focus) rather than the one after it, and Enter selects and chooses it.
// Set to select several entries, only a plain left click chooses, and
// Enter only while one entry is selected.
#pragma once

#include <QListView>

class ListView : public QListView
{
    Q_OBJECT

public:
    ListView(const QRect &geometry, const QFont &font, QWidget *parent);

    // Whether the arrow keys choose as they move the selection (the
    // default), or only move it.
    void setArrowKeysChoose(bool choose) { m_arrowKeysChoose = choose; }
    // What the list says, in grey, while it has no entries; empty for nothing.
    void setEmptyText(const QString &text);
    QString emptyText() const { return m_emptyText; }

    // The selected row, -1 when none is.
    int selectedRow() const;

signals:
    void chosen();

protected:
    void mousePressEvent(QMouseEvent *event) override; // a press on an entry chooses it
    void keyPressEvent(QKeyEvent *event) override;     // so does Enter
    void paintEvent(QPaintEvent *event) override;      // the empty text
    bool viewportEvent(QEvent *event) override;        // the tooltip of a cut-off entry
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:

    bool m_pressing = false;     // inside a mouse press
    bool m_movedByPress = false; // the press moved the selection
    bool m_arrowKeysChoose = true;
    QString m_emptyText;
};
