// Quiz-making on the tests' small data set and, when the build was given it,
// on the full one: the wrong choices of each kind (never the answer, never
// an idiom written as it is, four distinct), the meanings masked, the blanks'
// same-sound rivals, and rounds repeated by their seed and filled past a
// small source.
#include "testdata.h"

#include "review/quiz/meaningmask.h"
#include "review/quiz/quizmaker.h"
#include "store/idiomstore.h"

#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(QuizKind)

namespace {

// Every piece of two characters of `idiom` that `text` holds.
QStringList quotedPieces(const QString &text, const QString &idiom)
{
    QStringList pieces;
    const QList<uint> characters = idiom.toUcs4();
    for (qsizetype at = 0; at + 1 < characters.size(); ++at) {
        const QString piece = QString::fromUcs4(reinterpret_cast<const char32_t *>(&characters[at]), 2);
        if (text.contains(piece))
            pieces << piece;
    }
    return pieces;
}

// How many of the characters of `answer`, each once, `other` holds.
size_t sharedCharacters(std::u32string answer, const std::u32string &other)
{
    std::sort(answer.begin(), answer.end());
    answer.erase(std::unique(answer.begin(), answer.end()), answer.end());
    return size_t(std::count_if(answer.begin(), answer.end(),
                                [&](char32_t c) { return other.find(c) != std::u32string::npos; }));
}

// What is wrong with `question` of idiom `id`: the answer twice, choices
// alike, an idiom written as the answer or a form of it, a meaning the same
// as its meaning, a blank filled into an idiom. Empty when nothing is.
QString faultOf(const QuizMaker &maker, const QuizQuestion &question, int id)
{
    const QuizIndex &index = maker.index();
    const QuizIndex::Entry *entry = index.entry(id);
    if (question.id != id || question.choices.size() != 4 || question.choiceIds.size() != 4)
        return QStringLiteral("not four choices");
    if (QSet<QString>(question.choices.begin(), question.choices.end()).size() != 4)
        return QStringLiteral("choices alike: ") + question.choices.join(u'|');
    for (int n = 0; n < 4; ++n) {
        const QString choice = question.choices[n];
        const bool right = n == question.answer;
        switch (question.kind) {
        case QuizKind::GuessIdiom:
        case QuizKind::ChooseMeaning: {
            const QuizIndex::Entry *other = index.entry(question.choiceIds[n]);
            if (right != (question.choiceIds[n] == id))
                return QStringLiteral("the answer is not where it is said to be");
            if (!right && other->written == entry->written)
                return QStringLiteral("written as the answer: ") + other->written;
            if (!right && other->meaning == entry->meaning)
                return QStringLiteral("the answer's meaning: ") + other->written;
            if (!right && entry->text.size() >= 4 && sharedCharacters(entry->text, other->text) >= entry->text.size() - 1)
                return QStringLiteral("a form of the answer: ") + other->written;
            if (question.kind == QuizKind::GuessIdiom && choice != other->written)
                return QStringLiteral("a choice is not its idiom");
            break;
        }
        case QuizKind::FillBlank: {
            QList<uint> filled = entry->written.toUcs4();
            const QList<uint> put = choice.toUcs4();
            if (put.size() != question.blanks.size())
                return QStringLiteral("a choice does not fill the blanks: ") + choice;
            for (qsizetype b = 0; b < put.size(); ++b)
                filled[question.blanks[b]] = put[b];
            const QString text = QString::fromUcs4(reinterpret_cast<const char32_t *>(filled.constData()), filled.size());
            if (right != (text == entry->written))
                return QStringLiteral("filled wrongly: ") + text;
            if (!right && !index.ids().empty() && index.isIdiom(std::u32string(filled.begin(), filled.end())))
                return QStringLiteral("a wrong choice makes an idiom: ") + text;
            break;
        }
        }
    }
    if (question.kind == QuizKind::GuessIdiom && !quotedPieces(question.prompt, entry->written).isEmpty())
        return QStringLiteral("the meaning quotes the idiom: ") + question.prompt;
    return {};
}

} // namespace

class QuizTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void maskedMeanings_data();
    void maskedMeanings();
    void everyMeaningMasked();
    void wrongChoices_data();
    void wrongChoices();
    void sameSoundMisspellings_data();
    void sameSoundMisspellings();
    void rounds_data();
    void rounds();

private:
    // The small data set, 一心一意, 杞人忧天, 人山人海, 手到擒来 and 自相矛盾 common.
    const QuizMaker &small() const { return *m_small; }
    // The full data set; null in a build without it.
    const QuizMaker *full();

    QTemporaryDir m_dir;
    std::unique_ptr<IdiomStore> m_smallStore, m_fullStore;
    std::unique_ptr<QuizMaker> m_small, m_full;
};

void QuizTest::initTestCase()
{
    const QString file = TestData::writeDataFile(m_dir.path());
    TestData::execute(file, "INSERT INTO common VALUES (12, 900, 1), (8, 50, 2), (9, 40, 3), (11, 30, 4), (16, 20, 5)");
    m_smallStore = std::make_unique<IdiomStore>(file);
    m_small = std::make_unique<QuizMaker>(*m_smallStore);
}

const QuizMaker *QuizTest::full()
{
#ifdef VURA_FULL_DATA_CSV
    if (!m_full) {
        m_fullStore = std::make_unique<IdiomStore>(QStringLiteral(VURA_DATA_FILE));
        m_full = std::make_unique<QuizMaker>(*m_fullStore);
    }
#endif
    return m_full.get();
}

void QuizTest::maskedMeanings_data()
{
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<QString>("idiom");
    QTest::addColumn<QString>("masked");

    QTest::newRow("～") << "形容～的样子。" << "迫不及待" << "形容＿＿＿＿的样子。";
    QTest::newRow("quoted whole") << "后用“迫不及待”形容急切。" << "迫不及待" << "后用“＿＿＿＿”形容急切。";
    QTest::newRow("half quoted") << "即“驷马难追”。" << "一言既出，驷马难追" << "即“＿＿＿＿”。";
    QTest::newRow("glosses") << "迫：紧急；及：到。" << "迫不及待" << "＿：紧急；＿：到。";
    QTest::newRow("other characters stay") << "急迫得不能再等待。" << "迫不及待" << "急迫得不能再等待。";
    QTest::newRow("runs meeting") << "不及待迫不" << "迫不及待" << "＿＿＿＿＿";
    QTest::newRow("outside the basic plane") << "𠮷人有𠮷人天相" << "𠮷人天相" << "＿＿有＿＿＿＿";
    QTest::newRow("nothing quoted") << "心思专一。" << "一心一意" << "心思专一。";
}

void QuizTest::maskedMeanings()
{
    QFETCH(QString, meaning);
    QFETCH(QString, idiom);
    QFETCH(QString, masked);
    QCOMPARE(maskedMeaning(meaning, idiom), masked);
}

// No meaning of the full data set, masked, quotes two characters of its idiom.
void QuizTest::everyMeaningMasked()
{
    const QuizMaker *maker = full();
    if (!maker)
        QSKIP("this build was not given the full idiom data set");
    int quoting = 0;
    for (const int id : maker->index().ids()) {
        const QuizIndex::Entry *entry = maker->index().entry(id);
        const QString masked = maskedMeaning(entry->meaning, entry->written);
        QVERIFY2(quotedPieces(masked, entry->written).isEmpty(), qPrintable(entry->written + u' ' + masked));
        quoting += masked != entry->meaning;
    }
    QVERIFY2(quoting > 1000, qPrintable(QString::number(quoting))); // the masking has work to do
}

void QuizTest::wrongChoices_data()
{
    QTest::addColumn<QuizKind>("kind");
    QTest::addColumn<bool>("fullData");

    for (const bool fullData : {false, true}) {
        const char *data = fullData ? "full data" : "small data";
        QTest::addRow("看释义猜成语, %s", data) << QuizKind::GuessIdiom << fullData;
        QTest::addRow("填空, %s", data) << QuizKind::FillBlank << fullData;
        QTest::addRow("看成语选释义, %s", data) << QuizKind::ChooseMeaning << fullData;
    }
}

// Each idiom written as another is (难兄难弟 twice in the small set), asked
// with many seeds, and a sample of the others: four choices, the answer once.
void QuizTest::wrongChoices()
{
    QFETCH(QuizKind, kind);
    QFETCH(bool, fullData);
    const QuizMaker *maker = fullData ? full() : &small();
    if (!maker)
        QSKIP("this build was not given the full idiom data set");
    const QuizIndex &index = maker->index();
    QHash<QString, QList<int>> written;
    for (const int id : index.ids())
        written[index.entry(id)->written] << id;
    QList<int> asked;
    for (const QList<int> &ids : std::as_const(written)) {
        if (ids.size() > 1)
            asked << ids;
    }
    QVERIFY(asked.size() >= 2);
    if (fullData) {
        QVERIFY2(asked.size() >= 10, qPrintable(QString::number(asked.size())));
        for (size_t n = 0; n < index.ids().size(); n += 37)
            asked << index.ids()[n];
    } else {
        asked = QList<int>(index.ids().begin(), index.ids().end());
    }
    int questions = 0;
    for (const int id : std::as_const(asked)) {
        for (quint32 seed = 1; seed <= (fullData ? 3u : 20u); ++seed) {
            std::mt19937 random(seed);
            const QuizQuestion question = maker->question(kind, id, random);
            if (!question.id)
                continue; // an idiom that does not suit the kind
            ++questions;
            const QString fault = faultOf(*maker, question, id);
            QVERIFY2(fault.isEmpty(), qPrintable(index.entry(id)->written + u' ' + fault));
        }
    }
    QVERIFY(questions > asked.size());
}

void QuizTest::sameSoundMisspellings_data()
{
    QTest::addColumn<QString>("idiom");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("misspelt");
    // Whether it is the likeliest misspelling of the idiom, so that 填空 blanks its place.
    QTest::addColumn<bool>("blanked");

    QTest::newRow("迫不急待") << "迫不及待" << 2 << "急" << true;
    QTest::newRow("一愁莫展") << "一筹莫展" << 1 << "愁" << false;
    QTest::newRow("穿流不息") << "川流不息" << 0 << "穿" << false;
    QTest::newRow("谈笑风声") << "谈笑风生" << 3 << "声" << false;
    QTest::newRow("默守成规") << "墨守成规" << 0 << "默" << true;
    QTest::newRow("一如继往") << "一如既往" << 2 << "继" << false;
    QTest::newRow("走头无路") << "走投无路" << 1 << "头" << false;
    QTest::newRow("振耳欲聋") << "震耳欲聋" << 0 << "振" << true;
    QTest::newRow("迫在眉捷") << "迫在眉睫" << 3 << "捷" << false;
    QTest::newRow("不径而走") << "不胫而走" << 1 << "径" << true;
}

// The blank of a misspelt character is offered the misspelling; the right
// character is among the choices once, and 填空 blanks the place of the
// likeliest misspelling.
void QuizTest::sameSoundMisspellings()
{
    QFETCH(QString, idiom);
    QFETCH(int, place);
    QFETCH(QString, misspelt);
    QFETCH(bool, blanked);
    const QuizMaker *maker = full();
    if (!maker)
        QSKIP("this build was not given the full idiom data set");
    const QList<IdiomEntry> found = m_fullStore->writtenAs(idiom);
    QCOMPARE(found.size(), 1);
    const int id = found.first().id;
    const std::vector<QuizMaker::SameSound> rivals = maker->sameSound(id, place);
    QVERIFY(!rivals.empty());
    QCOMPARE(QString::fromUcs4(&rivals.front().character, 1), misspelt);
    for (quint32 seed = 1; seed <= 5; ++seed) {
        std::mt19937 random(seed);
        const QuizQuestion blank = maker->fillBlank(id, {place}, random);
        QVERIFY(faultOf(*maker, blank, id).isEmpty());
        QCOMPARE(blank.choices.count(idiom.mid(place, 1)), 1);
        QVERIFY2(blank.choices.contains(misspelt), qPrintable(blank.choices.join(u'|')));
        const QuizQuestion asked = maker->question(QuizKind::FillBlank, id, random);
        QVERIFY(!blanked || asked.blanks.contains(place));
    }
}

void QuizTest::rounds_data()
{
    QTest::addColumn<QuizKind>("kind");
    QTest::addColumn<QList<int>>("source");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QStringList>("sourceTexts"); // those of the source asked

    QTest::newRow("看释义猜成语, three idioms filled")
        << QuizKind::GuessIdiom << QList<int>{1, 6, 7} << 6 << 6 << QStringList{"爱不释手", "难兄难弟"};
    QTest::newRow("填空, two idioms filled") << QuizKind::FillBlank << QList<int>{2, 10} << 7 << 7
                                             << QStringList{"爱屋及乌", "人人自危"};
    QTest::newRow("看成语选释义, an empty source") << QuizKind::ChooseMeaning << QList<int>{} << 4 << 4 << QStringList{};
    // 一言既出，驷马难追 has no meaning; there is no idiom 99.
    QTest::newRow("看成语选释义, what does not suit left out")
        << QuizKind::ChooseMeaning << QList<int>{14, 99} << 3 << 3 << QStringList{};
    // The round ends where the common idioms do.
    QTest::newRow("填空, more than the common idioms") << QuizKind::FillBlank << QList<int>{3} << 10 << 6
                                                       << QStringList{"八九不离十"};
}

// A round asks its source's idioms, then common ones, never a text twice,
// and the same seed makes the same round.
void QuizTest::rounds()
{
    QFETCH(QuizKind, kind);
    QFETCH(QList<int>, source);
    QFETCH(int, size);
    QFETCH(int, expected);
    QFETCH(QStringList, sourceTexts);
    const QuizIndex &index = small().index();
    const QList<QuizQuestion> round = small().round(kind, source, 7, size);
    QCOMPARE(round.size(), expected);
    QStringList texts;
    for (const QuizQuestion &question : round) {
        QVERIFY(faultOf(small(), question, question.id).isEmpty());
        const QString text = index.entry(question.id)->written;
        QVERIFY2(!texts.contains(text), qPrintable(text));
        texts << text;
        const auto &common = index.common();
        QVERIFY(source.contains(question.id) || std::find(common.begin(), common.end(), question.id) != common.end());
    }
    for (const QString &text : sourceTexts)
        QVERIFY2(texts.contains(text), qPrintable(text));
    const QList<QuizQuestion> again = small().round(kind, source, 7, size);
    QCOMPARE(again.size(), round.size());
    for (qsizetype n = 0; n < round.size(); ++n) {
        QCOMPARE(again[n].id, round[n].id);
        QCOMPARE(again[n].choices, round[n].choices);
        QCOMPARE(again[n].blanks, round[n].blanks);
    }
}

QTEST_GUILESS_MAIN(QuizTest)
#include "tst_quiz.moc"
