// vura for shells and scripts: `vura --find TEXT` prints what the main
// window's search lists, one idiom a line; `vura --chain TEXT [--rule
// char|sound|tone]` the idioms that may follow TEXT in the idiom chain;
// `vura --say TEXT` reads aloud the idiom the search finds first for TEXT;
// `vura --daily [YYYY-MM-DD]` prints the day's idiom (每日一成语);
// `--help` and `--version` say what the program is. It opens no window and needs no display.
// `vura --pick` alone opens the window with 取词 on.
#pragma once

#include "speech/readaloud.h"

#include <QString>
#include <QStringList>

#include <chrono>

// What a run of the command line prints, and its exit status: 0 when the
// search found idioms (or help or the version was asked for, or the idiom
// was read aloud), 1 when it found nothing, 2 when the arguments are wrong or
// the idioms cannot be read, 3 when there is no Chinese voice to read with,
// 4 when the engine took the idiom but did not finish reading it.
struct CommandLineRun
{
    int status = 0;
    QString output; // stdout: the results, help or version
    QString errors; // stderr: what went wrong, or a warning beside the results
};

// Runs the command line of `arguments` (the program's name first) on the
// dictionary of the program in `programFolder`, found and written by the same
// rules as the window's, reading aloud with the engine `speakers` makes and
// waiting at most `sayGivesUpAfter` for it to finish.
// Needs a QCoreApplication, whose event loop it runs while it reads aloud.
CommandLineRun runCommandLine(const QStringList &arguments, const QString &programFolder,
                              const ReadAloud::SpeakerFactory &speakers = makeSystemSpeaker,
                              std::chrono::milliseconds sayGivesUpAfter = std::chrono::seconds(30));

// The program started with arguments: under a QCoreApplication of its own,
// writing to the standard output and error it was given (on Windows, to the
// console it was started from) in UTF-8. Returns the exit status.
int commandLineMain(int argc, char *argv[]);

// Whether the program was started as `vura --pick`, which opens the window
// with 取词 on rather than running the command line.
bool startsPicking(int argc, char *argv[]);
