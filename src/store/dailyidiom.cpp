#include "store/dailyidiom.h"
#include "store/idiomstore.h"

#include <numeric>

namespace DailyIdiom {

int placeOf(qint64 day, int size)
{
    if (size <= 0)
        return 0;
    // A step near the golden section of the size, so that the idioms of
    // neighbouring days lie far apart in the list (and so in commonness).
    qint64 step = qint64(size * 0.6180339887) + 1;
    while (std::gcd(step, qint64(size)) != 1)
        ++step;
    const qint64 offset = 7919 % size;
    const qint64 place = ((day % size) * step + offset) % size;
    return int(place < 0 ? place + size : place);
}

int idiomOf(const IdiomStore &store, QDate date)
{
    if (!date.isValid())
        return 0;
    const qint64 day = date.toJulianDay();
    const QList<CommonIdiom> common = store.commonIdioms();
    if (!common.isEmpty())
        return common.at(placeOf(day, int(common.size()))).id;
    const int count = store.count();
    return count > 0 ? placeOf(day, count) + 1 : 0;
}

} // namespace DailyIdiom
