#include "reader/wordbookfile.h"

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

} // namespace

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

IdiomList readIdiomList(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {{}, QStringLiteral("文件是空的，里面没有成语。")};
    if (bytes.size() > kLargestIdiomList)
        return {{}, QStringLiteral("文件太大（%1 KB），不像是成语列表。成语列表每行一个成语，不超过 %2 KB。")
                        .arg(bytes.size() / 1024)
                        .arg(kLargestIdiomList / 1024)};
    QString text;
    // A byte-order mark names its encoding; without one, text that is valid
    // UTF-8 is UTF-8, since GB18030 bytes almost never are.
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes);
    const bool decoded = marked ? decodes(bytes, *marked, &text)
                                : decodes(bytes, QStringConverter::Utf8, &text) || decodeGb18030(bytes, &text);
    if (!decoded)
        return {{}, QStringLiteral("读不懂这个文件的编码。请把它存成 UTF-8 或 GB18030（GBK）编码的文本文件。")};
    if (binary(text))
        return {{}, QStringLiteral("这不是文本文件。请选择每行一个成语的文本文件。")};
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    IdiomList list;
    QSet<QString> listed; // a megabyte of lines is too many to search the list for each
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString idiom = line.section(QLatin1Char('\t'), 0, 0).trimmed();
        if (!idiom.isEmpty() && !listed.contains(idiom)) {
            listed.insert(idiom);
            list.idioms << idiom;
        }
    }
    if (list.idioms.isEmpty())
        list.problem = QStringLiteral("文件里没有成语。请选择每行一个成语的文本文件。");
    return list;
}
