// Times the game of the idiom chain on the data this build carries: the
// followers of an idiom by each rule beside the store's own followers of the
// same idiom, the computer's move at each level, memory over 1,000 games of
// the computer against itself, and how often the easy and the hard computer
// beat a player who moves at random.
#include "benchtiming.h"
#include "chain/game/chaingame.h"
#include "store/datafile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

namespace {

const char *const kRuleNames[] = {"同字", "同音", "同音同调"};
const char *const kLevelNames[] = {"easy", "middle", "hard"};

// Resident memory of this process, in MB; 0 where /proc is not.
double residentMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Plays one game to its end: the reader's side by `reader` (a level, or
// -1 for at random), the computer's at its own level. The computer opens
// every other game; otherwise the reader opens at random.
Player playOut(ChainGame &game, int reader, std::mt19937 &random, const ChainIndex &index, bool computerOpens)
{
    if (computerOpens)
        game.computerOpens();
    else
        game.playLink(int(random() % unsigned(index.size())));
    while (!game.isOver()) {
        int link = -1;
        if (reader < 0) {
            const std::vector<int> moves = game.readerMoves();
            link = moves[random() % moves.size()];
        } else {
            link = game.choice(Level(reader));
        }
        game.playLink(link);
    }
    return game.winner();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vura-bench"));
    QTemporaryDir dir;
    const Dictionary dictionary = openDictionary(dir.path());
    if (!dictionary.store)
        return 2;
    const IdiomStore &store = *dictionary.store;
    std::printf("%d idioms\n", dictionary.count);

    std::unique_ptr<ChainIndex> built;
    std::vector<double> builds;
    for (int run = 0; run < 9; ++run)
        builds.push_back(msPerRun([&] { built = std::make_unique<ChainIndex>(store); }));
    const ChainIndex &index = *built;
    std::printf("the chain index of every idiom, once a process, median of 9 %8.2f ms (first %.2f ms)\n",
                median(builds), builds.front());

    // The same idioms for every measure: every 50th of the file.
    std::vector<int> sample;
    for (int link = 0; link < index.size(); link += 50)
        sample.push_back(link);
    std::vector<double> yardstick;
    for (const int link : sample)
        yardstick.push_back(msPerRun([&] { store.followers(index.text(link)); }));
    std::printf("yardstick: IdiomStore::followers, median %7.3f ms, worst %7.3f ms\n", median(yardstick),
                *std::max_element(yardstick.begin(), yardstick.end()));
    for (int rule = 0; rule < kChainRules; ++rule) {
        std::vector<double> times;
        for (const int link : sample)
            times.push_back(msPerRun([&] { index.followersOf(index.text(link), ChainRule(rule)); }));
        std::printf("followers of the typed idiom, %-8s    median %7.3f ms, worst %7.3f ms (at most 10)\n",
                    kRuleNames[rule], median(times), *std::max_element(times.begin(), times.end()));
    }

    // A computer move: the reader opens with each idiom of the sample and
    // the computer answers; the time includes the check of the reader's move.
    for (int rule = 0; rule < kChainRules; ++rule) {
        for (int level = 0; level < kLevels; ++level) {
            std::vector<double> times;
            for (const int link : sample) {
                ChainGame game(index, ChainRule(rule), Level(level), quint32(link));
                times.push_back(msPerRun([&] { game.playLink(link); }));
            }
            std::printf("a computer move, %-8s %-6s         median %7.3f ms, worst %7.3f ms (at most 50)\n",
                        kRuleNames[rule], kLevelNames[level], median(times), *std::max_element(times.begin(), times.end()));
        }
    }

    // Memory over 1,000 games of the computer against itself, every rule
    // and level in turn.
    std::mt19937 random(1);
    const double before = residentMB();
    double afterHundred = 0;
    long moves = 0;
    const double gamesMs = msPerRun([&] {
        for (int played = 0; played < 1000; ++played) {
            ChainGame game(index, ChainRule(played % 3), Level(played / 3 % 3), quint32(played));
            playOut(game, played % 3, random, index, played % 2 == 0);
            moves += long(game.chain().size());
            if (played == 99)
                afterHundred = residentMB();
        }
    });
    std::printf("1,000 games of the computer against itself: %ld moves in %.0f ms; resident memory %.1f MB before, "
                "%.1f MB after 100 games, %.1f MB after 1,000\n",
                moves, gamesMs, before, afterHundred, residentMB());

    // The computer at each level against a player who moves at random.
    for (int rule = 0; rule < kChainRules; ++rule) {
        for (const Level level : {Level::Easy, Level::Middle, Level::Hard}) {
            int won = 0;
            long length = 0;
            for (int played = 0; played < 1000; ++played) {
                ChainGame game(index, ChainRule(rule), level, quint32(played) * 7919u);
                won += playOut(game, -1, random, index, played % 2 == 0) == Player::Computer;
                length += long(game.chain().size());
            }
            std::printf("%-8s %-6s computer against a random player: won %4d of 1,000 (%.1f links a game)\n",
                        kRuleNames[rule], kLevelNames[int(level)], won, double(length) / 1000);
        }
    }
    return 0;
}
