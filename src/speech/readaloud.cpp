#include "speech/readaloud.h"

#include "speech/spokenreading.h"

ReadAloud::ReadAloud(SpeakerFactory factory, QObject *parent) : QObject(parent), m_factory(std::move(factory)) {}

ReadAloud::~ReadAloud() = default;

Speaker *ReadAloud::speaker()
{
    if (!m_speaker) {
        m_speaker = m_factory();
        connect(m_speaker.get(), &Speaker::finished, this, &ReadAloud::finished);
        if (!m_speaker->hasVoice())
            emit voiceMissing(m_speaker->missingVoice());
    }
    return m_speaker.get();
}

bool ReadAloud::read(const QString &text, const QString &pinyin)
{
    Speaker *engine = speaker();
    if (!engine->hasVoice())
        return false;
    if (engine->isSpeaking())
        engine->stop();
    const SpokenReading reading = spokenReading(text, pinyin);
    engine->speak(reading.toneDigits(), text);
    return true;
}

void ReadAloud::stop()
{
    if (m_speaker && m_speaker->isSpeaking())
        m_speaker->stop();
}

bool ReadAloud::isSpeaking() const
{
    return m_speaker && m_speaker->isSpeaking();
}

bool ReadAloud::lacksVoice() const
{
    return m_speaker && !m_speaker->hasVoice();
}

QString ReadAloud::missingVoice() const
{
    return m_speaker ? m_speaker->missingVoice() : QString();
}
