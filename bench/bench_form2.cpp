// Times the chain window on the data this build carries, on whatever Qt
// platform it runs on (QT_QPA_PLATFORM=offscreen for a machine without a
// screen): a chain of 200 links chosen at random from "不", going back to
// its first link, a start from "%" that lists every idiom, and the longest
// time the candidate list goes without a repaint while it fills.
#include "form2.h"
#include "fonts.h"
#include "idiomstore.h"
#include "listbox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>

namespace {

// The longest time a widget goes without a repaint while a handler runs,
// counted from the handler's start to its end.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }

    template<typename Handler>
    double run(Handler handler)
    {
        m_clock.start();
        m_last = 0;
        handler();
        const qint64 end = m_clock.nsecsElapsed();
        longestGap = std::max(longestGap, (end - m_last) / 1e6);
        return end / 1e6;
    }

    double longestGap = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_clock.isValid()) {
            const qint64 now = m_clock.nsecsElapsed();
            longestGap = std::max(longestGap, (now - m_last) / 1e6);
            m_last = now;
        }
        return false;
    }

private:
    QElapsedTimer m_clock;
    qint64 m_last = 0;
};

// Clicks entry `row` of `list` as the user does, and runs the handler; a
// click on the entry already selected selects nothing new but is a click.
void clickRow(Form2 &window, ListBox *list, int row)
{
    if (list->listIndex() == row) {
        list == window.List1 ? window.List1_Click() : window.List2_Click();
        return;
    }
    list->setCurrentIndex(list->model()->index(row, 0));
    QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura-bench"));
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    registerFontSubstitutions();
    QTemporaryDir dir;
    ProvisionDataFile(folderRule(dir.path()));

    Form2 window;
    window.messageBox = [](QWidget *, const QString &text, int, const QString &) {
        std::printf("notice: %s\n", qPrintable(text));
    };
    window.programFolder = dir.path();
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    PaintWatch watch(window.List2->viewport());

    window.Text1->setText(QStringLiteral("不"));
    const double first = watch.run([&] { window.Image1_Click(); });
    std::printf("start from \"不\": %d candidates                %8.2f ms\n", window.List2->listCount(), first);

    // 200 links at random; at a dead end, back to one of the five links
    // before it (one alone could lead to the same dead end again and again).
    std::mt19937 random(1);
    std::vector<double> fills;
    int deadEnds = 0;
    while (window.List1->listCount() <= 200) {
        if (window.List2->listCount() == 0) {
            ++deadEnds;
            const int last = window.List1->listCount() - 1;
            const int back = last - std::uniform_int_distribution<int>(1, std::min(5, last))(random);
            fills.push_back(watch.run([&] { clickRow(window, window.List1, back); }));
            continue;
        }
        const int row = std::uniform_int_distribution<int>(0, window.List2->listCount() - 1)(random);
        fills.push_back(watch.run([&] { clickRow(window, window.List2, row); }));
    }
    std::printf("200 links chosen (%d dead ends): fill median %6.2f ms, worst %6.2f ms   (goal: median <= 10)\n",
                deadEnds, median(fills), *std::max_element(fills.begin(), fills.end()));

    const double back = watch.run([&] { clickRow(window, window.List1, 0); });
    std::printf("back to entry 0 from %d links                  %8.2f ms   (goal <= 50)\n", 201, back);

    window.Text1->setText(QStringLiteral("%"));
    const double every = watch.run([&] { window.Image1_Click(); });
    std::printf("start from \"%%\": %d candidates              %8.2f ms   (goal <= 40)\n",
                window.List2->listCount(), every);
    std::printf("longest time without a repaint of the candidates %6.2f ms   (goal <= 50)\n", watch.longestGap);
    return 0;
}
