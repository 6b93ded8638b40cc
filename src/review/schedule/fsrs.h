// The review schedule: FSRS-5, the Free Spaced Repetition Scheduler of the
// open-spaced-repetition project, with its published default parameters.
// The formulas are those of the project's wiki page "The Algorithm"
// (github.com/open-spaced-repetition/fsrs4anki/wiki/The-Algorithm, FSRS-5),
// as its reference scheduler ts-fsrs applies them:
//
//   retrievability  R(t, S) = (1 + F t / S)^C,  C = -0.5, F = 19/81
//   interval        I(r, S) = S / F (r^(1/C) - 1), S itself for r = 0.9
//   first review    S0(G) = w[G-1];  D0(G) = w4 - e^(w5 (G-1)) + 1
//   difficulty      D' = w7 D0(4) + (1 - w7) (D + ΔD (10 - D) / 9),  ΔD = -w6 (G - 3)
//   recall          S' = S (e^w8 (11 - D) S^-w9 (e^(w10 (1-R)) - 1) h b + 1),
//                   h = w15 for 困难, b = w16 for 简单, else 1
//   lapse           S' = min(w11 D^-w12 ((S+1)^w13 - 1) e^(w14 (1-R)), S / e^(w17 w18))
//   the same day    S' = S e^(w17 (G - 3 + w18))
//
// and the steps of its basic scheduler: a new card graded 忘记, 困难 or 良好
// comes back in 1, 5 or 10 minutes, one in those steps in 5 or 10 minutes
// (忘记, 困难) or graduates (良好, 简单); a card in review that is forgotten
// comes back in 5 minutes; otherwise the intervals of the three passing
// grades are whole days, each longer than the one before, without fuzz.
// Times are seconds since the epoch; a day is 86,400 of them.
#pragma once

#include <array>
#include <cstdint>

namespace Fsrs {

// The four grades, as the buttons and the keys 1 to 4 give them.
enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };
inline constexpr int kGrades = 4;

enum class Phase { New, Learning, Review, Relearning };

// FSRS-5's published default parameters w0 to w18.
inline constexpr std::array<double, 19> kDefaultWeights{
    0.40255, 1.18385, 3.173, 15.69105, 7.1949, 0.5345, 1.4604, 0.0046, 1.54575, 0.1192,
    1.01925, 1.9395,  0.11,  0.29605,  2.2698, 0.2315, 2.9898, 0.51655, 0.6621};

inline constexpr std::int64_t kMinute = 60;
inline constexpr std::int64_t kDay = 86400;

// What the schedule knows of one card after its reviews.
struct Card
{
    Phase phase = Phase::New;
    double stability = 0;  // days until recall falls to 90 %
    double difficulty = 0; // 1 to 10
    std::int64_t lastReview = 0;
    std::int64_t due = 0;
    int scheduledDays = 0; // 0 while it comes back within the day
    int reviews = 0;
    int lapses = 0;

    bool operator==(const Card &) const = default;
};

class Scheduler
{
public:
    // The intervals aim at `retention`, the chance of recalling a card when
    // it is due, and never exceed `maximumDays`.
    explicit Scheduler(double retention = 0.9, int maximumDays = 36500);

    // The card after it is graded `grade` at `now`.
    Card review(const Card &card, Grade grade, std::int64_t now) const;
    // The card after each of the four grades, 忘记 first.
    std::array<Card, kGrades> preview(const Card &card, std::int64_t now) const;
    // The chance of recalling the card at `now`; 0 for a new card.
    double retrievability(const Card &card, std::int64_t now) const;

private:
    double initialDifficulty(Grade grade) const;
    double nextDifficulty(double difficulty, Grade grade) const;
    double recallStability(double difficulty, double stability, double recall, Grade grade) const;
    double lapseStability(double difficulty, double stability, double recall) const;
    double sameDayStability(double stability, Grade grade) const;
    // Whole days of `stability` at the aimed-for retention, at least 1.
    int intervalDays(double stability) const;

    std::array<double, 19> m_w = kDefaultWeights;
    double m_intervalFactor; // I(r, S) / S
    int m_maximumDays;
};

} // namespace Fsrs
