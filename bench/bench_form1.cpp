// Times the main window on the data this build carries, on whatever Qt
// platform it runs on (QT_QPA_PLATFORM=offscreen for a machine without a
// screen): start-up to the window shown, the search, the card, random
// browsing, and memory.
#include "form1.h"
#include "fonts.h"
#include "listbox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// Resident and peak memory of this process, in MB.
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

// Counts the repaints of a widget and the longest time between two.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); clock.start(); }

    int paints = 0;
    qint64 longestGap = 0;
    qint64 last = -1;
    QElapsedTimer clock;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const qint64 now = clock.elapsed();
            if (last >= 0)
                longestGap = qMax(longestGap, now - last);
            last = now;
            ++paints;
        }
        return false;
    }
};

Form1 *newWindow(const QString &folder)
{
    auto *window = new Form1;
    window->messageBox = [](QWidget *, const QString &, int, const QString &) {};
    window->programFolder = folder;
    window->Form_Load();
    window->show();
    QApplication::processEvents();
    return window;
}

// Child mode: start, show the window, say so, and end.
int startOnce(const QString &folder)
{
    Form1 window;
    window.programFolder = folder;
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    std::printf("shown %d\n", window.idiomCount);
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
    double first = 0, later = 0;
    for (int run = 0; run < starts; ++run) {
        const QString folder = dir.filePath(QStringLiteral("start%1").arg(run));
        QDir().mkpath(folder);
        first += timeStart(QCoreApplication::applicationFilePath(), folder);
        later += timeStart(QCoreApplication::applicationFilePath(), folder);
    }
    std::printf("start-up to window shown, first start (writes cy.dat)  %8.1f ms\n", first / starts);
    std::printf("start-up to window shown, later start                  %8.1f ms\n", later / starts);

    Form1 *window = newWindow(dir.filePath(QStringLiteral("start0")));
    window->Image3_Click();
    QApplication::processEvents();

    for (const char *text : {"%", "一", "ab"}) {
        window->Text1->setText(QString::fromUtf8(text));
        PaintWatch watch(window->List1->viewport());
        int inputHandled = 0;
        qint64 longestInputWait = 0;
        QElapsedTimer sinceInput;
        QTimer input; // stands for the user's input: how long it waits to be handled
        QObject::connect(&input, &QTimer::timeout, [&] {
            if (sinceInput.isValid())
                longestInputWait = qMax(longestInputWait, sinceInput.elapsed() - 5);
            ++inputHandled;
            sinceInput.start();
        });
        input.start(5);
        QElapsedTimer timer;
        timer.start();
        window->Image1_Click();
        const double ms = timer.nsecsElapsed() / 1e6;
        input.stop();
        std::printf("search \"%s\": %5d entries  %8.2f ms   list repaints %3d, longest gap %3lld ms, "
                    "input handled %3d times, longest wait %3lld ms\n",
                    text, window->List1->listCount(), ms, watch.paints,
                    static_cast<long long>(watch.longestGap), inputHandled,
                    static_cast<long long>(longestInputWait));
    }
    window->Text1->setText(QStringLiteral("%"));
    window->Image1_Click();
    std::printf("peak memory after the \"%%\" search                       %8.1f MB\n", memoryMB("VmHWM:"));

    const int count = window->idiomCount;
    QElapsedTimer timer;
    timer.start();
    for (int id = 1; id <= count; ++id)
        window->ShowIdiom(id);
    std::printf("ShowIdiom, mean over %d ids                           %8.3f ms\n", count,
                timer.nsecsElapsed() / 1e6 / count);

    for (int click = 0; click < 1000; ++click)
        window->Image7_Click();
    QApplication::processEvents();
    // The first rounds fill the font caches with the characters of the
    // table; a leak shows as growth that goes on round after round.
    for (int round = 1; round <= 4; ++round) {
        const double before = memoryMB("VmRSS:");
        timer.restart();
        for (int click = 0; click < 10000; ++click) {
            window->Image7_Click();
            if (click % 100 == 0)
                QApplication::processEvents();
        }
        QApplication::processEvents();
        std::printf("random browsing, round %d of 10,000 clicks %8.1f ms; memory %.1f MB before, %.1f MB after\n",
                    round, timer.nsecsElapsed() / 1e6, before, memoryMB("VmRSS:"));
    }
    delete window;
    return 0;
}
