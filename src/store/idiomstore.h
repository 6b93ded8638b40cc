// An idiom data file opened for reading, and what the windows ask of it: the
// number of idioms, one idiom by its id, the search, and the idioms that may
// follow a link of the chain. Every statement the program runs lives here.
#pragma once

#include "store/idiom.h"
#include "store/sqlite/sqlitehandle.h"

#include <QList>
#include <QString>

class IdiomStore
{
public:
    // Opens the data file at `path` read-only and checks that it holds the
    // idiom table. Throws StoreError when it cannot be used.
    explicit IdiomStore(const QString &path);

    QString path() const { return m_path; }

    // The number of idioms. Their ids run from 1 to that number.
    int count() const;

    // The idiom with `id`. Throws StoreError (MissingIdiom) when there is
    // none, as in a data file of the user's own whose ids have gaps.
    Idiom idiom(int id) const;

    // The four look-ups of a search, in this order, each in the file's
    // order: the idiom written exactly `text`; the idioms whose initials are
    // exactly `text`; the idioms that begin with `text`; the idioms whose
    // initials begin with it. An idiom found by several look-ups is listed
    // once for each. Letter case does not count, and "%" (any run of
    // characters) and "_" (one character) act as wildcards in the last two.
    QList<IdiomEntry> search(const QString &text) const;

    // The idioms that begin with `character`, in the file's order; "%" and
    // "_" match any first character.
    QList<IdiomEntry> candidates(const QString &character) const;

private:
    // The rows of `sql` for `value` as entries; a null value matches nothing.
    QList<IdiomEntry> entries(const char *sql, const QString &value) const;
    // The LIKE pattern of the idioms that begin with `text`, null when it is
    // longer than SQLite takes.
    QString prefixPattern(const QString &text) const;

    QString m_path;
    Sqlite::Database m_db;
    int m_longestPattern = 0; // in UTF-8 bytes, as SQLite measures it
};
