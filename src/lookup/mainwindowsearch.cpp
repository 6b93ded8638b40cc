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
#include "widgets/textlabel.h"

#include <QLineEdit>

void MainWindow::search()
{
    buildSearchPane();
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
        // The index is read only for a text the look-ups do not find.
        found = IdiomSearch::lookUp(*m_dictionary.store, text);
        if (found.stage == SearchResult::Nothing)
            found = idiomSearch().findMeant(text);
    } catch (const StoreError &error) {
        failure = error;
    }
    m_results->setEntries(found.entries);
    showHowFound(failure ? SearchResult::Nothing : found.stage);
    m_resultList->setEmptyText(found.stage == SearchResult::Nothing && !failure
                                   ? QStringLiteral("没有找到相符的成语。")
                                   : QString());
    m_busyIndicator->hide();
    if (failure)
        m_environment.notice(this, storeNotice(*failure));
}

void MainWindow::prepareSearch()
{
    if (!m_dictionary.store)
        return;
    try {
        idiomSearch();
    } catch (const StoreError &) {
        // The search that needs the index fails again, and says why.
    }
}

const IdiomSearch &MainWindow::idiomSearch()
{
    if (!m_search)
        m_search = std::make_unique<const IdiomSearch>(*m_dictionary.store);
    return *m_search;
}

void MainWindow::showChosenResult()
{
    const int row = m_resultList->selectedRow();
    if (row >= 0)
        showIdiom(m_results->entry(row).id);
}

void MainWindow::showHowFound(SearchResult::Stage stage)
{
    // The dictionary's own look-ups speak for themselves; what the reader
    // probably meant says so, in grey, with how in its tooltip.
    QString text = QStringLiteral("查找结果：");
    QString tip;
    switch (stage) {
    case SearchResult::LookUps:
    case SearchResult::Nothing:
        break;
    case SearchResult::PlainText:
        text = QStringLiteral("整理输入后找到：");
        tip = QStringLiteral("去掉了空格、标点和“的意思”等字，繁体字、异体字换成了成语里的写法");
        break;
    case SearchResult::Pinyin:
        text = QStringLiteral("按全拼找到：");
        tip = QStringLiteral("把输入当作成语的全拼来找");
        break;
    case SearchResult::SoundsAlike:
        text = QStringLiteral("您要找的可能是：");
        tip = QStringLiteral("读音相近：有一两个字读音相同，写法不同");
        break;
    case SearchResult::LookAlike:
        text = QStringLiteral("您要找的可能是：");
        tip = QStringLiteral("字形相近：有一个字写成了样子相像的字");
        break;
    case SearchResult::Meaning:
        text = QStringLiteral("释义中含有：");
        tip = QStringLiteral("成语的意思、出处或例子里有这些字词");
        break;
    }
    m_resultsHeading->showText(text);
    m_resultsHeading->setToolTip(tip);
    QPalette colours = m_resultsHeading->palette();
    colours.setColor(QPalette::WindowText, tip.isEmpty() ? palette().color(QPalette::WindowText) : QColor(128, 128, 128));
    m_resultsHeading->setPalette(colours);
}
