// 测验: rounds of questions on idioms, in a window of the main window's.
// At the top the kind (看释义猜成语, 填空, 看成语选释义), where the idioms come
// from (生词本, 历史记录, 常用成语) and 开始 (Enter). Then one question at a
// time with four choices, keys 1 to 4; for 填空 the characters may also be
// typed, and Enter answers with them. Once answered, the right choice is
// marked (and the reader's, when wrong) and Enter, or 下一题, goes on. After
// the round the score and the questions missed, each brought onto the main
// window's card when chosen, and 加入生词本 for all of them.
#pragma once

#include "review/quiz/quizmaker.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <future>
#include <memory>

class ChoiceButton;
struct Dictionary;
struct Environment;
class IdiomListModel;
class ListView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ReaderStore;
class TextLabel;

class QuizWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Source { WordBook, History, Common };

    // A window of its own over `parent`, deleted when closed; Escape closes
    // it. Idioms are read from `dictionary`, the word book and the history
    // from `reader`; they and `environment` outlive it. Each round is drawn
    // with a seed from `seed`, the time unless a test gives another.
    QuizWindow(const Dictionary &dictionary, const Environment &environment, ReaderStore &reader,
               QWidget *parent = nullptr, std::function<quint32()> seed = {});
    ~QuizWindow() override;

    QuizKind kind() const;
    Source source() const;
    void setKind(QuizKind kind);
    void setSource(Source source);

    // The round's questions; the one asked (-1 before a round, the number of
    // questions after it); whether it is answered; how many were right.
    const QList<QuizQuestion> &questions() const { return m_questions; }
    int current() const { return m_current; }
    bool answered() const { return m_answered; }
    int score() const { return m_score; }
    // The idioms missed in the round, in the order asked.
    QList<int> missed() const;

public slots:
    // Draws a round of the kind from the source and asks its first question.
    void start();
    // Answers the question with choice `choice` (0 to 3).
    void answer(int choice);
    // Answers a 填空 with the characters typed, or a choice by its number.
    void answerTyped();
    // The next question, or the score after the last.
    void next();
    // Puts the idioms missed into the word book.
    void addMissedToWordBook();

signals:
    // The reader asked to see an idiom on the main window's card.
    void idiomChosen(int id);
    // The window put idioms into the word book.
    void wordBookChanged();
    // The kind or the source was changed, to be kept for the next window.
    void choiceChanged();

private:
    // Enter: 开始 before a round and after it, the typed answer, or 下一题.
    void pressEnter();
    // Whether a question is on show, not yet answered.
    bool asking() const;
    // Marks the answer `choice`, or typed characters that are no choice (-1).
    void settle(int choice);
    void showQuestion();
    // 第 3/10 题 and how many were right.
    void showProgress();
    void showScore();
    // Shows the controls of a question, or those of the score.
    void showPage(bool asking);
    QList<int> sourceIds() const;

    const Dictionary &m_dictionary;
    const Environment &m_environment;
    ReaderStore &m_reader;
    std::function<quint32()> m_seed;
    // What the questions are made from: read as the window opens, on a
    // thread of its own, so that the first round is ready when asked for.
    std::future<std::unique_ptr<QuizMaker>> m_making;
    std::unique_ptr<QuizMaker> m_maker;
    QList<QuizQuestion> m_questions;
    QList<int> m_wrong; // the places of the questions missed
    int m_current = -1;
    bool m_answered = false;
    int m_score = 0;

    QComboBox *m_kindBox, *m_sourceBox;
    QPushButton *m_start;
    QLabel *m_progress;
    TextLabel *m_meaningPrompt; // a meaning
    QLabel *m_idiomPrompt;      // an idiom, or one with blanks
    QLabel *m_hint;
    ChoiceButton *m_choices[4];
    QLabel *m_typedLabel;
    QLineEdit *m_typed;
    QLabel *m_verdict;
    QPushButton *m_next;
    QLabel *m_scoreLabel, *m_missedLabel;
    ListView *m_missed;
    IdiomListModel *m_missedModel;
    QPushButton *m_addMissed;
};
