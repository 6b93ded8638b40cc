// One start of the program's store, for the test of two starts at once:
// says "ready", waits for a line on its input so that both starts go at the
// same moment, then writes the data file into the folder given (when it is
// missing), opens it and prints whether it wrote it and the number of idioms.
#include "store/datafile.h"
#include "store/storeerror.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    std::printf("ready\n");
    std::fflush(stdout);
    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return 2;
    try {
        const QString folder = QString::fromLocal8Bit(argv[1]);
        const bool wrote = provisionDataFile(folder);
        std::printf("%s %d\n", wrote ? "wrote" : "found", openIdiomStore(folder).count());
        return 0;
    } catch (const StoreError &error) {
        std::printf("%s\n", error.what());
        return 1;
    }
}
