// Times the review window (复习) on the data this build carries, with a
// reader's file of 5,000 word-book idioms and 20,000 reviews of them over
// the last 60 days, on whatever Qt platform it runs on
// (QT_QPA_PLATFORM=offscreen for a machine without a screen): opening the
// window (the word book and the reviews read, the schedule computed again,
// the first idiom, the counts and the chart shown), and grading an idiom and
// showing the next. Beside them, the yardstick: a bare side window of the
// same size with a label, opened and shown the same way.
#include "benchtiming.h"
#include "reader/readerstore.h"
#include "review/reviewwindow.h"
#include "review/schedule/fsrs.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/windowframe.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>
#include <random>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vura-bench"));
    registerFontSubstitutions();
    QTemporaryDir dir;
    const Dictionary dictionary = openDictionary(dir.path());
    const Environment environment{[](QWidget *, QMessageBox::Icon, const QString &, const QString &text) {
                                      std::printf("notice: %s\n", qPrintable(text));
                                  },
                                  {},
                                  {}};
    constexpr int kIdioms = 5000, kReviews = 20000;
    const QDateTime now = QDateTime::currentDateTime();
    {
        // 5,000 idioms, each reviewed four times over the last 60 days, as
        // the schedule would have had it.
        ReaderStore reader(dir.path());
        QList<HistoryEntry> book;
        for (int id = 1; id <= kIdioms; ++id)
            book.append({id, dictionary.store->idiom(id).text});
        reader.addToWordBook(book);
        const Fsrs::Scheduler scheduler;
        std::mt19937 random(1);
        const qint64 start = now.toSecsSinceEpoch() - 60 * Fsrs::kDay;
        for (int id = 1; id <= kIdioms; ++id) {
            Fsrs::Card card;
            qint64 at = start + std::uniform_int_distribution<qint64>(0, 20 * Fsrs::kDay)(random);
            for (int n = 0; n < kReviews / kIdioms; ++n) {
                const int grade = std::uniform_int_distribution<int>(1, 4)(random);
                card = scheduler.review(card, Fsrs::Grade(grade), at);
                reader.recordReview({id, at, grade, int(card.phase), card.stability, card.difficulty, card.due});
                at = std::max<qint64>(card.due, at + 60);
            }
        }
        std::printf("reader's file: %lld idioms in the word book, %lld reviews\n", qint64(reader.wordBook().size()),
                    qint64(reader.reviews().size()));
    }
    ReaderStore reader(dir.path());

    std::vector<double> bare, opening;
    for (int run = 0; run < 5; ++run) {
        bare.push_back(msPerRun([&] {
            auto *window = new QWidget(nullptr, kFixedSizeWindow);
            setUpSideWindow(window, QStringLiteral("复习"), QSize(480, 420));
            (new QLabel(QStringLiteral("每日一成语"), window))->setGeometry(10, 8, 460, 20);
            window->show();
            QApplication::processEvents();
            delete window;
        }));
        opening.push_back(msPerRun([&] {
            auto *window = new ReviewWindow(dictionary, environment, reader, nullptr, [&] { return now; });
            window->show();
            QApplication::processEvents();
            delete window;
        }));
    }
    std::printf("open the window, shown:         median %7.2f ms   yardstick: a bare side window %7.2f ms\n",
                median(opening), median(bare));

    auto *window = new ReviewWindow(dictionary, environment, reader, nullptr, [&] { return now; });
    window->show();
    QApplication::processEvents();
    std::printf("due today %d, new today %d, learned %d\n", window->plan().dueToday(), window->plan().newToday(),
                window->plan().learned());
    std::vector<double> grading;
    for (int n = 0; n < 200 && window->currentId(); ++n) {
        window->showAnswer();
        QApplication::processEvents();
        grading.push_back(msPerRun([&] {
            window->grade(1 + n % 4);
            QApplication::processEvents();
        }));
    }
    std::printf("grade and show the next (%zu): median %7.3f ms, worst %7.3f ms\n", grading.size(), median(grading),
                grading.empty() ? 0.0 : *std::max_element(grading.begin(), grading.end()));
    delete window;
    return 0;
}
