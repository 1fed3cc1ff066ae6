#include "documents/FileProperties.h"

#include "documents/FileDates.h"
#include "documents/FileServices.h"
#include "platform/TimeText.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

namespace vc {

namespace {

QString timeText(const std::optional<qint64>& seconds) {
    if (!seconds || !localCalendarTime(*seconds))
        return QString();
    return QString::fromLatin1(formatTimeText(*seconds));
}

QString permissionText(const QFileInfo& info) {
    const QFile::Permissions p = info.permissions();
    const struct {
        QFile::Permission flag;
        char letter;
    } bits[] = {{QFile::ReadOwner, 'r'}, {QFile::WriteOwner, 'w'}, {QFile::ExeOwner, 'x'},
                {QFile::ReadGroup, 'r'}, {QFile::WriteGroup, 'w'}, {QFile::ExeGroup, 'x'},
                {QFile::ReadOther, 'r'}, {QFile::WriteOther, 'w'}, {QFile::ExeOther, 'x'}};
    QString text;
    for (const auto& b : bits)
        text += p.testFlag(b.flag) ? QLatin1Char(b.letter) : QLatin1Char('-');
    return text + QLatin1Char(' ') + info.owner() + QLatin1Char(' ') + info.group();
}

} // namespace

QString fileSha256(const QString& path, QString* error) {
    QFile file(path);
    if (!openWithoutAccessTime(file)) {
        if (error)
            *error = file.errorString();
        return QString();
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) {
        if (error)
            *error = file.errorString();
        return QString();
    }
    return QString::fromLatin1(hash.result().toHex());
}

FileProperties describeFile(const QString& path) {
    FileProperties p;
    const QFileInfo info(path);
    p.name = info.fileName();
    p.path = info.absoluteFilePath();
    p.size = info.exists() ? info.size() : -1;
    // The content is sniffed through a handle that leaves the access time alone.
    QFile content(path);
    const QMimeType mime =
        openWithoutAccessTime(content)
            ? QMimeDatabase().mimeTypeForFileNameAndData(p.name, &content)
            : QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    content.close();
    p.type = mime.comment() + QStringLiteral(" (") + mime.name() + QLatin1Char(')');
    if (const auto times = readFileTimes(QFile::encodeName(path))) {
        p.created = timeText(times->created);
        p.modified = timeText(times->modified);
        p.accessed = timeText(times->accessed);
    }
    p.permissions = permissionText(info);
    p.sha256 = fileSha256(path, &p.readError);
    return p;
}

} // namespace vc
