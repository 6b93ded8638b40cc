// vura-screenshots FOLDER [TEXT [ZOOM]]: drives the main window, the chain
// window and the review window through their states and saves a picture of each into FOLDER, for
// looking at what the windows draw. TEXT is what the search looks for ("一"),
// ZOOM the windows' zoom in percent (100).
#include "chain/chainwindow.h"
#include "lookup/mainwindow.h"
#include "review/reviewwindow.h"
#include "shell/mainmenu.h"
#include "shell/program.h"
#include "shell/sidewindows.h"
#include "shell/windowkeeper.h"
#include "widgets/panel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QLineEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program::setUp(app);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    Environment environment = Program::systemEnvironment();
    environment.messageBox = [](QWidget *, QMessageBox::Icon, const QString &title, const QString &text) {
        qInfo("message box %s: %s", qPrintable(title), qPrintable(text));
    };
    Program program(environment, QCoreApplication::applicationDirPath());
    program.start();
    WindowKeeper &keeper = program.windowKeeper();
    keeper.resetZoom();
    for (const int zoom = argc > 3 ? atoi(argv[3]) : 100; keeper.zoom() < zoom;)
        keeper.zoomIn();
    MainWindow &window = program.mainWindow();
    auto shoot = [&](QWidget *shown, const char *name) {
        QApplication::processEvents();
        shown->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    };
    shoot(&window, "main-folded");
    window.unfoldSearchPane();
    shoot(&window, "main-unfolded");
    window.findChild<QLineEdit *>(QStringLiteral("searchField"))->setText(QString::fromUtf8(argc > 2 ? argv[2] : "一"));
    auto *busy = window.findChild<Panel *>(QStringLiteral("busyIndicator"));
    busy->show(); // as it shows while the look-ups run
    shoot(&window, "main-searching");
    window.search();
    shoot(&window, "main-results");
    window.showNext();
    window.showNext();
    shoot(&window, "main-next");

    // The chain window, opened from the menu as the reader does.
    program.sideWindows().open(SideWindows::Chain);
    auto *chain = program.sideWindows().window<ChainWindow>(SideWindows::Chain);
    auto *candidates = chain->findChild<QAbstractItemView *>(QStringLiteral("candidateList"));
    auto choose = [&](int row) { // as a click on candidate `row` does
        candidates->setCurrentIndex(candidates->model()->index(row, 0));
        chain->followCandidate();
    };
    shoot(chain, "chain-empty");
    chain->start();
    shoot(chain, "chain-started");
    choose(0);
    choose(0);
    shoot(chain, "chain-chosen");

    // The review window on an empty word book, started with the common
    // idioms, the first one turned over. The word book is the pictures' own.
    program.sideWindows().open(SideWindows::Review);
    auto *review = program.sideWindows().window<ReviewWindow>(SideWindows::Review);
    shoot(review, "review-empty");
    review->startWithCommonIdioms();
    review->showAnswer();
    shoot(review, "review-answer");
    return 0;
}
