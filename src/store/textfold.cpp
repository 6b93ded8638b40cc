#include "store/textfold.h"
#include "store/unihantables.h"

#include <QHash>

#include <algorithm>
#include <span>
#include <vector>

namespace {

// How the idioms write the comma between two clauses (一言既出，驷马难追);
// NFKC folds it to the ASCII one.
constexpr QChar kIdiomComma = u'，';
constexpr QChar kCombiningDiaeresis = u'\u0308';
constexpr QChar kLatinScriptG = u'\u0261'; // ɡ, in a few py

// The simplified forms of `c` in Unihan; empty when it has none but itself.
std::span<const char32_t> simplifiedForms(char32_t c)
{
    const auto entry = std::ranges::lower_bound(kSimplifiedVariants, c, {}, &SimplifiedVariant::traditional);
    if (entry == kSimplifiedVariants.end() || entry->traditional != c)
        return {};
    const std::span<const char32_t> forms(entry->simplified);
    return forms.first(std::ranges::find(forms, char32_t(0)) - forms.begin());
}

// Words readers put after or before an idiom they ask about, longest first
// where one ends another.
constexpr std::u16string_view kAskingAfter[] = {
    u"的意思是什么", u"是什么意思", u"是啥意思", u"啥意思", u"什么意思", u"的意思", u"的含义", u"的解释",
    u"的成语", u"这个成语", u"的出处", u"的典故", u"的故事", u"的拼音", u"的读音", u"怎么读", u"怎么写",
    u"是什么", u"意思", u"出自哪里", u"出自哪儿", u"出自", u"的近义词", u"的反义词",
};
constexpr std::u16string_view kAskingBefore[] = {u"什么是", u"成语", u"请问"};

// Punctuation that ends a clause or marks a quotation, a title or an aside
// is dropped; % and _ are the search's wildcards and stay.
bool isDropped(QChar c)
{
    return c.isPunct() && c != u'%' && c != u'_';
}

// The text in NFKC, without white space, punctuation or the words around
// it, with the idioms' comma between clauses.
QString plainText(const QString &typed)
{
    const QString folded = typed.normalized(QString::NormalizationForm_KC);
    QString plain;
    plain.reserve(folded.size());
    for (const QChar c : folded) {
        if (c.isSpace())
            continue;
        if (c == u',' || c == kIdiomComma) {
            if (!plain.isEmpty() && !plain.endsWith(kIdiomComma))
                plain.append(kIdiomComma);
        } else if (!isDropped(c)) {
            plain.append(c);
        }
    }
    if (plain.endsWith(kIdiomComma))
        plain.chop(1);
    // What is left of a question must still be long enough to be an idiom.
    for (bool dropped = true; dropped;) {
        dropped = false;
        for (const std::u16string_view words : kAskingAfter) {
            const QStringView view(words.data(), qsizetype(words.size()));
            if (plain.endsWith(view) && plain.size() - view.size() >= 2) {
                plain.chop(view.size());
                dropped = true;
            }
        }
        for (const std::u16string_view words : kAskingBefore) {
            const QStringView view(words.data(), qsizetype(words.size()));
            if (plain.startsWith(view) && plain.size() - view.size() >= 2) {
                plain.remove(0, view.size());
                dropped = true;
            }
        }
    }
    return plain;
}

} // namespace

QStringList plainForms(const QString &typed)
{
    const QString plain = plainText(typed);
    if (plain.isEmpty())
        return {};
    const std::u32string points = allCodePoints(plain);
    // The choices for each character, and which characters have several:
    // the wheels of an odometer whose last wheel turns fastest. Each form
    // costs one pass over the text, so a long text stays cheap.
    std::vector<std::span<const char32_t>> choices;
    std::vector<size_t> wheels;
    for (const char32_t &c : points) {
        std::span<const char32_t> forms = simplifiedForms(c);
        choices.push_back(forms.empty() ? std::span(&c, 1) : forms);
        if (forms.size() > 1)
            wheels.push_back(choices.size() - 1);
    }
    std::vector<size_t> picked(choices.size(), 0);
    // Turns the wheels to the next combination; false after the last one.
    const auto turn = [&] {
        for (auto wheel = wheels.rbegin(); wheel != wheels.rend(); ++wheel) {
            size_t &pick = picked[*wheel];
            pick = (pick + 1) % choices[*wheel].size();
            if (pick != 0)
                return true;
        }
        return false;
    };
    QStringList forms;
    do {
        QString form;
        form.reserve(plain.size());
        for (size_t i = 0; i < choices.size(); ++i)
            form.append(QChar::fromUcs4(choices[i][picked[i]]));
        forms.append(form);
    } while (forms.size() < kMaxPlainForms && turn());
    if (!forms.contains(plain)) {
        if (forms.size() == kMaxPlainForms)
            forms.removeLast();
        forms.append(plain);
    }
    return forms;
}

QString pinyinKey(const QString &py)
{
    const QString decomposed = py.toLower().normalized(QString::NormalizationForm_D);
    QString letters;
    letters.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c == kCombiningDiaeresis && letters.endsWith(u'u'))
            letters.back() = u'v';
        else if (c == kLatinScriptG)
            letters.append(u'g');
        else if (c.category() != QChar::Mark_NonSpacing && !c.isSpace() && c != u',' && c != kIdiomComma
                 && c != u'\'' && c != u'’' && c != u'-' && c != u'\u2010' && !(c >= u'1' && c <= u'5'))
            letters.append(c);
    }
    return letters;
}

std::optional<QString> typedPinyin(const QString &text)
{
    QString pinyin = pinyinKey(text.normalized(QString::NormalizationForm_KC));
    const bool onlyLetters = std::ranges::all_of(pinyin, [](QChar c) { return c >= u'a' && c <= u'z'; });
    if (pinyin.isEmpty() || !onlyLetters)
        return std::nullopt;
    return pinyin;
}

bool beginsWithPinyin(QStringView key, QStringView typed)
{
    if (typed.size() > key.size())
        return false;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (typed[i] != key[i] && !(typed[i] == u'u' && key[i] == u'v'))
            return false;
    }
    return true;
}

std::u32string allCodePoints(QStringView text)
{
    std::u32string points;
    points.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        points.push_back(c);
    }
    return points;
}

std::u32string codePoints(QStringView text)
{
    std::u32string points = allCodePoints(text);
    std::erase_if(points, [](char32_t c) { return QChar::isPunct(c); });
    return points;
}

char32_t knownForm(char32_t c, const std::function<bool(char32_t)> &known)
{
    if (known(c))
        return c;
    for (const char32_t simplified : simplifiedForms(c)) {
        if (known(simplified))
            return simplified;
    }
    const auto byCharacter = [](const VariantForm &a, const VariantForm &b) { return a.character < b.character; };
    const auto [first, last] = std::equal_range(kVariantForms.begin(), kVariantForms.end(), VariantForm{c, 0}, byCharacter);
    for (const VariantForm &form : std::span(first, last)) {
        if (known(form.variant))
            return form.variant;
        for (const char32_t simplified : simplifiedForms(form.variant)) {
            if (known(simplified))
                return simplified;
        }
    }
    return c;
}

std::string nearSound(std::string_view syllable)
{
    std::string near(syllable);
    if (near.size() > 2 && near[1] == 'h' && (near[0] == 'z' || near[0] == 'c' || near[0] == 's'))
        near.erase(1, 1);
    else if (!near.empty() && (near[0] == 'n' || near[0] == 'r') && near != "ng" && near != "n")
        near[0] = 'l';
    else if (!near.empty() && near[0] == 'h' && near != "hm" && near != "hng")
        near[0] = 'f';
    const auto endsWith = [&near](std::string_view end) {
        return near.size() >= end.size() && near.compare(near.size() - end.size(), end.size(), end) == 0;
    };
    if (endsWith("ang") || endsWith("eng") || endsWith("ing"))
        near.pop_back();
    else if (endsWith("ai") && near.size() > 2)
        near.pop_back(); // nài for nà: 按耐不住 for 按捺不住
    return near;
}

std::vector<std::string_view> readingsOf(char32_t c)
{
    const auto entry = std::ranges::lower_bound(kCharacterReadings, c, {}, &CharacterReadings::character);
    if (entry == kCharacterReadings.end() || entry->character != c)
        return {};
    std::vector<std::string_view> readings;
    std::string_view rest(entry->syllables);
    for (size_t space = rest.find(' '); space != std::string_view::npos; space = rest.find(' ')) {
        readings.push_back(rest.substr(0, space));
        rest.remove_prefix(space + 1);
    }
    readings.push_back(rest);
    return readings;
}

std::vector<std::string> pinyinSyllables(QStringView py)
{
    // As pinyinKey, with the separators kept. The whole data set's pinyin is
    // read when the search first needs it, so the letters of pinyin with
    // their tones are folded once; any other letter goes through NFD.
    static const QHash<QChar, std::string> kTonedLetters = [] {
        QHash<QChar, std::string> letters;
        for (const QChar c : QStringView(u"āáǎàēéěèêīíǐìōóǒòūúǔùüǖǘǚǜńňǹḿ"))
            letters.insert(c, pinyinKey(QString(c)).toStdString());
        return letters;
    }();
    std::vector<std::string> syllables;
    syllables.reserve(size_t(py.size()) / 3 + 1);
    std::string syllable;
    for (const QChar c : py) {
        if (c.isSpace() || c == u',' || c == kIdiomComma) {
            if (!syllable.empty())
                syllables.push_back(std::move(syllable));
            syllable.clear();
        } else if (c.unicode() < 0x80) {
            const char letter = char(c.toLower().unicode());
            if (letter != '\'' && !(letter >= '1' && letter <= '5'))
                syllable += letter;
        } else if (const auto toned = kTonedLetters.constFind(c); toned != kTonedLetters.cend()) {
            syllable += *toned;
        } else {
            syllable += pinyinKey(QString(c)).toStdString();
        }
    }
    if (!syllable.empty())
        syllables.push_back(std::move(syllable));
    return syllables;
}
