#include "models/howfound.h"

HowFound howFound(SearchResult::Stage stage)
{
    switch (stage) {
    case SearchResult::LookUps:
    case SearchResult::Nothing:
        break;
    case SearchResult::PlainText:
        return {QStringLiteral("整理输入后找到："),
                QStringLiteral("去掉了空格、标点和“的意思”等字，繁体字、异体字换成了成语里的写法")};
    case SearchResult::Pinyin:
        return {QStringLiteral("按全拼找到："), QStringLiteral("把输入当作成语的全拼来找")};
    case SearchResult::SoundsAlike:
        return {QStringLiteral("您要找的可能是："), QStringLiteral("读音相近：有一两个字读音相同，写法不同")};
    case SearchResult::LookAlike:
        return {QStringLiteral("您要找的可能是："), QStringLiteral("字形相近：有一个字写成了样子相像的字")};
    case SearchResult::NearSound:
        return {QStringLiteral("您要找的可能是："),
                QStringLiteral("读音相近：有一两个字读成了方言里分不清的音（z/zh、n/l、an/ang 等）")};
    case SearchResult::Fragment:
        return {QStringLiteral("成语中含有："), QStringLiteral("输入的字是这些成语的一部分")};
    case SearchResult::Meaning:
        return {QStringLiteral("释义中含有："), QStringLiteral("成语的意思、出处或例子里有这些字词")};
    }
    return {QStringLiteral("查找结果："), QString()};
}
