// The folding of search texts: the plain forms of a typed text, the pinyin
// key of a stored py, the pinyin a search text spells, and the prefix match
// between the two; then all of it over the full data set.
#include "store/textfold.h"
#include "import/idiomimport.h"
#include "testdata.h"

#include <QTest>
#include <numeric>

class TextFoldTest : public QObject
{
    Q_OBJECT

private slots:
    void plainForms_data();
    void plainForms();
    void pinyinKey_data();
    void pinyinKey();
    void typedPinyin_data();
    void typedPinyin();
    void codePoints_data();
    void codePoints();
    void nearSound_data();
    void nearSound();
    void syllablesAndReadings_data();
    void syllablesAndReadings();
    void knownForms_data();
    void knownForms();
    void beginsWithPinyin_data();
    void beginsWithPinyin();
    void fullDataSet();
};

void TextFoldTest::plainForms_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("forms");
    QTest::newRow("full-width letters") << "ｙｘ" << QStringList{"yx"};
    QTest::newRow("full-width capitals") << "ＡＢＳＳ" << QStringList{"ABSS"};
    QTest::newRow("full-width wildcard") << "一％" << QStringList{"一%"};
    QTest::newRow("trailing space") << "一心 " << QStringList{"一心"};
    QTest::newRow("inner white space") << " 一心 \n一意\t" << QStringList{"一心一意"};
    QTest::newRow("ideographic space") << "\u3000一\u3000心" << QStringList{"一心"};
    QTest::newRow("latin with space") << "y x" << QStringList{"yx"};
    QTest::newRow("ascii comma") << "一言既出,驷马难追" << QStringList{"一言既出，驷马难追"};
    QTest::newRow("idiom comma kept") << "一言既出，驷马难追" << QStringList{"一言既出，驷马难追"};
    QTest::newRow("traditional") << "愛不釋手" << QStringList{"爱不释手", "愛不釋手"};
    QTest::newRow("two forms") << "一見鍾情" << QStringList{"一见钟情", "一见锺情", "一見鍾情"};
    QTest::newRow("own form first") << "乾坤" << QStringList{"乾坤", "干坤"};
    QTest::newRow("own form among others") << "顯著" << QStringList{"显著", "显着", "顯著"};
    QTest::newRow("one form") << "麼" << QStringList{"么", "麼"};
    QTest::newRow("compatibility ideograph") << "\uF900" << QStringList{"岂", "豈"};
    QTest::newRow("outside the basic plane") << "𠁞一" << QStringList{"𠀾一", "𠁞一"};
    QTest::newRow("into the outer planes") << "鹑居鷇食" << QStringList{"鹑居𬆮食", "鹑居鷇食"};
    QTest::newRow("emoji") << "😀一心" << QStringList{"😀一心"};
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "愛"
                                    << QStringList{QString(QChar(0xD800)) + "爱", QString(QChar(0xD800)) + "愛"};
    QTest::newRow("capped, unsimplified last")
        << "餘 餘 餘 餘"
        << QStringList{"余余余余", "余余余馀", "余余馀余", "余余馀馀", "余馀余余", "余馀余馀", "余馀馀余", "余馀馀馀",
                       "馀余余余", "馀余余馀", "馀余馀余", "馀余馀馀", "馀馀余余", "馀馀余馀", "馀馀馀余", "餘餘餘餘"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("white space only") << " \n\u3000" << QStringList{};
    // Punctuation and the words of a question go, wherever they stand.
    QTest::newRow("full stop") << "一心一意。" << QStringList{"一心一意"};
    QTest::newRow("quotation marks") << "“卧薪尝胆”" << QStringList{"卧薪尝胆"};
    QTest::newRow("title marks and a question mark") << "《卧薪尝胆》?" << QStringList{"卧薪尝胆"};
    QTest::newRow("western quotes inside") << "卧薪\"尝胆\"" << QStringList{"卧薪尝胆"};
    QTest::newRow("a trailing comma") << "卧薪尝胆，" << QStringList{"卧薪尝胆"};
    QTest::newRow("commas between clauses, once") << "一言既出，，驷马难追！" << QStringList{"一言既出，驷马难追"};
    QTest::newRow("asking its meaning") << "卧薪尝胆的意思" << QStringList{"卧薪尝胆"};
    QTest::newRow("asking what it is") << "什么是卧薪尝胆？" << QStringList{"卧薪尝胆"};
    QTest::newRow("asking, with quotes") << "“卧薪尝胆”是什么意思" << QStringList{"卧薪尝胆"};
    QTest::newRow("asking in other words") << "请问卧薪尝胆是啥意思" << QStringList{"卧薪尝胆"};
    QTest::newRow("asking its source") << "卧薪尝胆出自哪里" << QStringList{"卧薪尝胆"};
    QTest::newRow("asking where it comes from") << "卧薪尝胆的出处是什么" << QStringList{"卧薪尝胆"};
    QTest::newRow("asking the meaning, long") << "卧薪尝胆的意思是什么？" << QStringList{"卧薪尝胆"};
    QTest::newRow("asking how to read it") << "卧薪尝胆怎么读" << QStringList{"卧薪尝胆"};
    QTest::newRow("asking its near words") << "卧薪尝胆的近义词" << QStringList{"卧薪尝胆"};
    QTest::newRow("the words alone stay") << "的意思" << QStringList{"的意思"};
    QTest::newRow("wildcards stay") << "_人%。" << QStringList{"_人%"};
    QTest::newRow("punctuation only") << "“”。" << QStringList{};
}

void TextFoldTest::plainForms()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, forms);
    QCOMPARE(::plainForms(typed), forms);
}

void TextFoldTest::pinyinKey_data()
{
    QTest::addColumn<QString>("py");
    QTest::addColumn<QString>("key");
    QTest::newRow("two spaces") << "yī  xīn  yī  yì" << "yixinyiyi";
    QTest::newRow("one space, none") << "āi mò dàyú" << "aimodayu";
    QTest::newRow("clauses") << "yī  yán  jì  chū，sì\u3000mǎ" << "yiyanjichusima";
    QTest::newRow("ü with tone") << "lǜ  yè" << "lvye";
    QTest::newRow("u with tone") << "lù" << "lu";
    QTest::newRow("ü without tone") << "nüè" << "nve";
    QTest::newRow("all ü") << "ǖ ǘ ǚ ǜ ü" << "vvvvv";
    QTest::newRow("script g") << "ɡān  ɡà" << "ganga";
    QTest::newRow("capital") << "Wén  zhì  wǔ  gōng" << "wenzhiwugong";
}

void TextFoldTest::pinyinKey()
{
    QFETCH(QString, py);
    QFETCH(QString, key);
    QCOMPARE(::pinyinKey(py), key);
    // The syllables, one by one, make the same key.
    const std::vector<std::string> syllables = ::pinyinSyllables(py);
    QCOMPARE(QString::fromStdString(std::accumulate(syllables.begin(), syllables.end(), std::string())), key);
}

void TextFoldTest::codePoints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<uint>>("all");
    QTest::addColumn<QList<uint>>("characters"); // without punctuation
    QTest::newRow("basic plane") << "一，心" << QList<uint>{0x4E00, 0xFF0C, 0x5FC3} << QList<uint>{0x4E00, 0x5FC3};
    QTest::newRow("a pair is one") << "万事大𠮷" << QList<uint>{0x4E07, 0x4E8B, 0x5927, 0x20BB7}
                                   << QList<uint>{0x4E07, 0x4E8B, 0x5927, 0x20BB7};
    QTest::newRow("a lone high surrogate, last") << QStringLiteral("一") + QChar(0xD842) << QList<uint>{0x4E00, 0xD842}
                                                 << QList<uint>{0x4E00, 0xD842};
    QTest::newRow("a lone low surrogate, first") << QString(QChar(0xDFB7)) + QStringLiteral("一") << QList<uint>{0xDFB7, 0x4E00}
                                                 << QList<uint>{0xDFB7, 0x4E00};
    QTest::newRow("a pair the wrong way round") << QString(QChar(0xDFB7)) + QChar(0xD842)
                                                << QList<uint>{0xDFB7, 0xD842} << QList<uint>{0xDFB7, 0xD842};
    QTest::newRow("empty") << "" << QList<uint>{} << QList<uint>{};
}

void TextFoldTest::codePoints()
{
    QFETCH(QString, text);
    QFETCH(QList<uint>, all);
    QFETCH(QList<uint>, characters);
    const auto listed = [](const std::u32string &points) { return QList<uint>(points.begin(), points.end()); };
    QCOMPARE(listed(::allCodePoints(text)), all);
    QCOMPARE(listed(::codePoints(text)), characters);
}

void TextFoldTest::syllablesAndReadings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("syllables"); // of text as a py, or the readings of its one character
    QTest::newRow("syllables of clauses") << "yī  yán  jì  chū，sì  mǎ" << QStringList{"yi", "yan", "ji", "chu", "si", "ma"};
    QTest::newRow("syllables with ü and ɡ") << "lǜ  ɡù" << QStringList{"lv", "gu"};
    QTest::newRow("长, both readings") << "长" << QStringList{"zhang", "chang"};
    QTest::newRow("行, beyond kMandarin") << "行" << QStringList{"xing", "hang", "heng"};
    QTest::newRow("绿, lv and lu") << "绿" << QStringList{"lv", "lu"};
    QTest::newRow("a letter, no reading") << "a" << QStringList{};
}

void TextFoldTest::syllablesAndReadings()
{
    QFETCH(QString, text);
    QFETCH(QStringList, syllables);
    QStringList got;
    if (text.size() == 1) {
        for (const std::string_view reading : ::readingsOf(text.at(0).unicode()))
            got << QString::fromLatin1(reading.data(), qsizetype(reading.size()));
        QVERIFY2(std::ranges::all_of(syllables, [&](const QString &s) { return got.contains(s); }),
                 qPrintable(got.join(' ')));
    } else {
        for (const std::string &syllable : ::pinyinSyllables(text))
            got << QString::fromStdString(syllable);
        QCOMPARE(got, syllables);
    }
}

void TextFoldTest::knownForms_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("known"); // the characters known, beside the typed one
    QTest::addColumn<QString>("form");
    QTest::newRow("known as typed") << "卧" << "卧" << "卧";
    QTest::newRow("a semantic variant") << "臥" << "卧" << "卧";
    QTest::newRow("a variant's simplified form") << "爲" << "为" << "为";
    QTest::newRow("a variant of a variant's") << "衆" << "众" << "众";
    QTest::newRow("a specialized variant") << "裏" << "里" << "里";
    QTest::newRow("a simplified form first") << "愛" << "爱" << "爱";
    QTest::newRow("nothing known") << "臥" << "" << "臥";
}

void TextFoldTest::knownForms()
{
    QFETCH(QString, typed);
    QFETCH(QString, known);
    QFETCH(QString, form);
    const auto isKnown = [&](char32_t c) { return known.contains(QString::fromUcs4(&c, 1)); };
    const char32_t found = ::knownForm(typed.at(0).unicode(), isKnown);
    QCOMPARE(QString::fromUcs4(&found, 1), form);
}

void TextFoldTest::nearSound_data()
{
    QTest::addColumn<QString>("one");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("near");
    QTest::newRow("zh z") << "zhang" << "zan" << true;
    QTest::newRow("ch c") << "cha" << "ca" << true;
    QTest::newRow("sh s") << "shan" << "san" << true;
    QTest::newRow("n l") << "nao" << "lao" << true;
    QTest::newRow("r l") << "ru" << "lu" << true;
    QTest::newRow("h f") << "hu" << "fu" << true;
    QTest::newRow("en eng") << "sen" << "sheng" << true;
    QTest::newRow("in ing") << "jin" << "jing" << true;
    QTest::newRow("an ang") << "lan" << "nang" << true;
    QTest::newRow("ai a") << "nai" << "na" << true;
    QTest::newRow("ai alone stays") << "ai" << "a" << false;
    QTest::newRow("ong stays") << "dong" << "don" << false;
    QTest::newRow("zh is not j") << "zhi" << "ji" << false;
    QTest::newRow("n alone is not l") << "n" << "l" << false;
    QTest::newRow("hm stays") << "hm" << "fm" << false;
    QTest::newRow("other initials stay") << "ba" << "pa" << false;
}

void TextFoldTest::nearSound()
{
    QFETCH(QString, one);
    QFETCH(QString, other);
    QFETCH(bool, near);
    QCOMPARE(::nearSound(one.toStdString()) == ::nearSound(other.toStdString()), near);
}

void TextFoldTest::typedPinyin_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pinyin"); // empty: none
    QTest::newRow("letters") << "yixinyiyi" << "yixinyiyi";
    QTest::newRow("spaces") << "yi xin yi yi" << "yixinyiyi";
    QTest::newRow("tone marks") << "yī xīn" << "yixin";
    QTest::newRow("tone digits") << "yi1 xin1" << "yixin";
    QTest::newRow("tone 5") << "ma5" << "ma";
    QTest::newRow("capitals") << "YI Xin" << "yixin";
    QTest::newRow("full width") << "ｙｘ１" << "yx";
    QTest::newRow("apostrophes") << "xi'an xi’an" << "xianxian";
    QTest::newRow("hyphens") << "wo-xin-chang-dan wo‐xin" << "woxinchangdanwoxin";
    QTest::newRow("ü") << "lü" << "lv";
    QTest::newRow("capital ü with tone") << "LǙ" << "lv";
    QTest::newRow("v") << "lv" << "lv";
    QTest::newRow("u") << "lu" << "lu";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("spaces only") << "  " << "";
    QTest::newRow("digits only") << "1 2" << "";
    QTest::newRow("digit 6") << "yi6" << "";
    QTest::newRow("chinese") << "一心" << "";
    QTest::newRow("mixed") << "yi心" << "";
    QTest::newRow("wildcard %") << "yi%" << "";
    QTest::newRow("wildcard _") << "y_x" << "";
    QTest::newRow("full-width wildcard") << "yi％" << "";
}

void TextFoldTest::typedPinyin()
{
    QFETCH(QString, text);
    QFETCH(QString, pinyin);
    QCOMPARE(::typedPinyin(text).value_or(QString()), pinyin);
}

void TextFoldTest::beginsWithPinyin_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("begins");
    QTest::newRow("绿 lu") << "lv" << "lu" << true;
    QTest::newRow("绿 lv") << "lv" << "lv" << true;
    QTest::newRow("路 lu") << "lu" << "lu" << true;
    QTest::newRow("路 lv") << "lu" << "lv" << false;
    QTest::newRow("虐 nue") << "nve" << "nue" << true;
    QTest::newRow("prefix") << "yixinyiyi" << "yixin" << true;
    QTest::newRow("longer than key") << "yixin" << "yixinyiyi" << false;
    QTest::newRow("differs at the end") << "yixinyiyi" << "yixing" << false;
    QTest::newRow("v later") << "nulv" << "nvlu" << false;
}

void TextFoldTest::beginsWithPinyin()
{
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(bool, begins);
    QCOMPARE(::beginsWithPinyin(key, typed), begins);
}

void TextFoldTest::fullDataSet()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build was not given the full idiom data set");
#else
    const QList<IdiomRow> rows = readIdiomCsv(TestData::readFile(QStringLiteral(VURA_FULL_DATA_CSV)));
    QCOMPARE(rows.size(), 12976);
    QStringList simplifiedFirst; // idioms whose first form is not the idiom
    for (const IdiomRow &row : rows) {
        const QStringList forms = ::plainForms(row.cy);
        QVERIFY2(forms.contains(row.cy), qPrintable(row.cy));
        if (forms.first() != row.cy)
            simplifiedFirst << row.cy;
        const QString key = ::pinyinKey(row.py);
        QVERIFY2(!key.isEmpty() && std::ranges::all_of(key, [](QChar c) { return c >= u'a' && c <= u'z'; }),
                 qPrintable(row.py));
        // The py typed as the card shows it is the key.
        QCOMPARE(::typedPinyin(row.py), key);
    }
    // Written with characters that Unihan counts as traditional.
    QCOMPARE(simplifiedFirst, QStringList({"阪上走丸", "鹑居鷇食", "呼幺喝六", "极深研幾", "靦颜人世", "无適无莫",
                                           "下阪走丸", "蟹匡蝉緌", "幺麽小丑"}));
#endif
}

QTEST_GUILESS_MAIN(TextFoldTest)
#include "tst_textfold.moc"
