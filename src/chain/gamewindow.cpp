// The game window: its controls, and the game's steps as the reader takes them.
#include "chain/gamewindow.h"
#include "chain/gamewindowgeometry.h"

#include "chain/game/chaingame.h"
#include "chain/game/chainindexholder.h"
#include "models/idiomlistmodel.h"
#include "models/storenotice.h"
#include "reader/readerstore.h"
#include "store/datafile.h"
#include "vura/version.h"
#include "widgets/fonts.h"
#include "widgets/environment.h"
#include "widgets/windowframe.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTextOption>
#include <QTimer>

#include <algorithm>

using namespace GameWindowGeometry;

// The reader's moves, each showing its meaning on hover, read from the
// store when first asked for.
class FollowerListModel : public IdiomListModel
{
public:
    FollowerListModel(const Dictionary &dictionary, QObject *parent)
        : IdiomListModel(parent), m_dictionary(dictionary)
    {
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::ToolTipRole)
            return IdiomListModel::data(index, role);
        try {
            const Idiom idiom = m_dictionary.store->idiom(entry(index.row()).id);
            return idiom.pinyin + u'\n' + idiom.meaning;
        } catch (const StoreError &) {
            return QVariant(); // the next move says what went wrong
        }
    }

private:
    const Dictionary &m_dictionary;
};

namespace {

// The seconds a move may take while the clock is on.
constexpr int kSecondsAMove = 30;

QLabel *label(const char *objectName, const QRect &place, QWidget *parent)
{
    auto *text = new QLabel(parent);
    text->setObjectName(QLatin1String(objectName));
    text->setGeometry(place);
    return text;
}

} // namespace

GameWindow::GameWindow(const Dictionary &dictionary, ChainIndexHolder &chains, const Environment &environment,
                       QWidget *parent)
    : QWidget(parent, kFixedSizeWindow), m_dictionary(dictionary), m_chains(chains), m_environment(environment)
{
    setUpSideWindow(this, QStringLiteral("接龙游戏    " VURA_NAME " - " VURA_VERSION), kSize);
    const QFont song = windowFont("宋体", 10.5);

    m_ruleBox = new QComboBox(this);
    m_ruleBox->setObjectName(QStringLiteral("ruleBox"));
    m_ruleBox->addItem(QStringLiteral("同字接龙"), int(ChainRule::SameCharacter));
    m_ruleBox->addItem(QStringLiteral("同音接龙"), int(ChainRule::SameSound));
    m_ruleBox->addItem(QStringLiteral("同音同调"), int(ChainRule::SameTone));
    m_ruleBox->setGeometry(kRuleBox);
    m_ruleBox->setAccessibleName(QStringLiteral("规则"));
    m_levelBox = new QComboBox(this);
    m_levelBox->setObjectName(QStringLiteral("levelBox"));
    m_levelBox->addItem(QStringLiteral("容易"), int(Level::Easy));
    m_levelBox->addItem(QStringLiteral("中等"), int(Level::Middle));
    m_levelBox->addItem(QStringLiteral("困难"), int(Level::Hard));
    m_levelBox->setGeometry(kLevelBox);
    m_levelBox->setAccessibleName(QStringLiteral("难度"));
    m_clockBox = new QCheckBox(QStringLiteral("每步限时%1秒").arg(kSecondsAMove), this);
    m_clockBox->setObjectName(QStringLiteral("clockBox"));
    m_clockBox->setGeometry(kClockBox);
    m_computerOpensButton = placedButton(QStringLiteral("电脑先出"), "computerOpensButton", kComputerOpensButton, this);

    m_moveField = new QLineEdit(this);
    m_moveField->setObjectName(QStringLiteral("moveField"));
    m_moveField->setGeometry(kMoveField);
    m_moveField->setFont(song);
    m_moveField->setPlaceholderText(QStringLiteral("输入成语，按回车接上"));
    m_moveField->setAccessibleName(QStringLiteral("你的成语"));
    m_playButton = placedButton(QStringLiteral("接"), "playButton", kPlayButton, this);
    m_hintButton = placedButton(QStringLiteral("提示"), "hintButton", kHintButton, this);
    m_hintButton->setToolTip(QStringLiteral("给出一个可以接的成语，得分减%1").arg(ChainGame::kHintCost));
    m_giveUpButton = placedButton(QStringLiteral("认输"), "giveUpButton", kGiveUpButton, this);
    m_clock = label("clock", kClock, this);
    m_status = label("status", kStatus, this);
    m_status->setFont(song);

    m_movesHeading = label("movesHeading", kMovesHeading, this);
    label("chainHeading", kChainHeading, this)->setText(QStringLiteral("接好的成语："));
    m_moves = new FollowerListModel(dictionary, this);
    m_moveList = new QListView(this);
    m_moveList->setObjectName(QStringLiteral("moveList"));
    m_moveList->setGeometry(kMoveList);
    m_moveList->setFont(song);
    m_moveList->setModel(m_moves);
    m_moveList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_moveList->setAccessibleName(QStringLiteral("可以接的成语"));
    m_moveList->setAccessibleDescription(QStringLiteral("双击或回车接上；指着一个可以看它的意思"));
    m_chainText = new QPlainTextEdit(this);
    m_chainText->setObjectName(QStringLiteral("chainText"));
    m_chainText->setGeometry(kChainText);
    m_chainText->setFont(song);
    m_chainText->setReadOnly(true);
    // Each link on one line, in columns as wide as their longest entry; a
    // chain wider than the box scrolls.
    m_chainText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_chainText->installEventFilter(this);
    m_chainText->setAccessibleName(QStringLiteral("接好的成语"));
    m_score = label("score", kScore, this);
    m_copyButton = placedButton(QStringLiteral("复制"), "copyButton", kCopyButton, this);
    m_saveButton = placedButton(QStringLiteral("保存..."), "saveButton", kSaveButton, this);

    setTabOrder(m_moveField, m_playButton);
    setTabOrder(m_playButton, m_hintButton);
    setTabOrder(m_hintButton, m_giveUpButton);
    setTabOrder(m_giveUpButton, m_moveList);
    setTabOrder(m_moveList, m_chainText);
    setTabOrder(m_chainText, m_copyButton);
    setTabOrder(m_copyButton, m_saveButton);
    setTabOrder(m_saveButton, m_ruleBox);
    setTabOrder(m_ruleBox, m_levelBox);
    setTabOrder(m_levelBox, m_clockBox);
    const auto tellChoice = [this] { emit choiceChanged(m_ruleBox->currentText(), m_levelBox->currentText()); };
    connect(m_ruleBox, &QComboBox::currentIndexChanged, this, tellChoice);
    connect(m_levelBox, &QComboBox::currentIndexChanged, this, tellChoice);
    setTabOrder(m_clockBox, m_computerOpensButton);
    m_moveField->setFocus();

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("clockTimer"));
    m_clockTimer->setInterval(1000);

    connect(m_computerOpensButton, &QPushButton::clicked, this, &GameWindow::startByComputer);
    connect(m_moveField, &QLineEdit::returnPressed, this, &GameWindow::play);
    connect(m_playButton, &QPushButton::clicked, this, &GameWindow::play);
    connect(m_moveList, &QListView::activated, this, &GameWindow::playChosen);
    connect(m_hintButton, &QPushButton::clicked, this, &GameWindow::showHint);
    connect(m_giveUpButton, &QPushButton::clicked, this, &GameWindow::giveUp);
    connect(m_copyButton, &QPushButton::clicked, this, &GameWindow::copyChain);
    connect(m_saveButton, &QPushButton::clicked, this, &GameWindow::saveChain);
    connect(m_clockBox, &QCheckBox::toggled, this, &GameWindow::switchClock);
    connect(m_clockTimer, &QTimer::timeout, this, &GameWindow::tick);
    showGame();
}

GameWindow::~GameWindow() = default;

void GameWindow::setReaderStore(ReaderStore *reader)
{
    m_reader = reader;
}

const ChainIndex *GameWindow::index()
{
    if (!m_index) {
        try {
            m_index = &m_chains.index();
        } catch (const StoreError &error) {
            m_environment.notice(this, storeNotice(error));
        }
    }
    return m_index;
}

std::unique_ptr<ChainGame> GameWindow::newGame()
{
    if (!index())
        return {};
    return std::make_unique<ChainGame>(*m_index, ChainRule(m_ruleBox->currentData().toInt()),
                                       Level(m_levelBox->currentData().toInt()), QRandomGenerator::global()->generate());
}

void GameWindow::startByComputer()
{
    std::unique_ptr<ChainGame> game = newGame();
    if (!game)
        return;
    m_game = std::move(game);
    m_game->computerOpens();
    m_status->clear();
    showGame();
}

void GameWindow::showChoice(const QString &rule, const QString &level)
{
    const QSignalBlocker ruleBlocker(m_ruleBox), levelBlocker(m_levelBox);
    if (const int index = m_ruleBox->findText(rule); index >= 0 && m_ruleBox->isEnabled())
        m_ruleBox->setCurrentIndex(index);
    if (const int index = m_levelBox->findText(level); index >= 0 && m_levelBox->isEnabled())
        m_levelBox->setCurrentIndex(index);
}

void GameWindow::layOutChainColumns()
{
    // The idiom, its pinyin and who played it, each column starting where
    // the widest entry before it ends, at the box's font and zoom.
    const QFontMetrics metrics(m_chainText->font());
    const int gap = metrics.horizontalAdvance(QStringLiteral("　"));
    QList<int> widths;
    const QStringList lines = m_chainText->toPlainText().split(u'\n');
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        for (qsizetype column = 0; column + 1 < fields.size(); ++column) {
            if (widths.size() <= column)
                widths.append(0);
            widths[column] = std::max(widths[column], metrics.horizontalAdvance(fields[column]));
        }
    }
    QList<QTextOption::Tab> tabs;
    qreal at = 0;
    for (const int width : std::as_const(widths)) {
        at += width + gap;
        tabs.append(QTextOption::Tab(at, QTextOption::LeftTab));
    }
    QTextOption option = m_chainText->document()->defaultTextOption();
    option.setTabs(tabs);
    m_chainText->document()->setDefaultTextOption(option);
}

bool GameWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_chainText && event->type() == QEvent::FontChange)
        layOutChainColumns(); // zoomed
    return QWidget::eventFilter(watched, event);
}

void GameWindow::play()
{
    const QString typed = m_moveField->text().trimmed();
    if (typed.isEmpty()) {
        playChosen(); // 接 with nothing typed plays the move chosen in the list
        return;
    }
    const bool opening = !m_game || m_game->isOver();
    std::unique_ptr<ChainGame> game = opening ? newGame() : nullptr;
    ChainGame *playing = opening ? game.get() : m_game.get();
    if (!playing)
        return;
    const Refusal refusal = playing->play(typed);
    if (refusal != Refusal::None) {
        // Only the reason shows: the game, the field and the clock stay as they were.
        say(playing->reason(refusal), Qt::red);
        return;
    }
    if (opening)
        m_game = std::move(game);
    m_moveField->clear();
    m_status->clear();
    showGame();
}

void GameWindow::playChosen()
{
    // The list holds the reader's moves in their order. By the move itself,
    // not its text: of two idioms written alike, the one chosen.
    const QModelIndex chosen = m_moveList->currentIndex();
    const std::vector<int> moves = m_game ? m_game->readerMoves() : std::vector<int>();
    if (!chosen.isValid() || size_t(chosen.row()) >= moves.size())
        return;
    m_game->playLink(moves[size_t(chosen.row())]); // always allowed
    m_moveField->clear();
    m_status->clear();
    showGame();
}

void GameWindow::showHint()
{
    if (!m_game)
        return;
    const int link = m_game->hint();
    if (link < 0)
        return;
    m_moveField->setText(m_index->text(link));
    m_moveField->setFocus();
    say(QStringLiteral("提示：%1（得分减%2）").arg(m_index->text(link)).arg(ChainGame::kHintCost), Qt::darkGreen);
    showGame();
}

void GameWindow::giveUp()
{
    if (!m_game)
        return;
    m_game->giveUp();
    showGame();
}

void GameWindow::switchClock(bool on)
{
    // Ticked during a move, the move has its whole time from now.
    runClock(on && m_game && !m_game->isOver());
}

void GameWindow::runClock(bool running)
{
    if (running) {
        m_secondsLeft = kSecondsAMove;
        m_clock->setText(QStringLiteral("还有%1秒").arg(m_secondsLeft));
        m_clockTimer->start();
    } else {
        m_clockTimer->stop();
        m_clock->clear();
    }
}

void GameWindow::tick()
{
    if (--m_secondsLeft > 0) {
        m_clock->setText(QStringLiteral("还有%1秒").arg(m_secondsLeft));
        return;
    }
    m_game->timeOut();
    showGame();
}

void GameWindow::showGame()
{
    const bool playing = m_game && !m_game->isOver();
    const std::vector<int> moves = m_game ? m_game->readerMoves() : std::vector<int>();
    // The easy level lets the reader pick a move from the list; the others
    // only say how many there are.
    QList<IdiomEntry> entries;
    if (m_game && m_game->level() == Level::Easy) {
        for (const int link : moves)
            entries.append({m_index->text(link), m_index->id(link)});
    }
    m_moves->setEntries(entries);
    m_movesHeading->setText(!playing ? QStringLiteral("可以接的成语：")
                            : moves.empty() ? QStringLiteral("你已无路可接")
                                            : QStringLiteral("你有%1个成语可接：").arg(moves.size()));

    m_chainText->setPlainText(m_game ? m_game->chainText() : QString());
    layOutChainColumns();
    m_chainText->moveCursor(QTextCursor::End);
    m_hintButton->setEnabled(playing);
    m_giveUpButton->setEnabled(playing);
    // The rule and the level in force show while a game is on, and change
    // only between games.
    m_ruleBox->setEnabled(!playing);
    m_levelBox->setEnabled(!playing);
    m_copyButton->setEnabled(m_game && m_game->isStarted());
    m_saveButton->setEnabled(m_game && m_game->isStarted());

    if (!m_game) {
        m_score->setText(QString());
        return;
    }
    const QString name = gameName(m_game->rule(), m_game->level());
    runClock(!m_game->isOver() && m_clockBox->isChecked());
    if (m_game->isOver()) {
        const bool best = m_reader && m_reader->offerScore(name, m_game->score());
        say(m_game->verdict() + (best ? QStringLiteral("  新的最高分！") : QString()),
            m_game->winner() == Player::Reader ? Qt::darkGreen : Qt::red);
    }
    QString score = QStringLiteral("得分 %1（接了%2个，提示%3次）")
                        .arg(m_game->score())
                        .arg(m_game->readerLinks())
                        .arg(m_game->hints());
    if (m_reader)
        score += QStringLiteral("  最高分 %1").arg(m_reader->bestScore(name));
    m_score->setText(score);
}

void GameWindow::say(const QString &text, const QColor &colour)
{
    QPalette colours = m_status->palette();
    colours.setColor(QPalette::WindowText, colour);
    m_status->setPalette(colours);
    m_status->setText(text);
}

void GameWindow::copyChain()
{
    if (m_game)
        QGuiApplication::clipboard()->setText(m_game->chainText());
}

void GameWindow::saveChain()
{
    // Opened as a sheet of the window, without an event loop of its own.
    auto *dialog = new QFileDialog(this, QStringLiteral("保存接龙"), QString(), QStringLiteral("文本文件 (*.txt)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    dialog->selectFile(QStringLiteral("接龙.txt"));
    connect(dialog, &QFileDialog::fileSelected, this, &GameWindow::writeChainTo);
    dialog->open();
}

void GameWindow::writeChainTo(const QString &path)
{
    QSaveFile file(path); // a failed save leaves any file of that name as it was
    if (!m_game || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(m_game->chainText().toUtf8()) < 0 || !file.commit()) {
        m_environment.notice(this, QStringLiteral("无法保存到 %1：%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}
