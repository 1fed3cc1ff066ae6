#pragma once

#include "app/WindowLayer.h"

#include <QApplication>

namespace vc {

// Shows the hourglass for the life of the object, so every path out of an
// action restores the normal cursor.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace vc
