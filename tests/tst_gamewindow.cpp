// The game window on the tests' small data set, where only 手到擒来 may
// follow, and only 爱不释手 (and by sound 一马当先 and 一言既出，驷马难追 follow
// 一心一意): the reader's moves, refusals, winning, losing and giving up, by
// each rule at each level, with clicks and keys.
#include "windowharness.h"

#include "chain/gamewindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>

class GameWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void play_data();
    void play();
    void chosenOfTwoWrittenAlike();

private:
    WindowTestEnvironment m_environment;
};

// Steps: "o" clicks 电脑先出, "o:TEXT" clicks it until the computer opens
// with TEXT, "g" 认输, "h" 提示, "t:TEXT" types TEXT and presses Enter, "r:RULE"
// and "l:LEVEL" choose the rule and the level in their boxes.
void GameWindowTest::play_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("status"); // a regular expression
    QTest::addColumn<QString>("chain");  // the idioms of the chain text
    QTest::addColumn<QString>("moves");  // the heading of the reader's moves
    QTest::newRow("computer opens") << QStringList{"o"} << "^$" << "爱不释手" << "你有1个成语可接：";
    QTest::newRow("refused") << QStringList{"o", "t:手到擒去"} << "^不是成语$" << "爱不释手" << "你有1个成语可接：";
    QTest::newRow("won") << QStringList{"o", "t:手到擒来"} << "^你赢了！电脑接不下去了。" << "爱不释手 手到擒来"
                         << "可以接的成语：";
    QTest::newRow("hint") << QStringList{"o", "h"} << "^提示：手到擒来" << "爱不释手" << "你有1个成语可接：";
    QTest::newRow("lost") << QStringList{"t:愛不釋手"} << "^电脑赢了：你已经无路可接。" << "爱不释手 手到擒来"
                          << "可以接的成语：";
    QTest::newRow("gave up") << QStringList{"o", "g"} << "^电脑赢了：你认输了。" << "爱不释手" << "可以接的成语：";
    // Each rule at each level. By sound the computer may open with 一心一意
    // too, which 一马当先 follows; 爱不释手 is followed by 手到擒来 alone by
    // every rule, which nothing follows.
    const QStringList rules{"同字接龙", "同音接龙", "同音同调"}, starts{"手", "shou", "shǒu"};
    for (int rule = 0; rule < rules.size(); ++rule) {
        for (const QString &level : QStringList{"容易", "中等", "困难"}) {
            const QStringList choose{"r:" + rules[rule], "l:" + level}, opened = choose + QStringList{"o:爱不释手"};
            const QByteArray name = (rules[rule] + ' ' + level + ' ').toUtf8();
            QTest::newRow(name + "won") << opened + QStringList{"t:手到擒来"} << "^你赢了！电脑接不下去了。"
                                        << "爱不释手 手到擒来" << "可以接的成语：";
            QTest::newRow(name + "lost") << choose + QStringList{"t:愛不釋手"} << "^电脑赢了：你已经无路可接。"
                                         << "爱不释手 手到擒来" << "可以接的成语：";
            QTest::newRow(name + "gave up") << opened + QStringList{"g"} << "^电脑赢了：你认输了。" << "爱不释手"
                                            << "可以接的成语：";
            QTest::newRow(name + "wrong start") << opened + QStringList{"t:一马当先"} << "^要以“" + starts[rule] + "”开头$"
                                                << "爱不释手" << "你有1个成语可接：";
            if (rule == 1)
                QTest::newRow(name + "won by sound") << choose + QStringList{"o:一心一意", "t:一马当先"}
                                                     << "^你赢了！电脑接不下去了。" << "一心一意 一马当先" << "可以接的成语：";
        }
    }
}

void GameWindowTest::play()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, status);
    QFETCH(QString, chain);
    QFETCH(QString, moves);
    TestWorld t(WindowData::Small);
    QPointer<GameWindow> w = new GameWindow(t.dictionary(), t.chains(), t.environment);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    auto *field = control<QLineEdit>(*w, "moveField");
    auto *chainText = control<QPlainTextEdit>(*w, "chainText");
    for (const QString &step : steps) {
        if (step.startsWith("o")) {
            int tries = 0;
            do
                click(control<QPushButton>(*w, "computerOpensButton"));
            while (!chainText->toPlainText().startsWith(step.mid(2)) && ++tries < 64);
        } else if (step.startsWith("r:") || step.startsWith("l:")) {
            auto *box = control<QComboBox>(*w, step.startsWith("r") ? "ruleBox" : "levelBox");
            box->setCurrentText(step.mid(2));
            QCOMPARE(box->currentText(), step.mid(2));
        } else if (step == "g")
            click(control<QPushButton>(*w, "giveUpButton"));
        else if (step == "h")
            click(control<QPushButton>(*w, "hintButton"));
        else {
            field->setText(step.mid(2));
            QTest::keyClick(field, Qt::Key_Return);
        }
    }
    QVERIFY2(control<QLabel>(*w, "status")->text().contains(QRegularExpression(status)),
             qPrintable(control<QLabel>(*w, "status")->text()));
    QStringList played;
    for (const QString &line : chainText->toPlainText().split(u'\n')) {
        if (line.contains(u'\t'))
            played << line.section(u'\t', 0, 0);
    }
    QCOMPARE(played.join(u' '), chain);
    QCOMPARE(control<QLabel>(*w, "movesHeading")->text(), moves);
    // At the easy level the reader's moves are listed, each with its meaning
    // on hover; at the others they are only counted.
    const QAbstractItemModel *list = control<QListView>(*w, "moveList")->model();
    const bool listed = moves.startsWith("你有") && control<QComboBox>(*w, "levelBox")->currentIndex() == 0;
    QCOMPARE(list->rowCount() > 0, listed);
    if (listed)
        QVERIFY(list->index(0, 0).data(Qt::ToolTipRole).toString().contains("做事容易"));
    QVERIFY(t.notices.isEmpty());
    w->close(); // Escape is the chain window's test; a closed game window goes
    QTRY_VERIFY(!w);
}

// With 一言既出，驷马难追 written 一马当先, two 一马当先 follow 一心一意 by
// sound; the one chosen in the list is played, with its own reading.
void GameWindowTest::chosenOfTwoWrittenAlike()
{
    TestWorld t(WindowData::Small, [](const QString &dataFile) {
        TestData::execute(dataFile, "UPDATE cy SET cy = '一马当先' WHERE cy LIKE '一言既出%'");
    });
    GameWindow w(t.dictionary(), t.chains(), t.environment);
    auto *chainText = control<QPlainTextEdit>(w, "chainText");
    control<QComboBox>(w, "ruleBox")->setCurrentText("同音接龙");
    for (int tries = 0; tries < 64 && !chainText->toPlainText().startsWith("一心一意"); ++tries)
        click(control<QPushButton>(w, "computerOpensButton"));
    auto *list = control<QListView>(w, "moveList");
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(chainText->toPlainText().section(u'\n', 1, 1).section(u'\t', 0, 1),
             "一马当先\tyī  yán  jì  chū，sì  mǎ  nán  zhuī");
}

QTEST_MAIN(GameWindowTest)
#include "tst_gamewindow.moc"
