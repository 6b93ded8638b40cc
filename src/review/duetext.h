// When a card comes back, as its grade button says it: 10分钟, 5小时, 3天,
// 2个月, 1.5年.
#pragma once

#include <QString>
#include <QtGlobal>

QString dueText(qint64 seconds);
