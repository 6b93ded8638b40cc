// The widget kit: the list's click event, zoom, and Qt's texts in Chinese.
#include "widgets/imagebutton.h"
#include "widgets/listview.h"
#include "widgets/messagebox.h"
#include "widgets/panel.h"
#include "widgets/textlabel.h"
#include "widgets/translations.h"
#include "widgets/windowframe.h"
#include "widgets/zoom.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStringListModel>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

namespace {

QPoint entryCentre(ListView &list, int row)
{
    return list.visualRect(list.model()->index(row, 0)).center();
}

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void listClicks_data();
    void listClicks();
    void imageButtonClicks_data();
    void imageButtonClicks();
    void cutOffEntriesShowWhole_data();
    void cutOffEntriesShowWhole();
    void cutOffFieldsShowWhole_data();
    void cutOffFieldsShowWhole();
    void zoomScalesWholeAndReturns_data();
    void zoomScalesWholeAndReturns();
    void messageBoxSpeaksChinese();
    void escapeClosesPopupFirst();
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
    QTest::newRow("first arrow down once the list has the focus") << -1 << "focus down" << 1 << 0;
    QTest::newRow("first arrow up once the list has the focus") << -1 << "focus up" << 1 << 0;
    QTest::newRow("Enter on the selected entry") << 1 << "enter" << 1 << 1;
    QTest::newRow("Enter once the list has the focus") << -1 << "focus enter" << 1 << 0;
    // A list whose arrow keys only move the selection, as the history's.
    QTest::newRow("Enter once it has the focus, arrows not choosing") << -1 << "still focus enter" << 1 << 0;
    QTest::newRow("arrow down, arrows not choosing") << 0 << "still down" << 0 << 1;
}

void WidgetsTest::listClicks()
{
    QFETCH(int, selected);
    QFETCH(QString, action);
    QFETCH(int, clicks);
    QFETCH(int, selectedAfter);

    QWidget window;
    window.resize(200, 300);
    ListView list(QRect(0, 0, 200, 300), window.font(), &window);
    QStringListModel entries({QStringLiteral("一心一意"), QStringLiteral("一马当先"), QStringLiteral("一言为定")});
    list.setModel(&entries);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (selected >= 0) {
        list.setCurrentIndex(list.model()->index(selected, 0));
        QCOMPARE(list.selectedRow(), selected);
    }

    QSignalSpy spy(&list, &ListView::chosen);
    QStringList words = action.split(QLatin1Char(' '));
    if (words[0] == "still") {
        list.setArrowKeysChoose(false);
        words.removeFirst();
    }
    if (words[0] == "press")
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          words[1] == "below" ? QPoint(100, 290) : entryCentre(list, words[1].toInt()));
    else if (words[0] == "right")
        QTest::mouseClick(list.viewport(), Qt::RightButton, {}, entryCentre(list, words[1].toInt()));
    else {
        if (words[0] == "focus") { // as Tab brings it: the first entry current, none selected
            QApplication::setActiveWindow(&window);
            list.setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(list.hasFocus());
            QCOMPARE(list.selectedRow(), -1);
        }
        const QHash<QString, Qt::Key> keys{{"down", Qt::Key_Down}, {"up", Qt::Key_Up}, {"enter", Qt::Key_Return}};
        QTest::keyClick(&list, keys.value(words.last()));
    }
    QCOMPARE(spy.count(), clicks);
    QCOMPARE(list.selectedRow(), selectedAfter);
}

void WidgetsTest::imageButtonClicks_data()
{
    QTest::addColumn<bool>("twice");
    QTest::addColumn<int>("clicks");
    QTest::newRow("a click") << false << 1;
    QTest::newRow("a double-click counts once") << true << 1;
}

void WidgetsTest::imageButtonClicks()
{
    QFETCH(bool, twice);
    QFETCH(int, clicks);
    QWidget window;
    QLineEdit typing(&window);
    ImageButton button(QStringLiteral("button-next"), QSize(100, 40), &window);
    button.move(0, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    typing.setFocus();
    QSignalSpy spy(&button, &ImageButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    if (twice) { // as the window system delivers the second press
        const QPointF centre = QRectF(button.rect()).center();
        QMouseEvent second(QEvent::MouseButtonDblClick, centre, button.mapToGlobal(centre), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &second);
        QTest::mouseRelease(&button, Qt::LeftButton);
    }
    QCOMPARE(spy.count(), clicks);
    QVERIFY(typing.hasFocus()); // a click leaves the focus where it was
}

void WidgetsTest::cutOffEntriesShowWhole_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("shown");
    QTest::newRow("an entry that fits") << "一心一意" << false;
    QTest::newRow("an entry cut off") << "爱之欲其生，恶之欲其死，爱之欲其生" << true;
}

void WidgetsTest::cutOffEntriesShowWhole()
{
    QFETCH(QString, entry);
    QFETCH(bool, shown);
    QWidget window;
    ListView list(QRect(0, 0, 110, 100), window.font(), &window);
    QStringListModel entries({entry});
    list.setModel(&entries);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QToolTip::hideText();
    const QPoint at = entryCentre(list, 0);
    QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list.viewport(), &help);
    QCOMPARE(QToolTip::isVisible(), shown);
    if (shown)
        QCOMPARE(QToolTip::text(), entry);
}

void WidgetsTest::cutOffFieldsShowWhole_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip"); // empty: the label's own tooltip
    QTest::newRow("a text that fits") << "一心一意" << "";
    const QString tall = QStringLiteral("《诗经·小雅·蓼莪》：“蓼蓼者莪，匪莪伊蒿，哀哀父母，生我劬劳。”").repeated(4);
    QTest::newRow("a text taller than its box") << tall << tall + "\n\n点击可以复制";
}

void WidgetsTest::cutOffFieldsShowWhole()
{
    QFETCH(QString, text);
    QFETCH(QString, tip);
    QWidget window;
    TextLabel field(text, window.font(), TextLabel::WrapsInBox, QRect(0, 0, 120, 40), &window);
    field.setToolTip(QStringLiteral("点击可以复制"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), field.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&field, &help);
    QCOMPARE(field.cutOff(), !tip.isEmpty());
    if (!tip.isEmpty()) // a tip of its own; QLabel shows the tooltip it was given
        QTRY_COMPARE(QToolTip::text(), tip);
    QSignalSpy clicks(&field, &TextLabel::clicked);
    QTest::mouseClick(&field, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1); // and a click still copies the whole text
}

void WidgetsTest::zoomScalesWholeAndReturns_data()
{
    QTest::addColumn<QList<int>>("steps"); // -1 smaller, 1 larger, 0 back to 100 %
    QTest::addColumn<int>("percent");
    QTest::newRow("one step larger") << QList<int>{1} << 125;
    QTest::newRow("to the largest and past it") << QList<int>{1, 1, 1, 1, 1} << 200;
    QTest::newRow("up and down again") << QList<int>{1, 1, 1, -1, -1} << 125;
    QTest::newRow("none smaller than 100 %") << QList<int>{-1} << 100;
    QTest::newRow("back to 100 %") << QList<int>{1, 1, 0} << 100;
}

void WidgetsTest::zoomScalesWholeAndReturns()
{
    QFETCH(QList<int>, steps);
    QFETCH(int, percent);
    QWidget window;
    window.setFixedSize(201, 151);
    window.setFont(QFont(window.font().family(), 9));
    auto *pane = new Panel(QRect(5, 5, 150, 141), Qt::white, &window);
    pane->setPicture(QStringLiteral("card-lotus"), QSize(160, 150));
    auto *button = new ImageButton(QStringLiteral("button-next"), QSize(51, 21), pane->contents());
    button->move(7, 100);
    QFont font = window.font();
    font.setPointSizeF(10.5);
    auto *fits = new TextLabel(QStringLiteral("编号：1"), font, TextLabel::FitsText, QRect(3, 3, 10, 10), pane->contents());
    auto *box = new TextLabel(QStringLiteral("一心一意，专心致志"), font, TextLabel::WrapsInBox, QRect(3, 30, 60, 40),
                              pane->contents());
    auto *field = new QLineEdit(QStringLiteral("yixin"), &window);
    field->setGeometry(160, 5, 37, 21);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage natural = window.grab().toImage();

    for (const int step : steps)
        setZoom(&window, step ? nextZoom(zoomOf(&window), step) : 100);
    QCoreApplication::sendPostedEvents(); // the label that fits its text measures it
    QCOMPARE(zoomOf(&window), percent);
    const auto scaled = [&](int pixels) { return int(std::lround(pixels * percent / 100.0)); };
    QCOMPARE(window.size(), QSize(scaled(201), scaled(151)));
    QCOMPARE(button->geometry(), QRect(scaled(7), scaled(100), scaled(51), scaled(21)));
    QCOMPARE(box->geometry(), QRect(scaled(3), scaled(30), scaled(60), scaled(40)));
    QCOMPARE(field->geometry(), QRect(scaled(160), scaled(5), scaled(37), scaled(21)));
    QCOMPARE(pane->contents()->geometry(), pane->contentsRect()); // the inside keeps to the border
    QCOMPARE(box->font().pointSizeF(), 10.5 * percent / 100);
    QCOMPARE(field->font().pointSizeF(), 9.0 * percent / 100);
    QCOMPARE(fits->size(), fits->sizeHint()); // measured again in the new font

    setZoom(&window, 100);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(window.grab().toImage(), natural); // pixel for pixel as it was
}

void WidgetsTest::messageBoxSpeaksChinese()
{
    QVERIFY(loadChineseTranslations(QCoreApplication::instance()));
    const auto box = makeMessageBox(nullptr, QMessageBox::Information, QStringLiteral("提示："),
                                    QStringLiteral("第一行\r\n第二行"));
    QCOMPARE(box->windowTitle(), QStringLiteral("提示："));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
}

void WidgetsTest::escapeClosesPopupFirst()
{
    // An open drop-down takes Escape and closes; the next Escape, in a
    // field that does not take it, closes the window.
    QWidget window;
    closeOnEscape(&window);
    auto *box = new QComboBox(&window);
    box->addItems({QStringLiteral("同字接龙"), QStringLiteral("同音接龙")});
    auto *field = new QLineEdit(&window);
    field->move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    box->showPopup();
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget()->focusWidget() ? QApplication::activePopupWidget()->focusWidget()
                                                                     : QApplication::activePopupWidget(),
                    Qt::Key_Escape);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QVERIFY(window.isVisible());
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
