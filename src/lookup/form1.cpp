// The main window's layout, its start-up, the folding of the search pane
// and its end.
#include "lookup/form1.h"
#include "lookup/form1layout.h"

#include "store/datafile.h"
#include "vura/version.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/imagebutton.h"
#include "widgets/label.h"
#include "widgets/listbox.h"
#include "widgets/picturebox.h"
#include "widgets/storenotice.h"
#include "widgets/windowframe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <limits>

using namespace Form1Layout;

namespace {

const QString kSearchTip = QStringLiteral("可输入成语、首字、拼音简码进行查找");
const QString kCopyTip = QStringLiteral("点击可以复制");

QFrame *silverLine(const TwipsRect &line, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setGeometry(QRect(line.topLeft(), QSize(twipsToPixels(line.width), 1)));
    fillBackground(frame, QColor(192, 192, 192));
    return frame;
}

Label *label(const QString &caption, const QFont &font, Label::Sizing sizing, const TwipsRect &place,
             QWidget *parent)
{
    return new Label(caption, font, sizing, place.pixels(), parent);
}

// `name` is what its face says, for screen readers; the tip describes it.
ImageButton *imageButton(const char *art, const TwipsRect &place, const QString &tip, const char *name,
                         QWidget *parent)
{
    auto *button = new ImageButton(QString::fromLatin1(art), place.pixels().size(), parent);
    button->move(place.topLeft());
    button->setToolTip(tip);
    button->setAccessibleName(QString::fromUtf8(name));
    button->setAccessibleDescription(tip);
    return button;
}

} // namespace

Form1::Form1(const Environment &environment, QWidget *parent)
    : QMainWindow(parent, kFixedSizeWindow), m_environment(environment)
{
    setWindowTitle(QStringLiteral(VURA_NAME " - " VURA_VERSION));
    setFont(defaultWindowFont());

    client = new QWidget(this);
    fillBackground(client, Qt::white);
    client->setFixedHeight(twipsToPixels(clientHeight));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The window is built folded, as it starts, and without the search pane:
    // it maps before anything measures text, and Form_Load adds the pane.
    Image3 = imageButton("tab-expand", Form1Layout::Image3, QStringLiteral("展开查找界面"), "展开", client);
    buildCard();
    foldSearchPane();

    connect(Image3, &ImageButton::clicked, this, &Form1::Image3_Click);
    connect(Image4, &ImageButton::clicked, this, &Form1::Image4_Click);
    connect(Image5, &ImageButton::clicked, this, &Form1::Image5_Click);
    connect(Image6, &ImageButton::clicked, this, &Form1::Image6_Click);
    connect(Image7, &ImageButton::clicked, this, &Form1::Image7_Click);
    for (int index = 0; index < int(Lab.size()); ++index)
        connect(Lab[index], &Label::clicked, this, [this, index] { Lab_Click(index); });
}

Form1::~Form1() = default;

void Form1::buildCard()
{
    Picture2 = new PictureBox(Form1Layout::Picture2.pixels(), palette().color(QPalette::Base), client);
    Picture2->setPicture(QStringLiteral("card-lotus"), QSize(430, 370));
    QWidget *card = Picture2->client();

    const QFont song = windowFont("宋体", 10.5);
    const QFont songBold = windowFont("宋体", 10.5, true);
    Label5 = label(QStringLiteral("编号：1"), song, Label::AutoSize, Form1Layout::Label5, card);
    Lab[0] = label(QStringLiteral("áo  áo  dài  bǔ"), windowFont("宋体", 12), Label::AutoSize, Lab0, card);
    Lab[1] = label(QStringLiteral("嗷 嗷 待 哺"), windowFont("楷体_GB2312", 15, true), Label::AutoSize, Lab1, card);
    Label1 = label(QStringLiteral("意  思："), songBold, Label::AutoSize, Form1Layout::Label1, card);
    Lab[2] = label(QStringLiteral("嗷嗷：哀鸣声；待：等待；哺：喂食。饥饿时急于求食的样子。形容受饥饿的悲惨情景。"),
                   song, Label::FixedBox, Lab2, card);
    Line1 = silverLine(Form1Layout::Line1, card);
    Label3 = label(QStringLiteral("出  处："), songBold, Label::AutoSize, Form1Layout::Label3, card);
    Lab[3] = label(QStringLiteral("《诗经·小雅·鸿雁》：“鸿雁于飞，哀鸣嗷嗷。”汉·荀悦《前汉纪·成帝纪三》：“作治数年，"
                                  "天下遍被其劳，国家疲弊，府库空虚，下至众庶，嗷嗷苦之。”"),
                   song, Label::FixedBox, Lab3, card);
    Line2 = silverLine(Form1Layout::Line2, card);
    Label4 = label(QStringLiteral("例  子："), songBold, Label::AutoSize, Form1Layout::Label4, card);
    Lab[4] = label(QStringLiteral("文章尽可在别的刊物上发表，对于～的创造社的几种刊物却一字也不肯飞来。"
                                  "（郭沫若《学生时代·创造十年续编》）"),
                   song, Label::FixedBox, Lab4, card);
    // A field's text is its name for screen readers; the description says
    // which field it is and that a click copies it.
    const char *fieldNames[] = {"拼音", "成语", "意思", "出处", "例子"};
    for (int index = 0; index < int(Lab.size()); ++index) {
        Lab[index]->setToolTip(kCopyTip);
        Lab[index]->setCursor(Qt::PointingHandCursor);
        Lab[index]->setAccessibleDescription(QString::fromUtf8(fieldNames[index]) + QStringLiteral("，") + kCopyTip);
    }

    Image4 = imageButton("button-first-last", Form1Layout::Image4, QStringLiteral("最前或最后一个成语"), "最前/后", card);
    Image5 = imageButton("button-previous", Form1Layout::Image5, QStringLiteral("上一个成语"), "上一个", card);
    Image6 = imageButton("button-next", Form1Layout::Image6, QStringLiteral("下一个成语"), "下一个", card);
    Image7 = imageButton("button-random", Form1Layout::Image7, QStringLiteral("随机一个成语"), "随机", card);
}

void Form1::buildSearchPane()
{
    // Made after the card, so that it covers the expand tab while it is shown.
    Picture1 = new PictureBox(Form1Layout::Picture1.pixels(), palette().color(QPalette::Base), client);
    Picture1->hide();
    QWidget *pane = Picture1->client();

    Text1 = new QLineEdit(pane);
    Text1->setGeometry(Form1Layout::Text1.pixels());
    Text1->setMaxLength(std::numeric_limits<int>::max()); // no limit of its own
    Text1->setToolTip(kSearchTip);
    Text1->setAccessibleName(QStringLiteral("查找内容"));
    Text1->setAccessibleDescription(kSearchTip);
    Image1 = imageButton("button-search", Form1Layout::Image1, kSearchTip, "查找", pane);
    Label2 = label(QStringLiteral("查找结果："), font(), Label::AutoSize, Form1Layout::Label2, pane);
    List1 = new ListBox(Form1Layout::List1.pixels(), windowFont("宋体", 10.5), pane);
    List1->setAccessibleName(QStringLiteral("查找结果"));
    List1->setAccessibleDescription(QStringLiteral("选中一个成语，右边显示它的解释"));
    Image2 = imageButton("tab-collapse", Form1Layout::Image2, QStringLiteral("收起查找界面"), "收起", pane);

    // The busy indicator lies over the list.
    Picture3 = new PictureBox(Form1Layout::Picture3.pixels(), QColor(255, 192, 192), pane);
    Picture3->hide();
    Label6 = label(QStringLiteral("正在查找。。。"), windowFont("宋体", 12, true), Label::AutoSize,
                   Form1Layout::Label6, Picture3->client());

    connect(Image1, &ImageButton::clicked, this, &Form1::Image1_Click);
    connect(Text1, &QLineEdit::returnPressed, this, &Form1::Image1_Click);
    connect(List1, &ListBox::clicked, this, &Form1::List1_Click);
    connect(Image2, &ImageButton::clicked, this, &Form1::Image2_Click);
}

void Form1::Form_Load()
{
    buildSearchPane();
    appPath = folderRule(m_environment.programFolder);
    std::optional<StoreError> provisioning;
    try {
        ProvisionDataFile(appPath);
    } catch (const StoreError &error) {
        provisioning = error;
    }
    Image2_Click(); // the collapsed layout
    try {
        conn.emplace(OpenIdiomStore(appPath));
        idiomCount = conn->count();
    } catch (const StoreError &error) {
        conn.reset();
        // The reason the file could not be written says more than the
        // missing file that follows from it.
        m_storeFailure = provisioning ? *provisioning : error;
    }
    try {
        ShowIdiom(1);
    } catch (const StoreError &) {
        // Start-up goes on. Without idioms the card stays empty rather than
        // show its design-time idiom as if it were one of them.
        if (!conn) {
            Label5->setCaption(QString());
            for (Label *field : Lab)
                field->setCaption(QString());
        }
    }
}

void Form1::reportStartupFailure()
{
    if (m_storeFailure)
        m_environment.notice(this, storeNotice(*m_storeFailure));
}

bool Form1::storeOpen()
{
    if (conn)
        return true;
    m_environment.notice(this, storeNotice(*m_storeFailure));
    return false;
}

void Form1::Image2_Click()
{
    Picture1->hide();
    foldSearchPane();
}

void Form1::foldSearchPane()
{
    Picture2->move(cardLeftCollapsedPixels, Picture2->y());
    setWindowWidth(collapsedWidth);
}

void Form1::Image3_Click()
{
    setWindowWidth(expandedWidth);
    Picture2->move(cardLeftExpandedPixels, Picture2->y());
    Picture1->show();
}

void Form1::setWindowWidth(int twipsWide)
{
    client->setFixedWidth(twipsToPixels(twipsWide));
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void Form1::Form_Unload()
{
    // The program ends: the chain window closes with this one.
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}
