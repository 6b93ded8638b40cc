// 复习: the word book's idioms that are due, one at a time, in a window of
// the main window's. First the idiom alone; 显示答案 (Space) turns it over to
// its pinyin and meaning; then one of four grades, 忘记, 困难, 良好, 简单 (keys
// 1 to 4), each button saying when the idiom will come back. The header
// shows 每日一成语 and the day's counts (due, new, learned) beside the daily
// limit of new idioms; a chart shows the reviews of the last 30 days and
// what falls due in the next 14. An empty word book is offered the most
// common idioms to start with. Each grade is kept in the reader's store at
// once; the schedule is read again from those rows when the window opens.
#pragma once

#include "review/schedule/reviewplan.h"

#include <QDateTime>
#include <QWidget>
#include <functional>
#include <memory>

struct Dictionary;
struct Environment;
class QLabel;
class QPushButton;
class QSpinBox;
class ReaderStore;
class ReviewChart;
class TextLabel;

class ReviewWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDefaultNewPerDay = 20;
    // Seconds after which the window, activated, counts what is due again
    // though nothing changed: the shortest time it shows is a minute.
    static constexpr qint64 kRecountAfter = 60;

    // A window of its own over `parent`, deleted when closed; Escape closes
    // it. Idioms are read from `dictionary`, the word book and the reviews
    // from `reader`; they and `environment` outlive it. `now` gives the time
    // (the system's clock unless a test gives another).
    ReviewWindow(const Dictionary &dictionary, const Environment &environment, ReaderStore &reader,
                 QWidget *parent = nullptr, std::function<QDateTime()> now = &QDateTime::currentDateTime);
    ~ReviewWindow() override;

    int newPerDay() const { return m_newPerDay; }
    // The idiom on the card; 0 when none is due.
    int currentId() const { return m_current; }
    bool answerShown() const { return m_answerShown; }
    const ReviewPlan &plan() const { return *m_plan; }

public slots:
    // Reads the word book and the reviews again, keeping the idiom on the
    // card when it is still to be reviewed.
    void refresh();
    // The limit of new idioms a day, as the reader sets it.
    void setNewPerDay(int count);
    void showAnswer();
    // Grades the idiom on the card (1 忘记 to 4 简单) and shows the next.
    void grade(int grade);
    // Puts the most common idioms not in the word book into it, as many as a
    // day's new idioms, and begins with them.
    void startWithCommonIdioms();

signals:
    void newPerDayChanged(int count);
    // The reader asked to see the idiom on the main window's card.
    void idiomChosen(int id);
    // The window put idioms into the word book.
    void wordBookChanged();

protected:
    // Reads the word book again as the window is activated: another window
    // may have changed it, or the day may have turned.
    bool event(QEvent *event) override;

private:
    void buildPlan();
    // Shows the next idiom due, or what is left for today.
    void showNext();
    void showCard();
    void showCounts();
    void showDaily();

    const Dictionary &m_dictionary;
    const Environment &m_environment;
    ReaderStore &m_reader;
    std::function<QDateTime()> m_now;
    std::unique_ptr<ReviewPlan> m_plan;
    quint64 m_planChanges = 0; // the reader's change count the plan was built at
    qint64 m_planTime = 0;     // and the time, in seconds since the epoch
    int m_newPerDay = kDefaultNewPerDay;
    int m_current = 0;
    bool m_answerShown = false;
    int m_dailyId = 0;

    TextLabel *m_daily;
    QLabel *m_counts;
    QSpinBox *m_limitBox;
    QLabel *m_idiom, *m_pinyin, *m_meaning, *m_status;
    QPushButton *m_showAnswer;
    QPushButton *m_grades[4];
    QPushButton *m_startCommon;
    ReviewChart *m_chart;
};
