// Reading idioms aloud for the windows and the command line: loads the
// engine the first time it is asked to read, never before, and reads each
// idiom by its own pinyin (spokenreading.h).
#pragma once

#include "speech/speaker.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class ReadAloud : public QObject
{
    Q_OBJECT

public:
    using SpeakerFactory = std::function<std::unique_ptr<Speaker>()>;

    // `factory` makes the engine when it is first needed.
    explicit ReadAloud(SpeakerFactory factory = makeSystemSpeaker, QObject *parent = nullptr);
    ~ReadAloud() override;

    // Reads the idiom `text` by its pinyin; while another is being read,
    // stops it first; while the engine loads, reads it once loaded. False
    // when the engine is known to have no Chinese voice.
    bool read(const QString &text, const QString &pinyin);
    void stop();
    bool isSpeaking() const;

    // Without loading the engine, asks `installed` whether the system
    // surely has no Chinese voice (systemVoiceMissing()); if so, read()
    // refuses and lacksVoice() says why from now on.
    void lookForVoice(const std::function<QString()> &installed = systemVoiceMissing);

    // Whether the system is known to have no Chinese voice, and why.
    bool lacksVoice() const;
    QString missingVoice() const;

signals:
    // The engine was loaded and has no Chinese voice: `reason` says why
    // and what to install.
    void voiceMissing(const QString &reason);
    // Reading ended: done, stopped or failed.
    void finished();

private:
    Speaker *speaker();
    // Reads what was asked while the engine loaded, or says it cannot.
    void readPending();
    void speak(const QString &text, const QString &pinyin);

    SpeakerFactory m_factory;
    std::unique_ptr<Speaker> m_speaker;
    std::optional<std::pair<QString, QString>> m_pending; // text and pinyin
    QString m_notInstalled; // why no voice is installed, when known before loading
};
