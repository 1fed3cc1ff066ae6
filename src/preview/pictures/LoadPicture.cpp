#include "preview/pictures/LoadPicture.h"

#include "documents/FileServices.h"
#include "preview/pictures/GifFrames.h"
#include "preview/pictures/PictureService.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <cmath>

namespace vc {

namespace {

// The status of a file that could not be opened.
int openFailureStatus(const QString& path) {
    const std::optional<OpenResult> problem = localOpenProblem(path);
    if (problem == OpenResult::FileNotFound || problem == OpenResult::PathNotFound)
        return kStatusFileNotFound;
    if (problem == OpenResult::AccessDenied)
        return kStatusAccessDenied;
    return kStatusGenericError;
}

// Whether a reader may decode a picture of the given size at `scaled`
// within the memory and time bounds. JPEG decodes at down to an eighth of
// each side directly, so its memory is that of the smaller picture, but
// its time grows with the whole picture, which is bounded apart. The other
// readers go through the whole picture (PNG shrinks row by row, but takes
// the time of the whole), so they are bounded by its full size.
bool decodable(const QByteArray& format, QSize full, QSize scaled) {
    if (format != "jpeg")
        return FitsPictureMemory(full);
    const QSize eighth((full.width() + 7) / 8, (full.height() + 7) / 8);
    return qint64(full.width()) * full.height() <= kMaxJpegPixels &&
           FitsPictureMemory(scaled.expandedTo(eighth));
}

// Reads the picture the reader stands at, at the size that fits target.
QImage readFitted(QImageReader& reader, QSize target, int& status) {
    const QSize full = reader.size();
    if (full.isValid()) {
        const QSize scaled = FittedSize(full, target);
        if (!decodable(reader.format(), full, scaled)) {
            status = kStatusOutOfMemory;
            return QImage();
        }
        if (scaled != full)
            reader.setScaledSize(scaled);
    }
    QImage image = reader.read();
    if (image.isNull())
        status = StatusOfReaderError(reader.error());
    return image;
}

// A picture of one frame (the first, for formats with more).
bool renderStill(QIODevice& device, QSize target, Picture& picture) {
    if (!device.seek(0)) {
        picture.status = kStatusGenericError;
        return false;
    }
    QImageReader reader(&device, picture.format);
    picture.image = readFitted(reader, target, picture.status);
    return !picture.image.isNull();
}

// Opens a reader on a page of a TIFF file. False when there is no such page.
bool openPage(QIODevice& device, QImageReader& reader, int page) {
    if (!device.seek(0))
        return false;
    reader.setDevice(&device);
    reader.setFormat(QByteArrayLiteral("tiff"));
    return page == 0 || reader.jumpToImage(page);
}

// Pages 1 and 2 of a TIFF side by side, or page 1 alone when it has one.
// Only these two pages are ever looked at, whatever the file claims.
bool renderTiff(QIODevice& device, QSize target, Picture& picture) {
    QImageReader second;
    const QSize secondSize = openPage(device, second, 1) ? second.size() : QSize();
    QImageReader first;
    const QSize firstSize = openPage(device, first, 0) ? first.size() : QSize();
    if (!secondSize.isValid() || !firstSize.isValid())
        return renderStill(device, target, picture);
    const QSize strip(firstSize.width() + secondSize.width(),
                      std::max(firstSize.height(), secondSize.height()));
    if (!FitsPictureMemory(firstSize) || !FitsPictureMemory(secondSize) ||
        !FitsPictureMemory(strip)) {
        picture.status = kStatusOutOfMemory;
        return false;
    }
    const QSize fitted = FittedSize(strip, target);
    const double scale =
        std::min(double(fitted.width()) / strip.width(), double(fitted.height()) / strip.height());
    auto scaledPage = [scale](QSize page) {
        return QSize(std::max(1, int(std::lround(page.width() * scale))),
                     std::max(1, int(std::lround(page.height() * scale))));
    };
    const QSize firstScaled = scaledPage(firstSize);
    const QSize secondScaled = scaledPage(secondSize);

    openPage(device, first, 0);
    first.setScaledSize(firstScaled);
    const QImage left = first.read();
    if (left.isNull()) {
        picture.status = StatusOfReaderError(first.error());
        return false;
    }
    openPage(device, second, 1);
    second.setScaledSize(secondScaled);
    const QImage right = second.read(); // a page that fails leaves its place blank

    QImage canvas(firstScaled.width() + secondScaled.width(),
                  std::max(firstScaled.height(), secondScaled.height()),
                  QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull()) {
        picture.status = kStatusOutOfMemory;
        return false;
    }
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(QPoint(0, 0), left);
    if (!right.isNull())
        painter.drawImage(QPoint(firstScaled.width(), 0), right);
    painter.end();
    picture.image = canvas;
    return true;
}

// A GIF: an animation when it has several frames (and animating is asked
// for and the file is not too large to keep), else its first frame.
bool renderGif(QIODevice& device, QSize target, GifFrames gifFrames, Picture& picture) {
    if (gifFrames == GifFrames::FirstFrame || device.size() > kMaxAnimationFileBytes ||
        !device.seek(0))
        return renderStill(device, target, picture);
    const QByteArray bytes = device.read(kMaxAnimationFileBytes);
    const GifFrameList frames = ReadGifFrameList(bytes, kMaxAnimationFrames);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (frames.frameCount <= 1)
        return renderStill(buffer, target, picture);
    // Every frame is drawn on the logical screen, whatever the reader says
    // of the first frame (a screen of 0 x 0 leaves it to the reader's limit).
    if (!frames.screen.isEmpty() && !FitsPictureMemory(frames.screen)) {
        picture.status = kStatusOutOfMemory;
        return false;
    }
    auto gif = std::make_shared<AnimatedGif>();
    gif->bytes = bytes;
    gif->frameCount = frames.frameCount;
    gif->delays = frames.delays;
    gif->size = frames.screen;
    picture.animation = std::move(gif);
    return true;
}

} // namespace

QSize FittedSize(QSize size, QSize target) {
    if (!target.isValid() || target.isEmpty() ||
        (size.width() <= target.width() && size.height() <= target.height()))
        return size;
    return size.scaled(target, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

bool RenderFrames(QIODevice& device, QSize target, GifFrames gifFrames, Picture& picture) {
    bool drawn = false;
    if (picture.format == "gif")
        drawn = renderGif(device, target, gifFrames, picture);
    else if (picture.format == "tiff")
        drawn = renderTiff(device, target, picture);
    else
        drawn = renderStill(device, target, picture);
    if (drawn && !picture.animation && (picture.image.width() == 0 || picture.image.height() == 0))
        drawn = false;
    if (!drawn) {
        picture.image = QImage();
        picture.animation.reset();
        if (picture.status == kStatusOk)
            picture.status = kStatusGenericError;
    }
    return drawn;
}

Picture LoadPicture(const QString& path, QSize target, GifFrames gifFrames) {
    Picture picture;
    if (!PictureServiceRunning()) {
        picture.status = kStatusNotInitialized;
        return picture;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        picture.status = kStatusFileNotFound;
        return picture;
    }
    // A pipe or device would block or never end: only regular files are read.
    if (!info.isFile()) {
        picture.status = kStatusUnknownImageFormat;
        return picture;
    }
    QFile file(path);
    if (!openWithoutAccessTime(file)) {
        picture.status = openFailureStatus(path);
        return picture;
    }
    picture.format = QImageReader::imageFormat(&file);
    if (picture.format.isEmpty()) {
        picture.status = kStatusUnknownImageFormat;
        return picture;
    }
    RenderFrames(file, target, gifFrames, picture);
    return picture;
}

} // namespace vc
