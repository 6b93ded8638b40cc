// The menu bar: the help and about boxes, the two web pages, the one chain
// window, names for every control a screen reader reaches, and the end of
// the program from 退出 or the main window.
#include "windowharness.h"

#include "shell/mainmenu.h"
#include "shell/program.h"
#include "vura/version.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDate>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>

namespace {

// The whole program on the small data, its boxes and pages recorded.
struct MenuWindow : TestWorld
{
    MenuWindow() : TestWorld(WindowData::Small), program(environment) {}

    bool show()
    {
        program.start();
        menu = &program.menu();
        return QTest::qWaitForWindowExposed(&w);
    }

    Form2 *openChain()
    {
        menu->cd_cyjl->trigger();
        return menu->chainWindow();
    }

    Program program;
    Form1 &w = program.mainWindow();
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
    void oneChainWindow();
    void accessibleNames();
    void chainWindowWithoutData();
    void windowIcon();
    void mapsBareThenTakesItsMenu();
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
    QVERIFY(released.isValid());
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
    QVERIFY(clickText(first->List2, QStringLiteral("一心一意")));
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
    Form2 *chain = t.openChain();
    QVERIFY(QTest::qWaitForWindowExposed(chain));

    // Every control a person can reach, by the keyboard or the mouse, says
    // what it is to a screen reader.
    QStringList nameless;
    int reached = 0;
    for (QWidget *window : {static_cast<QWidget *>(&t.w), static_cast<QWidget *>(chain)}) {
        for (QWidget *control : window->findChildren<QWidget *>()) {
            const bool reachable = qobject_cast<QAbstractButton *>(control) || qobject_cast<QAbstractItemView *>(control)
                                || qobject_cast<QLineEdit *>(control) || qobject_cast<QPlainTextEdit *>(control);
            if (!reachable || control->isHidden() || control->inherits("QScrollBar"))
                continue; // the folded search pane counts: it is hidden, not its controls
            ++reached;
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control);
            if (!reader || reader->text(QAccessible::Name).isEmpty())
                nameless << QStringLiteral("%1 in %2").arg(QLatin1String(control->metaObject()->className()), window->windowTitle());
        }
    }
    QCOMPARE(reached, 14); // seven image buttons, a text box and a list; a button, two lists, two text boxes
    QCOMPARE(nameless, QStringList());

    // An image button is a button that a screen reader can press.
    QAccessibleInterface *next = QAccessible::queryAccessibleInterface(t.w.Image6);
    QCOMPARE(next->role(), QAccessible::Button);
    const int before = t.w.currentId;
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(t.w.currentId, before + 1); // a pressed button shows its press a moment first
}

void MainMenuTest::chainWindowWithoutData()
{
    QPointer<Form2> chain;
    {
        MenuWindow t;
        QVERIFY(t.show());
        QTemporaryDir elsewhere; // the chain window starts from another folder
        TestData::writeFile(elsewhere.filePath(QStringLiteral("cy.dat")), QByteArray());
        t.environment.programFolder = elsewhere.path();
        chain = t.openChain();
        QCOMPARE(t.notices.size(), 1); // told as it opens
        QCOMPARE(chain->loadFailure()->kind(), StoreError::Empty);
        t.openChain(); // the open one, raised: nothing told again
        QCOMPARE(t.notices.size(), 1);
        start(*chain, QStringLiteral("爱不释手")); // 开始 says why it cannot start
        QCOMPARE(t.notices.size(), 2);
        QCOMPARE(t.notices.last().prompt, t.notices.first().prompt);
    }
    QVERIFY(chain.isNull()); // gone with the main window
}

void MainMenuTest::windowIcon()
{
    // Both windows carry the images the build drew, pixel for pixel, one a size.
    Program::setUp(*qApp);
    const QIcon icon = QApplication::windowIcon();
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
    QCOMPARE(shown.size, QSize(454, 373));
    QCOMPARE(t.w.size(), QSize(454, t.w.menuBar()->height() + 373));
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
    QPointer<Form2> chain = t.openChain();
    QVERIFY(QTest::qWaitForWindowExposed(chain));

    if (byMenu)
        t.menu->cd_tc->trigger();
    else
        t.w.close();
    QVERIFY(!t.w.isVisible());
    deleteClosedWindows();
    QVERIFY(chain.isNull());
}

QTEST_MAIN(MainMenuTest)
#include "tst_mainmenu.moc"
