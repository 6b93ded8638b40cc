// vura-reading-audit: checks the reading of every idiom of the data file,
// syllable by syllable with its tone, against the Mandarin readings Unicode's
// Unihan database gives its character (every reading field, as vura-unihan
// reads them). A syllable that no reading explains must be in the table of
// accepted readings (readings.tsv), with the reason; a real fault is an
// erratum in errata.tsv instead. A neutral tone is explained by any reading
// of the syllable.
//
//   vura-reading-audit Unihan_Readings.txt cy.dat readings.tsv
//
// Prints each syllable no reading explains, accepted or NEW, then the
// counts; exits with 1 when one is new, 2 when an input cannot be read.
#include "speech/spokenreading.h"
#include "store/idiomstore.h"
#include "store/storeerror.h"
#include "store/textfold.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstdio>

namespace {

// "zhǎng" -> "zhang3"; "lǘ" -> "lv2"; a reading without a mark takes 5.
QString toneDigits(const QString &reading)
{
    QString letters;
    int tone = 5;
    for (const QChar c : reading.normalized(QString::NormalizationForm_D)) {
        switch (c.unicode()) {
        case 0x0304: tone = 1; break;
        case 0x0301: tone = 2; break;
        case 0x030C: tone = 3; break;
        case 0x0300: tone = 4; break;
        case 0x0308:
            if (letters.endsWith(u'u'))
                letters.back() = u'v';
            break;
        default:
            if (c.isLetter())
                letters += c.toLower();
        }
    }
    return letters + QString::number(tone);
}

using Readings = QHash<char32_t, QSet<QString>>;

Readings readUnihan(const QString &path)
{
    static const QList<QByteArray> kFields = {"kMandarin", "kHanyuPinlu", "kHanyuPinyin", "kXHC1983", "kTGHZ2013"};
    QFile file(path);
    Readings readings;
    if (!file.open(QIODevice::ReadOnly))
        return readings;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const QList<QByteArray> fields = line.split('\t');
        if (line.startsWith('#') || fields.size() != 3 || !kFields.contains(fields.at(1)) ||
            !fields.at(0).startsWith("U+"))
            continue;
        const char32_t character = fields.at(0).mid(2).toUInt(nullptr, 16);
        for (QByteArray entry : fields.at(2).split(' ')) {
            if (const qsizetype colon = entry.lastIndexOf(':'); colon >= 0)
                entry = entry.mid(colon + 1);
            if (const qsizetype count = entry.indexOf('('); count >= 0)
                entry.truncate(count);
            for (const QByteArray &reading : entry.split(','))
                readings[character].insert(toneDigits(QString::fromUtf8(reading)));
        }
    }
    return readings;
}

// The accepted readings: "character<TAB>syllable<TAB>reason" a line.
QHash<QString, QString> readAccepted(const QString &path, bool &ok)
{
    QFile file(path);
    QHash<QString, QString> accepted;
    ok = file.open(QIODevice::ReadOnly | QIODevice::Text);
    while (ok && !file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const QStringList fields = line.split(u'\t');
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (fields.size() != 3 || fields.at(2).isEmpty()) {
            std::fprintf(stderr, "%s: not character, syllable and reason: %s\n", qPrintable(path), qPrintable(line));
            ok = false;
        }
        accepted.insert(fields.at(0) + u'\t' + fields.value(1), fields.value(2));
    }
    return accepted;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: vura-reading-audit Unihan_Readings.txt cy.dat readings.tsv\n");
        return 2;
    }
    const Readings unihan = readUnihan(arguments.at(1));
    bool acceptedRead = false;
    const QHash<QString, QString> accepted = readAccepted(arguments.at(3), acceptedRead);
    if (unihan.isEmpty() || !acceptedRead) {
        std::fprintf(stderr, "vura-reading-audit: cannot read %s or %s\n", qPrintable(arguments.at(1)),
                     qPrintable(arguments.at(3)));
        return 2;
    }
    QList<Idiom> idioms;
    try {
        IdiomStore(arguments.at(2)).readReadings([&idioms](int id, QByteArrayView text, QByteArrayView pinyin) {
            idioms.append({id, QString::fromUtf8(text), QString::fromUtf8(pinyin), {}, {}, {}});
        });
    } catch (const StoreError &error) {
        std::fprintf(stderr, "vura-reading-audit: %s\n", error.what());
        return 2;
    }

    int syllables = 0, unexplained = 0, acceptedCount = 0, unpaired = 0;
    QSet<QString> used;
    for (const Idiom &idiom : std::as_const(idioms)) {
        const SpokenReading reading = spokenReading(idiom.text, idiom.pinyin);
        std::u32string characters;
        for (const char32_t c : codePoints(idiom.text)) {
            if (QChar::category(c) != QChar::Other_PrivateUse)
                characters.push_back(c);
        }
        if (reading.fromCharacters || qsizetype(characters.size()) != reading.written.size()) {
            ++unpaired;
            std::printf("unpaired\t%d\t%s\t%s\n", idiom.id, qPrintable(idiom.text), qPrintable(idiom.pinyin));
            continue;
        }
        for (qsizetype i = 0; i < reading.written.size(); ++i) {
            ++syllables;
            QString syllable = reading.written.at(i);
            if (syllable.endsWith(u'r'))
                syllable.chop(1); // erhua
            const QSet<QString> own = unihan.value(characters[size_t(i)]);
            const QStringView toneless = QStringView(syllable).chopped(1);
            const bool neutral = syllable.endsWith(u'5') &&
                std::any_of(own.begin(), own.end(), [&](const QString &r) { return QStringView(r).chopped(1) == toneless; });
            if (own.contains(syllable) || neutral)
                continue;
            ++unexplained;
            const QString key = QString::fromUcs4(&characters[size_t(i)], 1) + u'\t' + syllable;
            QStringList known = own.values();
            known.sort();
            const auto reason = accepted.constFind(key);
            std::printf("%s\t%d\t%s\t%s\tUnihan: %s\t%s\n", reason != accepted.cend() ? "accepted" : "NEW", idiom.id,
                        qPrintable(idiom.text), qPrintable(key), qPrintable(known.join(u' ')),
                        reason != accepted.cend() ? qPrintable(*reason) : "");
            if (reason != accepted.cend()) {
                ++acceptedCount;
                used.insert(key);
            }
        }
    }
    for (auto entry = accepted.cbegin(); entry != accepted.cend(); ++entry) {
        if (!used.contains(entry.key()))
            std::printf("accepted but unused\t%s\n", qPrintable(entry.key()));
    }
    std::printf("%d idioms, %d syllables: %d that Unihan does not explain, %d of them accepted (readings.tsv), "
                "%d new; %d idioms whose pinyin and characters do not pair up\n",
                int(idioms.size()), syllables, unexplained, acceptedCount, unexplained - acceptedCount, unpaired);
    return unexplained == acceptedCount ? 0 : 1;
}
