// The engine on Windows: SAPI 5 through COM, since the static Qt for Windows
// has no speech module. The voice is the first whose language is 804
// (Chinese, PRC), such as Microsoft Huihui; it is given the idiom's
// characters with the tone-digit pinyin as SAPI's pronunciation markup,
// whose Chinese phone set is pinyin with tone digits ("nan 4 xiong 1").
// Wine's SAPI lists voices but answers E_NOTIMPL when asked to speak: that
// counts as no voice.
#include "speech/speaker.h"

#include <QSettings>
#include <QStringList>
#include <QTimer>

#include <windows.h>

#include <sapi.h>

namespace {

// Where SAPI keeps its voices (sphelper.h's SPCAT_VOICES).
constexpr wchar_t kVoices[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";

const QString kInstallChinese = QStringLiteral("请在 Windows 设置的“时间和语言 → 语音”里添加中文（简体）语音包。");

// A COM interface, released when it goes.
template <typename Interface>
class ComPointer
{
public:
    ComPointer() = default;
    ComPointer(const ComPointer &) = delete;
    ComPointer &operator=(const ComPointer &) = delete;
    ~ComPointer()
    {
        if (m_pointer)
            m_pointer->Release();
    }

    Interface *operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer; }
    Interface **out() { return &m_pointer; }
    void **outVoid() { return reinterpret_cast<void **>(&m_pointer); }

private:
    Interface *m_pointer = nullptr;
};

// "nan4 xiong1, nan4 di4" as SAPI's Chinese phones: "nan 4 xiong 1 nan 4 di 4";
// an erhua's r as er in the neutral tone.
QString phones(const QString &toneDigits)
{
    QStringList phones;
    for (QString syllable : toneDigits.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        syllable.remove(QLatin1Char(','));
        const bool erhua = syllable.endsWith(QLatin1Char('r')) && syllable.size() > 2 && syllable.at(syllable.size() - 2).isDigit();
        if (erhua)
            syllable.chop(1);
        phones << syllable.chopped(1) + QLatin1Char(' ') + syllable.back();
        if (erhua)
            phones << QStringLiteral("er 5");
    }
    return phones.join(QLatin1Char(' '));
}

// COM for the thread, while it is needed. The window's thread has it
// already, through Qt; the command line's is given it here.
class ComApartment
{
public:
    ComApartment() : m_owned(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;
    ~ComApartment()
    {
        if (m_owned)
            CoUninitialize();
    }

private:
    bool m_owned;
};

class SapiSpeaker final : public Speaker
{
public:
    SapiSpeaker()
    {
        load();
        m_poll.setInterval(100);
        connect(&m_poll, &QTimer::timeout, this, [this] {
            if (m_voice->WaitUntilDone(0) == S_OK)
                done();
        });
    }

    ~SapiSpeaker() override
    {
        if (m_voice)
            m_voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
    }

    bool isLoaded() const override { return true; }
    bool hasVoice() const override { return m_missingVoice.isEmpty(); }
    QString missingVoice() const override { return m_missingVoice; }

    void speak(const QString &toneDigits, const QString &text) override
    {
        QString said = text.toHtmlEscaped();
        DWORD flags = SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_XML;
        if (!toneDigits.isEmpty())
            said = QStringLiteral("<pron sym=\"%1\">%2</pron>").arg(phones(toneDigits), said);
        if (FAILED(m_voice->Speak(reinterpret_cast<const wchar_t *>(said.utf16()), flags, nullptr))) {
            done();
            return;
        }
        m_speaking = true;
        m_poll.start();
    }

    void stop() override
    {
        m_voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
        done();
    }

    bool isSpeaking() const override { return m_speaking; }

private:
    void load()
    {
        ComPointer<ISpObjectTokenCategory> category;
        ComPointer<IEnumSpObjectTokens> tokens;
        ComPointer<ISpObjectToken> token;
        ULONG fetched = 0;
        if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                                    category.outVoid())) ||
            FAILED(category->SetId(kVoices, FALSE)) ||
            FAILED(category->EnumTokens(L"Language=804", nullptr, tokens.out())) ||
            FAILED(tokens->Next(1, token.out(), &fetched)) || fetched == 0) {
            m_missingVoice = QStringLiteral("没有中文语音。") + kInstallChinese;
            return;
        }
        if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, m_voice.outVoid())) ||
            FAILED(m_voice->SetVoice(token.operator->()))) {
            m_missingVoice = QStringLiteral("无法使用 Windows 的语音服务（SAPI）。") + kInstallChinese;
            return;
        }
        // Nothing to say, to learn whether the voice speaks at all.
        const HRESULT spoken = m_voice->Speak(L"", SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
        if (spoken == E_NOTIMPL || FAILED(spoken))
            m_missingVoice = QStringLiteral("这个系统的语音服务（SAPI）不能朗读。") + kInstallChinese;
    }

    void done()
    {
        m_poll.stop();
        if (std::exchange(m_speaking, false))
            emit finished();
    }

    ComApartment m_apartment; // first made, last gone
    ComPointer<ISpVoice> m_voice;
    QString m_missingVoice;
    QTimer m_poll;
    bool m_speaking = false;
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker()
{
    return std::make_unique<SapiSpeaker>();
}

QString systemVoiceMissing()
{
    // SAPI's voices as the registry lists them, each with its languages as
    // hexadecimal LCIDs ("804;404").
    QSettings voices(QString::fromWCharArray(kVoices) + QLatin1String("\\Tokens"), QSettings::NativeFormat);
    for (const QString &voice : voices.childGroups()) {
        const QString languages = voices.value(voice + QLatin1String("/Attributes/Language")).toString();
        for (const QString &language : languages.split(QLatin1Char(';'))) {
            if (language.trimmed().compare(QLatin1String("804"), Qt::CaseInsensitive) == 0)
                return {};
        }
    }
    return QStringLiteral("没有中文语音。") + kInstallChinese;
}
