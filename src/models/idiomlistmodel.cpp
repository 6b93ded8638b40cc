#include "models/idiomlistmodel.h"

int IdiomListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant IdiomListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_entries.at(index.row()).text;
    if (role == IdRole)
        return m_entries.at(index.row()).id;
    return QVariant();
}

IdiomEntry IdiomListModel::entry(int row) const
{
    return row >= 0 && row < m_entries.size() ? m_entries.at(row) : IdiomEntry();
}

void IdiomListModel::setEntries(const QList<IdiomEntry> &entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

void IdiomListModel::append(const IdiomEntry &entry)
{
    beginInsertRows(QModelIndex(), int(m_entries.size()), int(m_entries.size()));
    m_entries.append(entry);
    endInsertRows();
}

void IdiomListModel::truncateAfter(int row)
{
    const int last = int(m_entries.size()) - 1;
    if (row < 0 || row >= last)
        return;
    beginRemoveRows(QModelIndex(), row + 1, last);
    m_entries.resize(row + 1);
    endRemoveRows();
}
