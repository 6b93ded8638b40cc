#include "review/schedule/fsrs.h"

#include <algorithm>
#include <cmath>

namespace Fsrs {

namespace {

constexpr double kDecay = -0.5;
constexpr double kFactor = 19.0 / 81.0; // 0.9^(1/C) - 1: R(S, S) = 0.9

int gradeNumber(Grade grade)
{
    return int(grade);
}

double clampDifficulty(double difficulty)
{
    return std::clamp(difficulty, 1.0, 10.0);
}

// Whole days from `from` to `to`, a part of a day not counted.
int elapsedDays(std::int64_t from, std::int64_t to)
{
    return to <= from ? 0 : int((to - from) / kDay);
}

} // namespace

Scheduler::Scheduler(double retention, int maximumDays)
    : m_intervalFactor((std::pow(retention, 1.0 / kDecay) - 1.0) / kFactor), m_maximumDays(maximumDays)
{
}

double Scheduler::initialDifficulty(Grade grade) const
{
    return clampDifficulty(m_w[4] - std::exp(m_w[5] * (gradeNumber(grade) - 1)) + 1.0);
}

double Scheduler::nextDifficulty(double difficulty, Grade grade) const
{
    const double change = -m_w[6] * (gradeNumber(grade) - 3);
    const double damped = difficulty + change * (10.0 - difficulty) / 9.0;
    return clampDifficulty(m_w[7] * initialDifficulty(Grade::Easy) + (1.0 - m_w[7]) * damped);
}

double Scheduler::recallStability(double difficulty, double stability, double recall, Grade grade) const
{
    const double hard = grade == Grade::Hard ? m_w[15] : 1.0;
    const double easy = grade == Grade::Easy ? m_w[16] : 1.0;
    return stability
         * (std::exp(m_w[8]) * (11.0 - difficulty) * std::pow(stability, -m_w[9])
                * (std::exp(m_w[10] * (1.0 - recall)) - 1.0) * hard * easy
            + 1.0);
}

double Scheduler::lapseStability(double difficulty, double stability, double recall) const
{
    const double after = m_w[11] * std::pow(difficulty, -m_w[12]) * (std::pow(stability + 1.0, m_w[13]) - 1.0)
                       * std::exp(m_w[14] * (1.0 - recall));
    return std::min(std::max(after, 0.01), stability / std::exp(m_w[17] * m_w[18]));
}

double Scheduler::sameDayStability(double stability, Grade grade) const
{
    return stability * std::exp(m_w[17] * (gradeNumber(grade) - 3 + m_w[18]));
}

int Scheduler::intervalDays(double stability) const
{
    const double days = std::clamp(stability * m_intervalFactor, 1.0, double(m_maximumDays));
    return int(std::lround(days));
}

double Scheduler::retrievability(const Card &card, std::int64_t now) const
{
    if (card.phase == Phase::New || card.stability <= 0)
        return 0;
    return std::pow(1.0 + kFactor * elapsedDays(card.lastReview, now) / card.stability, kDecay);
}

std::array<Card, kGrades> Scheduler::preview(const Card &card, std::int64_t now) const
{
    std::array<Card, kGrades> next;
    for (int g = 1; g <= kGrades; ++g) {
        Card &after = next[size_t(g - 1)];
        const Grade grade = Grade(g);
        after = card;
        after.lastReview = now;
        after.reviews = card.reviews + 1;
        if (card.phase == Phase::New) {
            after.stability = std::max(m_w[size_t(g - 1)], 0.1);
            after.difficulty = initialDifficulty(grade);
        } else {
            const int days = elapsedDays(card.lastReview, now);
            after.difficulty = nextDifficulty(card.difficulty, grade);
            if (days == 0)
                after.stability = sameDayStability(card.stability, grade);
            else if (grade == Grade::Again)
                after.stability = lapseStability(card.difficulty, card.stability, retrievability(card, now));
            else
                after.stability = recallStability(card.difficulty, card.stability, retrievability(card, now), grade);
        }
    }

    const auto inMinutes = [now](Card &after, Phase phase, int minutes) {
        after.phase = phase;
        after.scheduledDays = 0;
        after.due = now + minutes * kMinute;
    };
    // The passing grades' intervals grow one over the other, but never past
    // the longest.
    const auto inDays = [now, this](Card &after, int days) {
        days = std::min(days, m_maximumDays);
        after.phase = Phase::Review;
        after.scheduledDays = days;
        after.due = now + days * kDay;
    };
    Card &again = next[0], &hard = next[1], &good = next[2], &easy = next[3];
    switch (card.phase) {
    case Phase::New:
        inMinutes(again, Phase::Learning, 1);
        inMinutes(hard, Phase::Learning, 5);
        inMinutes(good, Phase::Learning, 10);
        inDays(easy, intervalDays(easy.stability));
        break;
    case Phase::Learning:
    case Phase::Relearning: {
        inMinutes(again, card.phase, 5);
        inMinutes(hard, card.phase, 10);
        const int goodDays = intervalDays(good.stability);
        inDays(good, goodDays);
        inDays(easy, std::max(intervalDays(easy.stability), goodDays + 1));
        break;
    }
    case Phase::Review: {
        inMinutes(again, Phase::Relearning, 5);
        ++again.lapses;
        int hardDays = intervalDays(hard.stability);
        int goodDays = intervalDays(good.stability);
        hardDays = std::min(hardDays, goodDays);
        goodDays = std::max(goodDays, hardDays + 1);
        inDays(hard, hardDays);
        inDays(good, goodDays);
        inDays(easy, std::max(intervalDays(easy.stability), goodDays + 1));
        break;
    }
    }
    return next;
}

Card Scheduler::review(const Card &card, Grade grade, std::int64_t now) const
{
    return preview(card, now)[size_t(gradeNumber(grade) - 1)];
}

} // namespace Fsrs
