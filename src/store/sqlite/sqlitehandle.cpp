#include "store/sqlite/sqlitehandle.h"

#include <sqlite3.h>

namespace Sqlite {

void CloseDatabase::operator()(sqlite3 *db) const
{
    sqlite3_close_v2(db);
}

void FinalizeStatement::operator()(sqlite3_stmt *statement) const
{
    sqlite3_finalize(statement);
}

} // namespace Sqlite
