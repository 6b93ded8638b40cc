// The command line: the search's lines, warnings and exit statuses
// in-process, on a program folder of the test's own, and the real vura for
// what it does before any application object exists; and --chain by
// character against the chain window, on the data this build carries.
#include "fakespeaker.h"
#include "testdata.h"

#include "chain/game/chainindex.h"
#include "shell/commandline.h"
#include "store/datafile.h"
#include "store/idiomstore.h"
#include "vura/version.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void initTestCase();
    void dailyAcrossDays();
    void chainAsTheWindow_data();
    void chainAsTheWindow();

private:
    QTemporaryDir m_dir;
    QString m_program; // a program folder of the carried data
    std::unique_ptr<Dictionary> m_dictionary;
    std::unique_ptr<ChainIndex> m_index;
};

void CommandLineTest::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    // What the program folder holds: the test's idioms, an empty cy.dat, or
    // "unwritable" (no folder can be written); "vura" runs the real program.
    // In-process, reading aloud has a voice, but for "idioms, no voice", and
    // finishes at once, but for "idioms, silent engine".
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // regular expressions
    QTest::addColumn<QString>("errors");
    const QStringList one{"--find", "一心一意"};
    // Found as written and as a beginning: once for each, as the window lists it.
    QTest::newRow("two look-ups") << one << "idioms" << 0 << "^(一心一意\tyī  xīn  yī  yì\t心思专一。\n){2}$" << "^$";
    QTest::newRow("no meaning") << QStringList{"--find", "yyjz"} << "idioms" << 0
                                << "^(一言既出，驷马难追\tyī  yán  jì  chū，sì  mǎ  nán  zhuī\t\n){2}$" << "^$";
    QTest::newRow("meaning stage") << QStringList{"--find", "舍不得放下"} << "idioms" << 0
                                   << "^爱不释手\t[^\t]+\t喜爱得舍不得放下。\n$" << "^$";
    QTest::newRow("nothing") << QStringList{"--find", "无此成语"} << "idioms" << 1 << "^$" << "^$";
    QTest::newRow("no text") << QStringList{"--find", ""} << "idioms" << 2 << "^$" << ".";
    QTest::newRow("empty cy.dat") << one << "empty" << 2 << "^$" << "cy\\.dat";
    QTest::newRow("from memory") << one << "unwritable" << 0 << "^一心一意\t" << "^$";
    // No idiom begins with wū, the sound 爱屋及乌 ends with.
    QTest::newRow("chain") << QStringList{"--chain", "爱不释手"} << "idioms" << 0 << "^手到擒来\tshǒu  dào  qín  lái\n$"
                           << "^$";
    QTest::newRow("chain, none") << QStringList{"--chain", "爱屋及乌", "--rule", "sound"} << "idioms" << 1 << "^$"
                                 << "^$";
    QTest::newRow("chain, no rule") << QStringList{"--chain", "爱不释手", "--rule", "rhyme"} << "idioms" << 2 << "^$"
                                    << "rhyme";
    QTest::newRow("say") << QStringList{"--say", "yxyy"} << "idioms" << 0 << "^一心一意\tyi4 xin1 yi2 yi4\n$" << "^$";
    QTest::newRow("say, nothing") << QStringList{"--say", "无此成语"} << "idioms" << 1 << "^$" << "^$";
    QTest::newRow("say, no voice") << QStringList{"--say", "一心一意"} << "idioms, no voice" << 3 << "^一心一意\t"
                                   << "^没有中文语音。\n$";
    QTest::newRow("say, never finished") << QStringList{"--say", "一心一意"} << "idioms, silent engine" << 4
                                         << "^一心一意\t" << "没有读完";
    QTest::newRow("daily") << QStringList{"--daily", "2026-12-09"} << "idioms" << 0 << "^[^\t\n]+\t[^\t\n]+\t[^\t\n]*\n$"
                           << "^$";
    QTest::newRow("daily, no such day") << QStringList{"--daily", "2026-02-30"} << "idioms" << 2 << "^$" << "2026-02-30";
    QTest::newRow("daily, not a date") << QStringList{"--daily", "明天"} << "idioms" << 2 << "^$" << "YYYY-MM-DD";
    QTest::newRow("daily, two dates") << QStringList{"--daily", "2026-12-09", "2026-12-10"} << "idioms" << 2 << "^$"
                                      << "多余";
    QTest::newRow("vura --daily") << QStringList{"--daily"} << "vura" << 0 << "^[^\t\n]+\t[^\t\n]+\t[^\t\n]*\n$"
                                  << "^$";
    QTest::newRow("vura --daily, bad date") << QStringList{"--daily", "2026-1-5"} << "vura" << 2 << "^$" << ".";
    QTest::newRow("vura --find") << one << "vura" << 0 << "^一心一意\t[^\t\n]+\t[^\t\n]+\n" << "^$";
    QTest::newRow("vura --version") << QStringList{"--version"} << "vura" << 0 << "^" VURA_NAME " " VURA_VERSION "\n$"
                                    << "^$";
    QTest::newRow("vura --help") << QStringList{"--help"} << "vura" << 0 << "--find" << "^$";
    QTest::newRow("vura, unknown option") << QStringList{"--finde", "一"} << "vura" << 2 << "^$" << ".";
}

void CommandLineTest::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QTemporaryDir dir;
    const QString userFolder = TestData::useOwnUserFolder(dir.filePath("user"));
    const QString userFile = QDir::cleanPath(userFolder);
    QString program = dir.filePath("program");
    QDir().mkpath(program);
    CommandLineRun run;
    if (folder == "vura") {
        // A copy in a folder of its own, and no display at all.
        program += "/" + QFileInfo(VURA_PROGRAM).fileName();
        QVERIFY(QFile::copy(VURA_PROGRAM, program));
        QProcess vura;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
#ifndef Q_OS_WIN
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
#endif
        vura.setProcessEnvironment(environment);
        vura.start(program, arguments);
        QVERIFY(vura.waitForFinished(60000));
        QCOMPARE(vura.exitStatus(), QProcess::NormalExit);
        run = {vura.exitCode(), QString::fromUtf8(vura.readAllStandardOutput()),
               QString::fromUtf8(vura.readAllStandardError())};
        // It reads the carried data and writes nothing beside itself or, on
        // Linux, in the per-user folder it was given.
        QCOMPARE(QDir(dir.filePath("program")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(program).fileName()});
        QVERIFY(!QFileInfo::exists(dir.filePath("user")));
    } else {
        if (folder.startsWith("idioms"))
            TestData::writeDataFile(program);
        if (folder == "empty")
            TestData::writeFile(program + "/cy.dat", {});
        if (folder == "unwritable") { // a file where each folder should be
            QVERIFY(QDir(userFolder).removeRecursively() && QDir().mkpath(QFileInfo(userFile).path()));
            TestData::writeFile(userFile, {});
            TestData::writeFile(program + "/blocker", {});
            program += "/blocker/program";
        }
        QStringList calls;
        const bool voice = folder != "idioms, no voice";
        const bool finishes = folder != "idioms, silent engine";
        run = runCommandLine(
            QStringList{"vura"} + arguments, program,
            [&]() -> std::unique_ptr<Speaker> { return std::make_unique<FakeSpeaker>(voice, &calls, finishes); },
            std::chrono::milliseconds(200));
        QFile::remove(userFile); // on Windows, outside the temporary folder
    }
    QCOMPARE(run.status, status);
    QVERIFY2(run.output.contains(QRegularExpression(output)), qPrintable(run.output.left(300)));
    QVERIFY2(run.errors.contains(QRegularExpression(errors)), qPrintable(run.errors));
}

void CommandLineTest::initTestCase()
{
    TestData::useOwnUserFolder(m_dir.filePath("user"));
    m_program = m_dir.filePath("program");
    QVERIFY(QDir().mkpath(m_program));
    m_dictionary = std::make_unique<Dictionary>(openDictionary(m_program));
    QVERIFY(m_dictionary->store);
    m_index = std::make_unique<ChainIndex>(*m_dictionary->store);
}

// 每日一成语 on the data this build carries: the same idiom for the same
// date, and 30 days in a row give at least 28 idioms, each a common one
// where the data knows common idioms.
void CommandLineTest::dailyAcrossDays()
{
    const IdiomStore &store = *m_dictionary->store;
    QSet<QString> common;
    for (const CommonIdiom &idiom : store.commonIdioms())
        common.insert(store.idiom(idiom.id).text);
    QSet<QString> seen;
    const QDate first(2026, 12, 20);
    for (int day = 0; day < 30; ++day) {
        const QStringList arguments{"vura", "--daily", first.addDays(day).toString(Qt::ISODate)};
        const CommandLineRun run = runCommandLine(arguments, m_program);
        QCOMPARE(run.status, 0);
        QCOMPARE(runCommandLine(arguments, m_program).output, run.output);
        const QStringList fields = run.output.chopped(1).split(u'\t');
        QCOMPARE(fields.size(), 3);
        QVERIFY2(common.isEmpty() || common.contains(fields.at(0)), qPrintable(fields.at(0)));
        seen.insert(fields.at(0));
    }
    QVERIFY2(seen.size() >= 28, qPrintable(QStringList(seen.values()).join(u' ')));
}

// Start texts: typed ones, with wildcards, blanks, traditional characters,
// punctuation, characters outside the basic plane and lone surrogates, and
// 200 idioms evenly through the data (every idiom of the sample).
void CommandLineTest::chainAsTheWindow_data()
{
    QTest::addColumn<QString>("text");
    const QStringList typed{"百分%", "%", "_", "人_", "一心一%", "爱不释手 ", "愛", "愛不釋手", "未來", "一心一意的意思",
                            "卧薪尝胆。", "ＡＢＳＸ", "A", "'", "\\", "[", " ", "\t", "万事大𠮷", "𠮷", "一", "不"};
    for (const QString &text : typed)
        QTest::newRow(qPrintable(text)) << text;
    QTest::newRow("NUL") << QString(QChar(0));
    QTest::newRow("lone surrogate") << QString(QChar(0xD842));
    for (int link = 0, step = std::max(1, m_index->size() / 200); link < m_index->size(); link += step)
        QTest::addRow("%d %s", m_index->id(link), qPrintable(m_index->text(link))) << m_index->text(link);
}

// The window lists what the index gives by character, which reads the last
// character as the window always has (the store's own followers, by LIKE,
// say how); --chain --rule char prints the same idioms in the same order.
void CommandLineTest::chainAsTheWindow()
{
    QFETCH(QString, text);
    QList<int> window;
    QString lines;
    for (const int link : m_index->followersOf(text, ChainRule::SameCharacter)) {
        window << m_index->id(link);
        lines += m_index->text(link) + u'\t' + m_index->pinyin(link) + u'\n';
    }
    QCOMPARE(window, TestData::idsOf(m_dictionary->store->followers(text)));
    const CommandLineRun run = runCommandLine({"vura", "--chain", text, "--rule", "char"}, m_program);
    QCOMPARE(run.output, lines);
    QCOMPARE(run.status, window.isEmpty() ? 1 : 0);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
