#include "evidence/image/reading/TskVolumeFiles.h"

#include "evidence/image/DiskImage.h"

#include <ctime>

namespace vc::image {

namespace {

constexpr qint64 kSecondsFrom1601To1970 = 11644473600;
constexpr qint64 kStepsPerSecond = 10000000;

// The NTFS times TSK keeps as seconds and nanoseconds, as the FILETIME they
// were read from.
quint64 fileTimeOf(time_t seconds, uint32_t nanoseconds) {
    if (seconds == 0 && nanoseconds == 0)
        return 0;
    return quint64((qint64(seconds) + kSecondsFrom1601To1970) * kStepsPerSecond +
                   qint64(nanoseconds / 100));
}

std::optional<TimeValue> ntfsTime(time_t seconds, uint32_t nanoseconds) {
    return fileTimeValue(fileTimeOf(seconds, nanoseconds), TimeRule::Blank);
}

// FAT keeps local wall-clock times, which TSK turned into seconds with this
// process's zone: turned back, they are the stored date and time, a FILETIME
// in the examined machine's local time.
std::optional<TimeValue> fatTime(time_t seconds, uint32_t nanoseconds) {
    if (seconds <= 0)
        return std::nullopt;
    struct tm local {};
    if (!localtime_r(&seconds, &local))
        return std::nullopt;
    const time_t wall = timegm(&local);
    return TimeValue{TimeKind::LocalFileTime, TimeRule::Blank,
                     qint64(fileTimeOf(wall, nanoseconds))};
}

std::optional<TimeValue> unixTime(time_t seconds) {
    if (seconds == 0)
        return std::nullopt;
    return TimeValue{TimeKind::UnixSeconds, TimeRule::Blank, qint64(seconds)};
}

bool isVirtual(const TSK_FS_FILE* file) {
    if (file->meta && (file->meta->type == TSK_FS_META_TYPE_VIRT ||
                       file->meta->type == TSK_FS_META_TYPE_VIRT_DIR))
        return true;
    return file->name && (file->name->type == TSK_FS_NAME_TYPE_VIRT ||
                          file->name->type == TSK_FS_NAME_TYPE_VIRT_DIR);
}

EntryType typeOf(const TSK_FS_FILE* file, bool* symlink) {
    *symlink = false;
    if (file->meta) {
        switch (file->meta->type) {
        case TSK_FS_META_TYPE_REG:
            return EntryType::File;
        case TSK_FS_META_TYPE_DIR:
            return EntryType::Folder;
        case TSK_FS_META_TYPE_LNK:
            *symlink = true;
            return EntryType::Other;
        default:
            return EntryType::Other;
        }
    }
    if (file->name) {
        switch (file->name->type) {
        case TSK_FS_NAME_TYPE_REG:
            return EntryType::File;
        case TSK_FS_NAME_TYPE_DIR:
            return EntryType::Folder;
        case TSK_FS_NAME_TYPE_LNK:
            *symlink = true;
            return EntryType::Other;
        default:
            break;
        }
    }
    return EntryType::Other;
}

QString ntfsDetail(const TSK_FS_META* meta) {
    const auto fn = [&](time_t s, uint32_t ns) { return fileTimeUtcText(fileTimeOf(s, ns)); };
    QStringList parts;
    const auto add = [&](const char* what, const QString& text) {
        if (!text.isEmpty())
            parts << QLatin1String(what) + text;
    };
    add("$FILE_NAME created ", fn(meta->time2.ntfs.fn_crtime, meta->time2.ntfs.fn_crtime_nano));
    add("$FILE_NAME modified ", fn(meta->time2.ntfs.fn_mtime, meta->time2.ntfs.fn_mtime_nano));
    add("$FILE_NAME accessed ", fn(meta->time2.ntfs.fn_atime, meta->time2.ntfs.fn_atime_nano));
    add("$FILE_NAME entry changed ", fn(meta->time2.ntfs.fn_ctime, meta->time2.ntfs.fn_ctime_nano));
    add("$STANDARD_INFORMATION entry changed ", fn(meta->ctime, meta->ctime_nano));
    parts << QStringLiteral("MFT entry %1, sequence %2").arg(meta->addr).arg(meta->seq);
    return parts.join(QStringLiteral("; "));
}

// The entry of a file TSK opened or listed; nullopt for its own virtual
// entries ($OrphanFiles), "." and "..".
std::optional<EvidenceEntry> entryOf(const TSK_FS_INFO* fs, const TSK_FS_FILE* file,
                                     const QByteArray& fallbackName) {
    if (isVirtual(file))
        return std::nullopt;
    EvidenceEntry e;
    e.name = file->name && file->name->name ? QByteArray(file->name->name) : fallbackName;
    if (e.name == "." || e.name == "..")
        return std::nullopt;
    e.type = typeOf(file, &e.symlink);
    const bool nameDeleted = file->name && (file->name->flags & TSK_FS_NAME_FLAG_UNALLOC);
    const bool metaDeleted = file->meta && (file->meta->flags & TSK_FS_META_FLAG_UNALLOC);
    e.deleted = nameDeleted || metaDeleted;
    const TSK_FS_META* meta = file->meta;
    e.fileId = meta ? quint64(meta->addr) : file->name ? quint64(file->name->meta_addr) : 0;
    if (!meta)
        return e;
    e.size = meta->size > 0 ? qint64(meta->size) : 0;
    if (TSK_FS_TYPE_ISNTFS(fs->ftype)) {
        e.created = ntfsTime(meta->crtime, meta->crtime_nano);
        e.modified = ntfsTime(meta->mtime, meta->mtime_nano);
        e.accessed = ntfsTime(meta->atime, meta->atime_nano);
        e.detail = ntfsDetail(meta);
        if (nameDeleted && !metaDeleted)
            e.detail += QStringLiteral("; the MFT entry now belongs to another file");
    } else if (TSK_FS_TYPE_ISFAT(fs->ftype)) {
        e.created = fatTime(meta->crtime, meta->crtime_nano);
        e.modified = fatTime(meta->mtime, meta->mtime_nano);
        e.accessed = fatTime(meta->atime, 0);
    } else {
        e.created = unixTime(meta->crtime);
        e.modified = unixTime(meta->mtime);
        e.accessed = unixTime(meta->atime);
    }
    return e;
}

// NTFS's own files in the root folder ($MFT, $Bitmap, $Extend...), which a
// mounted volume does not show either.
bool isNtfsSystemEntry(const TSK_FS_INFO* fs, TSK_INUM_T folder, const EvidenceEntry& e) {
    return TSK_FS_TYPE_ISNTFS(fs->ftype) && folder == fs->root_inum && e.fileId < 24 &&
           e.name.startsWith('$');
}

// A path as the folders are kept: absolute, one "/" between names, none at
// the end.
QByteArray tskPath(const QByteArray& path) {
    QByteArray p;
    p.reserve(path.size() + 1);
    for (const QByteArray& name : path.split('/'))
        if (!name.isEmpty())
            p += '/' + name;
    return p.isEmpty() ? QByteArray("/") : p;
}

class TskReader : public EvidenceReader {
public:
    TskReader(std::shared_ptr<VolumeState> volume, TSK_FS_FILE* file, qint64 size)
        : m_volume(std::move(volume)), m_file(file), m_size(size) {}
    ~TskReader() override {
        std::lock_guard<std::mutex> guard(m_volume->image->lock);
        tsk_fs_file_close(m_file);
    }
    qint64 size() const override { return m_size; }
    qint64 readAt(qint64 offset, char* out, qint64 count) override {
        if (offset < 0 || count < 0) {
            m_error = QStringLiteral("invalid offset");
            return -1;
        }
        if (offset >= m_size || count == 0)
            return 0;
        const qint64 want = std::min(count, m_size - offset);
        std::lock_guard<std::mutex> guard(m_volume->image->lock);
        tsk_error_reset();
        const ssize_t n =
            tsk_fs_file_read(m_file, offset, out, size_t(want), TSK_FS_FILE_READ_FLAG_NONE);
        if (n >= 0)
            return qint64(n);
        m_error = tskErrorText();
        // Where a cluster cannot be read, the clusters before it are still
        // given: read block by block up to the first that fails.
        const qint64 block = m_volume->fs->block_size > 0 ? m_volume->fs->block_size : 4096;
        qint64 done = 0;
        while (done < want) {
            const qint64 piece = std::min(want - done, block - (offset + done) % block);
            tsk_error_reset();
            const ssize_t r = tsk_fs_file_read(m_file, offset + done, out + done, size_t(piece),
                                               TSK_FS_FILE_READ_FLAG_NONE);
            if (r <= 0)
                break;
            done += r;
        }
        return done > 0 ? done : -1;
    }
    QString errorString() const override { return m_error; }

private:
    std::shared_ptr<VolumeState> m_volume;
    TSK_FS_FILE* m_file;
    qint64 m_size;
    QString m_error;
};

} // namespace

VolumeState::~VolumeState() {
    if (fs) {
        std::lock_guard<std::mutex> guard(image->lock);
        tsk_fs_close(fs);
    }
}

TskVolumeFiles::TskVolumeFiles(std::shared_ptr<VolumeState> volume, QString description)
    : m_volume(std::move(volume)), m_description(std::move(description)) {}

TskVolumeFiles::~TskVolumeFiles() = default;

std::shared_ptr<const TskVolumeFiles::Folder> TskVolumeFiles::folderLocked(const QByteArray& path,
                                                                           int depth) const {
    const auto cached = m_folders.find(path);
    if (cached != m_folders.end())
        return cached->second;
    auto folder = std::make_shared<Folder>();
    TSK_INUM_T address = m_volume->fs->root_inum;
    if (path != "/") {
        // The folder's own entry in its parent's listing.
        const qsizetype slash = path.lastIndexOf('/');
        const QByteArray parentPath = slash > 0 ? path.left(slash) : QByteArray("/");
        const std::shared_ptr<const Folder> parent =
            depth < kMaxDepth ? folderLocked(parentPath, depth + 1) : nullptr;
        const EvidenceEntry* self = parent ? parent->find(path.mid(slash + 1)) : nullptr;
        if (!self || self->type != EntryType::Folder || self->fileId == 0) {
            folder->error =
                parent && !parent->ok ? parent->error : QStringLiteral("no such folder");
            return remember(path, std::move(folder));
        }
        address = TSK_INUM_T(self->fileId);
    }
    tsk_error_reset();
    TSK_FS_DIR* dir = tsk_fs_dir_open_meta(m_volume->fs, address);
    if (!dir) {
        folder->error = tskErrorText();
        return remember(path, std::move(folder));
    }
    folder->ok = true;
    const size_t count = std::min(tsk_fs_dir_getsize(dir), kMaxFolderEntries);
    for (size_t i = 0; i < count; ++i) {
        TSK_FS_FILE* file = tsk_fs_dir_get(dir, i);
        if (!file)
            continue;
        std::optional<EvidenceEntry> e;
        // TSK leaves out the MFT entry of a deleted NTFS name whose sequence
        // number has moved on, as NTFS moves it when it deletes a file: the
        // entry is still that file's while it is not in use again.
        TSK_FS_FILE* deleted = nullptr;
        if (!file->meta && file->name && (file->name->flags & TSK_FS_NAME_FLAG_UNALLOC) &&
            file->name->meta_addr != 0) {
            deleted = tsk_fs_file_open_meta(m_volume->fs, nullptr, file->name->meta_addr);
            if (deleted && deleted->meta && (deleted->meta->flags & TSK_FS_META_FLAG_UNALLOC)) {
                TSK_FS_FILE joined = *file;
                joined.meta = deleted->meta;
                e = entryOf(m_volume->fs, &joined, QByteArray());
            }
            tsk_error_reset();
        }
        if (!e)
            e = entryOf(m_volume->fs, file, QByteArray());
        if (deleted)
            tsk_fs_file_close(deleted);
        tsk_fs_file_close(file);
        if (e && !e->name.isEmpty() && !isNtfsSystemEntry(m_volume->fs, address, *e))
            folder->entries.push_back(std::move(*e));
    }
    tsk_fs_dir_close(dir);
    // By name, the entry in use before a deleted one of the same name.
    for (size_t i = 0; i < folder->entries.size(); ++i) {
        const auto [it, added] = folder->byName.emplace(folder->entries[i].name, i);
        if (!added && folder->entries[it->second].deleted && !folder->entries[i].deleted)
            it->second = i;
    }
    return remember(path, std::move(folder));
}

std::shared_ptr<const TskVolumeFiles::Folder>
TskVolumeFiles::remember(const QByteArray& path, std::shared_ptr<Folder> folder) const {
    m_cachedEntries += folder->entries.size() + 1;
    if (m_cachedEntries > kMaxCachedEntries) {
        m_folders.clear();
        m_cachedEntries = folder->entries.size() + 1;
    }
    m_folders[path] = folder;
    return folder;
}

const EvidenceEntry* TskVolumeFiles::Folder::find(const QByteArray& name) const {
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : &entries[it->second];
}

std::optional<EvidenceEntry> TskVolumeFiles::entryLocked(const QByteArray& path) const {
    const QByteArray p = tskPath(path);
    if (p == "/") {
        EvidenceEntry root;
        root.name = "/";
        root.type = EntryType::Folder;
        root.fileId = m_volume->fs->root_inum;
        return root;
    }
    const qsizetype slash = p.lastIndexOf('/');
    const std::shared_ptr<const Folder> parent =
        folderLocked(slash > 0 ? p.left(slash) : QByteArray("/"), 0);
    const EvidenceEntry* e = parent->find(p.mid(slash + 1));
    if (!e)
        return std::nullopt;
    return *e;
}

std::optional<EvidenceEntry> TskVolumeFiles::entry(const QByteArray& path) const {
    if (path.isEmpty() || path.contains('\0') || path.size() > kMaxPath)
        return std::nullopt;
    std::lock_guard<std::mutex> guard(m_volume->image->lock);
    return entryLocked(path);
}

bool TskVolumeFiles::list(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
                          QString* error) const {
    if (folder.contains('\0') || folder.size() > kMaxPath) {
        if (error)
            *error = QStringLiteral("no such folder");
        return false;
    }
    std::lock_guard<std::mutex> guard(m_volume->image->lock);
    const std::shared_ptr<const Folder> listing = folderLocked(tskPath(folder), 0);
    if (!listing->ok) {
        if (error)
            *error = listing->error;
        return false;
    }
    entries.insert(entries.end(), listing->entries.begin(), listing->entries.end());
    return true;
}

std::unique_ptr<EvidenceReader> TskVolumeFiles::open(const QByteArray& path, QString* error) const {
    if (path.contains('\0') || path.size() > kMaxPath) {
        if (error)
            *error = QStringLiteral("no such file");
        return nullptr;
    }
    std::unique_lock<std::mutex> guard(m_volume->image->lock);
    const std::optional<EvidenceEntry> e = entryLocked(path);
    if (!e || e->type != EntryType::File || e->fileId == 0) {
        if (error)
            *error = e ? QStringLiteral("not a regular file") : QStringLiteral("no such file");
        return nullptr;
    }
    tsk_error_reset();
    TSK_FS_FILE* file = tsk_fs_file_open_meta(m_volume->fs, nullptr, TSK_INUM_T(e->fileId));
    if (!file || !file->meta || file->meta->type != TSK_FS_META_TYPE_REG) {
        if (error)
            *error = file ? QStringLiteral("not a regular file") : tskErrorText();
        if (file)
            tsk_fs_file_close(file);
        return nullptr;
    }
    const qint64 size = file->meta->size > 0 ? qint64(file->meta->size) : 0;
    guard.unlock();
    return std::make_unique<TskReader>(m_volume, file, size);
}

} // namespace vc::image
