#pragma once

#include "evidence/image/DiskImage.h"

#include <QStringList>

#include <memory>

namespace vc {

class Machine;

// The live Windows volumes of an opened image (shadow copies left out), in
// the order of the partition table.
std::vector<int> liveWindowsVolumes(const DiskImage& image);

// The live Windows volume of an image that --partition N names (N as the
// partition table counts; 0: the first Windows volume); -1 with *error
// naming the volumes the image does hold.
int chooseWindowsVolume(const DiskImage& image, int partition, QString* error);

// The machine of one live volume of an opened image, with all its users (or
// those wanted), read through the image's files; with snapshots, every
// shadow copy of that volume becomes one of the machine's snapshots. The
// image's problems (a partition that could not be read) are the machine's
// messages. nullptr with
// *error when the volume holds no user.
std::unique_ptr<Machine> machineOfImageVolume(const DiskImage& image, int volume,
                                              const QStringList& wantedUsers, bool snapshots,
                                              QString* error);

// Opens an image and its chosen Windows volume (partition as above) as a
// machine: what --image FILE does; the other Windows volumes are named in
// its messages. nullptr with *error naming the image and what failed.
std::unique_ptr<Machine> openImageMachine(const QString& path, int partition,
                                          const QStringList& wantedUsers, bool snapshots,
                                          QString* error);

} // namespace vc
