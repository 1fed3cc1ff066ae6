#pragma once

#include "evidence/EvidenceFiles.h"
#include "evidence/image/reading/ImageContainer.h"

#include <tsk/libtsk.h>

#include <memory>
#include <mutex>

namespace vc::image {

// What the volumes of one image share: the opened image and the one lock
// under which every call into The Sleuth Kit, libvshadow and libqcow on it
// is made (their handles are not safe for several threads at once).
struct ImageState {
    std::unique_ptr<ImageContainer> container;
    std::mutex lock;
};

// One file system of an image, with what must outlive it (a shadow copy's
// store), closed before them.
struct VolumeState {
    std::shared_ptr<ImageState> image;
    std::shared_ptr<void> source; // kept open while the file system is
    TSK_FS_INFO* fs = nullptr;
    ~VolumeState();
};

// The files of a file system inside a disk image, through The Sleuth Kit.
// In NTFS, an entry's times are its $STANDARD_INFORMATION times as
// FILETIMEs; its $FILE_NAME times and its MFT entry go into detail and
// fileId. Entries The Sleuth Kit still lists in a folder although deleted are
// listed too, marked deleted, and read where their clusters hold data.
class TskVolumeFiles : public EvidenceFiles {
public:
    TskVolumeFiles(std::shared_ptr<VolumeState> volume, QString description);

    bool isLocal() const override { return false; }
    std::optional<EvidenceEntry> entry(const QByteArray& path) const override;
    bool list(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
              QString* error) const override;
    std::unique_ptr<EvidenceReader> open(const QByteArray& path, QString* error) const override;
    QString describe() const override { return m_description; }

private:
    std::shared_ptr<VolumeState> m_volume;
    QString m_description;
};

// The most entries one folder gives; a crafted folder could claim millions.
constexpr size_t kMaxFolderEntries = 200000;

} // namespace vc::image
