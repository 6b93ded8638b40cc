// The main window's menu bar: 文件 (history, word book, text size, 退出),
// 成语接龙, 接龙游戏, and 帮助 with its four items, what they do, and their
// keys: Ctrl+H the history, Ctrl+B the word book, Ctrl+D puts the card's
// idiom in it or takes it out, Ctrl+= (or Ctrl++), Ctrl+- and Ctrl+0 zoom
// every window from any of them, Ctrl+Q quits, F1 opens the help, F10 (or Alt)
// reaches the menus.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

struct Dictionary;
struct Environment;
class ChainIndexHolder;
class ChainWindow;
class GameWindow;
class QAction;
class MainWindow;
class QUrl;
class ReaderStore;
class WindowKeeper;

class MainMenu : public QObject
{
    Q_OBJECT

public:
    // Builds the items on the main window's menu bar. The chain and game
    // windows read what may follow what from `chains`; the game window keeps
    // its best scores in `reader`; the zoom items act on the windows `keeper`
    // keeps. All of them outlive the menu.
    MainMenu(MainWindow *window, const Dictionary &dictionary, ChainIndexHolder &chains,
             const Environment &environment, ReaderStore &reader, WindowKeeper &keeper);

    // The texts of the help and about boxes.
    static QString helpText();
    static QString aboutText();

    // The chain window while it is open, otherwise null.
    ChainWindow *chainWindow() const;

public slots:
    void quit();
    // Opens the chain window, or brings the open one back as it is.
    void openChainWindow();
    // Opens the game window, or brings the open one back as it is.
    void openGameWindow();
    void showHelp();
    void openUpdatePage();
    void openMoreSoftwarePage();
    void showAbout();
    // Highlights the first menu, as Alt does, for the keyboard.
    void activateMenuBar();

private:
    // Opens `url` in the browser; when none starts, gives the reader the
    // address to copy.
    void openPage(const QUrl &url);

    MainWindow *m_window;
    const Dictionary &m_dictionary;
    ChainIndexHolder &m_chains;
    const Environment &m_environment;
    QPointer<ChainWindow> m_chainWindow;
    QPointer<GameWindow> m_gameWindow;
    ReaderStore &m_reader;
};
