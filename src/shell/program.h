// The program as a whole: the world it runs in, the dictionary it opens
// once for every window, the main window with its menu bar and, through the
// menu, the chain window.
#pragma once

#include "chain/game/chainindexholder.h"
#include "store/datafile.h"
#include "widgets/environment.h"

#include <QString>
#include <memory>

class MainWindow;
class MainMenu;
class ReaderStore;
class WindowKeeper;
class QApplication;

class Program
{
public:
    // What the whole application shares: Qt's own texts in Chinese, the
    // program icon and style. Once, before any window.
    static void setUp(QApplication &app);
    // The world of the real program: modal message boxes and the user's web
    // browser.
    static Environment systemEnvironment();

    // Opens the dictionary of the program in `programFolder` (writing its
    // data file there on the first start) and the reader's store in the
    // per-user data folder, and builds the main window on them.
    // The windows run in `environment`, which outlives the program.
    Program(const Environment &environment, const QString &programFolder);
    ~Program();

    // Start-up as the reader sees it: the main window shows, takes the fonts
    // the windows ask for and its menu, then says once why the idioms cannot
    // be read or kept, and why the history and word book cannot, when they
    // cannot.
    void start();

    const Dictionary &dictionary() const { return m_dictionary; }
    MainWindow &mainWindow() { return *m_window; }
    // Once started.
    ReaderStore &reader() { return *m_reader; }
    MainMenu &menu() { return *m_menu; }
    WindowKeeper &windowKeeper() { return *m_keeper; }

private:
    const Environment &m_environment;
    Dictionary m_dictionary;
    ChainIndexHolder m_chains; // what may follow what, for the chain and the game
    const QString m_readerFolder; // the per-user folder of the reader's own files
    std::unique_ptr<ReaderStore> m_reader;
    std::unique_ptr<WindowKeeper> m_keeper; // before the windows, which it watches to the end
    std::unique_ptr<MainWindow> m_window;
    MainMenu *m_menu = nullptr;
};
