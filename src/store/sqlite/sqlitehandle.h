// Owning handles for the SQLite C API, so that every open database and
// prepared statement is released on every path, exceptions included.
#pragma once

#include <memory>
#include <sqlite3.h>

namespace Sqlite {

struct CloseDatabase {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};

struct FinalizeStatement {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};

using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

} // namespace Sqlite
