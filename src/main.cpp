#include "shell/commandline.h"
#include "shell/fontconfigwarmup.h"
#include "shell/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Any argument asks for the command line, which needs no display: it is
    // told apart before anything reads fonts or connects to one.
    if (argc > 1)
        return commandLineMain(argc, argv);
    FontconfigWarmUp fonts; // read while the display connects
    QApplication app(argc, argv);
    fonts.wait();
    Program::setUp(app);
    const Environment environment = Program::systemEnvironment();
    Program program(environment, QCoreApplication::applicationDirPath());
    program.start();
    return app.exec();
}
