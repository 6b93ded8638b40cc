// Where the idiom data file lives: writing cy.dat out of the program on its
// first start, and opening the store on it.
#pragma once

#include "store/idiomstore.h"
#include "store/storeerror.h"

#include <QByteArray>
#include <QString>
#include <optional>

// `folder` ending in exactly one separator, so that the data file is the
// folder followed by "cy.dat". Every function below takes the program's
// folder with or without it.
QString withTrailingSeparator(const QString &folder);

// The data file the program opens: cy.dat in the program's folder when it
// is there; otherwise cy.dat in the per-user data folder when that one is
// there (an installed copy, whose folder could not be written); otherwise
// the program's folder again, where a missing file is then reported.
QString dataFilePath(const QString &programFolder);

// What a start found or did about the data file.
enum class Provision {
    Found,     // a cy.dat is there to be read as it is
    Written,   // this call wrote the carried data, where there was none or
               // in place of the untouched cy.dat of another version
    FromMemory // the carried data is to be read from memory this time:
               // another start is writing cy.dat and did not finish within a
               // second, or another version's cy.dat could not be replaced
};

// Writes the data file the program carries into the program's folder when
// there is none, even when the per-user folder holds one. An existing file
// is used as it is, unless another version of the program wrote it and
// nobody changed it since: that one is replaced by the carried data (a file
// of 1.0, which carries no mark, is known by its bytes). The bytes go to a
// temporary file that is renamed into place once complete, so an interrupted
// start leaves no partial cy.dat and an old one stays whole. Only when the
// program's folder cannot be written does the per-user data folder serve:
// its cy.dat is used by the same rule, or written when missing. Throws
// StoreError (NotWritten, with the reason for each place) when neither
// place can be written.
Provision provisionDataFile(const QString &programFolder);

// Opens the data file of the program in `programFolder`. Throws StoreError
// when it cannot be used.
IdiomStore openIdiomStore(const QString &programFolder);

// The bytes of the data file that the program carries.
QByteArray carriedDataFile();

// The idioms the program reads, opened once at start-up for every window.
struct Dictionary
{
    std::optional<IdiomStore> store; // none when the idioms cannot be read
    int count = 0;                   // the number of idioms, 0 without a store
    // Why start-up could not write or open the data file. The reader is told
    // even when the store opened: the carried data read from memory, because
    // neither folder could be written, is not kept for the next start.
    std::optional<StoreError> failure;
};

// Writes the data file when it is missing or another version's, opens it and
// counts its idioms. When neither the program's folder nor the per-user
// folder can be written, or provisionDataFile() says so, the carried data is
// opened read-only from memory.
Dictionary openDictionary(const QString &programFolder);

// Opens the idioms for a run that writes nothing (the command line): the
// data file that openDictionary() would open, when it is there and is not
// one that a start would replace; otherwise the carried data from memory.
Dictionary readDictionary(const QString &programFolder);
