#include "speech/spokenreading.h"

#include "store/textfold.h"

#include <QSet>
#include <algorithm>
#include <optional>

namespace {

// Every syllable of Mandarin, ü as v.
constexpr QStringView kSyllables =
    u"a ai an ang ao "
    u"ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu "
    u"ca cai can cang cao ce cen ceng cha chai chan chang chao che chen cheng chi chong chou chu chua chuai chuan "
    u"chuang chui chun chuo ci cong cou cu cuan cui cun cuo "
    u"da dai dan dang dao de dei den deng di dia dian diao die ding diu dong dou du duan dui dun duo "
    u"e ei en eng er "
    u"fa fan fang fei fen feng fo fou fu "
    u"ga gai gan gang gao ge gei gen geng gong gou gu gua guai guan guang gui gun guo "
    u"ha hai han hang hao he hei hen heng hm hng hong hou hu hua huai huan huang hui hun huo "
    u"ji jia jian jiang jiao jie jin jing jiong jiu ju juan jue jun "
    u"ka kai kan kang kao ke kei ken keng kong kou ku kua kuai kuan kuang kui kun kuo "
    u"la lai lan lang lao le lei leng li lia lian liang liao lie lin ling liu lo long lou lu luan lun luo lv lve "
    u"m ma mai man mang mao me mei men meng mi mian miao mie min ming miu mo mou mu "
    u"n na nai nan nang nao ne nei nen neng ng ni nian niang niao nie nin ning niu nong nou nu nuan nun nuo nv nve "
    u"o ou "
    u"pa pai pan pang pao pei pen peng pi pian piao pie pin ping po pou pu "
    u"qi qia qian qiang qiao qie qin qing qiong qiu qu quan que qun "
    u"ran rang rao re ren reng ri rong rou ru rua ruan rui run ruo "
    u"sa sai san sang sao se sen seng sha shai shan shang shao she shei shen sheng shi shou shu shua shuai shuan "
    u"shuang shui shun shuo si song sou su suan sui sun suo "
    u"ta tai tan tang tao te teng ti tian tiao tie ting tong tou tu tuan tui tun tuo "
    u"wa wai wan wang wei wen weng wo wu "
    u"xi xia xian xiang xiao xie xin xing xiong xiu xu xuan xue xun "
    u"ya yan yang yao ye yi yin ying yo yong you yu yuan yue yun "
    u"za zai zan zang zao ze zei zen zeng zha zhai zhan zhang zhao zhe zhei zhen zheng zhi zhong zhou zhu zhua "
    u"zhuai zhuan zhuang zhui zhun zhuo zi zong zou zu zuan zui zun zuo";

const QSet<QString> &syllableSet()
{
    static const QSet<QString> set = [] {
        QSet<QString> syllables;
        for (const QStringView syllable : kSyllables.tokenize(u' ', Qt::SkipEmptyParts))
            syllables.insert(syllable.toString());
        return syllables;
    }();
    return set;
}

// One syllable as written: its letters (a-z, ü as v), its tone (0 when it
// has none), and whether a clause ends after it.
struct Written
{
    QString letters;
    int tone = 0; // the last tone written
    // Each tone mark or digit and the number of letters before it: more
    // than one, and the syllable is several written together.
    QList<std::pair<qsizetype, int>> marks;
    bool endsClause = false;
    bool erhua = false;
};

// The tone a combining mark gives; 0 for any other.
int toneOfMark(char16_t mark)
{
    switch (mark) {
    case 0x0304: return 1; // macron
    case 0x0301: return 2; // acute
    case 0x030C: return 3; // caron
    case 0x0300: return 4; // grave
    default: return 0;
    }
}

bool endsClause(QChar c)
{
    return c.isPunct() && c != u'\'' && c != u'’';
}

// The pinyin cut at white space, apostrophes and punctuation.
QList<Written> writtenSyllables(QStringView pinyin)
{
    QList<Written> syllables;
    Written current;
    const auto close = [&] {
        if (!current.letters.isEmpty())
            syllables.append(current);
        current = Written();
    };
    const QString decomposed = pinyin.toString().normalized(QString::NormalizationForm_D);
    for (const QChar c : decomposed) {
        if (c.isSpace() || c.isPunct() || c.isSymbol()) {
            close();
            if (endsClause(c) && !syllables.isEmpty())
                syllables.last().endsClause = true;
        } else if (c.unicode() == 0x0308) { // diaeresis: u becomes ü
            if (current.letters.endsWith(u'u'))
                current.letters.back() = u'v';
        } else if (const int tone = toneOfMark(c.unicode())) {
            current.tone = tone;
            current.marks.append({current.letters.size(), tone});
        } else if (c >= u'1' && c <= u'5') {
            current.tone = c.digitValue();
            current.marks.append({current.letters.size(), current.tone});
            close(); // a digit ends its syllable: "yi1xin1"
        } else if (c.unicode() == 0x0261) { // script g
            current.letters += u'g';
        } else if (c.isLetter() && c.toLower().unicode() < 0x80) {
            current.letters += c.toLower();
        } else if (c.category() != QChar::Mark_NonSpacing) {
            current.letters += c; // no pinyin: the syllable is not valid
        }
    }
    close();
    return syllables;
}

// Letters written together with `pieces` tones, cut into the fewest valid
// syllables, at least two and at least one a tone; nothing when they cannot
// be. A piece without a tone is a neutral one: "gōngfu".
std::optional<QStringList> cutTogether(const QString &letters, int pieces)
{
    // The fewest valid syllables that make the letters, by their ends.
    const qsizetype n = letters.size();
    QList<qsizetype> from(n + 1, -1);
    QList<int> count(n + 1, 1 << 20);
    count[0] = 0;
    for (qsizetype end = 1; end <= n; ++end) {
        for (qsizetype start = std::max<qsizetype>(0, end - 6); start < end; ++start) {
            // A syllable after another begins with a, o or e only after an apostrophe.
            const bool apart = start == 0 || !QStringView(u"aoe").contains(letters.at(start));
            // Nor is an interjection (m, n, ng, hm, hng) part of a word.
            const QStringView piece = QStringView(letters).sliced(start, end - start);
            const bool interjection = piece == u"m" || piece == u"n" || piece == u"ng" || piece == u"hm" ||
                piece == u"hng";
            if (apart && !interjection && count[start] + 1 < count[end] && isMandarinSyllable(piece)) {
                count[end] = count[start] + 1;
                from[end] = start;
            }
        }
    }
    if (count[n] < std::max(pieces, 2) || count[n] >= (1 << 20))
        return std::nullopt;
    QStringList cut;
    for (qsizetype end = n; end > 0; end = from[end])
        cut.prepend(letters.sliced(from[end], end - from[end]));
    return cut;
}

// The spelling rules that turn a written ü into u, and a lue into lve.
QString spelled(QString letters)
{
    if (letters.size() > 1 && QStringView(u"jqxy").contains(letters.front()) && letters.at(1) == u'v')
        letters[1] = u'u';
    if (letters == u"lue" || letters == u"nue")
        letters[1] = u'v';
    return letters;
}

int editDistance(QStringView a, QStringView b)
{
    QList<int> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The valid syllable nearest `letters`: among the readings of `character`
// (0 when unknown) within two letters, else among all syllables one letter
// dropped, then changed, then added. Nothing when none is that near.
std::optional<QString> nearestSyllable(const QString &letters, char32_t character)
{
    std::optional<QString> best;
    int bestDistance = 3;
    for (const std::string_view reading : readingsOf(character)) {
        const QString syllable = QString::fromLatin1(reading.data(), qsizetype(reading.size()));
        const int distance = editDistance(letters, syllable);
        if (distance < bestDistance && isMandarinSyllable(syllable)) {
            best = syllable;
            bestDistance = distance;
        }
    }
    if (best)
        return best;
    QStringList dropped, changed, added;
    for (const QString &syllable : syllableSet()) {
        if (editDistance(letters, syllable) != 1)
            continue;
        if (syllable.size() < letters.size())
            dropped << syllable;
        else if (syllable.size() == letters.size())
            changed << syllable;
        else
            added << syllable;
    }
    for (QStringList *candidates : {&dropped, &changed, &added}) {
        if (!candidates->isEmpty()) {
            candidates->sort();
            return candidates->first();
        }
    }
    return std::nullopt;
}

bool isNumeral(char32_t c)
{
    return std::u32string_view(U"〇一二三四五六七八九十百千万亿").find(c) != std::u32string_view::npos;
}

// The tone 一 or 不 at `i` takes before the syllable after it.
void changeTone(QList<Written> &syllables, const std::u32string &characters, qsizetype i)
{
    Written &syllable = syllables[i];
    const bool last = syllable.endsClause || i + 1 == syllables.size();
    if (last)
        return;
    const int next = syllables[i + 1].tone;
    if (characters[i] == U'不' && syllable.letters == u"bu" && syllable.tone == 4) {
        if (next == 4)
            syllable.tone = 2;
    } else if (characters[i] == U'一' && syllable.letters == u"yi" && syllable.tone == 1) {
        const bool counted = (i > 0 && (characters[i - 1] == U'第' || isNumeral(characters[i - 1]) ||
                                        std::u32string_view(U"统唯惟独").find(characters[i - 1]) != std::u32string_view::npos)) ||
            std::u32string_view(U"〇一二三四五六七八九十").find(characters[i + 1]) != std::u32string_view::npos;
        if (!counted && next >= 1 && next <= 4)
            syllable.tone = next == 4 ? 2 : 4;
    }
}

} // namespace

bool isMandarinSyllable(QStringView letters)
{
    return syllableSet().contains(letters.toString());
}

QString SpokenReading::toneDigits() const
{
    QStringList joined;
    for (const QStringList &clause : clauses)
        joined << clause.join(u' ');
    return joined.join(QStringLiteral(", "));
}

QStringList SpokenReading::syllables() const
{
    QStringList all;
    for (const QStringList &clause : clauses)
        all << clause;
    return all;
}

SpokenReading spokenReading(QStringView text, QStringView pinyin)
{
    SpokenReading reading;
    // Syllables written together, then erhua, then each made valid.
    QList<Written> syllables;
    for (Written &written : writtenSyllables(pinyin)) {
        written.letters = spelled(written.letters);
        if (!written.marks.isEmpty() && !isMandarinSyllable(written.letters)) {
            if (const auto cut = cutTogether(written.letters, int(written.marks.size()))) {
                // Each piece takes the tone marked on one of its letters. A
                // neutral tone never begins a word: "aíng" is no a and íng.
                QList<Written> parts;
                qsizetype end = 0;
                for (const QString &piece : *cut) {
                    Written part;
                    part.letters = piece;
                    end += piece.size();
                    for (const auto &[letters, tone] : std::as_const(written.marks)) {
                        if (letters > end - piece.size() && letters <= end)
                            part.tone = tone;
                    }
                    parts.append(part);
                }
                if (parts.first().tone != 0) {
                    parts.last().endsClause = written.endsClause;
                    syllables << parts;
                    continue;
                }
            }
        }
        if (written.letters == u"r" && !syllables.isEmpty() && !syllables.last().erhua) {
            syllables.last().erhua = true;
            continue;
        }
        if (written.letters.size() > 1 && written.letters.endsWith(u'r') && written.letters != u"er" &&
            !isMandarinSyllable(written.letters) && isMandarinSyllable(QStringView(written.letters).chopped(1))) {
            written.letters.chop(1);
            written.erhua = true;
        }
        syllables.append(written);
    }
    // The 儿 of an erhua has no syllable of its own.
    std::u32string characters;
    qsizetype syllable = 0;
    for (const char32_t c : codePoints(text)) {
        if (QChar::category(c) == QChar::Other_PrivateUse)
            continue; // a character of some font's own, which the idioms' sources lacked
        if (c == U'儿' && syllable > 0 && syllable <= syllables.size() && syllables[syllable - 1].erhua)
            continue;
        characters.push_back(c);
        ++syllable;
    }
    const bool aligned = qsizetype(characters.size()) == syllables.size();
    for (qsizetype i = 0; i < syllables.size(); ++i) {
        Written &syllable = syllables[i];
        if (isMandarinSyllable(syllable.letters))
            continue;
        reading.faults << syllable.letters;
        const auto nearest = nearestSyllable(syllable.letters, aligned ? characters[size_t(i)] : 0);
        if (!nearest) {
            reading.fromCharacters = true;
            return reading;
        }
        syllable.letters = *nearest;
    }
    if (!aligned) {
        reading.fromCharacters = true;
        return reading;
    }
    const auto digits = [](const Written &syllable) {
        return syllable.letters + QString::number(syllable.tone ? syllable.tone : 5) +
            (syllable.erhua ? QStringLiteral("r") : QString());
    };
    for (const Written &syllable : std::as_const(syllables))
        reading.written << digits(syllable);
    for (qsizetype i = 0; i < syllables.size(); ++i)
        changeTone(syllables, characters, i);
    QStringList clause;
    for (const Written &syllable : syllables) {
        clause << digits(syllable);
        if (syllable.endsClause) {
            reading.clauses << clause;
            clause.clear();
        }
    }
    if (!clause.isEmpty())
        reading.clauses << clause;
    return reading;
}
