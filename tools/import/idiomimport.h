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

// One correction to the data set: in the row with `sourceId`, whose idiom is
// `headword`, the text `oldText` of one column becomes `newText`.
struct Erratum
{
    int line = 0;     // line of the errata table
    int sourceId = 0;
    QString headword;
    int column = 0;   // an index into IdiomTable::kColumns, 1 to 6
    QString oldText, newText;

    // "errata line N (id headword, column)", for messages.
    QString name() const;
};

// Parses an errata table: UTF-8, one erratum a line with five fields
// separated by tabs (source id, headword, column name, old text, new text);
// blank lines and lines starting with # are comments. Throws ImportError
// naming the line of the first erratum it cannot read.
QList<Erratum> readErrata(const QByteArray &table);

// The project's own errata table, tools/import/errata.tsv, compiled in.
QList<Erratum> projectErrata();

// Applies every erratum to `rows` (as readIdiomCsv returns them). The row
// must have the erratum's id and headword and hold its old text exactly once
// in the named column; the corrected text must fit the column. A row whose
// pinyin changes gets its initials code anew from the corrected pinyin.
// Throws ImportError naming the first erratum that does not match.
void applyErrata(QList<IdiomRow> &rows, const QList<Erratum> &errata);

// The initials code the data set gives a pinyin text: the first letter of
// every syllable (a run of letters), toneless and in lower case; of more than
// four syllables, the first three and the last.
QString pinyinInitials(const QString &py);

// Moves rows that were appended after the sorted part back into place (see
// the definition for the rule).
void placeLateAdditions(QList<IdiomRow> &rows);

// One line of THUOCL's idiom count: an idiom and the number of documents
// that used it.
struct CommonCount
{
    QString idiom;
    qint64 documents = 0;
};

// Parses THUOCL's count: UTF-8, one idiom a line, a tab (blanks around it
// allowed) and a count of documents; blank lines are skipped. Throws
// ImportError naming the first line it cannot read.
QList<CommonCount> readCommonCounts(const QByteArray &list);

// Writes `rows` with ids 1..N in their order to a new data file at
// `outputPath`, replacing it whole or, on failure, leaving none behind.
// A `marked` file carries vura's mark and its identity in its header
// (store/datafilemark.h).
// With `common`, table common holds the rank of every row whose idiom the
// count lists by its exact text (empty with an empty count); without it the
// file has no such table, as 1.0's had not.
void writeIdiomDataFile(const QList<IdiomRow> &rows, const QString &outputPath, bool marked = false,
                        const QList<CommonCount> *common = nullptr);

// What an import writes.
enum class DataFileForm {
    Plain,    // the data set, corrected by the errata when it is the pinned one
    Carried,  // the same, marked: the data file the program carries
    Version10 // the file vura 1.0 carried: neither corrected nor marked
};

// The whole import: read, check, correct, order, write. The project's errata
// apply when the input is the pinned data set (by its SHA-256), and to
// nothing else, unless the file is to be 1.0's. Every form but 1.0's has
// table common, filled from THUOCL's count at `commonPath` when one is given.
// Returns the number of idioms.
int importIdioms(const QString &csvPath, const QString &outputPath, DataFileForm form = DataFileForm::Plain,
                 const QString &commonPath = QString());
