// How the computer chooses its move at each level. Every candidate is
// weighed by the choices it leaves the other player: the idioms that may
// follow it and have not been played.
//
// - Easy, a friendly opponent: never a dead end while it has another move;
//   among the rest, a common idiom where it has one, so that the reader
//   meets idioms worth knowing; of those, one at random from the half that
//   leaves the most choices.
// - Middle: on each move, at even odds, the easy move or the hard one, so
//   that a dead end it holds comes about half as often.
// - Hard: the move that leaves the fewest choices, a dead end whenever one
//   exists.
// Ties go at random, so that no two games need be alike.
#pragma once

#include <QRandomGenerator>
#include <vector>

enum class Level { Easy, Middle, Hard };
inline constexpr int kLevels = 3;

// A move the computer may play, and how many moves it leaves the other player.
struct Candidate
{
    int link = -1;
    int choicesLeft = 0;
    int commonRank = 0; // 1 for the most common idiom, 0 for one not common
};

// The link of the candidate `level` plays; -1 when there are none.
int chooseMove(std::vector<Candidate> candidates, Level level, QRandomGenerator &random);
