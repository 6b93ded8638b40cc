// What went wrong with the idiom data file: the kind of fault, the file, and
// what the system said. The windows choose the words they show for it.
#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

class StoreError : public std::runtime_error
{
public:
    enum Kind {
        // Opening and reading a data file.
        Missing,        // no file at the path
        IsFolder,       // a folder has the data file's name
        NotAFile,       // so has something else that is no regular file
        Empty,          // a file of 0 bytes
        NotADataFile,   // not an SQLite database at all
        Damaged,        // an SQLite database whose pages are broken
        NoIdiomTable,   // a database without table cy
        MissingColumns, // table cy without some of its columns (detail: their names)
        Unreadable,     // the system refuses to open it (detail: its words)
        ReadFailed,     // reading failed (detail: the system's words)
        OutOfMemory,
        MissingIdiom,   // no idiom with the id asked for (detail: the id)
        Failed,         // any other fault (detail: SQLite's words)
        NotCarried,     // the program lacks the data it should carry

        // Writing the data file on first start. NotWritten holds one error of
        // the kinds after it for each place tried, the program's folder first.
        NotWritten,
        // These two name in `detail` the folder above the data file's own that
        // refused, when its own is missing and could not be made there.
        ReadOnlyDisk,
        NoWritePermission,
        DiskFull,
        WriteFailed,       // detail: the system's words
    };

    StoreError(Kind kind, const QString &path, const QString &detail = QString(),
               std::vector<StoreError> places = {});

    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }
    QString detail() const { return m_detail; }
    const std::vector<StoreError> &places() const { return m_places; }

private:
    Kind m_kind;
    QString m_path;
    QString m_detail;
    std::vector<StoreError> m_places;
};
