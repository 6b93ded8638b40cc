// The widget kit: the list's click event, the event pass and the end of the
// program, the guard of a filling handler, and Qt's texts in Chinese.
#include "eventpass.h"
#include "fillguard.h"
#include "listbox.h"
#include "msgbox.h"
#include "translations.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <stdexcept>

namespace {

QPoint entryCentre(ListBox &list, int row)
{
    return list.visualRect(list.model()->index(row, 0)).center();
}

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { EventPass::resetProgramEnding(); }

    void listClicks_data();
    void listClicks();
    void eventPassStopsWhenTheProgramEnds();
    void eventPassStopsWhenTheWindowIsDeleted();
    void fillGuardCleansUpOnEveryExit();
    void messageBoxSpeaksChinese();
};

void WidgetsTest::listClicks_data()
{
    QTest::addColumn<int>("selected"); // before the action, -1 for none
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("selectedAfter");

    QTest::newRow("mouse on another entry") << 0 << "press 2" << 1 << 2;
    QTest::newRow("mouse on the selected entry") << 1 << "press 1" << 1 << 1;
    QTest::newRow("mouse with nothing selected") << -1 << "press 0" << 1 << 0;
    QTest::newRow("mouse below the entries") << 1 << "press below" << 0 << 1;
    QTest::newRow("right button on the selected entry") << 1 << "right 1" << 0 << 1;
    QTest::newRow("arrow down") << 0 << "down" << 1 << 1;
    QTest::newRow("arrow up at the top") << 0 << "up" << 0 << 0;
    QTest::newRow("arrow down at the bottom") << 2 << "down" << 0 << 2;
}

void WidgetsTest::listClicks()
{
    QFETCH(int, selected);
    QFETCH(QString, action);
    QFETCH(int, clicks);
    QFETCH(int, selectedAfter);

    QWidget window;
    window.resize(200, 300);
    ListBox list(QRect(0, 0, 200, 300), window.font(), &window);
    for (const char *text : {"一心一意", "一马当先", "一言为定"})
        list.addItem(QString::fromUtf8(text));
    list.flush();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (selected >= 0) {
        list.setCurrentIndex(list.model()->index(selected, 0));
        QCOMPARE(list.selCount(), 1);
    }

    QSignalSpy spy(&list, &ListBox::clicked);
    const QStringList words = action.split(QLatin1Char(' '));
    if (words[0] == "press")
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          words[1] == "below" ? QPoint(100, 290) : entryCentre(list, words[1].toInt()));
    else if (words[0] == "right")
        QTest::mouseClick(list.viewport(), Qt::RightButton, {}, entryCentre(list, words[1].toInt()));
    else
        QTest::keyClick(&list, words[0] == "down" ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(spy.count(), clicks);
    QCOMPARE(list.listIndex(), selectedAfter);
}

void WidgetsTest::eventPassStopsWhenTheProgramEnds()
{
    QWidget window;
    ListBox list(QRect(0, 0, 100, 100), window.font(), &window);
    window.show();
    EventPass pass(&window, {&list});

    list.addItem(QStringLiteral("一"));
    QCOMPARE(list.model()->rowCount(), 0); // not shown until a pass
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QVERIFY(pass.run());
    QVERIFY(ran);
    QCOMPARE(list.model()->rowCount(), 1);

    // Ending during a pass: that pass says stop, and so does every later one.
    QTimer::singleShot(0, [] { EventPass::endProgram(); });
    QVERIFY(!pass.run());
    QVERIFY(EventPass::programEnding());
    QVERIFY(!window.isVisible()); // every window closed
    QVERIFY(!pass.run());
    QVERIFY(!EventPass(&window, {}).runWhenDue());
}

void WidgetsTest::eventPassStopsWhenTheWindowIsDeleted()
{
    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    EventPass pass(window, {});
    QTimer::singleShot(0, window, &QWidget::close);
    bool goOn = true;
    for (int i = 0; i < 10 && goOn; ++i) // the deletion follows the close
        goOn = pass.run();
    QVERIFY(!goOn);
    QVERIFY(!EventPass::programEnding());
}

void WidgetsTest::fillGuardCleansUpOnEveryExit()
{
    QWidget window;
    QWidget indicator(&window);
    indicator.hide();
    window.show();
    bool busy = false;
    int cleanUps = 0;

    {
        const FillGuard filling(&window, busy, &indicator, [&] { ++cleanUps; });
        QVERIFY(busy);
        QVERIFY(indicator.isVisible());
    }
    QVERIFY(!busy);
    QVERIFY(!indicator.isVisible());
    QCOMPARE(cleanUps, 1);

    try {
        const FillGuard filling(&window, busy, nullptr, [&] { ++cleanUps; });
        throw std::runtime_error("any exception");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(!busy);
    QCOMPARE(cleanUps, 2);

    // A window deleted during the fill is not touched again.
    auto *gone = new QWidget;
    bool goneBusy = false;
    {
        const FillGuard filling(gone, goneBusy, nullptr, [&] { ++cleanUps; });
        delete gone;
    }
    QVERIFY(goneBusy);
    QCOMPARE(cleanUps, 2);
}

void WidgetsTest::messageBoxSpeaksChinese()
{
    QVERIFY(loadChineseTranslations(QCoreApplication::instance()));
    const auto box = makeMessageBox(nullptr, QStringLiteral("第一行\r\n第二行"), vbInformation, QStringLiteral("提示："));
    QCOMPARE(box->windowTitle(), QStringLiteral("提示："));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
    QCOMPARE(makeMessageBox(nullptr, QString(), vbOKOnly, QString())->icon(), QMessageBox::NoIcon);
}

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
