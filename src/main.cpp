#include "artwork.h"
#include "fonts.h"
#include "form1.h"
#include "translations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura"));
    loadChineseTranslations(&app);
    registerFontSubstitutions(); // before anything draws the artwork's characters
    QApplication::setWindowIcon(programIcon()); // both windows take it from here

    Form1 window;
    window.Form_Load();
    window.show();
    window.reportStartupFailure();
    return app.exec();
}
