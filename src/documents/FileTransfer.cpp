#include "documents/FileTransfer.h"

#include "evidence/EvidenceFiles.h"

#include "documents/FileServices.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/stat.h>

namespace vc {

namespace {

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

bool sameFile(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void failure(int text, const QString& path, const QString& reason = QString()) {
    QString message = tx(text) + QStringLiteral(":\n") + path;
    if (!reason.isEmpty())
        message += QLatin1Char('\n') + reason;
    showError(message);
}

} // namespace

bool HasRoomFor(const QString& source, const QString& destination) {
    const qint64 free = fileServices().freeSpace(folderOf(destination));
    if (free < 0)
        return true;
    if (free == 0)
        return false;
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return free >= file.size();
}

QString transferDestination(const QString& source, const QString& folder) {
    QString destination = folder;
    if (!destination.endsWith(QLatin1Char('/')))
        destination += QLatin1Char('/');
    return destination + QFileInfo(source).fileName();
}

TransferOutcome transferFile(const QString& source, const QString& folder, bool move) {
    const QString destination = transferDestination(source, folder);

    if (sameFile(source, destination)) {
        // Copying a file onto itself, then deleting the "source", would
        // lose it.
        failure(TextFileNotCopied, source);
        return TransferOutcome::SameFile;
    }
    {
        QFile probe(source);
        if (!probe.open(QIODevice::ReadOnly)) {
            failure(TextFileNotCopied, source, probe.errorString());
            return TransferOutcome::SourceUnreadable;
        }
    }
    if (!HasRoomFor(source, destination)) {
        failure(TextNoFreeSpace, destination);
        return TransferOutcome::NoRoom;
    }
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink()) {
        // The file that would be lost is the one to name.
        const QString question = tx(TextFileWithSameName) + QLatin1Char('\n') + destination +
                                 QLatin1Char('\n') + tx(TextAlreadyExists) + QStringLiteral(".\n") +
                                 tx(TextReplaceQuestion);
        if (messages().show(MessageKind::Confirmation, question, MessageButtons::YesNo) !=
            MessageAnswer::Yes)
            return TransferOutcome::Declined;
    }
    const qint64 sourceSize = QFileInfo(source).size();
    QString error;
    if (!fileServices().copyFile(source, destination, &error)) {
        failure(TextFileNotCopied, source, error);
        return TransferOutcome::CopyFailed;
    }
    if (!move)
        return TransferOutcome::Done;
    const QFileInfo copy(destination);
    if (!copy.exists() || copy.size() != sourceSize) {
        failure(TextFileNotCopied, source, destination);
        return TransferOutcome::CopyIncomplete;
    }
    if (!fileServices().removeFile(source, &error)) {
        failure(TextFileNotDeleted, source, error);
        return TransferOutcome::DeleteFailed;
    }
    return TransferOutcome::Done;
}

QString localFileFor(const QString& target, const UserProfile* profile) {
    static const QRegularExpression windowsPath(QStringLiteral("^([A-Za-z]:[\\\\/]|%)"));
    // A profile inside a disk image: its paths are paths there, never
    // this machine's files.
    if (profile && !profile->files().isLocal()) {
        if (windowsPath.match(target).hasMatch())
            if (const QString mapped = profile->mapWindowsPath(target); !mapped.isEmpty())
                return mapped;
        return target;
    }
    if (target.isEmpty() || QFileInfo::exists(target))
        return target;
    if (windowsPath.match(target).hasMatch()) {
        if (profile) {
            const QString mapped = profile->mapWindowsPath(target);
            if (!mapped.isEmpty() && QFileInfo::exists(mapped))
                return mapped;
        }
    }
    // The table shows names decoded with the source code page; the file
    // system knows them by their bytes.
    const QString byBytes = QFile::decodeName(encodeEvidence(target));
    if (QFileInfo::exists(byBytes))
        return byBytes;
    return target;
}

} // namespace vc
