#include "speech/readaloud.h"

#include "speech/spokenreading.h"

ReadAloud::ReadAloud(SpeakerFactory factory, QObject *parent) : QObject(parent), m_factory(std::move(factory)) {}

ReadAloud::~ReadAloud() = default;

Speaker *ReadAloud::speaker()
{
    if (!m_speaker) {
        m_speaker = m_factory();
        connect(m_speaker.get(), &Speaker::finished, this, &ReadAloud::finished);
        connect(m_speaker.get(), &Speaker::loaded, this, &ReadAloud::readPending);
        if (m_speaker->isLoaded() && !m_speaker->hasVoice())
            emit voiceMissing(m_speaker->missingVoice());
    }
    return m_speaker.get();
}

void ReadAloud::lookForVoice(const std::function<QString()> &installed)
{
    if (!m_speaker)
        m_notInstalled = installed();
}

bool ReadAloud::read(const QString &text, const QString &pinyin)
{
    if (!m_notInstalled.isEmpty())
        return false;
    Speaker *engine = speaker();
    if (!engine->isLoaded()) {
        m_pending = {text, pinyin};
        return true;
    }
    if (!engine->hasVoice())
        return false;
    speak(text, pinyin);
    return true;
}

void ReadAloud::readPending()
{
    if (!m_speaker->hasVoice()) {
        m_pending.reset();
        emit voiceMissing(m_speaker->missingVoice());
        return;
    }
    if (const auto pending = std::exchange(m_pending, std::nullopt))
        speak(pending->first, pending->second);
}

void ReadAloud::speak(const QString &text, const QString &pinyin)
{
    if (m_speaker->isSpeaking())
        m_speaker->stop();
    m_speaker->speak(spokenReading(text, pinyin).toneDigits(), text);
}

void ReadAloud::stop()
{
    m_pending.reset();
    if (m_speaker && m_speaker->isSpeaking())
        m_speaker->stop();
}

bool ReadAloud::isSpeaking() const
{
    return m_pending || (m_speaker && m_speaker->isSpeaking());
}

bool ReadAloud::lacksVoice() const
{
    return !m_notInstalled.isEmpty() || (m_speaker && m_speaker->isLoaded() && !m_speaker->hasVoice());
}

QString ReadAloud::missingVoice() const
{
    if (!m_notInstalled.isEmpty())
        return m_notInstalled;
    return m_speaker ? m_speaker->missingVoice() : QString();
}
