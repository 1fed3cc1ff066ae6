// The Help menu's commands: the manual, the two shortcuts and the about
// window.
#include "extras/ui/HelpActions.h"

#include "app/WindowFrame.h"
#include "documents/FileServices.h"
#include "documents/ui/DocumentTabActions.h"
#include "evidence/Machine.h"
#include "evidence/UserProfile.h"
#include "extras/ProgramFiles.h"
#include "extras/ui/AboutWindow.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vc {

namespace {

// The evidence a shortcut must never be written into: the whole Windows
// volume when the profile lies in one, else the profile folder.
QString evidenceFolder(const WindowFrame& form) {
    const Machine* machine = form.machine();
    if (!machine)
        return QString();
    if (!machine->root().isEmpty())
        return machine->root();
    const UserProfile* profile = form.firstUser();
    return profile ? profile->folder() : QString();
}

// Why a shortcut was not made, and where.
QString problemText(const ShortcutOutcome& outcome) {
    switch (outcome.problem) {
    case ShortcutProblem::None:
        return QString();
    case ShortcutProblem::NoFolder:
        return tx(TextFolderMissing) + QStringLiteral(": $HOME");
    case ShortcutProblem::FolderMissing:
        return tx(TextFolderMissing) + QStringLiteral(": ") + outcome.folder;
    case ShortcutProblem::InsideProfile:
        return tx(TextFolderInsideProfile) + QStringLiteral(": ") + outcome.folder;
    case ShortcutProblem::CannotWrite:
        return tx(TextCannotWriteFile) + QStringLiteral(": ") + outcome.linkPath;
    }
    return QString();
}

} // namespace

void OpenManual(WindowFrame& form) {
    const QString manual = manualPath(form.program().ExeDir);
    if (!QFileInfo(manual).isFile()) {
        showError(tx(TextManualMissing) + QStringLiteral(":\n") + manual);
        return;
    }
    const OpenResult result = fileServices().open(manual);
    switch (result) {
    case OpenResult::Opened:
        return;
    case OpenResult::NoProgram:
        // Where the manual lies, so it can be opened some other way; then
        // the choice of a program for it.
        OfferProgramFor(tx(TextManualNoProgram), manual);
        return;
    default:
        showError(OpenFailureText(result, manual));
        return;
    }
}

void CreateProgramShortcutAt(WindowFrame& form, ShortcutPlace place) {
    const ShortcutOutcome outcome =
        createProgramShortcut(place, tx(TextProgramName), QCoreApplication::applicationFilePath(),
                              programIconPath(form.program().ExeDir), evidenceFolder(form));
    if (outcome.ok()) {
        messages().show(MessageKind::Information,
                        tx(TextOperationComplete) + QStringLiteral(":\n") + outcome.linkPath,
                        MessageButtons::Ok);
        return;
    }
    const int failure =
        place == ShortcutPlace::Desktop ? TextDesktopIconFailed : TextQuickLaunchIconFailed;
    showError(tx(TextError) + QStringLiteral(": \n") + tx(failure) + QLatin1Char('\n') +
              problemText(outcome));
}

void ShowAboutWindow(WindowFrame& form) {
    TAbout1 about(form.program().VersionText, form.program().MakerWebAddress, form.frameWidget());
    about.openAddress = [&form](const QString& address) { form.OpenTarget(address); };
    about.exec();
}

} // namespace vc
