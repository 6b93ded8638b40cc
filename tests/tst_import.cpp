// The import tool: the rows it keeps, where it puts them, the ids it gives,
// the rows it refuses, the errata it applies, and the bytes it writes.
#include "testdata.h"

#include "import/idiomimport.h"
#include "store/datafilemark.h"
#include "store/sqlite/sqlitehandle.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <sqlite3.h>

namespace {

// Runs `sql` on the data file and returns one column of every row, NULL
// written as "<null>".
QStringList query(const QString &dataFile, const char *sql, int column = 0)
{
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(dataFile).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    Sqlite::Database db(raw);
    sqlite3_stmt *rawStatement = nullptr;
    if (sqlite3_prepare_v2(raw, sql, -1, &rawStatement, nullptr) != SQLITE_OK)
        qFatal("%s: %s", sql, sqlite3_errmsg(raw));
    Sqlite::Statement statement(rawStatement);
    QStringList values;
    while (sqlite3_step(rawStatement) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(rawStatement, column));
        values << (text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
    }
    return values;
}

QStringList idiomsInOrder(QList<IdiomRow> rows)
{
    placeLateAdditions(rows);
    QStringList texts;
    for (const IdiomRow &row : rows)
        texts << row.cy;
    return texts;
}

QByteArray row(int id, const char *cy, const char *py)
{
    return QByteArray::number(id) + ",\"" + cy + "\",\"" + py + "\",\"义\",,,\"abcd\"";
}

// The syllables of pinyin without tone marks: each run of letters counts its
// groups of vowels, at least one, so that pinyin without spaces counts right.
int syllableCount(const QString &plain)
{
    int count = 0;
    for (const QString &run : plain.split(QRegularExpression("[^a-z]+"), Qt::SkipEmptyParts))
        count += std::max(1, int(run.split(QRegularExpression("[^aeiou]+"), Qt::SkipEmptyParts).size()));
    return count;
}

} // namespace

class ImportTest : public QObject
{
    Q_OBJECT

private slots:
    void sampleImportsInOrderWithNewIds();
    void nullsAndDoubledIdioms();
    void lateAdditionRule_data();
    void lateAdditionRule();
    void csvQuotingRules();
    void malformedRowIsRefusedWithoutOutput_data();
    void malformedRowIsRefusedWithoutOutput();
    void indexesServeTheLookUps_data();
    void indexesServeTheLookUps();
    void errata_data();
    void errata();
    void sameInputGivesSameBytes();
    void unreadableCountIsRefused_data();
    void unreadableCountIsRefused();
    void fullDataSet();

private:
    QTemporaryDir m_dir;
};

void ImportTest::sampleImportsInOrderWithNewIds()
{
    const QString dataFile = TestData::writeDataFile(m_dir.path());
    // The appended 爱不释手 goes to the start of the 爱 (ài) run; then 1..N.
    QCOMPARE(query(dataFile, "SELECT cy FROM cy WHERE id <= 3 ORDER BY id"),
             QStringList({"爱不释手", "爱屋及乌", "八九不离十"}));
    QCOMPARE(query(dataFile, "SELECT count(*) || ',' || min(id) || ',' || max(id) FROM cy"),
             QStringList{QStringLiteral("%1,1,%1").arg(TestData::kCount)});
    QCOMPARE(query(dataFile, "SELECT cy FROM cy WHERE id = 16"), QStringList{"自相矛盾"});
    // Column order as the windows rely on for SELECT *.
    QCOMPARE(query(dataFile, "SELECT name FROM pragma_table_info('cy') ORDER BY cid"),
             QStringList({"id", "cy", "py", "ys", "cc", "lz", "pyjm"}));
}

void ImportTest::nullsAndDoubledIdioms()
{
    const QString dataFile = TestData::writeDataFile(m_dir.path());
    QCOMPARE(query(dataFile, "SELECT sum(ys IS NULL) || '/' || sum(cc IS NULL) || '/' || sum(lz IS NULL) FROM cy"),
             QStringList{"1/6/6"});
    QCOMPARE(query(dataFile, "SELECT count(*) FROM cy WHERE ys = '' OR cc = '' OR lz = '' OR py = ''"),
             QStringList{"0"});
    QCOMPARE(query(dataFile, "SELECT py FROM cy WHERE cy = '难兄难弟' ORDER BY id"),
             QStringList({"nán  xiōng  nán  dì", "nàn  xiōng  nàn  dì"}));
}

void ImportTest::lateAdditionRule_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("appended row joins the start of its run")
        << QByteArray(row(1, "哀兵必胜", "āi  bīng  bì  shèng") + "\n" + row(2, "爱不释手", "ài  bù  shì  shǒu") + "\n"
                      + row(3, "做张做势", "zuò  zhāng  zuò  shì") + "\n" + row(9, "哀鸿遍野", "āi  hóng  biàn  yě"))
        << QStringList({"哀鸿遍野", "哀兵必胜", "爱不释手", "做张做势"});
    QTest::newRow("two appended rows keep their file order")
        << QByteArray(row(1, "哀兵必胜", "āi  bīng  bì  shèng") + "\n" + row(2, "百发百中", "bǎi  fā  bǎi  zhòng") + "\n"
                      + row(3, "做张做势", "zuò  zhāng  zuò  shì") + "\n" + row(8, "百战百胜", "bǎi  zhàn  bǎi  shèng") + "\n"
                      + row(9, "哀鸿遍野", "āi  hóng  biàn  yě"))
        << QStringList({"哀鸿遍野", "哀兵必胜", "百战百胜", "百发百中", "做张做势"});
    QTest::newRow("a repeated run inside the sorted part stays")
        << QByteArray(row(1, "百发百中", "bǎi  fā  bǎi  zhòng") + "\n" + row(2, "半途而废", "bàn  tú  ér  fèi") + "\n"
                      + row(3, "百战百胜", "bǎi  zhàn  bǎi  shèng") + "\n" + row(4, "做张做势", "zuò  zhāng  zuò  shì"))
        << QStringList({"百发百中", "半途而废", "百战百胜", "做张做势"});
    QTest::newRow("a last row in order stays last")
        << QByteArray(row(1, "哀兵必胜", "āi  bīng  bì  shèng") + "\n" + row(2, "做张做势", "zuò  zhāng  zuò  shì") + "\n"
                      + row(3, "做贼心虚", "zuò  zéi  xīn  xū"))
        << QStringList({"哀兵必胜", "做张做势", "做贼心虚"});
    QTest::newRow("an out-of-order last row with no run of its own stays")
        << QByteArray(row(1, "哀兵必胜", "āi  bīng  bì  shèng") + "\n" + row(2, "做张做势", "zuò  zhāng  zuò  shì") + "\n"
                      + row(3, "八面玲珑", "bā  miàn  líng  lóng"))
        << QStringList({"哀兵必胜", "做张做势", "八面玲珑"});
    QTest::newRow("same character, other reading, is not its run")
        << QByteArray(row(1, "长年累月", "cháng  nián  lěi  yuè") + "\n" + row(2, "做张做势", "zuò  zhāng  zuò  shì") + "\n"
                      + row(3, "长此以往", "zhǎng  cǐ  yǐ  wǎng"))
        << QStringList({"长年累月", "做张做势", "长此以往"});
}

void ImportTest::lateAdditionRule()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, order);
    QCOMPARE(idiomsInOrder(readIdiomCsv(csv)), order);
}

void ImportTest::csvQuotingRules()
{
    const QList<IdiomRow> rows = readIdiomCsv(
        "\xEF\xBB\xBF" "1,\"一,二\",\"yī  èr\",\"他说\"\"好\"\"\",\"\",,\"ye\"\r\n"
        "2,\"三\nsan\",\"sān\",义,,,sa\n");
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).cy, QStringLiteral("一,二"));
    QCOMPARE(rows.at(0).ys, QStringLiteral("他说\"好\""));
    QVERIFY(rows.at(0).cc.isEmpty()); // "" and nothing both mean absent
    QCOMPARE(rows.at(1).cy, QStringLiteral("三\nsan"));
    QCOMPARE(rows.at(1).line, 2);
    QCOMPARE(rows.at(1).ys, QStringLiteral("义"));
}

void ImportTest::malformedRowIsRefusedWithoutOutput_data()
{
    QTest::addColumn<QByteArray>("badRow");
    QTest::addColumn<QString>("message");

    QTest::newRow("six fields") << QByteArray("5,\"一\",\"yī\",,,\"y\"") << "line 3: 6 fields instead of 7";
    QTest::newRow("eight fields") << QByteArray("5,\"一\",\"yī\",,,,\"y\",") << "line 3: 8 fields instead of 7";
    QTest::newRow("id not a number") << QByteArray("5a,\"一\",\"yī\",,,,\"y\"") << "line 3, field 1 (id): \"5a\" is not an integer";
    QTest::newRow("negative id") << QByteArray("-5,\"一\",\"yī\",,,,\"y\"") << "line 3, field 1 (id)";
    QTest::newRow("id too large") << QByteArray("99999999999,\"一\",\"yī\",,,,\"y\"") << "line 3, field 1 (id)";
    QTest::newRow("empty idiom") << QByteArray("5,,\"yī\",,,,\"y\"") << "line 3, field 2 (cy): empty";
    QTest::newRow("empty pinyin") << QByteArray("5,\"一\",\"\",,,,\"y\"") << "line 3, field 3 (py): empty";
    QTest::newRow("empty code") << QByteArray("5,\"一\",\"yī\",,,,") << "line 3, field 7 (pyjm): empty";
    QTest::newRow("code too wide") << QByteArray("5,\"一\",\"yī\",,,,\"abcde\"") << "line 3, field 7 (pyjm): 5 characters, more than the column's 4";
    QTest::newRow("idiom too wide") << QByteArray("5,\"" + QByteArray(41 * 3, 'x').replace("xxx", "一") + "\",\"yī\",,,,\"y\"")
                                    << "line 3, field 2 (cy): 41 characters";
    QTest::newRow("quote not closed") << QByteArray("5,\"一,\"yī\",,,,\"y\"") << "line 3";
    QTest::newRow("stray quote") << QByteArray("5,一\"二,\"yī\",,,,\"y\"") << "line 3, field 2 (cy)";
    QTest::newRow("line ended by a lone CR") << QByteArray("5,\"一\",\"yī\",,,,\"y\"\r5,\"一\",\"yī\",,,\"y\"")
                                             << "line 4: 6 fields instead of 7";
}

void ImportTest::malformedRowIsRefusedWithoutOutput()
{
    QFETCH(QByteArray, badRow);
    QFETCH(QString, message);

    const QString csvPath = m_dir.filePath("bad.csv");
    const QString output = m_dir.filePath("bad.dat");
    TestData::writeFile(csvPath, row(1, "哀兵必胜", "āi  bīng  bì  shèng") + "\n" + row(2, "爱不释手", "ài  bù  shì  shǒu")
                                     + "\n" + badRow + "\n" + row(6, "做张做势", "zuò  zhāng  zuò  shì"));
    TestData::writeFile(output, "an older output"); // must not survive either
    try {
        importIdioms(csvPath, output);
        QFAIL("the import took a malformed row");
    } catch (const ImportError &error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
    }
    QVERIFY(!QFile::exists(output));
    QVERIFY(!QFile::exists(output + ".part"));
}

void ImportTest::indexesServeTheLookUps_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("index");
    QTest::newRow("cy =") << "cy = '一心一意'" << "CYTEXT";
    QTest::newRow("cy LIKE") << "cy LIKE '一%'" << "CYTEXT";
    QTest::newRow("pyjm =") << "pyjm = 'ABSX'" << "PYCODE";
    QTest::newRow("pyjm LIKE") << "pyjm LIKE 'ab%'" << "PYCODE";
    QTest::newRow("id =") << "id = 5" << "INTEGER PRIMARY KEY";
}

void ImportTest::indexesServeTheLookUps()
{
    QFETCH(QString, condition);
    QFETCH(QString, index);
    const QString dataFile = TestData::writeDataFile(m_dir.path());
    const QByteArray plan = "EXPLAIN QUERY PLAN SELECT id, cy FROM cy WHERE " + condition.toUtf8();
    const QString steps = query(dataFile, plan.constData(), 3).join(QLatin1Char(';')); // how the rows are found
    QVERIFY2(steps.startsWith("SEARCH") && steps.contains(index), qPrintable(steps));
}

void ImportTest::errata_data()
{
    QTest::addColumn<QByteArray>("errata");
    QTest::addColumn<QString>("outcome"); // the rows as "cy py cc pyjm", or how the message begins
    const QString first = "甘败下风 gān  bài  xià  fēng  gbxf\n", second = "大开大合 dà  dāi  dà  hé 《书·大禹漠》 dddh";
    QTest::newRow("headword") << QByteArray("1\t甘败下风\tcy\t甘败下风\t甘拜下风") << "甘拜下风 gān  bài  xià  fēng  gbxf\n" + second;
    QTest::newRow("pinyin; its code follows") << QByteArray("2\t大开大合\tpy\tdà  dāi\tdà  kāi")
                                             << first + "大开大合 dà  kāi  dà  hé 《书·大禹漠》 dkdh";
    QTest::newRow("source, then pinyin of five syllables")
        << QByteArray("2\t大开大合\tcc\t漠\t谟\n2\t大开大合\tpy\tdà  hé\tdà  hé  xiè")
        << first + "大开大合 dà  dāi  dà  hé  xiè 《书·大禹谟》 dddx";
    QTest::newRow("old text gone") << QByteArray("2\t大开大合\tpy\tkāi\tdāi") << "errata line 3 (2 大开大合, py): the row's py holds \"kāi\" 0 times";
    QTest::newRow("old text twice") << QByteArray("2\t大开大合\tpy\tdà\tdài") << "errata line 3 (2 大开大合, py): the row's py holds \"dà\" 2 times";
    QTest::newRow("other headword") << QByteArray("1\t甘拜下风\tcy\t败\t拜") << "errata line 3 (1 甘拜下风, cy): the row's idiom is 甘败下风";
    QTest::newRow("no such row") << QByteArray("4\t甘败下风\tcy\t败\t拜") << "errata line 3 (4 甘败下风, cy): no row has this id";
    QTest::newRow("too wide") << QByteArray("1\t甘败下风\tpyjm\tgbxf\tgbxfx") << "errata line 3 (1 甘败下风, pyjm): the corrected text has 5";
    QTest::newRow("no such column") << QByteArray("1\t甘败下风\tid\t1\t2") << "errata line 3: \"id\" is not a column";
}

// The errata follow a comment line and a blank line, which count in the
// line numbers.
void ImportTest::errata()
{
    QFETCH(QByteArray, errata);
    QFETCH(QString, outcome);
    QList<IdiomRow> rows = readIdiomCsv("1,\"甘败下风\",\"gān  bài  xià  fēng\",\"义\",,,\"gbxf\"\n"
                                        "2,\"大开大合\",\"dà  dāi  dà  hé\",\"义\",\"《书·大禹漠》\",,\"dddh\"");
    try {
        applyErrata(rows, readErrata("# id\theadword\tcolumn\told\tnew\n\n" + errata));
    } catch (const ImportError &error) {
        QVERIFY2(QString::fromUtf8(error.what()).startsWith(outcome), error.what());
        return;
    }
    QStringList texts;
    for (const IdiomRow &row : rows)
        texts << QStringList({row.cy, row.py, row.cc, row.pyjm}).join(QLatin1Char(' '));
    QCOMPARE(texts.join(QLatin1Char('\n')), outcome);
}

void ImportTest::sameInputGivesSameBytes()
{
    const QString csvPath = m_dir.filePath("same.csv");
    TestData::writeFile(csvPath, TestData::csv());
    importIdioms(csvPath, m_dir.filePath("a.dat"));
    importIdioms(csvPath, m_dir.filePath("b.dat"));
    const QByteArray a = TestData::readFile(m_dir.filePath("a.dat"));
    QVERIFY(!a.isEmpty());
    QCOMPARE(a, TestData::readFile(m_dir.filePath("b.dat")));
}

void ImportTest::unreadableCountIsRefused_data()
{
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<QString>("error");
    QTest::newRow("no count") << QByteArray("一心一意\t50\n自相矛盾\n") << "idiom count line 2";
    QTest::newRow("not a number") << QByteArray("一心一意\tmany") << "idiom count line 1";
    QTest::newRow("negative") << QByteArray("一心一意\t-3") << "idiom count line 1";
    QTest::newRow("no idiom") << QByteArray("\n \t 3") << "idiom count line 2";
    QTest::newRow("two tabs") << QByteArray("一心一意\t3\t4") << "idiom count line 1";
    QTest::newRow("not UTF-8") << QByteArray("\xff\t3") << "the idiom count is not valid UTF-8";
}

void ImportTest::unreadableCountIsRefused()
{
    QFETCH(QByteArray, count);
    QFETCH(QString, error);
    const QString csvPath = m_dir.filePath("count.csv"), countPath = m_dir.filePath("count.txt");
    const QString output = m_dir.filePath("count.dat");
    TestData::writeFile(csvPath, TestData::csv());
    TestData::writeFile(countPath, count);
    TestData::writeFile(output, "an older file");
    try {
        importIdioms(csvPath, output, DataFileForm::Plain, countPath);
        QFAIL("the count was taken");
    } catch (const ImportError &refusal) {
        QVERIFY2(QString::fromUtf8(refusal.what()).startsWith(error), refusal.what());
    }
    QVERIFY(!QFile::exists(output));
}

void ImportTest::fullDataSet()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build was not given the full idiom data set");
#else
    const QString dataFile = m_dir.filePath("full.dat");
#ifdef VURA_THUOCL_FILE
    const QString common = QStringLiteral(VURA_THUOCL_FILE);
#else
    const QString common;
#endif
    QCOMPARE(importIdioms(QStringLiteral(VURA_FULL_DATA_CSV), dataFile, DataFileForm::Carried, common), 12976);
    QCOMPARE(query(dataFile, "SELECT count(*) || ',' || min(id) || ',' || max(id) FROM cy"),
             QStringList{"12976,1,12976"});
    QCOMPARE(query(dataFile, "SELECT cy FROM cy WHERE id IN (1, 2, 12976) ORDER BY id"),
             QStringList({"哀哀父母", "哀莫大于心死", "做张做势"}));
    QCOMPARE(query(dataFile, "SELECT sum(ys IS NULL) || '/' || sum(cc IS NULL) || '/' || sum(lz IS NULL) FROM cy"),
             QStringList{"1/2476/6426"});
    QCOMPARE(query(dataFile, "SELECT cy FROM cy GROUP BY cy HAVING count(*) = 2 ORDER BY cy"),
             QStringList({"一日之长", "五行并下", "好自为之", "情见乎辞", "相机行事", "难兄难弟"}));
    QCOMPARE(query(dataFile, "SELECT count(*) FROM cy WHERE cy LIKE '一%'"), QStringList{"349"});
    // The errata's corrections, and nothing left of what they correct.
    QCOMPARE(query(dataFile, "SELECT cy FROM cy WHERE cy IN ('甘拜下风', '黄粱美梦', '黄粱一梦', '罄竹难书', '悬梁刺股', "
                             "'一枕黄粱', '甘败下风', '黄梁美梦', '黄梁一梦', '磬竹难书', '悬梁刺骨', '一枕黄梁') ORDER BY id"),
             QStringList({"甘拜下风", "黄粱美梦", "黄粱一梦", "罄竹难书", "悬梁刺股", "一枕黄粱"}));
    QCOMPARE(query(dataFile, "SELECT count(*) FROM cy WHERE cy || ifnull(ys, '') || ifnull(cc, '') || ifnull(lz, '') GLOB '*黄梁*'"),
             QStringList{"0"});
    QCOMPARE(query(dataFile, "SELECT group_concat(cy, ' ') FROM (SELECT cy FROM cy WHERE cy IN ('冰天雪窖', '称体裁衣', '淡妆浓抹', '恩断义绝', "
                             "'各色各样', '弃之如敝屣', '清官难断家务事', '无病自灸', '宴安鸩毒') ORDER BY id)"),
             QStringList{"冰天雪窖 称体裁衣 淡妆浓抹 恩断义绝 各色各样 弃之如敝屣 清官难断家务事 无病自灸 宴安鸩毒"});
    const char *rows = "SELECT cy, py, pyjm FROM cy ORDER BY id";
    const QStringList cy = query(dataFile, rows, 0), py = query(dataFile, rows, 1), pyjm = query(dataFile, rows, 2);
    QStringList wrong;
    int otherCodes = 0; // codes the data set gives otherwise than its rule
    for (qsizetype i = 0; i < cy.size(); ++i) {
        const QString plain = py.at(i).normalized(QString::NormalizationForm_D).remove(QRegularExpression("\\p{Mn}"));
        if (syllableCount(plain) != std::ranges::count_if(cy.at(i).toUcs4(), [](char32_t c) { return QChar::isLetter(c); })
            || plain.contains(QRegularExpression("\\b(yie|puo|[^\\Waeiou]+)\\b|\\x{261}"))
            || py.at(i).normalized(QString::NormalizationForm_D).contains(QRegularExpression("\\b[jqxy]u\\p{Mn}*\\x{308}")))
            wrong << cy.at(i);
        otherCodes += pyjm.at(i) != pinyinInitials(py.at(i));
    }
    QCOMPARE(wrong, QStringList());
    QCOMPARE(otherCodes, 67);
#ifdef VURA_THUOCL_FILE
    // THUOCL's count ranks the idioms written as it lists them: 5,606 texts
    // of the data set as it comes, ten more that the errata correct, and
    // three of the texts written alike by both their rows.
    QCOMPARE(query(dataFile, "SELECT count(*) || ',' || count(DISTINCT cy) || ',' || max(rank) FROM common JOIN cy USING (id)"),
             QStringList{"5619,5616,5619"});
    QCOMPARE(query(dataFile, "SELECT cy || documents FROM common JOIN cy USING (id) WHERE rank <= 2 ORDER BY rank"),
             QStringList({"坚定不移54113", "全力以赴36156"}));
#else
    QCOMPARE(query(dataFile, "SELECT count(*) FROM common"), QStringList{"0"});
#endif
    // The build embeds exactly this file, marked with its own identity.
    const QByteArray carried = TestData::readFile(dataFile);
    QCOMPARE(carried, TestData::readFile(QStringLiteral(VURA_DATA_FILE)));
    QCOMPARE(DataFileMark::markOf(carried), DataFileMark::identity(carried));

    // Without errata and mark, the bytes 1.0 carried: the digest of the
    // cy.dat that vura 1.0 wrote (SQLite's version number aside).
    importIdioms(QStringLiteral(VURA_FULL_DATA_CSV), dataFile, DataFileForm::Version10);
    const QByteArray version10 = TestData::readFile(dataFile);
    QCOMPARE(DataFileMark::markOf(version10), std::nullopt);
    QCOMPARE(query(dataFile, "SELECT count(*) FROM sqlite_master WHERE name = 'common'"), QStringList{"0"});
    QCOMPARE(DataFileMark::digest(version10), "280b38dd2e4ff57d8c996f10da5774571e46ab5d6be8822bc2d10774fd6cf95e");
#endif
}

QTEST_GUILESS_MAIN(ImportTest)
#include "tst_import.moc"
