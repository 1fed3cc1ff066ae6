#pragma once

#include "evidence/EvidenceFiles.h"
#include "evidence/image/reading/ImageContainer.h"

#include <tsk/libtsk.h>

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

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
//
// Each folder is listed once and kept (up to kMaxCachedEntries entries in
// all): a path is found through its folders' listings, not by TSK's own
// lookup, which would read every folder of the path again for each file. A
// name must be spelled as the file system spells it, as on the folders of
// this machine (NTFS and FAT themselves, and TSK, find names in any case),
// so that findChildNoCase gives the name as it is written.
class TskVolumeFiles : public EvidenceFiles {
public:
    TskVolumeFiles(std::shared_ptr<VolumeState> volume, QString description);
    ~TskVolumeFiles() override;

    bool isLocal() const override { return false; }
    std::optional<EvidenceEntry> entry(const QByteArray& path) const override;
    bool list(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
              QString* error) const override;
    std::unique_ptr<EvidenceReader> open(const QByteArray& path, QString* error) const override;
    QString describe() const override { return m_description; }

private:
    struct Folder {
        bool ok = false;
        QString error;
        std::vector<EvidenceEntry> entries;
        std::unordered_map<QByteArray, size_t> byName;
        const EvidenceEntry* find(const QByteArray& name) const;
    };
    // Under the image's lock.
    std::shared_ptr<const Folder> folderLocked(const QByteArray& path, int depth) const;
    std::shared_ptr<const Folder> remember(const QByteArray& path,
                                           std::shared_ptr<Folder> folder) const;
    std::optional<EvidenceEntry> entryLocked(const QByteArray& path) const;

    std::shared_ptr<VolumeState> m_volume;
    QString m_description;
    mutable std::unordered_map<QByteArray, std::shared_ptr<const Folder>> m_folders;
    mutable size_t m_cachedEntries = 0;
};

// The most entries one folder gives; a crafted folder could claim millions.
constexpr size_t kMaxFolderEntries = 200000;
// The most entries kept from the folders listed, and the deepest and longest
// path looked up.
constexpr size_t kMaxCachedEntries = 500000;
constexpr int kMaxDepth = 256;
constexpr qsizetype kMaxPath = 32768;

} // namespace vc::image
