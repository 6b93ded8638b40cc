#include "import/idiomimport.h"
#include "store/datafilemark.h"
#include "store/idiomtable.h"
#include "store/sqlite/sqlitehandle.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <filesystem>
#include <sqlite3.h>
#include <vector>

namespace {

using IdiomTable::kColumns;

[[noreturn]] void fail(int line, int field, const QString &what)
{
    if (field < 0)
        throw ImportError(QStringLiteral("line %1: %2").arg(line).arg(what));
    throw ImportError(QStringLiteral("line %1, field %2 (%3): %4")
                          .arg(line).arg(field + 1).arg(QLatin1String(kColumns[field].name), what));
}

// Splits the text into records of fields by the rules of CSV: fields are
// separated by commas, records by line breaks; a field in double quotes may
// hold commas, line breaks and doubled quotes.
QList<std::pair<int, QStringList>> splitCsv(const QString &text)
{
    QList<std::pair<int, QStringList>> records;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    int line = 1;
    while (pos < n) {
        const int recordLine = line;
        QStringList fields;
        for (;;) {
            QString field;
            if (pos < n && text.at(pos) == QLatin1Char('"')) {
                for (++pos;; ++pos) {
                    if (pos >= n)
                        fail(recordLine, int(fields.size()) < 7 ? int(fields.size()) : -1,
                             QStringLiteral("quoted text is not closed"));
                    const QChar c = text.at(pos);
                    if (c == QLatin1Char('"')) {
                        if (pos + 1 < n && text.at(pos + 1) == QLatin1Char('"')) {
                            field += c;
                            ++pos;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    if (c == QLatin1Char('\n'))
                        ++line;
                    field += c;
                }
                if (pos < n && text.at(pos) != QLatin1Char(',') && text.at(pos) != QLatin1Char('\n')
                    && text.at(pos) != QLatin1Char('\r'))
                    fail(line, int(fields.size()) < 7 ? int(fields.size()) : -1,
                         QStringLiteral("text after the closing quote"));
            } else {
                const qsizetype start = pos;
                while (pos < n && text.at(pos) != QLatin1Char(',') && text.at(pos) != QLatin1Char('\n')
                       && text.at(pos) != QLatin1Char('\r'))
                    ++pos;
                field = text.mid(start, pos - start);
                if (field.contains(QLatin1Char('"')))
                    fail(line, int(fields.size()) < 7 ? int(fields.size()) : -1,
                         QStringLiteral("a quote inside an unquoted field"));
            }
            fields << field;
            if (pos < n && text.at(pos) == QLatin1Char(',')) {
                ++pos;
                continue;
            }
            // CR LF, LF or a lone CR ends the record and its line.
            bool lineEnded = false;
            if (pos < n && text.at(pos) == QLatin1Char('\r')) {
                ++pos;
                lineEnded = true;
            }
            if (pos < n && text.at(pos) == QLatin1Char('\n')) {
                ++pos;
                lineEnded = true;
            }
            if (lineEnded)
                ++line;
            break;
        }
        records.append({recordLine, fields});
    }
    return records;
}

bool isDecimal(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// The first syllable of a pinyin text: its first run of letters.
QString firstSyllable(const QString &py)
{
    qsizetype start = 0;
    while (start < py.size() && !py.at(start).isLetter())
        ++start;
    qsizetype end = start;
    while (end < py.size() && py.at(end).isLetter())
        ++end;
    return py.mid(start, end - start);
}

// A syllable without its tone marks, for alphabetical comparison.
QString toneless(const QString &syllable)
{
    QString plain;
    for (const QChar c : syllable.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        plain += c == QChar(0x0261) ? QLatin1Char('g') : c.toLower(); // script g
    }
    return plain;
}

// The table errata.tsv holds, as the build writes it in (CMakeLists.txt).
constexpr char kProjectErrata[] =
#include "errata.inc"
    ;

// The text of a row in column `column` of kColumns (1 to 6); texts() keeps
// their order.
QString &textOf(IdiomRow &row, int column)
{
    return const_cast<QString &>(*row.texts()[column - 1]);
}

// Rows that stand together: the same first character read the same way.
QString runKey(const IdiomRow &row)
{
    const QString first = row.cy.left(row.cy.at(0).isHighSurrogate() ? 2 : 1);
    return first + QLatin1Char('|') + firstSyllable(row.py);
}

} // namespace

QList<IdiomRow> readIdiomCsv(const QByteArray &csv)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(csv);
    if (decoder.hasError())
        throw ImportError(QStringLiteral("the file is not valid UTF-8"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QList<IdiomRow> rows;
    for (const auto &[line, fields] : splitCsv(text)) {
        if (fields.size() != int(kColumns.size()))
            fail(line, -1, QStringLiteral("%1 fields instead of 7").arg(fields.size()));
        for (int f = 1; f < int(kColumns.size()); ++f) {
            if (kColumns[f].required && fields.at(f).isEmpty())
                fail(line, f, QStringLiteral("empty, but every idiom needs one"));
            if (fields.at(f).size() > kColumns[f].width)
                fail(line, f, QStringLiteral("%1 characters, more than the column's %2")
                                  .arg(fields.at(f).size()).arg(kColumns[f].width));
        }
        bool ok = false;
        const int id = fields.at(0).toInt(&ok);
        if (!isDecimal(fields.at(0)) || !ok)
            fail(line, 0, QStringLiteral("\"%1\" is not an integer").arg(fields.at(0)));
        rows.append({line, id, fields.at(1), fields.at(2), fields.at(3), fields.at(4), fields.at(5),
                     fields.at(6)});
    }
    if (rows.isEmpty())
        throw ImportError(QStringLiteral("the file holds no idioms"));
    return rows;
}

QList<CommonCount> readCommonCounts(const QByteArray &list)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(list);
    if (decoder.hasError())
        throw ImportError(QStringLiteral("the idiom count is not valid UTF-8"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<CommonCount> counts;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < int(lines.size()); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        bool ok = false;
        const qint64 documents = fields.size() == 2 ? fields.at(1).trimmed().toLongLong(&ok) : 0;
        if (!ok || documents < 0 || fields.at(0).trimmed().isEmpty())
            throw ImportError(QStringLiteral("idiom count line %1: not an idiom, a tab and a number").arg(i + 1));
        counts.append({fields.at(0).trimmed(), documents});
    }
    return counts;
}

QString Erratum::name() const
{
    return QStringLiteral("errata line %1 (%2 %3, %4)")
        .arg(line).arg(sourceId).arg(headword, QLatin1String(kColumns[column].name));
}

QList<Erratum> readErrata(const QByteArray &table)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(table);
    if (decoder.hasError())
        throw ImportError(QStringLiteral("the errata table is not valid UTF-8"));

    QList<Erratum> errata;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < int(lines.size()); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        auto refuse = [&](const QString &what) {
            throw ImportError(QStringLiteral("errata line %1: %2").arg(i + 1).arg(what));
        };
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 5)
            refuse(QStringLiteral("%1 fields instead of 5").arg(fields.size()));
        Erratum erratum{i + 1, fields.at(0).toInt(), fields.at(1), 0, fields.at(3), fields.at(4)};
        if (!isDecimal(fields.at(0)) || erratum.sourceId <= 0)
            refuse(QStringLiteral("\"%1\" is not an id").arg(fields.at(0)));
        for (int c = 1; c < int(kColumns.size()); ++c) {
            if (fields.at(2) == QLatin1String(kColumns[c].name))
                erratum.column = c;
        }
        if (erratum.column == 0)
            refuse(QStringLiteral("\"%1\" is not a column").arg(fields.at(2)));
        if (erratum.headword.isEmpty() || erratum.oldText.isEmpty())
            refuse(QStringLiteral("no headword or no old text"));
        errata.append(erratum);
    }
    return errata;
}

QList<Erratum> projectErrata()
{
    return readErrata(QByteArray(kProjectErrata));
}

// Errata apply in the table's order, each to its row as the errata before it
// leave it; the headword is the idiom as the data set writes it, so that the
// row can be found there.
void applyErrata(QList<IdiomRow> &rows, const QList<Erratum> &errata)
{
    QHash<int, qsizetype> rowOfId; // -1 for an id that several rows have
    for (qsizetype i = 0; i < rows.size(); ++i)
        rowOfId.insert(rows.at(i).sourceId, rowOfId.contains(rows.at(i).sourceId) ? -1 : i);
    const QList<IdiomRow> asRead = rows;

    for (const Erratum &erratum : errata) {
        auto refuse = [&](const QString &what) { throw ImportError(erratum.name() + QStringLiteral(": ") + what); };
        const qsizetype index = rowOfId.value(erratum.sourceId, -2);
        if (index == -2)
            refuse(QStringLiteral("no row has this id"));
        if (index == -1)
            refuse(QStringLiteral("more than one row has this id"));
        if (asRead.at(index).cy != erratum.headword)
            refuse(QStringLiteral("the row's idiom is %1").arg(asRead.at(index).cy));

        IdiomRow &row = rows[index];
        QString &text = textOf(row, erratum.column);
        const IdiomTable::Column &column = kColumns[erratum.column];
        const qsizetype times = text.count(erratum.oldText);
        if (times != 1)
            refuse(QStringLiteral("the row's %1 holds \"%2\" %3 times, not once")
                       .arg(QLatin1String(column.name), erratum.oldText).arg(times));
        text.replace(erratum.oldText, erratum.newText);
        if (text.size() > column.width || (text.isEmpty() && column.required))
            refuse(QStringLiteral("the corrected text has %1 characters; the column takes 1 to %2")
                       .arg(text.size()).arg(column.width));
        if (&text == &row.py)
            row.pyjm = pinyinInitials(row.py);
    }
}

QString pinyinInitials(const QString &py)
{
    QString initials;
    bool inSyllable = false;
    for (const QChar c : py.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue; // a tone mark, inside its syllable
        if (c.isLetter() && !inSyllable)
            initials += toneless(QString(c));
        inSyllable = c.isLetter();
    }
    return initials.size() > 4 ? initials.left(3) + initials.back() : initials;
}

// The CSV lists idioms by the pinyin of their first character, rows with the
// same first character and reading together. Idioms added later were
// appended at the end instead. Walking back from the end, a run of rows is
// such an addition when its first syllable sorts before that of the run in
// front of it, so the sorted part cannot have put it there, and an earlier
// run has the same first character and reading. Each addition moves, in the
// order of the file, to the start of the first run it belongs to.
void placeLateAdditions(QList<IdiomRow> &rows)
{
    qsizetype tail = rows.size();
    for (;;) {
        qsizetype runStart = tail;
        if (runStart == 0)
            break;
        const QString key = runKey(rows.at(runStart - 1));
        while (runStart > 0 && runKey(rows.at(runStart - 1)) == key)
            --runStart;
        if (runStart == 0)
            break;
        const bool outOfOrder = toneless(firstSyllable(rows.at(runStart).py))
                                < toneless(firstSyllable(rows.at(runStart - 1).py));
        bool seenBefore = false;
        for (qsizetype i = 0; i < runStart && !seenBefore; ++i)
            seenBefore = runKey(rows.at(i)) == key;
        if (!outOfOrder || !seenBefore)
            break;
        tail = runStart;
    }
    if (tail == rows.size())
        return;

    QHash<QString, QList<IdiomRow>> additions;
    for (qsizetype i = tail; i < rows.size(); ++i)
        additions[runKey(rows.at(i))].append(rows.at(i));
    QList<IdiomRow> placed;
    placed.reserve(rows.size());
    for (qsizetype i = 0; i < tail; ++i) {
        const auto found = additions.find(runKey(rows.at(i)));
        if (found != additions.end()) {
            placed.append(*found);
            additions.erase(found);
        }
        placed.append(rows.at(i));
    }
    rows = placed;
}

namespace {

// The file name as the system's file functions take it: UTF-16 on Windows,
// UTF-8 bytes elsewhere.
std::filesystem::path fileSystemPath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

namespace {

// Sets the mark in the header of the complete data file at `path`.
void markDataFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw ImportError(QStringLiteral("mark: %1").arg(file.errorString()));
    QByteArray bytes = file.readAll();
    if (bytes.size() < DataFileMark::kHeaderSize)
        throw ImportError(QStringLiteral("mark: the file has no header"));
    DataFileMark::mark(bytes);
    if (!file.seek(0) || file.write(bytes.first(DataFileMark::kHeaderSize)) != DataFileMark::kHeaderSize
        || !file.flush())
        throw ImportError(QStringLiteral("mark: %1").arg(file.errorString()));
}

} // namespace

namespace {

// The rows of table common: the ids whose idiom `common` lists, the most
// used first, ties by id. An idiom listed twice counts by its first line.
struct CommonRow
{
    int id;
    qint64 documents;
};

std::vector<CommonRow> commonRows(const QList<IdiomRow> &rows, const QList<CommonCount> &common)
{
    QHash<QString, qint64> documentsOf;
    for (const CommonCount &count : common) {
        if (!documentsOf.contains(count.idiom))
            documentsOf.insert(count.idiom, count.documents);
    }
    std::vector<CommonRow> found;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto it = documentsOf.constFind(rows.at(i).cy);
        if (it != documentsOf.constEnd())
            found.push_back({int(i) + 1, *it});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const CommonRow &a, const CommonRow &b) { return a.documents > b.documents; });
    return found;
}

} // namespace

void writeIdiomDataFile(const QList<IdiomRow> &rows, const QString &outputPath, bool marked,
                        const QList<CommonCount> *common)
{
    const std::filesystem::path output = fileSystemPath(outputPath);
    std::filesystem::path partial = output;
    partial += ".part";
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);

    auto check = [&](sqlite3 *db, int rc, const char *step) {
        if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
            throw ImportError(QStringLiteral("%1: %2").arg(QLatin1String(step), QString::fromUtf8(sqlite3_errmsg(db))));
    };

    try {
        sqlite3 *raw = nullptr;
        const std::u8string name = partial.u8string(); // SQLite takes UTF-8 everywhere
        const int rc = sqlite3_open_v2(reinterpret_cast<const char *>(name.c_str()), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        Sqlite::Database db(raw);
        check(db.get(), rc, "open");
        check(db.get(), sqlite3_exec(db.get(), IdiomTable::beforeRows().constData(), nullptr, nullptr, nullptr),
              "create table");

        sqlite3_stmt *rawInsert = nullptr;
        check(db.get(), sqlite3_prepare_v2(db.get(), IdiomTable::kInsertRow, -1, &rawInsert, nullptr), "prepare");
        Sqlite::Statement insert(rawInsert);
        int id = 0;
        for (const IdiomRow &row : rows) {
            sqlite3_bind_int(rawInsert, 1, ++id);
            const std::array<const QString *, 6> texts = row.texts();
            for (int i = 0; i < 6; ++i) {
                if (texts[i]->isEmpty()) {
                    sqlite3_bind_null(rawInsert, i + 2);
                } else {
                    const QByteArray utf8 = texts[i]->toUtf8();
                    sqlite3_bind_text(rawInsert, i + 2, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
                }
            }
            check(db.get(), sqlite3_step(rawInsert), "insert");
            sqlite3_reset(rawInsert);
        }
        insert.reset();
        if (common) {
            check(db.get(), sqlite3_exec(db.get(), IdiomTable::kCreateCommon, nullptr, nullptr, nullptr),
                  "create table common");
            sqlite3_stmt *rawCommon = nullptr;
            check(db.get(), sqlite3_prepare_v2(db.get(), IdiomTable::kInsertCommon, -1, &rawCommon, nullptr),
                  "prepare");
            Sqlite::Statement insertCommon(rawCommon);
            int rank = 0;
            for (const CommonRow &row : commonRows(rows, *common)) {
                sqlite3_bind_int(rawCommon, 1, row.id);
                sqlite3_bind_int64(rawCommon, 2, row.documents);
                sqlite3_bind_int(rawCommon, 3, ++rank);
                check(db.get(), sqlite3_step(rawCommon), "insert common");
                sqlite3_reset(rawCommon);
            }
        }
        check(db.get(), sqlite3_exec(db.get(), IdiomTable::kAfterRows, nullptr, nullptr, nullptr), "create indexes");
        check(db.get(), sqlite3_close(db.release()), "close");
        if (marked)
            markDataFile(outputPath + QStringLiteral(".part"));
        std::filesystem::rename(partial, output);
    } catch (...) {
        std::filesystem::remove(partial, ignored);
        std::filesystem::remove(output, ignored);
        throw;
    }
}

int importIdioms(const QString &csvPath, const QString &outputPath, DataFileForm form, const QString &commonPath)
{
    try {
        QList<CommonCount> common;
        if (!commonPath.isEmpty()) {
            QFile list(commonPath);
            if (!list.open(QIODevice::ReadOnly))
                throw ImportError(QStringLiteral("%1: %2").arg(commonPath, list.errorString()));
            common = readCommonCounts(list.readAll());
        }
        QFile file(csvPath);
        if (!file.open(QIODevice::ReadOnly))
            throw ImportError(file.errorString());
        const QByteArray csv = file.readAll();
        QList<IdiomRow> rows = readIdiomCsv(csv);
        if (form != DataFileForm::Version10
            && QCryptographicHash::hash(csv, QCryptographicHash::Sha256).toHex() == VURA_PINNED_DATA_SHA256)
            applyErrata(rows, projectErrata());
        placeLateAdditions(rows);
        writeIdiomDataFile(rows, outputPath, form == DataFileForm::Carried,
                           form == DataFileForm::Version10 ? nullptr : &common);
        return int(rows.size());
    } catch (const std::filesystem::filesystem_error &error) {
        throw ImportError(QString::fromLocal8Bit(error.what()));
    } catch (const ImportError &) {
        std::error_code ignored;
        std::filesystem::remove(fileSystemPath(outputPath), ignored);
        throw;
    }
}
