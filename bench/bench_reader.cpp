// The reader's store: recording an idiom shown in the history, and exporting
// 1,000 word-book entries as flashcards, each beside reading the same idioms
// from the dictionary in the same run. Writes a store in a temporary folder.
#include "benchtiming.h"

#include "reader/readerstore.h"
#include "reader/wordbookfile.h"
#include "store/datafile.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const IdiomStore dictionary = IdiomStore::inMemory(carriedDataFile(), QStringLiteral("cy.dat"));
    ReaderStore reader(folder.path());
    const int count = dictionary.count();

    int id = 0;
    const double read = msPerRun([&] { dictionary.idiom(++id % count + 1); }, 2000);
    id = 0;
    const double recorded = msPerRun([&] { ++id; reader.recordShown(id % count + 1, QStringLiteral("成语")); }, 2000);
    std::printf("history: recording an idiom shown %.3f ms (budget 1 ms); reading one idiom from the dictionary %.3f ms\n",
                recorded, read);

    QList<HistoryEntry> book;
    for (int n = 1; n <= 1000; ++n)
        book.append({n * 7 % count + 1, QStringLiteral("成语%1").arg(n)});
    reader.addToWordBook(book);
    const double readOnly = msPerRun([&] {
        for (const WordBookEntry &entry : reader.wordBook())
            dictionary.idiom(entry.id);
    }, 10);
    const double exported = msPerRun([&] {
        QList<FlashcardFields> cards;
        for (const WordBookEntry &entry : reader.wordBook()) {
            const Idiom idiom = dictionary.idiom(entry.id);
            cards.append({idiom.text, idiom.pinyin, idiom.meaning, idiom.source, idiom.example});
        }
        flashcardTable(cards);
    }, 10);
    std::printf("export: 1,000 word-book entries as flashcards %.2f ms (budget 100 ms); "
                "reading them from the store and dictionary alone %.2f ms\n", exported, readOnly);
    return 0;
}
