// The history: the idioms the reader brought onto the card, newest first, in
// a window of the main window's. A click or Enter on one shows it on the
// card; Ctrl and Shift choose several. Delete or the context menu takes the
// chosen out; the menu also shows one and copies them. The reader can clear
// the list, once asked whether to.
#pragma once

#include <QWidget>

struct Environment;
class IdiomListModel;
class ListView;
class QAction;
class ReaderStore;

class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    // `environment` and `reader` outlive the window.
    HistoryWindow(const Environment &environment, ReaderStore &reader, QWidget *parent);

public slots:
    // Lists the history as the store holds it now, another copy's changes
    // included; the entries chosen stay chosen.
    void refresh();
    // Asks, then empties the history.
    void clearHistory();
    void removeChosen();
    void copyChosen();

signals:
    void idiomChosen(int id);

protected:
    bool event(QEvent *event) override; // refreshes as the window is activated

private slots:
    void showChosen();
    void showCurrent();
    void updateActions();

private:
    const Environment &m_environment;
    ReaderStore &m_reader;
    IdiomListModel *m_entries;
    ListView *m_list;
    QAction *m_show, *m_copy, *m_remove;
};
