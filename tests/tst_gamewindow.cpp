// The game window on the tests' small data set, where only 手到擒来 may
// follow, and only 爱不释手 (and by sound 一马当先 and 一言既出，驷马难追 follow
// 一心一意): the reader's moves and refusals as the window shows them, with
// clicks and keys, the clock, the chain copied and saved, and the best
// score kept. The rules and the ends of a game are tst_game's.
#include "windowharness.h"

#include "chain/gamewindow.h"
#include "reader/readerstore.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>

namespace {

// Clicks 电脑先出, again until the computer opens with `opening`.
void openWith(GameWindow &w, const QString &opening)
{
    const auto *chainText = control<QPlainTextEdit>(w, "chainText");
    int tries = 0;
    do
        click(control<QPushButton>(w, "computerOpensButton"));
    while (!chainText->toPlainText().startsWith(opening) && ++tries < 64);
}

} // namespace

class GameWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void play_data();
    void play();
    void chosenOfTwoWrittenAlike();
    void clock();
    void copyAndSave();
    void bestScoreAfterARestart();

private:
    WindowTestEnvironment m_environment;
};

// Steps: "o" clicks 电脑先出, "o:TEXT" clicks it until the computer opens
// with TEXT, "t:TEXT" types TEXT and presses Enter, "c" chooses the first
// move in the list and clicks 接 with nothing typed, "r:RULE" and "l:LEVEL"
// choose the rule and the level in their boxes, which show the rule and
// level in force: they can be changed only between games.
void GameWindowTest::play_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("status"); // a regular expression
    QTest::addColumn<QString>("chain");  // the idioms of the chain text
    QTest::addColumn<QString>("moves");  // the heading of the reader's moves
    QTest::newRow("computer opens") << QStringList{"o"} << "^$" << "爱不释手" << "你有1个成语可接：";
    QTest::newRow("by sound and tone, hard, a wrong start")
        << QStringList{"r:同音同调", "l:困难", "o:爱不释手", "t:一马当先"} << "^要以“shǒu”开头$" << "爱不释手"
        << "你有1个成语可接：";
    QTest::newRow("the move chosen, 接") << QStringList{"o", "c"} << "^你赢了" << "爱不释手 手到擒来"
                                        << "可以接的成语：";
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
            openWith(*w, step.mid(2));
        } else if (step == "c") {
            auto *list = control<QListView>(*w, "moveList");
            list->setCurrentIndex(list->model()->index(0, 0));
            click(control<QPushButton>(*w, "playButton"));
        } else if (step.startsWith("r:") || step.startsWith("l:")) {
            auto *box = control<QComboBox>(*w, step.startsWith("r") ? "ruleBox" : "levelBox");
            box->setCurrentText(step.mid(2));
            QCOMPARE(box->currentText(), step.mid(2));
        } else {
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
    const bool on = moves.startsWith("你有");
    QCOMPARE(control<QComboBox>(*w, "ruleBox")->isEnabled(), !on);
    QCOMPARE(control<QComboBox>(*w, "levelBox")->isEnabled(), !on);
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
    control<QComboBox>(w, "ruleBox")->setCurrentText("同音接龙");
    openWith(w, "一心一意");
    auto *list = control<QListView>(w, "moveList");
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(control<QPlainTextEdit>(w, "chainText")->toPlainText().section(u'\n', 1, 1).section(u'\t', 0, 1),
             "一马当先\tyī  yán  jì  chū，sì  mǎ  nán  zhuī");
}

// 每步限时30秒 ticked during a move gives it 30 seconds; unticked, the
// clock stops, and no time runs out; ticked again, the move has 30 seconds
// anew, and when they have passed the reader has lost.
void GameWindowTest::clock()
{
    TestWorld t(WindowData::Small);
    GameWindow w(t.dictionary(), t.chains(), t.environment);
    auto *clockBox = control<QCheckBox>(w, "clockBox");
    auto *timer = w.findChild<QTimer *>("clockTimer");
    const auto *clock = control<QLabel>(w, "clock");
    const auto *status = control<QLabel>(w, "status");
    click(control<QPushButton>(w, "computerOpensButton"));
    QVERIFY(!timer->isActive());
    clockBox->click();
    QVERIFY(timer->isActive());
    QCOMPARE(clock->text(), "还有30秒");
    clockBox->click();
    QVERIFY(!timer->isActive());
    QCOMPARE(clock->text(), QString());
    clockBox->click();
    for (int second = 1; second < 30; ++second)
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QCOMPARE(clock->text(), "还有1秒");
    QCOMPARE(status->text(), QString());
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QVERIFY(!timer->isActive());
    QCOMPARE(status->text(), "电脑赢了：你的时间到了。");
}

// 复制 puts the chain on the clipboard, 保存... writes it to the file chosen,
// in UTF-8; a file that cannot be written is told.
void GameWindowTest::copyAndSave()
{
    // The test fills the file dialog in: Qt's own on every system, as
    // Windows' native one takes nothing from it.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    TestWorld t(WindowData::Small);
    GameWindow w(t.dictionary(), t.chains(), t.environment);
    openWith(w, "爱不释手");
    auto *field = control<QLineEdit>(w, "moveField");
    field->setText("手到擒来");
    QTest::keyClick(field, Qt::Key_Return);
    const QString chain = "爱不释手\tài  bù  shì  shǒu\t电脑\n手到擒来\tshǒu  dào  qín  lái\t你\n你赢了！电脑接不下去了。\n";

    click(control<QPushButton>(w, "copyButton"));
    QCOMPARE(QGuiApplication::clipboard()->text(), chain);

    for (const QString &path : {t.dir.filePath("接龙.txt"), t.dir.filePath("no folder/接龙.txt")}) {
        click(control<QPushButton>(w, "saveButton"));
        auto *dialog = w.findChild<QFileDialog *>();
        QVERIFY(dialog);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // as 保存 does
        QTRY_VERIFY(!w.findChild<QFileDialog *>());
    }
    QCOMPARE(QString::fromUtf8(TestData::readFile(t.dir.filePath("接龙.txt"))), chain);
    QCOMPARE(t.notices.size(), 1);
    QVERIFY2(t.notices.first().text.startsWith("无法保存到 " + QDir::toNativeSeparators(t.dir.filePath("no folder/接龙.txt"))),
             qPrintable(t.notices.first().text));
}

// The best score of a kind of game is kept in the reader's store: a window
// of the next start shows it as its first game begins.
void GameWindowTest::bestScoreAfterARestart()
{
    TestWorld t(WindowData::Small);
    const QString folder = t.dir.filePath("reader");
    {
        ReaderStore reader(folder);
        GameWindow w(t.dictionary(), t.chains(), t.environment);
        w.setReaderStore(&reader);
        openWith(w, "爱不释手");
        auto *field = control<QLineEdit>(w, "moveField");
        field->setText("手到擒来");
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(control<QLabel>(w, "status")->text().endsWith("新的最高分！"));
    }
    ReaderStore reader(folder);
    GameWindow w(t.dictionary(), t.chains(), t.environment);
    w.setReaderStore(&reader);
    click(control<QPushButton>(w, "computerOpensButton"));
    QCOMPARE(control<QLabel>(w, "score")->text(), "得分 0（接了0个，提示0次）  最高分 1");
}

QTEST_MAIN(GameWindowTest)
#include "tst_gamewindow.moc"
