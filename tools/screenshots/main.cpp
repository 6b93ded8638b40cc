// vura-screenshots FOLDER: drives the main window and the chain window
// through their states and saves a picture of each into FOLDER, for looking
// at what the windows draw.
#include "form1.h"
#include "form2.h"
#include "fonts.h"
#include "listbox.h"
#include "mainmenu.h"
#include "picturebox.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura"));
    registerFontSubstitutions();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    Form1 window;
    window.messageBox = [](QWidget *, const QString &text, int, const QString &title) {
        qInfo("message box %s: %s", qPrintable(title), qPrintable(text));
    };
    window.Form_Load();
    window.show();
    auto shoot = [&](const char *name) {
        QApplication::processEvents();
        window.grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    };
    shoot("form1-collapsed");
    window.Image3_Click();
    shoot("form1-expanded");
    window.Text1->setText(QString::fromUtf8(argc > 2 ? argv[2] : "一"));
    // Take a picture while the search is filling the list.
    bool taken = false;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (window.isSearching() && !taken) {
            shoot("form1-searching");
            taken = true;
        }
    });
    during.start(1);
    window.Image1_Click();
    during.stop();
    shoot("form1-results");
    window.Image6_Click();
    window.Image6_Click();
    shoot("form1-next");

    // The chain window, opened from the menu as the user does.
    window.menu->messageBox = window.messageBox;
    window.menu->cd_cyjl->trigger();
    Form2 *chain = window.menu->chainWindow();
    auto shootChain = [&](const char *name) {
        QApplication::processEvents();
        chain->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    };
    // Picks candidate `row` as a click on it does.
    auto choose = [&](int row) {
        chain->List2->setCurrentIndex(chain->List2->model()->index(row, 0));
        QCoreApplication::sendPostedEvents(chain, QEvent::MetaCall);
    };
    shootChain("form2-empty");
    chain->Image1_Click();
    shootChain("form2-started");
    choose(0);
    choose(0);
    shootChain("form2-chosen");
    return 0;
}
