// A speech engine, as the program knows it: is there a Chinese voice, read
// an idiom, stop. One engine per system is built in (makeSystemSpeaker);
// tests give their own. An engine may take seconds to load (speech-dispatcher
// lists thousands of voices): it loads without blocking, and says when it
// has.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class Speaker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether the engine has loaded and knows its voices.
    virtual bool isLoaded() const = 0;
    // Once loaded: whether a Chinese voice is there to read with.
    virtual bool hasVoice() const = 0;
    // Why there is none and what to install, for the reader; empty while
    // there is one.
    virtual QString missingVoice() const = 0;
    // Starts reading the syllables `toneDigits` ("nan4 xiong1 nan4 di4"),
    // or the characters `text` when there are none, and returns at once.
    virtual void speak(const QString &toneDigits, const QString &text) = 0;
    // Stops reading at once.
    virtual void stop() = 0;
    virtual bool isSpeaking() const = 0;

signals:
    // The engine has loaded: hasVoice() and missingVoice() say what it found.
    void loaded();
    // Reading ended: done, stopped or failed.
    void finished();
};

// The engine of this system, starting to load now: Qt's speech module
// through speech-dispatcher on Linux, SAPI on Windows. Always an engine,
// with no voice when the system has none.
std::unique_ptr<Speaker> makeSystemSpeaker();
// Without loading the engine, from what is installed: why this system
// surely has no Chinese voice, or empty when it may have one. Quick enough
// for start-up, so that 朗读 is greyed before it is first pressed.
QString systemVoiceMissing();
