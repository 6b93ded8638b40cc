// What the windows tell the user when the idiom data file cannot be written,
// opened or read: which file, what is wrong with it, and what to do.
#pragma once

#include <QString>

class StoreError;

QString storeNotice(const StoreError &error);
