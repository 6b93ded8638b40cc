#include "review/quiz/meaningmask.h"

#include <QList>
#include <vector>

QString maskedMeaning(const QString &meaning, const QString &idiom)
{
    const QList<uint> text = meaning.toUcs4();
    const QList<uint> quoted = idiom.toUcs4();
    std::vector<bool> hidden(size_t(text.size()), false);
    // Every run the meaning shares with the idiom, from each place of both.
    for (qsizetype at = 0; at < text.size(); ++at) {
        for (qsizetype from = 0; from < quoted.size(); ++from) {
            qsizetype length = 0;
            while (at + length < text.size() && from + length < quoted.size()
                   && text[at + length] == quoted[from + length])
                ++length;
            if (length >= 2)
                std::fill(hidden.begin() + at, hidden.begin() + at + length, true);
        }
        // A gloss: a character of the idiom, a colon, what it means.
        const bool glossed = at + 1 < text.size() && (text[at + 1] == U'：' || text[at + 1] == U':');
        if (glossed && quoted.contains(text[at]))
            hidden[size_t(at)] = true;
    }
    QString masked;
    masked.reserve(meaning.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] == U'～')
            masked += QString(quoted.size(), QChar(kMaskMark));
        else if (hidden[size_t(at)])
            masked += QChar(kMaskMark);
        else
            masked += QString::fromUcs4(reinterpret_cast<const char32_t *>(&text[at]), 1);
    }
    return masked;
}

bool readableMeaning(const QString &masked)
{
    int left = 0;
    for (const QChar c : masked) {
        if (c != QChar(kMaskMark) && c.isLetterOrNumber())
            ++left;
    }
    return left >= 2;
}
