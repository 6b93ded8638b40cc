// The main window's controls, where they stand, and the folding of the
// search pane.
#include "lookup/mainwindow.h"
#include "lookup/mainwindowgeometry.h"

#include "models/idiomlistmodel.h"
#include "models/storenotice.h"
#include "store/datafile.h"
#include "vura/version.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/imagebutton.h"
#include "widgets/listview.h"
#include "widgets/panel.h"
#include "widgets/textlabel.h"
#include "widgets/windowframe.h"
#include "widgets/zoom.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <limits>

using namespace MainWindowGeometry;

namespace {

const QString kSearchTip = QStringLiteral("可输入成语、首字、拼音简码进行查找");
const QString kCopyTip = QStringLiteral("点击可以复制");
const QString kReadAloudTip = QStringLiteral("朗读这个成语 (Ctrl+R)");

QFrame *silverRule(const QRect &place, QWidget *parent)
{
    auto *rule = new QFrame(parent);
    rule->setGeometry(place);
    fillBackground(rule, QColor(192, 192, 192));
    return rule;
}

TextLabel *label(const QString &text, const QFont &font, TextLabel::Sizing sizing, const QRect &place,
                 QWidget *parent)
{
    return new TextLabel(text, font, sizing, place, parent);
}

// `name` is what its face says, for screen readers; the tip describes it.
ImageButton *imageButton(const char *art, const QRect &place, const QString &tip, const char *name,
                         const char *objectName, QWidget *parent)
{
    auto *button = new ImageButton(QString::fromLatin1(art), place.size(), parent);
    button->move(place.topLeft());
    button->setToolTip(tip);
    button->setAccessibleName(QString::fromUtf8(name));
    button->setAccessibleDescription(tip);
    button->setObjectName(QLatin1String(objectName));
    return button;
}

} // namespace

MainWindow::MainWindow(const Dictionary &dictionary, const Environment &environment, QWidget *parent)
    : QMainWindow(parent, kFixedSizeWindow), m_dictionary(dictionary), m_environment(environment)
{
    setWindowTitle(QStringLiteral(VURA_NAME " - " VURA_VERSION));
    setFont(defaultWindowFont());

    m_inside = new QWidget(this);
    fillBackground(m_inside, Qt::white);
    m_inside->setFixedHeight(kHeight);
    setCentralWidget(m_inside);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_unfoldTab = imageButton("tab-expand", kUnfoldTab, QStringLiteral("展开查找界面"), "展开", "unfoldTab", m_inside);
    buildCard();
    foldSearchPane();
    setTabOrder();
    // The pane starts folded: it is built once the window has mapped, as
    // the event loop first comes to the window, or when it is first needed.
    // Its text field is the dearest control to make.
    QMetaObject::invokeMethod(this, &MainWindow::buildSearchPane, Qt::QueuedConnection);

    auto *find = new QAction(this);
    find->setShortcuts(QKeySequence::Find);
    connect(find, &QAction::triggered, this, &MainWindow::focusSearchField);
    addAction(find);

    connect(m_unfoldTab, &ImageButton::clicked, this, &MainWindow::unfoldSearchPane);
    connect(m_firstOrLastButton, &ImageButton::clicked, this, &MainWindow::showFirstOrLast);
    connect(m_previousButton, &ImageButton::clicked, this, &MainWindow::showPrevious);
    connect(m_nextButton, &ImageButton::clicked, this, &MainWindow::showNext);
    connect(m_randomButton, &ImageButton::clicked, this, &MainWindow::showRandom);
    for (int field = Pinyin; field <= Example; ++field)
        connect(m_fields[field], &TextLabel::clicked, this, [this, field] { copyField(Field(field)); });
    connect(m_wordBookToggle, &QCheckBox::clicked, this, &MainWindow::toggleWordBook);
    connect(m_readAloudButton, &ImageButton::clicked, this, &MainWindow::readAloud);

    showFirstIdiom();
}

void MainWindow::showFirstIdiom()
{
    // Without idioms the card stays empty: the program tells the reader why.
    if (!m_dictionary.store)
        return;
    try {
        showIdiomOrThrow(1);
    } catch (const StoreError &) {
        // A data file of the reader's own may lack idiom 1; browsing tells
        // which idiom is missing.
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::buildCard()
{
    m_card = new Panel(kCard, palette().color(QPalette::Base), m_inside);
    m_card->setObjectName(QStringLiteral("card"));
    m_card->setPicture(QStringLiteral("card-lotus"), QSize(430, 370));
    QWidget *card = m_card->contents();

    const QFont song = windowFont("宋体", 10.5);
    const QFont songBold = windowFont("宋体", 10.5, true);
    m_number = label(QString(), song, TextLabel::FitsText, kNumber, card);
    m_number->setObjectName(QStringLiteral("number"));
    m_fields[Pinyin] = label(QString(), windowFont("宋体", 12), TextLabel::FitsText, kPinyin, card);
    m_fields[Text] = label(QString(), windowFont("楷体_GB2312", 15, true), TextLabel::FitsText, kIdiom, card);
    label(QStringLiteral("意  思："), songBold, TextLabel::FitsText, kMeaningHeading, card);
    m_fields[Meaning] = label(QString(), song, TextLabel::WrapsInBox, kMeaning, card);
    silverRule(kFirstRule, card);
    label(QStringLiteral("出  处："), songBold, TextLabel::FitsText, kSourceHeading, card);
    m_fields[Source] = label(QString(), song, TextLabel::WrapsInBox, kSource, card);
    silverRule(kSecondRule, card);
    label(QStringLiteral("例  子："), songBold, TextLabel::FitsText, kExampleHeading, card);
    m_fields[Example] = label(QString(), song, TextLabel::WrapsInBox, kExample, card);
    // A field's text is its name for screen readers; the description says
    // which field it is and that a click copies it.
    const char *names[] = {"拼音", "成语", "意思", "出处", "例子"};
    const char *objectNames[] = {"pinyinField", "idiomField", "meaningField", "sourceField", "exampleField"};
    for (int field = Pinyin; field <= Example; ++field) {
        m_fields[field]->setObjectName(QLatin1String(objectNames[field]));
        m_fields[field]->setToolTip(kCopyTip);
        m_fields[field]->setCursor(Qt::PointingHandCursor);
        m_fields[field]->setAccessibleDescription(QString::fromUtf8(names[field]) + QStringLiteral("，") + kCopyTip);
    }

    // Shown once the window has a store to keep the word book in.
    m_wordBookToggle = new QCheckBox(QStringLiteral("生词本"), card);
    m_wordBookToggle->setObjectName(QStringLiteral("wordBookToggle"));
    m_wordBookToggle->setGeometry(kWordBookToggle);
    m_wordBookToggle->setToolTip(QStringLiteral("把这个成语加入生词本或移出 (Ctrl+D)"));
    m_wordBookToggle->setAccessibleDescription(m_wordBookToggle->toolTip());
    m_wordBookToggle->setFocusPolicy(Qt::TabFocus); // after the browsing buttons; a click leaves the focus where it was
    m_wordBookToggle->hide();

    // Shown once the window has a reader to read aloud with.
    m_readAloudButton = imageButton("button-read-aloud", kReadAloudButton, kReadAloudTip, "朗读", "readAloudButton",
                                    card);
    m_readAloudButton->hide();

    m_firstOrLastButton = imageButton("button-first-last", kFirstOrLastButton, QStringLiteral("最前或最后一个成语"),
                                      "最前/后", "firstOrLastButton", card);
    m_previousButton = imageButton("button-previous", kPreviousButton, QStringLiteral("上一个成语"), "上一个",
                                   "previousButton", card);
    m_nextButton = imageButton("button-next", kNextButton, QStringLiteral("下一个成语"), "下一个", "nextButton", card);
    m_randomButton = imageButton("button-random", kRandomButton, QStringLiteral("随机一个成语"), "随机",
                                 "randomButton", card);
}

void MainWindow::setTabOrder()
{
    // The pane's controls, while it is there, then the card's.
    QList<QWidget *> order{m_searchField, m_searchButton, m_resultList, m_foldTab};
    order.removeAll(nullptr);
    order << m_readAloudButton << m_firstOrLastButton << m_previousButton << m_nextButton << m_randomButton
          << m_wordBookToggle << m_unfoldTab;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::buildSearchPane()
{
    if (m_searchPane)
        return;
    // Made after the card, so that it covers the unfold tab while it shows.
    m_searchPane = new Panel(kSearchPane, palette().color(QPalette::Base), m_inside);
    m_searchPane->setObjectName(QStringLiteral("searchPane"));
    QWidget *pane = m_searchPane->contents();

    m_searchField = new QLineEdit(pane);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setGeometry(kSearchField);
    m_searchField->setMaxLength(std::numeric_limits<int>::max()); // no limit of its own
    m_searchField->setToolTip(kSearchTip);
    m_searchField->setAccessibleName(QStringLiteral("查找内容"));
    m_searchField->setAccessibleDescription(kSearchTip);
    m_searchButton = imageButton("button-search", kSearchButton, kSearchTip, "查找", "searchButton", pane);
    m_resultsHeading = label(QStringLiteral("查找结果："), font(), TextLabel::FitsText, kResultsHeading, pane);
    m_resultsHeading->setObjectName(QStringLiteral("resultsHeading"));
    m_results = new IdiomListModel(this);
    m_resultList = new ListView(kResultList, windowFont("宋体", 10.5), pane);
    m_resultList->setObjectName(QStringLiteral("resultList"));
    m_resultList->setModel(m_results);
    m_resultList->setAccessibleName(QStringLiteral("查找结果"));
    m_resultList->setAccessibleDescription(QStringLiteral("选中一个成语，右边显示它的解释"));
    m_foldTab = imageButton("tab-collapse", kFoldTab, QStringLiteral("收起查找界面"), "收起", "foldTab", pane);

    // The busy indicator lies over the list.
    m_busyIndicator = new Panel(kBusyIndicator, QColor(255, 192, 192), pane);
    m_busyIndicator->setObjectName(QStringLiteral("busyIndicator"));
    m_busyIndicator->hide();
    label(QStringLiteral("正在查找。。。"), windowFont("宋体", 12, true), TextLabel::FitsText, kBusyText,
          m_busyIndicator->contents());

    m_searchPane->setVisible(m_unfoldTab->isHidden());
    zoomAdded(m_searchPane); // the window may have been zoomed before
    setTabOrder();
    connect(m_foldTab, &ImageButton::clicked, this, &MainWindow::foldSearchPane);
    connect(m_searchButton, &ImageButton::clicked, this, &MainWindow::search);
    connect(m_searchField, &QLineEdit::returnPressed, this, &MainWindow::search);
    connect(m_resultList, &ListView::chosen, this, &MainWindow::showChosenResult);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            child->close();
    }
    QMainWindow::closeEvent(event);
}

bool MainWindow::storeOpen()
{
    if (m_dictionary.store)
        return true;
    m_environment.notice(this, storeNotice(*m_dictionary.failure));
    return false;
}

void MainWindow::foldSearchPane()
{
    // The pane goes before the window narrows, so that it never shows cut off.
    if (m_searchPane)
        m_searchPane->hide();
    m_card->move(zoomed(this, kCardLeftFolded), m_card->y());
    setInsideWidth(kFoldedWidth);
    m_unfoldTab->show();
}

void MainWindow::unfoldSearchPane()
{
    buildSearchPane();
    setInsideWidth(kUnfoldedWidth);
    m_card->move(zoomed(this, kCardLeftUnfolded), m_card->y());
    m_searchPane->show();
    m_unfoldTab->hide(); // under the pane, and out of the Tab order
    // The reader unfolds the pane to search: the cursor waits in its field.
    m_searchField->setFocus(Qt::OtherFocusReason);
}

void MainWindow::focusSearchField()
{
    buildSearchPane();
    if (!m_searchPane->isVisible())
        unfoldSearchPane();
    m_searchField->setFocus(Qt::ShortcutFocusReason);
    m_searchField->selectAll();
}

void MainWindow::setInsideWidth(int width)
{
    m_inside->setFixedWidth(zoomed(this, width));
}
