// The folding of search texts: the plain forms of a typed text, the pinyin
// key of a stored py, the pinyin a search text spells, and the prefix match
// between the two; then all of it over the full data set.
#include "store/textfold.h"
#include "import/idiomimport.h"
#include "testdata.h"

#include <QTest>

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
