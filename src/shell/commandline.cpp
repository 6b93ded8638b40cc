#include "shell/commandline.h"

#include "chain/game/chainindex.h"
#include "models/storenotice.h"
#include "speech/spokenreading.h"
#include "reader/wordbookfile.h"
#include "store/dailyidiom.h"
#include "store/datafile.h"
#include "store/idiomsearch.h"
#include "store/storeerror.h"
#include "vura/version.h"
#include "widgets/translations.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

enum Status { Found = 0, NothingFound = 1, Failed = 2, NoVoice = 3, NotFinished = 4 };

// What the window's search finds for `text`. The index of the later stages
// is read only for a text the look-ups do not find.
SearchResult search(const IdiomStore &store, const QString &text)
{
    const SearchResult found = IdiomSearch::lookUp(store, text);
    return found.stage == SearchResult::Nothing ? IdiomSearch(store).findMeant(text) : found;
}

// The lines of the search for `text`, in the order of the window's result
// list. Throws StoreError when the data file fails during the search.
QString findLines(const IdiomStore &store, const QString &text)
{
    QString lines;
    QHash<int, QString> known; // an idiom found by several look-ups is read once
    const SearchResult found = search(store, text);
    for (const IdiomEntry &entry : std::as_const(found.entries)) {
        auto line = known.find(entry.id);
        if (line == known.end()) {
            const Idiom idiom = store.idiom(entry.id);
            line = known.insert(entry.id, oneLine(idiom.text) + u'\t' + oneLine(idiom.pinyin) + u'\t'
                                              + oneLine(idiom.meaning) + u'\n');
        }
        lines += *line;
    }
    return lines;
}

// The lines of the idioms that may follow `text` by `rule`: the idiom and
// its pinyin. Throws StoreError when the data file fails.
QString chainLines(const IdiomStore &store, const QString &text, ChainRule rule)
{
    const ChainIndex index(store, rule == ChainRule::SameCharacter ? ChainIndex::Scope::SameCharacter
                                                                   : ChainIndex::Scope::Rules);
    QString lines;
    for (const int link : index.followersOf(text, rule))
        lines += oneLine(index.text(link)) + u'\t' + oneLine(index.pinyin(link)) + u'\n';
    return lines;
}

// Runs `lines` on the program's dictionary: its output, and its status. The
// command line reads and never writes: without a cy.dat, or with one that a
// start of the window would replace, it reads the carried data from memory.
CommandLineRun listed(const QString &programFolder, const std::function<QString(const IdiomStore &)> &lines)
{
    const Dictionary dictionary = readDictionary(programFolder);
    CommandLineRun run;
    if (!dictionary.store) {
        run.errors = storeNotice(*dictionary.failure) + u'\n';
        run.status = Failed;
        return run;
    }
    try {
        run.output = lines(*dictionary.store);
    } catch (const StoreError &error) {
        run.errors += storeNotice(error) + u'\n';
        run.status = Failed;
        return run;
    }
    run.status = run.output.isEmpty() ? NothingFound : Found;
    return run;
}

CommandLineRun find(const QString &text, const QString &programFolder)
{
    if (text.isEmpty())
        return {Failed, {}, QStringLiteral("请输入成语、成语首字或成语拼音简码进行查找！\n")};
    return listed(programFolder, [&text](const IdiomStore &store) { return findLines(store, text); });
}

CommandLineRun chain(const QString &text, const QString &ruleName, const QString &programFolder)
{
    static const QHash<QString, ChainRule> rules{{QStringLiteral("char"), ChainRule::SameCharacter},
                                                 {QStringLiteral("sound"), ChainRule::SameSound},
                                                 {QStringLiteral("tone"), ChainRule::SameTone}};
    if (text.isEmpty())
        return {Failed, {}, QStringLiteral("请输入要接的成语！\n")};
    if (!rules.contains(ruleName))
        return {Failed, {}, QStringLiteral("接龙的规则只有 char、sound 和 tone：%1\n").arg(ruleName)};
    const ChainRule rule = rules.value(ruleName);
    return listed(programFolder, [&](const IdiomStore &store) { return chainLines(store, text, rule); });
}

// The line of the idiom of the day `dateText` (yyyy-mm-dd; today when
// empty), as --find prints an idiom.
CommandLineRun daily(const QString &dateText, const QString &programFolder)
{
    const QDate date = dateText.isEmpty() ? QDate::currentDate() : QDate::fromString(dateText, Qt::ISODate);
    if (!date.isValid())
        return {Failed, {}, QStringLiteral("日期应写作 YYYY-MM-DD：%1\n").arg(dateText)};
    return listed(programFolder, [&date](const IdiomStore &store) {
        const int id = DailyIdiom::idiomOf(store, date);
        if (id == 0)
            return QString();
        const Idiom idiom = store.idiom(id);
        return oneLine(idiom.text) + u'\t' + oneLine(idiom.pinyin) + u'\t' + oneLine(idiom.meaning) + u'\n';
    });
}

// Reads aloud the idiom the search finds first for `text`, and waits until
// it has been read. Its line: the idiom and the syllables the engine is
// given (nothing where it reads the characters).
CommandLineRun say(const QString &text, const QString &programFolder, const ReadAloud::SpeakerFactory &speakers,
                   std::chrono::milliseconds giveUpAfter)
{
    if (text.isEmpty())
        return {Failed, {}, QStringLiteral("请输入要朗读的成语！\n")};
    std::optional<Idiom> idiom;
    CommandLineRun run = listed(programFolder, [&](const IdiomStore &store) {
        const QList<IdiomEntry> entries = search(store, text).entries;
        if (entries.isEmpty())
            return QString();
        idiom = store.idiom(entries.first().id);
        return oneLine(idiom->text) + u'\t' + spokenReading(idiom->text, idiom->pinyin).toneDigits() + u'\n';
    });
    if (!idiom)
        return run;
    ReadAloud reader(speakers);
    QEventLoop loop;
    QObject::connect(&reader, &ReadAloud::finished, &loop, &QEventLoop::quit);
    QObject::connect(&reader, &ReadAloud::voiceMissing, &loop, &QEventLoop::quit);
    // An engine that never says it is done (speech-dispatcher with no sound
    // device to play on) is given up on, and that is no reading.
    bool gaveUp = false;
    QTimer::singleShot(giveUpAfter, &loop, [&] {
        gaveUp = true;
        loop.quit();
    });
    if (reader.read(idiom->text, idiom->pinyin) && reader.isSpeaking())
        loop.exec();
    if (reader.lacksVoice()) {
        run.status = NoVoice;
        run.errors += reader.missingVoice() + u'\n';
    } else if (gaveUp && reader.isSpeaking()) {
        reader.stop();
        run.status = NotFinished;
        run.errors += QStringLiteral("语音引擎 %1 秒内没有读完，也许没有可以播放声音的设备。\n")
                          .arg(std::chrono::duration_cast<std::chrono::seconds>(giveUpAfter).count());
    }
    return run;
}

#ifdef Q_OS_WIN

bool isOpen(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

void useConsole(DWORD which, FILE *stream)
{
    // Read access too: GetConsoleMode needs it to tell the console apart.
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE)
        SetStdHandle(which, console);
    std::freopen("CONOUT$", "w", stream); // for what Qt itself writes through the C runtime
}

// vura.exe is a program of the Windows subsystem, which starts without
// standard handles even from a console. Those not redirected to a file or a
// pipe are given the console of the shell that started it, or the one the
// program already has (Wine gives a GUI program its parent's).
void attachParentConsole()
{
    const bool output = isOpen(STD_OUTPUT_HANDLE);
    const bool errors = isOpen(STD_ERROR_HANDLE);
    if (output && errors)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
        return;
    if (!output)
        useConsole(STD_OUTPUT_HANDLE, stdout);
    if (!errors)
        useConsole(STD_ERROR_HANDLE, stderr);
}

// A console takes the text as UTF-16, whatever its code page; a file or a pipe
// takes the UTF-8 bytes as they are.
void print(DWORD which, const QString &text)
{
    const HANDLE handle = GetStdHandle(which);
    if (text.isEmpty() || !handle || handle == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        // In pieces, as older consoles take no more than 64 KB at once; a
        // piece never ends inside a surrogate pair.
        for (qsizetype from = 0; from < text.size();) {
            qsizetype size = qMin<qsizetype>(text.size() - from, 8192);
            if (from + size < text.size() && text.at(from + size - 1).isHighSurrogate())
                --size;
            DWORD written = 0;
            if (!WriteConsoleW(handle, text.utf16() + from, DWORD(size), &written, nullptr))
                return;
            from += size;
        }
        return;
    }
    const QByteArray bytes = text.toUtf8();
    for (qsizetype from = 0; from < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.constData() + from, DWORD(bytes.size() - from), &written, nullptr) || !written)
            return;
        from += written;
    }
}

#endif

} // namespace

CommandLineRun runCommandLine(const QStringList &arguments, const QString &programFolder,
                              const ReadAloud::SpeakerFactory &speakers, std::chrono::milliseconds sayGivesUpAfter)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(VURA_NAME "，成语词典。不带参数时打开窗口。"));
    const QCommandLineOption findOption(
        QStringLiteral("find"),
        QStringLiteral("查找<文字>，与窗口的查找相同；每个结果一行：成语、拼音、释义，以制表符分隔。"
                       "找到时退出状态为 0，没有找到为 1，成语数据无法读取时为 2。"),
        QStringLiteral("文字"));
    parser.addOption(findOption);
    const QCommandLineOption chainOption(
        QStringLiteral("chain"),
        QStringLiteral("列出可以接在<成语>后面的成语，每个一行：成语、拼音，以制表符分隔。"
                       "有可接的成语时退出状态为 0，没有为 1。"),
        QStringLiteral("成语"));
    parser.addOption(chainOption);
    const QCommandLineOption ruleOption(
        QStringLiteral("rule"),
        QStringLiteral("--chain 的规则：char 同字（默认），sound 同音，tone 同音同调。"),
        QStringLiteral("规则"), QStringLiteral("char"));
    parser.addOption(ruleOption);
    const QCommandLineOption sayOption(
        QStringLiteral("say"),
        QStringLiteral("朗读查找<文字>找到的第一个成语，读完后退出，并输出成语和读音。"
                       "读完时退出状态为 0，没有找到为 1，没有中文语音为 3，语音引擎没有读完为 4。"),
        QStringLiteral("文字"));
    parser.addOption(sayOption);
    const QCommandLineOption dailyOption(
        QStringLiteral("daily"),
        QStringLiteral("输出某一天（YYYY-MM-DD，不写为今天）的每日一成语，与 --find 的结果同样一行。"
                       "退出状态为 0，日期不对时为 2。"));
    parser.addOption(dailyOption);
    // Told apart by main() when alone; listed here for the help.
    const QCommandLineOption pickOption(QStringLiteral("pick"),
                                        QStringLiteral("打开窗口，并打开取词（可用于开机自动启动）。单独使用。"));
    parser.addOption(pickOption);
    // Not the parser's own help option, whose --help-all lists the window's Qt
    // options, which the command line does not take.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示本帮助。"));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption = parser.addVersionOption();

    // Help and the version are printed here rather than by the parser, which
    // ends the process and, on Windows, may show them in a message box.
    if (!parser.parse(arguments))
        return {Failed, {}, parser.errorText() + u'\n'};
    // --daily takes its date, if any, as the one argument after it.
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > (parser.isSet(dailyOption) ? 1 : 0))
        return {Failed, {}, QStringLiteral("多余的参数：%1\n").arg(positional.join(u' '))};
    if (parser.isSet(helpOption))
        return {Found, parser.helpText(), {}};
    if (parser.isSet(versionOption))
        return {Found, QStringLiteral(VURA_NAME " " VURA_VERSION "\n"), {}};
    if (parser.isSet(pickOption))
        return {Failed, {}, QStringLiteral("--pick 打开窗口，不能和别的参数一起使用。\n")};
    if (parser.isSet(findOption))
        return find(parser.value(findOption), programFolder);
    if (parser.isSet(chainOption))
        return chain(parser.value(chainOption), parser.value(ruleOption), programFolder);
    if (parser.isSet(sayOption))
        return say(parser.value(sayOption), programFolder, speakers, sayGivesUpAfter);
    if (parser.isSet(dailyOption))
        return daily(positional.value(0), programFolder);
    return {Failed, {}, parser.helpText()};
}

bool startsPicking(int argc, char *argv[])
{
    return argc == 2 && std::strcmp(argv[1], "--pick") == 0;
}

int commandLineMain(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vura")); // the window's per-user folder
    QCoreApplication::setApplicationVersion(QStringLiteral(VURA_VERSION));
    loadChineseTranslations(&app); // the parser's own words, in the window's language
    const CommandLineRun run =
        runCommandLine(QCoreApplication::arguments(), QCoreApplication::applicationDirPath());
#ifdef Q_OS_WIN
    attachParentConsole();
    print(STD_ERROR_HANDLE, run.errors);
    print(STD_OUTPUT_HANDLE, run.output);
#else
    const QByteArray errors = run.errors.toUtf8();
    const QByteArray output = run.output.toUtf8();
    std::fwrite(errors.constData(), 1, errors.size(), stderr);
    std::fwrite(output.constData(), 1, output.size(), stdout);
    std::fflush(stdout);
#endif
    return run.status;
}
