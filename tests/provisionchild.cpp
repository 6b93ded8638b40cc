// One start of the program's store, for the tests of two starts at once.
// With a folder: says "ready", waits for a line on its input so that both
// starts go at the same moment, then writes the data file into the folder
// (when it is missing), opens it and prints whether it wrote it, found it or
// reads the carried data from memory, and the number of idioms.
// With --hold and a folder: takes the folder's lock, as a start that writes
// cy.dat does, says "holding" and keeps it until a line comes on its input.
#include "store/datafile.h"
#include "store/storeerror.h"

#include <QCoreApplication>
#include <QLockFile>
#include <cstdio>

namespace {

bool waitForLine()
{
    char line[8];
    return std::fgets(line, sizeof line, stdin) != nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--hold") {
        QLockFile lock(withTrailingSeparator(QString::fromLocal8Bit(argv[2])) + QStringLiteral("cy.dat.lock"));
        if (!lock.tryLock(0))
            return 1;
        std::printf("holding\n");
        std::fflush(stdout);
        return waitForLine() ? 0 : 2;
    }
    if (argc != 2)
        return 2;
    std::printf("ready\n");
    std::fflush(stdout);
    if (!waitForLine())
        return 2;
    try {
        const QString folder = QString::fromLocal8Bit(argv[1]);
        const Provision provision = provisionDataFile(folder);
        const char *said = provision == Provision::Written ? "wrote"
                         : provision == Provision::Found   ? "found"
                                                           : "memory";
        const IdiomStore store = provision == Provision::FromMemory
                                   ? IdiomStore::inMemory(carriedDataFile(), QStringLiteral("cy.dat"))
                                   : openIdiomStore(folder);
        std::printf("%s %d\n", said, store.count());
        return 0;
    } catch (const StoreError &error) {
        std::printf("%s\n", error.what());
        return 1;
    }
}
