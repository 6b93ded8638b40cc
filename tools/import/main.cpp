// vura-import INPUT.csv OUTPUT.dat: builds the idiom data file, correcting the
// pinned data set by the errata table (errata.tsv).
#include "import/idiomimport.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: vura-import INPUT.csv OUTPUT.dat\n");
        return 2;
    }
    try {
        const int count = importIdioms(args.at(1), args.at(2));
        std::printf("vura-import: %d idioms written to %s\n", count, qPrintable(args.at(2)));
        return 0;
    } catch (const ImportError &error) {
        std::fprintf(stderr, "vura-import: %s: %s\n", qPrintable(args.at(1)), error.what());
        return 1;
    }
}
