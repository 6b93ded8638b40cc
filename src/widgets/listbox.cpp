#include "listbox.h"

#include <QAbstractListModel>
#include <QList>
#include <QMouseEvent>

class ListBox::Model : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    struct Entry
    {
        QString text;
        int data = 0;
    };

    QList<Entry> entries;
    int shown = 0; // entries the view knows of

    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : shown; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= shown)
            return QVariant();
        if (role == Qt::DisplayRole)
            return entries.at(index.row()).text;
        if (role == Qt::UserRole)
            return entries.at(index.row()).data;
        return QVariant();
    }

    void flush()
    {
        if (shown == entries.size())
            return;
        beginInsertRows(QModelIndex(), shown, int(entries.size()) - 1);
        shown = int(entries.size());
        endInsertRows();
    }

    void clear()
    {
        beginResetModel();
        entries.clear();
        shown = 0;
        endResetModel();
    }

    void remove(int row)
    {
        flush();
        beginRemoveRows(QModelIndex(), row, row);
        entries.removeAt(row);
        --shown;
        endRemoveRows();
    }
};

ListBox::ListBox(const QRect &geometry, const QFont &font, QWidget *parent)
    : QListView(parent), m_model(new Model(this))
{
    setGeometry(geometry);
    setFont(font);
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListBox::selectionMoved);
}

void ListBox::clear()
{
    m_model->clear();
}

void ListBox::addItem(const QString &text)
{
    m_model->entries.append({text, 0});
}

void ListBox::removeItem(int index)
{
    if (index >= 0 && index < listCount())
        m_model->remove(index);
}

int ListBox::newIndex() const
{
    return int(m_model->entries.size()) - 1;
}

int ListBox::listCount() const
{
    return int(m_model->entries.size());
}

QString ListBox::list(int index) const
{
    return index >= 0 && index < listCount() ? m_model->entries.at(index).text : QString();
}

int ListBox::itemData(int index) const
{
    return index >= 0 && index < listCount() ? m_model->entries.at(index).data : 0;
}

void ListBox::setItemData(int index, int data)
{
    if (index >= 0 && index < listCount())
        m_model->entries[index].data = data;
}

int ListBox::listIndex() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int ListBox::selCount() const
{
    return int(selectionModel()->selectedRows().size());
}

void ListBox::flush()
{
    m_model->flush();
}

void ListBox::selectionMoved()
{
    if (m_pressing)
        m_movedByPress = true; // told once, when the press is done
    else
        emit clicked();
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    if (!indexAt(event->position().toPoint()).isValid())
        return; // the blank below the entries keeps the selection, as a list box does
    m_pressing = true;
    m_movedByPress = false;
    QListView::mousePressEvent(event);
    m_pressing = false;
    // A click on the entry that is already selected is a click too: it
    // brings that entry back after the card or the chain moved on.
    if (m_movedByPress || event->button() == Qt::LeftButton)
        emit clicked();
}
