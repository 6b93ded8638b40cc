// The chain window: how it opens, Start, Choose and Go back, what it does
// without usable data, and that it lists what vura --chain does.
#include "windowharness.h"

#include "shell/commandline.h"

#include <QApplication>
#include <QPlainTextEdit>

class ChainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void opensEmpty();
    void game_data();
    void game();
    void unreadableData_data();
    void unreadableData();
    void fullData_data();
    void fullData();
    void sameAsTheCommandLine_data();
    void sameAsTheCommandLine();

private:
    WindowTestEnvironment m_environment;
};

void ChainWindowTest::opensEmpty()
{
    TestChain t(WindowData::Chain);
    ChainWindow &w = *t.w;
    const ChainControls &c = t.c;
    QVERIFY(t.show());
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(c.firstLinkField->text(), QStringLiteral("爱不释手"));
    QCOMPARE(countOf(c.chainList) + countOf(c.candidateList), 0);
    QVERIFY(c.chainText->toPlainText().isEmpty());

    // The focus starts in the chain list; Tab goes on through the candidates,
    // the first idiom, 开始 and the chain text.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c.chainList));
    QList<QWidget *> visited;
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QCOMPARE(visited, (QList<QWidget *>{c.candidateList, c.firstLinkField, c.startButton, c.chainText, c.chainList}));

    // Escape closes the window.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

// Steps: "s:TEXT" types TEXT and clicks 开始, "r:TEXT" types it and presses
// Enter, "c:TEXT" chooses the candidate TEXT, "b:N" clicks entry N of the
// chain, "k:N" presses Down N times in the candidates, "u:N" Up in the chain,
// "e:" Enter in the candidates.
void ChainWindowTest::game_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("chain");
    QTest::addColumn<QList<int>>("candidates");

    const QList<int> hand{8, 9, 10}; // file order, not the order of the texts
    const QStringList toRefuse{"s:爱不释手", "c:手到擒来", "c:来者不拒"};

    QTest::newRow("idiom") << QStringList{"s:爱不释手"} << QStringList{"爱不释手"} << hand;
    QTest::newRow("one character") << QStringList{"s:手"} << QStringList{"手"} << hand;
    // What every kind of last character finds is the chain index's test,
    // beside the command line's (tst_commandline); here, that the window
    // looks up the whole last character of any text.
    QTest::newRow("choose") << QStringList{"s:爱不释手", "c:手到擒来"} << QStringList{"爱不释手", "手到擒来"}
                            << QList<int>{6, 7};
    QTest::newRow("choose across the basic plane") << QStringList{"s:万", "c:万事大𠮷", "c:𠮷人天相"}
                                                   << QStringList{"万", "万事大𠮷", "𠮷人天相"} << QList<int>{};
    QTest::newRow("follows itself") << QStringList{"s:防", "c:防不胜防", "c:防不胜防"}
                                    << QStringList{"防", "防不胜防", "防不胜防"} << QList<int>{3};
    QTest::newRow("dead end") << QStringList{"s:平安", "c:安然无恙"} << QStringList{"平安", "安然无恙"} << QList<int>{};
    QTest::newRow("empty text keeps the chain") << QStringList{"s:爱不释手", "c:手到擒来", "s:"}
                                                << QStringList{"爱不释手", "手到擒来"} << QList<int>{6, 7};
    QTest::newRow("back to the last") << toRefuse + QStringList{"b:2"} << QStringList{"爱不释手", "手到擒来", "来者不拒"}
                                      << QList<int>{5};
    QTest::newRow("back to the middle") << toRefuse + QStringList{"b:1"} << QStringList{"爱不释手", "手到擒来"}
                                        << QList<int>{6, 7};
    QTest::newRow("back to entry 0") << toRefuse + QStringList{"b:0"} << QStringList{"爱不释手"} << hand;
    QTest::newRow("back to the selected entry")
        << QStringList{"s:爱不释手", "c:手到擒来", "b:1", "c:来日方长", "b:1"} << QStringList{"爱不释手", "手到擒来"}
        << QList<int>{6, 7};
    QTest::newRow("second start") << QStringList{"s:爱不释手", "c:手舞足蹈", "s:一"} << QStringList{"一"}
                                  << QList<int>{12};
    QTest::newRow("Enter starts") << QStringList{"r:一"} << QStringList{"一"} << QList<int>{12};
    // The arrow keys move the highlight only; Enter chooses, or goes back.
    QTest::newRow("arrows in the candidates") << QStringList{"s:爱不释手", "k:2"} << QStringList{"爱不释手"} << hand;
    QTest::newRow("Enter chooses") << QStringList{"s:爱不释手", "k:2", "e:"} << QStringList{"爱不释手", "手不释卷"}
                                   << QList<int>{};
    QTest::newRow("arrows in the chain") << toRefuse + QStringList{"b:0", "c:手到擒来", "b:1", "u:1"}
                                         << QStringList{"爱不释手", "手到擒来"} << QList<int>{6, 7};
}

void ChainWindowTest::game()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, chain);
    QFETCH(QList<int>, candidates);
    TestChain t(WindowData::Chain);
    const ChainControls &c = t.c;
    QVERIFY(t.show());

    for (const QString &step : std::as_const(steps)) {
        const QString argument = step.mid(2);
        const QChar kind = step.at(0);
        if (kind == u's') {
            start(c, argument);
        } else if (kind == u'r') {
            c.firstLinkField->setText(argument);
            QTest::keyClick(c.firstLinkField, Qt::Key_Return);
        } else if (kind == u'c') {
            QVERIFY2(clickText(c.candidateList, argument), qPrintable(step));
        } else if (kind == u'b') {
            clickEntry(c.chainList, argument.toInt());
        } else if (kind == u'e') {
            QTest::keyClick(c.candidateList, Qt::Key_Return);
        } else {
            for (int press = 0; press < argument.toInt(); ++press)
                QTest::keyClick(kind == u'k' ? c.candidateList : c.chainList, kind == u'k' ? Qt::Key_Down : Qt::Key_Up);
        }
    }
    QCOMPARE(entriesOf(c.chainList), chain);
    QList<int> chainIds{0}; // the typed text carries 0, every idiom its id
    for (int row = 1; row < chain.size(); ++row)
        chainIds << int(kChainIdioms.indexOf(chain[row])) + 1;
    QCOMPARE(listedIds(c.chainList), chainIds);
    QCOMPARE(listedIds(c.candidateList), candidates);
    // The chain text always shows the chain as it is, every link with " - ".
    QCOMPARE(c.chainText->toPlainText(), chain.join(QStringLiteral(" - ")) + QStringLiteral(" - "));
    if (steps.last().startsWith(QLatin1String("b:"))) // the clicked entry stays selected
        QCOMPARE(c.chainList->currentIndex().row(), chain.size() - 1);
    const QStringList expectedNotices =
        steps.last() == QLatin1String("s:") ? QStringList{information(QStringLiteral("请输入第一个成语或一个字！"))}
                                            : QStringList{};
    QCOMPARE(t.noticeLines(), expectedNotices);
}

void ChainWindowTest::unreadableData_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("no data, told at each start") << "start";
    QTest::newRow("damaged data, told at each start") << "damaged";
}

void ChainWindowTest::unreadableData()
{
    QFETCH(QString, fault);
    TestChain t(fault == QStringLiteral("damaged") ? WindowData::Chain : WindowData::EmptyFile);
    const ChainControls &c = t.c;
    QVERIFY(t.show());
    if (fault == QStringLiteral("damaged"))
        TestData::damage(t.dataFile(), 4096); // all but the first page, which holds the schema

    start(c, QStringLiteral("%"));
    start(c, QStringLiteral("一"));
    QCOMPARE(t.notices.size(), 2);
    for (const Notice &notice : std::as_const(t.notices)) {
        QCOMPARE(notice.icon, QMessageBox::Information);
        QVERIFY2(notice.text.contains(QDir::toNativeSeparators(t.dataFile())), qPrintable(notice.text));
    }
    QCOMPARE(entriesOf(c.chainList), QStringList{QStringLiteral("一")});
}

void ChainWindowTest::fullData_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("among");

    QTest::newRow("爱不释手") << "爱不释手" << 20 << "手到擒来";
    QTest::newRow("不, the longest list") << "不" << 358 << "不亦乐乎";
    QTest::newRow("安然无恙, a dead end") << "安然无恙" << 0 << "";
}

void ChainWindowTest::fullData()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build carries only the sample data");
#else
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, among);
    TestChain t(WindowData::Carried);
    QVERIFY(t.show());
    start(t.c, text);
    const QStringList candidates = entriesOf(t.c.candidateList);
    QCOMPARE(candidates.size(), count);
    QVERIFY(among.isEmpty() || candidates.contains(among));
    for (const QString &candidate : candidates)
        QVERIFY2(candidate.startsWith(text.right(1)), qPrintable(candidate));
    const QList<int> ids = listedIds(t.c.candidateList);
    QVERIFY(std::is_sorted(ids.begin(), ids.end())); // file order
#endif
}

void ChainWindowTest::sameAsTheCommandLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("wildcard") << "百分%";
    QTest::newRow("made plain") << "未來";
}

// The candidates are what vura --chain lists for the same text.
void ChainWindowTest::sameAsTheCommandLine()
{
    QFETCH(QString, text);
    TestChain t(WindowData::Chain);
    start(t.c, text);
    QStringList listed;
    for (const QString &line : runCommandLine({"vura", "--chain", text}, t.dir.path()).output.split(u'\n', Qt::SkipEmptyParts))
        listed << line.section(u'\t', 0, 0);
    QVERIFY(!listed.isEmpty());
    QCOMPARE(entriesOf(t.c.candidateList), listed);
}

QTEST_MAIN(ChainWindowTest)
#include "tst_chainwindow.moc"
