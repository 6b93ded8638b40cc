#include "shell/mainmenu.h"

#include "lookup/mainwindow.h"
#include "models/storenotice.h"
#include "pick/picker.h"
#include "shell/sidewindows.h"
#include "shell/windowkeeper.h"
#include "store/dailyidiom.h"
#include "store/datafile.h"
#include "store/storeerror.h"
#include "vura/version.h"
#include "widgets/environment.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QDate>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

#include <utility>

MainMenu::MainMenu(MainWindow *window, const Environment &environment, const Dictionary &dictionary,
                   SideWindows &sideWindows, WindowKeeper &keeper, Picker &picker)
    : QObject(window), m_window(window), m_environment(environment), m_dictionary(dictionary)
{
    const auto opening = [&sideWindows](SideWindows::Kind kind) { return [&sideWindows, kind] { sideWindows.open(kind); }; };
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
    item(QStringLiteral("历史记录"), "historyAction", {QKeySequence(Qt::CTRL | Qt::Key_H)}, this,
         opening(SideWindows::History));
    item(QStringLiteral("生词本"), "wordBookAction", {QKeySequence(Qt::CTRL | Qt::Key_B)}, this,
         opening(SideWindows::WordBook));
    item(QStringLiteral("加入或移出生词本"), "toggleWordBookAction", {QKeySequence(Qt::CTRL | Qt::Key_D)}, window,
         &MainWindow::toggleWordBook);
    item(QStringLiteral("朗读"), "readAloudAction", {QKeySequence(Qt::CTRL | Qt::Key_R)}, window, &MainWindow::readAloud);
    item(QStringLiteral("复习"), "reviewAction", {QKeySequence(Qt::CTRL | Qt::Key_J)}, this,
         opening(SideWindows::Review));
    item(QStringLiteral("测验"), "quizAction", {QKeySequence(Qt::CTRL | Qt::Key_T)}, this, opening(SideWindows::Quiz));
    fileMenu->addSeparator();
    addPickItems(fileMenu, picker, keeper);
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
    bar->addAction(QStringLiteral("成语接龙"), this, opening(SideWindows::Chain))
        ->setObjectName(QStringLiteral("chainAction"));
    bar->addAction(QStringLiteral("接龙游戏"), this, opening(SideWindows::Game))
        ->setObjectName(QStringLiteral("gameAction"));
    QMenu *helpMenu = bar->addMenu(QStringLiteral("帮助"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    QAction *helpAction = helpMenu->addAction(QStringLiteral("帮助主题"), this, &MainMenu::showHelp);
    helpAction->setObjectName(QStringLiteral("helpAction"));
    helpAction->setShortcuts(QKeySequence::HelpContents);
    helpMenu->addAction(QStringLiteral("每日一成语"), this, &MainMenu::showDailyIdiom)
        ->setObjectName(QStringLiteral("dailyAction"));
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
    window->installEventFilter(this);
}

void MainMenu::addPickItems(QMenu *fileMenu, Picker &picker, WindowKeeper &keeper)
{
    fileMenu->setToolTipsVisible(true); // why Ctrl+Alt+Z is greyed
    QAction *pick = fileMenu->addAction(QStringLiteral("取词"));
    pick->setObjectName(QStringLiteral("pickAction"));
    pick->setCheckable(true);
    pick->setChecked(picker.isOn());
    pick->setToolTip(QStringLiteral("复制或选中别的程序里的成语时，在鼠标旁边显示它的解释"));
    connect(pick, &QAction::toggled, &picker, &Picker::setOn);
    // Selecting is looked up only where the system has a selection (X11).
    QAction *copyOnly = fileMenu->addAction(QStringLiteral("只在复制时取词"));
    copyOnly->setObjectName(QStringLiteral("copyOnlyAction"));
    copyOnly->setCheckable(true);
    copyOnly->setChecked(!picker.selectionWatched());
    copyOnly->setVisible(QGuiApplication::clipboard()->supportsSelection());
    connect(copyOnly, &QAction::toggled, &picker, [&picker, &keeper](bool only) {
        picker.setSelectionWatched(!only);
        keeper.keepChoice(QStringLiteral("pickCopiesOnly"), only);
    });
    // Ctrl+Alt+Z works from any program while 取词 is on; the item shows
    // the key, and why it is greyed.
    QAction *lookUp = fileMenu->addAction(QStringLiteral("查找选中的文字\tCtrl+Alt+Z"), &picker,
                                          &Picker::lookUpSelection);
    lookUp->setObjectName(QStringLiteral("lookUpSelectionAction"));
    const auto follow = [pick, lookUp, &picker](bool on) {
        pick->setChecked(on);
        const QString why = !on ? QStringLiteral("先打开取词。") : picker.globalKeyFailure();
        lookUp->setEnabled(why.isEmpty());
        lookUp->setToolTip(why.isEmpty() ? QStringLiteral("在任何程序里按 Ctrl+Alt+Z，查找选中或复制的文字") : why);
        lookUp->setStatusTip(why);
    };
    connect(&picker, &Picker::switched, lookUp, follow);
    follow(picker.isOn());
}

bool MainMenu::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyPress) {
        m_altAlone = key->key() == Qt::Key_Alt;
        return false;
    }
    if (key->key() != Qt::Key_Alt || !std::exchange(m_altAlone, false))
        return false;
    activateMenuBar();
    return true;
}

QString MainMenu::helpText()
{
    return QStringList{
        QStringLiteral("支持模糊查找，'_人'是查找第二个字是人字的，'__人'是查找第三个字是人字的，"
                       "'%人'是查找任何位置有人字的。右边已默认加%。"),
        QStringLiteral("找不到相符的成语时，还会按全拼（如 yixinyiyi，可带声调或空格）、繁体字（如 愛不釋手），"
                       "或者意思、出处、例子里的词语（如 舍不得放手）查找。"),
        QStringLiteral("在拼音、成语、解释等地方点击就可以复制相应的内容。"),
        QStringLiteral("点击成语旁边的喇叭按钮，或者按 Ctrl+R，可以按拼音朗读成语；历史记录、生词本、成语接龙和接龙游戏窗口里"
                       "也可以按 Ctrl+R 朗读选中的成语。在 Linux 上朗读要用 speech-dispatcher 和 espeak-ng，"
                       "在 Windows 上要用中文语音包。"),
        QStringLiteral("打开“文件”菜单里的取词后，在别的程序里复制（或在 Linux 上选中）成语，鼠标旁边就会显示它的解释；"
                       "在任何程序里按 Ctrl+Alt+Z，主窗口会查找选中的文字。"),
        QStringLiteral("成语接龙中，点击第一栏(已选)的成语，可以倒回去重新选择。"),
        QStringLiteral("接龙游戏中，和电脑轮流接成语，可以选同字、同音或同音同调接龙，以及容易、中等、困难三种难度。"
                       "接不上、认输或者超时就输了。用提示会扣分。"),
        QStringLiteral("看过的成语都记在历史记录里。把成语加入生词本，以后可以再看；生词本可以导出成文本文件"
                       "或抽认卡文件，也可以从文本文件导入。"),
        QStringLiteral("字太小时可以放大，所有窗口一起放大，下次打开时还是这个大小。"),
        QStringLiteral("复习（Ctrl+J）把生词本里到期的成语一个一个拿出来：先想一想，按空格显示答案，"
                       "再按 1 到 4 选忘记、困难、良好或简单，按钮上写着它什么时候再出现。每天新成语的个数可以设定。"),
        QStringLiteral("测验（Ctrl+T）每轮 10 题，有看释义猜成语、填空和看成语选释义三种，成语来自生词本、历史记录或常用成语。"
                       "按 1 到 4 选答案，填空也可以输入汉字再按回车；回车进入下一题。答错的成语可以一次加入生词本。"),
        QStringLiteral("帮助菜单里的“每日一成语”每天换一个常用成语，同一天大家看到的都一样。"),
        QStringLiteral("在命令行里，vura --find 文字 查找成语，vura --chain 成语 列出可以接的成语，"
                       "vura --daily 显示今天的成语，vura --help 显示全部用法。"),
        QStringLiteral("快捷键：\r\n"
                       "Ctrl+F\t查找\r\n"
                       "回车\t显示选中的成语\r\n"
                       "Ctrl+H\t历史记录\r\n"
                       "Ctrl+B\t生词本\r\n"
                       "Ctrl+D\t加入或移出生词本\r\n"
                       "Ctrl+R\t朗读\r\n"
                       "Ctrl+J\t复习\r\n"
                       "Ctrl+T\t测验\r\n"
                       "Ctrl+Alt+Z\t取词时查找选中的文字\r\n"
                       "Ctrl+=\t放大（也可以按 Ctrl++）\r\n"
                       "Ctrl+-\t缩小\r\n"
                       "Ctrl+0\t原始大小\r\n"
                       "F10 或 Alt\t打开菜单\r\n"
                       "F1\t帮助\r\n"
                       "Esc\t关闭成语接龙、接龙游戏、历史记录、生词本、复习或测验窗口\r\n"
                       "Ctrl+Q\t退出"),
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
        QStringLiteral("常用成语：THUOCL（清华大学开放中文词库），Copyright (c) 2018 THUNLP，MIT License。"),
        QStringLiteral("本程序以 Apache License 2.0 发布。"),
    }.join(QStringLiteral("\r\n"));
}

void MainMenu::quit()
{
    // Closing the main window ends the program, the side windows with it.
    m_window->close();
}

void MainMenu::showHelp()
{
    m_environment.messageBox(m_window, QMessageBox::NoIcon, QStringLiteral("帮助主题："), helpText());
}

void MainMenu::showDailyIdiom()
{
    if (!m_dictionary.store)
        return;
    try {
        if (const int id = DailyIdiom::idiomOf(*m_dictionary.store, QDate::currentDate()))
            m_window->showIdiom(id);
    } catch (const StoreError &error) {
        m_environment.notice(m_window, storeNotice(error));
    }
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
