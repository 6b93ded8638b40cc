#include "review/reviewwindow.h"
#include "review/reviewwindowgeometry.h"

#include "models/storenotice.h"
#include "reader/readerstore.h"
#include "review/duetext.h"
#include "review/reviewchart.h"
#include "store/dailyidiom.h"
#include "store/datafile.h"
#include "store/storeerror.h"
#include "vura/version.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/textlabel.h"
#include "widgets/windowframe.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>

#include <algorithm>

using namespace ReviewWindowGeometry;

namespace {

const char *const kGradeNames[4] = {"忘记", "困难", "良好", "简单"};
constexpr int kChartPast = 30;
constexpr int kChartComing = 14;

} // namespace

ReviewWindow::ReviewWindow(const Dictionary &dictionary, const Environment &environment, ReaderStore &reader,
                           QWidget *parent, std::function<QDateTime()> now)
    : QWidget(parent, kFixedSizeWindow), m_dictionary(dictionary), m_environment(environment), m_reader(reader),
      m_now(std::move(now))
{
    setUpSideWindow(this, QStringLiteral("复习    " VURA_NAME " - " VURA_VERSION), kSize);
    const QFont song = windowFont("宋体", 10.5);

    m_daily = new TextLabel(QString(), song, TextLabel::WrapsInBox, kDaily, this);
    m_daily->setObjectName(QStringLiteral("dailyIdiom"));
    m_daily->setCursor(Qt::PointingHandCursor);
    m_daily->setToolTip(QStringLiteral("点击在主窗口显示"));
    m_counts = placedLabel("counts", kCounts, font(), Qt::AlignLeft | Qt::AlignVCenter, this);
    placedLabel("limitLabel", kLimitLabel, font(), Qt::AlignRight | Qt::AlignVCenter, this)
        ->setText(QStringLiteral("每天新成语"));
    m_limitBox = new QSpinBox(this);
    m_limitBox->setObjectName(QStringLiteral("newPerDayBox"));
    m_limitBox->setGeometry(kLimitBox);
    m_limitBox->setRange(0, 500);
    m_limitBox->setValue(m_newPerDay);
    m_limitBox->setFocusPolicy(Qt::ClickFocus);
    m_limitBox->setAccessibleName(QStringLiteral("每天新成语的上限"));

    m_idiom = placedLabel("idiom", kIdiom, windowFont("楷体_GB2312", 26), Qt::AlignCenter, this);
    m_idiom->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pinyin = placedLabel("pinyin", kPinyin, windowFont("宋体", 12), Qt::AlignCenter, this);
    m_meaning = placedLabel("meaning", kMeaning, song, Qt::AlignHCenter | Qt::AlignTop, this);
    m_meaning->setWordWrap(true);

    m_showAnswer = placedButton(QStringLiteral("显示答案"), "showAnswerButton", kShowAnswer, this);
    m_showAnswer->setToolTip(QStringLiteral("空格"));
    for (int g = 0; g < 4; ++g) {
        m_grades[g] = placedButton(QString(), qPrintable(QStringLiteral("gradeButton%1").arg(g + 1)), kGrades[g], this);
        m_grades[g]->setToolTip(QString::number(g + 1));
        connect(m_grades[g], &QPushButton::clicked, this, [this, g] { grade(g + 1); });
    }
    m_startCommon = placedButton(QStringLiteral("从常用成语开始"), "startCommonButton", kStartCommon, this);
    m_status = placedLabel("status", kStatus, font(), Qt::AlignCenter, this);
    m_chart = new ReviewChart(this);
    m_chart->setObjectName(QStringLiteral("reviewChart"));
    m_chart->setGeometry(kChart);

    // The keys work wherever the focus is, but in the limit's box, which
    // takes digits and Space for itself.
    for (QPushButton *button : {m_showAnswer, m_grades[0], m_grades[1], m_grades[2], m_grades[3], m_startCommon})
        button->setFocusPolicy(Qt::NoFocus);
    const auto key = [this](const QKeySequence &sequence, auto slot) {
        auto *action = new QAction(this);
        action->setShortcut(sequence);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    key(QKeySequence(Qt::Key_Space), [this] { showAnswer(); });
    for (int g = 1; g <= 4; ++g)
        key(QKeySequence(Qt::Key_0 + g), [this, g] { grade(g); });

    closeOnEscape(this);
    connect(m_showAnswer, &QPushButton::clicked, this, &ReviewWindow::showAnswer);
    connect(m_startCommon, &QPushButton::clicked, this, &ReviewWindow::startWithCommonIdioms);
    connect(m_daily, &TextLabel::clicked, this, [this] {
        if (m_dailyId)
            emit idiomChosen(m_dailyId);
    });
    connect(m_limitBox, &QSpinBox::valueChanged, this, &ReviewWindow::setNewPerDay);
    connect(m_limitBox, &QSpinBox::editingFinished, this, [this] { setFocus(); });
    setFocusPolicy(Qt::StrongFocus);

    showDaily();
    buildPlan();
    showNext();
}

ReviewWindow::~ReviewWindow() = default;

void ReviewWindow::buildPlan()
{
    const QList<WordBookEntry> book = m_reader.wordBook(); // newest first
    std::vector<int> ids;
    ids.reserve(size_t(book.size()));
    for (auto entry = book.crbegin(); entry != book.crend(); ++entry)
        ids.push_back(entry->id);
    const QList<ReviewRecord> rows = m_reader.reviews();
    std::vector<ReviewEvent> events;
    events.reserve(size_t(rows.size()));
    for (const ReviewRecord &row : rows) {
        if (row.grade >= 1 && row.grade <= 4)
            events.push_back({row.id, row.reviewed, Fsrs::Grade(row.grade)});
    }
    const QDateTime now = m_now();
    m_plan = std::make_unique<ReviewPlan>(ids, events, m_newPerDay, now.date().startOfDay().toSecsSinceEpoch());
    m_planChanges = m_reader.changeCount();
    m_planTime = now.toSecsSinceEpoch();
}

bool ReviewWindow::event(QEvent *event)
{
    // Coming back, the window counts again what changed in the reader's
    // store or came due meanwhile; not as it first shows, just counted.
    if (event->type() == QEvent::WindowActivate && m_plan
        && (m_reader.changeCount() != m_planChanges || m_now().toSecsSinceEpoch() - m_planTime >= kRecountAfter))
        refresh();
    return QWidget::event(event);
}

void ReviewWindow::refresh()
{
    const int current = m_current;
    const bool shown = m_answerShown;
    showDaily();
    buildPlan();
    // The idiom on the card stays while it is still to be reviewed.
    const Fsrs::Card card = m_plan->card(current);
    const qint64 now = m_now().toSecsSinceEpoch();
    const bool stillDue = m_plan->contains(current) && (card.phase == Fsrs::Phase::New ? m_plan->newToday() > 0 : card.due <= now);
    if (stillDue) {
        m_current = current;
        m_answerShown = shown;
        showCard();
        showCounts();
    } else {
        showNext();
    }
}

void ReviewWindow::setNewPerDay(int count)
{
    if (count == m_newPerDay)
        return;
    m_newPerDay = count;
    if (m_limitBox->value() != count)
        m_limitBox->setValue(count);
    emit newPerDayChanged(count);
    refresh();
}

void ReviewWindow::showAnswer()
{
    if (!m_current || m_answerShown)
        return;
    m_answerShown = true;
    showCard();
}

void ReviewWindow::grade(int grade)
{
    if (!m_current || !m_answerShown || grade < 1 || grade > 4)
        return;
    const qint64 now = m_now().toSecsSinceEpoch();
    const Fsrs::Card card = m_plan->grade(m_current, Fsrs::Grade(grade), now);
    m_reader.recordReview({m_current, now, grade, int(card.phase), card.stability, card.difficulty, card.due});
    showNext();
}

void ReviewWindow::startWithCommonIdioms()
{
    if (!m_dictionary.store)
        return;
    const int wanted = m_newPerDay > 0 ? m_newPerDay : kDefaultNewPerDay;
    QList<HistoryEntry> idioms;
    try {
        QSet<int> in;
        for (const WordBookEntry &entry : m_reader.wordBook())
            in.insert(entry.id);
        std::vector<int> ids;
        for (const CommonIdiom &common : m_dictionary.store->commonIdioms())
            ids.push_back(common.id);
        // Without the list of common idioms, the idioms of the coming days.
        const QDate today = m_now().date();
        for (int day = 0; ids.empty() && day < wanted; ++day)
            ids.push_back(DailyIdiom::idiomOf(*m_dictionary.store, today.addDays(day)));
        for (const int id : ids) {
            if (int(idioms.size()) >= wanted)
                break;
            if (id > 0 && !in.contains(id)) {
                in.insert(id);
                idioms.append({id, m_dictionary.store->idiom(id).text});
            }
        }
    } catch (const StoreError &error) {
        m_environment.notice(this, storeNotice(error));
        return;
    }
    // In one change, the most common first, as new idioms come in the order
    // they were put in.
    m_reader.addToWordBook(idioms);
    emit wordBookChanged();
    buildPlan();
    showNext();
}

void ReviewWindow::showNext()
{
    m_current = m_plan->next(m_now().toSecsSinceEpoch());
    m_answerShown = false;
    showCard();
    showCounts();
}

void ReviewWindow::showCard()
{
    const bool empty = m_plan->size() == 0;
    m_startCommon->setVisible(empty);
    m_showAnswer->setVisible(m_current && !m_answerShown);
    for (QPushButton *button : m_grades)
        button->setVisible(m_current && m_answerShown);
    m_pinyin->clear();
    m_meaning->clear();
    if (!m_current) {
        m_idiom->clear();
        if (empty) {
            m_status->setText(QStringLiteral("生词本里还没有成语：可以从最常用的成语开始。"));
        } else {
            const qint64 next = m_plan->nextDue();
            const qint64 now = m_now().toSecsSinceEpoch();
            m_status->setText(next > now ? QStringLiteral("今天的复习完成了。下一个成语%1后到期。").arg(dueText(next - now))
                                         : QStringLiteral("今天的复习完成了。"));
        }
        return;
    }
    Idiom idiom;
    try {
        idiom = m_dictionary.store ? m_dictionary.store->idiom(m_current) : Idiom{m_current, {}, {}, {}, {}, {}};
    } catch (const StoreError &error) {
        m_status->setText(storeNotice(error));
    }
    m_idiom->setText(idiom.text);
    const Fsrs::Card card = m_plan->card(m_current);
    m_status->setText(card.phase == Fsrs::Phase::New ? QStringLiteral("新成语") : QStringLiteral("复习"));
    if (!m_answerShown)
        return;
    m_pinyin->setText(idiom.pinyin);
    m_meaning->setText(idiom.meaning);
    const qint64 now = m_now().toSecsSinceEpoch();
    const auto next = m_plan->preview(m_current, now);
    for (int g = 0; g < 4; ++g) {
        m_grades[g]->setText(QString::fromUtf8(kGradeNames[g]) + u'\n' + dueText(next[size_t(g)].due - now));
        m_grades[g]->setAccessibleName(QString::fromUtf8(kGradeNames[g]));
    }
}

void ReviewWindow::showCounts()
{
    m_counts->setText(QStringLiteral("今日到期 %1    新 %2    已学 %3")
                          .arg(m_plan->dueToday())
                          .arg(m_plan->newToday())
                          .arg(m_plan->learned()));
    m_chart->showDays(m_plan->reviewsPerDay(kChartPast), m_plan->duePerDay(kChartComing));
}

void ReviewWindow::showDaily()
{
    m_dailyId = 0;
    if (!m_dictionary.store)
        return;
    try {
        m_dailyId = DailyIdiom::idiomOf(*m_dictionary.store, m_now().date());
        if (!m_dailyId)
            return;
        const Idiom idiom = m_dictionary.store->idiom(m_dailyId);
        m_daily->showText(QStringLiteral("每日一成语：%1　%2").arg(idiom.text, idiom.pinyin));
    } catch (const StoreError &) {
        m_dailyId = 0;
    }
}
