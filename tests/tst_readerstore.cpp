// The reader's store: history and word book, their files out and in, and
// what a damaged file, a folder that cannot be written, a second copy (that
// may hold the file for a while) and a killed program do to it.
#include "testdata.h"

#include "reader/readerstore.h"
#include "reader/wordbookfile.h"
#include "store/sqlite/query.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <csignal>
#include <utility>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

QList<int> idsOf(const auto &entries)
{
    QList<int> ids;
    for (const auto &entry : entries)
        ids << entry.id;
    return ids;
}

QList<int> range(int from, int to) // from..to, either way
{
    QList<int> ids;
    for (int id = from; id != to + (to >= from ? 1 : -1); id += to >= from ? 1 : -1)
        ids << id;
    return ids;
}

// The answer of PRAGMA `pragma` on the file at `path`, as a reader of it sees it.
QString pragma(const QString &path, const char *pragma)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("PRAGMA ") + pragma).constData(), -1, &statement, nullptr);
    const QString answer = sqlite3_step(statement) == SQLITE_ROW
                               ? QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)))
                               : QStringLiteral("no answer");
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return answer;
}

// Another copy of the program in the middle of a write: it holds the write
// lock of the reader's file in `folder` until release(), when `held`.
class OtherCopy
{
public:
    OtherCopy(const QString &folder, bool held)
    {
        if (!held)
            return;
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(ReaderStore::fileName()));
        if (sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
            || sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("the other copy cannot hold %s", path.constData());
    }
    ~OtherCopy() { release(); }

    void release()
    {
        if (m_db)
            sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
        m_db = nullptr;
    }

private:
    sqlite3 *m_db = nullptr;
};

// The reader's file in a folder of its own, made before any test holds it.
struct ReaderFolder
{
    ReaderFolder() { ReaderStore made(dir.path()); }
    QString path() const { return dir.path(); }

    QTemporaryDir dir;
};

// The limit of the waits the tests allow a store, far below the waits that
// would freeze a window (seconds), far above what a busy machine takes.
constexpr qint64 kNoWaitMs = 1000;

} // namespace

class ReaderStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void history_data();
    void history();
    void wordBook_data();
    void wordBook();
    void twoCopiesShareTheFile();
    void exportFormats_data();
    void exportFormats();
    void importList_data();
    void importList();
    void importProblems_data();
    void importProblems();
    void damagedFileIsSetAside_data();
    void damagedFileIsSetAside();
    void unwritableFolderKeepsNothing();
    void bestScores();
    void schemaVersion();
    void killedMidBurstLosesNothingCommitted();
    void version1FileIsUpgraded();
    void reviewsKeptInOrder();
    void wordBookFilesWithReviews();
    void killedMidReviewsLosesNothingCommitted();
    void failedBindFailsTheStatement_data();
    void failedBindFailsTheStatement();

private:
    QTemporaryDir m_dir;
};

// Each row twice: with the file free, and held by another copy for the
// whole row. The store reads the same either way, and waits on nothing; what
// waited is written once the other copy lets go.
void ReaderStoreTest::history_data()
{
    QTest::addColumn<bool>("held");
    QTest::addColumn<QList<int>>("shown"); // 0 clears the history; -id removes, a run of them at once
    QTest::addColumn<QList<int>>("expected");
    const auto row = [](const char *name, const QList<int> &shown, const QList<int> &expected) {
        QTest::newRow(name) << false << shown << expected;
        QTest::addRow("%s, the file held", name) << true << shown << expected;
    };
    row("newest first", {1, 2, 3}, {3, 2, 1});
    row("shown again moves to the top", {1, 2, 3, 1}, {1, 3, 2});
    row("the same twice", {5, 5}, {5});
    row("at most 500", range(1, 600), range(600, 101));
    row("the oldest goes, not one shown again", QList<int>{1} + range(2, 500) + QList<int>{1, 501},
        QList<int>{501, 1} + range(500, 3));
    row("cleared", {1, 2, 0}, {});
    row("cleared, then shown", {1, 2, 0, 3, 1}, {1, 3});
    row("cleared twice", {1, 0, 0}, {});
    row("removed", {1, 2, 3, -2}, {3, 1});
    row("several removed at once", {1, 2, 3, 4, -4, -1, -9}, {3, 2});
    row("removed, then shown again", {1, 2, -1, 1}, {1, 2});
}

namespace {

// Runs `changes` on the store: each positive one by `one`, each run of
// negative ones, at once, by `removeAll`.
template <typename One, typename RemoveAll>
void applyChanges(const QList<int> &changes, One one, RemoveAll removeAll)
{
    QList<int> removed;
    for (int change : changes) {
        if (change < 0) {
            removed << -change;
            continue;
        }
        removeAll(std::exchange(removed, {}));
        one(change);
    }
    removeAll(removed);
}

} // namespace

void ReaderStoreTest::history()
{
    QFETCH(bool, held);
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, expected);
    ReaderFolder folder;
    OtherCopy other(folder.path(), held);
    QElapsedTimer clock;
    clock.start();
    ReaderStore store(folder.path());
    QCOMPARE(store.opening(), ReaderStore::Opening::Opened);
    applyChanges(
        shown,
        [&](int id) {
            if (id)
                store.recordShown(id, QString::number(id));
            else
                store.clearHistory();
        },
        [&](const QList<int> &ids) { store.removeFromHistory(ids); });
    QCOMPARE(idsOf(store.history()), expected);
    QCOMPARE(store.history().value(0).text, expected.isEmpty() ? QString() : QString::number(expected.first()));
    QVERIFY2(clock.elapsed() < kNoWaitMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(store.unwritten() > 0, held);
    other.release();
    QTRY_COMPARE(store.unwritten(), 0);
    QCOMPARE(idsOf(ReaderStore(folder.path()).history()), expected); // as the next start finds it
}

void ReaderStoreTest::wordBook_data()
{
    QTest::addColumn<bool>("held");
    QTest::addColumn<QList<int>>("changes"); // +id adds, -id removes, a run of them at once
    QTest::addColumn<QList<int>>("expected");
    const auto row = [](const char *name, const QList<int> &changes, const QList<int> &expected) {
        QTest::newRow(name) << false << changes << expected;
        QTest::addRow("%s, the file held", name) << true << changes << expected;
    };
    row("newest first", {1, 2, 3}, {3, 2, 1});
    row("added twice stays once where it was", {1, 2, 1}, {2, 1});
    row("removed", {1, 2, -1}, {2});
    row("removed from the middle, the rest in order", {1, 2, 3, -2}, {3, 1});
    row("removed and added again comes first", {1, 2, -1, 1}, {1, 2});
    row("removing one not there", {1, -7}, {1});
    row("removed twice", {1, 2, -2, -2}, {1});
    row("several removed at once", {1, 2, 3, 4, -1, -3, -9}, {4, 2});
    row("several removed, one added again", {1, 2, 3, -1, -2, 2}, {2, 3});
}

void ReaderStoreTest::wordBook()
{
    QFETCH(bool, held);
    QFETCH(QList<int>, changes);
    QFETCH(QList<int>, expected);
    ReaderFolder folder;
    OtherCopy other(folder.path(), held);
    QElapsedTimer clock;
    clock.start();
    ReaderStore store(folder.path());
    applyChanges(
        changes, [&](int id) { store.addToWordBook(id, QString::number(id)); },
        [&](const QList<int> &ids) { store.removeFromWordBook(ids); });
    const auto check = [&](const ReaderStore &reader) {
        const QList<WordBookEntry> book = reader.wordBook();
        QCOMPARE(idsOf(book), expected);
        QVERIFY(qAbs(book.first().added.secsTo(QDateTime::currentDateTime())) < 60);
        for (int id : {1, 2, 3, 7})
            QCOMPARE(reader.inWordBook(id), expected.contains(id));
    };
    check(store);
    QVERIFY2(clock.elapsed() < kNoWaitMs, qPrintable(QString::number(clock.elapsed())));
    other.release();
    QTRY_COMPARE(store.unwritten(), 0);
    check(ReaderStore(folder.path())); // as the next start finds it
}

void ReaderStoreTest::twoCopiesShareTheFile()
{
    QTemporaryDir dir;
    ReaderStore first(dir.path()), second(dir.path());
    for (int id = 1; id <= 20; ++id) {
        (id % 2 ? first : second).recordShown(id, QString::number(id));
        (id % 2 ? second : first).addToWordBook(id, QString::number(id));
    }
    QCOMPARE(first.unwritten() + second.unwritten(), 0);
    QCOMPARE(idsOf(first.history()), range(20, 1));
    QCOMPARE(idsOf(second.wordBook()), range(20, 1));
}

void ReaderStoreTest::exportFormats_data()
{
    QTest::addColumn<bool>("flashcards");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("plain") << false << QByteArray("爱不释手\n一 心\n");
    QTest::newRow("flashcards") << true
                                << QByteArray("爱不释手\tài bù shì shǒu\t喜爱 得舍不得放手。\t《书》\t他对这本书爱不释手。\n"
                                              "一 心\t\t\t\t\n");
}

void ReaderStoreTest::exportFormats()
{
    QFETCH(bool, flashcards);
    QFETCH(QByteArray, expected);
    const QList<FlashcardFields> idioms{
        {QStringLiteral("爱不释手"), QStringLiteral("ài bù shì shǒu"), QStringLiteral("喜爱\t得舍不得放手。"),
         QStringLiteral("《书》"), QStringLiteral("他对这本书～。")},
        {QStringLiteral("一\r\n心"), {}, {}, {}, {}}}; // a Windows line break is one break too
    QCOMPARE(flashcards ? flashcardTable(idioms) : plainIdiomList({idioms[0].text, idioms[1].text}), expected);
}

void ReaderStoreTest::importList_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("idioms"); // none when there is a problem
    const QString list = QStringLiteral("爱不释手\r\n\r\n  一心一意 \n爱不释手\n杞人忧天\t拼音\t意思");
    const QStringList read{QStringLiteral("爱不释手"), QStringLiteral("一心一意"), QStringLiteral("杞人忧天")};
    QTest::newRow("UTF-8") << list.toUtf8() << read;
    QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + list.toUtf8() << read;
    QTest::newRow("GB18030") << QByteArray("\xB0\xAE\xB2\xBB\xCA\xCD\xCA\xD6\r\n") << QStringList{read[0]};
    QTest::newRow("UTF-16 with BOM") << QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                                            .encode(list).operator QByteArray()
                                     << read;
    QTest::newRow("UTF-16 without BOM") << QStringEncoder(QStringConverter::Utf16LE).encode(list).operator QByteArray()
                                        << read;
    QTest::newRow("UTF-16 big-endian without BOM")
        << QStringEncoder(QStringConverter::Utf16BE).encode(list).operator QByteArray() << read;
    const QStringList listed{QStringLiteral("亡羊补牢"), QStringLiteral("守株待兔"), QStringLiteral("卧薪尝胆"),
                             QStringLiteral("愛不釋手"), QStringLiteral("一言既出，驷马难追"), QStringLiteral("ai bu shi shou")};
    QTest::newRow("numbered") << QStringLiteral("1. 亡羊补牢\n2、守株待兔\n(3) 卧薪尝胆\n４．愛不釋手\n一、一言既出，驷马难追\n10) ai bu shi shou")
                                     .toUtf8()
                              << listed;
    QTest::newRow("circled numbers") << QStringLiteral("①亡羊补牢\n⑵ 守株待兔\n❸卧薪尝胆\n⒋愛不釋手\n⑤一言既出，驷马难追。\n⑥ ai bu shi shou")
                                            .toUtf8()
                                     << listed;
    QTest::newRow("bullets") << QStringLiteral("- 亡羊补牢\n· 守株待兔\n•卧薪尝胆\n* 愛不釋手\n● 一言既出，驷马难追\n— ai bu shi shou")
                                    .toUtf8()
                             << listed;
    QTest::newRow("quoted") << QStringLiteral("\"亡羊补牢\"\n“守株待兔”\n「卧薪尝胆」\n《愛不釋手》，\n'一言既出，驷马难追'\n【ai bu shi shou】")
                                   .toUtf8()
                            << listed;
    QTest::newRow("numbered, bulleted and quoted") << QStringLiteral("• 1. “亡羊补牢”\t拼音").toUtf8() << listed.mid(0, 1);
    QTest::newRow("a number that is all there is") << QByteArray("1.\n2\n") << QStringList{QStringLiteral("2")};
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("blank lines only") << QByteArray("\n \r\n") << QStringList();
    QTest::newRow("binary") << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0", 10) << QStringList();
    QTest::newRow("10 MB") << QByteArray(10 * 1024 * 1024, 'a') << QStringList();
    QTest::newRow("unknown encoding") << QByteArray("\x80\x80\xFF\xFF") << QStringList();
}

void ReaderStoreTest::importList()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, idioms);
#ifdef Q_OS_WIN
    // The Windows build converts GB18030 through code page 54936, which Wine,
    // where its suites run, does not convert.
    if (QByteArrayView(QTest::currentDataTag()) == "GB18030")
        QSKIP("GB18030 goes through Windows' code page 54936, which Wine lacks");
#endif
    const IdiomList read = readIdiomList(bytes);
    QCOMPARE(read.idioms, idioms);
    QCOMPARE(read.problem.isEmpty(), !idioms.isEmpty());
}

void ReaderStoreTest::importProblems_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("fileSize");
    QTest::addColumn<QString>("problem");
    QTest::newRow("too large, its size and the limit")
        << QByteArray(kLargestIdiomList + 1, 'a') << qint64(5 * 1024 * 1024)
        << QStringLiteral("文件太大（5120 KB），不像是成语列表。成语列表每行一个成语，不超过 1024 KB。");
    QTest::newRow("every encoding named") << QByteArray("\x80\x80\xFF\xFF") << qint64(-1)
                                          << QStringLiteral("读不懂这个文件的编码。请把它存成 UTF-8、UTF-16 或 "
                                                            "GB18030（GBK）编码的文本文件。");
}

void ReaderStoreTest::importProblems()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, fileSize);
    QFETCH(QString, problem);
    QCOMPARE(readIdiomList(bytes, fileSize).problem, problem);
}

void ReaderStoreTest::damagedFileIsSetAside_data()
{
    QTest::addColumn<qint64>("damageFrom"); // -1: the file is text, no database at all; -2: made by `sql`
    QTest::addColumn<QByteArray>("sql");
    QTest::newRow("not a database") << qint64(-1) << QByteArray();
    QTest::newRow("pages overwritten") << qint64(4096) << QByteArray();
    QTest::newRow("a word book of other columns")
        << qint64(-2) << QByteArray("CREATE TABLE word_book(word TEXT, note TEXT); INSERT INTO word_book VALUES('a', 'b')");
    QTest::newRow("a history without its unique idiom")
        << qint64(-2) << QByteArray("CREATE TABLE history(idiom_id INTEGER, text TEXT, shown INTEGER)");
    QTest::newRow("this program's tables, but a score of other columns")
        << qint64(-2)
        << QByteArray("CREATE TABLE history(idiom_id INTEGER PRIMARY KEY, text TEXT NOT NULL, shown INTEGER NOT NULL);"
                      "CREATE INDEX history_by_shown ON history(shown);"
                      "CREATE TABLE word_book(entry INTEGER PRIMARY KEY, idiom_id INTEGER NOT NULL UNIQUE,"
                      " text TEXT NOT NULL, added INTEGER NOT NULL);"
                      "CREATE TABLE best_score(name TEXT, points INTEGER); PRAGMA user_version=1");
    QTest::newRow("a review table of other columns")
        << qint64(-2) << QByteArray("CREATE TABLE review(card TEXT, answer TEXT); PRAGMA user_version=1");
}

void ReaderStoreTest::damagedFileIsSetAside()
{
    QFETCH(qint64, damageFrom);
    QFETCH(QByteArray, sql);
    QTemporaryDir dir;
    const QString path = dir.filePath(ReaderStore::fileName());
    if (!sql.isEmpty()) {
        TestData::execute(path, sql);
    } else if (damageFrom < 0) {
        TestData::writeFile(path, "my notes");
    } else {
        QList<HistoryEntry> many; // pages enough that the damage hits the tables
        for (int id = 1; id <= 2000; ++id)
            many.append({id, QStringLiteral("成语%1").arg(id)});
        QCOMPARE(ReaderStore(dir.path()).addToWordBook(many), 2000);
        TestData::damage(path, damageFrom);
    }
    const QByteArray damaged = TestData::readFile(path);

    ReaderStore store(dir.path());
    QCOMPARE(store.opening(), ReaderStore::Opening::SetAside);
    QCOMPARE(TestData::readFile(store.setAsidePath()), damaged);
    QVERIFY(QFileInfo(store.setAsidePath()).fileName().startsWith(ReaderStore::fileName() + ".damaged-20"));
    store.addToWordBook(1, QStringLiteral("爱不释手"));
    QCOMPARE(store.unwritten(), 0);
    ReaderStore again(dir.path()); // told once: the new file opens as any other
    QCOMPARE(again.opening(), ReaderStore::Opening::Opened);
    QCOMPARE(idsOf(again.wordBook()), QList<int>{1});
}

void ReaderStoreTest::unwritableFolderKeepsNothing()
{
    // A folder below a file can be made by nobody, root included.
    TestData::writeFile(m_dir.filePath(QStringLiteral("file")), "x");
    ReaderStore store(m_dir.filePath(QStringLiteral("file/vura")));
    QCOMPARE(store.opening(), ReaderStore::Opening::InMemory);
    QVERIFY(store.path().isEmpty());
    store.recordShown(1, QStringLiteral("爱不释手"));
    store.addToWordBook(2, QStringLiteral("爱屋及乌"));
    QCOMPARE(idsOf(store.history()), QList<int>{1});
    QCOMPARE(idsOf(store.wordBook()), QList<int>{2});
}

void ReaderStoreTest::bestScores()
{
    ReaderFolder folder;
    QVERIFY(ReaderStore(folder.path()).offerScore("chain-sound-hard", 3));
    QVERIFY(!ReaderStore(folder.path()).offerScore("chain-sound-hard", 2));
    QCOMPARE(ReaderStore(folder.path()).bestScore("chain-sound-hard"), 3);
    QCOMPARE(ReaderStore(folder.path()).bestScore("chain-sound-easy"), 0);

    // Beaten while another copy holds the file: the best at once, kept later.
    OtherCopy other(folder.path(), true);
    ReaderStore store(folder.path());
    QVERIFY(store.offerScore("chain-sound-hard", 5));
    QVERIFY(!store.offerScore("chain-sound-hard", 4));
    QCOMPARE(store.bestScore("chain-sound-hard"), 5);
    other.release();
    QTRY_COMPARE(store.unwritten(), 0);
    QCOMPARE(ReaderStore(folder.path()).bestScore("chain-sound-hard"), 5);
}

void ReaderStoreTest::schemaVersion()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ReaderStore::fileName());
    QCOMPARE(ReaderStore(dir.path()).schemaVersion(), ReaderStore::kSchemaVersion);
    QCOMPARE(pragma(path, "user_version"), QString::number(ReaderStore::kSchemaVersion));
    // A later program's file keeps its version, and what this one knows of it works.
    TestData::execute(path, "PRAGMA user_version=7");
    ReaderStore later(dir.path());
    later.recordShown(3, QStringLiteral("不亦乐乎"));
    later.recordReview({3, 1000, 3, 2, 3.5, 5.0, 2000});
    QCOMPARE(later.unwritten(), 0);
    QCOMPARE(later.schemaVersion(), 7);
}

void ReaderStoreTest::killedMidBurstLosesNothingCommitted()
{
#ifdef Q_OS_WIN
    QSKIP("SIGKILL is POSIX; Windows ends a process with TerminateProcess, which this test does not use");
#else
    QTemporaryDir dir;
    QProcess child;
    child.start(QStringLiteral(VURA_READER_CHILD), {dir.path()});
    QVERIFY(child.waitForStarted());
    while (child.bytesAvailable() < 2000 && child.waitForReadyRead(10000)) {
    }
    ::kill(child.processId(), SIGKILL); // in the middle of the burst: it never stops by itself
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QList<int> history, book; // as the child reported them committed, oldest first
    for (const QByteArray &line : child.readAllStandardOutput().split('\n'))
        if (line.size())
            (line.toInt() % 3 ? history : book) << line.toInt();
    QVERIFY(book.size() >= 100);

    ReaderStore store(dir.path());
    QCOMPARE(store.opening(), ReaderStore::Opening::Opened);
    QCOMPARE(pragma(store.path(), "integrity_check"), QStringLiteral("ok"));
    // The history keeps the newest 500: one change may have been committed unreported.
    const QList<int> kept = idsOf(store.history()), booked = idsOf(store.wordBook());
    for (int id : history.mid(std::max<qsizetype>(0, history.size() - 499)))
        QVERIFY2(kept.contains(id), qPrintable(QString::number(id)));
    for (int id : book)
        QVERIFY2(booked.contains(id), qPrintable(QString::number(id)));
#endif
}

// The file of the version before the reviews: its history and word book
// stay, and the reviews table is added.
void ReaderStoreTest::version1FileIsUpgraded()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ReaderStore::fileName());
    TestData::execute(path, "CREATE TABLE history(idiom_id INTEGER PRIMARY KEY, text TEXT NOT NULL, shown INTEGER NOT NULL);"
                            "CREATE INDEX history_by_shown ON history(shown);"
                            "CREATE TABLE word_book(entry INTEGER PRIMARY KEY, idiom_id INTEGER NOT NULL UNIQUE,"
                            " text TEXT NOT NULL, added INTEGER NOT NULL);"
                            "CREATE TABLE best_score(game TEXT PRIMARY KEY, score INTEGER NOT NULL);"
                            "INSERT INTO history VALUES(5, '莫须有', 1);"
                            "INSERT INTO word_book VALUES(1, 8, '杞人忧天', 1700000000);"
                            "INSERT INTO best_score VALUES('chain-char-easy', 4);"
                            "PRAGMA user_version=1");
    {
        ReaderStore store(dir.path());
        QCOMPARE(store.opening(), ReaderStore::Opening::Opened);
        QCOMPARE(store.schemaVersion(), 2);
        QCOMPARE(idsOf(store.history()), QList<int>{5});
        QCOMPARE(idsOf(store.wordBook()), QList<int>{8});
        QCOMPARE(store.bestScore("chain-char-easy"), 4);
        QVERIFY(store.reviews().isEmpty());
        store.recordReview({8, 1700000100, 1, 1, 0.4, 7.2, 1700000160});
        QCOMPARE(store.unwritten(), 0);
    }
    QCOMPARE(ReaderStore(dir.path()).reviews(), (QList<ReviewRecord>{{8, 1700000100, 1, 1, 0.4, 7.2, 1700000160}}));
}

// Reviews come back in the order they were made, from the file and from
// what waits while another copy holds it; a grade out of range is refused.
void ReaderStoreTest::reviewsKeptInOrder()
{
    ReaderFolder folder;
    const QList<ReviewRecord> rows{{3, 100, 3, 1, 3.173, 5.28, 700},   {1, 200, 4, 2, 15.69, 3.22, 1382600},
                                   {3, 700, 3, 2, 4.47, 5.27, 346300}, {3, 346300, 1, 3, 1.2, 6.9, 346600},
                                   {1, 400, 2, 2, 1e-3, 10.0, 86800}};
    ReaderStore store(folder.path());
    store.recordReview(rows[0]);
    store.recordReview(rows[1]);
    OtherCopy other(folder.path(), true);
    store.recordReview(rows[2]);
    store.recordReview(rows[3]);
    QCOMPARE(store.unwritten(), 2);
    QCOMPARE(store.reviews(), rows.mid(0, 4));
    other.release();
    QTRY_COMPARE(store.unwritten(), 0);
    store.recordReview(rows[4]);
    QCOMPARE(store.unwritten(), 0);
    QCOMPARE(ReaderStore(folder.path()).reviews(), rows);

    store.recordReview({2, 500, 5, 2, 1, 1, 600}); // no such grade: the file refuses it, and says so
    QCOMPARE(store.unwritten(), 1);
}

// Export and import of the word book go on as before beside the reviews,
// which stay as they were.
void ReaderStoreTest::wordBookFilesWithReviews()
{
    ReaderFolder folder;
    ReaderStore store(folder.path());
    store.addToWordBook(1, QStringLiteral("爱不释手"));
    store.addToWordBook(2, QStringLiteral("一心一意"));
    const QList<ReviewRecord> rows{{1, 100, 3, 1, 3.173, 5.28, 700}, {2, 150, 1, 1, 0.4, 7.19, 210}};
    for (const ReviewRecord &row : rows)
        store.recordReview(row);
    QStringList texts;
    for (const WordBookEntry &entry : store.wordBook())
        texts << entry.text;
    QCOMPARE(plainIdiomList(texts), QByteArray("一心一意\n爱不释手\n"));
    const IdiomList read = readIdiomList(QByteArray("杞人忧天\n爱不释手\n"));
    QCOMPARE(read.idioms, (QStringList{"杞人忧天", "爱不释手"}));
    QCOMPARE(store.addToWordBook({{8, read.idioms[0]}, {1, read.idioms[1]}}), 1);
    store.removeFromWordBook(2);
    QCOMPARE(store.unwritten(), 0);
    const ReaderStore again(folder.path());
    QCOMPARE(idsOf(again.wordBook()), (QList<int>{8, 1}));
    QCOMPARE(again.reviews(), rows);
}

// A program killed in the middle of grading keeps every review it had
// committed, as the word book does.
void ReaderStoreTest::killedMidReviewsLosesNothingCommitted()
{
#ifdef Q_OS_WIN
    QSKIP("SIGKILL is POSIX; Windows ends a process with TerminateProcess, which this test does not use");
#else
    QTemporaryDir dir;
    QProcess child;
    child.start(QStringLiteral(VURA_READER_CHILD), {dir.path(), QStringLiteral("reviews")});
    QVERIFY(child.waitForStarted());
    while (child.bytesAvailable() < 2000 && child.waitForReadyRead(10000)) {
    }
    ::kill(child.processId(), SIGKILL);
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QList<int> reported;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n'))
        if (line.size())
            reported << line.toInt();
    QVERIFY(reported.size() >= 300);

    ReaderStore store(dir.path());
    QCOMPARE(store.opening(), ReaderStore::Opening::Opened);
    QCOMPARE(pragma(store.path(), "integrity_check"), QStringLiteral("ok"));
    const QList<ReviewRecord> rows = store.reviews();
    QVERIFY(rows.size() >= reported.size()); // one more may have been committed unreported
    for (qsizetype i = 0; i < reported.size(); ++i) {
        QCOMPARE(rows[i].id, reported[i]);
        QCOMPARE(rows[i].reviewed, qint64(reported[i]) * 60);
    }
#endif
}

void ReaderStoreTest::failedBindFailsTheStatement_data()
{
    QTest::addColumn<int>("binds"); // the statement has one parameter
    QTest::addColumn<int>("longestText"); // in bytes; 0 leaves SQLite's own limit
    QTest::addColumn<int>("rc");
    QTest::newRow("bound") << 1 << 0 << SQLITE_DONE;
    QTest::newRow("one parameter too many") << 2 << 0 << SQLITE_RANGE;
    QTest::newRow("a text too long") << 1 << 8 << SQLITE_TOOBIG;
}

void ReaderStoreTest::failedBindFailsTheStatement()
{
    QFETCH(int, binds);
    QFETCH(int, longestText);
    QFETCH(int, rc);
    sqlite3 *raw = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &raw), SQLITE_OK);
    Sqlite::Database db(raw);
    QCOMPARE(sqlite3_exec(raw, "CREATE TABLE t(v)", nullptr, nullptr, nullptr), SQLITE_OK);
    if (longestText)
        sqlite3_limit(raw, SQLITE_LIMIT_LENGTH, longestText);
    Sqlite::Query insert(raw, "INSERT INTO t VALUES(?1)");
    for (int n = 0; n < binds; ++n)
        insert.bind(QStringLiteral("一心一意"));
    QCOMPARE(insert.run(), rc == SQLITE_DONE);
    QCOMPARE(insert.rc(), rc);
    Sqlite::Query count(raw, "SELECT count(*) FROM t");
    QVERIFY(count.next());
    QCOMPARE(count.integer(0), rc == SQLITE_DONE ? 1 : 0); // a failed one never ran
}

QTEST_GUILESS_MAIN(ReaderStoreTest)
#include "tst_readerstore.moc"
