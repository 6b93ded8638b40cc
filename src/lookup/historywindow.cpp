#include "lookup/historywindow.h"

#include "lookup/chosenentries.h"
#include "models/idiomlistmodel.h"
#include "reader/readerstore.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/listview.h"
#include "widgets/windowframe.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QPushButton>

HistoryWindow::HistoryWindow(const Environment &environment, ReaderStore &reader, QWidget *parent)
    : QWidget(parent, kFixedSizeWindow), m_environment(environment), m_reader(reader)
{
    setWindowTitle(QStringLiteral("历史记录"));
    setFont(defaultWindowFont());
    setFixedSize(200, 360);
    m_entries = new IdiomListModel(this);
    m_list = new ListView(QRect(5, 5, 190, 317), windowFont("宋体", 10.5), this);
    m_list->setObjectName(QStringLiteral("historyList"));
    m_list->setModel(m_entries);
    m_list->setArrowKeysChoose(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEmptyText(QStringLiteral("还没有查看过成语。"));
    m_list->setAccessibleName(QStringLiteral("历史记录"));
    m_list->setAccessibleDescription(QStringLiteral("看过的成语，最近的在前；点击一个在主窗口显示"));
    auto *clear = new QPushButton(QStringLiteral("清空"), this);
    clear->setObjectName(QStringLiteral("clearHistoryButton"));
    clear->setGeometry(5, 328, 70, 26);
    m_show = chosenEntriesAction(QStringLiteral("查看"), "showEntryAction", {}, m_list);
    m_copy = chosenEntriesAction(QStringLiteral("复制"), "copyEntriesAction", QKeySequence::Copy, m_list);
    m_remove = chosenEntriesAction(QStringLiteral("从历史中删除"), "removeEntriesAction", QKeySequence::Delete, m_list);

    closeOnEscape(this);
    connect(m_list, &ListView::chosen, this, &HistoryWindow::showChosen);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &HistoryWindow::updateActions);
    connect(m_show, &QAction::triggered, this, &HistoryWindow::showCurrent);
    connect(m_copy, &QAction::triggered, this, &HistoryWindow::copyChosen);
    connect(m_remove, &QAction::triggered, this, &HistoryWindow::removeChosen);
    connect(clear, &QPushButton::clicked, this, &HistoryWindow::clearHistory);
    refresh();
}

bool HistoryWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        refresh();
    return QWidget::event(event);
}

void HistoryWindow::refresh()
{
    QList<IdiomEntry> entries;
    for (const HistoryEntry &entry : m_reader.history())
        entries.append({entry.text, entry.id});
    if (entries == m_entries->entries())
        return; // as it was: the reader's choice stays
    const QList<int> chosen = chosenIds(m_list);
    m_entries->setEntries(entries);
    choose(m_list, chosen);
    updateActions();
}

void HistoryWindow::clearHistory()
{
    if (m_entries->rowCount() == 0)
        return;
    m_environment.ask(this, QStringLiteral("清空全部 %1 条历史记录？清空后无法恢复。").arg(m_entries->rowCount()),
                      QStringLiteral("清空"), [this] {
                          m_reader.clearHistory();
                          refresh();
                      });
}

void HistoryWindow::removeChosen()
{
    m_reader.removeFromHistory(chosenIds(m_list));
    refresh();
}

void HistoryWindow::copyChosen()
{
    copyChosenTexts(m_list);
}

void HistoryWindow::showChosen()
{
    const int row = m_list->selectedRow();
    if (row >= 0)
        emit idiomChosen(m_entries->entry(row).id);
}

void HistoryWindow::showCurrent()
{
    if (const QList<int> chosen = chosenIds(m_list); chosen.size() == 1)
        emit idiomChosen(chosen.first());
}

void HistoryWindow::updateActions()
{
    updateChosenEntriesActions(m_list, m_show, {m_copy, m_remove});
}
