// The reader's store: history and word book, their files out and in, and
// what a damaged file, a folder that cannot be written, a second copy and a
// killed program do to it.
#include "testdata.h"

#include "reader/readerstore.h"
#include "reader/wordbookfile.h"

#include <QDir>
#include <QProcess>
#include <csignal>
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
    void damagedFileIsSetAside_data();
    void damagedFileIsSetAside();
    void unwritableFolderKeepsNothing();
    void bestScores();
    void schemaVersion();
    void killedMidBurstLosesNothingCommitted();

private:
    QTemporaryDir m_dir;
};

void ReaderStoreTest::history_data()
{
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("newest first") << QList<int>{1, 2, 3} << QList<int>{3, 2, 1};
    QTest::newRow("shown again moves to the top") << QList<int>{1, 2, 3, 1} << QList<int>{1, 3, 2};
    QTest::newRow("the same twice") << QList<int>{5, 5} << QList<int>{5};
    QTest::newRow("at most 500") << range(1, 600) << range(600, 101);
    QTest::newRow("the oldest goes, not one shown again") << QList<int>{1} + range(2, 500) + QList<int>{1, 501}
                                                         << QList<int>{501, 1} + range(500, 3);
}

void ReaderStoreTest::history()
{
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, expected);
    QTemporaryDir dir;
    ReaderStore store(dir.path());
    for (int id : shown)
        QVERIFY(store.recordShown(id, QString::number(id)));
    QCOMPARE(idsOf(ReaderStore(dir.path()).history()), expected); // as the next start finds it
    QCOMPARE(store.history().value(0).text, QString::number(expected.value(0)));
    QVERIFY(store.clearHistory());
    QCOMPARE(store.history().size(), 0);
}

void ReaderStoreTest::wordBook_data()
{
    QTest::addColumn<QList<int>>("changes"); // +id adds, -id removes
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("newest first") << QList<int>{1, 2, 3} << QList<int>{3, 2, 1};
    QTest::newRow("added twice stays once where it was") << QList<int>{1, 2, 1} << QList<int>{2, 1};
    QTest::newRow("removed") << QList<int>{1, 2, -1} << QList<int>{2};
    QTest::newRow("removed and added again comes first") << QList<int>{1, 2, -1, 1} << QList<int>{1, 2};
    QTest::newRow("removing one not there") << QList<int>{1, -7} << QList<int>{1};
}

void ReaderStoreTest::wordBook()
{
    QFETCH(QList<int>, changes);
    QFETCH(QList<int>, expected);
    QTemporaryDir dir;
    ReaderStore store(dir.path());
    for (int change : changes)
        QVERIFY(change > 0 ? store.addToWordBook(change, QString::number(change)) : store.removeFromWordBook(-change));
    const QList<WordBookEntry> book = ReaderStore(dir.path()).wordBook();
    QCOMPARE(idsOf(book), expected);
    QVERIFY(qAbs(book.first().added.secsTo(QDateTime::currentDateTime())) < 60);
    for (int id : {1, 2, 3, 7})
        QCOMPARE(store.inWordBook(id), expected.contains(id));
}

void ReaderStoreTest::twoCopiesShareTheFile()
{
    QTemporaryDir dir;
    ReaderStore first(dir.path()), second(dir.path());
    for (int id = 1; id <= 20; ++id) {
        QVERIFY((id % 2 ? first : second).recordShown(id, QString::number(id)));
        QVERIFY((id % 2 ? second : first).addToWordBook(id, QString::number(id)));
    }
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

void ReaderStoreTest::damagedFileIsSetAside_data()
{
    QTest::addColumn<qint64>("damageFrom"); // -1: the file is text, no database at all
    QTest::newRow("not a database") << qint64(-1);
    QTest::newRow("pages overwritten") << qint64(4096);
}

void ReaderStoreTest::damagedFileIsSetAside()
{
    QFETCH(qint64, damageFrom);
    QTemporaryDir dir;
    const QString path = dir.filePath(ReaderStore::fileName());
    if (damageFrom < 0) {
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
    QVERIFY(store.addToWordBook(1, QStringLiteral("爱不释手")));
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
    QVERIFY(store.recordShown(1, QStringLiteral("爱不释手")) && store.addToWordBook(2, QStringLiteral("爱屋及乌")));
    QCOMPARE(idsOf(store.history()), QList<int>{1});
    QCOMPARE(idsOf(store.wordBook()), QList<int>{2});
}

void ReaderStoreTest::bestScores()
{
    QTemporaryDir dir;
    QVERIFY(ReaderStore(dir.path()).offerScore("chain-sound-hard", 3));
    QVERIFY(!ReaderStore(dir.path()).offerScore("chain-sound-hard", 2));
    QCOMPARE(ReaderStore(dir.path()).bestScore("chain-sound-hard"), 3);
    QCOMPARE(ReaderStore(dir.path()).bestScore("chain-sound-easy"), 0);
}

void ReaderStoreTest::schemaVersion()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ReaderStore::fileName());
    QCOMPARE(ReaderStore(dir.path()).schemaVersion(), 1);
    QCOMPARE(pragma(path, "user_version"), QStringLiteral("1"));
    // A later program's file keeps its version, and what this one knows of it works.
    TestData::execute(path, "PRAGMA user_version=7");
    ReaderStore later(dir.path());
    QVERIFY(later.recordShown(3, QStringLiteral("不亦乐乎")));
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

QTEST_GUILESS_MAIN(ReaderStoreTest)
#include "tst_readerstore.moc"
