#include "chain/game/bestscores.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

QString key(ChainRule rule, Level level)
{
    static const char *const rules[] = {"character", "sound", "tone"};
    static const char *const levels[] = {"easy", "middle", "hard"};
    return QStringLiteral("best/%1-%2").arg(QLatin1String(rules[int(rule)]), QLatin1String(levels[int(level)]));
}

} // namespace

BestScores::BestScores(const QString &path) : m_path(path)
{
}

QString BestScores::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/scores.ini");
}

int BestScores::best(ChainRule rule, Level level) const
{
    return QSettings(m_path, QSettings::IniFormat).value(key(rule, level), 0).toInt();
}

bool BestScores::offer(ChainRule rule, Level level, int score)
{
    if (score <= best(rule, level))
        return false;
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(key(rule, level), score);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
