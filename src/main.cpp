#include "shell/fontconfigwarmup.h"
#include "shell/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    FontconfigWarmUp fonts; // read while the display connects
    QApplication app(argc, argv);
    fonts.wait();
    Program::setUp(app);
    const Environment environment = Program::systemEnvironment();
    Program program(environment, QCoreApplication::applicationDirPath());
    program.start();
    return app.exec();
}
