#include "review/quizwindow.h"
#include "review/quizwindowgeometry.h"

#include "models/idiomlistmodel.h"
#include "models/storenotice.h"
#include "reader/readerstore.h"
#include "review/choicebutton.h"
#include "store/datafile.h"
#include "store/storeerror.h"
#include "vura/version.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/listview.h"
#include "widgets/textlabel.h"
#include "widgets/windowframe.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace QuizWindowGeometry;

namespace {

const char *const kKindNames[]{"看释义猜成语", "填空", "看成语选释义"};
const char *const kSourceNames[]{"生词本", "历史记录", "常用成语"};

QComboBox *box(const char *objectName, const QRect &place, const char *const *names, int count, QWidget *parent)
{
    auto *choice = new QComboBox(parent);
    choice->setObjectName(QLatin1String(objectName));
    choice->setGeometry(place);
    for (int n = 0; n < count; ++n)
        choice->addItem(QString::fromUtf8(names[n]));
    return choice;
}

quint32 timeSeed()
{
    return quint32(QDateTime::currentMSecsSinceEpoch() * 2654435761u);
}

} // namespace

QuizWindow::QuizWindow(const Dictionary &dictionary, const Environment &environment, ReaderStore &reader,
                       QWidget *parent, std::function<quint32()> seed)
    : QWidget(parent, kFixedSizeWindow), m_dictionary(dictionary), m_environment(environment), m_reader(reader),
      m_seed(seed ? std::move(seed) : &timeSeed)
{
    setUpSideWindow(this, QStringLiteral("测验    " VURA_NAME " - " VURA_VERSION), kSize);
    const QFont song = windowFont("宋体", 10.5);

    placedLabel("kindLabel", kKindLabel, font(), Qt::AlignRight | Qt::AlignVCenter, this)->setText(QStringLiteral("题型"));
    m_kindBox = box("kindBox", kKindBox, kKindNames, 3, this);
    m_kindBox->setAccessibleName(QStringLiteral("题型"));
    placedLabel("sourceLabel", kSourceLabel, font(), Qt::AlignRight | Qt::AlignVCenter, this)->setText(QStringLiteral("来源"));
    m_sourceBox = box("sourceBox", kSourceBox, kSourceNames, 3, this);
    m_sourceBox->setAccessibleName(QStringLiteral("来源"));
    m_start = placedButton(QStringLiteral("开始"), "startButton", kStart, this);
    m_start->setToolTip(QStringLiteral("回车"));

    m_progress = placedLabel("progress", kProgress, font(), Qt::AlignLeft | Qt::AlignVCenter, this);
    m_meaningPrompt = new TextLabel(QString(), windowFont("宋体", 12), TextLabel::WrapsInBox, kPrompt, this);
    m_meaningPrompt->setObjectName(QStringLiteral("meaningPrompt"));
    m_idiomPrompt = placedLabel("idiomPrompt", kPrompt, windowFont("楷体_GB2312", 26), Qt::AlignCenter, this);
    m_idiomPrompt->setWordWrap(true); // the longest idioms take two lines
    m_hint = placedLabel("hint", kHint, windowFont("宋体", 12), Qt::AlignCenter, this);
    for (int n = 0; n < 4; ++n) {
        m_choices[n] = new ChoiceButton(this);
        m_choices[n]->setObjectName(QStringLiteral("choiceButton%1").arg(n + 1));
        m_choices[n]->setGeometry(kChoices[n]);
        m_choices[n]->setFont(windowFont("宋体", 12));
        m_choices[n]->setToolTip(QString::number(n + 1));
        connect(m_choices[n], &QPushButton::clicked, this, [this, n] { answer(n); });
    }
    m_typedLabel = placedLabel("typedLabel", kTypedLabel, font(), Qt::AlignRight | Qt::AlignVCenter, this);
    m_typedLabel->setText(QStringLiteral("或输入"));
    m_typed = new QLineEdit(this);
    m_typed->setObjectName(QStringLiteral("typedField"));
    m_typed->setGeometry(kTyped);
    m_typed->setFont(windowFont("宋体", 12));
    m_typed->setAccessibleName(QStringLiteral("填入的字"));
    m_typed->setToolTip(QStringLiteral("输入空着的字，按回车"));
    m_verdict = placedLabel("verdict", kVerdict, song, Qt::AlignLeft | Qt::AlignVCenter, this);
    m_next = placedButton(QStringLiteral("下一题"), "nextButton", kNext, this);
    m_next->setToolTip(QStringLiteral("回车"));

    m_scoreLabel = placedLabel("score", kScore, windowFont("宋体", 16, true), Qt::AlignCenter, this);
    m_missedLabel = placedLabel("missedLabel", kMissedLabel, font(), Qt::AlignLeft | Qt::AlignVCenter, this);
    m_missedModel = new IdiomListModel(this);
    m_missed = new ListView(kMissed, song, this);
    m_missed->setObjectName(QStringLiteral("missedList"));
    m_missed->setModel(m_missedModel);
    m_missed->setArrowKeysChoose(false);
    m_addMissed = placedButton(QStringLiteral("加入生词本"), "addMissedButton", kAddMissed, this);

    // The keys work wherever the focus is; the typed field takes digits
    // for itself, and answers by a choice's number on Enter.
    for (QPushButton *button : {m_start, m_next, m_addMissed})
        button->setFocusPolicy(Qt::NoFocus);
    for (ChoiceButton *choice : m_choices)
        choice->setFocusPolicy(Qt::NoFocus);
    m_typed->setFocusPolicy(Qt::StrongFocus);
    const auto key = [this](const QKeySequence &sequence, auto slot) {
        auto *action = new QAction(this);
        action->setShortcut(sequence);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    for (int n = 0; n < 4; ++n)
        key(QKeySequence(Qt::Key_1 + n), [this, n] { answer(n); });
    key(QKeySequence(Qt::Key_Return), [this] { pressEnter(); });
    key(QKeySequence(Qt::Key_Enter), [this] { pressEnter(); });

    closeOnEscape(this);
    connect(m_start, &QPushButton::clicked, this, &QuizWindow::start);
    connect(m_next, &QPushButton::clicked, this, &QuizWindow::next);
    connect(m_addMissed, &QPushButton::clicked, this, &QuizWindow::addMissedToWordBook);
    connect(m_missed, &ListView::chosen, this, [this] {
        const int id = m_missedModel->entry(m_missed->selectedRow()).id;
        if (id > 0)
            emit idiomChosen(id);
    });
    for (QComboBox *choice : {m_kindBox, m_sourceBox}) {
        // The box keeps the focus, for the arrow keys to go on: 1 to 4 and
        // Enter work from it.
        connect(choice, &QComboBox::activated, this, &QuizWindow::choiceChanged);
    }
    setFocusPolicy(Qt::StrongFocus);

    if (m_dictionary.store) {
        m_making = std::async(std::launch::async,
                              [&store = *m_dictionary.store] { return std::make_unique<QuizMaker>(store); });
    }
    showPage(true);
    m_progress->setText(QStringLiteral("选好题型和来源，按开始（回车）。"));
    m_meaningPrompt->show();
    m_meaningPrompt->showText(QStringLiteral(
        "每轮 %1 题，每题四个答案：按 1 到 4 选一个，填空也可以输入汉字再按回车；答完按回车进入下一题。"
        "生词本或历史记录里的成语不够时，用常用成语补足。答错的成语最后可以一次加入生词本。")
                                  .arg(QuizMaker::kRoundSize));
}

QuizWindow::~QuizWindow() = default;

QuizKind QuizWindow::kind() const
{
    return QuizKind(m_kindBox->currentIndex());
}

QuizWindow::Source QuizWindow::source() const
{
    return Source(m_sourceBox->currentIndex());
}

void QuizWindow::setKind(QuizKind kind)
{
    m_kindBox->setCurrentIndex(int(kind));
}

void QuizWindow::setSource(Source source)
{
    m_sourceBox->setCurrentIndex(int(source));
}

QList<int> QuizWindow::missed() const
{
    QList<int> ids;
    for (const int place : m_wrong)
        ids << m_questions[place].id;
    return ids;
}

QList<int> QuizWindow::sourceIds() const
{
    QList<int> ids;
    if (source() == Source::WordBook) {
        for (const WordBookEntry &entry : m_reader.wordBook())
            ids << entry.id;
    } else if (source() == Source::History) {
        for (const HistoryEntry &entry : m_reader.history())
            ids << entry.id;
    }
    return ids; // the common idioms are what every round is filled from
}

void QuizWindow::start()
{
    if (!m_dictionary.store)
        return;
    try {
        if (!m_maker && m_making.valid())
            m_maker = m_making.get(); // waits for it when it is not read yet
        if (!m_maker)
            m_maker = std::make_unique<QuizMaker>(*m_dictionary.store);
    } catch (const StoreError &error) {
        m_environment.notice(this, storeNotice(error));
        return;
    }
    m_questions = m_maker->round(kind(), sourceIds(), m_seed());
    m_wrong.clear();
    m_score = 0;
    m_current = 0;
    if (m_questions.isEmpty()) {
        m_current = -1;
        m_progress->setText(QStringLiteral("没有可以出题的成语。"));
        return;
    }
    showQuestion();
}

bool QuizWindow::asking() const
{
    return m_current >= 0 && m_current < m_questions.size() && !m_answered;
}

void QuizWindow::answer(int choice)
{
    if (asking() && choice >= 0 && choice < 4)
        settle(choice);
}

void QuizWindow::answerTyped()
{
    const QString typed = m_typed->text().simplified().remove(u' ');
    if (!asking() || typed.isEmpty())
        return;
    const QuizQuestion &question = m_questions[m_current];
    bool number = false;
    const int picked = typed.toInt(&number);
    if (number && picked >= 1 && picked <= 4)
        settle(picked - 1);
    else if (question.kind == QuizKind::FillBlank)
        settle(int(question.choices.indexOf(typed))); // -1 for characters that are no choice
}

void QuizWindow::settle(int choice)
{
    const QuizQuestion &question = m_questions[m_current];
    m_answered = true;
    const bool right = choice == question.answer;
    if (right)
        ++m_score;
    else
        m_wrong << m_current;
    for (int n = 0; n < 4; ++n) {
        m_choices[n]->setMark(n == question.answer ? ChoiceButton::Mark::Right
                              : n == choice       ? ChoiceButton::Mark::Wrong
                                                  : ChoiceButton::Mark::None);
    }
    m_verdict->setText(right ? QStringLiteral("答对了！")
                             : QStringLiteral("答错了，正确答案是 %1").arg(question.answer + 1));
    m_verdict->setStyleSheet(right ? QStringLiteral("color: #2e9d4f") : QStringLiteral("color: #d03a2f"));
    m_next->setText(m_current + 1 < m_questions.size() ? QStringLiteral("下一题") : QStringLiteral("看得分"));
    m_next->setEnabled(true);
    m_typed->setEnabled(false);
    // The idiom whole, with its pinyin, once answered.
    const QuizIndex::Entry *idiom = m_maker->index().entry(question.id);
    if (question.kind == QuizKind::FillBlank)
        m_idiomPrompt->setText(idiom->written);
    m_hint->setText(question.kind == QuizKind::GuessIdiom ? idiom->written + QStringLiteral("　") + idiom->pinyin
                                                          : idiom->pinyin);
    showProgress();
    setFocus();
}

void QuizWindow::next()
{
    if (m_current < 0 || m_current >= m_questions.size() || !m_answered)
        return;
    ++m_current;
    if (m_current < m_questions.size())
        showQuestion();
    else
        showScore();
}

void QuizWindow::pressEnter()
{
    if (m_current < 0 || m_current >= m_questions.size())
        start();
    else if (answered())
        next();
    else
        answerTyped();
}

void QuizWindow::showQuestion()
{
    showPage(true);
    const QuizQuestion &question = m_questions[m_current];
    m_answered = false;
    showProgress();
    const bool meaning = question.kind == QuizKind::GuessIdiom;
    m_meaningPrompt->setVisible(meaning);
    m_idiomPrompt->setVisible(!meaning);
    if (meaning)
        m_meaningPrompt->showText(question.prompt);
    else
        m_idiomPrompt->setText(question.prompt);
    m_hint->setText(question.hint);
    for (int n = 0; n < 4; ++n) {
        m_choices[n]->showChoice(QStringLiteral("%1  %2").arg(n + 1).arg(question.choices.value(n)));
        m_choices[n]->setMark(ChoiceButton::Mark::None);
    }
    const bool typing = question.kind == QuizKind::FillBlank;
    m_typedLabel->setVisible(typing);
    m_typed->setVisible(typing);
    m_typed->setEnabled(true);
    m_typed->clear();
    m_verdict->clear();
    m_next->setText(QStringLiteral("下一题"));
    m_next->setEnabled(false);
    setFocus();
}

void QuizWindow::showProgress()
{
    // The round's kind: the box may have been changed for the next round.
    const QString kind = QString::fromUtf8(kKindNames[int(m_questions[m_current].kind)]);
    m_progress->setText(QStringLiteral("%1    第 %2/%3 题    答对 %4")
                            .arg(kind)
                            .arg(m_current + 1)
                            .arg(m_questions.size())
                            .arg(m_score));
}

void QuizWindow::showScore()
{
    showPage(false);
    m_progress->setText(QStringLiteral("%1，%2 题")
                            .arg(QString::fromUtf8(kKindNames[int(m_questions.first().kind)]))
                            .arg(m_questions.size()));
    m_scoreLabel->setText(QStringLiteral("得分 %1/%2").arg(m_score).arg(m_questions.size()));
    QList<IdiomEntry> entries;
    for (const int place : std::as_const(m_wrong)) {
        const QuizIndex::Entry *entry = m_maker->index().entry(m_questions[place].id);
        entries.append({QStringLiteral("%1　%2　%3").arg(entry->written, entry->pinyin.simplified(), entry->meaning),
                        m_questions[place].id});
    }
    m_missedModel->setEntries(entries);
    m_missedLabel->setText(entries.isEmpty() ? QStringLiteral("全部答对了。按回车再来一轮。")
                                             : QStringLiteral("答错的成语（点击在主窗口显示；按回车再来一轮）："));
    m_missed->setVisible(!entries.isEmpty());
    m_addMissed->setVisible(!entries.isEmpty());
    m_addMissed->setEnabled(true);
    m_start->setText(QStringLiteral("再来一轮"));
    setFocus();
}

void QuizWindow::showPage(bool asking)
{
    const bool started = m_current >= 0 && m_current < m_questions.size();
    for (QWidget *control : std::initializer_list<QWidget *>{m_meaningPrompt, m_idiomPrompt, m_hint, m_typedLabel, m_typed,
                                                             m_verdict, m_next})
        control->setVisible(asking && started);
    for (ChoiceButton *choice : m_choices)
        choice->setVisible(asking && started);
    for (QWidget *control : std::initializer_list<QWidget *>{m_scoreLabel, m_missedLabel, m_missed, m_addMissed})
        control->setVisible(!asking);
    if (asking)
        m_start->setText(QStringLiteral("开始"));
}

void QuizWindow::addMissedToWordBook()
{
    QList<HistoryEntry> idioms;
    for (const int place : std::as_const(m_wrong)) {
        const int id = m_questions[place].id;
        if (!m_reader.inWordBook(id))
            idioms.append({id, m_maker->index().entry(id)->written});
    }
    m_addMissed->setEnabled(false);
    const int added = idioms.isEmpty() ? 0 : m_reader.addToWordBook(idioms);
    m_missedLabel->setText(QStringLiteral("已把 %1 个成语加入生词本。").arg(added));
    if (added > 0)
        emit wordBookChanged();
}
