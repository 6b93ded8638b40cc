// Importing a word book of 70,000 lines through its window, from the file to
// the filled list and the report, beside looking the same lines up by their
// text in the same run: once where every line is an idiom (each of the
// dictionary's five times and more), once where one line in a hundred is
// not, which the search's later stages then try. Writes into a temporary
// folder.
#include "benchtiming.h"

#include "lookup/importreport.h"
#include "lookup/wordbookwindow.h"
#include "reader/readerstore.h"
#include "store/datafile.h"
#include "widgets/environment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int kLines = 70000;

// Milliseconds from asking the window to import `lines` to its report.
double importTime(const Dictionary &dictionary, const QStringList &lines, const QString &folder)
{
    QFile list(folder + QLatin1String("/list.txt"));
    if (!list.open(QIODevice::WriteOnly) || list.write(lines.join(u'\n').toUtf8()) < 0)
        return -1;
    list.close();
    QElapsedTimer timer;
    double reported = -1;
    QEventLoop loop;
    const auto done = [&] {
        reported = timer.nsecsElapsed() / 1e6;
        loop.quit();
    };
    Environment environment;
    environment.messageBox = [&](QWidget *, QMessageBox::Icon, const QString &, const QString &) { done(); };
    ReaderStore reader(folder + QLatin1String("/reader") + QString::number(lines.size() + lines.last().size()));
    WordBookWindow window(dictionary, environment, reader, nullptr);
    window.show();
    // A list with lines that are not idioms ends in the report of them.
    QTimer watch;
    watch.callOnTimeout([&] {
        if (window.findChild<ImportReport *>())
            done();
    });
    watch.start(1);
    timer.start();
    window.importFrom(list.fileName());
    loop.exec();
    return reported;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QFile data(folder.filePath(QStringLiteral("cy.dat")));
    if (!data.open(QIODevice::WriteOnly) || data.write(carriedDataFile()) < 0)
        return 1;
    data.close();
    const Dictionary dictionary = openDictionary(folder.path());
    const IdiomStore &store = *dictionary.store;

    for (const int missEvery : {0, 100}) {
        QStringList lines;
        for (int n = 0; n < kLines; ++n) {
            lines << (missEvery && n % missEvery == missEvery - 1 ? QStringLiteral("不是成语%1").arg(n)
                                                                 : store.idiom(n % store.count() + 1).text);
        }
        const double byText = msPerRun([&] {
            for (const QString &line : std::as_const(lines))
                store.writtenAs(line);
        });
        std::printf("import: %d lines, %s, into the word book and to the report %.0f ms; "
                    "looking them up by their text alone %.0f ms\n",
                    kLines, missEvery ? "one in 100 no idiom" : "all idioms",
                    importTime(dictionary, lines, folder.path()), byText);
    }
    return 0;
}
