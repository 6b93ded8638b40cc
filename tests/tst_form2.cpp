// The chain window: how it opens, Start, Choose and Go back, and what it
// does with clicks, with its closing and with an unreadable data file while
// or before it fills its lists.
#include "form2harness.h"

#include "fonts.h"

#include <QFile>

namespace {

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

#ifdef VURA_FULL_DATA_CSV
constexpr int kLargeCount = 12976;
#else
constexpr int kLargeCount = 5000;
#endif

} // namespace

class Form2Test : public QObject
{
    Q_OBJECT

private slots:
    void opensEmpty();
    void game_data();
    void game();
    void clicksWhileBusyAreIgnored_data();
    void clicksWhileBusyAreIgnored();
    void closingDuringFill_data();
    void closingDuringFill();
    void unreadableData_data();
    void unreadableData();
    void fullData_data();
    void fullData();

private:
    WindowTestEnvironment m_environment;
};

void Form2Test::opensEmpty()
{
    ChainWindow t(ChainData::Chain);
    Form2 &w = *t.w;
    QVERIFY(t.show());
    QCOMPARE(w.windowTitle(), QStringLiteral("成语接龙    岚舟·vura - 1.0"));
    QCOMPARE(w.size(), QSize(569, 391));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.Text1->text(), QStringLiteral("爱不释手"));
    QCOMPARE(w.List1->listCount() + w.List2->listCount(), 0);
    QVERIFY(w.Text2->toPlainText().isEmpty());
    QCOMPARE(w.width() - w.Text2->geometry().right() - 1, 8);

    // The focus starts in the chain list; Tab goes on through the candidates,
    // the first idiom and the chain text.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.List1));
    QList<QWidget *> visited;
    for (int step = 0; step < 4; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QCOMPARE(visited, (QList<QWidget *>{w.List2, w.Text1, w.Text2, w.List1}));
}

// Steps: "s:TEXT" types TEXT and starts, "c:TEXT" chooses the candidate
// TEXT, "b:N" clicks entry N of the chain.
void Form2Test::game_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("chain");
    QTest::addColumn<QList<int>>("candidates");
    QTest::addColumn<QString>("chainText");

    QList<int> every;
    for (int id = 1; id <= kChainIdioms.size(); ++id)
        every << id;
    const QList<int> hand{8, 9, 10}; // file order, not the order of the texts
    const QStringList toRefuse{"s:爱不释手", "c:手到擒来", "c:来者不拒"};
    const QString refused = "爱不释手 - 手到擒来 - 来者不拒 - ";

    QTest::newRow("idiom") << QStringList{"s:爱不释手"} << QStringList{"爱不释手"} << hand << "";
    QTest::newRow("one character") << QStringList{"s:手"} << QStringList{"手"} << hand << "";
    QTest::newRow("trailing blank") << QStringList{"s:爱不释手 "} << QStringList{"爱不释手 "} << QList<int>{} << "";
    QTest::newRow("percent") << QStringList{"s:百分%"} << QStringList{"百分%"} << every << "";
    QTest::newRow("underscore") << QStringList{"s:_"} << QStringList{"_"} << every << "";
    QTest::newRow("apostrophe") << QStringList{"s:手'"} << QStringList{"手'"} << QList<int>{} << "";
    QTest::newRow("outside the basic plane") << QStringList{"s:大𠮷"} << QStringList{"大𠮷"} << QList<int>{4} << "";
    QTest::newRow("lone surrogate") << QStringList{QString("s:") + QChar(0xD842)} << QStringList{QChar(0xD842)}
                                    << QList<int>{} << "";
    // Whatever the text box holds, its last character finds a plain list.
    for (const QString &text : {QStringLiteral("--"), QStringLiteral(";"), QStringLiteral("\\"), QStringLiteral("["),
                                QStringLiteral("]"), QStringLiteral("^"), QStringLiteral("' OR '1'='1"),
                                QStringLiteral("😀"), QStringLiteral("ＡＢＳＸ"), QStringLiteral("一\t"),
                                QStringLiteral("一") + QChar(0), QString(100000, QLatin1Char('a'))})
        QTest::newRow(qPrintable(QStringLiteral("bad input %1").arg(text.left(12)))) << QStringList{"s:" + text}
                                                                                  << QStringList{text} << QList<int>{} << "";
    QTest::newRow("choose") << QStringList{"s:爱不释手", "c:手到擒来"} << QStringList{"爱不释手", "手到擒来"}
                            << QList<int>{6, 7} << "爱不释手 - 手到擒来 - ";
    QTest::newRow("choose across the basic plane") << QStringList{"s:万", "c:万事大𠮷", "c:𠮷人天相"}
                                                   << QStringList{"万", "万事大𠮷", "𠮷人天相"} << QList<int>{}
                                                   << "万 - 万事大𠮷 - 𠮷人天相 - ";
    QTest::newRow("follows itself") << QStringList{"s:防", "c:防不胜防", "c:防不胜防"}
                                    << QStringList{"防", "防不胜防", "防不胜防"} << QList<int>{3}
                                    << "防 - 防不胜防 - 防不胜防 - ";
    QTest::newRow("dead end") << QStringList{"s:平安", "c:安然无恙"} << QStringList{"平安", "安然无恙"} << QList<int>{}
                              << "平安 - 安然无恙 - ";
    QTest::newRow("empty text keeps the chain") << QStringList{"s:爱不释手", "c:手到擒来", "s:"}
                                                << QStringList{"爱不释手", "手到擒来"} << QList<int>{6, 7}
                                                << "爱不释手 - 手到擒来 - ";
    QTest::newRow("back to the last") << toRefuse + QStringList{"b:2"} << QStringList{"爱不释手", "手到擒来", "来者不拒"}
                                      << QList<int>{5} << refused;
    QTest::newRow("back to the middle") << toRefuse + QStringList{"b:1"} << QStringList{"爱不释手", "手到擒来"}
                                        << QList<int>{6, 7} << refused;
    QTest::newRow("back to entry 0") << toRefuse + QStringList{"b:0"} << QStringList{"爱不释手"} << hand << refused;
    QTest::newRow("back to the selected entry")
        << QStringList{"s:爱不释手", "c:手到擒来", "b:1", "c:来日方长", "b:1"} << QStringList{"爱不释手", "手到擒来"}
        << QList<int>{6, 7} << "爱不释手 - 手到擒来 - 来日方长 - ";
    QTest::newRow("second start") << QStringList{"s:爱不释手", "c:手舞足蹈", "s:一"} << QStringList{"一"}
                                  << QList<int>{12} << "爱不释手 - 手舞足蹈 - ";
}

void Form2Test::game()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, chain);
    QFETCH(QList<int>, candidates);
    QFETCH(QString, chainText);
    ChainWindow t(ChainData::Chain);
    Form2 &w = *t.w;
    QVERIFY(t.show());

    for (const QString &step : std::as_const(steps)) {
        const QString argument = step.mid(2);
        if (step.startsWith(QLatin1String("s:")))
            start(w, argument);
        else if (step.startsWith(QLatin1String("c:")))
            QVERIFY2(clickText(w, w.List2, argument), qPrintable(step));
        else
            clickRow(w, w.List1, argument.toInt());
    }
    QCOMPARE(entriesOf(w.List1), chain);
    QList<int> chainIds{0}; // the typed text carries 0, every idiom its id
    for (int row = 1; row < chain.size(); ++row)
        chainIds << int(kChainIdioms.indexOf(chain[row])) + 1;
    QCOMPARE(listedIds(w.List1), chainIds);
    QCOMPARE(listedIds(w.List2), candidates);
    for (ListBox *list : {w.List1, w.List2})
        QCOMPARE(list->model()->rowCount(), list->listCount()); // every entry reached the view
    QCOMPARE(w.Text2->toPlainText(), chainText);
    if (steps.last().startsWith(QLatin1String("b:"))) // the clicked entry stays selected
        QCOMPARE(w.List1->listIndex(), chain.size() - 1);
    const QStringList expectedNotices =
        steps.last() == QLatin1String("s:") ? QStringList{information(QStringLiteral("请输入第一个成语或一个字！"))}
                                            : QStringList{};
    QStringList notices;
    for (const Notice &notice : std::as_const(t.notices))
        notices << notice.text();
    QCOMPARE(notices, expectedNotices);
    QVERIFY(!w.isFilling());
}

void Form2Test::clicksWhileBusyAreIgnored_data()
{
    QTest::addColumn<bool>("cutting");
    QTest::newRow("filling") << false;
    QTest::newRow("cutting the chain") << true;
}

void Form2Test::clicksWhileBusyAreIgnored()
{
    QFETCH(bool, cutting);
    ChainWindow t(cutting ? ChainData::Chain : ChainData::Large);
    Form2 &w = *t.w;
    QVERIFY(t.show());
    QStringList chain{QStringLiteral("%")};
    if (cutting) {
        // Links after one that nothing follows: going back to it fills
        // nothing, and the cutting makes the first event pass.
        chain = QStringList{QStringLiteral("安然无恙")};
        start(w, chain.first());
        for (int link = 0; link < 3; ++link)
            w.List1->addItem(kChainIdioms[2]);
        w.List1->flush();
    }

    bool acted = false;
    int selected = -1;
    DuringChainFill user(&w, [&] {
        acted = true;
        // Clicks and keys in the lists do not reach them.
        clickRow(w, w.List1, 1);
        clickRow(w, w.List2, 0);
        QTest::keyClick(w.List2, Qt::Key_Down);
        selected = w.List1->listIndex() + w.List2->selCount();
        // A start, a choice and a going back are let go.
        w.Text1->setText(QStringLiteral("防"));
        click(w.Image1);
        w.List2->setCurrentIndex(w.List2->model()->index(0, 0));
        w.List1->setCurrentIndex(w.List1->model()->index(1, 0));
        handleClicks(w);
        return true;
    });
    if (cutting)
        clickRow(w, w.List1, 0);
    else
        start(w, chain.first());

    QVERIFY(acted);
    QCOMPARE(selected, cutting ? 0 : -1);
    QCOMPARE(entriesOf(w.List1), chain);
    QCOMPARE(w.List2->listCount(), cutting ? 0 : kLargeCount);
    QVERIFY(!w.isFilling());
    QCOMPARE(t.notices.size(), 0);
    start(w, QStringLiteral("_")); // rs was left closed
    QCOMPARE(w.List2->listCount(), cutting ? kChainIdioms.size() : kLargeCount);
}

void Form2Test::closingDuringFill_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("closed") << "close";
    QTest::newRow("closed, kept") << "keep"; // stops for the closing, not the deletion
    QTest::newRow("deleted") << "delete";
}

void Form2Test::closingDuringFill()
{
    QFETCH(QString, how);
    ChainWindow t(ChainData::Large);
    QVERIFY(t.show());
    t.w->setAttribute(Qt::WA_DeleteOnClose, how != QStringLiteral("keep"));

    int passesAfterClosing = 0;
    bool closed = false;
    DuringChainFill user(t.w, [&] {
        passesAfterClosing += closed;
        if (!closed) {
            closed = true;
            how == QStringLiteral("delete") ? delete t.w.data() : void(t.w->close());
        }
        return false;
    });
    start(*t.w, QStringLiteral("%"));

    QVERIFY(closed);
    QCOMPARE(passesAfterClosing, 0); // the fill stopped where the window closed
    deleteClosedWindows();
    QCOMPARE(t.w.isNull(), how != QStringLiteral("keep"));
    if (t.w) {
        QCOMPARE(t.w->List2->listCount(), 1); // the row before the closing pass
        QVERIFY(t.show()); // shown again, it fills to the end
        start(*t.w, QStringLiteral("%"));
        QCOMPARE(t.w->List2->listCount(), kLargeCount);
    }
    QVERIFY(!EventPass::programEnding()); // closing the chain window ends nothing else
}

void Form2Test::unreadableData_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("notices");
    QTest::newRow("no data, told when shown and at each start") << "shown" << 3;
    QTest::newRow("no data, told at each start") << "start" << 2;
    QTest::newRow("damaged data, told at each start") << "damaged" << 2;
}

void Form2Test::unreadableData()
{
    QFETCH(QString, fault);
    QFETCH(int, notices);
    ChainWindow t(fault == QStringLiteral("damaged") ? ChainData::Large : ChainData::EmptyFile);
    Form2 &w = *t.w;
    QVERIFY(t.show());
    if (fault == QStringLiteral("shown"))
        w.reportLoadFailure();
    if (fault == QStringLiteral("damaged")) {
        QFile file(t.dataFile());
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() / 2));
        file.write(QByteArray(int(file.size() / 2), '\xff'));
    }

    start(w, QStringLiteral("%"));
    start(w, QStringLiteral("一"));
    w.reportLoadFailure();
    QCOMPARE(t.notices.size(), notices);
    for (const Notice &notice : std::as_const(t.notices)) {
        QCOMPARE(notice.style, 64);
        QVERIFY2(notice.prompt.contains(t.dataFile()), qPrintable(notice.prompt));
    }
    QCOMPARE(entriesOf(w.List1), QStringList{QStringLiteral("一")});
    QVERIFY(!w.isFilling());
}

void Form2Test::fullData_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("among");

    QTest::newRow("爱不释手") << "爱不释手" << 20 << "手到擒来";
    QTest::newRow("一") << "一" << 349 << "一心一意";
    QTest::newRow("不, the longest list") << "不" << 358 << "不亦乐乎";
    QTest::newRow("安然无恙, a dead end") << "安然无恙" << 0 << "";
}

void Form2Test::fullData()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build carries only the sample data");
#else
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, among);
    ChainWindow t(ChainData::Large);
    QVERIFY(t.show());
    start(*t.w, text);
    const QStringList candidates = entriesOf(t.w->List2);
    QCOMPARE(candidates.size(), count);
    QVERIFY(among.isEmpty() || candidates.contains(among));
    for (const QString &candidate : candidates)
        QVERIFY2(candidate.startsWith(text.right(1)), qPrintable(candidate));
    const QList<int> ids = listedIds(t.w->List2);
    QVERIFY(std::is_sorted(ids.begin(), ids.end())); // file order
#endif
}

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"
