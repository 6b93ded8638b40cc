// A connection to an idiom data file. It takes the same connection string the
// windows have always handed their database provider, checks that it names a
// provider we can serve and a data source, and opens that file read-only.
#pragma once

#include "sqlitehandle.h"

#include <QString>

enum ConnectOption { adConnectUnspecified = -1 };

class Connection
{
public:
    // Throws StoreError when the string is malformed, names an unknown
    // provider or no data source, or when the file cannot be read as an
    // idiom data file (missing, empty, damaged, foreign, or without table cy).
    void open(const QString &connectionString, const QString &userId = QString(),
              const QString &password = QString(), int options = adConnectUnspecified);

    bool isOpen() const { return m_db != nullptr; }
    QString dataSource() const { return m_dataSource; }
    sqlite3 *handle() const { return m_db.get(); }

private:
    Sqlite::Database m_db;
    QString m_dataSource;
};

// Why the last SQLite call on `db` failed, in words for the user.
QString sqliteFailure(sqlite3 *db);

// The message of a StoreError about a data file at `path` that is there but
// cannot be used: what is wrong, and how to get the carried data back.
QString dataFileError(const QString &path, const QString &reason);

// The message of a StoreError about a data file that is not there.
QString missingDataFileError(const QString &path);
