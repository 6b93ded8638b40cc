// A small idiom data set the tests write themselves, imported into a real
// data file in a temporary folder.
#pragma once

#include "store/idiom.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace TestData {

// CSV rows in the import format. Ids 10..; rows sorted by the first
// syllable, with the last row appended out of place (it belongs first).
QByteArray csv();

// The number of idioms in csv().
constexpr int kCount = 16;

// The ids 1..kCount, `rounds` times over: what "%" finds.
QList<int> everyId(int rounds = 1);

// Writes csv() to `folder`/idioms.csv, imports it to `folder`/cy.dat and
// returns the data file's path.
QString writeDataFile(const QString &folder);

// The bytes of the file at `path`; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Writes `bytes` to `path`, creating or replacing the file.
void writeFile(const QString &path, const QByteArray &bytes);

// Overwrites the file at `path` with 0xff bytes from byte `from` to its
// end, as a failing disk garbles it; the test ends when it cannot.
void damage(const QString &path, qint64 from);

// Runs `sql` on the SQLite file at `path` (made when missing), as a user's
// own tool would change a data file; the test ends when it fails.
void execute(const QString &path, const QByteArray &sql);

// Gives the test a per-user data folder (AppLocalDataLocation) of its own,
// empty, and returns it with a trailing '/'. On Linux that is `folder`, by
// XDG_DATA_HOME; Windows has no such setting, so there it is the one Windows
// gives, %LOCALAPPDATA%\<test program>, emptied.
QString useOwnUserFolder(const QString &folder);

// The ids and the texts of entries, in their order.
inline QList<int> idsOf(const QList<IdiomEntry> &entries)
{
    QList<int> ids;
    for (const IdiomEntry &entry : entries)
        ids << entry.id;
    return ids;
}

inline QStringList textsOf(const QList<IdiomEntry> &entries)
{
    QStringList texts;
    for (const IdiomEntry &entry : entries)
        texts << entry.text;
    return texts;
}

} // namespace TestData
