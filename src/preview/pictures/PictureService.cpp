#include "preview/pictures/PictureService.h"

#include "preview/pictures/GdiplusStatus.h"

#include <QImageReader>

#include <atomic>

namespace vc {

namespace {
std::atomic<bool> g_running{false};
} // namespace

int PictureServiceStartup() {
    QImageReader::setAllocationLimit(kPictureMemoryLimitMb);
    if (QImageReader::supportedImageFormats().isEmpty())
        return kStatusNotInitialized;
    g_running = true;
    return kStatusOk;
}

void PictureServiceShutdown() {
    g_running = false;
}

bool PictureServiceRunning() {
    return g_running;
}

bool FitsPictureMemory(QSize decoded) {
    if (decoded.width() <= 0 || decoded.height() <= 0)
        return false;
    const qint64 bytes = qint64(decoded.width()) * decoded.height() * 4;
    return bytes <= qint64(kPictureMemoryLimitMb) * 1024 * 1024;
}

} // namespace vc
