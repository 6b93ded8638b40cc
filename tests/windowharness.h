// Both windows started on a program folder of the test's own, in a world
// whose message boxes and web pages are recorded instead of shown, and the
// means to use them as a person does: their controls found by name, clicks
// and keys.
#pragma once

#include "testdata.h"

#include "chain/chainwindow.h"
#include "chain/game/chainindexholder.h"
#include "import/idiomimport.h"
#include "lookup/mainwindow.h"
#include "models/idiomlistmodel.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/imagebutton.h"
#include "widgets/listview.h"
#include "widgets/panel.h"
#include "widgets/textlabel.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

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
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;

    QString line() const
    {
        return QStringLiteral("%1 [%2] %3")
            .arg(title, icon == QMessageBox::Information ? QStringLiteral("i") : QStringLiteral("-"), text);
    }
};

// A notice as the windows give them: titled 提示：, with the information icon.
inline QString information(const QString &text)
{
    return Notice{QMessageBox::Information, QStringLiteral("提示："), text}.line();
}

enum class WindowData {
    Small,     // the 16 idioms of TestData
    Chain,     // the 13 idioms of kChainIdioms
    EmptyFile, // a zero-length cy.dat: the idioms cannot be read
    Carried,   // no cy.dat: start-up writes the one the program carries
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

// A program folder holding the data, the world the windows run in, and the
// dictionary the program opens on them.
class TestWorld
{
public:
    // `change` may alter the data file before the dictionary opens it.
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
        environment.messageBox = [this](QWidget *, QMessageBox::Icon icon, const QString &title, const QString &text) {
            notices.append({icon, title, text});
        };
        // A question is recorded as a notice with its action, and answered by `confirms`.
        environment.question = [this](QWidget *, const QString &title, const QString &text, const QString &action,
                                      const std::function<void()> &confirmed) {
            notices.append({QMessageBox::Question, title, text + QStringLiteral(" [%1|取消]").arg(action)});
            if (confirms)
                confirmed();
        };
        environment.openUrl = [this](const QUrl &url) {
            opened.append(url);
            return browserStarts;
        };
    }

    QString dataFile() const { return dir.filePath(QStringLiteral("cy.dat")); }

    // Opens the dictionary as the program does, in `folder` (the test's own
    // by default), once.
    const Dictionary &dictionary(const QString &folder = QString())
    {
        if (!m_dictionary)
            m_dictionary = std::make_unique<Dictionary>(openDictionary(folder.isEmpty() ? dir.path() : folder));
        return *m_dictionary;
    }

    // The chain index of that dictionary, as the program holds it.
    ChainIndexHolder &chains()
    {
        if (!m_chains)
            m_chains = std::make_unique<ChainIndexHolder>(dictionary());
        return *m_chains;
    }

    QStringList noticeLines() const
    {
        QStringList lines;
        for (const Notice &notice : notices)
            lines << notice.line();
        return lines;
    }

    QTemporaryDir dir;
    Environment environment;
    QList<Notice> notices;
    QList<QUrl> opened;
    bool browserStarts = true;
    bool confirms = true; // how the tests answer a question

private:
    std::unique_ptr<Dictionary> m_dictionary;
    std::unique_ptr<ChainIndexHolder> m_chains;
};

// A control of `window` by its object name; the test stops when there is none.
template <class Control>
Control *control(const QWidget &window, const char *name)
{
    auto *found = window.findChild<Control *>(QLatin1String(name));
    if (!found)
        qFatal("no %s named %s", Control::staticMetaObject.className(), name);
    return found;
}

// The main window's controls, as a person reaches them.
struct MainControls
{
    explicit MainControls(const MainWindow &w)
        : card(control<Panel>(withSearchPane(w), "card")), searchPane(control<Panel>(w, "searchPane")),
          busyIndicator(control<Panel>(w, "busyIndicator")), searchField(control<QLineEdit>(w, "searchField")),
          searchButton(control<ImageButton>(w, "searchButton")), resultList(control<ListView>(w, "resultList")),
          foldTab(control<ImageButton>(w, "foldTab")), unfoldTab(control<ImageButton>(w, "unfoldTab")),
          firstOrLast(control<ImageButton>(w, "firstOrLastButton")),
          previous(control<ImageButton>(w, "previousButton")), next(control<ImageButton>(w, "nextButton")),
          random(control<ImageButton>(w, "randomButton")), number(control<TextLabel>(w, "number")),
          fields{control<TextLabel>(w, "pinyinField"), control<TextLabel>(w, "idiomField"),
                 control<TextLabel>(w, "meaningField"), control<TextLabel>(w, "sourceField"),
                 control<TextLabel>(w, "exampleField")}
    {
    }

private:
    // The search pane is built as the event loop first comes to the
    // window; the tests find it at once.
    static const MainWindow &withSearchPane(const MainWindow &w)
    {
        QCoreApplication::sendPostedEvents(const_cast<MainWindow *>(&w), QEvent::MetaCall);
        return w;
    }

public:

    Panel *card, *searchPane, *busyIndicator;
    QLineEdit *searchField;
    ImageButton *searchButton;
    ListView *resultList;
    ImageButton *foldTab, *unfoldTab, *firstOrLast, *previous, *next, *random;
    TextLabel *number;
    std::array<TextLabel *, 5> fields; // by MainWindow::Field
};

// The chain window's controls.
struct ChainControls
{
    ChainControls() = default; // none: no chain window is open
    explicit ChainControls(const ChainWindow &w)
        : firstLinkField(control<QLineEdit>(w, "firstLinkField")), startButton(control<ImageButton>(w, "startButton")),
          chainList(control<ListView>(w, "chainList")), candidateList(control<ListView>(w, "candidateList")),
          chainText(control<QPlainTextEdit>(w, "chainText"))
    {
    }

    QLineEdit *firstLinkField = nullptr;
    ImageButton *startButton = nullptr;
    ListView *chainList = nullptr, *candidateList = nullptr;
    QPlainTextEdit *chainText = nullptr;
};

// The main window on the test's dictionary.
class TestWindow : public TestWorld
{
public:
    explicit TestWindow(WindowData data, const std::function<void(const QString &)> &change = {},
                        const QString &folder = QString())
        : TestWorld(data, change), w(dictionary(folder), environment), c(w)
    {
    }

    bool show()
    {
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }

    MainWindow w;
    MainControls c;
};

// The chain window on the test's dictionary; it deletes itself when closed.
class TestChain : public TestWorld
{
public:
    explicit TestChain(WindowData data)
        : TestWorld(data), w(new ChainWindow(chains(), environment)), c(*w)
    {
    }
    ~TestChain() { delete w; }

    bool show()
    {
        w->show();
        return QTest::qWaitForWindowExposed(w);
    }

    QPointer<ChainWindow> w;
    ChainControls c;
};

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// A real click on entry `row` of a list.
inline void clickEntry(ListView *list, int row)
{
    const QModelIndex entry = list->model()->index(row, 0);
    list->scrollTo(entry);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
}

// Searches for `text` as the reader does: types it and clicks 查找.
inline void search(const MainControls &c, const QString &text)
{
    c.searchField->setText(text);
    click(c.searchButton);
}

// Types `text` into the chain window and clicks 开始.
inline void start(const ChainControls &c, const QString &text)
{
    c.firstLinkField->setText(text);
    click(c.startButton);
}

// Everything the idiom card shows, on one line.
inline QString cardOf(const MainControls &c)
{
    QStringList fields{c.number->text()};
    for (const TextLabel *field : c.fields)
        fields << field->text();
    return fields.join(QStringLiteral(" | "));
}

// The number of entries, the ids and the texts of a list, in its order.
inline int countOf(const ListView *list)
{
    return list->model()->rowCount();
}

inline QList<int> listedIds(const ListView *list)
{
    QList<int> ids;
    for (int row = 0; row < countOf(list); ++row)
        ids << list->model()->index(row, 0).data(IdiomListModel::IdRole).toInt();
    return ids;
}

inline QStringList entriesOf(const ListView *list)
{
    QStringList texts;
    for (int row = 0; row < countOf(list); ++row)
        texts << list->model()->index(row, 0).data().toString();
    return texts;
}

// Clicks the entry of `list` reading `text`; false if there is none.
inline bool clickText(ListView *list, const QString &text)
{
    const int row = entriesOf(list).indexOf(text);
    if (row >= 0)
        clickEntry(list, row);
    return row >= 0;
}
