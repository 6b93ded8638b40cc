// What the store hands the windows: whole idioms for the card, and entries
// for their lists.
#pragma once

#include <QList>
#include <QString>

#include <algorithm>

// One idiom of table cy. An absent meaning, source or example reads as the
// empty text.
struct Idiom
{
    int id = 0;
    QString text;    // cy
    QString pinyin;  // py, with tone marks
    QString meaning; // ys
    QString source;  // cc
    QString example; // lz, with ～ standing for the idiom
};

// An entry of a list of idioms: its text and the idiom's id (0 for a text
// that is no idiom of the table, such as the first link of a chain).
struct IdiomEntry
{
    QString text;
    int id = 0;

    bool operator==(const IdiomEntry &) const = default;
};

// An idiom of the list of common idioms: how many news documents used its
// text in THUOCL's count, and its rank by that number, 1 the most used.
struct CommonIdiom
{
    int id = 0;
    qint64 documents = 0;
    int rank = 0;

    bool operator==(const CommonIdiom &) const = default;
};

// `entries` in the file's order (ascending id), each idiom once.
inline QList<IdiomEntry> inFileOrder(QList<IdiomEntry> entries)
{
    const auto byId = [](const IdiomEntry &a, const IdiomEntry &b) { return a.id < b.id; };
    const auto sameId = [](const IdiomEntry &a, const IdiomEntry &b) { return a.id == b.id; };
    std::sort(entries.begin(), entries.end(), byId);
    entries.erase(std::unique(entries.begin(), entries.end(), sameId), entries.end());
    return entries;
}
