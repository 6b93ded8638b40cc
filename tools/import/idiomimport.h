// Turns the idiom CSV (id, cy, py, ys, cc, lz, pyjm; no header) into the
// SQLite data file that the program carries and writes out as cy.dat.
#pragma once

#include <QList>
#include <QString>
#include <array>
#include <stdexcept>

struct IdiomRow
{
    int line = 0;     // line of the CSV the row starts on
    int sourceId = 0; // the id the CSV gives; the data file renumbers
    QString cy, py, ys, cc, lz, pyjm; // an empty text is an absent value

    // The six texts in the order of table cy's columns after the id.
    std::array<const QString *, 6> texts() const { return {&cy, &py, &ys, &cc, &lz, &pyjm}; }
};

class ImportError : public std::runtime_error
{
public:
    explicit ImportError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// Parses and checks every row: 7 fields, an integer id, cy, py and pyjm
// present, every text within its column's width. Throws ImportError naming
// the line and the field of the first row that breaks the format.
QList<IdiomRow> readIdiomCsv(const QByteArray &csv);

// Moves rows that were appended after the sorted part back into place (see
// the definition for the rule).
void placeLateAdditions(QList<IdiomRow> &rows);

// Writes `rows` with ids 1..N in their order to a new data file at
// `outputPath`, replacing it whole or, on failure, leaving none behind.
void writeIdiomDataFile(const QList<IdiomRow> &rows, const QString &outputPath);

// The whole import: read, check, order, write. Returns the number of idioms.
int importIdioms(const QString &csvPath, const QString &outputPath);
