// The history: the idioms the reader brought onto the card, newest first, in
// a window of the main window's. A click or Enter on one shows it on the
// card; the reader can clear the list.
#pragma once

#include <QWidget>

class IdiomListModel;
class ListView;
class ReaderStore;

class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    // `reader` outlives the window.
    HistoryWindow(ReaderStore &reader, QWidget *parent);

public slots:
    // Lists the history as the store holds it now.
    void refresh();
    void clearHistory();

signals:
    void idiomChosen(int id);

private slots:
    void showChosen();

private:
    ReaderStore &m_reader;
    IdiomListModel *m_entries;
    ListView *m_list;
};
