#include "reader/wordbookfile.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Whether the bytes decode without error in `encoding`.
bool decodes(const QByteArray &bytes, QStringConverter::Encoding encoding, QString *text)
{
    QStringDecoder decoder(encoding);
    *text = decoder(bytes);
    return !decoder.hasError();
}

bool binary(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            return true;
    return false;
}

// GB18030, which contains GBK and GB2312: Qt reads it through ICU, and
// Windows through its own code page 54936 where Qt is built without ICU.
bool decodeGb18030(const QByteArray &bytes, QString *text)
{
#ifdef Q_OS_WIN
    const int length = MultiByteToWideChar(54936, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()),
                                           nullptr, 0);
    if (length <= 0)
        return false;
    text->resize(length);
    MultiByteToWideChar(54936, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text->data()), length);
    return true;
#else
    QStringDecoder decoder("GB18030");
    if (!decoder.isValid())
        return false;
    *text = decoder(bytes);
    return !decoder.hasError();
#endif
}

// Text in UTF-16 without a byte-order mark: its line breaks and any ASCII
// give zero bytes, most on one side of each pair (little-endian: the
// second; the other side has a zero only in characters such as 一, U+4E00).
// UTF-8 and GB18030 text has no zero bytes. Nothing when the bytes do not
// look like it.
std::optional<QStringConverter::Encoding> unmarkedUtf16(const QByteArray &bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    qsizetype evenZeros = 0, oddZeros = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        evenZeros += bytes[i] == 0;
        oddZeros += bytes[i + 1] == 0;
    }
    if (oddZeros > evenZeros)
        return QStringConverter::Utf16LE;
    if (evenZeros > oddZeros)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

} // namespace

QString idiomOfLine(const QString &line)
{
    // A number and what follows it: 1. 1) 1、 (1) （一） 一、 ① ⑴ ⒈ ❶ and the like.
    static const QRegularExpression number(QStringLiteral(
        "^(?:[(（]\\s*[0-9０-９一二三四五六七八九十]+\\s*[)）]|[0-9０-９]+\\s*[.．、,，:：)）]|[一二三四五六七八九十]+\\s*、"
        "|[\\x{2460}-\\x{249B}\\x{24EA}-\\x{24FF}\\x{2776}-\\x{2793}\\x{3251}-\\x{325F}\\x{32B1}-\\x{32BF}])\\s*"));
    static const QRegularExpression bullet(
        QStringLiteral("^[-*+·•‧・●○◦▪▫■□◆◇►▶▸→–—]+\\s*"));
    static const QRegularExpression quoted(
        QStringLiteral("^[\"'“”‘’「」『』《》〈〉【】〔〕［］\\[\\]]+|[\"'“”‘’「」『』《》〈〉【】〔〕［］\\[\\]。.，,；;！!]+$"));
    QString idiom = line.section(QLatin1Char('\t'), 0, 0).trimmed();
    idiom.remove(bullet);
    idiom.remove(number);
    idiom.remove(quoted);
    return idiom.trimmed();
}

QString oneLine(const QString &field)
{
    QString line;
    line.reserve(field.size());
    bool broken = false; // the last character was a tab or a line break
    for (const QChar c : field) {
        const bool breaks = c == u'\t' || c == u'\n' || c == u'\r';
        if (!breaks)
            line += c;
        else if (!broken)
            line += u' ';
        broken = breaks;
    }
    return line;
}

QByteArray plainIdiomList(const QStringList &idioms)
{
    QByteArray bytes;
    for (const QString &idiom : idioms)
        bytes += oneLine(idiom).toUtf8() + '\n';
    return bytes;
}

QByteArray flashcardTable(const QList<FlashcardFields> &idioms)
{
    QByteArray bytes;
    for (const FlashcardFields &idiom : idioms) {
        QString example = idiom.example;
        example.replace(QChar(0xFF5E), idiom.text); // ～
        const QStringList fields{idiom.text, idiom.pinyin, idiom.meaning, idiom.source, example};
        QStringList line;
        for (const QString &field : fields)
            line << oneLine(field);
        bytes += line.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    return bytes;
}

IdiomList readIdiomList(const QByteArray &bytes, qint64 fileSize)
{
    if (bytes.isEmpty())
        return {{}, QStringLiteral("文件是空的，里面没有成语。")};
    if (fileSize < bytes.size())
        fileSize = bytes.size();
    if (fileSize > kLargestIdiomList)
        return {{}, QStringLiteral("文件太大（%1 KB），不像是成语列表。成语列表每行一个成语，不超过 %2 KB。")
                        .arg((fileSize + 1023) / 1024)
                        .arg(kLargestIdiomList / 1024)};
    QString text;
    // A byte-order mark names its encoding; without one, text that is valid
    // UTF-8 is UTF-8, since GB18030 bytes almost never are.
    std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes);
    if (!marked)
        marked = unmarkedUtf16(bytes);
    const bool decoded = marked ? decodes(bytes, *marked, &text)
                                : decodes(bytes, QStringConverter::Utf8, &text) || decodeGb18030(bytes, &text);
    if (!decoded)
        return {{}, QStringLiteral("读不懂这个文件的编码。请把它存成 UTF-8、UTF-16 或 GB18030（GBK）编码的文本文件。")};
    if (binary(text))
        return {{}, QStringLiteral("这不是文本文件。请选择每行一个成语的文本文件。")};
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    IdiomList list;
    QSet<QString> listed; // a megabyte of lines is too many to search the list for each
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString idiom = idiomOfLine(line);
        if (!idiom.isEmpty() && !listed.contains(idiom)) {
            listed.insert(idiom);
            list.idioms << idiom;
        }
    }
    if (list.idioms.isEmpty())
        list.problem = QStringLiteral("文件里没有成语。请选择每行一个成语的文本文件。");
    return list;
}
