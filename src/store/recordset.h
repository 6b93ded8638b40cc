// The result of one statement over a Connection, read row by row: the window
// opens it, asks for its record count, reads the fields of each row by column
// name and moves on, then closes it to run the next statement.
#pragma once

#include "sqlitehandle.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class Connection;
class Recordset;

enum ObjectState { adStateClosed = 0, adStateOpen = 1 };
enum CursorType { adOpenForwardOnly = 0, adOpenStatic = 3 };
enum LockType { adLockUnspecified = -1, adLockReadOnly = 1 };
enum CommandOption { adCmdUnspecified = -1 };

// A statement and the values bound to its '?' placeholders. Text that comes
// from the user always travels as a value, never spliced into the SQL.
struct Command
{
    Command(const char *sql) : text(QString::fromUtf8(sql)) {}
    Command(const QString &sql, const QVariantList &values = {}) : text(sql), parameters(values) {}

    QString text;
    QVariantList parameters;
};

class Field
{
public:
    // The column's value in the current row: an integer, a text, or a null
    // QVariant for an absent value (kept apart from the empty text).
    QVariant value() const;

private:
    friend class Fields;
    Field(const Recordset *recordset, int column) : m_recordset(recordset), m_column(column) {}

    const Recordset *m_recordset;
    int m_column;
};

class Fields
{
public:
    int count() const;
    Field item(const QString &name) const; // column names compare without letter case

private:
    friend class Recordset;
    explicit Fields(const Recordset *recordset) : m_recordset(recordset) {}

    const Recordset *m_recordset;
};

class Recordset
{
public:
    int state() const { return m_statement ? adStateOpen : adStateClosed; }

    // Runs a read-only statement and stands on its first row. Every cursor
    // is static: the rows and the count are those of the moment of opening.
    // The statement reads table cy alone, with no ordering of its own: the
    // rows come in file order, ascending id. Opening a recordset that is
    // open is refused, as is any statement of another shape or that writes.
    void open(const Command &source, Connection &activeConnection,
              CursorType cursorType = adOpenStatic, LockType lockType = adLockUnspecified,
              int options = adCmdUnspecified);

    int recordCount();
    bool eof() const { return m_eof; }
    void moveNext();
    Fields fields() const { return Fields(this); }
    void close();
    // Closes the recordset when it is open; does nothing otherwise.
    void closeIfOpen()
    {
        if (state() == adStateOpen)
            close();
    }

private:
    friend class Field;
    friend class Fields;

    void requireOpen(const char *operation) const;
    // A statement or a use of the recordset that is wrong.
    [[noreturn]] void fail(const QString &reason) const;
    // The data file that cannot be read: the reason, and what to do.
    [[noreturn]] void failOnFile(const QString &reason) const;

    Sqlite::Statement m_statement;
    sqlite3 *m_db = nullptr;
    QString m_dataSource;
    Command m_source{QString()};
    QStringList m_columns;
    bool m_eof = true;
    int m_recordCount = -1; // counted on first request
};

// Closes a recordset at the end of a scope when it is open, on every way
// out: a return or any exception.
class RecordsetGuard
{
public:
    explicit RecordsetGuard(Recordset &rs) : m_rs(rs) {}
    ~RecordsetGuard() { m_rs.closeIfOpen(); }

    RecordsetGuard(const RecordsetGuard &) = delete;
    RecordsetGuard &operator=(const RecordsetGuard &) = delete;

private:
    Recordset &m_rs;
};
