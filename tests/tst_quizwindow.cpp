// The quiz window on the tests' small data set, a round of ten played from
// the keyboard alone: 1 to 4, or the characters typed, and Enter; then the
// score, the idioms missed, and 加入生词本. The questions themselves are
// tst_quiz's.
#include "windowharness.h"

#include "reader/readerstore.h"
#include "review/choicebutton.h"
#include "review/quizwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QSignalSpy>

Q_DECLARE_METATYPE(QuizKind)

class QuizWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void roundFromTheKeyboard_data();
    void roundFromTheKeyboard();

private:
    WindowTestEnvironment m_environment;
};

void QuizWindowTest::roundFromTheKeyboard_data()
{
    QTest::addColumn<QuizKind>("kind");
    QTest::addColumn<bool>("typed"); // the right answers typed rather than chosen by number

    QTest::newRow("看释义猜成语, 1 to 4") << QuizKind::GuessIdiom << false;
    QTest::newRow("填空, typed") << QuizKind::FillBlank << true;
}

// Thirteen idioms in the history: seven questions answered right, three
// wrong, the three missed put into the word book.
void QuizWindowTest::roundFromTheKeyboard()
{
    QFETCH(QuizKind, kind);
    QFETCH(bool, typed);
    TestWorld t(WindowData::Small, [](const QString &file) {
        TestData::execute(file, "INSERT INTO common VALUES (12, 900, 1), (8, 50, 2)");
    });
    QTemporaryDir readerFolder;
    ReaderStore reader(readerFolder.path());
    for (int id = 1; id <= 13; ++id)
        reader.recordShown(id, kSmallIdioms[id - 1]);
    QuizWindow w(t.dictionary(), t.environment, reader, nullptr, [] { return 7u; });
    w.setKind(kind);
    w.setSource(QuizWindow::Source::History);
    w.show();
    QApplication::setActiveWindow(&w);
    QSignalSpy chosen(&w, &QuizWindow::idiomChosen);
    QSignalSpy changed(&w, &QuizWindow::wordBookChanged);

    QTest::keyClick(&w, Qt::Key_Return); // 开始
    QCOMPARE(w.questions().size(), 10);
    auto *typedField = control<QLineEdit>(w, "typedField");
    QCOMPARE(typedField->isVisible(), kind == QuizKind::FillBlank);
    QList<int> missed;
    for (int n = 0; n < 10; ++n) {
        QCOMPARE(w.current(), n);
        QVERIFY(control<QLabel>(w, "progress")->text().endsWith(QStringLiteral("第 %1/10 题    答对 %2").arg(n + 1).arg(std::min(n, 7))));
        const QuizQuestion &question = w.questions()[n];
        QTest::keyClick(&w, Qt::Key_Return); // nothing before an answer
        QVERIFY(!w.answered());
        if (n >= 7) {
            missed << question.id;
            QTest::keyClick(&w, Qt::Key(Qt::Key_1 + (question.answer + 1) % 4));
        } else if (typed) {
            // Chinese comes from the input method, committed.
            typedField->setFocus();
            QInputMethodEvent committed;
            committed.setCommitString(question.rightChoice());
            QApplication::sendEvent(typedField, &committed);
            QTest::keyClick(typedField, Qt::Key_Return);
        } else {
            QTest::keyClick(&w, Qt::Key(Qt::Key_1 + question.answer));
        }
        QVERIFY(w.answered());
        QCOMPARE(control<ChoiceButton>(w, qPrintable(QStringLiteral("choiceButton%1").arg(question.answer + 1)))->mark(),
                 ChoiceButton::Mark::Right);
        QTest::keyClick(&w, Qt::Key_3); // a second answer counts for nothing
        QVERIFY(control<QLabel>(w, "hint")->text().contains(t.dictionary().store->idiom(question.id).pinyin));
        QTest::keyClick(&w, Qt::Key_Return); // 下一题
    }
    QCOMPARE(w.score(), 7);
    QCOMPARE(control<QLabel>(w, "score")->text(), QStringLiteral("得分 7/10"));
    QCOMPARE(w.missed(), missed);
    auto *missedList = control<ListView>(w, "missedList");
    QCOMPARE(listedIds(missedList), missed);
    clickEntry(missedList, 1);
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toInt(), missed[1]);

    click(control<QPushButton>(w, "addMissedButton"));
    QCOMPARE(changed.size(), 1);
    QList<int> book;
    for (const WordBookEntry &entry : reader.wordBook())
        book << entry.id;
    std::sort(book.begin(), book.end());
    std::sort(missed.begin(), missed.end());
    QCOMPARE(book, missed);

    QTest::keyClick(&w, Qt::Key_Return); // another round
    QCOMPARE(w.current(), 0);
    QCOMPARE(w.score(), 0);
}

QTEST_MAIN(QuizWindowTest)
#include "tst_quizwindow.moc"
