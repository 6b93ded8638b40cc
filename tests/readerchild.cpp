// Another copy of the program at work on the reader's store in the folder
// given, run by the tests and the benchmarks:
// - `readerchild FOLDER`: a burst of changes, for the test that kills the
//   program in the middle of one: records idioms 1, 2, 3, ... in the history
//   and adds every third to the word book, printing each id once its change
//   is committed, until it is killed;
// - `readerchild FOLDER hold [MS]`: holds the file's write lock, as a copy in
//   the middle of a long write does: prints "held" once it has the lock, and
//   lets it go after MS milliseconds, or without MS when a line (or the end)
//   comes on standard input; prints "released" then;
// - `readerchild FOLDER reviews`: a burst of reviews of idioms 1, 2, 3, ...,
//   each a minute after the last, printing each id once it is committed,
//   until it is killed.
#include "reader/readerstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <cstdio>
#include <sqlite3.h>

namespace {

int hold(const QString &folder, const char *ms)
{
    sqlite3 *db = nullptr;
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(ReaderStore::fileName()));
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return 1;
    sqlite3_busy_timeout(db, 10000);
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return 1;
    std::printf("held\n");
    std::fflush(stdout);
    if (ms) {
        QThread::msleep(QByteArray(ms).toULong());
    } else {
        char line[16];
        if (!std::fgets(line, sizeof line, stdin)) {
            // the end of the input lets go as a line does
        }
    }
    const int rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::printf("released\n");
    std::fflush(stdout);
    return rc == SQLITE_OK ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc >= 3 && qstrcmp(argv[2], "hold") == 0)
        return hold(QString::fromLocal8Bit(argv[1]), argc > 3 ? argv[3] : nullptr);
    if (argc == 3 && qstrcmp(argv[2], "reviews") == 0) {
        ReaderStore store(QString::fromLocal8Bit(argv[1]));
        for (int id = 1;; ++id) {
            store.recordReview({id, qint64(id) * 60, 1 + id % 4, 2, 1.5 * id, 5.0, qint64(id) * 60 + 86400});
            if (store.unwritten())
                return 1;
            std::printf("%d\n", id);
            std::fflush(stdout);
        }
    }
    if (argc != 2)
        return 2;
    ReaderStore store(QString::fromLocal8Bit(argv[1]));
    for (int id = 1;; ++id) {
        const QString text = QStringLiteral("成语%1").arg(id);
        if (id % 3)
            store.recordShown(id, text);
        else
            store.addToWordBook(id, text);
        if (store.unwritten())
            return 1;
        std::printf("%d\n", id);
        std::fflush(stdout);
    }
}
