// What the history and the word book do with the entries the reader chose
// in their lists: the ids and texts of those entries (column 0, the id under
// Qt::UserRole), and the actions of their context menus.
#pragma once

#include <QKeySequence>
#include <QList>

class QAbstractItemView;
class QAction;
class QString;

// An action of the list's context menu, its shortcut working while the
// list has the focus.
QAction *chosenEntriesAction(const QString &text, const char *name, const QKeySequence &shortcut,
                             QAbstractItemView *list);

// The ids of the chosen entries, from the top.
QList<int> chosenIds(const QAbstractItemView *list);
// Chooses the entries of these ids, those the list has.
void choose(QAbstractItemView *list, const QList<int> &ids);
// Puts the texts of the chosen entries on the clipboard, one a line.
void copyChosenTexts(const QAbstractItemView *list);
// `one` acts on exactly one chosen entry, each of `any` on one or more.
void updateChosenEntriesActions(const QAbstractItemView *list, QAction *one, const QList<QAction *> &any);
