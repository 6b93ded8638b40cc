// Times the chain window on the data this build carries, on whatever Qt
// platform it runs on (QT_QPA_PLATFORM=offscreen for a machine without a
// screen): a chain of 200 links chosen at random from "不", going back to
// its first link, and a start from "%" that lists every idiom.
#include "benchtiming.h"
#include "chain/form2.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/listbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

// Selects entry `row` of `list` and runs its handler, as a click does.
void clickRow(Form2 &window, ListBox *list, int row)
{
    list->setCurrentIndex(list->model()->index(row, 0));
    list == window.List1 ? window.List1_Click() : window.List2_Click();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura-bench"));
    registerFontSubstitutions();
    QTemporaryDir dir;
    ProvisionDataFile(folderRule(dir.path()));
    const Environment environment{dir.path(),
                                  [](QWidget *, const QString &text, int, const QString &) {
                                      std::printf("notice: %s\n", qPrintable(text));
                                  },
                                  {}};
    auto *window = new Form2(environment);
    window->Form_Load();
    window->show();
    QApplication::processEvents();

    window->Text1->setText(QStringLiteral("不"));
    const double first = msPerRun([&] { window->Image1_Click(); });
    std::printf("start from \"不\": %d candidates                %8.2f ms\n", window->List2->listCount(), first);

    // 200 links at random; at a dead end, back to one of the five links
    // before it (one alone could lead to the same dead end again and again).
    std::mt19937 random(1);
    std::vector<double> fills; // a choice's candidates; the way back from a dead end cuts the chain only
    int deadEnds = 0;
    while (window->List1->listCount() <= 200) {
        if (window->List2->listCount() == 0) {
            ++deadEnds;
            const int last = window->List1->listCount() - 1;
            const int back = last - std::uniform_int_distribution<int>(1, std::min(5, last))(random);
            clickRow(*window, window->List1, back);
            continue;
        }
        const int row = std::uniform_int_distribution<int>(0, window->List2->listCount() - 1)(random);
        fills.push_back(msPerRun([&] { clickRow(*window, window->List2, row); }));
    }
    std::printf("200 links chosen (%d dead ends): fill median %6.2f ms, worst %6.2f ms\n", deadEnds, median(fills),
                *std::max_element(fills.begin(), fills.end()));

    const int links = window->List1->listCount();
    const double back = msPerRun([&] { clickRow(*window, window->List1, 0); });
    std::printf("back to entry 0 from %d links                  %8.2f ms\n", links, back);

    window->Text1->setText(QStringLiteral("%"));
    const double every = msPerRun([&] { window->Image1_Click(); });
    std::printf("start from \"%%\": %d candidates              %8.2f ms\n", window->List2->listCount(), every);
    delete window;
    return 0;
}
