#pragma once

#include "app/WindowLayer.h"

#include <QString>

namespace vc {

// What "IE Activity" keeps: where its file dialog starts (the cache folder
// of what is open, with index.dat preset when one lies there) and the
// number of records the last load read.
struct ActivityState {
    QString CacheDir;
    QString OpenDialogFileName;
    int RecordCount = 0;
};

} // namespace vc
