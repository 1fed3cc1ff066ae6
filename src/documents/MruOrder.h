#pragma once

#include "platform/Hive.h"

#include <QList>
#include <QString>

namespace vc {

// One value of an MRU list and its place in the list's order.
struct MruSlot {
    QString valueName;
    int position = -1; // 0 = most recent; -1 for a value the order leaves out
};

// The values of an MRU list key, most recent first: the order of
// "MRUListEx" (32-bit value numbers ending at 0xFFFFFFFF, Vista and later)
// or else "MRUList" (one letter per value, Windows XP); a number or letter
// met twice or naming no value is passed over. Values the order does not
// name follow in the hive's order, without a position. The order values
// themselves (names containing "MRUList") are never slots.
QList<MruSlot> mruSlots(const Hive& hive, Hive::Node key);

} // namespace vc
