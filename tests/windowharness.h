// Both windows started on a program folder of the test's own, in a world
// whose message boxes and web pages are recorded instead of shown, and the
// means to use them as a person does.
#pragma once

#include "testdata.h"

#include "chain/form2.h"
#include "import/idiomimport.h"
#include "lookup/form1.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/imagebutton.h"
#include "widgets/label.h"
#include "widgets/listbox.h"

#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

// What every window test sets up once: the font substitutions, and a
// per-user data folder of its own, so that no data file of an earlier run
// there stands in for the one a test writes.
struct WindowTestEnvironment
{
    WindowTestEnvironment()
    {
        registerFontSubstitutions();
        TestData::useOwnUserFolder(userData.path());
    }

    QTemporaryDir userData;
};

struct Notice
{
    QString prompt;
    int style = -1;
    QString title;

    QString text() const { return QStringLiteral("%1 [%2] %3").arg(title).arg(style).arg(prompt); }
};

// A notice as the windows give them: titled 提示：, with the information icon.
inline QString information(const QString &prompt)
{
    return Notice{prompt, 64, QStringLiteral("提示：")}.text();
}

enum class WindowData {
    Small,     // the 16 idioms of TestData
    Chain,     // the 13 idioms of kChainIdioms
    EmptyFile, // a zero-length cy.dat: the idioms cannot be read
    Carried,   // no cy.dat: the main window writes the one the program carries
};

// The small data set by id (index id - 1).
inline const QStringList kSmallIdioms = QStringLiteral(
    "爱不释手 爱屋及乌 八九不离十 不亦乐乎 莫须有 难兄难弟 难兄难弟 杞人忧天 人山人海 人人自危 手到擒来 "
    "一心一意 一马当先 一言既出，驷马难追 众人拾柴火焰高 自相矛盾").split(QLatin1Char(' '));

// The chain's data set, ids 1..13 in this order. 手到擒来 comes before the
// other two idioms of 手, which sort before it; 𠮷 lies outside the basic plane.
inline const QStringList kChainIdioms = QStringLiteral(
    "爱不释手 安然无恙 防不胜防 𠮷人天相 拒人于千里之外 来日方长 来者不拒 "
    "手到擒来 手不释卷 手舞足蹈 万事大𠮷 一心一意 意气风发").split(QLatin1Char(' '));

// A program folder holding the data, and the world the windows run in.
class TestWorld
{
public:
    // `change` may alter the data file before a window starts on it.
    explicit TestWorld(WindowData data, const std::function<void(const QString &)> &change = {})
    {
        if (data == WindowData::Small) {
            TestData::writeDataFile(dir.path());
        } else if (data == WindowData::EmptyFile) {
            TestData::writeFile(dataFile(), QByteArray());
        } else if (data == WindowData::Chain) {
            QByteArray csv;
            for (int id = 1; id <= kChainIdioms.size(); ++id) // a made-up reading keeps the order
                csv += QStringLiteral("%1,\"%2\",\"a%1\",,,,\"a\"\n").arg(id).arg(kChainIdioms[id - 1]).toUtf8();
            TestData::writeFile(dir.filePath(QStringLiteral("idioms.csv")), csv);
            importIdioms(dir.filePath(QStringLiteral("idioms.csv")), dataFile());
        }
        if (change)
            change(dataFile());
        environment.programFolder = dir.path();
        environment.messageBox = [this](QWidget *, const QString &prompt, int style, const QString &title) {
            notices.append({prompt, style, title});
        };
        environment.openUrl = [this](const QUrl &url) { opened.append(url); };
    }

    QString dataFile() const { return dir.filePath(QStringLiteral("cy.dat")); }

    QStringList noticeTexts() const
    {
        QStringList texts;
        for (const Notice &notice : notices)
            texts << notice.text();
        return texts;
    }

    QTemporaryDir dir;
    Environment environment;
    QList<Notice> notices;
    QList<QUrl> opened;
};

// The main window, loaded.
class TestWindow : public TestWorld
{
public:
    explicit TestWindow(WindowData data, const std::function<void(const QString &)> &change = {},
                        const QString &folder = QString())
        : TestWorld(data, change), w(environment)
    {
        if (!folder.isEmpty())
            environment.programFolder = folder;
        w.Form_Load();
    }

    bool show()
    {
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }

    Form1 w;
};

// The chain window, loaded; it deletes itself when closed.
class ChainWindow : public TestWorld
{
public:
    explicit ChainWindow(WindowData data) : TestWorld(data)
    {
        if (data == WindowData::Carried) // as the main window writes it
            ProvisionDataFile(folderRule(dir.path()));
        w = new Form2(environment);
        w->Form_Load();
    }
    ~ChainWindow() { delete w; }

    bool show()
    {
        w->show();
        return QTest::qWaitForWindowExposed(w);
    }

    QPointer<Form2> w;
};

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// A real click on entry `row` of a list.
inline void clickEntry(ListBox *list, int row)
{
    const QModelIndex entry = list->model()->index(row, 0);
    list->scrollTo(entry);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
}

// Searches for `text` as the user does: types it and clicks 查找.
inline void search(Form1 &w, const QString &text)
{
    w.Text1->setText(text);
    click(w.Image1);
}

// Types `text` into the chain window and clicks 开始.
inline void start(Form2 &w, const QString &text)
{
    w.Text1->setText(text);
    click(w.Image1);
}

// Everything the idiom card shows, on one line.
inline QString cardOf(const Form1 &w)
{
    QStringList fields{w.Label5->caption()};
    for (const Label *field : w.Lab)
        fields << field->caption();
    return fields.join(QStringLiteral(" | "));
}

// The ids and the texts of a list, in its order.
inline QList<int> listedIds(const ListBox *list)
{
    return TestData::idsOf(list->entries());
}

inline QStringList entriesOf(const ListBox *list)
{
    return TestData::textsOf(list->entries());
}

// Clicks the entry of `list` reading `text`; false if there is none.
inline bool clickText(ListBox *list, const QString &text)
{
    const int row = entriesOf(list).indexOf(text);
    if (row >= 0)
        clickEntry(list, row);
    return row >= 0;
}
