// The engine of a build without speech: no voice, ever.
#include "speech/speaker.h"

namespace {

class NoSpeaker final : public Speaker
{
public:
    bool isLoaded() const override { return true; }
    bool hasVoice() const override { return false; }
    QString missingVoice() const override { return systemVoiceMissing(); }
    void speak(const QString &, const QString &) override {}
    void stop() override {}
    bool isSpeaking() const override { return false; }
};

} // namespace

std::unique_ptr<Speaker> makeSystemSpeaker()
{
    return std::make_unique<NoSpeaker>();
}

QString systemVoiceMissing()
{
    return QStringLiteral("这个版本的岚舟·vura 不能朗读。");
}
