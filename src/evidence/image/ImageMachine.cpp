#include "evidence/image/ImageMachine.h"

#include "evidence/Machine.h"
#include "evidence/image/ImageProcess.h"

namespace vc {

std::vector<int> liveWindowsVolumes(const DiskImage& image) {
    std::vector<int> found;
    for (const int v : image.windowsVolumes())
        if (image.volumes[size_t(v)].snapshot == 0)
            found.push_back(v);
    return found;
}

int chooseWindowsVolume(const DiskImage& image, int partition, QString* error) {
    const std::vector<int> windows = liveWindowsVolumes(image);
    if (windows.empty()) {
        if (error)
            *error = noWindowsVolumeText(image);
        return -1;
    }
    if (partition <= 0)
        return windows.front();
    for (const int v : windows)
        if (image.volumes[size_t(v)].partition == partition)
            return v;
    if (error) {
        QStringList held;
        for (const int v : windows)
            held << image.volumes[size_t(v)].describe(imageFileName(image.path));
        *error = QStringLiteral("%1: partition %2 holds no Windows volume (Windows volumes: %3)")
                     .arg(imageFileName(image.path))
                     .arg(partition)
                     .arg(held.join(QStringLiteral("; ")));
    }
    return -1;
}

std::unique_ptr<Machine> machineOfImageVolume(const DiskImage& image, int volume,
                                              const QStringList& wantedUsers, bool snapshots,
                                              QString* error) {
    if (volume < 0 || size_t(volume) >= image.volumes.size() ||
        size_t(volume) >= image.files.size()) {
        if (error)
            *error = QStringLiteral("%1: no volume %2").arg(image.path).arg(volume);
        return nullptr;
    }
    const QString name = imageFileName(image.path);
    const DiskImageVolume& live = image.volumes[size_t(volume)];
    QString failure;
    std::unique_ptr<Machine> machine =
        Machine::openVolume(QStringLiteral("/"), wantedUsers, &failure, image.files[size_t(volume)],
                            live.describe(name));
    if (!machine) {
        if (error)
            *error = live.describe(name) + QStringLiteral(": ") + failure;
        return nullptr;
    }
    for (const ImageError& problem : image.problems)
        machine->addMessage(problem.text());
    if (!snapshots)
        return machine;
    // The shadow copies of this volume follow it in the image's list.
    for (size_t v = 0; v < image.volumes.size() && v < image.files.size(); ++v) {
        const DiskImageVolume& copy = image.volumes[v];
        if (copy.snapshot == 0 || copy.partition != live.partition || copy.offset != live.offset)
            continue;
        QString copyFailure;
        std::unique_ptr<Machine> older = Machine::openVolume(
            QStringLiteral("/"), wantedUsers, &copyFailure, image.files[v], copy.describe(name));
        if (!older) {
            machine->addMessage(copy.describe(name) + QStringLiteral(": ") + copyFailure);
            continue;
        }
        machine->addSnapshot(std::move(older), copy.snapshotCreated.value_or(TimeValue{}));
    }
    return machine;
}

std::unique_ptr<Machine> openImageMachine(const QString& path, int partition,
                                          const QStringList& wantedUsers, bool snapshots,
                                          QString* error) {
    DiskImageOptions options;
    options.snapshots = snapshots;
    ImageError failure;
    const std::optional<DiskImage> image = openDiskImage(path, options, &failure);
    if (!image) {
        if (error)
            *error = failure.text();
        return nullptr;
    }
    const int volume = chooseWindowsVolume(*image, partition, error);
    if (volume < 0)
        return nullptr;
    std::unique_ptr<Machine> machine =
        machineOfImageVolume(*image, volume, wantedUsers, snapshots, error);
    // The command line reads one volume: it names the others and how to
    // read them (the window lets the user choose instead).
    if (machine)
        for (const int other : liveWindowsVolumes(*image))
            if (other != volume)
                machine->addMessage(
                    QStringLiteral("%1 is a Windows volume too; --partition %2 reads it")
                        .arg(image->volumes[size_t(other)].describe(imageFileName(path)))
                        .arg(image->volumes[size_t(other)].partition));
    return machine;
}

} // namespace vc
