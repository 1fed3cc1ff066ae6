#pragma once

#include "evidence/EvidenceFiles.h"
#include "platform/TimeValue.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace vc {

// The layer of a disk image that could not be read.
enum class ImageLayer : quint8 {
    ImageFormat,    // the image file or its segments (E01, VMDK, VHD, QCOW2, raw)
    PartitionTable, // MBR or GPT
    FileSystem,     // a volume's file system (NTFS, FAT), or a shadow copy's
    FileInside,     // a file or folder inside a file system
    Reader,         // the process that reads the image stopped or did not answer
};

// What failed in a disk image: the image, the layer, where inside it, and
// the library's own words.
struct ImageError {
    ImageLayer layer = ImageLayer::ImageFormat;
    QString image;   // the image's path as given
    QString place;   // "partition 2", "/Users/joe/NTUSER.DAT"; empty for the whole image
    QString details; // what the library said
    // One line for a message: the image, the layer, the place and the
    // library's words.
    QString text() const;
};

// One volume found in a disk image: a file system of a partition (or of the
// whole image when it has no partition table), or one of its shadow copies.
struct DiskImageVolume {
    // 1 for the first partition of the table that holds a file system
    // (counted as the table lists them), 0 when the image has no table.
    int partition = 0;
    qint64 offset = 0; // in bytes from the start of the image
    qint64 size = 0;
    QString partitionType; // as the table names it ("NTFS / exFAT (0x07)", "Basic data partition")
    QString fileSystem;    // "NTFS", "FAT16", "Ext2"...
    // It holds Windows/System32/config, or a Users or Documents and Settings
    // folder with a profile holding an NTUSER.DAT.
    bool windows = false;
    // 0 for the live volume; 1..n for its n shadow copies, oldest first.
    int snapshot = 0;
    std::optional<TimeValue> snapshotCreated; // FILETIME

    // "disk.E01, partition 2 (offset 1048576), NTFS", with ", shadow copy
    // 1 (2013-10-27 08:40:12 UTC)" for a snapshot.
    QString describe(const QString& imageName) const;
};

// A disk image opened: its volumes in the order of the partition table, each
// live volume followed by its shadow copies, and a files interface for each.
struct DiskImage {
    QString path;
    QString format;   // "raw", "EWF", "VMDK", "VHD", "QCOW2"
    int segments = 1; // the files the image is made of
    std::vector<DiskImageVolume> volumes;
    std::vector<std::shared_ptr<const EvidenceFiles>> files; // one per volume
    // Partitions or shadow copies that could not be read, while others could.
    std::vector<ImageError> problems;

    // The indexes of the Windows volumes (their shadow copies included).
    std::vector<int> windowsVolumes() const;
};

struct DiskImageOptions {
    bool snapshots = false; // also every shadow copy of an NTFS volume
};

// A FILETIME as "2013-10-27 08:40:12.1234567 UTC" (100-nanosecond steps
// kept), for descriptions and the detail pane; empty for 0.
QString fileTimeUtcText(quint64 filetime);

// The image's file name, as descriptions show it.
QString imageFileName(const QString& path);

// The message for an image that holds no Windows volume, naming the volumes
// it does hold.
QString noWindowsVolumeText(const DiskImage& image);

} // namespace vc
