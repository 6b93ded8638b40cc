// What the heading over a search's results says of how they were found:
// the dictionary's own look-ups keep 查找结果：, what the reader probably
// meant says which stage found it, with how in its tooltip.
#pragma once

#include "store/idiomsearch.h"

#include <QString>

struct HowFound
{
    QString text;
    QString tip; // empty for the dictionary's own look-ups, which show in the window's colour
};

HowFound howFound(SearchResult::Stage stage);
