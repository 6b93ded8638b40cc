// What the reader keeps: the entries of the history and the word book, and
// each change the reader makes to them, as the store holds it in memory
// until its file takes it.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <variant>

struct HistoryEntry
{
    int id = 0;
    QString text;

    bool operator==(const HistoryEntry &) const = default;
};

struct WordBookEntry
{
    int id = 0;
    QString text;
    QDateTime added;
};

// An idiom brought onto the card goes to the top of the history.
struct IdiomShown
{
    int id;
    QString text;
};

struct HistoryCleared
{
};

struct HistoryRemoved
{
    QList<int> ids;
};

// Idioms put into the word book at `added` (seconds since the epoch); those
// already in keep their place.
struct WordBookAdded
{
    QList<HistoryEntry> idioms;
    qint64 added;
};

struct WordBookRemoved
{
    QList<int> ids;
};

// One review of an idiom of the word book: when, its grade (1 忘记, 2 困难,
// 3 良好, 4 简单), and the schedule's state of the idiom after it. The rows of
// an idiom, in their order, give its schedule again.
struct ReviewRecord
{
    int id = 0;
    qint64 reviewed = 0; // seconds since the epoch
    int grade = 0;
    int phase = 0; // the schedule's phase after it: 1 learning, 2 review, 3 relearning
    double stability = 0;
    double difficulty = 0;
    qint64 due = 0; // seconds since the epoch

    bool operator==(const ReviewRecord &) const = default;
};

// A score that beats the best kept for `game`.
struct ScoreKept
{
    QString game;
    int score;
};

using ReaderChange = std::variant<IdiomShown, HistoryCleared, HistoryRemoved, WordBookAdded, WordBookRemoved,
                                  ScoreKept, ReviewRecord>;
