// Times the folding of search texts on the idiom data set (the build's, or
// the CSV named as the first argument): the pinyin keys of every py, the
// scan of those keys for a typed pinyin, and the plain forms of a few texts.
// Each figure stands beside a yardstick measured in the same run, since the
// machine's speed varies from run to run.
#include "benchtiming.h"
#include "store/textfold.h"
#include "import/idiomimport.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace {

constexpr int kRuns = 50;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString csvPath = argc > 1 ? QFile::decodeName(argv[1]) : QStringLiteral(VURA_IDIOM_CSV);
    QFile csv(csvPath);
    if (!csv.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_textfold: %s: %s\n", qPrintable(csvPath), qPrintable(csv.errorString()));
        return 1;
    }
    const QList<IdiomRow> rows = readIdiomCsv(csv.readAll());
    std::printf("%lld idioms from %s, mean of %d runs\n", qlonglong(rows.size()), qPrintable(csvPath), kRuns);

    QStringList keys;
    const double keyMs = msPerRun([&] {
        keys.clear();
        for (const IdiomRow &row : rows)
            keys.append(pinyinKey(row.py));
    }, kRuns);
    QStringList lowered;
    const double lowerMs = msPerRun([&] {
        lowered.clear();
        for (const IdiomRow &row : rows)
            lowered.append(row.py.toLower());
    }, kRuns);
    std::printf("pinyin keys of every py:   %8.3f ms   yardstick: py.toLower() %8.3f ms\n",
                keyMs, lowerMs);

    for (const char *text : {"yi xin", "lu", "zhong", "a"}) {
        const QString typed = QString::fromUtf8(text);
        // Both scans compare with the same folded text.
        const QString pinyin = typedPinyin(typed).value_or(QString());
        int hits = 0;
        const double scanMs = msPerRun([&] {
            hits = 0;
            for (const QString &key : std::as_const(keys))
                hits += beginsWithPinyin(key, pinyin);
        }, kRuns);
        int plainHits = 0;
        const double startsWithMs = msPerRun([&] {
            plainHits = 0;
            for (const QString &key : std::as_const(keys))
                plainHits += key.startsWith(pinyin);
        }, kRuns);
        std::printf("scan of the keys: %5d hits %8.3f ms   yardstick: startsWith, %5d hits %8.3f ms   for \"%s\"\n",
                    hits, scanMs, plainHits, startsWithMs, text);
    }

    const QString longText(100000, u'餘');
    for (const QString &typed : {QStringLiteral("一心一意"), QStringLiteral("一見鍾情 "), QStringLiteral("ＡＢＳＳ"),
                                 QStringLiteral("餘餘餘餘餘餘"), longText}) {
        const QString text = typed.size() > 20 ? QStringLiteral("餘 x %1").arg(typed.size()) : typed;
        qsizetype forms = 0;
        const double formsMs = msPerRun([&] { forms = plainForms(typed).size(); }, kRuns);
        qsizetype length = 0;
        const double nfkcMs = msPerRun([&] { length += typed.normalized(QString::NormalizationForm_KC).size(); }, kRuns);
        std::printf("plain forms: %2lld forms %8.2f us   yardstick: NFKC %8.2f us   of \"%s\"\n",
                    qlonglong(forms), formsMs * 1e3, nfkcMs * 1e3, qPrintable(text));
    }
    return 0;
}
