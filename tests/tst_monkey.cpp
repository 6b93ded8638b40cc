// Long use: thousands of random user actions over both windows, with the
// windows' invariants checked after each. Seeded: set VURA_MONKEY_SEED to
// replay a failure, VURA_MONKEY_ACTIONS for more.
#include "windowharness.h"

#include "shell/mainmenu.h"
#include "shell/program.h"

#include <QAction>
#include <QRandomGenerator>

namespace {

const QStringList kTexts = {
    QStringLiteral("一"), QStringLiteral("爱不释手"), QStringLiteral("%"), QStringLiteral("_人"),
    QStringLiteral("a"), QStringLiteral("'"), QString(), QStringLiteral("手"), QStringLiteral("难兄难弟"),
    QStringLiteral("\U00020000"), QStringLiteral(" 一"), QStringLiteral("nxnd"), QStringLiteral("人"),
};

// A real click on a random entry of `list`, scrolled into view first.
void clickRandomEntry(ListBox *list, QRandomGenerator &random)
{
    if (list->listCount() > 0)
        clickEntry(list, int(random.bounded(list->listCount())));
}

// Every entry from `first` on carries the id of a row with its text.
QString listFault(const char *name, const ListBox *list, int first)
{
    for (int row = first; row < list->listCount(); ++row) {
        const int id = list->itemData(row);
        if (id < 1 || id > kSmallIdioms.size() || kSmallIdioms[id - 1] != list->list(row))
            return QStringLiteral("%1 entry %2 “%3” carries id %4").arg(QLatin1String(name)).arg(row).arg(list->list(row)).arg(id);
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
    Program program(world.environment);
    program.start();
    Form1 &w = program.mainWindow();
    MainMenu &menu = program.menu();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    int inChain = 0;
    for (int done = 1; done <= total; ++done) {
        Form2 *chain = menu.chainWindow();
        const quint32 action = random.bounded(chain ? 16 : 10);
        inChain += action >= 10;
        switch (action) {
        case 0: search(w, kTexts[int(random.bounded(kTexts.size()))]); break;
        case 1: click(random.bounded(2) ? w.Image2 : w.Image3); break;
        case 2: click(w.Image4); break;
        case 3: click(random.bounded(2) ? w.Image5 : w.Image6); break;
        case 4: click(w.Image7); break;
        case 5: click(w.Lab[int(random.bounded(5))]); break;
        case 6: clickRandomEntry(w.List1, random); break;
        case 7: QTest::keyClick(w.List1, random.bounded(2) ? Qt::Key_Down : Qt::Key_Up); break;
        case 8: menu.cd_cyjl->trigger(); break;
        case 9: (random.bounded(2) ? menu.cd_bzzt : menu.cd_gy)->trigger(); break;
        case 10: chain->Text1->setText(kTexts[int(random.bounded(kTexts.size()))]); break;
        case 11: case 12: click(chain->Image1); break;
        case 13: clickRandomEntry(chain->List1, random); break;
        case 14: clickRandomEntry(chain->List2, random); break;
        case 15: if (random.bounded(4) == 0) chain->close(); break;
        }
        if (done % 64 == 0)
            QCoreApplication::processEvents(); // paints, and deletes closed chain windows

        QString fault;
        if (w.currentId < 1 || w.currentId > w.idiomCount)
            fault = QStringLiteral("currentId %1 outside 1..%2").arg(w.currentId).arg(w.idiomCount);
        if (fault.isEmpty())
            fault = listFault("List1", w.List1, 0);
        if (fault.isEmpty() && (chain = menu.chainWindow()))
            fault = listFault("the chain's List2", chain->List2, 0) + listFault("the chain's List1", chain->List1, 1);
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after action %1 of seed %2: %3").arg(done).arg(seed).arg(fault)));
    }
    qInfo("%d actions (%d in the chain window), %lld notices", total, inChain, qlonglong(world.notices.size()));
    QVERIFY(inChain > 0);
}

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
