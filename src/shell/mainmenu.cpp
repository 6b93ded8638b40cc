#include "shell/mainmenu.h"

#include "chain/chainwindow.h"
#include "chain/gamewindow.h"
#include "lookup/mainwindow.h"
#include "shell/windowkeeper.h"
#include "vura/version.h"
#include "widgets/environment.h"
#include "widgets/windowframe.h"

#include <QAction>
#include <QDate>
#include <QMainWindow>
#include <QMenuBar>
#include <QStringList>

MainMenu::MainMenu(MainWindow *window, const Dictionary &dictionary, ChainIndexHolder &chains,
                   const Environment &environment, ReaderStore &reader, WindowKeeper &keeper)
    : QObject(window), m_window(window), m_dictionary(dictionary), m_chains(chains), m_environment(environment),
      m_reader(reader)
{
    QMenuBar *bar = window->menuBar();
    QMenu *fileMenu = bar->addMenu(QStringLiteral("文件"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    const auto item = [&](const QString &text, const char *name, const QList<QKeySequence> &keys, auto *receiver,
                          auto slot) {
        QAction *action = fileMenu->addAction(text, receiver, slot);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        window->addAction(action); // its key works while no menu is open
        return action;
    };
    item(QStringLiteral("历史记录"), "historyAction", {QKeySequence(Qt::CTRL | Qt::Key_H)}, window,
         &MainWindow::openHistory);
    item(QStringLiteral("生词本"), "wordBookAction", {QKeySequence(Qt::CTRL | Qt::Key_B)}, window,
         &MainWindow::openWordBook);
    item(QStringLiteral("加入或移出生词本"), "toggleWordBookAction", {QKeySequence(Qt::CTRL | Qt::Key_D)}, window,
         &MainWindow::toggleWordBook);
    fileMenu->addSeparator();
    // Ctrl+= is Ctrl++ without Shift, as browsers take it.
    const QList<QAction *> zoomItems{
        item(QStringLiteral("放大"), "zoomInAction", {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence::ZoomIn},
             &keeper, &WindowKeeper::zoomIn),
        item(QStringLiteral("缩小"), "zoomOutAction", {QKeySequence::ZoomOut}, &keeper, &WindowKeeper::zoomOut),
        item(QStringLiteral("原始大小"), "resetZoomAction", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &keeper,
             &WindowKeeper::resetZoom),
    };
    // Larger text in every window of the program, from whichever has the focus.
    for (QAction *zoomItem : zoomItems)
        zoomItem->setShortcutContext(Qt::ApplicationShortcut);
    fileMenu->addSeparator();
    // Ctrl+Q on every system: Windows has no standard key to quit.
    QAction *quitAction = fileMenu->addAction(QStringLiteral("退出"), this, &MainMenu::quit);
    quitAction->setObjectName(QStringLiteral("quitAction"));
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QAction *chainAction = bar->addAction(QStringLiteral("成语接龙"), this, &MainMenu::openChainWindow);
    chainAction->setObjectName(QStringLiteral("chainAction"));
    bar->addAction(QStringLiteral("接龙游戏"), this, &MainMenu::openGameWindow)->setObjectName(QStringLiteral("gameAction"));
    QMenu *helpMenu = bar->addMenu(QStringLiteral("帮助"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    QAction *helpAction = helpMenu->addAction(QStringLiteral("帮助主题"), this, &MainMenu::showHelp);
    helpAction->setObjectName(QStringLiteral("helpAction"));
    helpAction->setShortcuts(QKeySequence::HelpContents);
    helpMenu->addAction(QStringLiteral("软件升级"), this, &MainMenu::openUpdatePage)
        ->setObjectName(QStringLiteral("updateAction"));
    helpMenu->addAction(QStringLiteral("更多软件"), this, &MainMenu::openMoreSoftwarePage)
        ->setObjectName(QStringLiteral("moreSoftwareAction"));
    helpMenu->addAction(QStringLiteral("关于..."), this, &MainMenu::showAbout)
        ->setObjectName(QStringLiteral("aboutAction"));
    // The menus' own keys work while no menu is open.
    window->addAction(quitAction);
    window->addAction(helpAction);

    auto *menuKey = new QAction(window);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menuKey, &QAction::triggered, this, &MainMenu::activateMenuBar);
    window->addAction(menuKey);
}

QString MainMenu::helpText()
{
    return QStringList{
        QStringLiteral("支持模糊查找，'_人'是查找第二个字是人字的，'__人'是查找第三个字是人字的，"
                       "'%人'是查找任何位置有人字的。右边已默认加%。"),
        QStringLiteral("找不到相符的成语时，还会按全拼（如 yixinyiyi，可带声调或空格）、繁体字（如 愛不釋手），"
                       "或者意思、出处、例子里的词语（如 舍不得放手）查找。"),
        QStringLiteral("在拼音、成语、解释等地方点击就可以复制相应的内容。"),
        QStringLiteral("成语接龙中，点击第一栏(已选)的成语，可以倒回去重新选择。"),
        QStringLiteral("谢谢大家的支持，希望大家发扬中国文化！"),
    }.join(QStringLiteral("\r\n"));
}

QString MainMenu::aboutText()
{
    // The build gives the release date as yyyy-mm-dd; the box writes it the
    // Chinese way, or as given when it is no date.
    const QString given = QStringLiteral(VURA_RELEASE_DATE);
    const QDate date = QDate::fromString(given, Qt::ISODate);
    return QStringList{
        QStringLiteral(VURA_NAME " - " VURA_VERSION),
        QStringLiteral(VURA_MAKER),
        date.isValid() ? QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day()) : given,
        QString(),
        // The idiom data's licence asks that its source be named.
        QStringLiteral("成语数据：chinese-idiom-db，By_syk 收集整理，Apache License 2.0。"),
        QStringLiteral("本程序以 Apache License 2.0 发布。"),
    }.join(QStringLiteral("\r\n"));
}

ChainWindow *MainMenu::chainWindow() const
{
    // A closed chain window lingers until it is deleted; it counts as gone.
    return m_chainWindow && m_chainWindow->isVisible() ? m_chainWindow.data() : nullptr;
}

void MainMenu::quit()
{
    // Closing the main window ends the program, the chain window with it.
    m_window->close();
}

void MainMenu::openChainWindow()
{
    if (ChainWindow *open = chainWindow()) {
        bringBack(open);
        return;
    }
    m_chainWindow = new ChainWindow(m_chains, m_environment, m_window);
    connect(m_chainWindow, &ChainWindow::linkOpened, m_window, &MainWindow::showIdiom);
    m_chainWindow->show();
}

void MainMenu::openGameWindow()
{
    if (m_gameWindow && m_gameWindow->isVisible()) {
        bringBack(m_gameWindow);
        return;
    }
    m_gameWindow = new GameWindow(m_dictionary, m_chains, m_environment, m_window);
    m_gameWindow->setReaderStore(&m_reader);
    m_gameWindow->show();
}

void MainMenu::showHelp()
{
    m_environment.messageBox(m_window, QMessageBox::NoIcon, QStringLiteral("帮助主题："), helpText());
}

void MainMenu::openUpdatePage()
{
    openPage(QUrl(QStringLiteral(VURA_UPDATE_URL)));
}

void MainMenu::openMoreSoftwarePage()
{
    openPage(QUrl(QStringLiteral(VURA_MORE_SOFTWARE_URL)));
}

void MainMenu::openPage(const QUrl &url)
{
    if (!m_environment.openUrl(url))
        m_environment.notice(m_window, QStringLiteral("无法打开网页浏览器。请把这个网址复制到浏览器里打开：\n%1")
                                           .arg(url.toString()));
}

void MainMenu::showAbout()
{
    m_environment.messageBox(m_window, QMessageBox::Information, QStringLiteral("关于..."), aboutText());
}

void MainMenu::activateMenuBar()
{
    QMenuBar *bar = m_window->menuBar();
    if (!bar->actions().isEmpty())
        bar->setActiveAction(bar->actions().first());
}
