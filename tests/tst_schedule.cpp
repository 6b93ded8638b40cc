// The review schedule against FSRS-5's published examples: the test suite of
// the algorithm's reference scheduler (ts-fsrs, __tests__/FSRS-5.test.ts),
// whose expected figures were computed by that implementation with the
// default parameters, not by ours.
#include "review/schedule/fsrs.h"
#include "review/schedule/reviewplan.h"

#include <QTest>

using Fsrs::Card;
using Fsrs::Grade;
using Fsrs::Phase;

namespace {

// 2022-12-29 12:30 UTC, when the published examples begin.
constexpr std::int64_t kStart = 1672317000;

} // namespace

class ScheduleTest : public QObject
{
    Q_OBJECT

private slots:
    void firstReview_data();
    void firstReview();
    void intervalsWithALapse();
    void memoryAfterSameDayReviews();
    void gradesComeBackInOrder_data();
    void gradesComeBackInOrder();
    void intervalsStopAtTheMaximum();
    void planFromRowsIsThePlanAsGraded();
    void newIdiomsPerDay_data();
    void newIdiomsPerDay();
    void whatComesNext();
    void chartDays();
};

void ScheduleTest::firstReview_data()
{
    QTest::addColumn<Grade>("grade");
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("difficulty");
    QTest::addColumn<int>("days");
    QTest::addColumn<Phase>("phase");
    QTest::newRow("忘记") << Grade::Again << 0.40255 << 7.1949 << 0 << Phase::Learning;
    QTest::newRow("困难") << Grade::Hard << 1.18385 << 6.48830527 << 0 << Phase::Learning;
    QTest::newRow("良好") << Grade::Good << 3.173 << 5.28243442 << 0 << Phase::Learning;
    QTest::newRow("简单") << Grade::Easy << 15.69105 << 3.22450159 << 16 << Phase::Review;
}

// A new card's first review: its stability and difficulty, and the days
// until it comes back.
void ScheduleTest::firstReview()
{
    QFETCH(Grade, grade);
    QFETCH(double, stability);
    QFETCH(double, difficulty);
    QFETCH(int, days);
    QFETCH(Phase, phase);
    const Fsrs::Scheduler scheduler;
    const Card card = scheduler.review(Card(), grade, kStart);
    QVERIFY2(qAbs(card.stability - stability) < 1e-6, qPrintable(QString::number(card.stability, 'g', 10)));
    QVERIFY2(qAbs(card.difficulty - difficulty) < 1e-6, qPrintable(QString::number(card.difficulty, 'g', 10)));
    QCOMPARE(card.scheduledDays, days);
    QCOMPARE(card.phase, phase);
    QCOMPARE(card.reviews, 1);
    QCOMPARE(card.lapses, 0);
    QVERIFY(card.due > kStart);
}

// Six times 良好, each when due, then 忘记 twice and 良好 five times: the
// days the published example schedules after each review, the lapse's
// relearning steps within the day among them.
void ScheduleTest::intervalsWithALapse()
{
    const Fsrs::Scheduler scheduler;
    const QList<Grade> grades{Grade::Good, Grade::Good, Grade::Good,  Grade::Good, Grade::Good,
                              Grade::Good, Grade::Again, Grade::Again, Grade::Good, Grade::Good,
                              Grade::Good, Grade::Good, Grade::Good};
    Card card;
    std::int64_t now = kStart;
    QList<int> days;
    for (const Grade grade : grades) {
        card = scheduler.review(card, grade, now);
        days << card.scheduledDays;
        now = card.due;
    }
    QCOMPARE(days, (QList<int>{0, 4, 14, 44, 125, 328, 0, 0, 7, 16, 34, 71, 142}));
    QCOMPARE(card.lapses, 1);
    QCOMPARE(card.reviews, 13);
}

// 忘记 on a new card, 良好 twice the same day, then 良好 after 1, 3, 8 and 21
// days: the published memory state.
void ScheduleTest::memoryAfterSameDayReviews()
{
    const Fsrs::Scheduler scheduler;
    const QList<Grade> grades{Grade::Again, Grade::Good, Grade::Good, Grade::Good, Grade::Good, Grade::Good, Grade::Good};
    const QList<int> daysBefore{0, 0, 0, 1, 3, 8, 21};
    Card card;
    std::int64_t now = kStart;
    for (qsizetype i = 0; i < grades.size(); ++i) {
        now += daysBefore[i] * Fsrs::kDay;
        card = scheduler.review(card, grades[i], now);
    }
    QVERIFY2(qAbs(card.stability - 48.717) < 5e-4, qPrintable(QString::number(card.stability, 'g', 10)));
    QVERIFY2(qAbs(card.difficulty - 7.0866) < 5e-4, qPrintable(QString::number(card.difficulty, 'g', 10)));
}

void ScheduleTest::gradesComeBackInOrder_data()
{
    QTest::addColumn<int>("goodReviews"); // 良好 each when due, before the preview
    for (int n : {0, 1, 2, 5, 12})
        QTest::addRow("after %d", n) << n;
}

// Whatever the card's past, a better grade brings it back later (but past the
// longest interval, 100 years), and a card in review that is forgotten comes
// back within the day.
void ScheduleTest::gradesComeBackInOrder()
{
    QFETCH(int, goodReviews);
    const Fsrs::Scheduler scheduler;
    Card card;
    std::int64_t now = kStart;
    for (int i = 0; i < goodReviews; ++i) {
        card = scheduler.review(card, Grade::Good, now);
        now = card.due;
    }
    const auto next = scheduler.preview(card, now);
    for (int g = 1; g < Fsrs::kGrades; ++g)
        QVERIFY(next[size_t(g)].due > next[size_t(g - 1)].due
                || (next[size_t(g)].scheduledDays == 36500 && next[size_t(g - 1)].scheduledDays == 36500));
    if (card.phase == Phase::Review) {
        QCOMPARE(next[0].phase, Phase::Relearning);
        QVERIFY(next[0].due - now < Fsrs::kDay);
        QCOMPARE(next[0].lapses, card.lapses + 1);
    }
}

// However often an idiom is easy, it comes back within the longest interval.
void ScheduleTest::intervalsStopAtTheMaximum()
{
    const Fsrs::Scheduler scheduler(0.9, 100);
    Card card;
    std::int64_t now = kStart;
    for (int n = 0; n < 30; ++n) {
        card = scheduler.review(card, Grade::Easy, now);
        QVERIFY(card.scheduledDays >= 1 && card.scheduledDays <= 100);
        now = card.due;
    }
    QCOMPARE(card.scheduledDays, 100);
    QVERIFY(card.stability > 1000);
}

// The plan read from the kept reviews is the one grading made, down to the
// new idioms already taken today.
void ScheduleTest::planFromRowsIsThePlanAsGraded()
{
    const std::vector<int> wordBook{7, 3, 9, 4};
    ReviewPlan live(wordBook, {}, 3, kStart);
    std::vector<ReviewEvent> kept;
    std::int64_t now = kStart + 3600;
    for (int step = 0; step < 40; ++step) {
        const int id = live.next(now);
        if (id == 0) {
            now = live.nextDue();
            continue;
        }
        const Grade grade = Grade(1 + (step * 7 + id) % 4);
        live.grade(id, grade, now);
        kept.push_back({id, now, grade});
        now += 90;
    }
    kept.push_back({5, now, Grade::Easy}); // an idiom taken out of the word book since
    const ReviewPlan read(wordBook, kept, 3, kStart);
    for (const int id : wordBook)
        QCOMPARE(read.card(id), live.card(id));
    QCOMPARE(read.newToday(), live.newToday());
    QCOMPARE(read.learned(), live.learned());
    QCOMPARE(read.next(now), live.next(now));
    QCOMPARE(read.reviewsPerDay(30), live.reviewsPerDay(30));
    QCOMPARE(read.duePerDay(14), live.duePerDay(14));
}

void ScheduleTest::newIdiomsPerDay_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("wordBook");
    QTest::addColumn<int>("firstDay");  // new idioms taken on the first day
    QTest::addColumn<int>("secondDay"); // and offered on the next
    QTest::newRow("500 at once") << 20 << 500 << 20 << 20;
    QTest::newRow("fewer than the limit") << 20 << 12 << 12 << 0;
    QTest::newRow("the rest on the next day") << 20 << 30 << 20 << 10;
    QTest::newRow("a limit of none") << 0 << 30 << 0 << 0;
}

// A word book of many idioms gives at most the day's limit of new ones.
void ScheduleTest::newIdiomsPerDay()
{
    QFETCH(int, limit);
    QFETCH(int, wordBook);
    QFETCH(int, firstDay);
    QFETCH(int, secondDay);
    std::vector<int> ids;
    for (int id = 1; id <= wordBook; ++id)
        ids.push_back(id);
    ReviewPlan plan(ids, {}, limit, kStart);
    std::vector<ReviewEvent> kept;
    std::int64_t now = kStart + 3600;
    QList<int> taken;
    while (const int id = plan.next(now)) {
        if (plan.card(id).phase == Phase::New)
            taken << id;
        plan.grade(id, Grade::Easy, now); // out of the day's way
        kept.push_back({id, now, Grade::Easy});
        now += 10;
    }
    QCOMPARE(int(taken.size()), firstDay);
    QCOMPARE(plan.newToday(), 0);
    for (int i = 0; i < taken.size(); ++i)
        QCOMPARE(taken[i], i + 1); // in the order they were put in
    const ReviewPlan tomorrow(ids, kept, limit, kStart + Fsrs::kDay);
    QCOMPARE(tomorrow.newToday(), secondDay);
    QCOMPARE(tomorrow.learned(), firstDay);
}

// The most overdue first, then a new idiom, then one in its first steps due
// soon; nothing when only later ones are left.
void ScheduleTest::whatComesNext()
{
    const std::int64_t now = kStart + 10 * Fsrs::kDay;
    const std::vector<ReviewEvent> kept{
        {1, kStart, Grade::Easy},                            // due 16 days on
        {2, kStart, Grade::Good}, {2, kStart + 600, Grade::Good}, // due in 4 days: overdue
        {3, kStart + Fsrs::kDay, Grade::Good}, {3, kStart + Fsrs::kDay + 600, Grade::Good}, // due 3 days later
        {4, now - 60, Grade::Good},                          // its next step in 9 minutes
    };
    ReviewPlan plan({1, 2, 3, 4, 5}, kept, 20, kStart + 10 * Fsrs::kDay - 3600);
    QCOMPARE(plan.next(now), 2);
    plan.grade(2, Grade::Easy, now);
    QCOMPARE(plan.next(now), 3);
    plan.grade(3, Grade::Easy, now);
    QCOMPARE(plan.next(now), 5); // new
    plan.grade(5, Grade::Easy, now);
    QCOMPARE(plan.next(now), 4); // ahead of its step
    plan.grade(4, Grade::Good, now);
    QCOMPARE(plan.next(now), 0);
    QCOMPARE(plan.learned(), 5);
    QVERIFY(plan.nextDue() > now);
}

// The chart's days: reviews of the last 30 days, today last, and what falls
// due in the next 14, today's with all that are overdue.
void ScheduleTest::chartDays()
{
    const std::int64_t today = kStart + 40 * Fsrs::kDay;
    const std::vector<ReviewEvent> kept{
        {9, today - 31 * Fsrs::kDay, Grade::Good}, // before the chart
        {1, today - 29 * Fsrs::kDay, Grade::Easy}, // its first day; due 16 days on: overdue
        {2, today - 1, Grade::Easy},               // yesterday; due 15 days on, past the chart
        {3, today - 1, Grade::Again},              // yesterday, due in a minute: overdue
        {4, today + 5, Grade::Easy},               // today; due 16 days on
        {5, today + 6, Grade::Good},               // today, 10 minutes on: due today
    };
    const ReviewPlan plan({1, 2, 3, 4, 5, 6}, kept, 20, today);
    std::vector<int> reviews(30, 0);
    reviews[0] = 1;
    reviews[28] = 2;
    reviews[29] = 2;
    QCOMPARE(plan.reviewsPerDay(30), reviews);
    std::vector<int> due(14, 0);
    due[0] = 3;
    QCOMPARE(plan.duePerDay(14), due);
    QCOMPARE(plan.dueToday(), 3);
    QCOMPARE(plan.learned(), 5);
    QCOMPARE(plan.newToday(), 1);
}

QTEST_GUILESS_MAIN(ScheduleTest)
#include "tst_schedule.moc"
