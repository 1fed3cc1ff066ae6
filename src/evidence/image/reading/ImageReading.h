#pragma once

#include "evidence/image/DiskImage.h"

#include <optional>

namespace vc::image {

// Opens a disk image in this process: its format, its partition table (or
// one file system over the whole image), every file system The Sleuth Kit
// reads, whether each holds Windows, and with options.snapshots every
// shadow copy of an NTFS volume. nullopt with *error when no volume at all
// can be read; partitions that fail while others are read are the result's
// problems.
std::optional<DiskImage> readDiskImage(const QString& path, const DiskImageOptions& options,
                                       ImageError* error);

// True when the files hold Windows/System32/config, or a Users or Documents
// and Settings folder with a profile folder holding an NTUSER.DAT (any
// letter case).
bool holdsWindows(const EvidenceFiles& files);

} // namespace vc::image

namespace vc::image {

// Serves the image's files on the descriptors in and out (ImageProtocol.h)
// until in is closed. The exit status: 0, or 1 when the image cannot be read.
int runImageServer(int in, int out, const QString& path, const DiskImageOptions& options);

} // namespace vc::image
