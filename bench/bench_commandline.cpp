// Times `vura --chain 一心一意` against `vura --find 一心一意` as whole
// processes, from start to exit, the way a shell runs them: one of each to
// warm the caches, then in turn, 15 runs each unless another number is
// given. Prints both medians and their ratio. A second argument names
// another vura to time, such as an earlier build; a third, a vura to time
// `vura --find` of a text that nothing finds against, the two in turn
// (bench_commandline 15 build/vura ../main/build/vura).
#include "benchtiming.h"

#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <cstdio>

namespace {

// The milliseconds one run of `program` with `arguments` takes.
double runMs(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    return msPerRun([&] {
        process.start(program, arguments);
        process.waitForFinished(-1);
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int runs = arguments.size() > 1 ? std::max(1, arguments[1].toInt()) : 15;
    const QString program = arguments.size() > 2 ? arguments[2] : QStringLiteral(VURA_PROGRAM);
    const QStringList chain{QStringLiteral("--chain"), QStringLiteral("一心一意")};
    const QStringList find{QStringLiteral("--find"), QStringLiteral("一心一意")};
    runMs(program, chain);
    runMs(program, find);
    std::vector<double> chainMs, findMs;
    for (int run = 0; run < runs; ++run) {
        chainMs.push_back(runMs(program, chain));
        findMs.push_back(runMs(program, find));
    }
    std::printf("%s, %d runs each in turn\n", qPrintable(program), runs);
    std::printf("vura --chain 一心一意  median %7.1f ms\n", median(chainMs));
    std::printf("vura --find 一心一意   median %7.1f ms\n", median(findMs));
    std::printf("ratio                          %7.2f\n", median(chainMs) / median(findMs));
    std::printf("fastest runs: --chain %.1f ms, --find %.1f ms, ratio %.2f\n", *std::ranges::min_element(chainMs),
                *std::ranges::min_element(findMs), *std::ranges::min_element(chainMs) / *std::ranges::min_element(findMs));
    if (arguments.size() > 3) {
        // Through every stage of the search, which reads the whole index.
        const QStringList miss{QStringLiteral("--find"), QStringLiteral("甲乙丙丁")};
        const QString other = arguments[3];
        runMs(other, miss);
        std::vector<double> ownMs, otherMs;
        for (int run = 0; run < runs; ++run) {
            ownMs.push_back(runMs(program, miss));
            otherMs.push_back(runMs(other, miss));
        }
        std::printf("vura --find 甲乙丙丁 (nothing found): median %.1f ms, fastest %.1f ms; %s: median %.1f ms, "
                    "fastest %.1f ms\n", median(ownMs), *std::ranges::min_element(ownMs), qPrintable(other),
                    median(otherMs), *std::ranges::min_element(otherMs));
    }
    return 0;
}
