// The main window's search: the four look-ups and what they list, the
// busy indicator, choosing a result, and what the window does with clicks
// and with its closing while a search fills the list.
#include "form1harness.h"

#include "fonts.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

namespace {

// A window on the small data with the search pane open, as the user sees it.
struct SearchWindow : TestWindow
{
    SearchWindow(WindowData data = WindowData::Small) : TestWindow(data)
    {
        w.Image3_Click();
    }
};

} // namespace

class Form1SearchTest : public QObject
{
    Q_OBJECT

private slots:
    void searchLists_data();
    void searchLists();
    void emptyTextAsksForInput();
    void newSearchReplacesResults();
    void busyIndicatorShowsWhileSearching();
    void chosenResultGoesToCard();
    void clicksDuringFillAreHeldOff();
    void closingDuringFillEndsSearch();
    void fullDataFirstCharacter();

private:
    WindowTestEnvironment m_environment;
};

void Form1SearchTest::searchLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("ids");

    QList<int> everyIdiomTwice;
    for (int round = 0; round < 2; ++round)
        for (int id = 1; id <= 16; ++id)
            everyIdiomTwice << id;

    // Exact idiom, exact initials, idioms beginning with it, initials beginning with it.
    QTest::newRow("whole idiom") << "爱不释手" << QList<int>{1, 1};
    QTest::newRow("initials") << "absx" << QList<int>{1, 1};
    QTest::newRow("initials in capitals") << "ABSX" << QList<int>{1, 1};
    QTest::newRow("start of initials") << "a" << QList<int>{1, 2};
    QTest::newRow("first character") << "一" << QList<int>{12, 13, 14};
    QTest::newRow("two idioms alike") << "难兄难弟" << QList<int>{6, 7, 6, 7};
    QTest::newRow("shared initials") << "nxnd" << QList<int>{6, 7, 6, 7};
    QTest::newRow("underscore is any one character") << "_人" << QList<int>{8, 10, 15};
    QTest::newRow("percent is any run") << "%人" << QList<int>{8, 9, 10, 15};
    QTest::newRow("percent alone") << "%" << everyIdiomTwice;
    QTest::newRow("leading space") << " 一" << QList<int>{};
    QTest::newRow("no such idiom") << "zzzz" << QList<int>{};
    QTest::newRow("quote") << "'" << QList<int>{};
    QTest::newRow("quoted condition") << "a' OR '1'='1" << QList<int>{};
    QTest::newRow("longer than a line edit's default limit") << QString(40000, QLatin1Char('a')) << QList<int>{};

    // Input no idiom holds finds nothing, and never makes a statement fail.
    QList<int> fourOrMore = everyIdiomTwice;
    fourOrMore.removeAll(5); // 莫须有 and its code mxy are three long
    QTest::newRow("longer than LIKE takes") << QString(100000, QLatin1Char('a')) << QList<int>{};
    QTest::newRow("longer than LIKE takes, anywhere") << QLatin1Char('%') + QString(60000, QLatin1Char('a')) << QList<int>{};
    QTest::newRow("percent, 100,000 times") << QString(100000, QLatin1Char('%')) << everyIdiomTwice;
    QTest::newRow("percent four times") << "%%%%" << everyIdiomTwice;
    QTest::newRow("four underscores") << "____" << fourOrMore;
    for (const char *text : {"--", ";", "\\", "[", "]", "^", "[一]%", "a' --", "'; DROP TABLE cy; --"})
        QTest::newRow(text) << QString::fromUtf8(text) << QList<int>{};
    QTest::newRow("NUL") << QString(QChar(0)) + QStringLiteral("一") << QList<int>{};
    QTest::newRow("control characters") << "\t\r\n\x01" << QList<int>{};
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QList<int>{};
    QTest::newRow("outside the basic plane") << QStringLiteral("\U00020000") << QList<int>{};
    QTest::newRow("emoji") << QStringLiteral("😀") << QList<int>{};
    QTest::newRow("full-width letters") << QStringLiteral("ＡＢＳＸ") << QList<int>{};
}

void Form1SearchTest::searchLists()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, ids);
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    w.ShowIdiom(5);
    const QString card = cardOf(w);

    search(w, text);
    QCOMPARE(w.Text1->text(), text); // the box keeps all of it
    QCOMPARE(t.notices.size(), 0);
    QCOMPARE(listedIds(w.List1), ids);
    for (int row = 0; row < ids.size(); ++row)
        QCOMPARE(w.List1->list(row), kSmallIdioms[ids[row] - 1]);
    QCOMPARE(w.List1->model()->rowCount(), ids.size()); // every entry reached the view
    QCOMPARE(w.List1->selCount(), 0);
    QCOMPARE(w.currentId, 5);
    QCOMPARE(cardOf(w), card);
    QVERIFY(!w.isSearching());
    QVERIFY(!w.Picture3->isVisible());
}

void Form1SearchTest::emptyTextAsksForInput()
{
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    search(w, QStringLiteral("一"));
    const QList<int> found = listedIds(w.List1);

    search(w, QString());
    QCOMPARE(t.noticeTexts(), QStringList{information(QStringLiteral("请输入成语、成语首字或成语拼音简码进行查找！"))});
    QCOMPARE(listedIds(w.List1), found);
    QVERIFY(!w.Picture3->isVisible());
}

void Form1SearchTest::newSearchReplacesResults()
{
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    search(w, QStringLiteral("%人"));
    clickEntry(w.List1, 1);
    QCOMPARE(w.currentId, 9);

    // A new search starts with nothing chosen and leaves the card alone.
    search(w, QStringLiteral("一"));
    QCOMPARE(listedIds(w.List1), (QList<int>{12, 13, 14}));
    QCOMPARE(w.List1->selCount(), 0);
    QCOMPARE(w.currentId, 9);

    search(w, QStringLiteral("qqqq"));
    QCOMPARE(w.List1->listCount(), 0);
    QCOMPARE(w.List1->model()->rowCount(), 0);
    QCOMPARE(w.currentId, 9);
    QCOMPARE(t.notices.size(), 0);
}

void Form1SearchTest::busyIndicatorShowsWhileSearching()
{
    const PassEveryRow passes;
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    QVERIFY(!w.Picture3->isVisible());

    int passesSeen = 0;
    int busyShown = 0;
    DuringSearch probe(w, [&] {
        ++passesSeen;
        busyShown += w.Picture3->isVisible();
        return false;
    });
    search(w, QStringLiteral("%"));
    QVERIFY(passesSeen > 2); // while the rows came in, not only before and after
    QCOMPARE(busyShown, passesSeen);
    QVERIFY(!w.Picture3->isVisible());
}

void Form1SearchTest::chosenResultGoesToCard()
{
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    search(w, QStringLiteral("%人")); // 8, 9, 10, 15

    clickEntry(w.List1, 2);
    QCOMPARE(w.List1->selCount(), 1);
    QCOMPARE(w.currentId, 10);
    QCOMPARE(w.Label5->caption(), QStringLiteral("编号：10"));
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("人 人 自 危"));

    QTest::keyClick(w.List1, Qt::Key_Down);
    QCOMPARE(w.List1->listIndex(), 3);
    QCOMPARE(w.currentId, 15);
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("众 人 拾 柴 火 焰 高"));
    QTest::keyClick(w.List1, Qt::Key_Up);
    QCOMPARE(w.currentId, 10);

    // The chosen result comes back with a click on it after browsing away.
    click(w.Image6);
    QCOMPARE(w.currentId, 11);
    clickEntry(w.List1, 2);
    QCOMPARE(w.currentId, 10);
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("人 人 自 危"));
    QTest::keyClick(w.List1, Qt::Key_Down);

    // Browsing goes on from the chosen idiom's id, not from the list.
    click(w.Image6);
    QCOMPARE(w.currentId, 16);
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("自 相 矛 盾"));
    click(w.Image5);
    click(w.Image5);
    QCOMPARE(w.currentId, 14);
    QCOMPARE(t.notices.size(), 0);
}

void Form1SearchTest::clicksDuringFillAreHeldOff()
{
    const PassEveryRow passes;
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    const int expected = 2 * w.idiomCount; // "%": every idiom, then every initials
    QGuiApplication::clipboard()->setText(QStringLiteral("stale"));

    bool acted = false;
    QString cardBefore, cardAfterButtons, idiomShown, copied;
    int idBefore = 0, idAfterButtons = 0, chosenId = 0, idAfterChoosing = 0;
    qsizetype noticesDuring = -1;
    DuringSearch user(w, [&] {
        const int shownRows = w.List1->model()->rowCount();
        if (shownRows < 3)
            return false;
        acted = true;
        cardBefore = cardOf(w);
        idBefore = w.currentId;
        for (ImageButton *button : {w.Image1, w.Image4, w.Image5, w.Image6, w.Image7})
            click(button);
        cardAfterButtons = cardOf(w);
        idAfterButtons = w.currentId;
        noticesDuring = t.notices.size();

        idiomShown = w.Lab[1]->caption();
        click(w.Lab[1]);
        copied = QGuiApplication::clipboard()->text();

        int row = 0;
        while (w.List1->itemData(row) == idBefore)
            ++row;
        chosenId = w.List1->itemData(row);
        clickEntry(w.List1, row);
        idAfterChoosing = w.currentId;
        return true;
    });
    search(w, QStringLiteral("%"));

    QVERIFY(acted);
    QCOMPARE(cardAfterButtons, cardBefore);
    QCOMPARE(idAfterButtons, idBefore);
    QCOMPARE(noticesDuring, 0);
    QVERIFY(!idiomShown.isEmpty());
    QCOMPARE(copied, idiomShown);
    QCOMPARE(idAfterChoosing, idBefore); // held until the fill ends

    QCOMPARE(w.List1->listCount(), expected);
    QCOMPARE(w.List1->model()->rowCount(), expected);
    QVERIFY(!w.isSearching());
    QVERIFY(!w.Picture3->isVisible());
    QCOMPARE(w.currentId, chosenId);
    QCOMPARE(w.Label5->caption(), QStringLiteral("编号：%1").arg(chosenId));
    QCOMPARE(t.notices.size(), 0);

    w.ShowIdiom(2); // the search left the recordset closed
    QCOMPARE(w.currentId, 2);
}

void Form1SearchTest::closingDuringFillEndsSearch()
{
    const PassEveryRow passes;
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    const int expected = 2 * w.idiomCount;

    bool closed = false;
    int passesAfterClosing = 0;
    DuringSearch user(w, [&] {
        if (closed)
            ++passesAfterClosing;
        else if (w.List1->model()->rowCount() > 0)
            closed = w.close();
        return false;
    });
    search(w, QStringLiteral("%"));

    QVERIFY(closed);
    QCOMPARE(passesAfterClosing, 0); // the fill stopped where the window closed
    QVERIFY(!w.isVisible());
    QVERIFY(!w.isSearching());
    QVERIFY(!w.Picture3->isVisible());
    QVERIFY2(w.List1->listCount() < expected, qPrintable(QString::number(w.List1->listCount())));
    QCOMPARE(t.notices.size(), 0);
    w.ShowIdiom(3); // nothing left open
    QCOMPARE(w.currentId, 3);
}

void Form1SearchTest::fullDataFirstCharacter()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build carries only the sample data");
#else
    SearchWindow t(WindowData::Carried);
    Form1 &w = t.w;
    QVERIFY(t.show());
    search(w, QStringLiteral("一"));
    QCOMPARE(t.notices.size(), 0);
    QCOMPARE(w.List1->listCount(), 349);
    for (int row = 0; row < w.List1->listCount(); ++row)
        QVERIFY2(w.List1->list(row).startsWith(QStringLiteral("一")), qPrintable(w.List1->list(row)));
    QCOMPARE(w.currentId, 1);
#endif
}

QTEST_MAIN(Form1SearchTest)
#include "tst_form1search.moc"
