// The game window: the idiom chain (成语接龙) played against the computer,
// by character or by sound, at three levels, with hints, an optional clock
// and the best score kept. The rules live in ChainGame; the window shows
// the game and passes on what the reader does.
#pragma once

#include <QWidget>
#include <memory>

struct Dictionary;
struct Environment;
class ChainGame;
class ChainIndex;
class ChainIndexHolder;
class FollowerListModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class ReaderStore;

class GameWindow : public QWidget
{
    Q_OBJECT

public:
    // A window of its own over `parent`, deleted when it is closed; Escape
    // closes it. The game is played on `chains`, each move's meaning read
    // from `dictionary`; they and `environment` outlive it.
    GameWindow(const Dictionary &dictionary, ChainIndexHolder &chains, const Environment &environment,
               QWidget *parent = nullptr);
    ~GameWindow() override;

    // Keeps the best scores in `reader`, which outlives the window; without
    // it none are kept.
    void setReaderStore(ReaderStore *reader);

    // The rule and level the boxes show, as the reader last chose them;
    // changes nothing of a game that is on.
    void showChoice(const QString &rule, const QString &level);

signals:
    // The reader chose another rule or level, named as showChoice takes them.
    void choiceChanged(const QString &rule, const QString &level);

public slots:
    // Starts a game that the computer opens.
    void startByComputer();
    // Plays the typed move, or with nothing typed the move chosen in the
    // list; with no game going on, opens a new one with the typed move.
    void play();
    // Plays the move chosen from the reader's moves.
    void playChosen();
    void showHint();
    void giveUp();
    // Copies the chain, as text, to the clipboard.
    void copyChain();
    // Asks where to save the chain as a text file, and saves it there.
    void saveChain();

private slots:
    // Starts the clock for the move being made, or stops it.
    void switchClock(bool on);
    void tick();
    void writeChainTo(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override; // the chain's columns follow its zoom

private:
    // The index of the dictionary's idioms; null when the idioms cannot be
    // read, which the reader is told.
    const ChainIndex *index();
    std::unique_ptr<ChainGame> newGame();
    // Gives the move its whole time and counts it down, or stops the clock
    // and hides it.
    void runClock(bool running);
    // Shows the game as it now stands, and keeps a finished game's score.
    void showGame();
    // Sets the chain box's columns to fit their longest entries.
    void layOutChainColumns();
    void say(const QString &text, const QColor &colour);

    const Dictionary &m_dictionary;
    ChainIndexHolder &m_chains;
    const Environment &m_environment;
    const ChainIndex *m_index = nullptr; // once a game has been started
    std::unique_ptr<ChainGame> m_game;
    ReaderStore *m_reader = nullptr;
    int m_secondsLeft = 0;

    QComboBox *m_ruleBox, *m_levelBox;
    QCheckBox *m_clockBox;
    QPushButton *m_computerOpensButton, *m_playButton, *m_hintButton, *m_giveUpButton, *m_copyButton, *m_saveButton;
    QLineEdit *m_moveField;
    QLabel *m_clock, *m_status, *m_movesHeading, *m_score;
    QListView *m_moveList;
    FollowerListModel *m_moves;
    QPlainTextEdit *m_chainText;
    QTimer *m_clockTimer;
};
