// What there is to review: every idiom of the word book with its card, as
// its reviews make it, in the order the reviews were made, so that the
// schedule is always the one the kept rows give. It tells which idiom to show
// next, counts what is due, new and learned, and what the chart of the last
// and the coming days shows. New idioms come in the order they were put in
// the word book, at most a set number a day.
#pragma once

#include "review/schedule/fsrs.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// One review as it was kept.
struct ReviewEvent
{
    int id = 0;
    std::int64_t time = 0;
    Fsrs::Grade grade = Fsrs::Grade::Good;
};

class ReviewPlan
{
public:
    // How long before it is due a card in its first steps may be shown when
    // nothing else is left, rather than leaving the reader waiting.
    static constexpr std::int64_t kLearnAhead = 20 * Fsrs::kMinute;

    // The idioms of `wordBook`, oldest first, with the cards `reviews` (oldest
    // first) give them; reviews of idioms no longer in the word book count
    // only in the chart. The reader's day began at `todayStart`, and takes
    // at most `newPerDay` new idioms.
    ReviewPlan(const std::vector<int> &wordBook, const std::vector<ReviewEvent> &reviews, int newPerDay,
               std::int64_t todayStart, const Fsrs::Scheduler &scheduler = Fsrs::Scheduler());

    // The idiom to show at `now`: the one most overdue; else a new one, while
    // today's allowance lasts; else one in its first steps due within
    // kLearnAhead. 0 when there is none.
    int next(std::int64_t now) const;
    // When the next idiom already reviewed falls due; 0 when none will.
    std::int64_t nextDue() const;

    // The idioms reviewed before that fall due by the end of today.
    int dueToday() const;
    // The new idioms still to come today.
    int newToday() const;
    // The idioms of the word book reviewed at least once.
    int learned() const;
    int size() const { return int(m_cards.size()); }
    bool contains(int id) const { return m_place.count(id) > 0; }

    // The card of `id`; a new one for an idiom without reviews.
    Fsrs::Card card(int id) const;
    // The card of `id` after each grade at `now`, for the buttons.
    std::array<Fsrs::Card, Fsrs::kGrades> preview(int id, std::int64_t now) const;
    // Grades `id` at `now` and returns its card after it.
    Fsrs::Card grade(int id, Fsrs::Grade grade, std::int64_t now);

    // Reviews on each of the last `days` days, today last.
    std::vector<int> reviewsPerDay(int days) const;
    // Idioms due on each of the next `days` days, today first (with all that
    // are overdue).
    std::vector<int> duePerDay(int days) const;

private:
    struct Entry
    {
        int id;
        Fsrs::Card card;
    };

    // The day of `time`, counted from today (0), earlier days negative.
    std::int64_t dayOf(std::int64_t time) const;
    void countReview(std::int64_t time);

    Fsrs::Scheduler m_scheduler;
    std::vector<Entry> m_cards; // the word book, oldest first
    std::unordered_map<int, std::size_t> m_place;
    std::unordered_map<std::int64_t, int> m_reviewsOnDay; // by dayOf
    int m_newPerDay;
    int m_newSeenToday = 0; // idioms of the word book first reviewed today
    std::int64_t m_todayStart;
};
