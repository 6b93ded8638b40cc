#include "lookup/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura"));
    Form1 window;
    window.Form_Load();
    window.show();
    return app.exec();
}
