// The file actions of the popup menu shared by all tables: open, open with,
// open folder, copy to, move to, properties. They work on the file behind
// the focused row of the table in front; the desktop services behind them
// are those of fileServices().
#include "app/WindowActions.h"
#include "app/WindowFrame.h"
#include "app/WindowSettings.h"
#include "browsers/ui/CacheBodyActions.h"
#include "documents/FileServices.h"
#include "documents/FileTransfer.h"
#include "documents/RowLine.h"
#include "documents/ui/DocumentTabActions.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "preview/ui/EvidenceCopies.h"
#include "preview/ui/PaneActions.h"
#include <QAction>
#include <QMenu>

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

namespace vc {

namespace {

// How long the status bar says what a copy or move did.
constexpr int kTransferMessageMs = 15000;

// The path a menu item acts on: the hint written when the file actions were
// last brought up to date (every change of the focused row, tab or table
// does it), or the focused row's file when the item has none.
QString itemTarget(WindowFrame& form, QObject* sender, QAction* fallback) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item)
        item = fallback;
    const QString hint = item ? item->statusTip() : QString();
    return hint.isEmpty() ? form.currentFileName() : hint;
}

bool isScript(const QString& path) {
    const QByteArray name = fileNamePart(path.toUtf8());
    return extensionPart(name).toUpper() == ".JS";
}

// Where the folder dialog of Copy to and Move to starts: the folder the
// last one went to, else the home folder; never a folder of the evidence,
// so that a copy is not put back into it by a careless OK.
QString transferStartFolder(const WindowFrame& form) {
    const QString last = lastTransferFolder();
    if (!last.isEmpty() && QFileInfo(last).isDir() && !form.insideEvidence(last))
        return last;
    return QDir::homePath();
}

// The menu on a row of the Cache table: the entry's body is opened and
// copied from a private copy of it; having no file of its own, it can be
// neither moved, nor shown in a folder, nor asked for a file's properties.
void prepareCacheBodyMenu(WindowFrame& form, int row) {
    const QString address = CacheRowAddress(form, row);
    for (QAction* item : form.actions().files_PopupMenu->actions()) {
        const bool noFile = item == form.actions().filesPopUp_MoveTo ||
                            item == form.actions().filesPopUp_OpenFolder ||
                            item == form.actions().filesPopUp_Properties;
        item->setStatusTip(item->isSeparator() ? QString()
                           : noFile            ? tx(TextCacheBodyNoFile)
                                               : address);
        item->setEnabled(!noFile);
    }
}

} // namespace

void PrepareFileMenu(WindowFrame& form) {
    if (const int row = FocusedCacheRow(form); row >= 0) {
        prepareCacheBodyMenu(form, row);
        return;
    }
    // The focused row's file, read again each time: no action may keep the
    // file of a row, a tab or a table that is no longer in front.
    const QString path = form.currentFileName();
    const bool address = isAddress(path);
    const bool image = EvidenceInImage(form);
    const QFileInfo info(path);
    const bool file = !path.isEmpty() && !address && EvidenceFileExists(form, path);
    // Open needs an address or something that is there (a folder opens in
    // the file manager); the other actions need the file itself. A file
    // inside a disk image is opened from a copy, and neither moved (the
    // image is never changed) nor shown in a folder of its own.
    const bool openable = !path.isEmpty() && (address || (image ? file : info.exists()));
    for (QAction* item : form.actions().files_PopupMenu->actions()) {
        item->setStatusTip(item->isSeparator() ? QString() : path);
        bool enabled = item == form.actions().filesPopUp_Open ? openable : file;
        if (image && (item == form.actions().filesPopUp_MoveTo ||
                      item == form.actions().filesPopUp_OpenFolder)) {
            enabled = false;
            item->setStatusTip(tx(TextImageNeverChanged));
        }
        item->setEnabled(enabled);
    }
}

namespace {

// The local file an action works on: the evidence's own file, or for a file
// inside a disk image a private copy of it; empty, after saying so, when it
// cannot be made.
QString actionFile(WindowFrame& form, const QString& path) {
    if (path.isEmpty() || isAddress(path) || !EvidenceInImage(form))
        return path;
    QString error;
    const QString copy = LocalEvidenceFile(form, path, CopyPurpose::Action, &error);
    if (copy.isEmpty())
        showError(tx(TextFileNotFound) + QStringLiteral(":\n") + error);
    return copy;
}

} // namespace

void OpenCurrentFile(WindowFrame& form, QObject* sender) {
    if (const int row = FocusedCacheRow(form); row >= 0) {
        OpenWithAssociatedProgram(form, CacheBodyCopy(form, row));
        return;
    }
    OpenEvidenceTarget(form, itemTarget(form, sender, form.actions().filesPopUp_Open));
}

void OpenCurrentFileWith(WindowFrame& form, QObject* sender) {
    const int cacheRow = FocusedCacheRow(form);
    const QString path =
        cacheRow >= 0
            ? CacheBodyCopy(form, cacheRow)
            : actionFile(form, itemTarget(form, sender, form.actions().filesPopUp_OpenWith));
    if (!path.isEmpty())
        fileServices().openWith(path);
}

void OpenCurrentFileFolder(WindowFrame& form, QObject* sender) {
    const QString path = itemTarget(form, sender, form.actions().filesPopUp_OpenFolder);
    if (path.isEmpty() || fileServices().showInFolder(path))
        return;
    showError(tx(TextNoFileManager) + QStringLiteral(":\n") + QFileInfo(path).absolutePath() +
              QStringLiteral("\n\n") + tx(TextOpenFolderYourself));
}

void CopyOrMoveCurrentFile(WindowFrame& form, QObject* sender) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item)
        item = form.actions().filesPopUp_CopyTo;
    const bool move = item->data().toInt() != 0;
    if (move && EvidenceInImage(form)) {
        messages().show(MessageKind::Information, tx(TextImageNeverChanged), MessageButtons::Ok);
        return;
    }
    // A Cache row's body is copied from a private copy under the name it
    // is given there; it is never moved (the menu does not offer it).
    const int cacheRow = FocusedCacheRow(form);
    if (move && cacheRow >= 0)
        return;
    const QString named = cacheRow >= 0 ? CacheRowAddress(form, cacheRow)
                                        : itemTarget(form, item, form.actions().filesPopUp_CopyTo);
    const QString source = cacheRow >= 0 ? CacheBodyCopy(form, cacheRow) : actionFile(form, named);
    if (source.isEmpty())
        return;
    const QString folder =
        form.chooser()->chooseFolder(tx(move ? TextMoveTo : TextCopyTo), transferStartFolder(form));
    if (folder.isEmpty())
        return;
    // Moving is the one action that changes the evidence: a file of the
    // examined profile is taken out of it only when the user says so.
    if (move && form.insideEvidence(source) &&
        messages().show(MessageKind::Confirmation,
                        tx(TextMoveOutOfProfile) + QStringLiteral(":\n") + source +
                            QStringLiteral("\n\n") + tx(TextMoveAnyway),
                        MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    const TransferOutcome outcome = transferFile(source, folder, move);
    if (outcome != TransferOutcome::Done)
        return;
    rememberTransferFolder(QFileInfo(folder).absoluteFilePath());
    form.showStatusMessage(tx(move ? TextFileMovedTo : TextFileCopiedTo)
                               .arg(named, transferDestination(source, QDir::cleanPath(folder))),
                           kTransferMessageMs);
    // A moved file is gone from where the row says it lies.
    if (move)
        PrepareFileMenu(form);
}

void ShowCurrentFileProperties(WindowFrame& form, QObject* sender) {
    const QString path =
        actionFile(form, itemTarget(form, sender, form.actions().filesPopUp_Properties));
    if (path.isEmpty())
        return;
    fileServices().showProperties(path);
}

void OpenWithAssociatedProgram(WindowFrame& form, const QString& path) {
    if (path.isEmpty())
        return;
    const QString target = isAddress(path)         ? path
                           : EvidenceInImage(form) ? actionFile(form, path)
                                                   : localFileFor(path, form.firstUser());
    if (target.isEmpty())
        return;
    // A script is never run by a double-click: the user picks the program.
    if (isScript(target)) {
        fileServices().openWith(target);
        return;
    }
    const OpenResult result = fileServices().open(target);
    if (result == OpenResult::Opened)
        return;
    if (result == OpenResult::NoProgram) {
        OfferProgramFor(tx(TextNoProgramForFile), target);
        return;
    }
    showError(OpenFailureText(result, target));
}

void OfferProgramFor(const QString& why, const QString& path) {
    // Said first, so that the open-with window does not come unexplained.
    messages().show(MessageKind::Information,
                    why + QStringLiteral(":\n") + path + QStringLiteral("\n\n") +
                        tx(TextChooseProgram),
                    MessageButtons::Ok);
    fileServices().openWith(path);
}

QString OpenFailureText(OpenResult result, const QString& target) {
    int text = TextFileNotFound;
    switch (result) {
    case OpenResult::AccessDenied:
        text = TextAccessDenied;
        break;
    case OpenResult::SharingViolation:
        text = TextSharingViolation;
        break;
    case OpenResult::PathNotFound:
        text = TextPathNotFound;
        break;
    case OpenResult::NoProgram:
        text = TextNoProgramForFile;
        break;
    case OpenResult::Opened:
    case OpenResult::FileNotFound:
        break;
    }
    return tx(text) + QStringLiteral(":\n") + target;
}

} // namespace vc
