// A list of idioms: entries shown in the order they are added, each a text
// with a 32-bit item data, one selected at a time. Its clicked() signal is
// the list's click event: raised once for a mouse click on any entry, the
// selected one included, and whenever the selection moves otherwise (the
// arrow keys, a drag).
//
// Entries added in a burst reach the view when flush() is called (the
// windows do so before every pass of pending events), so that a long fill
// costs one layout per pass instead of one per entry.
#pragma once

#include <QListView>

class ListBox : public QListView
{
    Q_OBJECT

public:
    explicit ListBox(const QRect &geometry, const QFont &font, QWidget *parent);

    void clear();
    void addItem(const QString &text);
    void removeItem(int index);
    int newIndex() const;            // index of the entry added last, -1 when none
    int listCount() const;
    QString list(int index) const;   // the entry's text
    int itemData(int index) const;
    void setItemData(int index, int data);
    int listIndex() const;           // the current entry, -1 when none
    int selCount() const;            // the number of selected entries, 0 or 1

    // Shows the entries added since the last flush.
    void flush();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void selectionMoved();

    class Model;
    Model *m_model;
    bool m_pressing = false;      // inside a mouse press
    bool m_movedByPress = false;  // the press moved the selection
};
