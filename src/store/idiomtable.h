// Table cy, the idiom table of the data file: its columns in their order,
// the widths the data set keeps to, and which ones every idiom has, and the
// statements that write it. The importer writes the table from these, and
// the store checks every data file it opens against the columns.
#pragma once

#include <QByteArray>
#include <array>

namespace IdiomTable {

struct Column
{
    const char *name;
    int width;     // in characters; 0 for the id
    bool required; // never absent
};

inline constexpr std::array<Column, 7> kColumns{{
    {"id", 0, true},
    {"cy", 40, true},     // the idiom
    {"py", 60, true},     // its pinyin, with tone marks
    {"ys", 120, false},   // its meaning
    {"cc", 180, false},   // its source
    {"lz", 120, false},   // an example sentence
    {"pyjm", 4, true},    // the initials of its pinyin
}};

// What the importer runs before the rows: the file's settings, the empty
// table and the transaction that takes the rows. The file is written once and
// never changed: no journal is needed, and the same rows always give the same
// bytes. Space freed while the pages fill is zeroed whatever SQLite's build
// defaults to (Debian's secure_delete is on, the amalgamation's off), so that
// every build writes the same file. Texts compare without letter case, so
// that initials typed in capitals find their idioms.
inline QByteArray beforeRows()
{
    QByteArray create = QByteArray("CREATE TABLE cy (");
    for (const Column &column : kColumns) {
        create += QByteArray(" ") + column.name;
        create += column.width ? " VARCHAR(" + QByteArray::number(column.width) + ") COLLATE NOCASE,"
                               : QByteArray(" INTEGER PRIMARY KEY,");
    }
    create.chop(1);
    return "PRAGMA page_size=4096;"
           "PRAGMA secure_delete=ON;"
           "PRAGMA journal_mode=OFF;"
           "PRAGMA synchronous=OFF;"
           + create + ");"
           "BEGIN;";
}

// One row, its values bound in the columns' order.
inline constexpr const char *kInsertRow = "INSERT INTO cy VALUES (?,?,?,?,?,?,?)";

// After the rows: PYCODE serves the look-ups by initials, CYTEXT the
// look-ups by the idiom and its first characters (cy = ? and cy LIKE 'x%').
inline constexpr const char *kAfterRows = "COMMIT;"
                                          "CREATE INDEX PYCODE ON cy (pyjm);"
                                          "CREATE INDEX CYTEXT ON cy (cy);";

// Table common: how common an idiom is, by the number of news documents that
// used its text in THUOCL's count, and its rank by that number (1 the most
// used; ties by id). Only idioms the count lists have a row; the table is
// empty in a build without the count, and missing in files written before
// it was kept.
inline constexpr const char *kCreateCommon =
    "CREATE TABLE common (id INTEGER PRIMARY KEY, documents INTEGER NOT NULL, rank INTEGER NOT NULL);";
inline constexpr const char *kInsertCommon = "INSERT INTO common VALUES (?,?,?)";

} // namespace IdiomTable
