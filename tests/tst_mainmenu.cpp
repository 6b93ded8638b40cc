// The menu bar: the help and about boxes, the two web pages, the one chain
// window, names for every control a screen reader reaches, and the end of
// the program from 退出 or the main window, and the zoom and places kept.
#include "fakespeaker.h"
#include "windowharness.h"

#include "chain/gamewindow.h"
#include "lookup/historywindow.h"
#include "shell/mainmenu.h"
#include "shell/program.h"
#include "shell/sidewindows.h"
#include "shell/windowkeeper.h"
#include "store/dailyidiom.h"
#include "speech/spokenreading.h"
#include "vura/version.h"
#include "widgets/zoom.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QAction>
#include <QApplication>
#include <QDate>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>

#include <algorithm>

namespace {

// The whole program on the test's data, its boxes and pages recorded.
struct MenuWindow : TestWorld
{
    explicit MenuWindow(WindowData data = WindowData::Small, bool voice = true)
        : TestWorld(data), voice(voice), program(environment, dir.path(), [this]() -> std::unique_ptr<Speaker> {
              ++engines;
              return std::make_unique<FakeSpeaker>(this->voice, &spoken);
          }, [] { return QString(); })
    {
    }

    bool show()
    {
        program.start();
        menu = &program.menu();
        return QTest::qWaitForWindowExposed(&w);
    }

    QAction *action(const char *name) const
    {
        auto *found = w.menuBar()->findChild<QAction *>(QLatin1String(name));
        if (!found)
            qFatal("no menu item %s", name);
        return found;
    }

    ChainWindow *openChain()
    {
        program.sideWindows().open(SideWindows::Chain);
        return program.sideWindows().window<ChainWindow>(SideWindows::Chain);
    }

    // What the engine was asked, and how many were made.
    QStringList spoken;
    int engines = 0;
    bool voice;
    Program program;
    MainWindow &w = program.mainWindow();
    MainMenu *menu = nullptr; // the program makes it as it starts
};

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class MainMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void boxesAndPages_data();
    void boxesAndPages();
    void helpNamesEveryKey();
    void oneChainWindow();
    void sideWindowsOpenOnce_data();
    void sideWindowsOpenOnce();
    void gameChoiceKept();
    void reviewLimitKept();
    void accessibleNames();
    void storeOpenedOnceForBothWindows();
    void oneChainIndexForEveryGame();
    void withoutDataToldOnce();
    void keys();
    void dailyIdiomOnTheCard();
    void readAloud();
    void windowIcon();
    void mapsBareThenTakesItsMenu();
    void exitClosesBoth_data();
    void exitClosesBoth();
    void zoomAndPlacesKept();

private:
    WindowTestEnvironment m_environment;
};

void MainMenuTest::boxesAndPages_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("browserStarts");
    QTest::addColumn<QString>("box"); // "title [icon] lines joined by |"
    QTest::addColumn<QString>("page");

    const QDate released = QDate::fromString(QStringLiteral(VURA_RELEASE_DATE), Qt::ISODate);
    QVERIFY(released.isValid());
    // The help opens; its paragraph on the search is the one that must be there.
    QTest::newRow("帮助主题") << "helpAction" << true
                          << "帮助主题： [-] 支持模糊查找，'_人'是查找第二个字是人字的，'__人'是查找第三个字是人字的，"
                             "'%人'是查找任何位置有人字的。右边已默认加%。|*"
                          << "";
    QTest::newRow("关于") << "aboutAction" << true
                        << "关于... [i] " VURA_NAME " - " VURA_VERSION "|" VURA_MAKER "|"
                               + released.toString(QStringLiteral("yyyy年M月d日"))
                               + "||成语数据：chinese-idiom-db，By_syk 收集整理，Apache License 2.0。|"
                                 "常用成语：THUOCL（清华大学开放中文词库），Copyright (c) 2018 THUNLP，MIT License。|"
                                 "本程序以 Apache License 2.0 发布。"
                        << "";
    QTest::newRow("软件升级") << "updateAction" << true << "" << VURA_UPDATE_URL;
    QTest::newRow("更多软件") << "moreSoftwareAction" << true << "" << VURA_MORE_SOFTWARE_URL;
    QTest::newRow("更多软件, no browser")
        << "moreSoftwareAction" << false
        << "提示： [i] 无法打开网页浏览器。请把这个网址复制到浏览器里打开：|" VURA_MORE_SOFTWARE_URL
        << VURA_MORE_SOFTWARE_URL;
}

void MainMenuTest::boxesAndPages()
{
    QFETCH(QString, item);
    QFETCH(bool, browserStarts);
    QFETCH(QString, box);
    QFETCH(QString, page);
    MenuWindow t;
    t.browserStarts = browserStarts;
    QVERIFY(t.show());
    t.action(qPrintable(item))->trigger();

    QStringList boxes;
    for (const Notice &notice : std::as_const(t.notices))
        boxes << notice.line().replace(QStringLiteral("\r\n"), QStringLiteral("|")).replace(u'\n', u'|');
    // A box given as "beginning|*" need only begin so.
    if (box.endsWith(QLatin1String("|*")) && boxes.size() == 1 && boxes.first().startsWith(box.chopped(1)))
        boxes.first() = box;
    QCOMPARE(boxes, box.isEmpty() ? QStringList{} : QStringList{box});
    QCOMPARE(t.opened, page.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl(page)});
}

void MainMenuTest::helpNamesEveryKey()
{
    MenuWindow t;
    QVERIFY(t.show());
    const QString help = MainMenu::helpText();
    QStringList unnamed;
    for (const QAction *action : t.w.actions()) {
        for (const QKeySequence &key : action->shortcuts()) {
            if (!help.contains(key.toString(QKeySequence::PortableText)))
                unnamed << key.toString(QKeySequence::PortableText);
        }
    }
    QCOMPARE(unnamed, QStringList());
    QVERIFY(t.w.actions().size() >= 8);
}

void MainMenuTest::oneChainWindow()
{
    MenuWindow t;
    QVERIFY(t.show());
    QPointer<ChainWindow> first = t.openChain();
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QCOMPARE(first->parentWidget(), &t.w); // a window of the main window's
    const ChainControls c(*first);
    start(c, QStringLiteral("一"));
    QVERIFY(clickText(c.candidateList, QStringLiteral("一心一意")));
    const auto state = [&] {
        return QStringList{entriesOf(c.chainList).join(','), entriesOf(c.candidateList).join(','),
                           c.chainText->toPlainText()};
    };
    const QStringList before = state();

    // Chosen again while open: the same window, as it was, brought back.
    first->showMinimized();
    QCOMPARE(t.openChain(), first.data());
    QVERIFY(!first->isMinimized());
    QCOMPARE(state(), before);

    // Closed, it goes alone; the next one is fresh, even when chosen before
    // the closed one is deleted.
    first->close();
    QPointer<ChainWindow> second = t.openChain();
    deleteClosedWindows();
    QVERIFY(first.isNull());
    QVERIFY(t.w.isVisible());
    QCOMPARE(t.program.sideWindows().window(SideWindows::Chain), second.data());
    const ChainControls fresh(*second);
    QCOMPARE(countOf(fresh.chainList) + countOf(fresh.candidateList), 0);
    start(fresh, QStringLiteral("一"));
    QCOMPARE(listedIds(fresh.candidateList), (QList<int>{12, 13, 14}));
    QCOMPARE(t.notices.size(), 0);
}

void MainMenuTest::sideWindowsOpenOnce_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<SideWindows::Kind>("kind");
    QTest::newRow("成语接龙") << "chainAction" << SideWindows::Chain;
    QTest::newRow("接龙游戏") << "gameAction" << SideWindows::Game;
    QTest::newRow("历史记录") << "historyAction" << SideWindows::History;
    QTest::newRow("生词本") << "wordBookAction" << SideWindows::WordBook;
    QTest::newRow("复习") << "reviewAction" << SideWindows::Review;
    QTest::newRow("测验") << "quizAction" << SideWindows::Quiz;
}

void MainMenuTest::sideWindowsOpenOnce()
{
    QFETCH(QString, item);
    QFETCH(SideWindows::Kind, kind);
    MenuWindow t;
    QVERIFY(t.show());
    t.action("zoomInAction")->trigger();
    SideWindows &windows = t.program.sideWindows();
    QVERIFY(!windows.window(kind));
    t.action(qPrintable(item))->trigger();
    QPointer<QWidget> first = windows.window(kind);
    QVERIFY(first);
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QCOMPARE(first->parentWidget(), &t.w);
    QCOMPARE(zoomOf(first), t.program.windowKeeper().zoom()); // zoomed as it opened
    QVERIFY(zoomOf(first) > 100);

    first->showMinimized();
    t.action(qPrintable(item))->trigger();
    QCOMPARE(windows.window(kind), first.data()); // the open one, brought back
    QVERIFY(!first->isMinimized());
    QCOMPARE(t.notices.size(), 0);
    t.action("resetZoomAction")->trigger();
}

void MainMenuTest::gameChoiceKept()
{
    // The rule and level chosen show again in the next game window, and
    // after a restart.
    const auto boxes = [](MenuWindow &t) {
        t.action("gameAction")->trigger();
        QWidget *game = t.program.sideWindows().window(SideWindows::Game);
        return std::pair{control<QComboBox>(*game, "ruleBox"), control<QComboBox>(*game, "levelBox")};
    };
    {
        MenuWindow t;
        QVERIFY(t.show());
        auto [rule, level] = boxes(t);
        rule->setCurrentText(QStringLiteral("同音接龙"));
        level->setCurrentText(QStringLiteral("困难"));
        rule->window()->close();
        deleteClosedWindows();
        std::tie(rule, level) = boxes(t);
        QCOMPARE(rule->currentText() + level->currentText(), QStringLiteral("同音接龙困难"));
    }
    MenuWindow t;
    QVERIFY(t.show());
    auto [rule, level] = boxes(t);
    QCOMPARE(rule->currentText() + level->currentText(), QStringLiteral("同音接龙困难"));
    rule->setCurrentIndex(0); // as the other tests expect
    level->setCurrentIndex(0);
}

// The daily limit of new idioms set in 复习 stays for the next window and
// after a restart.
void MainMenuTest::reviewLimitKept()
{
    const auto box = [](MenuWindow &t) {
        t.action("reviewAction")->trigger();
        return control<QSpinBox>(*t.program.sideWindows().window(SideWindows::Review), "newPerDayBox");
    };
    {
        MenuWindow t;
        QVERIFY(t.show());
        QSpinBox *limit = box(t);
        QCOMPARE(limit->value(), 20);
        limit->setValue(7);
        limit->window()->close();
        deleteClosedWindows();
        QCOMPARE(box(t)->value(), 7);
    }
    MenuWindow t;
    QVERIFY(t.show());
    QSpinBox *limit = box(t);
    QCOMPARE(limit->value(), 7);
    limit->setValue(20); // as the other tests expect
}

void MainMenuTest::accessibleNames()
{
    MenuWindow t;
    QVERIFY(t.show());
    ChainWindow *chain = t.openChain();
    QVERIFY(QTest::qWaitForWindowExposed(chain));

    // Every control a person can reach, by the keyboard or the mouse, says
    // what it is to a screen reader.
    QStringList nameless;
    int reached = 0;
    for (QWidget *window : {static_cast<QWidget *>(&t.w), static_cast<QWidget *>(chain)}) {
        for (QWidget *control : window->findChildren<QWidget *>()) {
            const bool reachable = qobject_cast<QAbstractButton *>(control) || qobject_cast<QAbstractItemView *>(control)
                                || qobject_cast<QLineEdit *>(control) || qobject_cast<QPlainTextEdit *>(control);
            if (!reachable || control->isHidden() || control->inherits("QScrollBar") || control->window() != window)
                continue; // the folded search pane counts: it is hidden, not its controls
            ++reached;
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control);
            if (!reader || reader->text(QAccessible::Name).isEmpty())
                nameless << QStringLiteral("%1 in %2").arg(QLatin1String(control->metaObject()->className()), window->windowTitle());
        }
    }
    QVERIFY(reached > 0);
    QCOMPARE(nameless, QStringList());

    // An image button is a button that a screen reader can press.
    QAccessibleInterface *next = QAccessible::queryAccessibleInterface(control<ImageButton>(t.w, "nextButton"));
    QCOMPARE(next->role(), QAccessible::Button);
    const int before = t.w.currentId();
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(t.w.currentId(), before + 1); // a pressed button shows its press a moment first
}

void MainMenuTest::storeOpenedOnceForBothWindows()
{
    // The chain window reads the idioms the program opened at start-up: it
    // needs no data file of its own, even when the one opened is gone.
    MenuWindow t;
    QVERIFY(t.show());
    QVERIFY(QFile::remove(t.dataFile()) || QSysInfo::productType() == QLatin1String("windows"));
    ChainWindow *chain = t.openChain();
    const ChainControls c(*chain);
    start(c, QStringLiteral("一"));
    QCOMPARE(listedIds(c.candidateList), (QList<int>{12, 13, 14}));
    QCOMPARE(t.notices.size(), 0);
}

// The game windows play on the program's one chain index: a second window
// builds none, so it plays even when the data file has gone bad since the
// first was open.
void MainMenuTest::oneChainIndexForEveryGame()
{
    MenuWindow t;
    QVERIFY(t.show());
    const auto opens = [&t] {
        t.action("gameAction")->trigger();
        auto *game = t.w.findChild<GameWindow *>();
        click(control<QPushButton>(*game, "computerOpensButton"));
        const bool opened = !control<QPlainTextEdit>(*game, "chainText")->toPlainText().isEmpty();
        game->close();
        deleteClosedWindows();
        return opened;
    };
    QVERIFY(opens());
    TestData::damage(t.dataFile(), 0);
    QVERIFY(opens());
    QCOMPARE(t.noticeLines(), QStringList());
}

void MainMenuTest::withoutDataToldOnce()
{
    QPointer<ChainWindow> chain;
    {
        MenuWindow t(WindowData::EmptyFile);
        QVERIFY(t.show());
        QCOMPARE(t.notices.size(), 1); // told as the program starts
        const QString why = t.notices.first().line();
        QVERIFY2(why.contains(QDir::toNativeSeparators(t.dataFile())), qPrintable(why));
        chain = t.openChain();
        t.openChain(); // the open one, raised
        QCOMPARE(t.notices.size(), 1); // nothing told again as the chain window opens
        start(ChainControls(*chain), QStringLiteral("爱不释手")); // 开始 says why it cannot start
        QCOMPARE(t.noticeLines(), QStringList(2, why));
    }
    QVERIFY(chain.isNull()); // gone with the main window
}

void MainMenuTest::keys()
{
    MenuWindow t;
    QVERIFY(t.show());
    QApplication::setActiveWindow(&t.w);
    const MainControls c(t.w);

    // F10, or Alt alone, opens the first menu, highlighted; Alt with
    // another key does not.
    for (const QList<Qt::Key> &keys : {QList<Qt::Key>{Qt::Key_F10}, QList<Qt::Key>{Qt::Key_Alt}}) {
        for (const Qt::Key key : keys)
            QTest::keyClick(&t.w, key);
        QTRY_VERIFY(t.w.menuBar()->activeAction());
        QCOMPARE(t.w.menuBar()->activeAction()->text(), QStringLiteral("文件"));
        QTRY_VERIFY(QApplication::activePopupWidget());
        QApplication::activePopupWidget()->close();
        QTRY_VERIFY(!t.w.menuBar()->activeAction());
    }
    QTest::keyPress(&t.w, Qt::Key_Alt);
    QTest::keyClick(&t.w, Qt::Key_Z, Qt::AltModifier);
    QTest::keyRelease(&t.w, Qt::Key_Alt);
    QVERIFY(!QApplication::activePopupWidget());
    QTest::keyClick(&t.w, Qt::Key_F1);
    QCOMPARE(t.notices.size(), 1);
    QCOMPARE(t.notices.first().title, QStringLiteral("帮助主题："));

    // Ctrl+F unfolds the search pane and puts the cursor in its field.
    QVERIFY(!c.searchPane->isVisible());
    QTest::keyClick(&t.w, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(c.searchPane->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c.searchField));

    // Tab reaches the search, the list, the tabs, the read-aloud button, the
    // browsing buttons and the word-book box; Space presses the one with the
    // focus.
    auto *wordBookToggle = control<QCheckBox>(t.w, "wordBookToggle");
    QList<QWidget *> visited;
    for (int step = 0; step < 10; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QCOMPARE(visited, (QList<QWidget *>{c.searchButton, c.resultList, c.foldTab,
                                        control<ImageButton>(t.w, "readAloudButton"), c.firstOrLast, c.previous, c.next,
                                        c.random, wordBookToggle, c.searchField}));
    QTest::keyClick(c.next, Qt::Key_Space);
    QCOMPARE(t.w.currentId(), 2);

    // Ctrl+J opens 复习 even from the search field, which takes Ctrl+E for itself.
    QTest::keyClick(c.searchField, Qt::Key_J, Qt::ControlModifier);
    QVERIFY(t.program.sideWindows().window(SideWindows::Review));
    QApplication::setActiveWindow(&t.w);
    // Ctrl+T opens 测验 from it too.
    c.searchField->setFocus();
    QTest::keyClick(c.searchField, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(t.program.sideWindows().window(SideWindows::Quiz));
    QApplication::setActiveWindow(&t.w);

    // Ctrl+Q quits.
    QTest::keyClick(&t.w, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!t.w.isVisible());
}

// 每日一成语 brings the idiom of today onto the card; start-up still shows idiom 1.
void MainMenuTest::dailyIdiomOnTheCard()
{
    MenuWindow t;
    QVERIFY(t.show());
    QCOMPARE(t.w.currentId(), 1);
    const int today = DailyIdiom::idiomOf(*t.program.dictionary().store, QDate::currentDate());
    QVERIFY(today >= 1);
    t.w.showIdiom(today == 2 ? 3 : 2);
    t.action("dailyAction")->trigger();
    QCOMPARE(t.w.currentId(), today);
    QCOMPARE(t.notices.size(), 0);
}

void MainMenuTest::readAloud()
{
    // With a voice: the card's button, 朗读 and Ctrl+R in a side window read
    // aloud, a press while reading stopping the reading first; the engine
    // is made at the first press, not at start-up.
    MenuWindow t;
    QVERIFY(t.show());
    const MainControls c(t.w);
    auto *button = control<ImageButton>(t.w, "readAloudButton");
    QVERIFY(button->isVisible() && button->isEnabled());
    QCOMPARE(t.engines, 0);
    const auto said = [&t](int id) {
        const Idiom idiom = t.program.dictionary().store->idiom(id);
        return QStringLiteral("speak %1 | %2").arg(spokenReading(idiom.text, idiom.pinyin).toneDigits(), idiom.text);
    };
    button->click();
    t.action("readAloudAction")->trigger();
    QCOMPARE(t.spoken, (QStringList{said(1), "stop", said(1)}));
    QTest::keyClick(c.next, Qt::Key_Space);
    t.program.sideWindows().open(SideWindows::History);
    auto *history = t.program.sideWindows().window<HistoryWindow>(SideWindows::History);
    QVERIFY(QTest::qWaitForWindowExposed(history));
    auto *list = control<ListView>(*history, "historyList");
    list->setCurrentIndex(list->model()->index(0, 0));
    t.spoken.clear();
    // Its keys are the active window's. Wine on a bare X server may make it
    // that only later, or not while the test runs: there the action that
    // holds the key is triggered instead.
    const bool active = QTest::qWaitFor(
        [history] {
            history->activateWindow();
            return history->isActiveWindow();
        },
        5000);
    const QKeySequence ctrlR(Qt::CTRL | Qt::Key_R);
    if (active || QGuiApplication::platformName() != QLatin1String("windows")) {
        QTest::keyClick(history, Qt::Key_R, Qt::ControlModifier);
    } else {
        const QList<QAction *> actions = history->actions();
        const auto held = std::find_if(actions.cbegin(), actions.cend(),
                                       [&ctrlR](const QAction *action) { return action->shortcut() == ctrlR; });
        QVERIFY(held != actions.cend());
        (*held)->trigger();
    }
    QCOMPARE(t.spoken, (QStringList{"stop", said(2)}));
    QCOMPARE(t.engines, 1);
    QVERIFY(t.notices.isEmpty());

    // Without one: the first press says why and greys the button, its tip
    // saying why too; 朗读 says it again.
    MenuWindow mute(WindowData::Small, false);
    QVERIFY(mute.show());
    auto *muteButton = control<ImageButton>(mute.w, "readAloudButton");
    muteButton->click();
    QCOMPARE(mute.noticeLines(), QStringList{"提示： [i] 没有中文语音。"});
    QVERIFY(!muteButton->isEnabled());
    QCOMPARE(muteButton->toolTip(), QStringLiteral("没有中文语音。"));
    mute.action("readAloudAction")->trigger();
    QCOMPARE(mute.notices.size(), 2);
    QVERIFY(mute.spoken.isEmpty());
}

void MainMenuTest::windowIcon()
{
    // The windows carry the images the build drew, pixel for pixel, one a size.
    MenuWindow t;
    QVERIFY(t.show());
    const QIcon icon = t.w.windowIcon();
    QCOMPARE(icon.availableSizes().size(), 6);
    for (const int side : {16, 24, 32, 48, 64, 96}) {
        const QImage drawn(QStringLiteral(VURA_ICON_FOLDER "/vura-%1.png").arg(side));
        QCOMPARE(icon.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
                 drawn.convertToFormat(QImage::Format_ARGB32));
    }
}

void MainMenuTest::mapsBareThenTakesItsMenu()
{
    // The window shows folded, before its menu and search pane are made, and
    // stands whole by the time it is drawn.
    struct SizeWhenShown : QObject
    {
        QSize size;
        bool eventFilter(QObject *window, QEvent *event) override
        {
            if (event->type() == QEvent::Show && !size.isValid())
                size = static_cast<QWidget *>(window)->size();
            return false;
        }
    } shown;
    MenuWindow t;
    t.w.installEventFilter(&shown);
    QVERIFY(t.show());
    QCOMPARE(shown.size, QSize(t.w.width(), t.w.height() - t.w.menuBar()->height()));
}

void MainMenuTest::exitClosesBoth_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("退出") << true;
    QTest::newRow("main window closed") << false;
}

void MainMenuTest::exitClosesBoth()
{
    QFETCH(bool, byMenu);
    MenuWindow t;
    QVERIFY(t.show());
    QPointer<ChainWindow> chain = t.openChain();
    QVERIFY(QTest::qWaitForWindowExposed(chain));

    if (byMenu)
        t.action("quitAction")->trigger();
    else
        t.w.close();
    QVERIFY(!t.w.isVisible());
    deleteClosedWindows();
    QVERIFY(chain.isNull());
}

void MainMenuTest::zoomAndPlacesKept()
{
    Program::setUp(*qApp); // the program's name and style, whose check boxes and scroll bars zoom too
    const QString kept = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QLatin1Char('/')
                       + WindowKeeper::fileName();
    QFile::remove(kept);
    const int scrollBar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize natural;
    {
        MenuWindow t;
        QVERIFY(t.show());
        natural = t.w.size();
        QApplication::setActiveWindow(&t.w);
        QTest::keyClick(&t.w, Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(&t.w, Qt::Key_Plus, Qt::ControlModifier);
        ChainWindow *chain = t.openChain(); // opens as large as the main window
        QVERIFY(QTest::qWaitForWindowExposed(chain));
        QCOMPARE(chain->size(), QSize(854, 587));
        const auto *text = chain->findChild<QAbstractScrollArea *>(QStringLiteral("chainText"));
        QCOMPARE(text->verticalScrollBar()->sizeHint().width(), qRound(scrollBar * 1.5));
        QApplication::setActiveWindow(chain);
        QTest::keyClick(chain, Qt::Key_Minus, Qt::ControlModifier); // from either window, both
        QCOMPARE(chain->size(), QSize(711, 489));
        QCOMPARE(zoomOf(&t.w), 125);
        t.w.move(300, 200); // a zoom that takes the window past the screen's edges moves it back
        QTest::keyClick(chain, Qt::Key_Equal, Qt::ControlModifier);
        QVERIFY(t.w.screen()->availableGeometry().contains(t.w.frameGeometry()));
        QTest::keyClick(chain, Qt::Key_Minus, Qt::ControlModifier);
        t.w.move(123, 77);
        t.w.close();
    }
    MenuWindow t; // the next start
    QVERIFY(t.show());
    QCOMPARE(zoomOf(&t.w), 125);
    QCOMPARE(t.w.pos(), QPoint(123, 77));
    // The search pane, built after the window took its zoom, takes it too.
    t.w.unfoldSearchPane();
    QCOMPARE(MainControls(t.w).searchPane->geometry(), zoomed(&t.w, QRect(0, 5, 146, 361)));
    t.w.foldSearchPane();
    t.action("resetZoomAction")->trigger();
    QCOMPARE(t.w.size(), natural);
    QVERIFY(QFile::remove(kept));
}

QTEST_MAIN(MainMenuTest)
#include "tst_mainmenu.moc"
