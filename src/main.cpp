#include "shell/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program::setUp(app);
    const Environment environment = Program::systemEnvironment();
    Program program(environment);
    program.start();
    return app.exec();
}
