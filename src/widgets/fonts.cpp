#include "widgets/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QRawFont>
#include <QRegularExpression>

#include <algorithm>

namespace {

// An installed face for simplified Chinese whose quotation marks are as wide
// as its Han characters, as in SimSun. Faces whose names match `style` come
// first, then those named for the mainland.
QString chineseFace(const QString &style)
{
    QStringList faces = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const QRegularExpression &first : {QRegularExpression(QStringLiteral("\\b(SC|CN|GB)\\b")),
                                            QRegularExpression(style, QRegularExpression::CaseInsensitiveOption)})
        std::stable_partition(faces.begin(), faces.end(), [&](const QString &face) { return face.contains(first); });
    const QString sample = QStringLiteral("中“”‘’");
    for (const QString &face : faces) {
        const QRawFont raw = QRawFont::fromFont(QFont(face));
        const QList<quint32> glyphs = raw.glyphIndexesForString(sample);
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        const auto asWideAsHan = [&](const QPointF &advance) { return qAbs(advance.x() - advances[0].x()) < 0.5; };
        if (glyphs.size() == sample.size() && !glyphs.contains(0u) && advances[0].x() > 0
            && std::all_of(advances.begin(), advances.end(), asWideAsHan))
            return face;
    }
    return {};
}

// Where none of a name's faces is installed, Qt takes the system's default
// face, a Latin one, and only the Han characters from a Chinese face: the
// Latin face has “ ” ‘ ’ and draws them half wide. A Chinese face that has
// them full width then stands in last, so that it draws the text whole.
void addStandIn(const QString &name, const QString &style, const QStringList &installed)
{
    const QStringList faces = QStringList(name) + QFont::substitutes(name);
    const auto isInstalled = [&](const QString &face) { return installed.contains(face, Qt::CaseInsensitive); };
    if (std::none_of(faces.begin(), faces.end(), isInstalled))
        if (const QString face = chineseFace(style); !face.isEmpty())
            QFont::insertSubstitution(name, face);
}

} // namespace

void registerFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                                QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC")});
    QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"),
                               {QStringLiteral("楷体"), QStringLiteral("KaiTi"), QStringLiteral("KaiTi_GB2312"),
                                QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB")});
    const QStringList installed = QFontDatabase::families();
    addStandIn(QStringLiteral("宋体"), QStringLiteral("Song|Sung|Ming|Serif|宋|明"), installed);
    addStandIn(QStringLiteral("楷体_GB2312"), QStringLiteral("Kai|楷"), installed);
}

QFont windowFont(const char *face, double points, bool bold)
{
    QFont font(QString::fromUtf8(face));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont defaultWindowFont()
{
    QFont font = QApplication::font();
    font.setPointSize(9);
    return font;
}
