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

QByteArray lastComponent(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash >= 0 ? path.mid(slash + 1) : path;
}

// A path as TSK looks it up: absolute, no trailing "/".
QByteArray tskPath(const QByteArray& path) {
    QByteArray p = path.startsWith('/') ? path : '/' + path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    return p;
}

// Opens the file at path. NTFS and FAT find names in any letter case, and so
// does TSK; the last name must be spelled as the file system spells it, as
// on the folders of this machine, so that a name matched without regard to
// case is found by the listing and shown as it is written.
TSK_FS_FILE* openExact(TSK_FS_INFO* fs, const QByteArray& path) {
    const QByteArray p = tskPath(path);
    TSK_FS_FILE* file = tsk_fs_file_open(fs, nullptr, p.constData());
    if (file && p != "/" && file->name && file->name->name &&
        lastComponent(p) != QByteArray(file->name->name)) {
        tsk_fs_file_close(file);
        tsk_error_reset();
        tsk_error_set_errno(TSK_ERR_FS_ARG);
        tsk_error_set_errstr("no such file (spelled otherwise)");
        return nullptr;
    }
    return file;
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

std::optional<EvidenceEntry> TskVolumeFiles::entry(const QByteArray& path) const {
    if (path.isEmpty() || path.contains('\0'))
        return std::nullopt;
    std::lock_guard<std::mutex> guard(m_volume->image->lock);
    tsk_error_reset();
    TSK_FS_FILE* file = openExact(m_volume->fs, path);
    if (!file)
        return std::nullopt;
    std::optional<EvidenceEntry> e = entryOf(m_volume->fs, file, lastComponent(path));
    if (e && tskPath(path) == "/") {
        e->name = QByteArray("/");
        e->type = EntryType::Folder;
    }
    tsk_fs_file_close(file);
    return e;
}

bool TskVolumeFiles::list(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
                          QString* error) const {
    if (folder.contains('\0')) {
        if (error)
            *error = QStringLiteral("no such folder");
        return false;
    }
    std::lock_guard<std::mutex> guard(m_volume->image->lock);
    tsk_error_reset();
    TSK_FS_DIR* dir = tsk_fs_dir_open(m_volume->fs, tskPath(folder).constData());
    if (!dir) {
        if (error)
            *error = tskErrorText();
        return false;
    }
    const size_t count = std::min(tsk_fs_dir_getsize(dir), kMaxFolderEntries);
    const TSK_INUM_T folderId = dir->addr;
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
        if (e && !e->name.isEmpty() && !isNtfsSystemEntry(m_volume->fs, folderId, *e))
            entries.push_back(std::move(*e));
    }
    tsk_fs_dir_close(dir);
    return true;
}

std::unique_ptr<EvidenceReader> TskVolumeFiles::open(const QByteArray& path, QString* error) const {
    if (path.contains('\0')) {
        if (error)
            *error = QStringLiteral("no such file");
        return nullptr;
    }
    std::unique_lock<std::mutex> guard(m_volume->image->lock);
    tsk_error_reset();
    TSK_FS_FILE* file = openExact(m_volume->fs, path);
    if (!file) {
        if (error)
            *error = tskErrorText();
        return nullptr;
    }
    if (!file->meta || file->meta->type != TSK_FS_META_TYPE_REG) {
        if (error)
            *error = QStringLiteral("not a regular file");
        tsk_fs_file_close(file);
        return nullptr;
    }
    const qint64 size = file->meta->size > 0 ? qint64(file->meta->size) : 0;
    guard.unlock();
    return std::make_unique<TskReader>(m_volume, file, size);
}

} // namespace vc::image
