// Opening what the tables read: a Windows profile folder (a machine of one
// user), the root of a Windows volume (every user on it), a disk image
// (every user of its Windows volume, and its shadow copies), or this Linux
// computer (its home folders).
#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "app/WindowSettings.h"
#include "evidence/Machine.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "evidence/image/ImageMachine.h"
#include "evidence/image/ImageProcess.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "recall/ui/RecallActions.h"
#include "tables/ui/TimeZoneView.h"
#include "thiscomputer/ThisComputer.h"

#include <QFileInfo>

namespace vc {

namespace {

// Takes what was opened into the window: the folders of its first user
// start the dialogs, the status bar names it, and its times are shown in
// its own zone when its hives name one.
bool takeMachine(TForm1& form, std::unique_ptr<Machine> machine, std::unique_ptr<Machine>& own) {
    if (!machine->messages().isEmpty())
        messages().show(MessageKind::Warning, machine->messages().join(QLatin1Char('\n')),
                        MessageButtons::Ok);
    own = std::move(machine);
    const UserProfile* user = form.firstUser();
    form.activity().CacheDir = GetSpecialFolder(user, FolderKind::CacheDir);
    form.activity().OpenDialogFileName.clear();
    if (!form.activity().CacheDir.isEmpty() &&
        QFileInfo::exists(form.activity().CacheDir + QStringLiteral("index.dat")))
        form.activity().OpenDialogFileName = QStringLiteral("index.dat");
    // Without its hive a profile's folders are where Windows usually puts
    // them; the status bar says so for as long as the profile is open.
    QString status = own->kind() == Machine::Kind::Profile && user
                         ? QFileInfo(user->folder()).absoluteFilePath()
                         : own->description();
    for (const auto& u : own->users())
        if (u->foldersGuessed()) {
            status += QStringLiteral(" (") + tx(TextFoldersGuessed) + QLatin1Char(')');
            break;
        }
    form.widgets().StatusPanel0->setText(status);
    UseMachineTimeZone(form);
    form.updateWindowTitle();
    return true;
}

// The choosers of the File menu; each gives an empty path when cancelled.
// The profile dialog starts at the profile open now, else at the last one
// opened in an earlier run (which is only offered, never read unasked).
QString chosenProfileFolder(TForm1& form) {
    const UserProfile* user = form.firstUser();
    const QString start = user ? user->folder() : lastProfileFolder();
    return form.chooser()->chooseFolder(form.actions().ActionOpenProfile->text(), start);
}

QString chosenVolumeRoot(TForm1& form) {
    const Machine* open = form.machine();
    const QString start = open && !open->root().isEmpty() ? open->root() : lastProfileFolder();
    return form.chooser()->chooseFolder(form.actions().ActionOpenVolume->text(), start);
}

QString chosenImageFile(TForm1& form) {
    const QString last = lastImageFile();
    return form.chooser()->openFile(form.actions().ActionOpenImage->text(),
                                    QFileInfo(last).absolutePath(), QFileInfo(last).fileName(),
                                    tx(TextDiskImageFilter));
}

} // namespace

bool TForm1::openProfile(const QString& folder) {
    QString error;
    std::unique_ptr<Machine> machine = Machine::openProfile(folder, &error);
    if (!machine) {
        showError(error);
        return false;
    }
    takeMachine(*this, std::move(machine), m_machine);
    rememberProfileFolder(QFileInfo(folder).absoluteFilePath());
    return true;
}

bool TForm1::openVolume(const QString& root, const QStringList& users) {
    QString error;
    std::unique_ptr<Machine> machine = Machine::openVolume(root, users, &error);
    if (!machine) {
        showError(error);
        return false;
    }
    takeMachine(*this, std::move(machine), m_machine);
    rememberProfileFolder(QFileInfo(root).absoluteFilePath());
    return true;
}

bool TForm1::openThisComputer() {
    const ThisComputerPlaces& places = thisComputerPlaces();
    std::unique_ptr<Machine> machine = vc::openThisComputer(places);
    if (machine->users().empty()) {
        showError(tx(TextNoHomeReadable) + QStringLiteral(":\n") + places.currentHome);
        return false;
    }
    takeMachine(*this, std::move(machine), m_machine);
    return true;
}

bool TForm1::loadThisComputer() {
    if (!openThisComputer())
        return false;
    RunOpeningRecall(*this);
    return true;
}

bool TForm1::loadProfile(const QString& folder) {
    if (!openProfile(folder))
        return false;
    // Every table of the profile at once, so the window never shows a
    // profile with empty tabs.
    RunOpeningRecall(*this);
    return true;
}

bool TForm1::loadVolume(const QString& root) {
    if (!openVolume(root))
        return false;
    RunOpeningRecall(*this);
    return true;
}

bool TForm1::openImage(const QString& path, const QStringList& users, std::optional<bool> snapshots,
                       int partition) {
    // The shadow copies are listed with the volumes; whether they are read
    // is the user's choice once it is known that there are any.
    DiskImageOptions options;
    options.snapshots = snapshots.value_or(true);
    ImageError failure;
    std::optional<DiskImage> image;
    {
        BusyCursor busy;
        image = openDiskImage(path, options, &failure);
    }
    if (!image) {
        showError(failure.text());
        return false;
    }
    QString error;
    int volume = -1;
    const std::vector<int> windows = liveWindowsVolumes(*image);
    if (partition > 0 || windows.size() < 2) {
        volume = chooseWindowsVolume(*image, partition, &error);
    } else {
        QStringList items;
        for (const int v : windows)
            items << image->volumes[size_t(v)].describe(imageFileName(path));
        const int chosen = chooser()->chooseItem(m_actions.ActionOpenImage->text(),
                                                 tx(TextChooseWindowsVolume), items);
        if (chosen < 0 || chosen >= int(windows.size()))
            return false;
        volume = windows[size_t(chosen)];
    }
    if (volume < 0) {
        showError(error);
        return false;
    }
    bool readCopies = false;
    const int live = image->volumes[size_t(volume)].partition;
    const bool hasCopies =
        std::any_of(image->volumes.begin(), image->volumes.end(), [&](const DiskImageVolume& v) {
            return v.snapshot > 0 && v.partition == live;
        });
    if (hasCopies)
        readCopies = snapshots.has_value()
                         ? *snapshots
                         : messages().show(MessageKind::Confirmation, tx(TextReadShadowCopies),
                                           MessageButtons::YesNo) == MessageAnswer::Yes;
    std::unique_ptr<Machine> machine;
    {
        BusyCursor busy;
        machine = machineOfImageVolume(*image, volume, users, readCopies, &error);
    }
    if (!machine) {
        showError(error);
        return false;
    }
    takeMachine(*this, std::move(machine), m_machine);
    rememberImageFile(QFileInfo(path).absoluteFilePath());
    return true;
}

bool TForm1::loadImage(const QString& path) {
    if (!openImage(path))
        return false;
    RunOpeningRecall(*this);
    return true;
}

void TForm1::ActionOpenImageExecute() {
    const QString path = chosenImageFile(*this);
    if (!path.isEmpty())
        loadImage(path);
}

void TForm1::ActionOpenProfileExecute() {
    const QString folder = chosenProfileFolder(*this);
    if (!folder.isEmpty())
        loadProfile(folder);
}

void TForm1::ActionThisComputerExecute() {
    loadThisComputer();
}

void TForm1::ActionOpenVolumeExecute() {
    const QString root = chosenVolumeRoot(*this);
    if (!root.isEmpty())
        loadVolume(root);
}

bool TForm1::askWhatToOpen() {
    // The four ways in, named as the File menu names them.
    QStringList items;
    for (const QAction* action : {m_actions.ActionOpenProfile, m_actions.ActionOpenVolume,
                                  m_actions.ActionOpenImage, m_actions.ActionThisComputer})
        items << action->text().remove(QLatin1Char('&'));
    const int chosen =
        chooser()->chooseItem(m_actions.MyCompAction_Total->text(), tx(TextChooseEvidence), items);
    switch (chosen) {
    case 0: {
        const QString folder = chosenProfileFolder(*this);
        return !folder.isEmpty() && openProfile(folder);
    }
    case 1: {
        const QString root = chosenVolumeRoot(*this);
        return !root.isEmpty() && openVolume(root);
    }
    case 2: {
        const QString path = chosenImageFile(*this);
        return !path.isEmpty() && openImage(path);
    }
    case 3:
        return openThisComputer();
    default:
        return false;
    }
}

} // namespace vc
