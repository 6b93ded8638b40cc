// The main window: start-up with and without a usable data file, the
// folding search pane, the card (showing an idiom by id, spacing its
// characters, browsing, the random idiom, copying a field), and the search
// as the user runs it.
#include "windowharness.h"

#include "fakespeaker.h"
#include "speech/readaloud.h"

#include "lookup/historywindow.h"
#include "lookup/importreport.h"
#include "lookup/wordbookwindow.h"
#include "models/storenotice.h"
#include "reader/readerstore.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QSet>
#include <QTreeView>

namespace {

// The window's geometry and which of its panes show, on one line.
QString layoutOf(MainWindow &w, const MainControls &c)
{
    w.layout()->activate();
    const auto rect = [](const QRect &r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    return QStringLiteral("window %1x%2; inside %3; card %4; pane %5 %6; tab %7 %8")
        .arg(w.width()).arg(w.height())
        .arg(rect(w.centralWidget()->geometry()), rect(c.card->geometry()), rect(c.searchPane->geometry()),
             c.searchPane->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"),
             rect(c.unfoldTab->geometry()),
             c.unfoldTab->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
}

// The search pane's contents and the card, on one line.
QString contentsOf(const MainWindow &w, const MainControls &c)
{
    QStringList entries;
    const QList<int> ids = listedIds(c.resultList);
    for (int row = 0; row < ids.size(); ++row)
        entries << QStringLiteral("%1=%2").arg(entriesOf(c.resultList)[row]).arg(ids[row]);
    return QStringLiteral("text %1; list %2; selected %3; card %4; id %5")
        .arg(c.searchField->text(), entries.join(QLatin1Char(',')))
        .arg(c.resultList->selectedRow())
        .arg(cardOf(c))
        .arg(w.currentId());
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startupShowsFirstIdiomCollapsed();
    void searchPaneFoldsAndUnfolds();
    void startupWithoutStoreShowsAnEmptyCard();
    void readAloudButtonLeavesTheCardAsItWas();
    void readAloudGreyedWithoutVoiceInstalled();
    void showIdiomClampsToStore_data();
    void showIdiomClampsToStore();
    void showIdiomWithoutStoreTellsWhy();
    void absentFieldsClearTheirLabels();
    void missingIdIsToldAndStoreStaysUsable();
    void spacedOut_data();
    void spacedOut();
    void browsingByFirstPreviousNext();
    void buttonsWithoutStoreSayWhy();
    void randomIdiomStaysInRangeAndRepeats();
    void copyFieldToClipboard_data();
    void copyFieldToClipboard();
    void fullDataStartup();
    void historyAndWordBook();
    void chosenEntriesOfHistoryAndWordBook();

    void searchLists_data();
    void searchLists();
    void emptyTextAsksForInput();
    void newSearchReplacesResults();
    void enterSearchesAndNothingFoundIsSaid();
    void chosenResultGoesToCard();
    void howTheResultsWereFoundIsSaid_data();
    void howTheResultsWereFoundIsSaid();

private:
    WindowTestEnvironment m_environment;
};

void MainWindowTest::startupShowsFirstIdiomCollapsed()
{
    TestWindow t(WindowData::Small);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QVERIFY(t.show());

    QCOMPARE(w.currentId(), 1);
    QCOMPARE(c.number->text(), QStringLiteral("编号：1"));
    QCOMPARE(c.fields[1]->text(), QStringLiteral("爱 不 释 手"));
    QVERIFY(!c.searchPane->isVisible());
    QVERIFY(c.unfoldTab->isVisible());
    QVERIFY(!c.busyIndicator->isVisible());
    QCOMPARE(t.notices.size(), 0);
}

void MainWindowTest::searchPaneFoldsAndUnfolds()
{
    TestWindow t(WindowData::Small);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QVERIFY(t.show());
    const QString collapsed = layoutOf(w, c);

    click(c.unfoldTab);
    QVERIFY(c.searchPane->isVisible());
    QVERIFY(w.centralWidget()->width() > c.searchPane->width() + c.card->width()); // side by side
    const QString expanded = layoutOf(w, c);
    QVERIFY(expanded != collapsed);
    w.unfoldSearchPane();
    QCOMPARE(layoutOf(w, c), expanded);

    // Folding leaves what the pane and the card hold alone.
    search(c, QStringLiteral("一"));
    clickEntry(c.resultList, 1);
    QCOMPARE(w.currentId(), 13);
    const QString contents = contentsOf(w, c);

    click(c.foldTab);
    QCOMPARE(layoutOf(w, c), collapsed);
    QCOMPARE(contentsOf(w, c), contents);
    click(c.unfoldTab);
    QCOMPARE(layoutOf(w, c), expanded);
    QCOMPARE(contentsOf(w, c), contents);
    QCOMPARE(t.notices.size(), 0);
}

void MainWindowTest::readAloudButtonLeavesTheCardAsItWas()
{
    // At 100 %, the button changes no pixel of the card outside its own
    // place, greyed or not.
    TestWindow t(WindowData::Small);
    QVERIFY(t.show());
    const QImage before = t.c.card->grab().toImage();
    QStringList calls;
    ReadAloud mute([&calls] { return std::make_unique<FakeSpeaker>(false, &calls); });
    t.w.setReadAloud(&mute);
    auto *button = control<ImageButton>(t.w, "readAloudButton");
    const QImage shown = t.c.card->grab().toImage();
    QVERIFY(mute.read(QString(), QString()) == false);
    QVERIFY(!button->isEnabled());
    const QImage greyed = t.c.card->grab().toImage();
    QCOMPARE(before.size(), shown.size());
    const QRect place(button->mapTo(t.c.card, QPoint(0, 0)), button->size());
    int changedInside = 0, changedOutside = 0, greyedInside = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const bool inside = place.contains(x, y);
            const bool changed = before.pixel(x, y) != shown.pixel(x, y);
            (inside ? changedInside : changedOutside) += changed;
            greyedInside += inside && greyed.pixel(x, y) != shown.pixel(x, y);
            QVERIFY(inside || greyed.pixel(x, y) == before.pixel(x, y));
        }
    }
    QCOMPARE(changedOutside, 0);
    QVERIFY(changedInside > 100 && greyedInside > 100);
}

void MainWindowTest::readAloudGreyedWithoutVoiceInstalled()
{
    // Known at start: greyed with the reason as its tooltip, and no notice
    // until the reader presses it.
    TestWindow t(WindowData::Small);
    QVERIFY(t.show());
    QStringList calls;
    ReadAloud mute([&calls] { return std::make_unique<FakeSpeaker>(true, &calls); });
    const QString reason = QStringLiteral("没有中文语音。请安装 espeak-ng 和 speech-dispatcher-espeak-ng。");
    mute.lookForVoice([&reason] { return reason; });
    t.w.setReadAloud(&mute);
    auto *button = control<ImageButton>(t.w, "readAloudButton");
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->toolTip(), reason);
    QCOMPARE(t.notices.size(), 0);
    t.w.readAloud();
    QCOMPARE(t.notices.size(), 1);
    QCOMPARE(t.notices.first().text, reason);
    QVERIFY(calls.isEmpty());
}

void MainWindowTest::startupWithoutStoreShowsAnEmptyCard()
{
    TestWindow t(WindowData::EmptyFile);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    const QString dataFile = t.dataFile();

    QCOMPARE(QFileInfo(dataFile).size(), 0); // kept, not written over
    QCOMPARE(t.dictionary().failure->kind(), StoreError::Empty);
    QCOMPARE(t.dictionary().count, 0);
    QCOMPARE(w.currentId(), 1);
    QCOMPARE(cardOf(c), QStringLiteral(" |  |  |  |  | ")); // no made-up idiom behind the notice
    QCOMPARE(t.notices.size(), 0); // the program tells why, once (tst_mainmenu)
}

void MainWindowTest::showIdiomClampsToStore_data()
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

void MainWindowTest::showIdiomClampsToStore()
{
    QFETCH(int, asked);
    QFETCH(int, shown);
    TestWindow t(WindowData::Small);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    w.showIdiom(5); // away from both ends first

    w.showIdiom(asked);
    QCOMPARE(w.currentId(), shown);
    QCOMPARE(c.number->text(), QStringLiteral("编号：%1").arg(shown));
    QCOMPARE(c.fields[1]->text(), MainWindow::spacedOut(kSmallIdioms[shown - 1]));
}

void MainWindowTest::showIdiomWithoutStoreTellsWhy()
{
    TestWindow t(WindowData::EmptyFile);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    const QString card = cardOf(c);

    // Every id comes down to 1, and each call tells the reason start-up found.
    for (int id : {1, 0, 5, -5, 1}) {
        w.showIdiom(id);
        QCOMPARE(w.currentId(), 1);
    }
    QCOMPARE(t.noticeLines(), QStringList(5, information(storeNotice(*t.dictionary().failure))));
    QCOMPARE(cardOf(c), card);
}

void MainWindowTest::absentFieldsClearTheirLabels()
{
    TestWindow t(WindowData::Small);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    w.showIdiom(12); // every field present

    w.showIdiom(14); // no meaning, no example
    QCOMPARE(c.number->text(), QStringLiteral("编号：14"));
    QCOMPARE(c.fields[0]->text(), QStringLiteral("yī  yán  jì  chū，sì  mǎ  nán  zhuī"));
    QCOMPARE(c.fields[1]->text(), QStringLiteral("一 言 既 出 ， 驷 马 难 追"));
    QCOMPARE(c.fields[2]->text(), QString(""));
    QCOMPARE(c.fields[3]->text(), QStringLiteral("《论语》"));
    QCOMPARE(c.fields[4]->text(), QString(""));

    w.showIdiom(9); // a meaning, but no source and no example
    QCOMPARE(c.fields[2]->text(), QStringLiteral("人聚得极多。"));
    QCOMPARE(c.fields[3]->text(), QString(""));
    QCOMPARE(c.fields[4]->text(), QString(""));
}

void MainWindowTest::missingIdIsToldAndStoreStaysUsable()
{
    // A data file of the user's own whose ids have a gap.
    TestWindow t(WindowData::Small,
                 [](const QString &dataFile) { TestData::execute(dataFile, "DELETE FROM cy WHERE id=5"); });
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QCOMPARE(t.dictionary().count, 15);
    QVERIFY(t.show());
    w.showIdiom(4);
    const QString card = cardOf(c);

    click(c.next);
    QCOMPARE(t.notices.size(), 1);
    const QString told = t.notices[0].text;
    const QString folder = QDir::toNativeSeparators(t.dir.path()); // as the user reads it
    QVERIFY2(told.contains(QDir::toNativeSeparators(t.dataFile())), qPrintable(told));
    QVERIFY2(QString(told).remove(folder).contains(QLatin1Char('5')), qPrintable(told)); // names the id
    QCOMPARE(t.notices[0].line(), information(t.notices[0].text));
    QCOMPARE(cardOf(c), card);

    w.showIdiom(6); // the store goes on
    QCOMPARE(c.fields[1]->text(), QStringLiteral("难 兄 难 弟"));
    QCOMPARE(t.notices.size(), 1);
}

void MainWindowTest::spacedOut_data()
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

void MainWindowTest::spacedOut()
{
    QFETCH(QString, text);
    QFETCH(QString, spaced);
    QCOMPARE(MainWindow::spacedOut(text), spaced);
}

void MainWindowTest::browsingByFirstPreviousNext()
{
    TestWindow t(WindowData::Small);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QVERIFY(t.show());

    // 最前/后 goes to the last idiom from the first, to the first from any other.
    click(c.firstOrLast);
    QCOMPARE(w.currentId(), 16);
    QCOMPARE(c.fields[1]->text(), QStringLiteral("自 相 矛 盾"));
    click(c.firstOrLast);
    QCOMPARE(w.currentId(), 1);
    w.showIdiom(8);
    click(c.firstOrLast);
    QCOMPARE(w.currentId(), 1);

    const QString first = cardOf(c);
    click(c.previous);
    QCOMPARE(t.noticeLines(), QStringList{information(QStringLiteral("已经是最前一个成语了！"))});
    QCOMPARE(cardOf(c), first);
    QCOMPARE(w.currentId(), 1);

    click(c.next);
    QCOMPARE(w.currentId(), 2);
    QCOMPARE(c.fields[1]->text(), QStringLiteral("爱 屋 及 乌"));
    click(c.previous);
    QCOMPARE(w.currentId(), 1);

    t.notices.clear();
    w.showIdiom(16);
    const QString last = cardOf(c);
    click(c.next);
    QCOMPARE(t.noticeLines(), QStringList{information(QStringLiteral("已经是最后一个成语了！"))});
    QCOMPARE(cardOf(c), last);
    QCOMPARE(w.currentId(), 16);
}

void MainWindowTest::buttonsWithoutStoreSayWhy()
{
    TestWindow t(WindowData::EmptyFile);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QVERIFY(t.show());
    const QString why = information(storeNotice(*t.dictionary().failure));
    QVERIFY2(why.contains(QStringLiteral("删除")), qPrintable(why)); // and what to do about it
    const QString card = cardOf(c);

    // Every button that needs the idioms says the same, whatever the end of the table.
    w.unfoldSearchPane();
    c.searchField->setText(QStringLiteral("一"));
    for (ImageButton *button : {c.firstOrLast, c.previous, c.next, c.random, c.searchButton})
        click(button);
    QCOMPARE(t.noticeLines(), QStringList(5, why));
    QCOMPARE(w.currentId(), 1);
    QCOMPARE(cardOf(c), card);
}

void MainWindowTest::randomIdiomStaysInRangeAndRepeats()
{
    QList<int> sequences[2];
    QSet<int> seen;
    for (QList<int> &sequence : sequences) {
        TestWindow t(WindowData::Small);
        MainWindow &w = t.w;
    const MainControls &c = t.c;
        QVERIFY(t.show());
        for (int n = 0; n < 1000; ++n) {
            click(c.random);
            const int id = w.currentId();
            QVERIFY2(id >= 1 && id <= 16, qPrintable(QString::number(id)));
            if (n < 20)
                sequence << id;
            seen << id;
        }
        QCOMPARE(c.number->text(), QStringLiteral("编号：%1").arg(w.currentId()));
        QCOMPARE(t.notices.size(), 0);
    }
    QCOMPARE(seen.size(), 16); // both ends are reached
    QCOMPARE(sequences[1], sequences[0]);
}

void MainWindowTest::copyFieldToClipboard_data()
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

void MainWindowTest::copyFieldToClipboard()
{
    QFETCH(int, id);
    QFETCH(int, field);
    QFETCH(QString, copied);
    TestWindow t(WindowData::Small, [](const QString &dataFile) { // texts too long for one line
        const QByteArray wraps = QString(40, QChar(0x4E00)).toUtf8() + "。";
        TestData::execute(dataFile, "UPDATE cy SET ys = '长的意思" + wraps + "', cc = '长的出处" + wraps
                                        + "', lz = '长的例子" + wraps + "' WHERE id = 2");
    });
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    w.showIdiom(id);
    QVERIFY(t.show());

    // Another field first: the second click leaves only its own text.
    click(c.fields[(field + 1) % 5]);
    const QString before = QGuiApplication::clipboard()->text();
    QVERIFY(!before.isEmpty());
    click(c.fields[field]);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied.isNull() ? before : copied);
    QCOMPARE(t.notices.size(), 0);
}

void MainWindowTest::historyAndWordBook()
{
    TestWindow t(WindowData::Small);
    ReaderStore reader; // keeps nothing beyond the test
    const auto idsOf = [](const auto &entries) {
        QList<int> ids;
        for (const auto &entry : entries)
            ids << entry.id;
        return ids;
    };
    t.w.setReaderStore(&reader);
    QVERIFY(t.show());
    QVERIFY(reader.history().isEmpty()); // idiom 1 at start-up is not the reader's choice
    click(t.c.next);
    click(t.c.next);
    search(t.c, QStringLiteral("杞人忧天"));
    clickEntry(t.c.resultList, 0);
    click(t.c.previous);
    QCOMPARE(idsOf(reader.history()), (QList<int>{7, 8, 3, 2}));

    // The toggle puts the card's idiom into the word book and shows it.
    auto *toggle = control<QCheckBox>(t.w, "wordBookToggle");
    click(toggle);
    QVERIFY(reader.inWordBook(7) && toggle->isChecked());
    HistoryWindow historyWindow(t.environment, reader, &t.w);
    QObject::connect(&historyWindow, &HistoryWindow::idiomChosen, &t.w, &MainWindow::showIdiom);
    historyWindow.show();
    ListView *history = control<ListView>(historyWindow, "historyList");
    QVERIFY(clickText(history, QStringLiteral("八九不离十")));
    QCOMPARE(t.w.currentId(), 3);
    QVERIFY(!toggle->isChecked());

    // The word book exports its cards, and lists back what the dictionary lacks.
    auto *book = new WordBookWindow(t.dictionary(), t.environment, reader, &t.w);
    QObject::connect(book, &WordBookWindow::changed, &t.w, &MainWindow::showWordBookState);
    const QString tsv = t.dir.filePath(QStringLiteral("book.tsv")), list = t.dir.filePath(QStringLiteral("list.txt"));
    QVERIFY(book->exportTo(tsv, WordBookWindow::Flashcards));
    QVERIFY(TestData::readFile(tsv).startsWith("难兄难弟\t"));
    QVERIFY(!book->exportTo(t.dir.filePath(QStringLiteral("none/book.txt")), WordBookWindow::PlainList));
    // A line is read as the search reads it; a guess waits for the reader.
    TestData::writeFile(list, "1. 愛不釋手\n• “一心一意”\n③ ren shan ren hai\n不是成语\nyi xin\n杞人忧添\n");
    book->importFrom(list);
    QCOMPARE(idsOf(reader.wordBook()), (QList<int>{9, 12, 1, 7}));
    QCOMPARE(t.notices.size(), 1); // the folder it could not write
    auto *report = control<ImportReport>(*book, "importReport");
    QCOMPARE(report->findChild<QPlainTextEdit *>("missingList")->toPlainText(), QStringLiteral("不是成语\nyi xin"));
    QCOMPARE(report->findChild<QPlainTextEdit *>("guessList")->toPlainText(), QStringLiteral("杞人忧添 → 杞人忧天"));
    click(control<QPushButton>(*report, "importGuessesButton"));
    QCOMPARE(reader.wordBook().size(), 5);
    report->close();

    // 移出 takes the chosen idiom out, and the card's box follows; 清空 empties the history.
    t.w.showIdiom(7);
    QVERIFY(toggle->isChecked());
    auto *bookList = control<QTreeView>(*book, "wordBookList");
    bookList->setCurrentIndex(bookList->model()->index(4, 0));
    click(control<QPushButton>(*book, "removeEntryButton"));
    QCOMPARE(idsOf(reader.wordBook()), (QList<int>{8, 9, 12, 1}));
    QCOMPARE(bookList->model()->rowCount(), 4);
    QVERIFY(!toggle->isChecked());
    t.confirms = false;
    click(control<QPushButton>(historyWindow, "clearHistoryButton"));
    QCOMPARE(t.notices.last().text, QStringLiteral("清空全部 4 条历史记录？清空后无法恢复。 [清空|取消]"));
    QCOMPARE(countOf(history), 4);
    t.confirms = true;
    click(control<QPushButton>(historyWindow, "clearHistoryButton"));
    QVERIFY(reader.history().isEmpty());
    QCOMPARE(countOf(history), 0);
}

void MainWindowTest::chosenEntriesOfHistoryAndWordBook()
{
    const auto idsOf = [](const auto &entries) {
        QList<int> ids;
        for (const auto &entry : entries)
            ids << entry.id;
        return ids;
    };
    // Dates read the same whatever the system's language.
    const QLocale systemLocale;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    TestWindow t(WindowData::Small);
    ReaderStore reader;
    t.w.setReaderStore(&reader);
    QVERIFY(t.show());
    for (int id : {2, 3, 4, 5})
        t.w.showIdiom(id);
    reader.addToWordBook({{1, kSmallIdioms[0]}, {2, kSmallIdioms[1]}, {3, kSmallIdioms[2]}});
    WordBookWindow book(t.dictionary(), t.environment, reader, &t.w);
    HistoryWindow historyWindow(t.environment, reader, &t.w);
    QObject::connect(&historyWindow, &HistoryWindow::idiomChosen, &t.w, &MainWindow::showIdiom);
    auto *bookList = control<QTreeView>(book, "wordBookList");
    QLocale::setDefault(systemLocale);
    QCOMPARE(bookList->model()->index(0, 1).data().toString(),
             QDate::currentDate().toString(QStringLiteral("yyyy年M月d日")));

    // The context menus, each action on the entries chosen.
    const auto menuOf = [](QWidget *list) {
        QStringList texts;
        for (const QAction *action : list->actions())
            texts << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
        return texts;
    };
    book.show();
    QApplication::setActiveWindow(&book);
    QCOMPARE(menuOf(bookList), (QStringList{"查看 (off)", "复制 (off)", "移出生词本 (off)"}));
    QTest::mouseClick(bookList->viewport(), Qt::LeftButton, {},
                      bookList->visualRect(bookList->model()->index(0, 0)).center());
    QTest::mouseClick(bookList->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      bookList->visualRect(bookList->model()->index(2, 0)).center());
    QCOMPARE(menuOf(bookList), (QStringList{"查看 (off)", "复制", "移出生词本"}));
    bookList->actions()[1]->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), kSmallIdioms[2] + "\n" + kSmallIdioms[0]);
    bookList->setFocus();
    QTest::keyClick(bookList, Qt::Key_Delete);
    QCOMPARE(idsOf(reader.wordBook()), QList<int>{2});
    QCOMPARE(bookList->model()->rowCount(), 1);

    historyWindow.show();
    QApplication::setActiveWindow(&historyWindow);
    ListView *history = control<ListView>(historyWindow, "historyList");
    QCOMPARE(listedIds(history), (QList<int>{5, 4, 3, 2}));
    clickEntry(history, 1);
    QCOMPARE(t.w.currentId(), 4); // one entry: a click shows it, as before
    QTest::mouseClick(history->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      history->visualRect(history->model()->index(3, 0)).center());
    QCOMPARE(t.w.currentId(), 4); // Ctrl adds to the choice and shows nothing
    QCOMPARE(menuOf(history), (QStringList{"查看 (off)", "复制", "从历史中删除"}));
    history->setFocus();
    QTest::keyClick(history, Qt::Key_Delete);
    QCOMPARE(idsOf(reader.history()), (QList<int>{5, 3}));
    QCOMPARE(countOf(history), 2);
    clickEntry(history, 1);
    QCOMPARE(menuOf(history), (QStringList{"查看", "复制", "从历史中删除"}));
}

void MainWindowTest::fullDataStartup()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build carries only the sample data");
#else
    TestWindow t(WindowData::Carried);
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QFile written(t.dataFile());
    QFile built(QStringLiteral(VURA_DATA_FILE));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(built.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll() == built.readAll());

    QCOMPARE(t.dictionary().count, 12976);
    QCOMPARE(w.currentId(), 1);
    QCOMPARE(c.fields[1]->text(), QStringLiteral("哀 哀 父 母"));
    QVERIFY(!t.dictionary().failure);
#endif
}

namespace {

// A window on the small data with the search pane open, as the user sees it.
struct SearchWindow : TestWindow
{
    explicit SearchWindow(WindowData data = WindowData::Small) : TestWindow(data) { w.unfoldSearchPane(); }
};

} // namespace

void MainWindowTest::searchLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("ids");
    const QList<int> everyIdiomTwice = TestData::everyId(2);
    // What the look-ups find for every kind of text is the store's test; here,
    // that the window lists it whole.
    QTest::newRow("first character") << "一" << QList<int>{12, 13, 14};
    QTest::newRow("every idiom, twice") << "%" << everyIdiomTwice;
}

void MainWindowTest::searchLists()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, ids);
    SearchWindow t;
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QVERIFY(t.show());
    w.showIdiom(5);
    const QString card = cardOf(c);

    search(c, text);
    QCOMPARE(listedIds(c.resultList), ids);
    for (int row = 0; row < ids.size(); ++row)
        QCOMPARE(entriesOf(c.resultList)[row], kSmallIdioms[ids[row] - 1]);
    QCOMPARE(c.resultList->model()->rowCount(), ids.size());
    QCOMPARE(c.resultList->selectedRow(), -1);
    QCOMPARE(cardOf(c), card);
    QCOMPARE(w.currentId(), 5);
    QVERIFY(!c.busyIndicator->isVisible());
    QCOMPARE(t.notices.size(), 0);
}

void MainWindowTest::emptyTextAsksForInput()
{
    SearchWindow t;
    const MainControls &c = t.c;
    QVERIFY(t.show());
    search(c, QStringLiteral("一"));
    const QList<int> found = listedIds(c.resultList);

    search(c, QString());
    QCOMPARE(t.noticeLines(), QStringList{information(QStringLiteral("请输入成语、成语首字或成语拼音简码进行查找！"))});
    QCOMPARE(listedIds(c.resultList), found);
}

void MainWindowTest::newSearchReplacesResults()
{
    SearchWindow t;
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QVERIFY(t.show());
    search(c, QStringLiteral("%人"));
    clickEntry(c.resultList, 1);
    QCOMPARE(w.currentId(), 9);

    // A new search starts with nothing chosen and leaves the card alone.
    search(c, QStringLiteral("一"));
    QCOMPARE(listedIds(c.resultList), (QList<int>{12, 13, 14}));
    QCOMPARE(c.resultList->selectedRow(), -1);
    QCOMPARE(w.currentId(), 9);

    search(c, QStringLiteral("qqqq"));
    QCOMPARE(countOf(c.resultList), 0);
    QCOMPARE(w.currentId(), 9);
    QCOMPARE(t.notices.size(), 0);
}

void MainWindowTest::enterSearchesAndNothingFoundIsSaid()
{
    SearchWindow t;
    const MainControls &c = t.c;
    QVERIFY(t.show());
    c.searchField->setText(QStringLiteral("yi xin"));
    QTest::keyClick(c.searchField, Qt::Key_Return); // Enter is 查找
    QCOMPARE(listedIds(c.resultList), QList<int>{12}); // found by its pinyin
    QVERIFY(c.resultList->emptyText().isEmpty());

    // Nothing found at all: said in the list, without a notice.
    search(c, QStringLiteral("zzzz"));
    QCOMPARE(countOf(c.resultList), 0);
    QCOMPARE(c.resultList->emptyText(), QStringLiteral("没有找到相符的成语。"));
    search(c, QStringLiteral("一"));
    QVERIFY(c.resultList->emptyText().isEmpty());
    QCOMPARE(t.notices.size(), 0);
}

void MainWindowTest::chosenResultGoesToCard()
{
    SearchWindow t;
    MainWindow &w = t.w;
    const MainControls &c = t.c;
    QVERIFY(t.show());
    search(c, QStringLiteral("%人")); // 8, 9, 10, 15

    clickEntry(c.resultList, 2);
    QCOMPARE(c.resultList->selectedRow(), 2);
    QCOMPARE(w.currentId(), 10);
    QCOMPARE(c.number->text(), QStringLiteral("编号：10"));
    QCOMPARE(c.fields[1]->text(), QStringLiteral("人 人 自 危"));

    // The arrow keys move the card with the selection.
    QTest::keyClick(c.resultList, Qt::Key_Down);
    QCOMPARE(c.resultList->currentIndex().row(), 3);
    QCOMPARE(w.currentId(), 15);
    QCOMPARE(c.fields[1]->text(), QStringLiteral("众 人 拾 柴 火 焰 高"));
    QTest::keyClick(c.resultList, Qt::Key_Up);
    QCOMPARE(w.currentId(), 10);

    // The chosen result comes back with a click on it after browsing away.
    click(c.next);
    QCOMPARE(w.currentId(), 11);
    clickEntry(c.resultList, 2);
    QCOMPARE(w.currentId(), 10);
    QTest::keyClick(c.resultList, Qt::Key_Down);

    // Browsing goes on from the chosen idiom's id, not from the list.
    click(c.next);
    QCOMPARE(w.currentId(), 16);
    click(c.previous);
    click(c.previous);
    QCOMPARE(w.currentId(), 14);
    QCOMPARE(t.notices.size(), 0);
}

void MainWindowTest::howTheResultsWereFoundIsSaid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("heading");
    QTest::newRow("the look-ups") << "一" << "查找结果：";
    QTest::newRow("full pinyin") << "yixin" << "按全拼找到：";
    QTest::newRow("sounds alike") << "一新一意" << "您要找的可能是：";
    QTest::newRow("looks alike") << "一必一意" << "您要找的可能是：";
    QTest::newRow("nothing") << "zzzz" << "查找结果：";
}

void MainWindowTest::howTheResultsWereFoundIsSaid()
{
    QFETCH(QString, text);
    QFETCH(QString, heading);
    SearchWindow t;
    QVERIFY(t.show());
    search(t.c, QStringLiteral("yixin")); // a heading of its own first, which the next search replaces
    search(t.c, text);
    const auto *shown = control<TextLabel>(t.w, "resultsHeading");
    QCOMPARE(shown->text(), heading);
    QCOMPARE(shown->toolTip().isEmpty(), heading == QStringLiteral("查找结果："));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
