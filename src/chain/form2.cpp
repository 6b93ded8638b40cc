// The chain window: its layout, its load and the three handlers of the game.
#include "form2.h"
#include "form2layout.h"

#include "connection.h"
#include "eventpass.h"
#include "fillguard.h"
#include "fonts.h"
#include "idiomstore.h"
#include "imagebutton.h"
#include "label.h"
#include "listbox.h"
#include "recordset.h"
#include "storeerror.h"
#include "windowframe.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <limits>

using namespace Form2Layout;

namespace {

// The idioms that begin with one character: the character is bound with "%"
// appended, so "%" and "_" as the character match every idiom.
constexpr const char *kCandidates = "SELECT id,cy FROM cy where cy like ?";

// The separator after every link of the chain text.
const QString kLinkSeparator = QStringLiteral(" - ");

// The last character of `text`, whole: a character outside the basic plane
// is two code units, and half of it would match nothing.
QString lastCharacter(const QString &text)
{
    const qsizetype size = text.size();
    if (size >= 2 && text.at(size - 1).isLowSurrogate() && text.at(size - 2).isHighSurrogate())
        return text.right(2);
    return text.right(1);
}

Label *heading(const QString &caption, const QColor &colour, const TwipsRect &place, QWidget *parent)
{
    auto *label = new Label(caption, windowFont("宋体", 10.5, true), Label::AutoSize, parent);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    label->move(place.topLeft());
    return label;
}

} // namespace

Form2::Form2()
    : QWidget(nullptr, kFixedSizeWindow),
      rs(std::make_unique<Recordset>()),
      conn(std::make_unique<Connection>())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("成语接龙    岚舟·vura - 1.0"));
    setFont(defaultWindowFont());
    setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    fillBackground(this, Qt::white);

    const QFont song = windowFont("宋体", 10.5);
    Label3 = heading(QStringLiteral("输入开头的成语："), QColor(0, 0, 255), Form2Layout::Label3, this);
    Text1 = new QLineEdit(QStringLiteral("爱不释手"), this);
    Text1->setGeometry(Form2Layout::Text1.pixels());
    Text1->setFont(song);
    Text1->setMaxLength(std::numeric_limits<int>::max()); // no limit of its own
    Image1 = new ImageButton(QStringLiteral("button-start"), Form2Layout::Image1.pixels().size(), this);
    Image1->move(Form2Layout::Image1.topLeft());
    // Names and descriptions for screen readers, where a control has no text of its own.
    Text1->setAccessibleName(QStringLiteral("开头的成语"));
    Text1->setAccessibleDescription(QStringLiteral("输入开头的成语或一个字"));
    Image1->setAccessibleName(QStringLiteral("开始"));
    Image1->setAccessibleDescription(QStringLiteral("从开头的成语开始接龙"));

    Label1 = heading(QStringLiteral("已选："), QColor(0, 128, 0), Form2Layout::Label1, this);
    Label2 = heading(QStringLiteral("候选："), QColor(255, 0, 0), Form2Layout::Label2, this);
    Label4 = heading(QStringLiteral("接好的成语："), QColor(255, 0, 255), Form2Layout::Label4, this);
    List1 = new ListBox(Form2Layout::List1.pixels(), song, this);
    List2 = new ListBox(Form2Layout::List2.pixels(), song, this);
    List1->setAccessibleName(QStringLiteral("已选"));
    List1->setAccessibleDescription(QStringLiteral("接好的成语，点击一个可以倒回去重新选择"));
    List2->setAccessibleName(QStringLiteral("候选"));
    List2->setAccessibleDescription(QStringLiteral("可以接上的成语，点击一个接上去"));
    Text2 = new QPlainTextEdit(this);
    Text2->setAccessibleName(QStringLiteral("接好的成语"));
    Text2->setAccessibleDescription(QStringLiteral("整条接龙，可以选中复制"));
    Text2->setGeometry(Form2Layout::Text2.pixels());
    Text2->setFont(song);
    Text2->setReadOnly(true); // the program writes it; the user may select and copy
    Text2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text2->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    setTabOrder(List1, List2);
    setTabOrder(List2, Text1);
    setTabOrder(Text1, Text2);
    List1->setFocus();

    // While a handler fills or cuts the lists, the user's clicks and keys in
    // them are let go, so that no entry looks chosen that was not.
    for (ListBox *list : {List1, List2}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }

    // The handlers run from the event loop once the click has been taken,
    // not from inside the control's own event handling: closing the window
    // during a fill deletes it, its controls with it, and nothing may be
    // left on the stack that uses them afterwards.
    connect(Image1, &ImageButton::clicked, this, &Form2::Image1_Click, Qt::QueuedConnection);
    connect(List1, &ListBox::clicked, this, &Form2::List1_Click, Qt::QueuedConnection);
    connect(List2, &ListBox::clicked, this, &Form2::List2_Click, Qt::QueuedConnection);
}

Form2::~Form2() = default;

void Form2::Form_Load()
{
    appPath = folderRule(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder);
    m_loadFailure.clear();
    m_loadFailureTold = false;
    try {
        OpenIdiomStore(appPath, conn, rs);
    } catch (const StoreError &error) {
        m_loadFailure = error.message();
    }
}

void Form2::reportLoadFailure()
{
    if (m_loadFailure.isEmpty() || m_loadFailureTold)
        return;
    m_loadFailureTold = true;
    notice(m_loadFailure);
}

void Form2::Image1_Click()
{
    if (m_filling)
        return; // the running handler has rs and chainRow to itself
    const QString text = Text1->text();
    if (text.isEmpty()) {
        notice(QStringLiteral("请输入第一个成语或一个字！"));
        return;
    }
    // Any text starts a chain, as it was typed.
    List1->clear();
    List1->addItem(text);
    List1->setItemData(List1->newIndex(), 0);
    List1->flush();
    List2->clear();
    followLink(text, -1);
}

void Form2::List2_Click()
{
    if (m_filling)
        return;
    if (List2->selCount() != 1)
        return;
    const int chosen = List2->listIndex();
    const QString link = List2->list(chosen);
    List1->addItem(link);
    List1->setItemData(List1->newIndex(), List2->itemData(chosen));
    List1->flush();

    QString chain;
    for (chainRow = 0; chainRow <= List1->listCount() - 1; ++chainRow)
        chain += List1->list(chainRow) + kLinkSeparator;
    Text2->setPlainText(chain);

    rs->closeIfOpen();
    List2->clear();
    followLink(link, -1);
}

void Form2::List1_Click()
{
    if (m_filling)
        return;
    if (List1->selCount() != 1)
        return;
    const int clicked = List1->listIndex();
    const QString link = List1->list(clicked);
    rs->closeIfOpen();
    List2->clear();
    followLink(link, clicked);
}

// Lists the candidates that may follow `link` and, when `keep` is a
// position of List1, drops every link after it. Tells the user afterwards
// when the idioms could not be read.
void Form2::followLink(const QString &link, int keep)
{
    QString failure;
    {
        const FillGuard filling(this, m_filling, nullptr, [this] {
            rs->closeIfOpen();
            List2->flush(); // the rows read since the last pass, on every way out
        });
        EventPass pass(this, {List1, List2});
        if (m_loadFailure.isEmpty()) {
            try {
                if (!fillCandidates(pass, lastCharacter(link)))
                    return; // the window is closed or gone, or the program is ending
            } catch (const StoreError &error) {
                failure = error.message();
            }
        }
        if (keep >= 0 && !truncateAfter(pass, keep))
            return;
    }
    if (!m_loadFailure.isEmpty()) {
        // Every click that needs the idioms says why it cannot have them,
        // in the words the load found.
        m_loadFailureTold = true;
        notice(m_loadFailure);
    } else if (!failure.isEmpty()) {
        notice(failure);
    }
}

bool Form2::fillCandidates(EventPass &pass, const QString &character)
{
    rs->open({QString::fromUtf8(kCandidates), {character + QLatin1Char('%')}}, *conn, adOpenStatic);
    const int n = rs->recordCount();
    for (chainRow = 1; chainRow <= n; ++chainRow) {
        List2->addItem(rs->fields().item(QStringLiteral("cy")).value().toString());
        List2->setItemData(List2->newIndex(), rs->fields().item(QStringLiteral("id")).value().toInt());
        if (!rs->eof())
            rs->moveNext();
        if (!pass.runWhenDue())
            return false;
    }
    rs->close();
    return true;
}

// Removes the entries after position `keep` of List1, always at the same
// position, letting events run as it goes.
bool Form2::truncateAfter(EventPass &pass, int keep)
{
    const int count = List1->listCount();
    for (chainRow = keep + 1; chainRow <= count - 1; ++chainRow) {
        List1->removeItem(keep + 1);
        if (!pass.runWhenDue())
            return false;
    }
    return true;
}

void Form2::notice(const QString &text)
{
    messageBox(this, text, vbInformation, kNoticeTitle.toString());
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (m_filling) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseMove:
            return static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton; // a drag would select
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            return key != Qt::Key_Tab && key != Qt::Key_Backtab;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
