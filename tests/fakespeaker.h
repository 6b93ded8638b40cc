// An engine for tests: it has a voice or not, and writes down what it is
// asked to do instead of speaking. Reading goes on until finish() is called,
// or, for an engine that finishes at once, until the event loop next runs.
#pragma once

#include "speech/speaker.h"

#include <QStringList>
#include <QTimer>

class FakeSpeaker final : public Speaker
{
public:
    // What the engines were asked, in order: "speak nan4 xiong1 nan4 di4 | 难兄难弟", "stop".
    FakeSpeaker(bool voice, QStringList *calls, bool finishesAtOnce = false, bool loaded = true)
        : m_voice(voice), m_calls(calls), m_finishesAtOnce(finishesAtOnce), m_loaded(loaded)
    {
    }

    bool isLoaded() const override { return m_loaded; }
    bool hasVoice() const override { return m_voice; }
    QString missingVoice() const override { return m_voice ? QString() : QStringLiteral("没有中文语音。"); }
    void speak(const QString &toneDigits, const QString &text) override
    {
        *m_calls << QStringLiteral("speak %1 | %2").arg(toneDigits, text);
        m_speaking = true;
        if (m_finishesAtOnce)
            QTimer::singleShot(0, this, [this] { finish(); });
    }
    void stop() override
    {
        *m_calls << QStringLiteral("stop");
        finish();
    }
    bool isSpeaking() const override { return m_speaking; }

    // An engine made unloaded, as one that takes its time, loads now.
    void load()
    {
        m_loaded = true;
        emit loaded();
    }

    void finish()
    {
        if (std::exchange(m_speaking, false))
            emit finished();
    }

private:
    bool m_voice;
    QStringList *m_calls;
    bool m_finishesAtOnce;
    bool m_loaded;
    bool m_speaking = false;
};
