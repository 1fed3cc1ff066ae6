#include "preview/ui/EvidenceCopies.h"

#include "app/OpenEvidence.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "preview/PathParts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>

#include <memory>

namespace vc {

namespace {

// The most of a file inside a disk image that is copied out for its
// preview, and for a file action.
constexpr qint64 kMaxPreviewBytes = qint64(64) << 20;
constexpr qint64 kMaxActionBytes = qint64(8) << 30;

// The private folder of each purpose, made when first needed.
QTemporaryDir* privateFolder(CopyPurpose purpose) {
    static std::unique_ptr<QTemporaryDir> folders[2];
    std::unique_ptr<QTemporaryDir>& folder = folders[purpose == CopyPurpose::Preview ? 0 : 1];
    if (!folder)
        folder = std::make_unique<QTemporaryDir>(
            QDir::tempPath() + (purpose == CopyPurpose::Preview
                                    ? QStringLiteral("/vellacord-preview-XXXXXX")
                                    : QStringLiteral("/vellacord-copies-XXXXXX")));
    return folder->isValid() ? folder.get() : nullptr;
}

bool insidePrivateFolder(const QString& path) {
    for (const CopyPurpose purpose : {CopyPurpose::Preview, CopyPurpose::Action}) {
        const QTemporaryDir* folder = privateFolder(purpose);
        if (folder && path.startsWith(folder->path() + QLatin1Char('/')))
            return true;
    }
    return false;
}

// A new empty place for a copy named name: the preview's one place (the
// copy before it removed), or a sub-folder of its own for a file action,
// so that files of the same name from different folders do not meet.
QString placeFor(const QString& name, CopyPurpose purpose) {
    QTemporaryDir* folder = privateFolder(purpose);
    if (!folder)
        return QString();
    QDir dir(folder->path());
    if (purpose == CopyPurpose::Preview) {
        for (const QString& old : dir.entryList(QDir::Files))
            dir.remove(old);
    } else {
        static int copies = 0;
        const QString sub = QString::number(++copies);
        if (!dir.mkdir(sub))
            return QString();
        dir.cd(sub);
    }
    const QString safe = namePart(name).isEmpty() ? QStringLiteral("file") : namePart(name);
    return dir.filePath(safe);
}

} // namespace

bool EvidenceInImage(const OpenEvidence& form) {
    return form.machine() && !form.machine()->files().isLocal();
}

QString WritePrivateCopy(const QByteArray& bytes, const QString& name, CopyPurpose purpose) {
    const QString path = placeFor(name, purpose);
    if (path.isEmpty())
        return QString();
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return QString();
    return path;
}

QString LocalEvidenceFile(const OpenEvidence& form, const QString& path, CopyPurpose purpose,
                          QString* error) {
    if (path.isEmpty() || !EvidenceInImage(form) || insidePrivateFolder(path))
        return path;
    const EvidenceFiles& files = form.machine()->files();
    const QByteArray inside = EvidenceFiles::pathBytes(path);
    const std::optional<EvidenceEntry> entry = files.entry(inside);
    if (!entry || entry->type != EntryType::File) {
        if (error)
            *error = files.describe() + QStringLiteral(": ") + path;
        return QString();
    }
    const QString copy = placeFor(path, purpose);
    QString failure;
    if (copy.isEmpty() ||
        !files.copyTo(inside, copy,
                      purpose == CopyPurpose::Preview ? kMaxPreviewBytes : kMaxActionBytes,
                      &failure)) {
        if (error)
            *error = failure.isEmpty() ? path : failure;
        return QString();
    }
    // The copy shows the time the file system inside the image keeps.
    if (entry->modified) {
        QFile out(copy);
        if (out.open(QIODevice::ReadWrite))
            out.setFileTime(
                QDateTime::fromSecsSinceEpoch(secondsSince1970(*entry->modified), QTimeZone::utc()),
                QFileDevice::FileModificationTime);
    }
    return copy;
}

bool EvidenceFileExists(const OpenEvidence& form, const QString& path) {
    if (path.isEmpty())
        return false;
    if (!EvidenceInImage(form) || insidePrivateFolder(path))
        return QFileInfo(path).isFile();
    const std::optional<EvidenceEntry> entry =
        form.machine()->files().entry(EvidenceFiles::pathBytes(path));
    return entry && entry->type == EntryType::File;
}

} // namespace vc
