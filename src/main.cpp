#include "shell/commandline.h"
#include "shell/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Any argument but --pick asks for the command line, which needs no
    // display: it is told apart before anything reads fonts or connects to one.
    const bool pick = startsPicking(argc, argv);
    if (argc > 1 && !pick)
        return commandLineMain(argc, argv);
    QApplication app(argc, argv);
    Program::setUp(app);
    const Environment environment = Program::systemEnvironment();
    Program program(environment, QCoreApplication::applicationDirPath());
    program.start(pick);
    return app.exec();
}
