// One game of the idiom chain between the reader and the computer: whose
// turn it is, which moves are allowed, the computer's answers, how the game
// ends and the reader's score. It knows no window; the window shows it and
// passes on what the reader does.
#pragma once

#include "chain/game/chainindex.h"
#include "chain/game/computerplayer.h"

#include <QRandomGenerator>
#include <QString>
#include <vector>

enum class Player { Reader, Computer };

// Why a typed move was not played; nothing else changes when one is not.
enum class Refusal {
    None,          // played
    NotAnIdiom,    // 不是成语
    WrongStart,    // 要以“X”开头
    AlreadyPlayed, // 已经用过了
    GameOver,      // the game has ended, or the computer is to move
};

enum class Ending {
    Playing,
    CannotFollow, // the loser had no move left
    GaveUp,       // the reader gave up
    TimedOut,     // the reader's time ran out
};

struct Move
{
    int link = -1;
    Player player = Player::Reader;
    bool hinted = false; // the reader played the hint
};

// The name the reader's store keeps the best score of a kind of game under.
QString gameName(ChainRule rule, Level level);

class ChainGame
{
public:
    // What one hint costs the reader's score, as far as the score goes: a
    // hint taken at 0 is free, and the score is never below 0.
    static constexpr int kHintCost = 1;

    // A game by `rule` against the computer at `level`, its chances drawn
    // from `seed`. `index` outlives it.
    ChainGame(const ChainIndex &index, ChainRule rule, Level level, quint32 seed);

    ChainRule rule() const { return m_rule; }
    Level level() const { return m_level; }

    // The computer opens with an idiom, at random, that the reader can follow.
    void computerOpens();
    // The reader opens with the idiom written `typed`, and the computer answers.
    Refusal readerOpens(const QString &typed);
    // The reader's move, typed, and the computer's answer.
    Refusal play(const QString &typed);
    Refusal playLink(int link);
    // The words for a refusal of a move after `last` (the chain's last link).
    QString reason(Refusal refusal) const;

    // The moves the reader may make now, in the file's order; none when it
    // is not the reader's turn.
    std::vector<int> readerMoves() const;
    // One of them, at random, which costs kHintCost; -1 when there is none.
    int hint();
    // What the computer at `level` would play in the reader's place; for the
    // computer playing itself. -1 when there is nothing.
    int choice(Level level);

    void giveUp();
    void timeOut();

    bool isStarted() const { return !m_chain.empty(); }
    bool isOver() const { return m_ending != Ending::Playing; }
    Ending ending() const { return m_ending; }
    Player winner() const { return m_winner; }
    // Who won and why, in a sentence; empty while the game goes on.
    QString verdict() const;

    const std::vector<Move> &chain() const { return m_chain; }
    // The chain as text, one idiom a line, each with its pinyin and who played it.
    QString chainText() const;
    // The links the reader made, less what the hints cost.
    int score() const { return m_readerLinks - m_hintsPaid; }
    int readerLinks() const { return m_readerLinks; }
    int hints() const { return m_hints; }

private:
    // Why `link` may not be played now; Refusal::None when it may.
    Refusal check(int link) const;
    void add(int link, Player player);
    // How many moves `link` would leave the other player.
    int choicesAfter(int link) const;
    std::vector<Candidate> candidates() const;
    void computerAnswers();
    void end(Ending ending, Player winner);

    const ChainIndex &m_index;
    ChainRule m_rule;
    Level m_level;
    QRandomGenerator m_random;
    std::vector<Move> m_chain;
    std::vector<bool> m_played;    // by link
    std::vector<int> m_playedFrom; // by beginning: how many played idioms begin so
    int m_readerLinks = 0;
    int m_hints = 0;
    int m_hintsPaid = 0; // what the hints took from the score
    int m_hinted = -1; // the link the last hint offered
    Ending m_ending = Ending::Playing;
    Player m_winner = Player::Reader;
};
