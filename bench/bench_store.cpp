// Times the idiom store on the data file this build carries: the first
// start, a later open and count, the search, the chain's candidates and the
// card's look-up by id.
#include "store/datafile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int runs = 20;

    double firstStart = 0;
    int count = 0;
    for (int run = 0; run < runs; ++run) {
        const QString appPath = folderRule(dir.filePath(QString::number(run)));
        QDir().mkpath(appPath);
        QElapsedTimer timer;
        timer.start();
        ProvisionDataFile(appPath);
        count = OpenIdiomStore(appPath).count();
        firstStart += msSince(timer);
    }
    std::printf("first start: write cy.dat + open + count %d idioms   %8.2f ms\n", count, firstStart / runs);

    const QString appPath = folderRule(dir.filePath(QStringLiteral("0")));
    double warm = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        OpenIdiomStore(appPath).count();
        warm += msSince(timer);
    }
    std::printf("later start: open + count                          %8.2f ms\n", warm / runs);

    const IdiomStore store = OpenIdiomStore(appPath);
    // The mean time of `runs` calls of `entries`, and how many it lists.
    const auto timed = [&](const char *what, const QString &text, const auto &entries) {
        qsizetype rows = 0;
        QElapsedTimer timer;
        timer.start();
        for (int run = 0; run < runs; ++run)
            rows = entries(text).size();
        std::printf("%s \"%s\": %5lld idioms                  %8.3f ms\n", what, qPrintable(text), qlonglong(rows),
                    msSince(timer) / runs);
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
        const IdiomStore fresh = OpenIdiomStore(appPath);
        QElapsedTimer first;
        first.start();
        const qsizetype rows = fresh.find(QString::fromUtf8(stage.text)).entries.size();
        const double firstMs = msSince(first);
        QElapsedTimer timer;
        timer.start();
        for (int run = 0; run < runs; ++run)
            fresh.find(QString::fromUtf8(stage.text));
        std::printf("find \"%s\" (%s): %lld idioms, first %7.3f ms, then %7.3f ms\n", stage.text, stage.stage,
                    qlonglong(rows), firstMs, msSince(timer) / runs);
    }

    QElapsedTimer timer;
    timer.start();
    for (int id = 1; id <= count; ++id)
        store.idiom(id);
    std::printf("an idiom by id, mean over %d ids                  %8.2f us\n", count,
                timer.nsecsElapsed() / 1e3 / count);
    return 0;
}
