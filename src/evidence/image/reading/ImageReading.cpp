#include "evidence/image/reading/ImageReading.h"

#include "evidence/image/reading/ImageContainer.h"
#include "evidence/image/reading/ShadowCopies.h"
#include "evidence/image/reading/TskVolumeFiles.h"

namespace vc::image {

namespace {

// The most partitions read from one table.
constexpr unsigned kMaxPartitions = 256;

QString fileSystemName(const TSK_FS_INFO* fs) {
    const char* name = tsk_fs_type_toname(fs->ftype);
    QString text = name ? QString::fromLatin1(name) : QStringLiteral("unknown");
    // TSK's short names ("ntfs", "fat16", "ext2") as they are written.
    if (text.startsWith(QLatin1String("fat")) || text == QLatin1String("ntfs"))
        return text.toUpper();
    if (text.startsWith(QLatin1String("ext")))
        return QStringLiteral("Ext") + text.mid(3);
    return text;
}

struct Builder {
    const QString& path;
    const DiskImageOptions& options;
    std::shared_ptr<ImageState> state;
    DiskImage image;

    void addVolume(DiskImageVolume volume, TSK_FS_INFO* fs, std::shared_ptr<void> source) {
        auto vs = std::make_shared<VolumeState>();
        vs->image = state;
        vs->source = std::move(source);
        vs->fs = fs;
        volume.fileSystem = fileSystemName(fs);
        auto files = std::make_shared<TskVolumeFiles>(vs, volume.describe(imageFileName(path)));
        volume.windows = holdsWindows(*files);
        image.volumes.push_back(volume);
        image.files.push_back(files);
    }

    void addShadowCopies(DiskImageVolume live, TSK_IMG_INFO* img) {
        std::vector<ShadowCopy> copies;
        QString why;
        const QString place =
            live.partition > 0 ? QStringLiteral("partition %1").arg(live.partition) : QString();
        if (!readShadowCopies(img, live.offset, live.size, &copies, &why)) {
            image.problems.push_back(
                {ImageLayer::FileSystem, path,
                 place + (place.isEmpty() ? "" : ", ") + QStringLiteral("shadow copies"), why});
            return;
        }
        for (size_t i = 0; i < copies.size(); ++i) {
            DiskImageVolume copy = live;
            copy.snapshot = int(i) + 1;
            copy.snapshotCreated =
                TimeValue{TimeKind::FileTime, TimeRule::Blank, qint64(copies[i].created)};
            tsk_error_reset();
            TSK_FS_INFO* fs = tsk_fs_open_img(copies[i].image.get(), 0, TSK_FS_TYPE_NTFS);
            if (!fs) {
                image.problems.push_back({ImageLayer::FileSystem, path,
                                          copy.describe(imageFileName(path)), tskErrorText()});
                continue;
            }
            addVolume(copy, fs, copies[i].image);
        }
    }

    // The file system at a volume's start; false with *why when TSK finds
    // none.
    bool addFileSystem(DiskImageVolume volume, TSK_FS_INFO* fs) {
        addVolume(volume, fs, nullptr);
        if (options.snapshots && TSK_FS_TYPE_ISNTFS(fs->ftype))
            addShadowCopies(image.volumes.back(), state->container->info); // a copy: it grows
        return true;
    }
};

} // namespace

bool holdsWindows(const EvidenceFiles& files) {
    const QByteArray root("/");
    if (files.isFolder(files.resolveNoCase(root, {"Windows", "System32", "config"})))
        return true;
    for (const char* top : {"Users", "Documents and Settings"}) {
        const QByteArray name = files.findChildNoCase(root, top);
        if (name.isEmpty())
            continue;
        const QByteArray folder = joinPath(root, name);
        std::vector<EvidenceEntry> profiles;
        if (!files.list(folder, profiles, nullptr))
            continue;
        for (const EvidenceEntry& p : profiles) {
            if (p.type != EntryType::Folder || p.deleted)
                continue;
            const QByteArray profile = joinPath(folder, p.name);
            const QByteArray hive = files.findChildNoCase(profile, "NTUSER.DAT");
            if (!hive.isEmpty() && files.isFile(joinPath(profile, hive)))
                return true;
        }
    }
    return false;
}

std::optional<DiskImage> readDiskImage(const QString& path, const DiskImageOptions& options,
                                       ImageError* error) {
    auto state = std::make_shared<ImageState>();
    state->container = openImageContainer(path, error);
    if (!state->container)
        return std::nullopt;
    Builder b{path, options, state, DiskImage{}};
    b.image.path = path;
    b.image.format = state->container->format;
    b.image.segments = state->container->segments;
    TSK_IMG_INFO* img = state->container->info;

    // Nothing else reaches the image before it is returned: no lock is taken
    // here (the volumes' own calls take it while Windows is looked for).
    // An image whose first sector cannot be read fails in its format (an E01
    // whose header is whole but whose data is cut off, say).
    std::vector<char> first(size_t(std::min<TSK_OFF_T>(img->size, 65536)));
    tsk_error_reset();
    if (tsk_img_read(img, 0, first.data(), first.size()) != ssize_t(first.size())) {
        *error = ImageError{ImageLayer::ImageFormat, path, QString(),
                            QStringLiteral("the image's first sectors cannot be read: ") +
                                tskErrorText()};
        return std::nullopt;
    }
    // GPT first: a GPT disk also holds an MBR (the protective one), and
    // TSK's detection, which then finds both and keeps GPT, leaks the MBR's
    // partitions.
    tsk_error_reset();
    TSK_VS_INFO* vs = tsk_vs_open(img, 0, TSK_VS_TYPE_GPT);
    tsk_error_reset();
    if (!vs)
        vs = tsk_vs_open(img, 0, TSK_VS_TYPE_DETECT);
    if (!vs) {
        // TSK says nothing at all when it finds no table of any kind.
        const uint32_t why = tsk_error_get_errno();
        const bool noTable = why == 0 || why == TSK_ERR_VS_UNKTYPE;
        const QString tableError = tskErrorText();
        tsk_error_reset();
        TSK_FS_INFO* fs = tsk_fs_open_img(img, 0, TSK_FS_TYPE_DETECT);
        if (!fs) {
            const QString fsError = tskErrorText();
            // Reading the image failed under the file system's look: its
            // format is what failed (an E01 whose data is cut off, say).
            if (fsError.contains(QLatin1String("image_read"))) {
                *error = ImageError{ImageLayer::ImageFormat, path, QString(), fsError};
                return std::nullopt;
            }
            *error = noTable ? ImageError{ImageLayer::FileSystem, path, QString(),
                                          QStringLiteral("no partition table and no file "
                                                         "system at the image's start: ") +
                                              fsError}
                             : ImageError{ImageLayer::PartitionTable, path, QString(), tableError};
            return std::nullopt;
        }
        DiskImageVolume whole;
        whole.size = img->size;
        b.addFileSystem(whole, fs);
        return std::move(b.image);
    }
    int ordinal = 0;
    ImageError firstFailure{ImageLayer::FileSystem, path, QString(), QString()};
    const unsigned parts = std::min<unsigned>(vs->part_count, kMaxPartitions);
    for (unsigned i = 0; i < parts; ++i) {
        const TSK_VS_PART_INFO* part = tsk_vs_part_get(vs, i);
        if (!part || !(part->flags & TSK_VS_PART_FLAG_ALLOC))
            continue;
        DiskImageVolume volume;
        volume.partition = ++ordinal;
        volume.offset = qint64(part->start) * vs->block_size;
        volume.size = qint64(part->len) * vs->block_size;
        volume.partitionType = part->desc ? QString::fromUtf8(part->desc) : QString();
        tsk_error_reset();
        TSK_FS_INFO* fs = tsk_fs_open_vol(part, TSK_FS_TYPE_DETECT);
        if (!fs) {
            ImageError problem{
                ImageLayer::FileSystem, path,
                QStringLiteral("partition %1, %2").arg(ordinal).arg(volume.partitionType),
                tskErrorText()};
            if (firstFailure.details.isEmpty())
                firstFailure = problem;
            b.image.problems.push_back(problem);
            continue;
        }
        b.addFileSystem(volume, fs);
    }
    // The volumes keep the image open, not the table.
    tsk_vs_close(vs);
    if (b.image.volumes.empty()) {
        *error = firstFailure.details.isEmpty()
                     ? ImageError{ImageLayer::PartitionTable, path, QString(),
                                  QStringLiteral("the table lists no partition")}
                     : firstFailure;
        return std::nullopt;
    }
    return std::move(b.image);
}

} // namespace vc::image
