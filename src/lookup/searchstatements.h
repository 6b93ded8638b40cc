// The four look-ups of a search, in the order they run. The search text is
// bound to the placeholder as it was typed; the LIKE look-ups bind it with
// "%" appended, so that "%" and "_" typed by the user act as wildcards there
// and as plain characters in the exact look-ups.
#pragma once

#include <QString>

struct SearchStatement
{
    const char *sql;
    bool prefix; // bind text + "%"

    QString parameter(const QString &text) const { return prefix ? text + QLatin1Char('%') : text; }
};

inline constexpr SearchStatement kSearchStatements[] = {
    {"SELECT id,cy FROM cy where cy=?", false},          // the idiom written exactly so
    {"SELECT id,cy FROM cy where pyjm=?", false},        // idioms with exactly these initials
    {"SELECT id,cy FROM cy where cy like ?", true},      // idioms that begin with it
    {"SELECT id,cy FROM cy where pyjm like ?", true},    // initials that begin with it
};

// The card's look-up by id.
inline constexpr const char *kIdiomById = "SELECT * FROM cy where id=?";
