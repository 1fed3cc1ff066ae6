// Opening a Windows profile folder: the registry and the special folders
// are read from it afterwards.
#include "app/MainWindow.h"
#include "app/WindowSettings.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "platform/Profile.h"
#include "platform/SpecialFolders.h"
#include "recall/ui/RecallActions.h"

#include <QFileInfo>

namespace vc {

bool TForm1::openProfile(const QString& folder) {
    auto profile = std::make_unique<Profile>();
    QString error;
    if (!profile->open(folder, &error)) {
        showError(error);
        return false;
    }
    if (!error.isEmpty())
        messages().show(MessageKind::Warning, error, MessageButtons::Ok);
    // The window keeps the profile for the rest of the run.
    m_profile = std::move(profile);
    setCurrentProfile(m_profile.get());
    CacheDir = GetSpecialFolder(FolderKind::CacheDir);
    OpenDialogFileName.clear();
    if (!CacheDir.isEmpty() && QFileInfo::exists(CacheDir + QStringLiteral("index.dat")))
        OpenDialogFileName = QStringLiteral("index.dat");
    // Without its hive the profile's folders are where Windows usually puts
    // them; the status bar says so for as long as the profile is open.
    QString status = QFileInfo(folder).absoluteFilePath();
    if (m_profile->foldersGuessed())
        status += QStringLiteral(" (") + tx(TextFoldersGuessed) + QLatin1Char(')');
    StatusPanel0->setText(status);
    updateWindowTitle();
    rememberProfileFolder(QFileInfo(folder).absoluteFilePath());
    return true;
}

bool TForm1::loadProfile(const QString& folder) {
    if (!openProfile(folder))
        return false;
    // Every table of the profile at once, so the window never shows a
    // profile with empty tabs.
    RunWholeRecall(*this);
    return true;
}

void TForm1::ActionOpenProfileExecute() {
    // The dialog starts at the profile open now, else at the last one opened
    // in an earlier run (which is only offered, never read unasked).
    const QString start = currentProfile() ? currentProfile()->folder() : lastProfileFolder();
    const QString folder = chooser()->chooseFolder(ActionOpenProfile->text(), start);
    if (!folder.isEmpty())
        loadProfile(folder);
}

} // namespace vc
