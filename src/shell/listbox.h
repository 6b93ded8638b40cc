// A list of idioms: entries shown in the order they are added, each a text
// with a 32-bit item data, one selected at a time. Its click() signal is the
// selection event, raised when the user selects an entry with the mouse or
// moves the selection with the arrow keys.
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
    void click();

private:
    class Model;
    Model *m_model;
};
