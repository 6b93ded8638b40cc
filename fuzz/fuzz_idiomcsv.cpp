// Any bytes given to the importer are either refused with an ImportError or
// read into rows that keep the format's promises; placing the late additions
// then only reorders those rows.
#include "import/idiomimport.h"
#include "store/idiomtable.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// What readIdiomCsv promises of the rows it returns: lines in order, every
// text within its column's width, and the required ones present.
bool wellFormed(const QList<IdiomRow> &rows)
{
    int previousLine = 0;
    for (const IdiomRow &row : rows) {
        if (row.line <= previousLine || row.sourceId < 0)
            return false;
        const std::array<const QString *, 6> texts = row.texts();
        for (int i = 0; i < 6; ++i) {
            const IdiomTable::Column &column = IdiomTable::kColumns[i + 1];
            if (texts[i]->size() > column.width || (column.required && texts[i]->isEmpty()))
                return false;
        }
        previousLine = row.line;
    }
    return !rows.isEmpty();
}

QList<int> sortedLines(const QList<IdiomRow> &rows)
{
    QList<int> lines;
    for (const IdiomRow &row : rows)
        lines << row.line;
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QList<IdiomRow> rows;
    try {
        rows = readIdiomCsv(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const ImportError &) {
        return 0;
    }
    if (!wellFormed(rows))
        std::abort();
    const QList<int> before = sortedLines(rows);
    placeLateAdditions(rows);
    if (sortedLines(rows) != before)
        std::abort();
    return 0;
}
