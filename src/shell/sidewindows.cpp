#include "shell/sidewindows.h"
#include "shell/windowkeeper.h"

#include "chain/chainwindow.h"
#include "chain/gamewindow.h"
#include "lookup/historywindow.h"
#include "lookup/mainwindow.h"
#include "lookup/wordbookwindow.h"
#include "models/idiomlistmodel.h"
#include "review/quizwindow.h"
#include "review/reviewwindow.h"
#include "speech/readaloud.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/windowframe.h"

#include <QAbstractItemView>
#include <QAction>
#include <algorithm>

SideWindows::SideWindows(MainWindow *main, const Dictionary &dictionary, ChainIndexHolder &chains,
                         const Environment &environment, ReaderStore &reader, WindowKeeper &keeper)
    : QObject(main), m_main(main), m_dictionary(dictionary), m_chains(chains), m_environment(environment),
      m_reader(reader),
      m_keeper(keeper)
{
}

QWidget *SideWindows::window(Kind kind) const
{
    // A closed window lingers until it is deleted; it counts as gone.
    QWidget *window = m_windows[kind];
    return window && window->isVisible() ? window : nullptr;
}

void SideWindows::open(Kind kind)
{
    QWidget *window = this->window(kind);
    if (!window) {
        // Closed, a window goes with what it showed; the next is made anew.
        window = m_windows[kind] = make(kind);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (m_readAloud) {
            auto *readAloud = new QAction(window);
            readAloud->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
            connect(readAloud, &QAction::triggered, this, [this, window] { readChosen(window); });
            window->addAction(readAloud);
        }
        m_keeper.keep(window);
    }
    bringBack(window);
}

QWidget *SideWindows::make(Kind kind)
{
    switch (kind) {
    case Chain: {
        auto *chain = new ChainWindow(m_chains, m_environment, m_main);
        connect(chain, &ChainWindow::linkOpened, m_main, &MainWindow::showIdiom);
        return chain;
    }
    case Game: {
        auto *game = new GameWindow(m_dictionary, m_chains, m_environment, m_main);
        game->setReaderStore(&m_reader);
        // The rule and level are kept between windows and starts.
        game->showChoice(m_keeper.choice(QStringLiteral("game/rule")).toString(),
                         m_keeper.choice(QStringLiteral("game/level")).toString());
        connect(game, &GameWindow::choiceChanged, this, [this](const QString &rule, const QString &level) {
            m_keeper.keepChoice(QStringLiteral("game/rule"), rule);
            m_keeper.keepChoice(QStringLiteral("game/level"), level);
        });
        return game;
    }
    case History: {
        auto *history = new HistoryWindow(m_environment, m_reader, m_main);
        connect(history, &HistoryWindow::idiomChosen, m_main, &MainWindow::showIdiom);
        connect(m_main, &MainWindow::historyChanged, history, &HistoryWindow::refresh);
        return history;
    }
    case WordBook: {
        auto *book = new WordBookWindow(m_dictionary, m_environment, m_reader, m_main);
        connect(book, &WordBookWindow::idiomChosen, m_main, &MainWindow::showIdiom);
        connect(book, &WordBookWindow::changed, m_main, &MainWindow::showWordBookState);
        connect(m_main, &MainWindow::wordBookChanged, book, &WordBookWindow::refresh);
        return book;
    }
    case Review: {
        auto *review = new ReviewWindow(m_dictionary, m_environment, m_reader, m_main);
        // The limit of new idioms a day is kept with the other choices.
        bool number = false;
        const int kept = m_keeper.choice(QStringLiteral("review/newPerDay"), ReviewWindow::kDefaultNewPerDay)
                             .toInt(&number);
        review->setNewPerDay(number && kept >= 0 ? kept : ReviewWindow::kDefaultNewPerDay);
        connect(review, &ReviewWindow::newPerDayChanged, this,
                [this](int count) { m_keeper.keepChoice(QStringLiteral("review/newPerDay"), count); });
        connect(review, &ReviewWindow::idiomChosen, m_main, &MainWindow::showIdiom);
        connect(m_main, &MainWindow::wordBookChanged, review, &ReviewWindow::refresh);
        // The word book's window reads the word book again as it is activated.
        connect(review, &ReviewWindow::wordBookChanged, m_main, &MainWindow::showWordBookState);
        return review;
    }
    case Quiz: {
        auto *quiz = new QuizWindow(m_dictionary, m_environment, m_reader, m_main);
        // The kind and the source are kept between windows.
        bool number = false;
        const int kind = m_keeper.choice(QStringLiteral("quiz/kind"), 0).toInt(&number);
        quiz->setKind(number && kind >= 0 && kind <= 2 ? QuizKind(kind) : QuizKind::GuessIdiom);
        const int source = m_keeper.choice(QStringLiteral("quiz/source"), 0).toInt(&number);
        quiz->setSource(number && source >= 0 && source <= 2 ? QuizWindow::Source(source) : QuizWindow::Source::WordBook);
        connect(quiz, &QuizWindow::choiceChanged, this, [this, quiz] {
            m_keeper.keepChoice(QStringLiteral("quiz/kind"), int(quiz->kind()));
            m_keeper.keepChoice(QStringLiteral("quiz/source"), int(quiz->source()));
        });
        connect(quiz, &QuizWindow::idiomChosen, m_main, &MainWindow::showIdiom);
        connect(quiz, &QuizWindow::wordBookChanged, m_main, &MainWindow::showWordBookState);
        return quiz;
    }
    case KindCount:
        break;
    }
    return nullptr;
}

void SideWindows::readChosen(QWidget *window)
{
    QList<QAbstractItemView *> lists = window->findChildren<QAbstractItemView *>();
    std::stable_partition(lists.begin(), lists.end(), [](const QAbstractItemView *list) { return list->hasFocus(); });
    for (const QAbstractItemView *list : std::as_const(lists)) {
        const QModelIndex current = list->currentIndex().siblingAtColumn(0);
        const QString text = current.data().toString();
        if (!current.isValid() || text.isEmpty())
            continue;
        // The lists keep an idiom's id beside its text, but for a first
        // link of a chain, which is looked up as written.
        Idiom idiom;
        idiom.id = current.data(IdiomListModel::IdRole).toInt();
        idiom.text = text;
        try {
            if (m_dictionary.store && idiom.id <= 0) {
                const QList<IdiomEntry> found = m_dictionary.store->writtenAs(text);
                idiom.id = found.isEmpty() ? 0 : found.first().id;
            }
            if (m_dictionary.store && idiom.id > 0)
                idiom = m_dictionary.store->idiom(idiom.id);
        } catch (const StoreError &) {
            // Read from its characters.
        }
        // Found to have no voice by this press, the main window says why.
        const bool knownMute = m_readAloud->lacksVoice();
        if (!m_readAloud->read(idiom.text, idiom.pinyin) && knownMute)
            m_environment.notice(window, m_readAloud->missingVoice());
        return;
    }
}
