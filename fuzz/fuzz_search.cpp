// Any text typed into the search box, or as the first link of a chain, is
// searched without a failure: every stage of the search, the text folding
// and the pinyin reading among them, lists only idioms of the data file, each
// under its own text; the chain index lists only idioms too, by every rule.
#include "chain/game/chainindex.h"
#include "import/idiomimport.h"
#include "store/idiomsearch.h"
#include "store/idiomstore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// A data file of the sample idioms, imported once for the whole run (a small
// file keeps the full scans of the later stages quick), and the text of each
// of its idioms by id.
struct Data
{
    const IdiomStore &store;
    const ChainIndex &chains;
    const IdiomSearch &search;
    QStringList idioms; // index: id
};

const Data &data()
{
    static int argc = 1;
    static char name[] = "fuzz_search";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir folder;
    static const IdiomStore opened = [] {
        const QString file = folder.filePath(QStringLiteral("cy.dat"));
        importIdioms(QStringLiteral(VURA_SAMPLE_CSV), file);
        return IdiomStore(file);
    }();
    static const ChainIndex chains(opened);
    static const IdiomSearch search(opened);
    static const Data data = [] {
        QStringList idioms(opened.count() + 1);
        for (int id = 1; id < idioms.size(); ++id)
            idioms[id] = opened.idiom(id).text;
        return Data{opened, chains, search, idioms};
    }();
    return data;
}

bool listsIdioms(const QList<IdiomEntry> &entries)
{
    const QStringList &idioms = data().idioms;
    for (const IdiomEntry &entry : entries) {
        if (entry.id < 1 || entry.id >= idioms.size() || idioms.at(entry.id) != entry.text)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const IdiomStore &store = data().store;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(bytes), qsizetype(size));
    const SearchResult found = data().search.find(text);
    if ((found.stage == SearchResult::Nothing) != found.entries.isEmpty() || !listsIdioms(found.entries))
        std::abort();
    const ChainIndex &chains = data().chains;
    for (const ChainRule rule : {ChainRule::SameCharacter, ChainRule::SameSound, ChainRule::SameTone}) {
        QList<IdiomEntry> followers;
        for (const int link : chains.followersOf(text, rule))
            followers.append({chains.text(link), chains.id(link)});
        if (!listsIdioms(followers))
            std::abort();
    }
    return 0;
}
