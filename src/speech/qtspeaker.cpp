// The engine on Linux: Qt's speech module through speech-dispatcher.
//
// The voice is chosen by name. First a Mandarin voice of any
// speech-dispatcher module but espeak-ng's, which is given the characters;
// then espeak-ng's "Chinese (Mandarin, latin as Pinyin)", which is given the
// idiom's pinyin with tone digits. espeak-ng's other Mandarin voice reads
// Latin letters, and so pinyin, as English, and Qt 6.4 gives every voice
// named by language code "cmn" the C locale, so the locale says nothing.
#include "speech/speaker.h"

#include <QTextToSpeech>
#include <QVoice>
#include <optional>

namespace {

const QString kPinyinVoice = QStringLiteral("Chinese (Mandarin, latin as Pinyin)");

bool isEspeakVoice(const QString &name)
{
    return name.startsWith(QLatin1String("Chinese ("));
}

class QtSpeaker final : public Speaker
{
public:
    QtSpeaker() : m_speech(QStringLiteral("speechd"))
    {
        connect(&m_speech, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state != QTextToSpeech::Speaking && std::exchange(m_speaking, false))
                emit finished();
        });
        if (m_speech.state() == QTextToSpeech::Error)
            return;
        chooseVoice();
    }

    bool hasVoice() const override { return m_voice.has_value(); }

    QString missingVoice() const override
    {
        if (hasVoice())
            return QString();
        if (m_speech.state() == QTextToSpeech::Error)
            return QStringLiteral("无法连接语音服务（speech-dispatcher）。请安装 speech-dispatcher 和 "
                                  "speech-dispatcher-espeak-ng。");
        return QStringLiteral("没有中文语音。请安装 espeak-ng 和 speech-dispatcher-espeak-ng。");
    }

    void speak(const QString &toneDigits, const QString &text) override
    {
        m_speaking = true;
        m_speech.say(m_readsPinyin && !toneDigits.isEmpty() ? toneDigits : text);
    }

    void stop() override { m_speech.stop(QTextToSpeech::BoundaryHint::Immediate); }

    bool isSpeaking() const override { return m_speaking; }

private:
    void chooseVoice()
    {
        // The voices of every locale, the C locale's among them.
        QList<QVoice> voices;
        for (const QLocale &locale : m_speech.availableLocales()) {
            m_speech.setLocale(locale);
            voices << m_speech.availableVoices();
        }
        for (const QVoice &voice : std::as_const(voices)) {
            if (voice.locale().language() == QLocale::Chinese && !isEspeakVoice(voice.name()) &&
                voice.locale().territory() != QLocale::HongKong) {
                m_voice = voice;
                break;
            }
        }
        if (!m_voice) {
            for (const QVoice &voice : std::as_const(voices)) {
                if (voice.name() == kPinyinVoice) {
                    m_voice = voice;
                    m_readsPinyin = true;
                    break;
                }
            }
        }
        if (m_voice) {
            m_speech.setLocale(m_voice->locale());
            m_speech.setVoice(*m_voice);
        }
    }

    QTextToSpeech m_speech;
    std::optional<QVoice> m_voice;
    bool m_readsPinyin = false;
    bool m_speaking = false;
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker()
{
    return std::make_unique<QtSpeaker>();
}
