// vura-screenshots FOLDER [TEXT]: drives the main window and the chain window
// through their states and saves a picture of each into FOLDER, for looking
// at what the windows draw. TEXT is what the search looks for ("一").
#include "chain/form2.h"
#include "lookup/form1.h"
#include "shell/mainmenu.h"
#include "shell/program.h"
#include "widgets/listbox.h"
#include "widgets/picturebox.h"

#include <QAction>
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
    environment.messageBox = [](QWidget *, const QString &text, int, const QString &title) {
        qInfo("message box %s: %s", qPrintable(title), qPrintable(text));
    };
    Program program(environment);
    program.start();
    Form1 &window = program.mainWindow();
    auto shoot = [&](QWidget *shown, const char *name) {
        QApplication::processEvents();
        shown->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    };
    shoot(&window, "form1-collapsed");
    window.Image3_Click();
    shoot(&window, "form1-expanded");
    window.Text1->setText(QString::fromUtf8(argc > 2 ? argv[2] : "一"));
    window.Picture3->show(); // as it shows while the look-ups run
    shoot(&window, "form1-searching");
    window.Image1_Click();
    shoot(&window, "form1-results");
    window.Image6_Click();
    window.Image6_Click();
    shoot(&window, "form1-next");

    // The chain window, opened from the menu as the user does.
    program.menu().cd_cyjl->trigger();
    Form2 *chain = program.menu().chainWindow();
    auto choose = [&](int row) { // as a click on candidate `row` does
        chain->List2->setCurrentIndex(chain->List2->model()->index(row, 0));
        chain->List2_Click();
    };
    shoot(chain, "form2-empty");
    chain->Image1_Click();
    shoot(chain, "form2-started");
    choose(0);
    choose(0);
    shoot(chain, "form2-chosen");
    return 0;
}
