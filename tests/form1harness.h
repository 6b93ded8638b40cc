// The main window started on a folder of the test's own, its notices
// recorded instead of shown, and the means to act while a search fills the
// result list.
#pragma once

#include "eventpass.h"
#include "fonts.h"
#include "form1.h"
#include "imagebutton.h"
#include "label.h"
#include "listbox.h"
#include "picturebox.h"
#include "testdata.h"

#include <QCoreApplication>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

// What every window test sets up once: the font substitutions, and a
// per-user data folder of its own, so that no data file of an earlier run
// there stands in for the one a test writes.
struct WindowTestEnvironment
{
    WindowTestEnvironment()
    {
        registerFontSubstitutions();
        qputenv("XDG_DATA_HOME", QFile::encodeName(userData.path()));
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

// A notice as the window gives them: titled 提示：, with the information icon.
inline QString information(const QString &prompt)
{
    return Notice{prompt, 64, QStringLiteral("提示：")}.text();
}

enum class WindowData {
    Small,     // the 16 idioms of TestData
    EmptyFile, // a zero-length cy.dat: the store cannot be opened
    Carried,   // no cy.dat: start-up writes the one the program carries
};
Q_DECLARE_METATYPE(WindowData)

// The small data set by id (index id - 1).
inline const QStringList kSmallIdioms = {
    QStringLiteral("爱不释手"), QStringLiteral("爱屋及乌"), QStringLiteral("八九不离十"),
    QStringLiteral("不亦乐乎"), QStringLiteral("莫须有"), QStringLiteral("难兄难弟"),
    QStringLiteral("难兄难弟"), QStringLiteral("杞人忧天"), QStringLiteral("人山人海"),
    QStringLiteral("人人自危"), QStringLiteral("手到擒来"), QStringLiteral("一心一意"),
    QStringLiteral("一马当先"), QStringLiteral("一言既出，驷马难追"), QStringLiteral("众人拾柴火焰高"),
    QStringLiteral("自相矛盾"),
};

class TestWindow
{
public:
    // `change` may alter the data file before the window starts on it;
    // `folder` is the program's folder when not the window's own temporary one.
    explicit TestWindow(WindowData data, const std::function<void(const QString &)> &change = {},
                        const QString &folder = QString())
    {
        EventPass::resetProgramEnding(); // an earlier test may have closed its window
        const QString dataFile = dir.filePath(QStringLiteral("cy.dat"));
        if (data == WindowData::Small)
            TestData::writeDataFile(dir.path());
        else if (data == WindowData::EmptyFile)
            TestData::writeFile(dataFile, QByteArray());
        if (change)
            change(dataFile);
        w.messageBox = [this](QWidget *, const QString &prompt, int style, const QString &title) {
            notices.append({prompt, style, title});
        };
        w.programFolder = folder.isEmpty() ? dir.path() : folder;
        w.Form_Load();
    }

    // Shows the window as the program does after start-up.
    bool show()
    {
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }

    QStringList noticeTexts() const
    {
        QStringList texts;
        for (const Notice &notice : notices)
            texts << notice.text();
        return texts;
    }

    QTemporaryDir dir;
    QList<Notice> notices;
    Form1 w;
};

// Everything the idiom card shows, on one line.
inline QString cardOf(const Form1 &w)
{
    QStringList fields{w.Label5->caption()};
    for (const Label *field : w.Lab)
        fields << field->caption();
    return fields.join(QStringLiteral(" | "));
}

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// A real click on entry `row` of the result list.
inline void clickEntry(ListBox *list, int row)
{
    const QRect place = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

// Searches for `text` as the user does: types it and clicks 查找.
inline void search(Form1 &w, const QString &text)
{
    w.Text1->setText(text);
    click(w.Image1);
}

// The ids of the result list, in its order.
inline QList<int> listedIds(const ListBox *list)
{
    QList<int> ids;
    for (int row = 0; row < list->listCount(); ++row)
        ids << list->itemData(row);
    return ids;
}

// For the life of the object a fill lets events run after every row, so that
// a test can act in the middle of a fill of the small data set.
struct PassEveryRow
{
    PassEveryRow() { EventPass::setFrameInterval(0); }
    ~PassEveryRow() { EventPass::setFrameInterval(16); }
};

// Calls `step` at every event pass a running search of `w` makes, until it
// returns true. Passes made while no search runs are let by.
class DuringSearch
{
public:
    DuringSearch(const Form1 &w, std::function<bool()> step)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, &w, step] {
            if (w.isSearching() && step())
                m_timer.stop();
        });
        m_timer.start(0);
    }

private:
    QTimer m_timer;
};
