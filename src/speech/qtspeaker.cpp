// The engine on Linux: Qt's speech module through speech-dispatcher.
//
// The voice is chosen by name. First a Mandarin voice of any
// speech-dispatcher module but espeak-ng's, which is given the characters;
// then espeak-ng's "Chinese (Mandarin, latin as Pinyin)", which is given the
// idiom's pinyin with tone digits. espeak-ng's other Mandarin voice reads
// Latin letters, and so pinyin, as English, and Qt 6.4 gives every voice
// named by language code "cmn" the C locale, so the locale says nothing.
//
// Qt's speech-dispatcher plugin lists every voice of every module as it
// starts, five seconds with espeak-ng's thousands of variants: the engine
// lives in a thread of its own, and the windows hear from it by signals.
#include "speech/speaker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>
#include <optional>

namespace {

const QString kPinyinVoice = QStringLiteral("Chinese (Mandarin, latin as Pinyin)");
const QString kNoService = QStringLiteral("无法连接语音服务（speech-dispatcher）。请安装 speech-dispatcher 和 "
                                          "speech-dispatcher-espeak-ng。");
const QString kNoChineseVoice = QStringLiteral("没有中文语音。请安装 espeak-ng 和 speech-dispatcher-espeak-ng。");

// Where speech-dispatcher's output modules and espeak-ng's language data
// are installed, by distribution.
const char *const kModuleFolders[] = {"/usr/lib/speech-dispatcher-modules", "/usr/libexec/speech-dispatcher-modules",
                                      "/usr/lib64/speech-dispatcher-modules"};
const char *const kEspeakData[] = {"/usr/lib/x86_64-linux-gnu/espeak-ng-data", "/usr/lib/aarch64-linux-gnu/espeak-ng-data",
                                   "/usr/lib/i386-linux-gnu/espeak-ng-data", "/usr/share/espeak-ng-data",
                                   "/usr/lib/espeak-ng-data", "/usr/lib64/espeak-ng-data"};

// Whether speech-dispatcher's configuration, the system's or the user's,
// names output modules of its own rather than taking those it finds.
bool hasAddedModules()
{
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const QString &path : {QStringLiteral("/etc/speech-dispatcher/speechd.conf"),
                                user + QLatin1String("/speech-dispatcher/speechd.conf")}) {
        QFile configuration(path);
        if (!configuration.open(QIODevice::ReadOnly))
            continue;
        while (!configuration.atEnd()) {
            if (configuration.readLine().trimmed().startsWith("AddModule"))
                return true;
        }
    }
    return false;
}

bool isEspeakVoice(const QString &name)
{
    return name.startsWith(QLatin1String("Chinese ("));
}

// Qt's engine and its voice, in the speech thread.
class SpeechThreadEngine : public QObject
{
    Q_OBJECT

public:
    void load()
    {
        m_speech = new QTextToSpeech(QStringLiteral("speechd"), this);
        connect(m_speech, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state != QTextToSpeech::Speaking)
                emit finished();
        });
        if (m_speech->state() == QTextToSpeech::Error) {
            emit loaded(false, false, kNoService);
            return;
        }
        // The voices of every locale, the C locale's among them.
        QList<QVoice> voices;
        for (const QLocale &locale : m_speech->availableLocales()) {
            m_speech->setLocale(locale);
            voices << m_speech->availableVoices();
        }
        std::optional<QVoice> chosen;
        bool readsPinyin = false;
        for (const QVoice &voice : std::as_const(voices)) {
            if (voice.locale().language() == QLocale::Chinese && !isEspeakVoice(voice.name()) &&
                voice.locale().territory() != QLocale::HongKong) {
                chosen = voice;
                break;
            }
        }
        if (!chosen) {
            for (const QVoice &voice : std::as_const(voices)) {
                if (voice.name() == kPinyinVoice) {
                    chosen = voice;
                    readsPinyin = true;
                    break;
                }
            }
        }
        if (!chosen) {
            emit loaded(false, false, kNoChineseVoice);
            return;
        }
        m_speech->setLocale(chosen->locale());
        m_speech->setVoice(*chosen);
        emit loaded(true, readsPinyin, QString());
    }

    void say(const QString &text) { m_speech->say(text); }
    void stop() { m_speech->stop(QTextToSpeech::BoundaryHint::Immediate); }

signals:
    void loaded(bool voice, bool readsPinyin, const QString &missingVoice);
    void finished();

private:
    QTextToSpeech *m_speech = nullptr;
};

class QtSpeaker final : public Speaker
{
public:
    QtSpeaker()
    {
        m_engine = new SpeechThreadEngine;
        m_engine->moveToThread(&m_thread);
        connect(&m_thread, &QThread::finished, m_engine, &QObject::deleteLater);
        connect(m_engine, &SpeechThreadEngine::loaded, this, [this](bool voice, bool readsPinyin, const QString &why) {
            m_loaded = true;
            m_voice = voice;
            m_readsPinyin = readsPinyin;
            m_missingVoice = why;
            emit loaded();
        });
        connect(m_engine, &SpeechThreadEngine::finished, this, [this] {
            if (std::exchange(m_speaking, false))
                emit finished();
        });
        m_thread.setObjectName(QStringLiteral("speech"));
        m_thread.start();
        QMetaObject::invokeMethod(m_engine, &SpeechThreadEngine::load, Qt::QueuedConnection);
    }

    ~QtSpeaker() override
    {
        m_thread.quit();
        m_thread.wait();
    }

    bool isLoaded() const override { return m_loaded; }
    bool hasVoice() const override { return m_voice; }
    QString missingVoice() const override { return m_missingVoice; }

    void speak(const QString &toneDigits, const QString &text) override
    {
        m_speaking = true;
        const QString said = m_readsPinyin && !toneDigits.isEmpty() ? toneDigits : text;
        QMetaObject::invokeMethod(m_engine, [engine = m_engine, said] { engine->say(said); }, Qt::QueuedConnection);
    }

    void stop() override
    {
        QMetaObject::invokeMethod(m_engine, &SpeechThreadEngine::stop, Qt::QueuedConnection);
    }

    bool isSpeaking() const override { return m_speaking; }

private:
    QThread m_thread;
    SpeechThreadEngine *m_engine; // in m_thread, deleted as it ends
    bool m_loaded = false;
    bool m_voice = false;
    bool m_readsPinyin = false;
    bool m_speaking = false;
    QString m_missingVoice;
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker()
{
    return std::make_unique<QtSpeaker>();
}

QString systemVoiceMissing()
{
    if (!QTextToSpeech::availableEngines().contains(QLatin1String("speechd")) ||
        QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty())
        return kNoService;
    // Only sure when none but espeak-ng's modules could speak. Modules named
    // in the configuration may run any program; of those found by
    // themselves, sd_generic needs that configuration and sd_dummy says only
    // that nothing speaks; others have voices of their own.
    if (hasAddedModules())
        return {};
    QStringList modules;
    for (const char *folder : kModuleFolders)
        modules << QDir(QString::fromLatin1(folder)).entryList({QStringLiteral("sd_*")}, QDir::Files | QDir::Executable);
    modules.removeAll(QStringLiteral("sd_dummy"));
    modules.removeAll(QStringLiteral("sd_generic"));
    if (modules.isEmpty())
        return kNoChineseVoice;
    for (const QString &module : std::as_const(modules)) {
        if (!module.startsWith(QLatin1String("sd_espeak-ng")))
            return {};
    }
    for (const char *folder : kEspeakData) {
        if (QFileInfo::exists(QString::fromLatin1(folder) + QLatin1String("/cmn_dict")))
            return {};
    }
    return kNoChineseVoice;
}

#include "qtspeaker.moc"
