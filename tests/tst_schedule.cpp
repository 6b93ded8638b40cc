// The review schedule against FSRS-5's published examples: the test suite of
// the algorithm's reference scheduler (ts-fsrs, __tests__/FSRS-5.test.ts),
// whose expected figures were computed by that implementation with the
// default parameters, not by ours.
#include "review/schedule/fsrs.h"

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

// Whatever the card's past, a better grade never brings it back sooner, and
// a card in review that is forgotten comes back within the day.
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
        QVERIFY(next[size_t(g)].due > next[size_t(g - 1)].due);
    if (card.phase == Phase::Review) {
        QCOMPARE(next[0].phase, Phase::Relearning);
        QVERIFY(next[0].due - now < Fsrs::kDay);
        QCOMPARE(next[0].lapses, card.lapses + 1);
    }
}

QTEST_GUILESS_MAIN(ScheduleTest)
#include "tst_schedule.moc"
