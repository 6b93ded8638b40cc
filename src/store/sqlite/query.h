// One prepared statement of an open database: its parameters bound in
// order, its rows read by typed getters. It throws nothing: rc() gives
// SQLite's code of the first failure (in preparing, in binding a parameter,
// in a step) or of the last step, so that each store says in its own words
// what a failure means for its own file. A statement whose parameter could
// not be bound is never run.
#pragma once

#include "store/sqlite/sqlitehandle.h"

#include <QByteArrayView>
#include <QString>

namespace Sqlite {

class Query
{
public:
    Query(sqlite3 *db, const char *sql);

    Query &bind(int value);
    Query &bind(qint64 value);
    Query &bind(const QString &value);
    Query &bind(double value);

    // Steps to the next row: true on a row; false past the last one, or on
    // a failure, which rc() tells from the end.
    bool next();
    // Runs a statement that returns no rows; false on a failure.
    bool run();
    int rc() const { return m_rc; }

    int integer(int column) const;
    qint64 integer64(int column) const;
    QString text(int column) const;
    double real(int column) const;
    // The text's bytes where SQLite keeps them, until the next row.
    QByteArrayView utf8View(int column) const;

private:
    // Keeps the code of a bind that failed.
    Query &bound(int rc);

    Statement m_statement;
    int m_rc;
    int m_bound = 0;
};

} // namespace Sqlite
