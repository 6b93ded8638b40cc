// The main window while another copy of the program holds the write lock of
// the reader's file for 3 s: how long each click on 下一个 takes (the reader
// clicking about ten times a second), against the same clicks with the file
// free, and how long after the lock goes the history holds every idiom shown.
// Runs on whatever Qt platform it is given (QT_QPA_PLATFORM=offscreen for a
// machine without a screen).
#include "benchtiming.h"

#include "lookup/mainwindow.h"
#include "reader/readerstore.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <vector>

namespace {

// Clicks 下一个 every 100 ms while `going` says so; the time of each click.
template <typename Going>
std::vector<double> clickNext(MainWindow &window, Going going)
{
    std::vector<double> times;
    while (going()) {
        times.push_back(msPerRun([&] { window.showNext(); }));
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 100) {
            QApplication::processEvents();
            QThread::msleep(5);
        }
    }
    return times;
}

void report(const char *what, const std::vector<double> &times)
{
    std::printf("%-38s %3zu clicks, median %8.2f ms, worst %8.2f ms\n", what, times.size(), median(times),
                times.empty() ? 0.0 : *std::max_element(times.begin(), times.end()));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura-bench"));
    registerFontSubstitutions();
    QTemporaryDir dir;
    const QString userFolder = dir.filePath(QStringLiteral("user"));
    int notices = 0;
    const Environment environment{[&](QWidget *, QMessageBox::Icon, const QString &, const QString &) { ++notices; },
                                  [](const QUrl &) { return true; },
                                  {}};
    const Dictionary dictionary = openDictionary(dir.path());
    ReaderStore reader(userFolder);
    MainWindow window(dictionary, environment);
    window.setReaderStore(&reader);
    window.show();
    QApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    report("the file free:", clickNext(window, [&] { return clock.elapsed() < 2000; }));

    QProcess other;
    other.start(QStringLiteral(VURA_READER_CHILD), {userFolder, QStringLiteral("hold"), QStringLiteral("3000")});
    if (!other.waitForReadyRead(10000) || other.readLine() != "held\n") {
        std::fprintf(stderr, "the other copy did not take the lock\n");
        return 1;
    }
    clock.restart();
    report("another copy holding the lock for 3 s:",
           clickNext(window, [&] { return !other.canReadLine() && clock.elapsed() < 3000; }));
    const int lastShown = window.currentId();
    other.waitForFinished();
    QElapsedTimer written;
    written.start();
    const auto newest = [&] { return ReaderStore(userFolder).history().value(0).id; };
    while (newest() != lastShown && written.elapsed() < 10000) {
        QApplication::processEvents();
        QThread::msleep(1);
    }
    std::printf("the history written %s %lld ms after the lock went; %d notice(s)\n",
                newest() == lastShown ? "in full" : "NOT in full", written.elapsed(), notices);
    return 0;
}
