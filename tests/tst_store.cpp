// The idiom store on a real data file: the files it refuses and why, the
// four look-ups of a search on every kind of text a user can type, the
// candidates of a chain, and an idiom by its id.
#include "testdata.h"

#include "import/idiomimport.h"
#include "store/dailyidiom.h"
#include "store/idiomstore.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(StoreError::Kind)

namespace {

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 12345;
    for (char &byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = char(state >> 24);
    }
    return bytes;
}

} // namespace

class StoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void unusableFiles_data();
    void unusableFiles();
    void search_data();
    void search();
    void followers_data();
    void followers();
    void idiomById();
    void twoStoresAtOnce();
    void dailyPlacesVisitEveryEntry_data();
    void dailyPlacesVisitEveryEntry();
    void commonIdioms_data();
    void commonIdioms();

private:
    QTemporaryDir m_dir;
    QString m_dataFile;
};

void StoreTest::initTestCase()
{
    m_dataFile = TestData::writeDataFile(m_dir.path());
}

void StoreTest::unusableFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<StoreError::Kind>("kind");
    QTest::addColumn<QString>("detail");

    QTest::newRow("missing") << "missing.dat" << StoreError::Missing << "";
    QTest::newRow("empty") << "empty.dat" << StoreError::Empty << "";
    QTest::newRow("text") << "text.dat" << StoreError::NotADataFile << "";
    QTest::newRow("random bytes") << "random.dat" << StoreError::NotADataFile << "";
    QTest::newRow("folder") << "folder.dat" << StoreError::IsFolder << "";
    QTest::newRow("foreign database") << "foreign.dat" << StoreError::NoIdiomTable << "";
    QTest::newRow("a column missing") << "nolz.dat" << StoreError::MissingColumns << "lz";
    QTest::newRow("truncated") << "truncated.dat" << StoreError::Damaged << "";
}

void StoreTest::unusableFiles()
{
    QFETCH(QString, name);
    QFETCH(StoreError::Kind, kind);
    QFETCH(QString, detail);

    const QString path = m_dir.filePath(name);
    if (name == "empty.dat")
        TestData::writeFile(path, QByteArray());
    if (name == "text.dat")
        TestData::writeFile(path, QByteArray(5000, 'x'));
    if (name == "random.dat")
        TestData::writeFile(path, randomBytes(8192));
    if (name == "folder.dat")
        QDir().mkpath(path);
    if (name == "foreign.dat")
        TestData::execute(path, "CREATE TABLE other (x); INSERT INTO other VALUES (1);");
    if (name == "nolz.dat")
        TestData::execute(path, "CREATE TABLE cy (id INTEGER PRIMARY KEY, cy, py, ys, cc, pyjm); INSERT INTO cy VALUES (1, 'a', 'b', 'c', 'd', 'e');");
    if (name == "truncated.dat") {
        const QByteArray whole = TestData::readFile(m_dataFile);
        TestData::writeFile(path, whole.left(whole.size() / 2));
    }

    // Refused when opened, or at the first read of what is missing.
    try {
        const IdiomStore store(path);
        store.search(QStringLiteral("%"));
        QFAIL("an unusable file was read");
    } catch (const StoreError &error) {
        QCOMPARE(error.kind(), kind);
        QCOMPARE(error.path(), path);
        QCOMPARE(error.detail(), detail);
    }
}

void StoreTest::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("ids");

    const QList<int> everyIdiomTwice = TestData::everyId(2);
    QList<int> fourOrMore = everyIdiomTwice;
    fourOrMore.removeAll(5); // 莫须有 and its code mxy are three long

    // Exact idiom, exact initials, idioms beginning with it, initials beginning with it.
    QTest::newRow("whole idiom") << "爱不释手" << QList<int>{1, 1};
    QTest::newRow("initials") << "absx" << QList<int>{1, 1};
    QTest::newRow("initials in capitals") << "ABSX" << QList<int>{1, 1};
    QTest::newRow("initials in mixed case") << "AbSx" << QList<int>{1, 1};
    QTest::newRow("start of initials") << "a" << QList<int>{1, 2};
    QTest::newRow("first character") << "一" << QList<int>{12, 13, 14};
    QTest::newRow("two idioms alike") << "难兄难弟" << QList<int>{6, 7, 6, 7};
    QTest::newRow("shared initials") << "nxnd" << QList<int>{6, 7, 6, 7};
    QTest::newRow("underscore is any one character") << "_人" << QList<int>{8, 10, 15};
    QTest::newRow("percent is any run") << "%人" << QList<int>{8, 9, 10, 15};
    QTest::newRow("percent alone") << "%" << everyIdiomTwice;
    QTest::newRow("four underscores") << "____" << fourOrMore;
    QTest::newRow("leading space") << " 一" << QList<int>{};
    QTest::newRow("no such idiom") << "zzzz" << QList<int>{};

    // Whatever else a user types finds nothing, and never makes a look-up fail.
    QTest::newRow("40,000 letters") << QString(40000, QLatin1Char('a')) << QList<int>{};
    QTest::newRow("longer than LIKE takes") << QString(100000, QLatin1Char('a')) << QList<int>{};
    QTest::newRow("longer than LIKE takes, anywhere") << QLatin1Char('%') + QString(60000, QLatin1Char('a')) << QList<int>{};
    QTest::newRow("longer than LIKE takes in bytes, not in characters") << QString(20000, QChar(0x4E00)) << QList<int>{};
    QTest::newRow("percent, 100,000 times") << QString(100000, QLatin1Char('%')) << everyIdiomTwice;
    QTest::newRow("percent four times") << "%%%%" << everyIdiomTwice;
    for (const char *text : {"'", "a' OR '1'='1", "''", "--", ";", "\\", "[", "]", "^", "[一]%", "a' --",
                             "'; DROP TABLE cy; --"})
        QTest::newRow(text) << QString::fromUtf8(text) << QList<int>{};
    QTest::newRow("NUL") << QString(QChar(0)) + QStringLiteral("一") << QList<int>{};
    QTest::newRow("control characters") << "\t\r\n\x01" << QList<int>{};
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QList<int>{};
    QTest::newRow("outside the basic plane") << QStringLiteral("\U00020000") << QList<int>{};
    QTest::newRow("emoji") << QStringLiteral("😀") << QList<int>{};
    QTest::newRow("full-width letters") << QStringLiteral("ＡＢＳＸ") << QList<int>{};
}

void StoreTest::search()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, ids);
    const IdiomStore store(m_dataFile);
    const QList<IdiomEntry> found = store.search(text);
    QCOMPARE(TestData::idsOf(found), ids);
    for (const IdiomEntry &entry : found)
        QCOMPARE(entry.text, store.idiom(entry.id).text);
    QCOMPARE(store.count(), TestData::kCount); // nothing changed
}

void StoreTest::followers_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QList<int>>("ids");
    const QList<int> every = TestData::everyId();

    QTest::newRow("an idiom") << "爱不释手" << QList<int>{11};
    QTest::newRow("one character") << "一" << QList<int>{12, 13, 14};
    QTest::newRow("a dead end") << "安然无恙" << QList<int>{};
    QTest::newRow("percent") << "百分%" << every;
    QTest::newRow("underscore") << "_" << every;
    QTest::newRow("a trailing blank, made plain") << "爱不释手 " << QList<int>{11};
    QTest::newRow("a traditional last character, made plain") << "愛" << QList<int>{1, 2};
    QTest::newRow("a full-width letter that begins nothing") << "ＡＢＳＸ" << QList<int>{};
    for (const char *link : {"'", "\\", "[", " ", "\t"})
        QTest::newRow(link) << QString::fromUtf8(link) << QList<int>{};
    QTest::newRow("NUL") << QString(QChar(0)) << QList<int>{};
    QTest::newRow("lone surrogate") << QString(QChar(0xD842)) << QList<int>{};
    QTest::newRow("outside the basic plane") << QStringLiteral("万事大𠮷") << QList<int>{};
}

void StoreTest::followers()
{
    QFETCH(QString, link);
    QFETCH(QList<int>, ids);
    QCOMPARE(TestData::idsOf(IdiomStore(m_dataFile).followers(link)), ids);
}

void StoreTest::idiomById()
{
    const IdiomStore store(m_dataFile);
    QCOMPARE(store.count(), TestData::kCount);
    const Idiom first = store.idiom(1);
    QCOMPARE(first.id, 1);
    QCOMPARE(QStringList({first.text, first.pinyin, first.meaning, first.source, first.example}),
             QStringList({"爱不释手", "ài  bù  shì  shǒu", "喜爱得舍不得放下。", "《三国志》", "这本书他～。"}));
    const Idiom absent = store.idiom(14); // no meaning, no example
    QCOMPARE(QStringList({absent.text, absent.meaning, absent.source, absent.example}),
             QStringList({"一言既出，驷马难追", "", "《论语》", ""}));

    for (const int id : {0, TestData::kCount + 1, -1}) {
        try {
            store.idiom(id);
            QFAIL("an idiom that is not there was read");
        } catch (const StoreError &error) {
            QCOMPARE(error.kind(), StoreError::MissingIdiom);
            QCOMPARE(error.detail(), QString::number(id));
        }
    }
}

void StoreTest::twoStoresAtOnce()
{
    const IdiomStore a(m_dataFile);
    const IdiomStore b(m_dataFile);
    QCOMPARE(a.search(QStringLiteral("一")).size(), 3);
    QCOMPARE(b.followers(QStringLiteral("一")).size(), 3);
    QCOMPARE(a.idiom(16).text, QStringLiteral("自相矛盾"));
}

void StoreTest::dailyPlacesVisitEveryEntry_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("firstDay");
    QTest::newRow("one") << 1 << qint64(2461000);
    QTest::newRow("the sample") << TestData::kCount << qint64(2461000);
    QTest::newRow("a power of two") << 4096 << qint64(2461000);
    QTest::newRow("the common idioms") << 5619 << qint64(2461385);
    QTest::newRow("the dictionary") << 12976 << qint64(2461385);
    QTest::newRow("before the Julian epoch") << 30 << qint64(-45);
}

// As many days in a row as the list is long visit every place of it once.
void StoreTest::dailyPlacesVisitEveryEntry()
{
    QFETCH(int, size);
    QFETCH(qint64, firstDay);
    std::vector<bool> seen(size_t(size), false);
    for (qint64 day = firstDay; day < firstDay + size; ++day) {
        const int place = DailyIdiom::placeOf(day, size);
        QVERIFY(place >= 0 && place < size);
        QVERIFY2(!seen[size_t(place)], qPrintable(QString::number(day)));
        seen[size_t(place)] = true;
    }
    QCOMPARE(DailyIdiom::placeOf(firstDay + size, size), DailyIdiom::placeOf(firstDay, size));
}

void StoreTest::commonIdioms_data()
{
    QTest::addColumn<QByteArray>("count"); // THUOCL's lines; "-" for a file without table common
    QTest::addColumn<QString>("common");   // id:documents:rank, the most used first
    // The sample's ids: 1 爱不释手, 2 爱屋及乌, 5 莫须有, 6 and 7 难兄难弟,
    // 9 人山人海, 11 手到擒来, 12 一心一意, 16 自相矛盾.
    QTest::newRow("by documents") << QByteArray("一心一意\t 50\n自相矛盾 \t 900\n杯弓蛇影\t1000\n") << "16:900:1 12:50:2";
    QTest::newRow("written alike") << QByteArray("难兄难弟\t7") << "6:7:1 7:7:2";
    QTest::newRow("ties by id") << QByteArray("手到擒来\t5\n爱屋及乌\t5\n") << "2:5:1 11:5:2";
    QTest::newRow("listed twice") << QByteArray("莫须有\t9\n莫须有\t99\n") << "5:9:1";
    QTest::newRow("BOM, CR LF, blank lines") << QByteArray("\xef\xbb\xbf人山人海\t3\r\n\r\n爱不释手\t2\r\n") << "9:3:1 1:2:2";
    QTest::newRow("an empty count") << QByteArray() << "";
    QTest::newRow("an older file") << QByteArray("-") << "";
}

void StoreTest::commonIdioms()
{
    QFETCH(QByteArray, count);
    QFETCH(QString, common);
    const QString csvPath = m_dir.filePath("common.csv"), countPath = m_dir.filePath("common.txt");
    const QString dataPath = m_dir.filePath("common.dat");
    TestData::writeFile(csvPath, TestData::csv());
    TestData::writeFile(countPath, count == "-" ? QByteArray() : count);
    importIdioms(csvPath, dataPath, DataFileForm::Plain, countPath);
    if (count == "-")
        TestData::execute(dataPath, "DROP TABLE common");
    const IdiomStore store(dataPath);
    QStringList found;
    for (const CommonIdiom &idiom : store.commonIdioms())
        found << QStringLiteral("%1:%2:%3").arg(idiom.id).arg(idiom.documents).arg(idiom.rank);
    QCOMPARE(found.join(u' '), common);
    const std::vector<int> ranks = store.commonRanks();
    QCOMPARE(ranks.size(), size_t(TestData::kCount + 1));
    for (const CommonIdiom &idiom : store.commonIdioms())
        QCOMPARE(ranks[size_t(idiom.id)], idiom.rank);
    QCOMPARE(int(std::count(ranks.begin(), ranks.end(), 0)), TestData::kCount + 1 - int(found.size()));
}

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
