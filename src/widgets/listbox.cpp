#include "widgets/listbox.h"

#include <QAbstractListModel>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

class ListBox::Model : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    QList<IdiomEntry> entries;

    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(entries.size()); }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        return entries.at(index.row()).text;
    }

    void reset(const QList<IdiomEntry> &newEntries)
    {
        beginResetModel();
        entries = newEntries;
        endResetModel();
    }

    void append(const IdiomEntry &entry)
    {
        beginInsertRows(QModelIndex(), int(entries.size()), int(entries.size()));
        entries.append(entry);
        endInsertRows();
    }

    void truncateAfter(int row)
    {
        const int last = int(entries.size()) - 1;
        if (row < 0 || row >= last)
            return;
        beginRemoveRows(QModelIndex(), row + 1, last);
        entries.resize(row + 1);
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
    setUniformItemSizes(true); // thousands of entries lay out at once
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListBox::selectionMoved);
}

void ListBox::setEntries(const QList<IdiomEntry> &entries)
{
    m_model->reset(entries);
}

void ListBox::setEmptyText(const QString &text)
{
    m_emptyText = text;
    viewport()->update();
}

void ListBox::append(const IdiomEntry &entry)
{
    m_model->append(entry);
}

void ListBox::truncateAfter(int row)
{
    m_model->truncateAfter(row);
}

const QList<IdiomEntry> &ListBox::entries() const
{
    return m_model->entries;
}

int ListBox::listCount() const
{
    return int(m_model->entries.size());
}

QString ListBox::list(int row) const
{
    return row >= 0 && row < listCount() ? m_model->entries.at(row).text : QString();
}

int ListBox::itemData(int row) const
{
    return row >= 0 && row < listCount() ? m_model->entries.at(row).id : 0;
}

int ListBox::listIndex() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int ListBox::selCount() const
{
    return int(selectionModel()->selectedRows().size());
}

void ListBox::selectionMoved()
{
    if (m_pressing)
        m_movedByPress = true; // told once, when the press is done
    else if (m_arrowKeysClick)
        emit clicked();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit clicked();
        return;
    }
    QListView::keyPressEvent(event);
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if (listCount() > 0 || m_emptyText.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     m_emptyText);
}

bool ListBox::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // Only an entry cut off at the right edge tells its whole text.
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex entry = indexAt(help->pos());
        const QRect place = visualRect(entry);
        if (entry.isValid() && place.left() + sizeHintForIndex(entry).width() > viewport()->width())
            QToolTip::showText(help->globalPos(), list(entry.row()), viewport(), place);
        else
            QToolTip::hideText();
        return true;
    }
    return QListView::viewportEvent(event);
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
