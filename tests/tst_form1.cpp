// The main window: start-up with and without a usable data file, the
// folding search pane, the card (showing an idiom by id, spacing its
// characters, browsing, the random idiom, copying a field), and the search
// as the user runs it.
#include "windowharness.h"

#include "widgets/picturebox.h"
#include "widgets/storenotice.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QSet>

namespace {

// The window's geometry and which of its panes show, on one line.
QString layoutOf(Form1 &w)
{
    w.layout()->activate();
    const auto rect = [](const QRect &r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    return QStringLiteral("window %1x%2; client %3; card %4; pane %5 %6; tab %7 %8")
        .arg(w.width()).arg(w.height())
        .arg(rect(w.client->geometry()), rect(w.Picture2->geometry()), rect(w.Picture1->geometry()),
             w.Picture1->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"),
             rect(w.Image3->geometry()),
             w.Image3->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
}

// The search pane's contents and the card, on one line.
QString contentsOf(const Form1 &w)
{
    QStringList entries;
    for (int row = 0; row < w.List1->listCount(); ++row)
        entries << QStringLiteral("%1=%2").arg(w.List1->list(row)).arg(w.List1->itemData(row));
    return QStringLiteral("text %1; list %2; selected %3; card %4; id %5")
        .arg(w.Text1->text(), entries.join(QLatin1Char(',')))
        .arg(w.List1->selCount() ? w.List1->listIndex() : -1)
        .arg(cardOf(w))
        .arg(w.currentId);
}

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private slots:
    void startupShowsFirstIdiomCollapsed();
    void searchPaneFoldsAndUnfolds();
    void startupWithoutStoreShowsAnEmptyCard();
    void showIdiomClampsToStore_data();
    void showIdiomClampsToStore();
    void showIdiomWithoutStoreThrows();
    void absentFieldsClearTheirLabels();
    void missingIdIsToldAndStoreStaysUsable();
    void spaceChars_data();
    void spaceChars();
    void browsingByFirstPreviousNext();
    void buttonsWithoutStoreSayWhy();
    void randomIdiomStaysInRangeAndRepeats();
    void copyFieldToClipboard_data();
    void copyFieldToClipboard();
    void fullDataStartup();

    void searchLists_data();
    void searchLists();
    void emptyTextAsksForInput();
    void newSearchReplacesResults();
    void enterSearchesAndNothingFoundIsSaid();
    void busyIndicatorIsPaintedBeforeTheResults();
    void chosenResultGoesToCard();
    void fullDataFirstCharacter();

private:
    WindowTestEnvironment m_environment;
};

void Form1Test::startupShowsFirstIdiomCollapsed()
{
    TestWindow t(WindowData::Small);
    Form1 &w = t.w;
    QVERIFY(t.show());

    QCOMPARE(w.windowTitle(), QStringLiteral("岚舟·vura - 1.0"));
    QCOMPARE(w.idiomCount, 16);
    QCOMPARE(w.currentId, 1);
    QCOMPARE(w.Label5->caption(), QStringLiteral("编号：1"));
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("爱 不 释 手"));

    QCOMPARE(w.client->width(), 454);
    QCOMPARE(w.client->height(), 373);
    QCOMPARE(w.Picture2->x(), 20);
    QVERIFY(!w.Picture1->isVisible());
    QVERIFY(w.Image3->isVisible());
    QVERIFY(!w.Picture3->isVisible());

    w.reportStartupFailure(); // the store opened: nothing to tell
    QCOMPARE(t.notices.size(), 0);
}

void Form1Test::searchPaneFoldsAndUnfolds()
{
    TestWindow t(WindowData::Small);
    Form1 &w = t.w;
    QVERIFY(t.show());
    const QString collapsed = layoutOf(w);

    click(w.Image3);
    QCOMPARE(w.client->width(), 589);
    QCOMPARE(w.client->height(), 373);
    QCOMPARE(w.Picture2->x(), 155);
    QVERIFY(w.Picture1->isVisible());
    const QString expanded = layoutOf(w);
    QVERIFY(expanded != collapsed);
    w.Image3_Click();
    QCOMPARE(layoutOf(w), expanded);

    // Folding leaves what the pane and the card hold alone.
    search(w, QStringLiteral("一"));
    clickEntry(w.List1, 1);
    QCOMPARE(w.currentId, 13);
    const QString contents = contentsOf(w);

    click(w.Image2);
    QCOMPARE(layoutOf(w), collapsed);
    QCOMPARE(contentsOf(w), contents);
    click(w.Image3);
    QCOMPARE(layoutOf(w), expanded);
    QCOMPARE(contentsOf(w), contents);
    QCOMPARE(t.notices.size(), 0);
}

void Form1Test::startupWithoutStoreShowsAnEmptyCard()
{
    TestWindow t(WindowData::EmptyFile);
    Form1 &w = t.w;
    const QString dataFile = t.dataFile();

    QCOMPARE(QFileInfo(dataFile).size(), 0); // kept, not written over
    QCOMPARE(w.startupFailure()->kind(), StoreError::Empty);
    QCOMPARE(w.idiomCount, 0);
    QCOMPARE(w.currentId, 1);
    QCOMPARE(cardOf(w), QStringLiteral(" |  |  |  |  | ")); // no made-up idiom behind the notice
    QCOMPARE(t.notices.size(), 0); // nothing shown before the window is

    QVERIFY(t.show());
    w.reportStartupFailure();
    QCOMPARE(t.notices.size(), 1);
    QVERIFY2(t.notices[0].prompt.contains(QDir::toNativeSeparators(dataFile)), qPrintable(t.notices[0].prompt));
    QCOMPARE(t.notices[0].text(), information(t.notices[0].prompt));
}

void Form1Test::showIdiomClampsToStore_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("shown");
    QTest::newRow("first") << 1 << 1;
    QTest::newRow("inside") << 8 << 8;
    QTest::newRow("last") << 16 << 16;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -5 << 1;
    QTest::newRow("lowest int") << std::numeric_limits<int>::min() << 1;
    QTest::newRow("one past the last") << 17 << 16;
    QTest::newRow("highest int") << std::numeric_limits<int>::max() << 16;
}

void Form1Test::showIdiomClampsToStore()
{
    QFETCH(int, asked);
    QFETCH(int, shown);
    TestWindow t(WindowData::Small);
    Form1 &w = t.w;
    w.ShowIdiom(5); // away from both ends first

    w.ShowIdiom(asked);
    QCOMPARE(w.currentId, shown);
    QCOMPARE(w.Label5->caption(), QStringLiteral("编号：%1").arg(shown));
    QCOMPARE(w.Lab[1]->caption(), Form1::SpaceChars(kSmallIdioms[shown - 1]));
}

void Form1Test::showIdiomWithoutStoreThrows()
{
    TestWindow t(WindowData::EmptyFile);
    Form1 &w = t.w;
    const QString card = cardOf(w);

    // Every id comes down to 1, and each call fails for the reason start-up found.
    for (int id : {1, 0, 5, -5, 1}) {
        QVERIFY_THROWS_EXCEPTION(StoreError, w.ShowIdiom(id));
        QCOMPARE(w.currentId, 1);
    }
    QCOMPARE(cardOf(w), card);
}

void Form1Test::absentFieldsClearTheirLabels()
{
    TestWindow t(WindowData::Small);
    Form1 &w = t.w;
    w.ShowIdiom(12); // every field present

    w.ShowIdiom(14); // no meaning, no example
    QCOMPARE(w.Label5->caption(), QStringLiteral("编号：14"));
    QCOMPARE(w.Lab[0]->caption(), QStringLiteral("yī  yán  jì  chū，sì  mǎ  nán  zhuī"));
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("一 言 既 出 ， 驷 马 难 追"));
    QCOMPARE(w.Lab[2]->caption(), QString(""));
    QCOMPARE(w.Lab[3]->caption(), QStringLiteral("《论语》"));
    QCOMPARE(w.Lab[4]->caption(), QString(""));

    w.ShowIdiom(9); // a meaning, but no source and no example
    QCOMPARE(w.Lab[2]->caption(), QStringLiteral("人聚得极多。"));
    QCOMPARE(w.Lab[3]->caption(), QString(""));
    QCOMPARE(w.Lab[4]->caption(), QString(""));
}

void Form1Test::missingIdIsToldAndStoreStaysUsable()
{
    // A data file of the user's own whose ids have a gap.
    TestWindow t(WindowData::Small,
                 [](const QString &dataFile) { TestData::execute(dataFile, "DELETE FROM cy WHERE id=5"); });
    Form1 &w = t.w;
    QCOMPARE(w.idiomCount, 15);
    QVERIFY(t.show());
    w.ShowIdiom(4);
    const QString card = cardOf(w);

    click(w.Image6);
    QCOMPARE(t.notices.size(), 1);
    const QString told = t.notices[0].prompt;
    const QString folder = QDir::toNativeSeparators(t.dir.path()); // as the user reads it
    QVERIFY2(told.contains(QDir::toNativeSeparators(t.dataFile())), qPrintable(told));
    QVERIFY2(QString(told).remove(folder).contains(QLatin1Char('5')), qPrintable(told)); // names the id
    QCOMPARE(t.notices[0].text(), information(t.notices[0].prompt));
    QCOMPARE(cardOf(w), card);

    w.ShowIdiom(6); // the store goes on
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("难 兄 难 弟"));
    QCOMPARE(t.notices.size(), 1);
}

void Form1Test::spaceChars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("spaced");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("one character") << "一" << "一";
    QTest::newRow("two characters") << "一二" << "一 二";
    QTest::newRow("four characters") << "嗷嗷待哺" << "嗷 嗷 待 哺";
    QTest::newRow("with punctuation") << "一言既出，驷马难追" << "一 言 既 出 ， 驷 马 难 追";
    QTest::newRow("inner space is a character too") << "a b" << "a   b";
    QTest::newRow("outer spaces trimmed") << " 一二 " << "一 二";
    QTest::newRow("one character stays as it is, a space too") << " " << " ";
    QTest::newRow("ideographic space kept") << QStringLiteral("\u3000一") << QStringLiteral("\u3000 一");
    QTest::newRow("outside the basic plane") << QStringLiteral("\U00020000一") << QStringLiteral("\U00020000 一");
    QTest::newRow("only outside the basic plane") << QStringLiteral("\U00020000\U00020001") << QStringLiteral("\U00020000 \U00020001");
}

void Form1Test::spaceChars()
{
    QFETCH(QString, text);
    QFETCH(QString, spaced);
    QCOMPARE(Form1::SpaceChars(text), spaced);
}

void Form1Test::browsingByFirstPreviousNext()
{
    TestWindow t(WindowData::Small);
    Form1 &w = t.w;
    QVERIFY(t.show());

    // 最前/后 goes to the last idiom from the first, to the first from any other.
    click(w.Image4);
    QCOMPARE(w.currentId, 16);
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("自 相 矛 盾"));
    click(w.Image4);
    QCOMPARE(w.currentId, 1);
    w.ShowIdiom(8);
    click(w.Image4);
    QCOMPARE(w.currentId, 1);

    const QString first = cardOf(w);
    click(w.Image5);
    QCOMPARE(t.noticeTexts(), QStringList{information(QStringLiteral("已经是最前一个成语了！"))});
    QCOMPARE(cardOf(w), first);
    QCOMPARE(w.currentId, 1);

    click(w.Image6);
    QCOMPARE(w.currentId, 2);
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("爱 屋 及 乌"));
    click(w.Image5);
    QCOMPARE(w.currentId, 1);

    t.notices.clear();
    w.ShowIdiom(16);
    const QString last = cardOf(w);
    click(w.Image6);
    QCOMPARE(t.noticeTexts(), QStringList{information(QStringLiteral("已经是最后一个成语了！"))});
    QCOMPARE(cardOf(w), last);
    QCOMPARE(w.currentId, 16);
}

void Form1Test::buttonsWithoutStoreSayWhy()
{
    TestWindow t(WindowData::EmptyFile);
    Form1 &w = t.w;
    QVERIFY(t.show());
    w.reportStartupFailure();
    QCOMPARE(t.notices.size(), 1);
    const QString why = t.notices[0].text();
    QVERIFY2(why.contains(QStringLiteral("删除")), qPrintable(why)); // and what to do about it
    const QString card = cardOf(w);

    // Every button that needs the idioms says the same, whatever the end of the table.
    w.Image3_Click();
    w.Text1->setText(QStringLiteral("一"));
    for (ImageButton *button : {w.Image4, w.Image5, w.Image6, w.Image7, w.Image1})
        click(button);
    QCOMPARE(t.noticeTexts(), QStringList(6, why));
    QCOMPARE(t.notices[0].text(), information(storeNotice(*w.startupFailure())));
    QCOMPARE(w.currentId, 1);
    QCOMPARE(cardOf(w), card);
}

void Form1Test::randomIdiomStaysInRangeAndRepeats()
{
    QList<int> sequences[2];
    QSet<int> seen;
    for (QList<int> &sequence : sequences) {
        TestWindow t(WindowData::Small);
        Form1 &w = t.w;
        QVERIFY(t.show());
        for (int n = 0; n < 1000; ++n) {
            click(w.Image7);
            const int id = w.currentId;
            QVERIFY2(id >= 1 && id <= 16, qPrintable(QString::number(id)));
            if (n < 20)
                sequence << id;
            seen << id;
        }
        QCOMPARE(w.Label5->caption(), QStringLiteral("编号：%1").arg(w.currentId));
        QCOMPARE(t.notices.size(), 0);
    }
    QCOMPARE(seen.size(), 16); // both ends are reached
    QCOMPARE(sequences[1], sequences[0]);
}

void Form1Test::copyFieldToClipboard_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("copied"); // null: what the clipboard held before

    QTest::newRow("idiom, spaced") << 1 << 1 << "爱 不 释 手";
    QTest::newRow("pinyin") << 1 << 0 << "ài  bù  shì  shǒu";
    QTest::newRow("meaning") << 1 << 2 << "喜爱得舍不得放下。";
    QTest::newRow("source") << 1 << 3 << "《三国志》";
    QTest::newRow("example") << 1 << 4 << "这本书他～。";
    QTest::newRow("absent meaning: the clipboard stays") << 14 << 2 << QString();
    const QString wraps = QString(40, QChar(0x4E00)) + QStringLiteral("。");
    QTest::newRow("wrapped meaning") << 2 << 2 << QStringLiteral("长的意思") + wraps;
    QTest::newRow("wrapped source") << 2 << 3 << QStringLiteral("长的出处") + wraps;
    QTest::newRow("wrapped example") << 2 << 4 << QStringLiteral("长的例子") + wraps;
}

void Form1Test::copyFieldToClipboard()
{
    QFETCH(int, id);
    QFETCH(int, field);
    QFETCH(QString, copied);
    TestWindow t(WindowData::Small, [](const QString &dataFile) { // texts too long for one line
        const QByteArray wraps = QString(40, QChar(0x4E00)).toUtf8() + "。";
        TestData::execute(dataFile, "UPDATE cy SET ys = '长的意思" + wraps + "', cc = '长的出处" + wraps
                                        + "', lz = '长的例子" + wraps + "' WHERE id = 2");
    });
    Form1 &w = t.w;
    w.ShowIdiom(id);
    QVERIFY(t.show());

    // Another field first: the second click leaves only its own text.
    click(w.Lab[(field + 1) % 5]);
    const QString before = QGuiApplication::clipboard()->text();
    QVERIFY(!before.isEmpty());
    click(w.Lab[field]);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied.isNull() ? before : copied);
    QCOMPARE(t.notices.size(), 0);
}

void Form1Test::fullDataStartup()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build carries only the sample data");
#else
    TestWindow t(WindowData::Carried);
    Form1 &w = t.w;
    QFile written(t.dataFile());
    QFile built(QStringLiteral(VURA_DATA_FILE));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(built.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll() == built.readAll());

    QCOMPARE(w.idiomCount, 12976);
    QCOMPARE(w.currentId, 1);
    QCOMPARE(w.Lab[1]->caption(), QStringLiteral("哀 哀 父 母"));
    w.reportStartupFailure();
    QCOMPARE(t.notices.size(), 0);
#endif
}

namespace {

// A window on the small data with the search pane open, as the user sees it.
struct SearchWindow : TestWindow
{
    explicit SearchWindow(WindowData data = WindowData::Small) : TestWindow(data) { w.Image3_Click(); }
};

} // namespace

void Form1Test::searchLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("ids");
    const QList<int> everyIdiomTwice = TestData::everyId(2);
    // What the look-ups find for every kind of text is the store's test; here,
    // that the window lists it whole.
    QTest::newRow("first character") << "一" << QList<int>{12, 13, 14};
    QTest::newRow("every idiom, twice") << "%" << everyIdiomTwice;
    QTest::newRow("a statement of its own") << "'; DROP TABLE cy; --" << QList<int>{};
}

void Form1Test::searchLists()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, ids);
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    w.ShowIdiom(5);
    const QString card = cardOf(w);

    search(w, text);
    QCOMPARE(listedIds(w.List1), ids);
    for (int row = 0; row < ids.size(); ++row)
        QCOMPARE(w.List1->list(row), kSmallIdioms[ids[row] - 1]);
    QCOMPARE(w.List1->model()->rowCount(), ids.size());
    QCOMPARE(w.List1->selCount(), 0);
    QCOMPARE(cardOf(w), card);
    QCOMPARE(w.currentId, 5);
    QVERIFY(!w.Picture3->isVisible());
    QCOMPARE(t.notices.size(), 0);
}

void Form1Test::emptyTextAsksForInput()
{
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    search(w, QStringLiteral("一"));
    const QList<int> found = listedIds(w.List1);

    search(w, QString());
    QCOMPARE(t.noticeTexts(), QStringList{information(QStringLiteral("请输入成语、成语首字或成语拼音简码进行查找！"))});
    QCOMPARE(listedIds(w.List1), found);
}

void Form1Test::newSearchReplacesResults()
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
    QCOMPARE(w.currentId, 9);
    QCOMPARE(t.notices.size(), 0);
}

void Form1Test::enterSearchesAndNothingFoundIsSaid()
{
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    w.Text1->setText(QStringLiteral("yi xin"));
    QTest::keyClick(w.Text1, Qt::Key_Return); // Enter is 查找
    QCOMPARE(listedIds(w.List1), QList<int>{12}); // found by its pinyin
    QVERIFY(w.List1->emptyText().isEmpty());

    // Nothing found at all: said in the list, without a notice.
    search(w, QStringLiteral("zzzz"));
    QCOMPARE(w.List1->listCount(), 0);
    QCOMPARE(w.List1->emptyText(), QStringLiteral("没有找到相符的成语。"));
    search(w, QStringLiteral("一"));
    QVERIFY(w.List1->emptyText().isEmpty());
    QCOMPARE(t.notices.size(), 0);
}

// The indicator shows while the look-ups run: it is painted, over the
// emptied list, before the results arrive, and gone afterwards.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget *watched, const ListBox *list) : m_list(list) { watched->installEventFilter(this); }
    QList<int> entriesAtPaint;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            entriesAtPaint << m_list->listCount();
        return false;
    }

private:
    const ListBox *m_list;
};

void Form1Test::busyIndicatorIsPaintedBeforeTheResults()
{
    SearchWindow t;
    Form1 &w = t.w;
    QVERIFY(t.show());
    search(w, QStringLiteral("一"));
    QVERIFY(w.List1->listCount() > 0);

    PaintWatch watch(w.Picture3, w.List1);
    search(w, QStringLiteral("%"));
    QCOMPARE(watch.entriesAtPaint, QList<int>{0});
    QVERIFY(!w.Picture3->isVisible());
    QCOMPARE(w.List1->listCount(), 2 * TestData::kCount);
}

void Form1Test::chosenResultGoesToCard()
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

    // The arrow keys move the card with the selection.
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
    QTest::keyClick(w.List1, Qt::Key_Down);

    // Browsing goes on from the chosen idiom's id, not from the list.
    click(w.Image6);
    QCOMPARE(w.currentId, 16);
    click(w.Image5);
    click(w.Image5);
    QCOMPARE(w.currentId, 14);
    QCOMPARE(t.notices.size(), 0);
}

void Form1Test::fullDataFirstCharacter()
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

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
