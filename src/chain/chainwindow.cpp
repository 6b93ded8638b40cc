// The chain window: its controls and the three steps of the walk.
#include "chain/chainwindow.h"
#include "chain/chainwindowgeometry.h"

#include "chain/game/chainindexholder.h"
#include "models/idiomlistmodel.h"
#include "models/storenotice.h"
#include "store/storeerror.h"
#include "vura/version.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/imagebutton.h"
#include "widgets/listview.h"
#include "widgets/textlabel.h"
#include "widgets/windowframe.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>

using namespace ChainWindowGeometry;

namespace {

// The separator after every link of the chain text.
const QString kLinkSeparator = QStringLiteral(" - ");

void heading(const QString &text, const QColor &colour, const QRect &place, QWidget *parent)
{
    auto *label = new TextLabel(text, windowFont("宋体", 10.5, true), TextLabel::FitsText, place, parent);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
}

ListView *list(const char *objectName, IdiomListModel *model, const QRect &place, const QFont &font,
               QWidget *parent)
{
    auto *view = new ListView(place, font, parent);
    view->setObjectName(QLatin1String(objectName));
    view->setModel(model);
    // The arrow keys move the highlight only; a click or Enter chooses.
    view->setArrowKeysChoose(false);
    return view;
}

} // namespace

ChainWindow::ChainWindow(ChainIndexHolder &chains, const Environment &environment, QWidget *parent)
    : QWidget(parent, kFixedSizeWindow), m_chains(chains), m_environment(environment)
{
    setUpSideWindow(this, QStringLiteral("成语接龙    " VURA_NAME " - " VURA_VERSION), kSize);

    const QFont song = windowFont("宋体", 10.5);
    heading(QStringLiteral("输入开头的成语："), QColor(0, 0, 255), kFirstLinkHeading, this);
    m_firstLinkField = new QLineEdit(QStringLiteral("爱不释手"), this);
    m_firstLinkField->setObjectName(QStringLiteral("firstLinkField"));
    m_firstLinkField->setGeometry(kFirstLinkField);
    m_firstLinkField->setFont(song);
    m_firstLinkField->setMaxLength(std::numeric_limits<int>::max()); // no limit of its own
    m_startButton = new ImageButton(QStringLiteral("button-start"), kStartButton.size(), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_startButton->move(kStartButton.topLeft());
    // Names and descriptions for screen readers, where a control has no text of its own.
    m_firstLinkField->setAccessibleName(QStringLiteral("开头的成语"));
    m_firstLinkField->setAccessibleDescription(QStringLiteral("输入开头的成语或一个字"));
    m_startButton->setAccessibleName(QStringLiteral("开始"));
    m_startButton->setAccessibleDescription(QStringLiteral("从开头的成语开始接龙"));

    heading(QStringLiteral("已选："), QColor(0, 128, 0), kChainHeading, this);
    heading(QStringLiteral("候选："), QColor(255, 0, 0), kCandidatesHeading, this);
    heading(QStringLiteral("接好的成语："), QColor(255, 0, 255), kChainTextHeading, this);
    m_chain = new IdiomListModel(this);
    m_candidates = new IdiomListModel(this);
    m_chainList = list("chainList", m_chain, kChainList, song, this);
    m_candidateList = list("candidateList", m_candidates, kCandidateList, song, this);
    m_chainList->setAccessibleName(QStringLiteral("已选"));
    m_chainList->setAccessibleDescription(QStringLiteral("接好的成语，点击一个可以倒回去重新选择"));
    m_candidateList->setAccessibleName(QStringLiteral("候选"));
    m_candidateList->setAccessibleDescription(QStringLiteral("可以接上的成语，点击一个接上去"));
    m_chainText = new QPlainTextEdit(this);
    m_chainText->setObjectName(QStringLiteral("chainText"));
    m_chainText->setAccessibleName(QStringLiteral("接好的成语"));
    m_chainText->setAccessibleDescription(QStringLiteral("整条接龙，可以选中复制"));
    m_chainText->setGeometry(kChainText);
    m_chainText->setFont(song);
    m_chainText->setReadOnly(true); // the program writes it; the reader may select and copy
    m_chainText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_chainText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_chainText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_chainText->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    setTabOrder(m_chainList, m_candidateList);
    setTabOrder(m_candidateList, m_firstLinkField);
    setTabOrder(m_firstLinkField, m_startButton);
    setTabOrder(m_startButton, m_chainText);
    m_chainList->setFocus();

    connect(m_startButton, &ImageButton::clicked, this, &ChainWindow::start);
    connect(m_firstLinkField, &QLineEdit::returnPressed, this, &ChainWindow::start);
    connect(m_chainList, &ListView::chosen, this, &ChainWindow::goBackToLink);
    connect(m_candidateList, &ListView::chosen, this, &ChainWindow::followCandidate);
    // A double-click on a link of the chain reads it on the main window's card.
    connect(m_chainList, &ListView::doubleClicked, this, [this](const QModelIndex &link) {
        if (const int id = m_chain->entry(link.row()).id)
            emit linkOpened(id);
    });
}

ChainWindow::~ChainWindow() = default;

void ChainWindow::start()
{
    const QString text = m_firstLinkField->text();
    if (text.isEmpty()) {
        m_environment.notice(this, QStringLiteral("请输入第一个成语或一个字！"));
        return;
    }
    // Any text starts a chain, as it was typed.
    m_chain->setEntries({{text, 0}});
    showChain();
    fillCandidates(text);
}

void ChainWindow::followCandidate()
{
    const int row = m_candidateList->selectedRow();
    if (row < 0)
        return;
    const IdiomEntry chosen = m_candidates->entry(row);
    m_chain->append(chosen);
    showChain();
    fillCandidates(chosen.text);
}

void ChainWindow::goBackToLink()
{
    const int row = m_chainList->selectedRow();
    if (row < 0)
        return;
    fillCandidates(m_chain->entry(row).text);
    m_chain->truncateAfter(row);
    showChain();
}

void ChainWindow::showChain()
{
    // Rebuilt whenever the chain changes, so that it never shows links that
    // are no longer in it.
    QString chain;
    for (const IdiomEntry &link : m_chain->entries())
        chain += link.text + kLinkSeparator;
    m_chainText->setPlainText(chain);
}

void ChainWindow::fillCandidates(const QString &link)
{
    try {
        // Every step that needs the idioms says why it cannot have them, in
        // the words start-up found.
        const ChainIndex &index = m_chains.index();
        const std::vector<int> links = index.followersOf(link, ChainRule::SameCharacter);
        QList<IdiomEntry> followers;
        followers.reserve(qsizetype(links.size()));
        for (const int follower : links)
            followers.append({index.text(follower), index.id(follower)});
        m_candidates->setEntries(followers);
    } catch (const StoreError &error) {
        m_candidates->setEntries({});
        m_environment.notice(this, storeNotice(error));
    }
}
