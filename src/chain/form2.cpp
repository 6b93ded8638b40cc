// The chain window: its layout, its load and the three handlers of the game.
#include "chain/form2.h"
#include "chain/form2layout.h"

#include "store/datafile.h"
#include "vura/version.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/imagebutton.h"
#include "widgets/label.h"
#include "widgets/listbox.h"
#include "widgets/storenotice.h"
#include "widgets/windowframe.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>

using namespace Form2Layout;

namespace {

// The separator after every link of the chain text.
const QString kLinkSeparator = QStringLiteral(" - ");

Label *heading(const QString &caption, const QColor &colour, const TwipsRect &place, QWidget *parent)
{
    auto *label = new Label(caption, windowFont("宋体", 10.5, true), Label::AutoSize, place.pixels(), parent);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

} // namespace

Form2::Form2(const Environment &environment)
    : QWidget(nullptr, kFixedSizeWindow), m_environment(environment)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("成语接龙    " VURA_NAME " - " VURA_VERSION));
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

    // The arrow keys move the highlight only; a click or Enter chooses a
    // candidate or goes back to a link, as one press of 开始 or Enter starts.
    List1->setArrowKeysClick(false);
    List2->setArrowKeysClick(false);
    connect(Image1, &ImageButton::clicked, this, &Form2::Image1_Click);
    connect(Text1, &QLineEdit::returnPressed, this, &Form2::Image1_Click);
    connect(List1, &ListBox::clicked, this, &Form2::List1_Click);
    connect(List2, &ListBox::clicked, this, &Form2::List2_Click);
}

Form2::~Form2() = default;

void Form2::Form_Load()
{
    appPath = folderRule(m_environment.programFolder);
    try {
        conn.emplace(OpenIdiomStore(appPath));
    } catch (const StoreError &error) {
        m_loadFailure = error;
    }
}

void Form2::reportLoadFailure()
{
    if (m_loadFailure)
        m_environment.notice(this, storeNotice(*m_loadFailure));
}

void Form2::Image1_Click()
{
    const QString text = Text1->text();
    if (text.isEmpty()) {
        m_environment.notice(this, QStringLiteral("请输入第一个成语或一个字！"));
        return;
    }
    // Any text starts a chain, as it was typed.
    List1->setEntries({{text, 0}});
    showChain();
    fillCandidates(text);
}

void Form2::List2_Click()
{
    if (List2->selCount() != 1)
        return;
    const IdiomEntry chosen = List2->entries().at(List2->listIndex());
    List1->append(chosen);
    showChain();
    fillCandidates(chosen.text);
}

void Form2::List1_Click()
{
    if (List1->selCount() != 1)
        return;
    const int clicked = List1->listIndex();
    fillCandidates(List1->list(clicked));
    List1->truncateAfter(clicked);
    showChain();
}

void Form2::showChain()
{
    // Rebuilt whenever the chain changes, so that it never shows links that
    // are no longer in it.
    QString chain;
    for (const IdiomEntry &link : List1->entries())
        chain += link.text + kLinkSeparator;
    Text2->setPlainText(chain);
}

void Form2::fillCandidates(const QString &link)
{
    try {
        // Every click that needs the idioms says why it cannot have them,
        // in the words the load found.
        if (!conn)
            throw *m_loadFailure;
        List2->setEntries(conn->followers(link));
    } catch (const StoreError &error) {
        List2->setEntries({});
        m_environment.notice(this, storeNotice(error));
    }
}
