// The game of the idiom chain without a window: the rules, the refusals,
// the levels' choices and the ends of a game, on idioms made up so that the
// right answer is known.
#include "testdata.h"

#include "chain/game/chaingame.h"
#include "import/idiomimport.h"
#include "store/idiomstore.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// 长 read cháng and zhǎng; a cycle 逢凶化吉 - 吉人天逢 - 逢场作戏;
// 甲乙丙丁, after which 丁 leaves the other player 0, 1, 2 or 3 moves; and
// 难兄难弟 read nán and nàn, in 临危受命 - 命途多难 - 难兄难弟 - 弟兄有难 -
// 难民如潮.
const char *const kIdioms[][2] = {
    {"高人一长", "gāo rén yī cháng"},   {"一家之长", "yī jiā zhī zhǎng"},  {"长幼有序", "zhǎng yòu yǒu xù"},
    {"长年累月", "cháng nián lěi yuè"}, {"常来常往", "cháng lái cháng wǎng"}, {"唱对台戏", "chàng duì tái xì"},
    {"掌上明珠", "zhǎng shàng míng zhū"}, {"丈二和尚", "zhàng èr hé shàng"},
    {"逢凶化吉", "féng xiōng huà jí"},  {"吉人天逢", "jí rén tiān féng"},  {"逢场作戏", "féng chǎng zuò xì"},
    {"甲乙丙丁", "o"}, {"丁一一子", "o"}, {"丁二二丑", "o"}, {"丁三三寅", "o"}, {"丁四四卯", "o"},
    {"丑五五辰", "o"}, {"寅六六巳", "o"}, {"寅七七午", "o"}, {"卯八八未", "o"}, {"卯九九申", "o"}, {"卯十十酉", "o"},
    {"临危受命", "lín wēi shòu mìng"}, {"命途多难", "mìng tú duō nàn"}, {"难兄难弟", "nán xiōng nán dì"},
    {"难兄难弟", "nàn xiōng nàn dì"}, {"弟兄有难", "dì xiōng yǒu nàn"}, {"难民如潮", "nàn mín rú cháo"},
};

ChainRule ruleNamed(const QString &name)
{
    return name == "char" ? ChainRule::SameCharacter : name == "sound" ? ChainRule::SameSound : ChainRule::SameTone;
}

} // namespace

Q_DECLARE_METATYPE(Level)

class GameTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void followers_data();
    void followers();
    void moves_data();
    void moves();
    void levels_data();
    void levels();
    void easyPrefersCommonIdioms_data();
    void easyPrefersCommonIdioms();
    void ends_data();
    void ends();
    void writtenAlike_data();
    void writtenAlike();
    void computerOpensWithAFollowableIdiom_data();
    void computerOpensWithAFollowableIdiom();

private:
    QString texts(const std::vector<int> &links) const
    {
        QStringList found;
        for (const int link : links)
            found << m_index->text(link);
        return found.join(u' ');
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ChainIndex> m_index;
};

void GameTest::initTestCase()
{
    QByteArray csv;
    int id = 1;
    for (const auto &idiom : kIdioms)
        csv += QStringLiteral("%1,\"%2\",\"%3\",,,,\"a\"\n").arg(id++).arg(idiom[0], idiom[1]).toUtf8();
    TestData::writeFile(m_dir.filePath("idioms.csv"), csv);
    importIdioms(m_dir.filePath("idioms.csv"), m_dir.filePath("cy.dat"));
    m_index = std::make_unique<ChainIndex>(IdiomStore(m_dir.filePath("cy.dat")));
}

void GameTest::followers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("followers"); // as a set, sorted
    QTest::newRow("char") << "高人一长" << "char" << "长年累月 长幼有序";
    QTest::newRow("sound of cháng") << "高人一长" << "sound" << "唱对台戏 常来常往 长年累月";
    QTest::newRow("tone of cháng") << "高人一长" << "tone" << "常来常往 长年累月";
    QTest::newRow("sound of zhǎng") << "一家之长" << "sound" << "丈二和尚 掌上明珠 长幼有序";
    QTest::newRow("tone of zhǎng") << "一家之长" << "tone" << "掌上明珠 长幼有序";
    QTest::newRow("traditional") << "一家之長" << "tone" << "掌上明珠 长幼有序";
    QTest::newRow("a character") << "长" << "char" << "长年累月 长幼有序";
    QTest::newRow("no idiom by sound") << "长" << "sound" << "";
    QTest::newRow("none") << "唱对台戏" << "char" << "";
}

void GameTest::followers()
{
    QFETCH(QString, text);
    QFETCH(QString, rule);
    QFETCH(QString, followers);
    QStringList found = texts(m_index->followersOf(text, ruleNamed(rule))).split(u' ', Qt::SkipEmptyParts);
    found.sort();
    QStringList expected = followers.split(u' ', Qt::SkipEmptyParts);
    expected.sort();
    QCOMPARE(found, expected);
}

// The reader opens with 逢凶化吉, the computer can only answer 吉人天逢, and
// the reader's move follows.
void GameTest::moves_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("move");
    QTest::addColumn<QString>("reason");
    QTest::newRow("follows") << "char" << "逢场作戏" << "";
    QTest::newRow("traditional") << "char" << "逢場作戲" << "";
    QTest::newRow("no idiom") << "char" << "逢人就说" << "不是成语";
    QTest::newRow("wrong start") << "char" << "长年累月" << "要以“逢”开头";
    QTest::newRow("played, wrong start") << "char" << "吉人天逢" << "要以“逢”开头";
    QTest::newRow("played") << "char" << "逢凶化吉" << "已经用过了";
    QTest::newRow("wrong sound") << "sound" << "长年累月" << "要以“feng”开头";
    QTest::newRow("wrong tone") << "tone" << "长年累月" << "要以“féng”开头";
    QTest::newRow("played by sound") << "tone" << "逢凶化吉" << "已经用过了";
}

void GameTest::moves()
{
    QFETCH(QString, rule);
    QFETCH(QString, move);
    QFETCH(QString, reason);
    ChainGame game(*m_index, ruleNamed(rule), Level::Hard, 1);
    QCOMPARE(game.readerOpens("逢凶化吉"), Refusal::None);
    QCOMPARE(texts(game.readerMoves()), QStringLiteral("逢场作戏"));
    const Refusal refusal = game.play(move);
    QCOMPARE(game.reason(refusal), reason);
    if (refusal == Refusal::None) {
        // 戏 has no follower: the computer loses.
        QCOMPARE(game.winner(), Player::Reader);
        QCOMPARE(game.verdict(), QStringLiteral("你赢了！电脑接不下去了。"));
        QCOMPARE(game.score(), 1);
    } else {
        QCOMPARE(game.chain().size(), size_t(2));
        QVERIFY(!game.isOver());
    }
}

void GameTest::levels_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QString>("answers"); // every answer a level may give after 甲乙丙丁
    QTest::newRow("easy") << Level::Easy << "丁三三寅 丁四四卯";
    QTest::newRow("middle") << Level::Middle << "丁一一子 丁三三寅 丁四四卯";
    QTest::newRow("hard") << Level::Hard << "丁一一子";
}

void GameTest::levels()
{
    QFETCH(Level, level);
    QFETCH(QString, answers);
    QSet<QString> given;
    for (quint32 seed = 0; seed < 40; ++seed) {
        ChainGame game(*m_index, ChainRule::SameCharacter, level, seed);
        QCOMPARE(game.readerOpens("甲乙丙丁"), Refusal::None);
        given.insert(m_index->text(game.chain().at(1).link));
    }
    QStringList sorted = given.values();
    sorted.sort();
    QCOMPARE(sorted.join(u' '), answers);
}

void GameTest::easyPrefersCommonIdioms_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("common"); // THUOCL's lines
    QTest::addColumn<QString>("answers");   // every answer the level may give after 甲乙丙丁
    QTest::newRow("none common") << Level::Easy << QByteArray() << "丁三三寅 丁四四卯";
    QTest::newRow("one of the generous") << Level::Easy << QByteArray("丁三三寅\t10") << "丁三三寅";
    QTest::newRow("a less generous one") << Level::Easy << QByteArray("丁二二丑\t10") << "丁二二丑";
    QTest::newRow("never a dead end") << Level::Easy << QByteArray("丁一一子\t10") << "丁三三寅 丁四四卯";
    QTest::newRow("hard ignores it") << Level::Hard << QByteArray("丁三三寅\t10") << "丁一一子";
}

void GameTest::easyPrefersCommonIdioms()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, common);
    QFETCH(QString, answers);
    TestData::writeFile(m_dir.filePath("common.txt"), common);
    importIdioms(m_dir.filePath("idioms.csv"), m_dir.filePath("common.dat"), DataFileForm::Plain,
                 m_dir.filePath("common.txt"));
    const ChainIndex index(IdiomStore(m_dir.filePath("common.dat")));
    QSet<QString> given;
    for (quint32 seed = 0; seed < 40; ++seed) {
        ChainGame game(index, ChainRule::SameCharacter, level, seed);
        QCOMPARE(game.readerOpens("甲乙丙丁"), Refusal::None);
        given.insert(index.text(game.chain().at(1).link));
    }
    QStringList sorted = given.values();
    sorted.sort();
    QCOMPARE(sorted.join(u' '), answers);
}

void GameTest::ends_data()
{
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("steps"); // "h" takes a hint and plays it, "g" gives up, "t" times out
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<int>("score");
    QTest::newRow("dead end") << "甲乙丙丁" << "" << "电脑赢了：你已经无路可接。" << 0;
    // The hint comes at a score of 0, which it leaves alone: the score is never below 0.
    QTest::newRow("hint, then won") << "逢凶化吉" << "h" << "你赢了！电脑接不下去了。" << 1;
    QTest::newRow("gave up") << "逢凶化吉" << "g" << "电脑赢了：你认输了。" << 0;
    QTest::newRow("timed out") << "逢凶化吉" << "t" << "电脑赢了：你的时间到了。" << 0;
}

void GameTest::ends()
{
    QFETCH(QString, opening);
    QFETCH(QString, steps);
    QFETCH(QString, verdict);
    QFETCH(int, score);
    ChainGame game(*m_index, ChainRule::SameCharacter, Level::Hard, 7);
    game.readerOpens(opening);
    for (const QChar step : steps) {
        if (step == u'h')
            QCOMPARE(game.playLink(game.hint()), Refusal::None);
        else if (step == u'g')
            game.giveUp();
        else
            game.timeOut();
    }
    QVERIFY(game.isOver());
    QCOMPARE(game.verdict(), verdict);
    QCOMPARE(game.score(), score);
    QCOMPARE(game.play("逢场作戏"), Refusal::GameOver);
    QVERIFY(game.chainText().endsWith(verdict + u'\n'));
}

// The reader opens with 临危受命 and the computer answers 命途多难: the
// reader's 难兄难弟 is played by the reading that follows, or the hint's,
// and then both readings are played, so that after 弟兄有难 neither may be.
void GameTest::writtenAlike_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("reading"); // the move's first syllable; empty: the hint's
    QTest::newRow("char") << "char" << "nán";
    QTest::newRow("sound") << "sound" << "nán";
    QTest::newRow("tone") << "tone" << "nàn";
    QTest::newRow("hinted") << "char" << "";
}

void GameTest::writtenAlike()
{
    QFETCH(QString, rule);
    QFETCH(QString, reading);
    for (quint32 seed = 0; seed < 16; ++seed) {
        ChainGame game(*m_index, ruleNamed(rule), Level::Hard, seed);
        QCOMPARE(game.readerOpens("临危受命"), Refusal::None);
        const int hinted = reading.isEmpty() ? game.hint() : -1;
        if (hinted >= 0 && m_index->text(hinted) != "难兄难弟")
            continue; // the hint is 难民如潮
        QCOMPARE(game.reason(game.play("难兄难弟")), QString());
        const int played = game.chain().at(2).link;
        QVERIFY(reading.isEmpty() ? played == hinted : m_index->pinyin(played).startsWith(reading));
        QCOMPARE(texts(game.readerMoves()), QStringLiteral("难民如潮"));
        QCOMPARE(game.reason(game.play("难兄难弟")), QStringLiteral("已经用过了"));
    }
}

void GameTest::computerOpensWithAFollowableIdiom_data()
{
    QTest::addColumn<QString>("rule");
    for (const char *rule : {"char", "sound", "tone"})
        QTest::newRow(rule) << rule;
}

void GameTest::computerOpensWithAFollowableIdiom()
{
    QFETCH(QString, rule);
    for (quint32 seed = 0; seed < 50; ++seed) {
        ChainGame game(*m_index, ruleNamed(rule), Level::Easy, seed);
        game.computerOpens();
        QVERIFY2(!game.readerMoves().empty(), qPrintable(m_index->text(game.chain().front().link)));
    }
}

QTEST_GUILESS_MAIN(GameTest)
#include "tst_game.moc"
