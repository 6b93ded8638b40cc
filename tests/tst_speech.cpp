// Turning an idiom's pinyin into the tone-digit syllables a speech engine is
// given, that every idiom of the data set gives valid syllables, and reading
// aloud through an engine.
#include "fakespeaker.h"
#include "speech/readaloud.h"
#include "speech/spokenreading.h"
#include "store/idiomstore.h"
#include "testdata.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <QSignalSpy>
#include <QTest>

class SpeechTest : public QObject
{
    Q_OBJECT

private slots:
    void spokenReading_data();
    void spokenReading();
    void writtenTones();
    void isMandarinSyllable_data();
    void isMandarinSyllable();
    void fullDataSet();
    void readAloud();
    void systemSpeaker();
};

void SpeechTest::spokenReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("toneDigits"); // empty: read from the characters
    QTest::addColumn<QStringList>("faults");

    const QStringList none;
    // Tone marks, and the readings the data gives a character of several.
    QTest::newRow("marks") << "画蛇添足" << "huà  shé  tiān  zú" << "hua4 she2 tian1 zu2" << none;
    QTest::newRow("nan4") << "难兄难弟" << "nàn  xiōng  nàn  dì" << "nan4 xiong1 nan4 di4" << none;
    QTest::newRow("nan2") << "难兄难弟" << "nán  xiōng  nán  dì" << "nan2 xiong1 nan2 di4" << none;
    QTest::newRow("digits kept") << "画蛇添足" << "hua4 she2 tian1 zu2" << "hua4 she2 tian1 zu2" << none;
    QTest::newRow("neutral") << "拳头上立得人" << "quán  tóu  shàng  lì de rén" << "quan2 tou2 shang4 li4 de5 ren2"
                             << none;
    // ü, and u after j, q, x, y.
    QTest::newRow("ü") << "绿林好汉" << "lǜ  lín  hǎo  hàn" << "lv4 lin2 hao3 han4" << none;
    QTest::newRow("ü as u") << "掠美市恩" << "lüè  měi  shì  ēn" << "lve4 mei3 shi4 en1" << none;
    QTest::newRow("jü") << "陈师鞠旅" << "chén  shī  jǖ  lǚ" << "chen2 shi1 ju1 lv3" << none;
    QTest::newRow("lue") << "略见一斑" << "lue4 jian4 yi4 ban1" << "lve4 jian4 yi4 ban1" << none;
    // 一 and 不.
    QTest::newRow("一 before 4") << "一心一意" << "yī  xīn  yī  yì" << "yi4 xin1 yi2 yi4" << none;
    QTest::newRow("不 before 4") << "不见不散" << "bù  jiàn  bù  sàn" << "bu2 jian4 bu2 san4" << none;
    QTest::newRow("一 last") << "以防万一" << "yǐ  fáng  wàn  yī" << "yi3 fang2 wan4 yi1" << none;
    QTest::newRow("一 counting") << "一五一十" << "yī  wǔ  yī  shí" << "yi1 wu3 yi1 shi2" << none;
    QTest::newRow("一 after 独") << "独一无二" << "dú  yī  wú  èr" << "du2 yi1 wu2 er4" << none;
    QTest::newRow("一 before 百") << "一呼百诺" << "yī  hū  bǎi  nuò" << "yi4 hu1 bai3 nuo4" << none;
    QTest::newRow("一 at a comma") << "百闻不如一见，一见不如一干" << "bǎi wén bù rú yī jiàn，yī jiàn bù rú yī gàn"
                                   << "bai3 wen2 bu4 ru2 yi2 jian4, yi2 jian4 bu4 ru2 yi2 gan4" << none;
    QTest::newRow("不 last") << "一概不" << "yī  gài  bù" << "yi2 gai4 bu4" << none;
    QTest::newRow("tone already changed") << "不见不散" << "bú  jiàn  bù  sàn" << "bu2 jian4 bu2 san4" << none;
    QTest::newRow("不 before 1") << "不三不四" << "bù  sān  bù  sì" << "bu4 san1 bu2 si4" << none;
    QTest::newRow("yi of 衣") << "衣锦还乡" << "yī  jǐn  huán  xiāng" << "yi1 jin3 huan2 xiang1" << none;
    QTest::newRow("unaligned: no change") << "一心一意" << "yī xīn yī yì yì" << "" << none;
    // Erhua.
    QTest::newRow("erhua") << "一点儿" << "yī  diǎnr" << "yi4 dian3r" << none;
    QTest::newRow("erhua joined") << "好玩" << "hǎo  wánr" << "hao3 wan2r" << none;
    QTest::newRow("erhua apart") << "好玩" << "hǎo  wán r" << "hao3 wan2r" << none;
    QTest::newRow("er itself") << "独一无二" << "dú  yī  wú  èr" << "du2 yi1 wu2 er4" << none;
    // Spacing and punctuation.
    QTest::newRow("U+3000") << "勤学苦练" << "qín\u3000xué\u3000kǔ\u3000liàn" << "qin2 xue2 ku3 lian4" << none;
    QTest::newRow("irregular") << "一言既出，驷马难追" << "  yī yán   jì  chū ，sì\tmǎ nán  zhuī "
                               << "yi4 yan2 ji4 chu1, si4 ma3 nan2 zhui1" << none;
    QTest::newRow("comma unspaced") << "铜山西崩，洛钟东应" << "tóng  shān  xī  bēng，luò  zhōng  dōng  yìng"
                                    << "tong2 shan1 xi1 beng1, luo4 zhong1 dong1 ying4" << none;
    QTest::newRow("written together") << "一心一意" << "yīxīn  yīyì" << "yi4 xin1 yi2 yi4" << none;
    QTest::newRow("neutral written together") << "全不费工夫" << "quán bù fèi gōngfu" << "quan2 bu2 fei4 gong1 fu5"
                                              << none;
    QTest::newRow("private use") << "山陬海噬\ue31a" << "shān  zōu  hǎi  shì" << "shan1 zou1 hai3 shi4" << none;
    QTest::newRow("apostrophe") << "西安" << "xī'ān" << "xi1 an1" << none;
    QTest::newRow("script g") << "聪明才智" << "cōnɡ  mínɡ  cái  zhì" << "cong1 ming2 cai2 zhi4" << none;
    QTest::newRow("capitals") << "画蛇添足" << "Huà  Shé  Tiān  Zú" << "hua4 she2 tian1 zu2" << none;
    // Syllables the data writes badly.
    QTest::newRow("puo") << "不破不立" << "bù  può  bù  lì" << "bu2 po4 bu2 li4" << QStringList{"puo"};
    QTest::newRow("yie") << "成家立业" << "chéng  jiā  lì  yiè" << "cheng2 jia1 li4 ye4" << QStringList{"yie"};
    QTest::newRow("doubled") << "独清独醒" << "dúu  qīng  dú  xǐng" << "du2 qing1 du2 xing3" << QStringList{"duu"};
    QTest::newRow("by the character") << "称雨道晴" << "chēng  yǔ  dào  aíng" << "cheng1 yu3 dao4 qing2"
                                      << QStringList{"aing"};
    QTest::newRow("letter missing") << "风云变幻" << "fēng  yún  bià  huàn" << "feng1 yun2 bian4 huan4"
                                    << QStringList{"bia"};
    QTest::newRow("far off") << "佛头加秽" << "fó  tóu  jg  ā  huì" << "" << QStringList{"jg"};
    QTest::newRow("no pinyin") << "画蛇添足" << "画蛇添足" << "" << QStringList{"画蛇添足"};
    QTest::newRow("empty") << "画蛇添足" << "" << "" << none;
}

void SpeechTest::spokenReading()
{
    QFETCH(QString, text);
    QFETCH(QString, pinyin);
    QFETCH(QString, toneDigits);
    QFETCH(QStringList, faults);
    const SpokenReading reading = ::spokenReading(text, pinyin);
    QCOMPARE(reading.toneDigits(), reading.fromCharacters ? QString() : toneDigits);
    QCOMPARE(reading.fromCharacters, toneDigits.isEmpty());
    QCOMPARE(reading.faults, faults);
}

void SpeechTest::writtenTones()
{
    // The tones as the data writes them, made valid, before 一 and 不 change.
    QCOMPARE(::spokenReading(u"一心一意", u"yī  xīn  yī  yì").written, QStringList({"yi1", "xin1", "yi1", "yi4"}));
    QCOMPARE(::spokenReading(u"不破不立", u"bù  può  bù  lì").written, QStringList({"bu4", "po4", "bu4", "li4"}));
}

void SpeechTest::isMandarinSyllable_data()
{
    QTest::addColumn<QString>("letters");
    QTest::addColumn<bool>("valid");
    for (const char *valid : {"a", "zhuang", "lve", "nv", "er", "hm", "ng", "chuai", "yo", "shei"})
        QTest::newRow(valid) << valid << true;
    for (const char *invalid : {"", "puo", "yie", "jv", "lue", "zh", "bian4", "Hua", "ü"})
        QTest::newRow(invalid) << invalid << false;
}

void SpeechTest::isMandarinSyllable()
{
    QFETCH(QString, letters);
    QFETCH(bool, valid);
    QCOMPARE(::isMandarinSyllable(letters), valid);
}

void SpeechTest::fullDataSet()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("this build was not given the full idiom data set");
#else
    // The pinyin as imported, errata made: every syllable valid, as many as
    // the characters.
    QList<Idiom> idioms;
    IdiomStore(QStringLiteral(VURA_DATA_FILE)).readReadings([&idioms](int id, QByteArrayView text, QByteArrayView pinyin) {
        idioms.append({id, QString::fromUtf8(text), QString::fromUtf8(pinyin), {}, {}, {}});
    });
    QCOMPARE(idioms.size(), 12976);
    QStringList unread;
    int changedTones = 0;
    for (const Idiom &idiom : idioms) {
        const SpokenReading reading = ::spokenReading(idiom.text, idiom.pinyin);
        if (reading.fromCharacters || !reading.faults.isEmpty())
            unread << idiom.text + QLatin1Char(' ') + idiom.pinyin + QLatin1Char(' ') + reading.faults.join(u',');
        for (const QString &syllable : reading.syllables())
            QVERIFY2(::isMandarinSyllable(QStringView(syllable).chopped(1)), qPrintable(idiom.text));
        if (reading.toneDigits().contains(QLatin1String("yi2")) || reading.toneDigits().contains(QLatin1String("bu2")))
            ++changedTones;
    }
    QVERIFY2(unread.isEmpty(), qPrintable(unread.join(u'\n')));
    qInfo("%d idioms change the tone of 一 or 不", changedTones);
#endif
}

void SpeechTest::readAloud()
{
    QStringList calls;
    int made = 0;
    bool voice = true;
    FakeSpeaker *engine = nullptr;
    ReadAloud reader([&]() -> std::unique_ptr<Speaker> {
        ++made;
        auto speaker = std::make_unique<FakeSpeaker>(voice, &calls);
        engine = speaker.get();
        return speaker;
    });
    QCOMPARE(made, 0); // not loaded before it is first asked to read
    QVERIFY(!reader.isSpeaking());
    QVERIFY(reader.read(QStringLiteral("难兄难弟"), QStringLiteral("nán  xiōng  nán  dì")));
    QVERIFY(reader.isSpeaking());
    // A second press while reading stops, then reads the new one.
    QVERIFY(reader.read(QStringLiteral("不见不散"), QStringLiteral("bù  jiàn  bù  sàn")));
    // Read from the characters where the pinyin cannot be.
    engine->finish();
    QVERIFY(reader.read(QStringLiteral("佛头加秽"), QStringLiteral("fó  tóu  jg  ā  huì")));
    QCOMPARE(made, 1);
    QCOMPARE(calls, QStringList({"speak nan2 xiong1 nan2 di4 | 难兄难弟", "stop", "speak bu2 jian4 bu2 san4 | 不见不散",
                                 "speak  | 佛头加秽"}));

    // Without a voice: the reason, once, when the engine is loaded.
    voice = false;
    calls.clear();
    ReadAloud mute([&]() -> std::unique_ptr<Speaker> { return std::make_unique<FakeSpeaker>(voice, &calls); });
    QSignalSpy missing(&mute, &ReadAloud::voiceMissing);
    QVERIFY(!mute.lacksVoice());
    QVERIFY(!mute.read(QStringLiteral("难兄难弟"), QStringLiteral("nán  xiōng  nán  dì")));
    QVERIFY(!mute.read(QStringLiteral("难兄难弟"), QStringLiteral("nán  xiōng  nán  dì")));
    QVERIFY(mute.lacksVoice());
    QCOMPARE(missing.size(), 1);
    QCOMPARE(missing.first().first().toString(), QStringLiteral("没有中文语音。"));
    QVERIFY(calls.isEmpty());

    // Known from what is installed, before any press: refused, and the
    // engine never loaded; where a voice may be installed, nothing changes.
    for (const QString &installed : {QStringLiteral("没有中文语音。请安装 espeak-ng。"), QString()}) {
        int loads = 0;
        ReadAloud checked([&]() -> std::unique_ptr<Speaker> {
            ++loads;
            return std::make_unique<FakeSpeaker>(true, &calls);
        });
        checked.lookForVoice([&installed] { return installed; });
        QCOMPARE(checked.lacksVoice(), !installed.isEmpty());
        QCOMPARE(checked.missingVoice(), installed);
        QCOMPARE(loads, 0);
        QCOMPARE(checked.read(QStringLiteral("难兄难弟"), QStringLiteral("nán  xiōng  nán  dì")), installed.isEmpty());
        QCOMPARE(loads, installed.isEmpty() ? 1 : 0);
    }

    // An engine that takes its time: the last idiom asked for is read once
    // it has loaded; without a voice, the reason comes then.
    for (const bool withVoice : {true, false}) {
        calls.clear();
        FakeSpeaker *slow = nullptr;
        ReadAloud later([&]() -> std::unique_ptr<Speaker> {
            auto speaker = std::make_unique<FakeSpeaker>(withVoice, &calls, false, false);
            slow = speaker.get();
            return speaker;
        });
        QSignalSpy laterMissing(&later, &ReadAloud::voiceMissing);
        QVERIFY(later.read(QStringLiteral("难兄难弟"), QStringLiteral("nán  xiōng  nán  dì")));
        QVERIFY(later.read(QStringLiteral("一心一意"), QStringLiteral("yī  xīn  yī  yì")));
        QVERIFY(later.isSpeaking() && !later.lacksVoice());
        QVERIFY(calls.isEmpty());
        slow->load();
        QCOMPARE(calls, withVoice ? QStringList{"speak yi4 xin1 yi2 yi4 | 一心一意"} : QStringList());
        QCOMPARE(laterMissing.size(), withVoice ? 0 : 1);
        QCOMPARE(later.lacksVoice(), !withVoice);
    }
}

void SpeechTest::systemSpeaker()
{
#ifndef Q_OS_WIN
    QSKIP("on Linux the engine would start the reader's speech-dispatcher");
#else
    // Loaded, it has a voice or says why not; Wine's SAPI cannot speak.
    const std::unique_ptr<Speaker> speaker = makeSystemSpeaker();
    QTRY_VERIFY(speaker->isLoaded());
    QCOMPARE(speaker->hasVoice(), speaker->missingVoice().isEmpty());
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        QVERIFY(!speaker->hasVoice());
#endif
}

QTEST_GUILESS_MAIN(SpeechTest)
#include "tst_speech.moc"
