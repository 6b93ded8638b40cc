// The review window on the tests' small data set, its clock in the test's
// hands: ten idioms reviewed from the keyboard, the buttons' times, the
// counts and the chart after a restart, the daily limit, and an empty word
// book started with the common idioms. The schedule itself is tst_schedule's.
#include "windowharness.h"

#include "reader/readerstore.h"
#include "review/duetext.h"
#include "review/reviewchart.h"
#include "review/reviewwindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>

namespace {

// A window over the test's dictionary and reader's store, at a time the test sets.
struct ReviewWorld : TestWorld
{
    ReviewWorld() : TestWorld(WindowData::Small, [](const QString &file) {
                        // 一心一意 the most common, then 杞人忧天.
                        TestData::execute(file, "INSERT INTO common VALUES (12, 900, 1), (8, 50, 2)");
                    })
    {
    }

    std::unique_ptr<ReviewWindow> open()
    {
        auto window = std::make_unique<ReviewWindow>(dictionary(), environment, *reader, nullptr, [this] { return now; });
        window->show();
        QApplication::setActiveWindow(window.get());
        return window;
    }

    QTemporaryDir readerFolder;
    std::unique_ptr<ReaderStore> reader = std::make_unique<ReaderStore>(readerFolder.path());
    QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(9, 0));
};

QString textOf(const ReviewWindow &w, const char *name)
{
    return control<QLabel>(w, name)->text();
}

QString buttons(const ReviewWindow &w)
{
    QStringList texts;
    for (int g = 1; g <= 4; ++g) {
        const auto *button = control<QPushButton>(w, qPrintable(QStringLiteral("gradeButton%1").arg(g)));
        texts << (button->isVisible() ? button->text().replace(u'\n', u' ') : QStringLiteral("-"));
    }
    return texts.join(QStringLiteral(" | "));
}

} // namespace

class ReviewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void tenIdiomsFromTheKeyboard();
    void newIdiomsPerDay();
    void emptyWordBookStartsWithCommonIdioms();
    void dueTexts_data();
    void dueTexts();

private:
    WindowTestEnvironment m_environment;
};

// Ten idioms put in the word book, each turned over with Space and graded
// 良好 with 3, twice (the second time ahead of its step); after a restart the
// counts and the chart are as they were.
void ReviewWindowTest::tenIdiomsFromTheKeyboard()
{
    ReviewWorld t;
    for (int id = 1; id <= 10; ++id)
        t.reader->addToWordBook(id, kSmallIdioms[id - 1]);
    auto w = t.open();
    QCOMPARE(textOf(*w, "counts"), QStringLiteral("今日到期 0    新 10    已学 0"));
    QCOMPARE(w->currentId(), 1); // the first put in
    QCOMPARE(textOf(*w, "idiom"), kSmallIdioms[0]);
    QVERIFY(textOf(*w, "pinyin").isEmpty());
    QTest::keyClick(w.get(), Qt::Key_3); // no grade before the answer
    QCOMPARE(w->currentId(), 1);
    QTest::keyClick(w.get(), Qt::Key_Space);
    QCOMPARE(textOf(*w, "pinyin"), QStringLiteral("ài  bù  shì  shǒu"));
    QCOMPARE(buttons(*w), QStringLiteral("忘记 1分钟 | 困难 5分钟 | 良好 10分钟 | 简单 16天"));
    for (int round = 0; round < 2; ++round) {
        for (int n = 0; n < 10; ++n) {
            QVERIFY(w->currentId() > 0);
            QTest::keyClick(w.get(), Qt::Key_Space);
            QVERIFY(w->answerShown());
            QTest::keyClick(w.get(), Qt::Key_3);
        }
        // The steps of 10 minutes are shown early once nothing else is left.
        QCOMPARE(w->currentId(), round == 0 ? 1 : 0);
    }
    QCOMPARE(t.reader->reviews().size(), 20);
    QCOMPARE(w->currentId(), 0);
    QVERIFY(textOf(*w, "status").startsWith(QStringLiteral("今天的复习完成了。下一个成语4天后到期。")));
    const QString counts = textOf(*w, "counts");
    QCOMPARE(counts, QStringLiteral("今日到期 0    新 0    已学 10"));
    const std::vector<int> reviews = w->plan().reviewsPerDay(30), due = w->plan().duePerDay(14);
    QCOMPARE(reviews.back(), 20);
    QCOMPARE(due[4], 10);
    // Activated days later, with nothing changed, it counts what came due.
    QEvent activated(QEvent::WindowActivate);
    QApplication::sendEvent(w.get(), &activated);
    const QDateTime reviewed = t.now;
    t.now = t.now.addDays(4);
    QApplication::sendEvent(w.get(), &activated);
    QCOMPARE(textOf(*w, "counts"), QStringLiteral("今日到期 10    新 0    已学 10"));
    t.now = reviewed;

    w.reset();
    t.reader = std::make_unique<ReaderStore>(t.readerFolder.path());
    w = t.open();
    QCOMPARE(textOf(*w, "counts"), counts);
    QCOMPARE(w->plan().reviewsPerDay(30), reviews);
    QCOMPARE(w->plan().duePerDay(14), due);
    t.now = t.now.addDays(4);
    w = t.open();
    QCOMPARE(textOf(*w, "counts"), QStringLiteral("今日到期 10    新 0    已学 10"));
    QCOMPARE(w->currentId(), 1);
}

// The daily limit of new idioms, set in its box, is kept for the day.
void ReviewWindowTest::newIdiomsPerDay()
{
    ReviewWorld t;
    for (int id = 1; id <= 16; ++id)
        t.reader->addToWordBook(id, kSmallIdioms[id - 1]);
    auto w = t.open();
    QSignalSpy changed(w.get(), &ReviewWindow::newPerDayChanged);
    control<QSpinBox>(*w, "newPerDayBox")->setValue(3);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(textOf(*w, "counts"), QStringLiteral("今日到期 0    新 3    已学 0"));
    for (int n = 0; n < 3; ++n) {
        QTest::keyClick(w.get(), Qt::Key_Space);
        QTest::keyClick(w.get(), Qt::Key_4);
    }
    QCOMPARE(w->currentId(), 0);
    QCOMPARE(textOf(*w, "counts"), QStringLiteral("今日到期 0    新 0    已学 3"));
    w->setNewPerDay(5);
    QCOMPARE(textOf(*w, "counts"), QStringLiteral("今日到期 0    新 2    已学 3"));
    QCOMPARE(w->currentId(), 4);
}

// An empty word book is offered the common idioms, the most common first.
void ReviewWindowTest::emptyWordBookStartsWithCommonIdioms()
{
    ReviewWorld t;
    auto w = t.open();
    auto *start = control<QPushButton>(*w, "startCommonButton");
    QVERIFY(start->isVisible());
    QVERIFY(!control<QPushButton>(*w, "showAnswerButton")->isVisible());
    QSignalSpy changed(w.get(), &ReviewWindow::wordBookChanged);
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(t.reader->wordBook().size(), 2);
    QVERIFY(!start->isVisible());
    QCOMPARE(w->currentId(), 12);
    QCOMPARE(textOf(*w, "idiom"), QStringLiteral("一心一意"));
    QVERIFY(textOf(*w, "counts").contains(QStringLiteral("新 2")));

    // Put into the word book elsewhere, an idiom counts once the window is activated.
    t.reader->addToWordBook(3, kSmallIdioms[2]);
    QEvent activated(QEvent::WindowActivate);
    QApplication::sendEvent(w.get(), &activated);
    QVERIFY(textOf(*w, "counts").contains(QStringLiteral("新 3")));
    QCOMPARE(w->currentId(), 12); // the one on the card stays
}

void ReviewWindowTest::dueTexts_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("within a minute") << qint64(20) << "1分钟";
    QTest::newRow("ten minutes") << qint64(600) << "10分钟";
    QTest::newRow("just short of an hour") << qint64(3590) << "1小时";
    QTest::newRow("hours") << qint64(5 * 3600 + 100) << "5小时";
    QTest::newRow("just short of a day") << qint64(86000) << "1天";
    QTest::newRow("days") << qint64(16 * 86400) << "16天";
    QTest::newRow("months") << qint64(62 * 86400) << "2个月";
    QTest::newRow("a year and a half") << qint64(548 * 86400) << "1.5年";
    QTest::newRow("years") << qint64(730 * 86400) << "2年";
}

// When a grade brings the idiom back, as its button says it.
void ReviewWindowTest::dueTexts()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(dueText(seconds), text);
}

QTEST_MAIN(ReviewWindowTest)
#include "tst_reviewwindow.moc"
