// A disk image as the input: its format (raw, E01, VMDK, VHD, VHDX, QCOW2),
// partition table, file systems and shadow copies opened as the image
// reader does, then every volume walked (folders, entries, bounded reads of
// every file).
#include "FuzzInput.h"
#include "evidence/image/reading/ImageReading.h"

#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdlib>

namespace {

// The input under a name of a disk image (libewf finds an image's segments
// by its name).
struct ImageFile {
    ImageFile() {
        if (!dir.isValid())
            std::abort();
        path = dir.filePath(QStringLiteral("image.E01"));
        if (::symlink(QFile::encodeName(input.path()).constData(),
                      QFile::encodeName(path).constData()) != 0)
            std::abort();
    }
    QTemporaryDir dir;
    vc::fuzz::InputFile input;
    QString path;
};

// Bounds of one walk, so that each input takes a short time.
constexpr int kMaxDepth = 8;
constexpr int kMaxEntries = 400;
constexpr qint64 kMaxReadPerFile = 1 << 16;

void walk(const vc::EvidenceFiles& files, const QByteArray& folder, int depth, int* budget) {
    std::vector<vc::EvidenceEntry> entries;
    QString error;
    if (!files.list(folder, entries, &error))
        return;
    for (const vc::EvidenceEntry& e : entries) {
        if (--*budget < 0)
            return;
        if (e.size < 0 || e.name.isEmpty())
            std::abort();
        const QByteArray path = vc::joinPath(folder, e.name);
        if (e.type == vc::EntryType::Folder && !e.symlink && depth < kMaxDepth) {
            walk(files, path, depth + 1, budget);
        } else if (e.type == vc::EntryType::File) {
            std::unique_ptr<vc::EvidenceReader> reader = files.open(path, &error);
            if (!reader)
                continue;
            char buffer[8192];
            for (qint64 at = 0; at < std::min(reader->size(), kMaxReadPerFile);) {
                const qint64 n = reader->readAt(at, buffer, sizeof buffer);
                if (n > qint64(sizeof buffer))
                    std::abort();
                if (n <= 0)
                    break;
                at += n;
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ImageFile image;
    image.input.set(data, size);
    vc::ImageError error;
    vc::DiskImageOptions options;
    options.snapshots = true;
    std::optional<vc::DiskImage> opened = vc::image::readDiskImage(image.path, options, &error);
    if (!opened) {
        if (error.text().isEmpty())
            std::abort();
        return 0;
    }
    if (opened->files.size() != opened->volumes.size())
        std::abort();
    for (const auto& files : opened->files) {
        int budget = kMaxEntries;
        walk(*files, "/", 0, &budget);
    }
    return 0;
}
