// Times the idiom store on the data file this build carries: the first
// start, a later start's check of cy.dat, a later open and count, the
// search, the chain's candidates and the card's look-up by id.
#include "benchtiming.h"
#include "store/datafile.h"
#include "store/idiomsearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int runs = 20;

    double firstStart = 0;
    int count = 0;
    for (int run = 0; run < runs; ++run) {
        const QString folder = dir.filePath(QString::number(run));
        QDir().mkpath(folder);
        firstStart += msPerRun([&] {
            provisionDataFile(folder);
            count = openIdiomStore(folder).count();
        });
    }
    std::printf("first start: write cy.dat + open + count %d idioms   %8.2f ms\n", count, firstStart / runs);

    const QString folder = dir.filePath(QStringLiteral("0"));
    const double warm = msPerRun([&] { openIdiomStore(folder).count(); }, runs);
    std::printf("later start: open + count                          %8.2f ms\n", warm);
    // What every later start adds: the header read that finds cy.dat is the
    // data this version carries.
    const double check = msPerRun([&] { provisionDataFile(folder); }, runs * 10);
    std::printf("later start: cy.dat found current                  %8.3f ms\n", check);

    const IdiomStore store = openIdiomStore(folder);
    // The mean time of `runs` calls of `entries`, and how many it lists.
    const auto timed = [&](const char *what, const QString &text, const auto &entries) {
        qsizetype rows = 0;
        const double ms = msPerRun([&] { rows = entries(text).size(); }, runs);
        std::printf("%s \"%s\": %5lld idioms                  %8.3f ms\n", what, qPrintable(text), qlonglong(rows), ms);
    };
    for (const QString &text : {QStringLiteral("%"), QStringLiteral("一"), QStringLiteral("ab")})
        timed("search, four look-ups,", text, [&](const QString &t) { return store.search(t); });
    for (const QString &link : {QStringLiteral("%"), QStringLiteral("不"), QStringLiteral("安然无恙")})
        timed("followers of", link, [&](const QString &t) { return store.followers(t); });

    // What the search reads once when it is made: the index of every idiom.
    const double indexMs = msPerRun([&] { IdiomSearch{store}; }, runs);
    std::printf("the search made: its index read                   %8.2f ms\n", indexMs);
    const double commonMs = msPerRun([&] { store.commonIdiomsById(); }, runs);
    std::printf("  of which the common idioms' ranks                %8.2f ms\n", commonMs);

    // The stages after the look-ups, each on a store of its own, the first
    // run as an owner that makes the search on its first need runs it: the
    // stages that read no index, then, when they find nothing, the search
    // made and the others.
    const struct
    {
        const char *text;
        const char *stage;
    } stages[] = {
        {"愛不釋手", "the text made plain"},
        {"“卧薪尝胆”的意思", "punctuation and question words"},
        {"臥薪嘗膽", "variants the idioms do not use"},
        {"yixinyiyi", "full pinyin"},
        {"迫不急待", "sounds alike"},
        {"如火如茶", "looks alike"},
        {"鬼鬼崇崇", "looks alike, repeated"},
        {"草管人名", "looks alike and sounds alike"},
        {"脑马识途", "near sounds"},
        {"按耐不住", "near sounds, ai for a"},
        {"薪尝胆", "a piece of an idiom"},
        {"舍不得放手", "meaning, source, example"},
        {"自己骗自己", "words of the meaning"},
        {"形容人多", "words of the meaning, common first"},
        {"比喻多余的行动反而坏事", "words of the meaning, a long phrase"},
        {"一个人不知道自己有多大本事却说要去做天下大事", "every stage, nothing found, common characters"},
        {"qqqqqq", "every stage, nothing found"},
        {"不是成语12345", "every stage, nothing found"},
        {"甲乙丙丁", "every stage, nothing found"},
        {"乾著鍾乾著鍾乾", "every stage, sixteen plain forms"},
    };
    for (const auto &stage : stages) {
        const IdiomStore fresh = openIdiomStore(folder);
        const QString text = QString::fromUtf8(stage.text);
        qsizetype rows = 0;
        std::optional<IdiomSearch> search;
        const double firstMs = msPerRun([&] {
            SearchResult found = IdiomSearch::lookUp(fresh, text);
            if (found.stage == SearchResult::Nothing)
                found = search.emplace(fresh).findMeant(text);
            rows = found.entries.size();
        });
        if (!search)
            search.emplace(fresh);
        const double laterMs = msPerRun([&] { search->find(text); }, runs);
        std::printf("find \"%s\" (%s): %lld idioms, first %7.3f ms, then %7.3f ms\n", stage.text, stage.stage,
                    qlonglong(rows), firstMs, laterMs);
    }

    std::printf("(yardstick: the four look-ups of \"%%\", which list every idiom twice, %.3f ms)\n",
                msPerRun([&] { store.search(QStringLiteral("%")); }, runs));

    // Misspellings of our own, not those the search was built from: most
    // write a character with another of its sound, a few with one of its
    // shape.
    const struct
    {
        const char *typed, *meant;
    } misspellings[] = {
        {"按步就班", "按部就班"}, {"变本加利", "变本加厉"}, {"别出新裁", "别出心裁"}, {"不记其数", "不计其数"},
        {"穿流不息", "川流不息"}, {"出奇致胜", "出奇制胜"}, {"默守成规", "墨守成规"}, {"一愁莫展", "一筹莫展"},
        {"食不裹腹", "食不果腹"}, {"世外桃园", "世外桃源"}, {"原形必露", "原形毕露"}, {"仗义直言", "仗义执言"},
        {"直接了当", "直截了当"}, {"汗流夹背", "汗流浃背"}, {"声名狼籍", "声名狼藉"}, {"貌和神离", "貌合神离"},
        {"明查秋毫", "明察秋毫"}, {"默默无文", "默默无闻"}, {"金榜提名", "金榜题名"}, {"迫在眉捷", "迫在眉睫"},
        {"暗然失色", "黯然失色"}, {"专心至志", "专心致志"}, {"随声附合", "随声附和"}, {"一如继往", "一如既往"},
        {"委屈求全", "委曲求全"}, {"破斧沉舟", "破釜沉舟"}, {"人情事故", "人情世故"}, {"消声匿迹", "销声匿迹"},
        {"再所不惜", "在所不惜"}, {"以逸代劳", "以逸待劳"}, {"厉精图治", "励精图治"}, {"额首称庆", "额手称庆"},
        {"不径而走", "不胫而走"}, {"礼上往来", "礼尚往来"}, {"趋之若骛", "趋之若鹜"}, {"沤心沥血", "呕心沥血"},
        {"风糜一时", "风靡一时"}, {"一张一驰", "一张一弛"}, {"既往不究", "既往不咎"}, {"如法泡制", "如法炮制"},
        {"自抱自弃", "自暴自弃"}, {"不加思索", "不假思索"}, {"“守株待兔”的意思", "守株待兔"},
        {"臥虎藏龍。", "卧虎藏龙"}, {"心心相映", "心心相印"}, {"病入膏盲", "病入膏肓"}, {"鬼鬼崇崇", "鬼鬼祟祟"},
        {"言简意骇", "言简意赅"},
    };
    const char *stageNames[] = {"the look-ups", "the text made plain", "full pinyin", "sounds alike", "looks alike",
                                "near sounds", "a piece of an idiom", "meaning", "nothing"};
    static_assert(std::size(stageNames) == SearchResult::Nothing + 1);
    int mended[std::size(stageNames)] = {}, missed = 0;
    const IdiomSearch search(store);
    for (const auto &misspelling : misspellings) {
        const SearchResult found = search.find(QString::fromUtf8(misspelling.typed));
        const auto meant = std::ranges::find(found.entries, QString::fromUtf8(misspelling.meant), &IdiomEntry::text);
        if (meant != found.entries.end() && meant - found.entries.begin() < 5)
            ++mended[found.stage];
        else
            ++missed, std::printf("  not mended: %s (meant %s)\n", misspelling.typed, misspelling.meant);
    }
    std::printf("%d misspellings of our own: ", int(std::size(misspellings)));
    for (int stage = 0; stage < SearchResult::Nothing; ++stage)
        std::printf("%d by %s, ", mended[stage], stageNames[stage]);
    std::printf("%d not mended\n", missed);

    int id = 0;
    const double byIdMs = msPerRun([&] { store.idiom(++id); }, count);
    std::printf("an idiom by id, mean over %d ids                  %8.2f us\n", count, byIdMs * 1e3);
    return 0;
}
