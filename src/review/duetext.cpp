#include "review/duetext.h"

#include <cmath>

QString dueText(qint64 seconds)
{
    constexpr qint64 kHour = 3600, kDay = 86400;
    if (seconds < kHour)
        return QStringLiteral("%1分钟").arg(std::max<qint64>(1, (seconds + 30) / 60));
    if (seconds < kDay)
        return QStringLiteral("%1小时").arg((seconds + kHour / 2) / kHour);
    const qint64 days = (seconds + kDay / 2) / kDay;
    if (days < 30)
        return QStringLiteral("%1天").arg(days);
    if (days < 365)
        return QStringLiteral("%1个月").arg(std::max<qint64>(1, std::llround(days / 30.0)));
    const double years = std::round(days / 365.0 * 10) / 10;
    return QStringLiteral("%1年").arg(years, 0, 'g', 3);
}
