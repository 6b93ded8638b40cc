// Where the idiom data file lives: the folder rule, writing cy.dat out of the
// program on its first start, and opening a window's store on it.
#pragma once

#include "store/idiomstore.h"

#include <QByteArray>
#include <QString>

// The program's folder as the windows keep it: always ending in exactly one
// separator, so that the data file is appPath + "cy.dat".
QString folderRule(const QString &programFolder);

// The data file a window opens: cy.dat in the program's folder when it is
// there; otherwise cy.dat in the per-user data folder when that one is there
// (an installed copy, whose folder could not be written); otherwise the
// program's folder again, where a missing file is then reported.
QString dataFilePath(const QString &appPath);

// Writes the data file the program carries into the program's folder when
// there is none, even when the per-user folder holds one. An existing file is
// used as it is and never rewritten. The bytes go to a temporary file that is
// renamed into place once complete, so an interrupted start leaves no partial
// cy.dat. Only when the program's folder cannot be written does the per-user
// data folder serve: its cy.dat is used, or written when missing. Returns
// whether this call wrote a file; throws StoreError (NotWritten, with the
// reason for each place) when neither place can be written.
bool ProvisionDataFile(const QString &appPath);

// Opens the data file of the program in `appPath` for a window. Throws
// StoreError when it cannot be used.
IdiomStore OpenIdiomStore(const QString &appPath);

// The bytes of the data file that the program carries.
QByteArray embeddedDataFile();
