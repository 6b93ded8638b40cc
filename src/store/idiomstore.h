// Where the idiom data file lives and how a window reaches it: the folder
// rule, writing cy.dat out of the program on first start, and opening a
// window's connection.
#pragma once

#include <QString>
#include <memory>

class Connection;
class Recordset;

// The program's folder as the windows keep it: always ending in exactly one
// separator, so that the data file is appPath + "cy.dat".
QString folderRule(const QString &programFolder);

// The data file a window opens. cy.dat in the program's folder when it is
// there; otherwise cy.dat in the per-user data folder when that one is there
// (an installed copy, whose folder could not be written); otherwise the
// program's folder again, where a missing file is then reported.
QString dataFilePath(const QString &appPath);

// Writes the data file the program carries into the program's folder when
// there is none, even when the per-user folder holds one. An existing file is
// used as it is and never rewritten. The bytes go to a temporary file that is
// renamed into place once complete, so an interrupted start leaves no partial
// cy.dat. Only when the program's folder cannot be written does the per-user
// data folder serve: its cy.dat is used, or written when missing. Throws
// StoreError, naming the file and the reason, when neither can be written.
void ProvisionDataFile(const QString &appPath);

// The string handed to Connection::open for the data file at `dataFile`.
QString connectionString(const QString &dataFile);

// Creates the window's connection and recordset and opens the connection on
// the data file. Throws StoreError when the file cannot be opened; conn and
// rs are created all the same.
void OpenIdiomStore(const QString &appPath, std::unique_ptr<Connection> &conn,
                    std::unique_ptr<Recordset> &rs);

// The number of rows of table cy, read through rs, which is left closed.
int countIdioms(Connection &conn, Recordset &rs);

// The bytes of the data file that the program carries.
QByteArray embeddedDataFile();
