// The menu bar: the help and about boxes, the two web pages, the one chain
// window, and the end of the program from 退出 or the main window, also
// while either window fills a list.
#include "form2harness.h"
#include "mainmenu.h"

#include "fonts.h"

#include <QAccessible>
#include <QAction>
#include <QDate>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QUrl>

namespace {

// The main window on the small data, its menu's boxes recorded with its
// notices and the pages it would open collected.
struct MenuWindow : TestWindow
{
    MenuWindow() : TestWindow(WindowData::Small)
    {
        menu->messageBox = w.messageBox;
        menu->openUrl = [this](const QUrl &url) { opened << url; };
        menu->programFolder = dir.path();
    }

    Form2 *openChain()
    {
        menu->cd_cyjl->trigger();
        return menu->chainWindow();
    }

    MainMenu *menu = w.menu;
    QList<QUrl> opened;
};

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class MainMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void boxesAndPages_data();
    void boxesAndPages();
    void oneChainWindow();
    void accessibleNames();
    void chainWindowWithoutData();
    void exitClosesBoth_data();
    void exitClosesBoth();

private:
    WindowTestEnvironment m_environment;
};

void MainMenuTest::boxesAndPages_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("box"); // "title [style] lines joined by |"
    QTest::addColumn<QString>("page");

    const QDate released = QDate::fromString(QStringLiteral(VURA_RELEASE_DATE), Qt::ISODate);
    QTest::newRow("帮助主题") << "帮助主题"
                          << "帮助主题： [0] 支持模糊查找，'_人'是查找第二个字是人字的，'__人'是查找第三个字是人字的，"
                             "'%人'是查找任何位置有人字的。右边已默认加%。|在拼音、成语、解释等地方点击就可以复制相应的内容。|"
                             "成语接龙中，点击第一栏(已选)的成语，可以倒回去重新选择。|谢谢大家的支持，希望大家发扬中国文化！"
                          << "";
    QTest::newRow("关于") << "关于..."
                        << "关于... [64] 岚舟·vura - 1.0|岚舟|" + released.toString(QStringLiteral("yyyy年M月d日"))
                        << "";
    QTest::newRow("软件升级") << "软件升级" << "" << VURA_UPDATE_URL;
    QTest::newRow("更多软件") << "更多软件" << "" << VURA_MORE_SOFTWARE_URL;
}

void MainMenuTest::boxesAndPages()
{
    QFETCH(QString, item);
    QFETCH(QString, box);
    QFETCH(QString, page);
    MenuWindow t;
    QVERIFY(t.show());
    const QList<QAction *> items = t.menu->cd_bz->menu()->actions();
    const auto found = std::find_if(items.begin(), items.end(), [&](QAction *a) { return a->text() == item; });
    QVERIFY(found != items.end());
    (*found)->trigger();

    QStringList boxes;
    for (const Notice &notice : std::as_const(t.notices)) {
        QVERIFY(!notice.prompt.contains(QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]"))));
        boxes << notice.text().replace(QStringLiteral("\r\n"), QStringLiteral("|"));
    }
    QCOMPARE(boxes, box.isEmpty() ? QStringList{} : QStringList{box});
    QCOMPARE(t.opened, page.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl(page)});
    QVERIFY(t.opened.isEmpty() || t.opened.first().scheme() == QStringLiteral("https"));
}

void MainMenuTest::oneChainWindow()
{
    MenuWindow t;
    QVERIFY(t.show());
    QPointer<Form2> first = t.openChain();
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QVERIFY(!first->parentWidget());
    start(*first, QStringLiteral("一"));
    QVERIFY(clickText(*first, first->List2, QStringLiteral("一心一意")));
    const QStringList state{entriesOf(first->List1).join(','), entriesOf(first->List2).join(','),
                            first->Text2->toPlainText()};

    // Chosen again while open: the same window, as it was, brought back.
    first->showMinimized();
    QCOMPARE(t.openChain(), first.data());
    QVERIFY(!first->isMinimized());
    QCOMPARE((QStringList{entriesOf(first->List1).join(','), entriesOf(first->List2).join(','),
                          first->Text2->toPlainText()}),
             state);

    // Closed, it goes alone; the next one is fresh, even when chosen before
    // the closed one is deleted.
    first->close();
    QPointer<Form2> second = t.openChain();
    deleteClosedWindows();
    QVERIFY(first.isNull());
    QVERIFY(t.w.isVisible());
    QCOMPARE(t.menu->chainWindow(), second.data());
    QCOMPARE(second->Text1->text(), QStringLiteral("爱不释手"));
    QCOMPARE(second->List1->listCount() + second->List2->listCount(), 0);
    QVERIFY(second->Text2->toPlainText().isEmpty());
    start(*second, QStringLiteral("一"));
    QCOMPARE(listedIds(second->List2), (QList<int>{12, 13, 14}));
    QCOMPARE(t.notices.size(), 0);
}

void MainMenuTest::accessibleNames()
{
    MenuWindow t;
    QVERIFY(t.show());
    Form1 &w = t.w;
    Form2 *chain = t.openChain();
    QVERIFY(chain);
    const auto copyHint = [](const char *field) { return QString::fromUtf8(field) + QStringLiteral("，点击可以复制"); };
    const QString searchTip = QStringLiteral("可输入成语、首字、拼音简码进行查找");
    struct Expected
    {
        QWidget *control;
        QString name, description;
    };
    const QList<Expected> expected = {
        {w.Image1, "查找", searchTip},
        {w.Image2, "收起", "收起查找界面"},
        {w.Image3, "展开", "展开查找界面"},
        {w.Image4, "最前/后", "最前或最后一个成语"},
        {w.Image5, "上一个", "上一个成语"},
        {w.Image6, "下一个", "下一个成语"},
        {w.Image7, "随机", "随机一个成语"},
        {w.Text1, "查找内容", searchTip},
        {w.List1, "查找结果", "选中一个成语，右边显示它的解释"},
        {w.Lab[0], w.Lab[0]->caption(), copyHint("拼音")},
        {w.Lab[1], w.Lab[1]->caption(), copyHint("成语")},
        {w.Lab[2], w.Lab[2]->caption(), copyHint("意思")},
        {w.Lab[3], w.Lab[3]->caption(), copyHint("出处")},
        {w.Lab[4], w.Lab[4]->caption(), copyHint("例子")},
        {chain->Image1, "开始", "从开头的成语开始接龙"},
        {chain->Text1, "开头的成语", "输入开头的成语或一个字"},
        {chain->List1, "已选", "接好的成语，点击一个可以倒回去重新选择"},
        {chain->List2, "候选", "可以接上的成语，点击一个接上去"},
        {chain->Text2, "接好的成语", "整条接龙，可以选中复制"},
    };
    for (const Expected &control : expected) {
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control.control);
        QVERIFY(reader);
        QCOMPARE(reader->text(QAccessible::Name), control.name);
        QCOMPARE(reader->text(QAccessible::Description), control.description);
    }
    QVERIFY(!w.Lab[0]->caption().isEmpty());

    // An image button is a button that a screen reader can press.
    QAccessibleInterface *next = QAccessible::queryAccessibleInterface(w.Image6);
    QCOMPARE(next->role(), QAccessible::Button);
    const int before = w.currentId;
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(w.currentId, before + 1);
}

void MainMenuTest::chainWindowWithoutData()
{
    QPointer<Form2> chain;
    {
        MenuWindow t;
        QVERIFY(t.show());
        QTemporaryDir elsewhere;
        TestData::writeFile(elsewhere.filePath(QStringLiteral("cy.dat")), QByteArray());
        t.menu->programFolder = elsewhere.path();
        chain = t.openChain();
        QCOMPARE(t.notices.size(), 1); // told as it opens
        QVERIFY(t.notices.first().prompt.contains(elsewhere.filePath(QStringLiteral("cy.dat"))));
        t.openChain(); // the open one, raised: nothing told again
        QCOMPARE(t.notices.size(), 1);
        start(*chain, QStringLiteral("爱不释手")); // 开始 says why it cannot start
        QCOMPARE(t.notices.size(), 2);
        QCOMPARE(t.notices.last().prompt, t.notices.first().prompt);
    }
    QVERIFY(chain.isNull()); // gone with the main window
}

void MainMenuTest::exitClosesBoth_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("during"); // "", "chain" or "search": the fill that runs
    QTest::newRow("退出") << "退出" << "";
    QTest::newRow("退出 while the chain fills") << "退出" << "chain";
    QTest::newRow("main window closed while the chain fills") << "close" << "chain";
    QTest::newRow("退出 while the search fills") << "退出" << "search";
}

void MainMenuTest::exitClosesBoth()
{
    QFETCH(QString, how);
    QFETCH(QString, during);
    MenuWindow t;
    QVERIFY(t.show());
    QPointer<Form2> chain = t.openChain();
    QVERIFY(QTest::qWaitForWindowExposed(chain));

    bool exited = false;
    int passesAfterExit = 0;
    auto exit = [&] {
        passesAfterExit += exited;
        if (!exited)
            how == QStringLiteral("close") ? void(t.w.close()) : t.menu->cd_tc->trigger();
        exited = true;
        return false;
    };
    DuringChainFill chainUser(chain, exit);
    DuringSearch searchUser(t.w, exit);
    if (during == QStringLiteral("chain")) {
        start(*chain, QStringLiteral("%"));
    } else if (during == QStringLiteral("search")) {
        t.w.Image3_Click();
        search(t.w, QStringLiteral("%"));
    } else {
        exit();
    }

    QVERIFY(exited);
    QCOMPARE(passesAfterExit, 0); // the fill stopped at once
    QVERIFY(EventPass::programEnding());
    QVERIFY(!t.w.isVisible());
    deleteClosedWindows();
    QVERIFY(chain.isNull());
}

QTEST_MAIN(MainMenuTest)
#include "tst_mainmenu.moc"
