// Times the chain window on the data this build carries, on whatever Qt
// platform it runs on (QT_QPA_PLATFORM=offscreen for a machine without a
// screen): the first start, from "不", which builds the chain index; a
// chain of 200 links chosen at random from there, going back to its first
// link, and a start from "%" that lists every idiom.
#include "benchtiming.h"
#include "chain/chainwindow.h"
#include "chain/game/chainindexholder.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/listview.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

// Selects entry `row` of `list` and chooses it, as a click does.
void clickRow(ListView *list, int row)
{
    list->setCurrentIndex(list->model()->index(row, 0));
    emit list->chosen();
}

int count(const ListView *list)
{
    return list->model()->rowCount();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura-bench"));
    registerFontSubstitutions();
    QTemporaryDir dir;
    const Dictionary dictionary = openDictionary(dir.path());
    const Environment environment{[](QWidget *, QMessageBox::Icon, const QString &, const QString &text) {
                                      std::printf("notice: %s\n", qPrintable(text));
                                  },
                                  {},
                                  {}};
    ChainIndexHolder chains(dictionary);
    auto *window = new ChainWindow(chains, environment);
    auto *firstLink = window->findChild<QLineEdit *>(QStringLiteral("firstLinkField"));
    auto *chain = window->findChild<ListView *>(QStringLiteral("chainList"));
    auto *candidates = window->findChild<ListView *>(QStringLiteral("candidateList"));
    window->show();
    QApplication::processEvents();

    firstLink->setText(QStringLiteral("不"));
    const double first = msPerRun([&] { window->start(); });
    std::printf("start from \"不\", the index built: %d candidates %8.2f ms\n", count(candidates), first);

    // 200 links at random; at a dead end, back to one of the five links
    // before it (one alone could lead to the same dead end again and again).
    std::mt19937 random(1);
    std::vector<double> fills; // a choice's candidates; the way back from a dead end cuts the chain only
    int deadEnds = 0;
    while (count(chain) <= 200) {
        if (count(candidates) == 0) {
            ++deadEnds;
            const int last = count(chain) - 1;
            const int back = last - std::uniform_int_distribution<int>(1, std::min(5, last))(random);
            clickRow(chain, back);
            continue;
        }
        const int row = std::uniform_int_distribution<int>(0, count(candidates) - 1)(random);
        fills.push_back(msPerRun([&] { clickRow(candidates, row); }));
    }
    std::printf("200 links chosen (%d dead ends): fill median %6.2f ms, worst %6.2f ms\n", deadEnds, median(fills),
                *std::max_element(fills.begin(), fills.end()));

    const int links = count(chain);
    const double back = msPerRun([&] { clickRow(chain, 0); });
    std::printf("back to entry 0 from %d links                  %8.2f ms\n", links, back);

    firstLink->setText(QStringLiteral("%"));
    const double every = msPerRun([&] { window->start(); });
    std::printf("start from \"%%\": %d candidates              %8.2f ms\n", count(candidates), every);
    delete window;
    return 0;
}
