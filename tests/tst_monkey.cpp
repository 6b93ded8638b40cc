// Long use: thousands of random user actions over both windows, with the
// windows' invariants checked after each. Seeded: set VURA_MONKEY_SEED to
// replay a failure, VURA_MONKEY_ACTIONS for more.
#include "windowharness.h"

#include "shell/mainmenu.h"
#include "shell/program.h"
#include "shell/sidewindows.h"

#include <QAction>
#include <QRandomGenerator>

namespace {

const QStringList kTexts = {
    QStringLiteral("一"), QStringLiteral("爱不释手"), QStringLiteral("%"), QStringLiteral("_人"),
    QStringLiteral("a"), QStringLiteral("'"), QString(), QStringLiteral("手"), QStringLiteral("难兄难弟"),
    QStringLiteral("\U00020000"), QStringLiteral(" 一"), QStringLiteral("nxnd"), QStringLiteral("人"),
};

// A real click on a random entry of `list`, scrolled into view first.
void clickRandomEntry(ListView *list, QRandomGenerator &random)
{
    if (countOf(list) > 0)
        clickEntry(list, int(random.bounded(countOf(list))));
}

// Every entry from `first` on carries the id of a row with its text.
QString listFault(const char *name, const ListView *list, int first)
{
    const QList<int> ids = listedIds(list);
    const QStringList texts = entriesOf(list);
    for (int row = first; row < ids.size(); ++row) {
        const int id = ids[row];
        if (id < 1 || id > kSmallIdioms.size() || kSmallIdioms[id - 1] != texts[row])
            return QStringLiteral("%1 entry %2 “%3” carries id %4").arg(QLatin1String(name)).arg(row).arg(texts[row]).arg(id);
    }
    return QString();
}

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

private slots:
    void randomUse();

private:
    WindowTestEnvironment m_environment;
};

void MonkeyTest::randomUse()
{
    const quint32 seed = qEnvironmentVariableIsSet("VURA_MONKEY_SEED")
                             ? quint32(qEnvironmentVariableIntValue("VURA_MONKEY_SEED")) : 20261208u;
    const int total = qEnvironmentVariableIsSet("VURA_MONKEY_ACTIONS") ? qEnvironmentVariableIntValue("VURA_MONKEY_ACTIONS")
                                                                        : 20000;
    QRandomGenerator random(seed);
    TestWorld world(WindowData::Small);
    Program program(world.environment, world.dir.path());
    program.start();
    MainWindow &w = program.mainWindow();
    const MainControls c(w);
    MainMenu &menu = program.menu();
    SideWindows &sideWindows = program.sideWindows();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    int inChain = 0;
    for (int done = 1; done <= total; ++done) {
        auto *chain = sideWindows.window<ChainWindow>(SideWindows::Chain);
        const ChainControls cc = chain ? ChainControls(*chain) : ChainControls();
        const quint32 action = random.bounded(chain ? 16 : 10);
        inChain += action >= 10;
        switch (action) {
        case 0: search(c, kTexts[int(random.bounded(kTexts.size()))]); break;
        case 1: click(random.bounded(2) ? c.foldTab : c.unfoldTab); break;
        case 2: click(c.firstOrLast); break;
        case 3: click(random.bounded(2) ? c.previous : c.next); break;
        case 4: click(c.random); break;
        case 5: click(c.fields[int(random.bounded(5))]); break;
        case 6: clickRandomEntry(c.resultList, random); break;
        case 7: QTest::keyClick(c.resultList, random.bounded(2) ? Qt::Key_Down : Qt::Key_Up); break;
        case 8: sideWindows.open(SideWindows::Chain); break;
        case 9: random.bounded(2) ? menu.showHelp() : menu.showAbout(); break;
        case 10: cc.firstLinkField->setText(kTexts[int(random.bounded(kTexts.size()))]); break;
        case 11: case 12: click(cc.startButton); break;
        case 13: clickRandomEntry(cc.chainList, random); break;
        case 14: clickRandomEntry(cc.candidateList, random); break;
        case 15: if (random.bounded(4) == 0) chain->close(); break;
        }
        if (done % 64 == 0)
            QCoreApplication::processEvents(); // paints, and deletes closed chain windows

        QString fault;
        const int count = program.dictionary().count;
        if (w.currentId() < 1 || w.currentId() > count)
            fault = QStringLiteral("the card's id %1 outside 1..%2").arg(w.currentId()).arg(count);
        if (fault.isEmpty())
            fault = listFault("the result list", c.resultList, 0);
        if (fault.isEmpty() && (chain = sideWindows.window<ChainWindow>(SideWindows::Chain))) {
            const ChainControls now(*chain);
            fault = listFault("the candidates", now.candidateList, 0) + listFault("the chain", now.chainList, 1);
        }
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after action %1 of seed %2: %3").arg(done).arg(seed).arg(fault)));
    }
    qInfo("%d actions (%d in the chain window), %lld notices", total, inChain, qlonglong(world.notices.size()));
    QVERIFY(inChain > 0);
}

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
