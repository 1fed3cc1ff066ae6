#include "browsers/DatabaseCopy.h"

#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"

#include <QDir>
#include <QStorageInfo>

#include <optional>
#include <vector>

namespace vc {

namespace {

struct Part {
    QByteArray from; // the evidence file
    QString suffix;  // "", "-wal", "-journal"
    QByteArray name; // its name, for readFrom
    qint64 size = 0;
};

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

} // namespace

bool DatabaseCopy::make(const QString& evidencePath, QString* error) {
    return make(localEvidenceFiles(), EvidenceFiles::pathBytes(QDir(evidencePath).absolutePath()),
                error);
}

bool DatabaseCopy::make(const EvidenceFiles& files, const QByteArray& path, QString* error) {
    m_size = 0;
    m_hasLog = false;
    const std::optional<EvidenceEntry> database = files.entry(path);
    if (!database || database->type != EntryType::File) {
        *error = database ? QStringLiteral("not a regular file")
                          : QStringLiteral("No such file or directory");
        return false;
    }
    std::vector<Part> parts{{path, QString(), nameOf(path), database->size}};
    // The log and the journal keep the database's name; NTFS matched names
    // without regard to letter case.
    const QByteArray folder = folderOf(path);
    for (const char* suffix : {"-wal", "-journal"}) {
        const QByteArray companion = files.findChildNoCase(folder, nameOf(path) + suffix);
        if (companion.isEmpty())
            continue;
        const QByteArray from = joinPath(folder, companion);
        const std::optional<EvidenceEntry> entry = files.entry(from);
        if (!entry || entry->type != EntryType::File)
            continue;
        parts.push_back({from, QString::fromLatin1(suffix), companion, entry->size});
    }

    qint64 total = 0;
    for (const Part& part : parts)
        total += part.size;
    if (total > m_sizeBound) {
        *error = tx(TextDatabaseOverBound).arg(total).arg(m_sizeBound);
        return false;
    }
    const QString base = m_workFolder.isEmpty() ? QDir::tempPath() : m_workFolder;
    m_dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/vellacord-db-XXXXXX"));
    if (!m_dir->isValid()) {
        *error = m_dir->errorString();
        return false;
    }
    // The copies keep the holes of sparse files, but a file full of data
    // as large as its size must still fit.
    const qint64 free = QStorageInfo(m_dir->path()).bytesAvailable();
    if (free >= 0 && total > free) {
        *error = tx(TextDatabaseOverFreeSpace).arg(total).arg(free).arg(base);
        return false;
    }

    m_path = m_dir->filePath(QStringLiteral("database"));
    QStringList names;
    for (const Part& part : parts) {
        QString copyError;
        // Each is bounded by what is left of the bound, so a file that grows
        // while it is copied cannot pass it.
        if (!files.copyTo(part.from, m_path + part.suffix, m_sizeBound - m_size, &copyError)) {
            *error = part.suffix.isEmpty()
                         ? copyError
                         : EvidenceFiles::pathText(part.from) + QStringLiteral(": ") + copyError;
            return false;
        }
        const std::optional<EvidenceEntry> copied =
            localEvidenceFiles().entry(EvidenceFiles::pathBytes(m_path + part.suffix));
        const qint64 size = copied ? copied->size : part.size;
        m_size += size;
        if (part.suffix.isEmpty() || size > 0) {
            names << EvidenceFiles::pathText(part.name);
            if (part.suffix == QLatin1String("-wal"))
                m_hasLog = true;
        }
    }
    m_readFrom = names.join(QStringLiteral(" + "));
    return true;
}

} // namespace vc
