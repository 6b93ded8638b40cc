#include "lookup/form1.h"
#include "shell/artwork.h"
#include "shell/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura"));
    registerFontSubstitutions(); // before anything draws the artwork's characters
    QApplication::setWindowIcon(programIcon());

    Form1 window;
    window.Form_Load();
    window.show();
    window.reportStartupFailure();
    return app.exec();
}
