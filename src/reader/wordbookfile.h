// The word book as files: written out for the reader and for flashcard
// programs, and read back from a plain list of idioms.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What a flashcard carries of an idiom.
struct FlashcardFields
{
    QString text, pinyin, meaning, source, example;
};

// `field` as one piece of a line of text, as the word book's files and the
// command line write them: each run of tabs and line breaks becomes one
// space, so that a field of a data file of the user's own splits neither
// its line nor its columns.
QString oneLine(const QString &field);

// One idiom a line, UTF-8.
QByteArray plainIdiomList(const QStringList &idioms);

// Tab-separated, UTF-8, one idiom a line: idiom, pinyin, meaning, source,
// example, with the example's ～ written out as the idiom, each field as
// oneLine gives it, so that every line stays one card.
QByteArray flashcardTable(const QList<FlashcardFields> &idioms);

// A list of idioms read from a file's bytes.
struct IdiomList
{
    QStringList idioms; // each once, in the file's order
    QString problem;    // why the bytes are no list, for the reader; empty when they are
};

// The largest file taken: every idiom of the dictionary fits many times over.
inline constexpr qsizetype kLargestIdiomList = 1024 * 1024;

// Reads one idiom a line in UTF-8 (with or without its BOM), UTF-16 (with
// its BOM, or without, told by the zero bytes of its line breaks), or
// GB18030: valid UTF-8 is taken as UTF-8, anything else as GB18030 when it
// reads as that. Blank lines are skipped; a line of a tab-separated file
// gives its first field; each line is read as idiomOfLine reads it.
// Binary, empty, too large or undecodable bytes give a problem and no
// idioms. `fileSize`, when the bytes are the start of a larger file, is its
// size.
IdiomList readIdiomList(const QByteArray &bytes, qint64 fileSize = -1);

// The idiom a line of a list holds, without what lists put around it: a
// number (1. 2、 (3) ①), a bullet (- · •), quotation marks and brackets
// ("卧薪尝胆" 「卧薪尝胆」 《卧薪尝胆》), and a full stop or comma at its end.
// The search reads what is left as it reads what the reader types.
QString idiomOfLine(const QString &line);
