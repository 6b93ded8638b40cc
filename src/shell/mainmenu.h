// The main window's menu bar: 文件 (history, word book, 复习 (Ctrl+J), 测验
// (Ctrl+T), 取词,
// text size, 退出), 成语接龙, 接龙游戏, and 帮助 with its items (每日一成语
// among them), what they do, and their
// keys: Ctrl+H the history, Ctrl+B the word book, Ctrl+D puts the card's
// idiom in it or takes it out, Ctrl+= (or Ctrl++), Ctrl+- and Ctrl+0 zoom
// every window from any of them, Ctrl+Q quits, F1 opens the help, F10 (or Alt)
// reaches the menus.
#pragma once

#include <QObject>
#include <QString>

struct Dictionary;
struct Environment;
class QAction;
class MainWindow;
class Picker;
class QMenu;
class QUrl;
class SideWindows;
class WindowKeeper;

class MainMenu : public QObject
{
    Q_OBJECT

public:
    // Builds the items on the main window's menu bar. The side windows open
    // through `sideWindows`; the zoom items act on the windows `keeper`
    // keeps; 每日一成语 is drawn from `dictionary`; 取词 and its items switch
    // `picker`. All of them outlive the menu.
    MainMenu(MainWindow *window, const Environment &environment, const Dictionary &dictionary,
             SideWindows &sideWindows, WindowKeeper &keeper, Picker &picker);

    // The texts of the help and about boxes.
    static QString helpText();
    static QString aboutText();

public slots:
    void quit();
    void showHelp();
    void openUpdatePage();
    void openMoreSoftwarePage();
    void showAbout();
    // Brings today's idiom (每日一成语) onto the card.
    void showDailyIdiom();
    // Opens the first menu, highlighted, for the keyboard: F10, or Alt alone.
    void activateMenuBar();

protected:
    // Alt pressed and let go with no other key between opens the first menu.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // 取词, 只在复制时取词 (X11) and 查找选中的文字 (Ctrl+Alt+Z).
    void addPickItems(QMenu *fileMenu, Picker &picker, WindowKeeper &keeper);
    // Opens `url` in the browser; when none starts, gives the reader the
    // address to copy.
    void openPage(const QUrl &url);

    MainWindow *m_window;
    const Environment &m_environment;
    const Dictionary &m_dictionary;
    bool m_altAlone = false; // Alt is down, and no other key came since
};
