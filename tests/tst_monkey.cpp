// Long use: thousands of random user actions over both windows, many of
// them arriving while a search or a candidate fill is still running, with
// the windows' invariants checked whenever no handler runs. Seeded: set
// VURA_MONKEY_SEED to replay a failure, VURA_MONKEY_ACTIONS for more.
#include "fonts.h"
#include "form2harness.h"
#include "mainmenu.h"
#include "recordset.h"

#include <QAction>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>

#if defined(__SANITIZE_ADDRESS__)
#define VURA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VURA_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// Resident memory of this process, in kB.
qint64 residentKB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

const QStringList kTexts = {
    QStringLiteral("一"), QStringLiteral("爱不释手"), QStringLiteral("%"), QStringLiteral("_人"),
    QStringLiteral("a"), QStringLiteral("'"), QString(), QStringLiteral("手"), QStringLiteral("难兄难弟"),
    QStringLiteral("\U00020000"), QStringLiteral(" 一"), QStringLiteral("nxnd"), QStringLiteral("人"),
};

// A real click on a random entry of `list`, scrolled into view first.
void clickRandomEntry(ListBox *list, QRandomGenerator &random)
{
    if (list->listCount() == 0 || list->model()->rowCount() == 0)
        return;
    const QModelIndex entry = list->model()->index(int(random.bounded(list->model()->rowCount())), 0);
    list->scrollTo(entry);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
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
};

void MonkeyTest::randomUse()
{
    registerFontSubstitutions();
    QTemporaryDir userData;
    qputenv("XDG_DATA_HOME", QFile::encodeName(userData.path()));
    const quint32 seed = qEnvironmentVariableIsSet("VURA_MONKEY_SEED")
                             ? quint32(qEnvironmentVariableIntValue("VURA_MONKEY_SEED")) : 20261208u;
    const int total = qEnvironmentVariableIsSet("VURA_MONKEY_ACTIONS") ? qEnvironmentVariableIntValue("VURA_MONKEY_ACTIONS")
                                                                        : 20000;
    QRandomGenerator random(seed);
    const PassEveryRow passes; // so that actions land in the middle of fills

    TestWindow t(WindowData::Small);
    Form1 &w = t.w;
    int noticesShown = 0;
    w.messageBox = [&](QWidget *, const QString &, int, const QString &) { ++noticesShown; };
    w.menu->messageBox = w.messageBox;
    w.menu->programFolder = t.dir.path();
    QVERIFY(t.show());

    int done = 0, nested = 0, checks = 0, inChain = 0;
    qint64 memoryAfterWarmUp = 0;
    QString fault;
    QEventLoop loop;
    QTimer tick;
    auto check = [&]() -> QString {
        const Form2 *chain = w.menu->chainWindow();
        if (w.recordset()->state() != adStateClosed)
            return QStringLiteral("the main window's recordset is open between handlers");
        if (w.currentId < 1 || w.currentId > w.idiomCount)
            return QStringLiteral("currentId %1 outside 1..%2").arg(w.currentId).arg(w.idiomCount);
        QString listed = listFault("List1", w.List1, 0);
        if (listed.isEmpty() && chain)
            listed = listFault("the chain's List2", chain->List2, 0);
        if (listed.isEmpty() && chain)
            listed = listFault("the chain's List1", chain->List1, 1);
        return listed;
    };
    auto act = [&] {
        Form2 *chain = w.menu->chainWindow();
        const bool busy = w.isSearching() || (chain && chain->isFilling());
        nested += busy;
        const quint32 action = random.bounded(chain ? 16 : 10);
        inChain += action >= 10;
        switch (action) {
        case 0: w.Text1->setText(kTexts[int(random.bounded(kTexts.size()))]); click(w.Image1); break;
        case 1: click(random.bounded(2) ? w.Image2 : w.Image3); break;
        case 2: click(w.Image4); break;
        case 3: click(random.bounded(2) ? w.Image5 : w.Image6); break;
        case 4: click(w.Image7); break;
        case 5: click(w.Lab[int(random.bounded(5))]); break;
        case 6: clickRandomEntry(w.List1, random); break;
        case 7: QTest::keyClick(w.List1, random.bounded(2) ? Qt::Key_Down : Qt::Key_Up); break;
        case 8: w.menu->cd_cyjl->trigger(); break;
        case 9: (random.bounded(2) ? w.menu->cd_bzzt : w.menu->cd_gy)->trigger(); break;
        case 10: chain->Text1->setText(kTexts[int(random.bounded(kTexts.size()))]); break;
        case 11: case 12: click(chain->Image1); break;
        case 13: clickRandomEntry(chain->List1, random); break;
        case 14: clickRandomEntry(chain->List2, random); break;
        case 15: if (random.bounded(4) == 0) chain->close(); break;
        }
    };
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (done >= total || !fault.isEmpty()) {
            tick.stop();
            loop.quit();
            return;
        }
        act();
        ++done;
        if (done == total / 10)
            memoryAfterWarmUp = residentKB();
        const Form2 *chain = w.menu->chainWindow();
        if (!w.isSearching() && !(chain && chain->isFilling())) {
            ++checks;
            const QString found = check();
            if (!found.isEmpty() && fault.isEmpty())
                fault = QStringLiteral("after action %1 of seed %2: %3").arg(done).arg(seed).arg(found);
        }
    });
    tick.start(0);
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(done, total);
    const qint64 growth = residentKB() - memoryAfterWarmUp;
    qInfo("%d actions (%d in the chain window, %d while a fill ran), %d checks, %d notices, "
          "resident memory %+lld kB after the first tenth",
          done, inChain, nested, checks, noticesShown, growth);
    QVERIFY(nested > 0);
    QVERIFY(inChain > 0);
#ifndef VURA_ADDRESS_SANITIZER // which holds on to freed memory; LeakSanitizer watches there
    QVERIFY2(growth < 16 * 1024, qPrintable(QString::number(growth))); // flat, give or take the caches
#endif
}

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
