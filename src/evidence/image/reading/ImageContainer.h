#pragma once

#include "evidence/image/DiskImage.h"

#include <tsk/libtsk.h>

#include <QString>
#include <QStringList>

#include <memory>

namespace vc::image {

// The image file (or its segments) opened as one disk for The Sleuth Kit:
// raw and split raw and QCOW2 through readers of this program, E01, VMDK,
// VHD and VHDX through The Sleuth Kit's own image layer.
struct ImageContainer {
    TSK_IMG_INFO* info = nullptr;
    QString format;
    int segments = 1;

    ImageContainer() = default;
    ImageContainer(const ImageContainer&) = delete;
    ImageContainer& operator=(const ImageContainer&) = delete;
    ~ImageContainer();
};

// Opens path; nullptr with *error (layer ImageFormat) when it cannot.
std::unique_ptr<ImageContainer> openImageContainer(const QString& path, ImageError* error);

// The files of a split raw image: for a name ending in a number of three or
// more digits (.000, .001), that file and the ones that follow it with the
// next numbers; otherwise path alone.
QStringList rawSegments(const QString& path);

// What The Sleuth Kit said about the last failure, on one line.
QString tskErrorText();

// An image of The Sleuth Kit read by a function of this program. state is
// handed to read and is deleted with the image (by tsk_img_close).
struct ExternalSource {
    virtual ~ExternalSource() = default;
    // Reads up to len bytes at offset; the number read, or -1.
    virtual ssize_t read(TSK_OFF_T offset, char* out, size_t len) = 0;
};
TSK_IMG_INFO* openExternalImage(std::unique_ptr<ExternalSource> source, TSK_OFF_T size);

} // namespace vc::image
