// Owning handles for the SQLite C API, so that every open database and
// prepared statement is released on every path, exceptions included. The
// SQLite header stays out of this one: whoever holds a handle need not see
// the C API.
#pragma once

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace Sqlite {

struct CloseDatabase
{
    void operator()(sqlite3 *db) const;
};

struct FinalizeStatement
{
    void operator()(sqlite3_stmt *statement) const;
};

using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

} // namespace Sqlite
