// 取词 from the clipboard's change to the card drawn, on a real window
// system (xvfb-run bench/bench_pick, or Windows), for a text the four
// look-ups find and for texts found by the stages after them; beside it, in
// the same run, the bare round trip of reading another program's copy once
// the clipboard says it changed. Another program, clipboardchild, copies.
#include "benchtiming.h"

#include "pick/picker.h"
#include "pick/popupcard.h"
#include "store/idiomsearch.h"
#include "store/idiomstore.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QElapsedTimer>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

constexpr int kRuns = 15;

// Copies `text` from another program, which keeps it until the copy ends.
class Copy
{
public:
    explicit Copy(const QString &text)
    {
        m_child.start(QStringLiteral(VURA_CLIPBOARD_CHILD), {text});
        while (m_child.waitForReadyRead(10000) && !m_child.readAll().contains("copied")) {
        }
    }
    ~Copy()
    {
        QSignalSpy emptied(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        m_child.kill();
        m_child.waitForFinished();
        emptied.wait(1000);
    }

private:
    QProcess m_child;
};

// Paints of the card, once it is made.
class Painted : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

// Clicks the left button where the pointer is, as the reader does.
bool click()
{
#ifdef Q_OS_WIN
    INPUT inputs[] = {{INPUT_MOUSE, {.mi = {0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}}},
                      {INPUT_MOUSE, {.mi = {0, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0}}}};
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
#else
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")}) == 0;
#endif
}

// Presses of a window of vura's own.
class Pressed : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // Clicks in a row at one place: each second one comes as a double click.
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            ++presses;
        return false;
    }
    int presses = 0;
};

// Milliseconds from a click to `done`, the median of kRuns, each run begun
// with `before`; 0 when one never came.
template<typename Before, typename Done>
double clickTo(Before before, Done done)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        before();
        QElapsedTimer sinceClick;
        sinceClick.start();
        if (!click())
            return 0;
        while (!done() && sinceClick.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (!done())
            return 0;
        runs.push_back(sinceClick.nsecsElapsed() / 1e6);
    }
    return median(runs);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        std::fprintf(stderr, "bench_pick needs a window system: run it under xvfb-run, or on Windows\n");
        return 1;
    }
    registerFontSubstitutions();
    const IdiomStore store(QStringLiteral(VURA_DATA_FILE));
    const IdiomSearch search(store); // read before, as the program does half a second after start
    const auto find = [&](const QString &text) -> Picker::Found {
        SearchResult found = IdiomSearch::lookUp(store, text);
        if (found.stage == SearchResult::Nothing)
            found = search.findMeant(text);
        if (found.stage == SearchResult::Nothing)
            return {};
        return {store.idiom(found.entries.constFirst().id), found.stage};
    };
    QClipboard *clipboard = QGuiApplication::clipboard();
    QElapsedTimer sinceChange;
    // Connected before the picker's, so that it starts the clock first.
    QObject::connect(clipboard, &QClipboard::dataChanged, [&] { sinceChange.start(); });

    // The yardstick: the other program's text read once the clipboard changed.
    std::vector<double> roundTrips;
    for (int run = 0; run < kRuns; ++run) {
        QString read;
        QMetaObject::Connection reading = QObject::connect(clipboard, &QClipboard::dataChanged, [&] {
            read = clipboard->mimeData()->text();
            roundTrips.push_back(sinceChange.nsecsElapsed() / 1e6);
        });
        {
            Copy copy(QStringLiteral("画蛇添足 %1").arg(run));
            QSignalSpy changed(clipboard, &QClipboard::dataChanged);
            changed.wait(5000);
            QObject::disconnect(reading);
        }
    }

    Picker picker(find, [] { return 100; });
    picker.setOn(true);
    Painted painted;
    const QList<std::pair<QString, const char *>> texts{
        {QStringLiteral("画蛇添足"), "the four look-ups"},
        {QStringLiteral("“画蛇添足”。"), "made plain"},
        {QStringLiteral("守株待兔的意思"), "made plain, a question"},
        {QStringLiteral("yixinyiyi"), "full pinyin"},
        {QStringLiteral("迫不急待"), "sounds alike"},
        {QStringLiteral("自己骗自己"), "words of the meaning"},
    };
    std::printf("bare clipboard round trip (change to text read): median %.2f ms\n", median(roundTrips));
    std::printf("%-26s %14s %14s\n", "copy to card", "shown (ms)", "drawn (ms)");
    bool first = true;
    for (const auto &[text, what] : texts) {
        std::vector<double> shownAfter, drawnAfter;
        for (int run = first ? -1 : 0; run < kRuns; ++run) { // a first card made, not timed
            QSignalSpy shown(&picker, &Picker::cardShown);
            const int paintsBefore = painted.paints;
            Copy copy(text);
            if (!shown.wait(5000)) {
                std::fprintf(stderr, "no card for %s\n", text.toUtf8().constData());
                return 1;
            }
            const double atShow = sinceChange.nsecsElapsed() / 1e6;
            if (run == -1) {
                picker.card()->installEventFilter(&painted);
                first = false;
                continue;
            }
            while (painted.paints == paintsBefore && sinceChange.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            shownAfter.push_back(atShow);
            drawnAfter.push_back(sinceChange.nsecsElapsed() / 1e6);
            picker.card()->hide();
        }
        std::printf("%-26s %14.2f %14.2f   (%s, median of %d)\n", text.toUtf8().constData(), median(shownAfter),
                    median(drawnAfter), what, kRuns);
    }

#ifndef Q_OS_WIN
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        std::printf("no xdotool: the clicks are not timed\n");
        return 0;
    }
#endif
    QWidget own;
    own.setGeometry(20, 20, 200, 100);
    own.show();
    Pressed pressed;
    own.installEventFilter(&pressed);
    if (!QTest::qWaitForWindowExposed(&own)) {
        std::fprintf(stderr, "the window to click never showed\n");
        return 1;
    }
    int pressesBefore = 0;
    const double toOwn = clickTo(
        [&] {
            QCursor::setPos(own.geometry().center());
            pressesBefore = pressed.presses;
        },
        [&] { return pressed.presses > pressesBefore; });
    own.hide();
    PopupCard *card = picker.card();
    const Idiom idiom = card->idiom();
    const double toHidden = clickTo(
        [&] {
            QCursor::setPos(700, 700); // on no window
            card->showIdiom(idiom, SearchResult::LookUps, 100, QPoint(200, 200));
            // A card never drawn is never hidden: the figure says 0.
            if (!QTest::qWaitForWindowExposed(card))
                card->hide();
        },
        [&] { return !card->isVisible(); });
    std::printf("a click to a window of vura's own: median %.2f ms\n", toOwn);
    std::printf("a click elsewhere to the card hidden: median %.2f ms, %.2f ms after a window's own (median of %d)\n",
                toHidden, toHidden - toOwn, kRuns);
    return toHidden > 0 ? 0 : 1;
}
