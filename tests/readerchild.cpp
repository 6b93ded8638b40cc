// A burst of changes to the reader's store in the folder given, for the test
// that kills the program in the middle of one: records idioms 1, 2, 3, ... in
// the history and adds every third to the word book, printing each id once
// its change is committed, until it is killed.
#include "reader/readerstore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    ReaderStore store(QString::fromLocal8Bit(argv[1]));
    for (int id = 1;; ++id) {
        const QString text = QStringLiteral("成语%1").arg(id);
        if (!(id % 3 ? store.recordShown(id, text) : store.addToWordBook(id, text)))
            return 1;
        std::printf("%d\n", id);
        std::fflush(stdout);
    }
}
