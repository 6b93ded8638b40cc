// vura-unihan Unihan_Variants.txt Unihan_Readings.txt
//             Unihan_DictionaryLikeData.txt Unihan_IRGSources.txt OUTPUT.cpp:
// writes the tables of store/unihantables.h from Unicode's Unihan database:
// the simplified forms (kSimplifiedVariant), the other variant forms
// (kZVariant, kSemanticVariant, kSpecializedSemanticVariant), the Mandarin
// readings without tones, and how each character is written (kPhonetic,
// kCangjie, kRSUnicode, kTotalStrokes). The same input always gives the same
// bytes.
#include "store/unihantables.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

namespace {

// "U+4E7E" -> 0x4E7E; a source tag such as "<kMatthews" is ignored. 0 when
// it is no code point.
char32_t codePoint(const QByteArray &field)
{
    if (!field.startsWith("U+"))
        return 0;
    const qsizetype tag = field.indexOf('<');
    bool ok = false;
    const uint value = field.sliced(2, (tag < 0 ? field.size() : tag) - 2).toUInt(&ok, 16);
    return ok && value <= 0x10FFFF ? char32_t(value) : 0;
}

struct Variants
{
    QByteArray unicodeVersion;
    std::map<char32_t, std::vector<char32_t>> simplified; // ordered by code point
    std::set<std::pair<char32_t, char32_t>> others;       // both ways, ordered
};

// The Unihan fields whose variants fold a character the idioms do not use
// to one they do: 臥 卧 (semantic), 爲 為 (semantic), 裏 裡 (specialized).
bool isOtherVariantField(const QByteArray &field)
{
    return field == "kZVariant" || field == "kSemanticVariant" || field == "kSpecializedSemanticVariant";
}

// Reads the kSimplifiedVariant lines. Characters that are their own only
// simplified form change nothing and are left out; where a character is one
// of its own forms it goes first, since text that already uses it most
// likely means it (乾坤, 著作).
Variants readVariants(QFile &file, QString &error)
{
    Variants variants;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        ++lineNumber;
        if (line.startsWith("# Unicode version:"))
            variants.unicodeVersion = line.mid(18).trimmed();
        const QList<QByteArray> fields = line.split('\t');
        if (line.startsWith('#') || fields.size() != 3)
            continue;
        if (isOtherVariantField(fields.at(1))) {
            const char32_t character = codePoint(fields.at(0));
            for (const QByteArray &value : fields.at(2).split(' ')) {
                const char32_t variant = codePoint(value);
                if (character != 0 && variant != 0 && variant != character) {
                    variants.others.insert({character, variant});
                    variants.others.insert({variant, character});
                }
            }
            continue;
        }
        if (fields.at(1) != "kSimplifiedVariant")
            continue;
        const char32_t traditional = codePoint(fields.at(0));
        std::vector<char32_t> forms;
        for (const QByteArray &value : fields.at(2).split(' '))
            forms.push_back(codePoint(value));
        if (traditional == 0 || std::erase(forms, 0) > 0 || forms.empty()) {
            error = QStringLiteral("line %1 is not \"U+XXXX<tab>kSimplifiedVariant<tab>U+XXXX ...\"").arg(lineNumber);
            return {};
        }
        if (forms.size() > size_t(kMaxSimplifiedForms)) {
            error = QStringLiteral("line %1: U+%2 has %3 simplified forms, more than kMaxSimplifiedForms (%4)")
                        .arg(lineNumber).arg(uint(traditional), 4, 16, QLatin1Char('0')).arg(forms.size())
                        .arg(kMaxSimplifiedForms);
            return {};
        }
        if (forms == std::vector<char32_t>{traditional})
            continue;
        if (std::erase(forms, traditional) > 0)
            forms.insert(forms.begin(), traditional);
        variants.simplified[traditional] = forms;
    }
    if (variants.simplified.empty())
        error = QStringLiteral("no kSimplifiedVariant lines: is it Unihan_Variants.txt?");
    return variants;
}

// A reading without its tone, as the store keys pinyin: "lǜ" -> "lv",
// "zhāo" -> "zhao", "ê̄" -> "e".
QByteArray toneless(const QByteArray &reading)
{
    QByteArray key;
    for (const QChar c : QString::fromUtf8(reading).normalized(QString::NormalizationForm_D)) {
        if (c == u'\u0308' && key.endsWith('u'))
            key.back() = 'v'; // ü decomposes to u and its diaeresis
        else if (c.unicode() >= 'a' && c.unicode() <= 'z')
            key += char(c.unicode());
        else if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            key += char(c.unicode() - 'A' + 'a');
    }
    return key;
}

using Readings = std::map<char32_t, std::vector<QByteArray>>; // ordered by code point

// Reads every Mandarin reading field: kMandarin ("cháo"), kHanyuPinlu
// ("cháo(296) zhāo(10)"), and kHanyuPinyin, kXHC1983 and kTGHZ2013, whose
// entries are "location:reading,reading". A character's readings keep
// the order they first come in, each once.
Readings readReadings(QFile &file, QString &error)
{
    static const QList<QByteArray> kFields = {"kMandarin", "kHanyuPinlu", "kHanyuPinyin", "kXHC1983", "kTGHZ2013"};
    Readings readings;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        ++lineNumber;
        const QList<QByteArray> fields = line.split('\t');
        if (line.startsWith('#') || fields.size() != 3 || !kFields.contains(fields.at(1)))
            continue;
        const char32_t character = codePoint(fields.at(0));
        if (character == 0) {
            error = QStringLiteral("line %1 names no character").arg(lineNumber);
            return {};
        }
        std::vector<QByteArray> &own = readings[character];
        for (QByteArray entry : fields.at(2).split(' ')) {
            if (const qsizetype colon = entry.lastIndexOf(':'); colon >= 0)
                entry = entry.mid(colon + 1);
            if (const qsizetype count = entry.indexOf('('); count >= 0)
                entry.truncate(count);
            for (const QByteArray &reading : entry.split(',')) {
                const QByteArray key = toneless(reading);
                if (!key.isEmpty() && std::find(own.begin(), own.end(), key) == own.end())
                    own.push_back(key);
            }
        }
        if (own.empty())
            readings.erase(character);
    }
    if (readings.empty())
        error = QStringLiteral("no Mandarin readings: is it Unihan_Readings.txt?");
    return readings;
}

// The leading digits of a field's value: "140.6" -> 140, "65*" -> 65,
// "120'.6" -> 120; 0 when it begins with none.
int leadingNumber(const QByteArray &value)
{
    int number = 0;
    for (const char c : value) {
        if (c < '0' || c > '9')
            break;
        number = number * 10 + (c - '0');
    }
    return number;
}

using Shapes = std::map<char32_t, CharacterShape>; // ordered by code point

// Reads kPhonetic and kCangjie (Unihan_DictionaryLikeData.txt) or kRSUnicode
// and kTotalStrokes (Unihan_IRGSources.txt) into `shapes`, for the
// characters of U+3400-U+9FFF.
void readShapes(QFile &file, Shapes &shapes)
{
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const QList<QByteArray> fields = line.split('\t');
        if (line.startsWith('#') || fields.size() != 3)
            continue;
        const char32_t character = codePoint(fields.at(0));
        if (character < 0x3400 || character > 0x9FFF)
            continue;
        const QByteArray &field = fields.at(1);
        const QList<QByteArray> values = fields.at(2).split(' ');
        if (field != "kPhonetic" && field != "kCangjie" && field != "kRSUnicode" && field != "kTotalStrokes")
            continue;
        CharacterShape &shape = shapes.try_emplace(character, CharacterShape{character, {0, 0}, 0, 0, {}}).first->second;
        if (field == "kPhonetic") {
            for (int i = 0; i < 2 && i < values.size(); ++i)
                shape.phonetic[i] = std::uint16_t(leadingNumber(values.at(i)));
        } else if (field == "kCangjie") {
            const QByteArray code = values.first().left(5);
            std::copy(code.begin(), code.end(), shape.cangjie);
        } else if (field == "kRSUnicode") {
            shape.radical = std::uint8_t(leadingNumber(values.first()));
        } else {
            shape.strokes = std::uint8_t(std::min(leadingNumber(values.first()), 255));
        }
    }
}

// A simplified character that Unihan gives no phonetic series takes its
// traditional form's: 谬 that of 謬, 缪 that of 繆.
void inheritPhonetics(const Variants &variants, Shapes &shapes)
{
    for (const auto &[traditional, forms] : variants.simplified) {
        const auto from = shapes.find(traditional);
        if (from == shapes.end() || from->second.phonetic[0] == 0)
            continue;
        for (const char32_t simplified : forms) {
            const auto to = shapes.find(simplified);
            if (to != shapes.end() && to->second.phonetic[0] == 0)
                std::copy(std::begin(from->second.phonetic), std::end(from->second.phonetic), to->second.phonetic);
        }
    }
}

QByteArray hex(char32_t c)
{
    return "0x" + QByteArray::number(uint(c), 16).toUpper();
}

QByteArray generatedSource(const Variants &variants, const Readings &readings, const Shapes &shapes)
{
    QByteArray out;
    out += "// Generated by vura-unihan from Unihan_Variants.txt and Unihan_Readings.txt (Unicode "
           + variants.unicodeVersion + "):\n// the simplified forms of " + QByteArray::number(variants.simplified.size())
           + " characters, " + QByteArray::number(variants.others.size()) + " other variant forms and the readings of "
           + QByteArray::number(readings.size()) + " characters.\n// Do not edit; see store/unihantables.h.\n"
             "#include \"store/unihantables.h\"\n\n"
             "#include <algorithm>\n\n"
             "namespace {\n\n"
             "constexpr SimplifiedVariant kTable[] = {\n";
    // Entries a few to a line, every line indented.
    const auto rows = [&out](const std::vector<QByteArray> &entries, int perLine) {
        for (size_t i = 0; i < entries.size(); ++i)
            out += (i % perLine == 0 ? "    " : " ") + entries[i] + (i % perLine == size_t(perLine - 1) ? "\n" : "");
        if (entries.size() % perLine != 0)
            out += '\n';
    };
    std::vector<QByteArray> entries;
    for (const auto &[traditional, forms] : variants.simplified) {
        QByteArray entry = "{" + hex(traditional) + ",{";
        for (size_t i = 0; i < forms.size(); ++i)
            entry += (i ? "," : "") + hex(forms[i]);
        entries.push_back(entry + "}},");
    }
    rows(entries, 6);
    out += "};\n\n"
           "// The look-up searches it by halving.\n"
           "static_assert(std::ranges::adjacent_find(kTable, std::ranges::greater_equal(),\n"
           "                                         &SimplifiedVariant::traditional) == std::ranges::end(kTable));\n\n"
           "constexpr VariantForm kVariants[] = {\n";
    entries.clear();
    for (const auto &[character, variant] : variants.others)
        entries.push_back("{" + hex(character) + "," + hex(variant) + "},");
    rows(entries, 8);
    out += "};\n\n"
           "constexpr CharacterReadings kReadings[] = {\n";
    entries.clear();
    for (const auto &[character, syllables] : readings)
        entries.push_back("{" + hex(character) + ",\"" + QByteArrayList(syllables.begin(), syllables.end()).join(' ') + "\"},");
    rows(entries, 6);
    out += "};\n\n"
           "constexpr CharacterShape kShapes[] = {\n";
    entries.clear();
    for (const auto &[character, shape] : shapes)
        entries.push_back("{" + hex(character) + ",{" + QByteArray::number(shape.phonetic[0]) + ","
                          + QByteArray::number(shape.phonetic[1]) + "}," + QByteArray::number(shape.radical) + ","
                          + QByteArray::number(shape.strokes) + ",\"" + QByteArray(shape.cangjie, qstrnlen(shape.cangjie, 6))
                          + "\"},");
    rows(entries, 4);
    out += "};\n\n"
           "} // namespace\n\n"
           "const std::span<const SimplifiedVariant> kSimplifiedVariants(kTable);\n"
           "const std::span<const VariantForm> kVariantForms(kVariants);\n"
           "const std::span<const CharacterReadings> kCharacterReadings(kReadings);\n"
           "const std::span<const CharacterShape> kCharacterShapes(kShapes);\n";
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: vura-unihan Unihan_Variants.txt Unihan_Readings.txt "
                             "Unihan_DictionaryLikeData.txt Unihan_IRGSources.txt OUTPUT.cpp\n");
        return 2;
    }
    const QString outputPath = QFile::decodeName(argv[5]);
    QFile variantsFile(QFile::decodeName(argv[1]));
    QFile readingsFile(QFile::decodeName(argv[2]));
    QFile dictionaryFile(QFile::decodeName(argv[3]));
    QFile sourcesFile(QFile::decodeName(argv[4]));
    for (QFile *input : {&variantsFile, &readingsFile, &dictionaryFile, &sourcesFile}) {
        if (!input->open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "vura-unihan: %s: %s\n", qPrintable(input->fileName()), qPrintable(input->errorString()));
            return 1;
        }
    }
    QString error;
    const Variants variants = readVariants(variantsFile, error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "vura-unihan: %s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    const Readings readings = readReadings(readingsFile, error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "vura-unihan: %s: %s\n", argv[2], qPrintable(error));
        return 1;
    }
    Shapes shapes;
    readShapes(dictionaryFile, shapes);
    readShapes(sourcesFile, shapes);
    if (shapes.empty()) {
        std::fprintf(stderr, "vura-unihan: %s, %s: no kPhonetic, kCangjie, kRSUnicode or kTotalStrokes lines\n",
                     argv[3], argv[4]);
        return 1;
    }
    inheritPhonetics(variants, shapes);
    // Written whole or not at all: a failed build leaves no half table.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(generatedSource(variants, readings, shapes)) < 0 || !output.commit()) {
        std::fprintf(stderr, "vura-unihan: %s: %s\n", argv[5], qPrintable(output.errorString()));
        return 1;
    }
    std::printf("vura-unihan: %zu simplified variants, %zu other variant forms, the readings of %zu characters and "
                "the shapes of %zu written to %s\n", variants.simplified.size(), variants.others.size(), readings.size(),
                shapes.size(), argv[5]);
    return 0;
}
