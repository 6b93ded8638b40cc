// 每日一成语: one idiom for each calendar day, the same for every reader on
// that date. It is taken from the date alone, never from a random draw: the
// days walk the common idioms (the whole dictionary when the data file keeps
// no list of them) in an order that visits every one before any comes back.
#pragma once

#include <QDate>

class IdiomStore;

namespace DailyIdiom {

// The place of `day` (a Julian day number) in a list of `size` entries:
// (day * step + offset) mod size, with a step prime to the size, so that
// `size` days in a row give `size` different places.
int placeOf(qint64 day, int size);

// The id of the idiom of `date` in `store`; 0 when the store has no idioms
// or the date is not one. Throws StoreError when the store fails.
int idiomOf(const IdiomStore &store, QDate date);

} // namespace DailyIdiom
