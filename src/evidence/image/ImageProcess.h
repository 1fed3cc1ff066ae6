#pragma once

#include "evidence/image/DiskImage.h"

#include <optional>

namespace vc {

// Opens a disk image through the image reader, a process of this program of
// its own (`vellacord image-server`): a crafted image that makes a library
// crash or loop stops that process, and the program gets an error
// (ImageLayer::Reader) for the one request. The reader is started again for
// the next request, a few times at most. nullopt with *error when the image
// cannot be read at all.
std::optional<DiskImage> openDiskImage(const QString& path, const DiskImageOptions& options,
                                       ImageError* error);

// The program started as the reader: the vellacord executable. By default
// the running program itself; the tests, whose program is another, name it.
void setImageReaderProgram(const QString& program);
// How long one request may take before the reader is taken to hang and is
// stopped (60 s unless set).
void setImageReaderTimeout(int milliseconds);

} // namespace vc
