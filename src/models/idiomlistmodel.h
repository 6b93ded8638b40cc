// Idioms as the entries of a list: each shows its text and carries the
// idiom's id (0 for a text that is no idiom of the data file, such as the
// first link of a chain).
#pragma once

#include "store/idiom.h"

#include <QAbstractListModel>
#include <QList>

class IdiomListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // The idiom's id, as an int, under this role.
    static constexpr int IdRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    const QList<IdiomEntry> &entries() const { return m_entries; }
    // The entry of `row`; an empty one (id 0) outside the list.
    IdiomEntry entry(int row) const;

    // Shows `entries` in place of what the list held.
    void setEntries(const QList<IdiomEntry> &entries);
    // Adds one entry at the end.
    void append(const IdiomEntry &entry);
    // Removes every entry after `row`.
    void truncateAfter(int row);

private:
    QList<IdiomEntry> m_entries;
};
