#include "lookup/chosenentries.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

namespace {

QModelIndexList chosenRows(const QAbstractItemView *list)
{
    QModelIndexList rows = list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    return rows;
}

} // namespace

QAction *chosenEntriesAction(const QString &text, const char *name, const QKeySequence &shortcut,
                             QAbstractItemView *list)
{
    auto *action = new QAction(text, list);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setEnabled(false);
    list->addAction(action);
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

QList<int> chosenIds(const QAbstractItemView *list)
{
    QList<int> ids;
    for (const QModelIndex &row : chosenRows(list))
        ids << row.data(Qt::UserRole).toInt();
    return ids;
}

void choose(QAbstractItemView *list, const QList<int> &ids)
{
    const QAbstractItemModel *model = list->model();
    QItemSelection chosen;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex entry = model->index(row, 0);
        if (ids.contains(entry.data(Qt::UserRole).toInt()))
            chosen.select(entry, entry);
    }
    list->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void copyChosenTexts(const QAbstractItemView *list)
{
    QStringList texts;
    for (const QModelIndex &row : chosenRows(list))
        texts << row.data().toString();
    if (!texts.isEmpty())
        QGuiApplication::clipboard()->setText(texts.join(QLatin1Char('\n')));
}

void updateChosenEntriesActions(const QAbstractItemView *list, QAction *one, const QList<QAction *> &any)
{
    const qsizetype chosen = list->selectionModel()->selectedRows().size();
    one->setEnabled(chosen == 1);
    for (QAction *action : any)
        action->setEnabled(chosen > 0);
}
