#include "evidence/image/DiskImage.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimeZone>

namespace vc {

namespace {

QString layerText(ImageLayer layer) {
    switch (layer) {
    case ImageLayer::ImageFormat:
        return QStringLiteral("the image format cannot be read");
    case ImageLayer::PartitionTable:
        return QStringLiteral("the partition table cannot be read");
    case ImageLayer::FileSystem:
        return QStringLiteral("the file system cannot be read");
    case ImageLayer::FileInside:
        return QStringLiteral("a file inside the image cannot be read");
    case ImageLayer::Reader:
        return QStringLiteral("the image reader stopped");
    }
    return QString();
}

} // namespace

QString ImageError::text() const {
    QString line = imageFileName(image) + QStringLiteral(": ") + layerText(layer);
    if (!place.isEmpty())
        line += QStringLiteral(" (") + place + QLatin1Char(')');
    if (!details.isEmpty())
        line += QStringLiteral(": ") + details;
    return line;
}

QString fileTimeUtcText(quint64 filetime) {
    if (filetime == 0)
        return QString();
    constexpr quint64 kStepsPerSecond = 10000000;
    constexpr qint64 kSecondsFrom1601To1970 = 11644473600;
    const qint64 seconds = qint64(filetime / kStepsPerSecond) - kSecondsFrom1601To1970;
    const QDateTime time = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
           QStringLiteral(".%1 UTC").arg(filetime % kStepsPerSecond, 7, 10, QLatin1Char('0'));
}

QString DiskImageVolume::describe(const QString& imageName) const {
    QString text = imageName;
    if (partition > 0)
        text += QStringLiteral(", partition %1 (offset %2)").arg(partition).arg(offset);
    text += QStringLiteral(", ") + fileSystem;
    if (snapshot > 0) {
        text += QStringLiteral(", shadow copy %1").arg(snapshot);
        if (snapshotCreated && snapshotCreated->kind == TimeKind::FileTime)
            text += QStringLiteral(" (") + fileTimeUtcText(quint64(snapshotCreated->raw)) +
                    QLatin1Char(')');
    }
    return text;
}

std::vector<int> DiskImage::windowsVolumes() const {
    std::vector<int> found;
    for (size_t i = 0; i < volumes.size(); ++i)
        if (volumes[i].windows)
            found.push_back(int(i));
    return found;
}

QString imageFileName(const QString& path) {
    return QFileInfo(path).fileName();
}

QString noWindowsVolumeText(const DiskImage& image) {
    QStringList held;
    for (const DiskImageVolume& v : image.volumes)
        if (v.snapshot == 0)
            held << v.describe(imageFileName(image.path));
    QString text = imageFileName(image.path) + QStringLiteral(": no Windows volume in the image");
    if (!held.isEmpty())
        text += QStringLiteral(" (it holds: ") + held.join(QStringLiteral("; ")) + QLatin1Char(')');
    return text;
}

} // namespace vc
