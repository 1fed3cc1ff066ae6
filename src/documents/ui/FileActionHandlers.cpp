// The file actions of the popup menu shared by all tables: open, open with,
// open folder, copy to, move to, properties. The desktop services behind
// them are those of fileServices().
#include "app/MainWindow.h"
#include "documents/FileServices.h"
#include "documents/FileTransfer.h"
#include "documents/RowLine.h"
#include "documents/ui/DocumentTabActions.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"

#include <QFileInfo>

namespace vc {

namespace {

// The path a menu item acts on: the hint written when the menu opened, or
// the current file when the item is triggered some other way.
QString itemTarget(TForm1& form, QObject* sender, QAction* fallback, const QString& currentFile) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item)
        item = fallback;
    const QString hint = item ? item->statusTip() : QString();
    return hint.isEmpty() ? localFileFor(currentFile, form.firstUser()) : hint;
}

bool isScript(const QString& path) {
    const QByteArray name = fileNamePart(path.toUtf8());
    return extensionPart(name).toUpper() == ".JS";
}

} // namespace

void PrepareFileMenu(TForm1& form) {
    const QString path = localFileFor(form.currentFileName(), form.firstUser());
    const bool exists = !path.isEmpty() && QFileInfo(path).isFile();
    for (QAction* item : form.files_PopupMenu->actions()) {
        item->setStatusTip(item->isSeparator() ? QString() : path);
        if (item != form.filesPopUp_Open)
            item->setEnabled(exists);
    }
    form.filesPopUp_Open->setEnabled(true);
}

void OpenCurrentFile(TForm1& form, QObject* sender) {
    OpenWithAssociatedProgram(
        form, itemTarget(form, sender, form.filesPopUp_Open, form.currentFileName()));
}

void OpenCurrentFileWith(TForm1& form, QObject* sender) {
    const QString path = itemTarget(form, sender, form.filesPopUp_OpenWith, form.currentFileName());
    if (!path.isEmpty())
        fileServices().openWith(path);
}

void OpenCurrentFileFolder(TForm1& form, QObject* sender) {
    const QString path =
        itemTarget(form, sender, form.filesPopUp_OpenFolder, form.currentFileName());
    if (!path.isEmpty())
        fileServices().showInFolder(path);
}

void CopyOrMoveCurrentFile(TForm1& form, QObject* sender) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item)
        item = form.filesPopUp_CopyTo;
    const bool move = item->data().toInt() != 0;
    const QString source = itemTarget(form, item, form.filesPopUp_CopyTo, form.currentFileName());
    if (source.isEmpty())
        return;
    const QString folder = form.chooser()->chooseFolder(tx(move ? TextMoveTo : TextCopyTo),
                                                        QFileInfo(source).absolutePath());
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
    transferFile(source, folder, move);
}

void ShowCurrentFileProperties(TForm1& form, QObject* sender) {
    const QString path =
        itemTarget(form, sender, form.filesPopUp_Properties, form.currentFileName());
    if (path.isEmpty())
        return;
    fileServices().showProperties(path);
}

void OpenWithAssociatedProgram(TForm1& form, const QString& path) {
    if (path.isEmpty())
        return;
    const QString target = isAddress(path) ? path : localFileFor(path, form.firstUser());
    // A script is never run by a double-click: the user picks the program.
    if (isScript(target)) {
        fileServices().openWith(target);
        return;
    }
    int text = 0;
    switch (fileServices().open(target)) {
    case OpenResult::Opened:
        return;
    case OpenResult::AccessDenied:
        text = TextAccessDenied;
        break;
    case OpenResult::SharingViolation:
        text = TextSharingViolation;
        break;
    case OpenResult::FileNotFound:
        text = TextFileNotFound;
        break;
    case OpenResult::PathNotFound:
        text = TextPathNotFound;
        break;
    case OpenResult::NoProgram:
        fileServices().openWith(target);
        return;
    }
    showError(tx(text) + QStringLiteral(":\n") + target);
}

} // namespace vc
