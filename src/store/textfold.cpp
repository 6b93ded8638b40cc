#include "store/textfold.h"
#include "store/simplifiedvariants.h"

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

// The text in NFKC, without white space, with the idioms' comma.
QString plainText(const QString &typed)
{
    const QString folded = typed.normalized(QString::NormalizationForm_KC);
    QString plain;
    plain.reserve(folded.size());
    for (const QChar c : folded) {
        if (!c.isSpace())
            plain.append(c == u',' ? kIdiomComma : c);
    }
    return plain;
}

} // namespace

QStringList plainForms(const QString &typed)
{
    const QString plain = plainText(typed);
    if (plain.isEmpty())
        return {};
    // A lone surrogate stays a character of its own.
    std::vector<char32_t> codePoints;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        char32_t c = plain.at(i).unicode();
        if (plain.at(i).isHighSurrogate() && i + 1 < plain.size() && plain.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(plain.at(i), plain.at(i + 1));
            ++i;
        }
        codePoints.push_back(c);
    }
    // The choices for each character, and which characters have several:
    // the wheels of an odometer whose last wheel turns fastest. Each form
    // costs one pass over the text, so a long text stays cheap.
    std::vector<std::span<const char32_t>> choices;
    std::vector<size_t> wheels;
    for (const char32_t &c : codePoints) {
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
                 && c != u'\'' && c != u'’' && !(c >= u'1' && c <= u'5'))
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
