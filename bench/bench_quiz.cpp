// Times quiz-making (测验) on the data this build carries: the index the
// quizzes read once, the first round with it, and then a round of ten
// questions of each kind, drawn from the common idioms with a new seed each
// time. Beside them, the yardstick: ten idioms read from the store by id,
// the lookups a round would make without its index.
#include "benchtiming.h"
#include "review/quiz/quizmaker.h"
#include "store/datafile.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vura-bench"));
    QTemporaryDir dir;
    const Dictionary dictionary = openDictionary(dir.path());
    if (!dictionary.store) {
        std::printf("the data file cannot be read\n");
        return 1;
    }
    const IdiomStore &store = *dictionary.store;
    std::printf("%d idioms, %lld common\n", dictionary.count, qint64(store.commonIdioms().size()));

    std::unique_ptr<QuizMaker> maker;
    QList<QuizQuestion> first;
    const double indexing = msPerRun([&] { maker = std::make_unique<QuizMaker>(store); });
    const double firstRound = msPerRun([&] { first = maker->round(QuizKind::FillBlank, {}, 1); });
    std::printf("index read once:            %7.2f ms\n", indexing);
    std::printf("first round (填空, %lld):     %7.2f ms   with the index: %7.2f ms\n", qint64(first.size()), firstRound,
                indexing + firstRound);

    std::vector<double> lookups;
    for (int run = 0; run < 50; ++run) {
        lookups.push_back(msPerRun([&] {
            for (int id = 1 + run * 10; id <= 10 + run * 10; ++id)
                store.idiom(id);
        }));
    }
    // A word book of 30 idioms, the source the window offers first.
    QList<int> wordBook;
    for (int id = 100; id < 3100; id += 100)
        wordBook << id;
    const std::pair<QuizKind, const char *> kinds[]{{QuizKind::GuessIdiom, "看释义猜成语"},
                                                     {QuizKind::FillBlank, "填空        "},
                                                     {QuizKind::ChooseMeaning, "看成语选释义"}};
    for (const auto &kindAndName : kinds) {
        const QuizKind kind = kindAndName.first; // a copy: clang 14 captures no structured binding
        const char *name = kindAndName.second;
        std::vector<double> rounds;
        double worst = 0;
        for (quint32 seed = 1; seed <= 50; ++seed) {
            const double ms = msPerRun([&] { maker->round(kind, seed % 2 ? wordBook : QList<int>{}, seed); });
            rounds.push_back(ms);
            worst = std::max(worst, ms);
        }
        std::printf("round of 10, %s: median %6.2f ms, worst %6.2f ms   yardstick: 10 idioms by id %6.3f ms\n", name,
                    median(rounds), worst, median(lookups));
    }
    return 0;
}
