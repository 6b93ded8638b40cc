// The card's fonts: the quotation marks of meanings, sources and examples are
// drawn by the face that draws their Han characters, at the same width, as
// SimSun draws them. Runs twice: with the fonts as installed, and with the
// Chinese faces under names the substitution lists do not know
// (fonts-unlisted.conf).
#include "widgets/fonts.h"
#include "widgets/textlabel.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QRegularExpression>
#include <QTest>
#include <QTextLayout>

class FontsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void quotesInTheChineseFace_data();
    void quotesInTheChineseFace();
};

void FontsTest::quotesInTheChineseFace_data()
{
    QTest::addColumn<QByteArray>("face");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");

    // The source of 哀哀父母 and the example of 病急乱投医.
    const QString source = QStringLiteral("《诗经·小雅·蓼莪》：“蓼蓼者莪，匪莪伊蒿，"
                                          "哀哀父母，生我劬劳。”");
    const QString example = QStringLiteral("宝玉笑道：“所谓‘～’了。”（清·曹雪芹《红楼梦》第五十七回）");
    QTest::newRow("source, 宋体 10.5") << QByteArray("宋体") << 10.5 << false << source;
    QTest::newRow("example, 宋体 10.5") << QByteArray("宋体") << 10.5 << false << example;
    QTest::newRow("idiom face, 楷体_GB2312 15 bold") << QByteArray("楷体_GB2312") << 15.0 << true << example;
}

void FontsTest::quotesInTheChineseFace()
{
    QFETCH(QByteArray, face);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QString, text);

    const TextLabel label(text, windowFont(face.constData(), points, bold), TextLabel::WrapsInBox, QRect(0, 0, 300, 64), nullptr);
    QTextLayout layout(label.text(), label.font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    // The face and the advance of the glyph drawn for the character at `at`.
    const auto drawn = [&](int at) {
        const QGlyphRun run = layout.glyphRuns(at, 1).value(0);
        const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(run.glyphIndexes());
        return std::pair(run.rawFont().familyName().toLower(), advances.value(0).x());
    };
    const auto [hanFace, hanAdvance] = drawn(text.indexOf(QRegularExpression(QStringLiteral("\\p{Han}"))));
    QVERIFY(hanAdvance > 0);
    int quotes = 0;
    for (int at = 0; at < text.size(); ++at) {
        if (!QStringLiteral("“”‘’").contains(text.at(at)))
            continue;
        ++quotes;
        const auto [quoteFace, quoteAdvance] = drawn(at);
        QCOMPARE(quoteFace, hanFace);
        // Full width: a pixel of rounding apart at most (Windows' own font
        // engine rounds a bold face's advances), never half of it.
        QCOMPARE_LE(qAbs(quoteAdvance - hanAdvance), 1.0);
    }
    QVERIFY(quotes > 0);
}

QTEST_MAIN(FontsTest)
#include "tst_fonts.moc"
