#include "shell/sidewindows.h"
#include "shell/windowkeeper.h"

#include "chain/chainwindow.h"
#include "chain/gamewindow.h"
#include "lookup/historywindow.h"
#include "lookup/mainwindow.h"
#include "lookup/wordbookwindow.h"
#include "widgets/windowframe.h"

SideWindows::SideWindows(MainWindow *main, const Dictionary &dictionary, const Environment &environment,
                         ReaderStore &reader, WindowKeeper &keeper)
    : QObject(main), m_main(main), m_dictionary(dictionary), m_environment(environment), m_reader(reader),
      m_keeper(keeper)
{
}

QWidget *SideWindows::window(Kind kind) const
{
    // A closed window lingers until it is deleted; it counts as gone.
    QWidget *window = m_windows[kind];
    return window && window->isVisible() ? window : nullptr;
}

void SideWindows::open(Kind kind)
{
    QWidget *window = this->window(kind);
    if (!window) {
        // Closed, a window goes with what it showed; the next is made anew.
        window = m_windows[kind] = make(kind);
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_keeper.keep(window);
    }
    bringBack(window);
}

QWidget *SideWindows::make(Kind kind)
{
    switch (kind) {
    case Chain: {
        auto *chain = new ChainWindow(m_dictionary, m_environment, m_main);
        connect(chain, &ChainWindow::linkOpened, m_main, &MainWindow::showIdiom);
        return chain;
    }
    case Game: {
        auto *game = new GameWindow(m_dictionary, m_environment, m_main);
        game->setReaderStore(&m_reader);
        return game;
    }
    case History: {
        auto *history = new HistoryWindow(m_environment, m_reader, m_main);
        connect(history, &HistoryWindow::idiomChosen, m_main, &MainWindow::showIdiom);
        connect(m_main, &MainWindow::historyChanged, history, &HistoryWindow::refresh);
        return history;
    }
    case WordBook: {
        auto *book = new WordBookWindow(m_dictionary, m_environment, m_reader, m_main);
        connect(book, &WordBookWindow::idiomChosen, m_main, &MainWindow::showIdiom);
        connect(book, &WordBookWindow::changed, m_main, &MainWindow::showWordBookState);
        connect(m_main, &MainWindow::wordBookChanged, book, &WordBookWindow::refresh);
        return book;
    }
    case KindCount:
        break;
    }
    return nullptr;
}
