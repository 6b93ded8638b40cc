// The idiom store on a real data file: the files it refuses and why, the
// four look-ups of a search on every kind of text a user can type, the
// candidates of a chain, and an idiom by its id.
#include "testdata.h"

#include "store/idiomsearch.h"
#include "store/idiomstore.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(StoreError::Kind)
Q_DECLARE_METATYPE(SearchResult::Stage)

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
    void find_data();
    void find();
    void findOnTheFullData_data();
    void findOnTheFullData();
    void followers_data();
    void followers();
    void idiomById();
    void twoStoresAtOnce();

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

void StoreTest::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<SearchResult::Stage>("stage");
    QTest::addColumn<QList<int>>("ids");

    // The dictionary first: whatever the four look-ups find stands.
    QTest::newRow("an idiom") << "爱不释手" << SearchResult::LookUps << QList<int>{1, 1};
    QTest::newRow("initials") << "yx" << SearchResult::LookUps << QList<int>{12};
    // Then the text made plain.
    QTest::newRow("traditional") << "愛不釋手" << SearchResult::PlainText << QList<int>{1, 1};
    QTest::newRow("full-width initials") << "ＡＢＳＸ" << SearchResult::PlainText << QList<int>{1, 1};
    QTest::newRow("full-width, lower case") << "ｙｘ" << SearchResult::PlainText << QList<int>{12};
    QTest::newRow("a trailing space") << "一心 " << SearchResult::PlainText << QList<int>{12};
    QTest::newRow("spaces and a line break inside") << " 一 心\n一 " << SearchResult::PlainText << QList<int>{12};
    // Then full pinyin.
    QTest::newRow("pinyin run together") << "yixinyiyi" << SearchResult::Pinyin << QList<int>{12};
    QTest::newRow("pinyin with spaces") << "yi xin yi yi" << SearchResult::Pinyin << QList<int>{12};
    QTest::newRow("pinyin with tone marks") << "yī xīn" << SearchResult::Pinyin << QList<int>{12};
    QTest::newRow("pinyin with tone digits") << "yi1 xin1" << SearchResult::Pinyin << QList<int>{12};
    QTest::newRow("the start of a syllable") << "ren" << SearchResult::Pinyin << QList<int>{9, 10};
    // Then one or two characters written with others of their sound, one first.
    QTest::newRow("one character of the same sound") << "一新一意" << SearchResult::SoundsAlike << QList<int>{12};
    QTest::newRow("two of the same sound") << "一新一义" << SearchResult::SoundsAlike << QList<int>{12};
    QTest::newRow("either reading of a character") << "难兄难地" << SearchResult::SoundsAlike << QList<int>{6, 7};
    QTest::newRow("three are too many") << "衣新衣义" << SearchResult::Nothing << QList<int>{};
    QTest::newRow("another sound") << "一心二意" << SearchResult::Nothing << QList<int>{};
    QTest::newRow("punctuation, then the sound") << "“爱不是手”" << SearchResult::SoundsAlike << QList<int>{1};
    // The words readers add, and the variants the idioms do not use.
    QTest::newRow("quoted, asking its meaning") << "“一心一意”的意思" << SearchResult::PlainText << QList<int>{12, 12};
    QTest::newRow("a variant of a variant") << "衆人拾柴火焰高" << SearchResult::PlainText << QList<int>{15, 15};
    // Then meaning, source and example, meanings first, each idiom once;
    // then meanings that hold most of the words' pairs of characters.
    QTest::newRow("words of a meaning") << "舍不得放下" << SearchResult::Meaning << QList<int>{1};
    QTest::newRow("words of a meaning, traditional") << "捨不得" << SearchResult::Meaning << QList<int>{1};
    QTest::newRow("a wildcard in the meaning") << "舍不得_下" << SearchResult::Meaning << QList<int>{1};
    QTest::newRow("a source") << "论语" << SearchResult::Meaning << QList<int>{4, 14};
    QTest::newRow("a meaning before an example") << "事" << SearchResult::Meaning << QList<int>{11, 3};
    QTest::newRow("meaning, then source") << "心思" << SearchResult::Meaning << QList<int>{12};
    QTest::newRow("source and example") << "三国志" << SearchResult::Meaning << QList<int>{1, 12};
    QTest::newRow("an example") << "这事" << SearchResult::Meaning << QList<int>{3};
    QTest::newRow("words with others between") << "人人感到不安全" << SearchResult::Meaning << QList<int>{10};
    // And what no stage finds.
    QTest::newRow("nothing") << "zzzz" << SearchResult::Nothing << QList<int>{};
    QTest::newRow("white space alone") << " \u3000 " << SearchResult::Nothing << QList<int>{};
}

void StoreTest::find()
{
    QFETCH(QString, text);
    QFETCH(SearchResult::Stage, stage);
    QFETCH(QList<int>, ids);
    const IdiomStore store(m_dataFile);
    const SearchResult found = IdiomSearch(store).find(text);
    QCOMPARE(TestData::idsOf(found.entries), ids);
    QCOMPARE(found.stage, stage);
}

void StoreTest::findOnTheFullData_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<SearchResult::Stage>("stage");
    QTest::addColumn<QString>("among");

    QTest::newRow("traditional") << "愛不釋手" << SearchResult::PlainText << "爱不释手";
    QTest::newRow("one of two simplified forms") << "一見鍾情" << SearchResult::PlainText << "一见钟情";
    QTest::newRow("pinyin") << "yixinyiyi" << SearchResult::Pinyin << "一心一意";
    QTest::newRow("ü typed as v") << "lvshui" << SearchResult::Pinyin << "绿水青山";
    QTest::newRow("ü typed as u") << "lushui" << SearchResult::Pinyin << "绿水青山";
    QTest::newRow("words from the meaning") << "舍不得放手" << SearchResult::Meaning << "爱不释手";
    QTest::newRow("迫不急待") << "迫不急待" << SearchResult::SoundsAlike << "迫不及待";
    QTest::newRow("一股作气") << "一股作气" << SearchResult::SoundsAlike << "一鼓作气";
    QTest::newRow("走头无路") << "走头无路" << SearchResult::SoundsAlike << "走投无路";
    QTest::newRow("再接再励") << "再接再励" << SearchResult::SoundsAlike << "再接再厉";
    QTest::newRow("谈笑风声") << "谈笑风声" << SearchResult::SoundsAlike << "谈笑风生";
    QTest::newRow("长 read as zhang") << "揠苗助涨" << SearchResult::SoundsAlike << "揠苗助长";
    QTest::newRow("a headword the data set misspelt") << "甘败下风" << SearchResult::SoundsAlike << "甘拜下风";
    QTest::newRow("a full stop") << "一心一意。" << SearchResult::PlainText << "一心一意";
    QTest::newRow("臥") << "臥薪嘗膽" << SearchResult::PlainText << "卧薪尝胆";
    QTest::newRow("爲") << "爲所欲爲" << SearchResult::PlainText << "为所欲为";
    QTest::newRow("羣") << "鶴立雞羣" << SearchResult::PlainText << "鹤立鸡群";
    QTest::newRow("歎") << "歎為觀止" << SearchResult::PlainText << "叹为观止";
    QTest::newRow("裏") << "裏應外合" << SearchResult::PlainText << "里应外合";
    QTest::newRow("自己骗自己: 掩耳盗铃") << "自己骗自己" << SearchResult::Meaning << "掩耳盗铃";
    QTest::newRow("自己骗自己: 自欺欺人") << "自己骗自己" << SearchResult::Meaning << "自欺欺人";
}

void StoreTest::findOnTheFullData()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build carries only the sample data");
#else
    QFETCH(QString, text);
    QFETCH(SearchResult::Stage, stage);
    QFETCH(QString, among);
    const IdiomStore store(QStringLiteral(VURA_DATA_FILE));
    const SearchResult found = IdiomSearch(store).find(text);
    QCOMPARE(found.stage, stage);
    const QStringList texts = TestData::textsOf(found.entries);
    const qsizetype at = texts.indexOf(among);
    QVERIFY2(at >= 0 && at < 5, qPrintable(texts.join(QLatin1Char(' ')))); // among the first five
    QVERIFY(texts.size() <= IdiomSearch::kMostByMeaning || stage != SearchResult::Meaning);
#endif
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

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
