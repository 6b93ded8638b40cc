#include "review/schedule/reviewplan.h"

#include <algorithm>

using Fsrs::Card;
using Fsrs::Phase;

ReviewPlan::ReviewPlan(const std::vector<int> &wordBook, const std::vector<ReviewEvent> &reviews, int newPerDay,
                       std::int64_t todayStart, const Fsrs::Scheduler &scheduler)
    : m_scheduler(scheduler), m_newPerDay(std::max(0, newPerDay)), m_todayStart(todayStart)
{
    m_cards.reserve(wordBook.size());
    m_place.reserve(wordBook.size());
    for (const int id : wordBook) {
        if (m_place.emplace(id, m_cards.size()).second)
            m_cards.push_back({id, Card()});
    }
    for (const ReviewEvent &review : reviews) {
        countReview(review.time);
        const auto place = m_place.find(review.id);
        if (place == m_place.end())
            continue;
        Card &card = m_cards[place->second].card;
        if (card.phase == Phase::New && dayOf(review.time) == 0)
            ++m_newSeenToday;
        card = m_scheduler.review(card, review.grade, review.time);
    }
}

std::int64_t ReviewPlan::dayOf(std::int64_t time) const
{
    const std::int64_t since = time - m_todayStart;
    return since >= 0 ? since / Fsrs::kDay : -((-since + Fsrs::kDay - 1) / Fsrs::kDay);
}

void ReviewPlan::countReview(std::int64_t time)
{
    ++m_reviewsOnDay[dayOf(time)];
}

int ReviewPlan::next(std::int64_t now) const
{
    const Entry *overdue = nullptr;
    const Entry *fresh = nullptr;
    const Entry *ahead = nullptr;
    for (const Entry &entry : m_cards) {
        const Card &card = entry.card;
        if (card.phase == Phase::New) {
            if (!fresh)
                fresh = &entry;
        } else if (card.due <= now) {
            if (!overdue || card.due < overdue->card.due)
                overdue = &entry;
        } else if (card.phase != Phase::Review && card.due <= now + kLearnAhead) {
            if (!ahead || card.due < ahead->card.due)
                ahead = &entry;
        }
    }
    if (overdue)
        return overdue->id;
    if (fresh && newToday() > 0)
        return fresh->id;
    return ahead ? ahead->id : 0;
}

std::int64_t ReviewPlan::nextDue() const
{
    std::int64_t soonest = 0;
    for (const Entry &entry : m_cards) {
        if (entry.card.phase != Phase::New && (soonest == 0 || entry.card.due < soonest))
            soonest = entry.card.due;
    }
    return soonest;
}

int ReviewPlan::dueToday() const
{
    const std::int64_t end = m_todayStart + Fsrs::kDay;
    return int(std::count_if(m_cards.begin(), m_cards.end(), [end](const Entry &entry) {
        return entry.card.phase != Phase::New && entry.card.due < end;
    }));
}

int ReviewPlan::newToday() const
{
    const int unseen = int(m_cards.size()) - learned();
    return std::min(unseen, std::max(0, m_newPerDay - m_newSeenToday));
}

int ReviewPlan::learned() const
{
    return int(std::count_if(m_cards.begin(), m_cards.end(),
                             [](const Entry &entry) { return entry.card.phase != Phase::New; }));
}

Card ReviewPlan::card(int id) const
{
    const auto place = m_place.find(id);
    return place == m_place.end() ? Card() : m_cards[place->second].card;
}

std::array<Card, Fsrs::kGrades> ReviewPlan::preview(int id, std::int64_t now) const
{
    return m_scheduler.preview(card(id), now);
}

Card ReviewPlan::grade(int id, Fsrs::Grade grade, std::int64_t now)
{
    countReview(now);
    const auto place = m_place.find(id);
    if (place == m_place.end())
        return m_scheduler.review(Card(), grade, now);
    Card &card = m_cards[place->second].card;
    if (card.phase == Phase::New && dayOf(now) == 0)
        ++m_newSeenToday;
    card = m_scheduler.review(card, grade, now);
    return card;
}

std::vector<int> ReviewPlan::reviewsPerDay(int days) const
{
    std::vector<int> counts(size_t(std::max(0, days)), 0);
    for (int i = 0; i < days; ++i) {
        const auto found = m_reviewsOnDay.find(std::int64_t(i - days + 1));
        if (found != m_reviewsOnDay.end())
            counts[size_t(i)] = found->second;
    }
    return counts;
}

std::vector<int> ReviewPlan::duePerDay(int days) const
{
    std::vector<int> counts(size_t(std::max(0, days)), 0);
    for (const Entry &entry : m_cards) {
        if (entry.card.phase == Phase::New)
            continue;
        const std::int64_t day = std::max<std::int64_t>(0, dayOf(entry.card.due));
        if (day < days)
            ++counts[size_t(day)];
    }
    return counts;
}
