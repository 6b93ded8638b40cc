#include "widgets/fonts.h"

#include <QApplication>

void registerFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                                QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC")});
    QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"),
                               {QStringLiteral("KaiTi"), QStringLiteral("KaiTi_GB2312"),
                                QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB")});
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
