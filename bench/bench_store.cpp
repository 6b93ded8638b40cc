// Times the idiom store on the data file this build carries: the first
// start, a later open and count, the search, the chain's candidates and the
// card's look-up by id.
#include "benchtiming.h"
#include "store/datafile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int runs = 20;

    double firstStart = 0;
    int count = 0;
    for (int run = 0; run < runs; ++run) {
        const QString folder = dir.filePath(QString::number(run));
        QDir().mkpath(folder);
        firstStart += msPerRun([&] {
            provisionDataFile(folder);
            count = openIdiomStore(folder).count();
        });
    }
    std::printf("first start: write cy.dat + open + count %d idioms   %8.2f ms\n", count, firstStart / runs);

    const QString folder = dir.filePath(QStringLiteral("0"));
    const double warm = msPerRun([&] { openIdiomStore(folder).count(); }, runs);
    std::printf("later start: open + count                          %8.2f ms\n", warm);

    const IdiomStore store = openIdiomStore(folder);
    // The mean time of `runs` calls of `entries`, and how many it lists.
    const auto timed = [&](const char *what, const QString &text, const auto &entries) {
        qsizetype rows = 0;
        const double ms = msPerRun([&] { rows = entries(text).size(); }, runs);
        std::printf("%s \"%s\": %5lld idioms                  %8.3f ms\n", what, qPrintable(text), qlonglong(rows), ms);
    };
    for (const QString &text : {QStringLiteral("%"), QStringLiteral("一"), QStringLiteral("ab")})
        timed("search, four look-ups,", text, [&](const QString &t) { return store.search(t); });
    for (const QString &link : {QStringLiteral("%"), QStringLiteral("不"), QStringLiteral("安然无恙")})
        timed("followers of", link, [&](const QString &t) { return store.followers(t); });

    // The stages after the look-ups, each on a store of its own, so that the
    // first run pays for what a stage reads once (the pinyin keys).
    const struct
    {
        const char *text;
        const char *stage;
    } stages[] = {
        {"愛不釋手", "the text made plain"},
        {"yixinyiyi", "full pinyin"},
        {"舍不得放手", "meaning, source, example"},
        {"qqqqqq", "every stage, nothing found"},
        {"乾著鍾乾著鍾乾", "every stage, sixteen plain forms"},
    };
    for (const auto &stage : stages) {
        const IdiomStore fresh = openIdiomStore(folder);
        const QString text = QString::fromUtf8(stage.text);
        qsizetype rows = 0;
        const double firstMs = msPerRun([&] { rows = fresh.find(text).entries.size(); });
        const double laterMs = msPerRun([&] { fresh.find(text); }, runs);
        std::printf("find \"%s\" (%s): %lld idioms, first %7.3f ms, then %7.3f ms\n", stage.text, stage.stage,
                    qlonglong(rows), firstMs, laterMs);
    }

    int id = 0;
    const double byIdMs = msPerRun([&] { store.idiom(++id); }, count);
    std::printf("an idiom by id, mean over %d ids                  %8.2f us\n", count, byIdMs * 1e3);
    return 0;
}
