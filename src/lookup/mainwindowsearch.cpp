// The search: the four look-ups for the text of the search field (or, when
// they find nothing, what the reader probably meant), every hit listed with
// its id, and the card following the chosen result.
#include "lookup/mainwindow.h"

#include "models/idiomlistmodel.h"
#include "models/storenotice.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/listview.h"
#include "widgets/panel.h"

#include <QLineEdit>

void MainWindow::search()
{
    const QString text = m_searchField->text();
    if (text.isEmpty()) {
        m_environment.notice(this, QStringLiteral("请输入成语、成语首字或成语拼音简码进行查找！"));
        return;
    }
    if (!storeOpen())
        return;
    // The emptied list and the busy indicator over it are painted now, before
    // the look-ups hold the window until they are done. Each is painted in its
    // own right: showing or emptying a widget only asks for a later paint.
    m_results->setEntries({});
    m_busyIndicator->show();
    m_resultList->viewport()->repaint();
    m_busyIndicator->repaint();
    SearchResult found;
    std::optional<StoreError> failure;
    try {
        found = m_dictionary.store->find(text);
    } catch (const StoreError &error) {
        failure = error;
    }
    m_results->setEntries(found.entries);
    m_resultList->setEmptyText(found.stage == SearchResult::Nothing && !failure
                                   ? QStringLiteral("没有找到相符的成语。")
                                   : QString());
    m_busyIndicator->hide();
    if (failure)
        m_environment.notice(this, storeNotice(*failure));
}

void MainWindow::showChosenResult()
{
    const int row = m_resultList->selectedRow();
    if (row >= 0)
        showIdiom(m_results->entry(row).id);
}
