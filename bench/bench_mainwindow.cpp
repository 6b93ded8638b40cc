// Times the main window on the data this build carries, on whatever Qt
// platform it runs on (QT_QPA_PLATFORM=offscreen for a machine without a
// screen): start-up to the window shown, the search through the window
// against the store's look-ups alone in the same run, the longest time the
// result list goes unpainted, the card, and memory over long random use.
#include "benchtiming.h"
#include "lookup/mainwindow.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/listview.h"
#include "widgets/panel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

// Resident or peak memory of this process, in MB.
double memoryMB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// The time from a handler's start to each paint of the widgets watched, and
// the longest gap between two of them, up to the first paint after it ended.
class PaintWatch : public QObject
{
public:
    PaintWatch(std::initializer_list<QWidget *> widgets)
    {
        for (QWidget *widget : widgets)
            widget->installEventFilter(this);
    }

    template<typename Handler>
    double longestGap(Handler handler)
    {
        m_clock.start();
        m_last = 0;
        m_gap = 0;
        handler();
        QApplication::processEvents(); // the paints the handler left for the event loop
        return m_gap / 1e6;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_clock.isValid()) {
            const qint64 now = m_clock.nsecsElapsed();
            m_gap = std::max(m_gap, now - m_last);
            m_last = now;
        }
        return false;
    }

private:
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_gap = 0;
};

Environment quietEnvironment()
{
    return {[](QWidget *, QMessageBox::Icon, const QString &, const QString &) {}, [](const QUrl &) { return true; },
            {}};
}

// Child mode: start, show the window, say so, and end.
int startOnce(const QString &folder)
{
    const Environment environment = quietEnvironment();
    const Dictionary dictionary = openDictionary(folder);
    MainWindow window(dictionary, environment);
    window.show();
    QApplication::processEvents();
    std::printf("shown %d\n", dictionary.count);
    std::fflush(stdout);
    return 0;
}

double timeStart(const QString &program, const QString &folder)
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(program, {QStringLiteral("--start-once"), folder});
    while (child.state() != QProcess::NotRunning && !child.canReadLine())
        child.waitForReadyRead(5000);
    const double ms = timer.nsecsElapsed() / 1e6;
    child.waitForFinished();
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura-bench"));
    registerFontSubstitutions();
    if (argc == 3 && qstrcmp(argv[1], "--start-once") == 0)
        return startOnce(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir dir;
    const int starts = 10;
    std::vector<double> first, later;
    for (int run = 0; run < starts; ++run) {
        const QString folder = dir.filePath(QStringLiteral("start%1").arg(run));
        QDir().mkpath(folder);
        first.push_back(timeStart(QCoreApplication::applicationFilePath(), folder));
        later.push_back(timeStart(QCoreApplication::applicationFilePath(), folder));
    }
    std::printf("start-up to window shown, first start (writes cy.dat), median  %7.1f ms\n", median(first));
    std::printf("start-up to window shown, later start, median                  %7.1f ms\n", median(later));

    const QString folder = dir.filePath(QStringLiteral("start0"));
    const Environment environment = quietEnvironment();
    const Dictionary dictionary = openDictionary(folder);
    MainWindow window(dictionary, environment);
    window.show();
    window.unfoldSearchPane();
    QApplication::processEvents();
    auto *searchField = window.findChild<QLineEdit *>(QStringLiteral("searchField"));
    auto *resultList = window.findChild<ListView *>(QStringLiteral("resultList"));
    const auto results = [&] { return resultList->model()->rowCount(); };
    const IdiomStore store = openIdiomStore(folder); // the yardstick: the look-ups alone

    // Alternating runs of the window's search and of the store's look-ups.
    const int runs = 15;
    for (const char *text : {"%", "一", "ab"}) {
        searchField->setText(QString::fromUtf8(text));
        std::vector<double> throughWindow, lookUps;
        for (int run = 0; run < runs; ++run) {
            throughWindow.push_back(msPerRun([&] { window.search(); }));
            lookUps.push_back(msPerRun([&] { store.search(QString::fromUtf8(text)); }));
        }
        std::printf("search \"%s\": %5d entries, through the window %7.2f ms, look-ups alone %7.2f ms, "
                    "ratio %.2f (medians of %d)\n",
                    text, results(), median(throughWindow), median(lookUps),
                    median(throughWindow) / median(lookUps), runs);
    }

    PaintWatch watch{window.findChild<Panel *>(QStringLiteral("busyIndicator")), resultList->viewport()};
    searchField->setText(QStringLiteral("%"));
    std::vector<double> gaps;
    for (int run = 0; run < runs; ++run)
        gaps.push_back(watch.longestGap([&] { window.search(); }));
    std::printf("search \"%%\": longest time without a repaint of the indicator or the list, median %6.2f ms, "
                "worst %6.2f ms\n", median(gaps), *std::max_element(gaps.begin(), gaps.end()));
    std::printf("peak memory after the \"%%\" searches                %7.1f MB\n", memoryMB("VmHWM:"));

    const int count = dictionary.count;
    int id = 0;
    const double showMs = msPerRun([&] { window.showIdiom(++id); }, count);
    std::printf("showIdiom, mean over %d ids                      %8.3f ms\n", count, showMs);

    // Long use: searches, results chosen and random idioms. The first round
    // fills the font caches with the characters of the table; a leak shows as
    // growth that goes on round after round.
    std::mt19937 random(1);
    const char *texts[] = {"%", "一", "ab", "_人", "不", "zz"};
    for (int round = 1; round <= 4; ++round) {
        const double before = memoryMB("VmRSS:");
        QElapsedTimer timer;
        timer.start();
        for (int action = 0; action < 2000; ++action) {
            switch (random() % 3) {
            case 0:
                searchField->setText(QString::fromUtf8(texts[random() % 6]));
                window.search();
                break;
            case 1:
                if (results() > 0)
                    resultList->setCurrentIndex(resultList->model()->index(int(random() % results()), 0));
                break;
            default:
                window.showRandom();
            }
            if (action % 100 == 0)
                QApplication::processEvents();
        }
        QApplication::processEvents();
        std::printf("long use, round %d of 2,000 actions %8.1f ms; resident memory %.1f MB before, %.1f MB after\n",
                    round, timer.nsecsElapsed() / 1e6, before, memoryMB("VmRSS:"));
    }
    return 0;
}
