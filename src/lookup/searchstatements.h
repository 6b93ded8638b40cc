// The four look-ups of a search, in the order they run. The search text is
// bound to the placeholder as it was typed; the LIKE look-ups bind it with
// "%" appended, so that "%" and "_" typed by the user act as wildcards there
// and as plain characters in the exact look-ups.
#pragma once

#include <QString>
#include <QVariant>

// The longest pattern SQLite's LIKE takes.
inline constexpr qsizetype kLongestPattern = 50000;

struct SearchStatement
{
    const char *sql;
    bool prefix; // bind text + "%"

    QVariant parameter(const QString &text) const
    {
        if (!prefix)
            return text;
        // "%%" means what "%" does; a pattern that is still longer than
        // LIKE takes needs a text of thousands of characters, which no
        // idiom is: null matches nothing, without an error.
        QString pattern = text + QLatin1Char('%');
        while (pattern.contains(QLatin1String("%%")))
            pattern.replace(QLatin1String("%%"), QLatin1String("%"));
        return pattern.size() > kLongestPattern ? QVariant() : QVariant(pattern);
    }
};

inline constexpr SearchStatement kSearchStatements[] = {
    {"SELECT id,cy FROM cy where cy=?", false},          // the idiom written exactly so
    {"SELECT id,cy FROM cy where pyjm=?", false},        // idioms with exactly these initials
    {"SELECT id,cy FROM cy where cy like ?", true},      // idioms that begin with it
    {"SELECT id,cy FROM cy where pyjm like ?", true},    // initials that begin with it
};

// The card's look-up by id.
inline constexpr const char *kIdiomById = "SELECT * FROM cy where id=?";
