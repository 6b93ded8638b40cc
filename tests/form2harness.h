// The chain window started on a folder of the test's own, its notices
// recorded instead of shown, and the means to act while it fills its lists.
#pragma once

#include "form1harness.h"
#include "form2.h"
#include "idiomimport.h"
#include "idiomstore.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>

enum class ChainData {
    Chain,     // kChainIdioms
    Large,     // the full data set when the build has it, else 5000 made up
    EmptyFile, // a zero-length cy.dat: the store cannot be opened
};

// Ids 1..13 in this order. 手到擒来 comes before the other two idioms of 手,
// which sort before it; 𠮷 (U+20BB7) lies outside the basic plane.
inline const QStringList kChainIdioms = QStringLiteral(
    "爱不释手 安然无恙 防不胜防 𠮷人天相 拒人于千里之外 来日方长 来者不拒 "
    "手到擒来 手不释卷 手舞足蹈 万事大𠮷 一心一意 意气风发").split(QLatin1Char(' '));

// Rows of the import format with a made-up reading, which only has to keep
// the rows in their order.
inline QByteArray csvOf(const QStringList &idioms)
{
    QByteArray csv;
    for (int id = 1; id <= idioms.size(); ++id)
        csv += QStringLiteral("%1,\"%2\",\"a%3\",,,,\"a\"\n").arg(id).arg(idioms[id - 1]).arg(id).toUtf8();
    return csv;
}

class ChainWindow
{
public:
    explicit ChainWindow(ChainData data)
    {
        EventPass::resetProgramEnding(); // an earlier test may have ended the program
        const QString csvFile = dir.filePath(QStringLiteral("idioms.csv"));
        QStringList idioms = kChainIdioms;
        if (data == ChainData::Large) {
#ifdef VURA_FULL_DATA_CSV
            ProvisionDataFile(folderRule(dir.path())); // the data the program carries
#endif
            idioms.clear();
            for (int id = 1; id <= 5000; ++id)
                idioms << QChar(0x4E00 + id) + QStringLiteral("人山海");
        }
        if (data == ChainData::EmptyFile) {
            TestData::writeFile(dataFile(), QByteArray());
        } else if (!QFile::exists(dataFile())) {
            TestData::writeFile(csvFile, csvOf(idioms));
            importIdioms(csvFile, dataFile());
        }
        w = new Form2;
        w->messageBox = [this](QWidget *, const QString &prompt, int style, const QString &title) {
            notices.append({prompt, style, title});
        };
        w->programFolder = dir.path();
        w->Form_Load();
    }
    ~ChainWindow() { delete w; }

    QString dataFile() const { return dir.filePath(QStringLiteral("cy.dat")); }

    bool show()
    {
        w->show();
        return QTest::qWaitForWindowExposed(w);
    }

    QTemporaryDir dir;
    QList<Notice> notices;
    QPointer<Form2> w;
};

inline QStringList entriesOf(const ListBox *list)
{
    QStringList texts;
    for (int row = 0; row < list->listCount(); ++row)
        texts << list->list(row);
    return texts;
}

// Runs the handlers that the user's clicks in `w` have queued.
inline void handleClicks(Form2 &w)
{
    QCoreApplication::sendPostedEvents(&w, QEvent::MetaCall);
}

// Types `text` and clicks 开始.
inline void start(Form2 &w, const QString &text)
{
    w.Text1->setText(text);
    click(w.Image1);
    handleClicks(w);
}

inline void clickRow(Form2 &w, ListBox *list, int row)
{
    clickEntry(list, row);
    handleClicks(w);
}

// Clicks the entry of `list` reading `text`; false if there is none.
inline bool clickText(Form2 &w, ListBox *list, const QString &text)
{
    const int row = int(entriesOf(list).indexOf(text));
    if (row >= 0)
        clickRow(w, list, row);
    return row >= 0;
}

// Calls `step` at every event pass that a handler of the chain window makes
// while it fills or cuts its lists, until `step` returns true.
class DuringChainFill
{
public:
    DuringChainFill(Form2 *w, std::function<bool()> step)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, window = QPointer<Form2>(w), step] {
            if (window && window->isFilling() && step())
                m_timer.stop();
        });
        m_timer.start(0);
    }

private:
    QTimer m_timer;
};
