#include "lookup/historywindow.h"

#include "models/idiomlistmodel.h"
#include "reader/readerstore.h"
#include "widgets/fonts.h"
#include "widgets/listview.h"
#include "widgets/windowframe.h"

#include <QKeySequence>
#include <QPushButton>

HistoryWindow::HistoryWindow(ReaderStore &reader, QWidget *parent)
    : QWidget(parent, kFixedSizeWindow), m_reader(reader)
{
    setWindowTitle(QStringLiteral("历史记录"));
    setFont(defaultWindowFont());
    setFixedSize(200, 360);
    m_entries = new IdiomListModel(this);
    m_list = new ListView(QRect(5, 5, 190, 317), windowFont("宋体", 10.5), this);
    m_list->setObjectName(QStringLiteral("historyList"));
    m_list->setModel(m_entries);
    m_list->setArrowKeysChoose(false);
    m_list->setEmptyText(QStringLiteral("还没有查看过成语。"));
    m_list->setAccessibleName(QStringLiteral("历史记录"));
    m_list->setAccessibleDescription(QStringLiteral("看过的成语，最近的在前；点击一个在主窗口显示"));
    auto *clear = new QPushButton(QStringLiteral("清空"), this);
    clear->setObjectName(QStringLiteral("clearHistoryButton"));
    clear->setGeometry(5, 328, 70, 26);

    closeOnEscape(this);
    connect(m_list, &ListView::chosen, this, &HistoryWindow::showChosen);
    connect(clear, &QPushButton::clicked, this, &HistoryWindow::clearHistory);
    refresh();
}

void HistoryWindow::refresh()
{
    QList<IdiomEntry> entries;
    for (const HistoryEntry &entry : m_reader.history())
        entries.append({entry.text, entry.id});
    m_entries->setEntries(entries);
}

void HistoryWindow::clearHistory()
{
    m_reader.clearHistory();
    refresh();
}

void HistoryWindow::showChosen()
{
    const int row = m_list->selectedRow();
    if (row >= 0)
        emit idiomChosen(m_entries->entry(row).id);
}
