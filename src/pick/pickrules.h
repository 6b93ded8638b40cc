// What 取词 looks up of what the reader copies or selects: a short text,
// never one that a password manager marks as secret.
#pragma once

#include <QString>

class QMimeData;

// The most characters a picked text may have once the search has made it
// plain (punctuation, spaces and the words of a question out).
inline constexpr int kMostPickedCharacters = 40;

// Whether `text`, made plain as the search makes it, has at least one and
// at most kMostPickedCharacters characters.
bool shortEnoughToPick(const QString &text);

// Whether a password manager marked `data` as not to be read by clipboard
// tools: on X11 the type x-kde-passwordManagerHint holding "secret"; on
// Windows the formats ExcludeClipboardContentFromMonitorProcessing or
// Clipboard Viewer Ignore, which Qt lists under its own type for Windows'
// formats.
bool markedSecret(const QMimeData &data);
