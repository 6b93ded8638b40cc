#include "review/duetext.h"

#include <algorithm>
#include <cmath>

QString dueText(qint64 seconds)
{
    const qint64 minutes = std::max<qint64>(1, std::llround(seconds / 60.0));
    if (minutes < 60)
        return QStringLiteral("%1分钟").arg(minutes);
    const qint64 hours = std::llround(seconds / 3600.0);
    if (hours < 24)
        return QStringLiteral("%1小时").arg(hours);
    const qint64 days = std::llround(seconds / 86400.0);
    if (days < 30)
        return QStringLiteral("%1天").arg(days);
    if (days < 365)
        return QStringLiteral("%1个月").arg(std::llround(days / 30.0));
    return QStringLiteral("%1年").arg(std::round(days / 365.0 * 10) / 10, 0, 'g', 4);
}
