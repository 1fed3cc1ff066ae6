// The file actions of the popup menu shared by all tables: open, open with,
// open folder, copy to, move to, properties. The desktop services behind
// them are those of fileServices().
#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "documents/FileServices.h"
#include "documents/FileTransfer.h"
#include "documents/RowLine.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"

#include <QFileInfo>

namespace vc {

namespace {

// The path a menu item acts on: the hint written when the menu opened, or
// the current file when the item is triggered some other way.
QString itemTarget(QObject* sender, QAction* fallback, const QString& currentFile) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item)
        item = fallback;
    const QString hint = item ? item->statusTip() : QString();
    return hint.isEmpty() ? localFileFor(currentFile) : hint;
}

bool isScript(const QString& path) {
    const QByteArray name = fileNamePart(path.toUtf8());
    return extensionPart(name).toUpper() == ".JS";
}

} // namespace

void TForm1::files_PopupMenuPopup() {
    const QString path = localFileFor(currentFileName());
    const bool exists = !path.isEmpty() && QFileInfo(path).isFile();
    for (QAction* item : files_PopupMenu->actions()) {
        item->setStatusTip(item->isSeparator() ? QString() : path);
        if (item != filesPopUp_Open)
            item->setEnabled(exists);
    }
    filesPopUp_Open->setEnabled(true);
}

void TForm1::filesPopUp_OpenClick() {
    OpenTarget(itemTarget(sender(), filesPopUp_Open, currentFileName()));
}

void TForm1::filesPopUp_OpenWithClick() {
    const QString path = itemTarget(sender(), filesPopUp_OpenWith, currentFileName());
    if (!path.isEmpty())
        fileServices().openWith(path);
}

void TForm1::filesPopUp_OpenFolderClick() {
    const QString path = itemTarget(sender(), filesPopUp_OpenFolder, currentFileName());
    if (!path.isEmpty())
        fileServices().showInFolder(path);
}

void TForm1::filesPopUp_CopyToClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item)
        item = filesPopUp_CopyTo;
    const bool move = item->data().toInt() != 0;
    const QString source = itemTarget(item, filesPopUp_CopyTo, currentFileName());
    if (source.isEmpty())
        return;
    const QString folder =
        chooser()->chooseFolder(tx(move ? 41 : 40), QFileInfo(source).absolutePath());
    if (folder.isEmpty())
        return;
    transferFile(source, folder, move);
}

void TForm1::filesPopUp_PropertiesClick() {
    const QString path = itemTarget(sender(), filesPopUp_Properties, currentFileName());
    if (path.isEmpty())
        return;
    fileServices().showProperties(path);
}

void TForm1::OpenTarget(const QString& path) {
    if (path.isEmpty())
        return;
    const QString target = isAddress(path) ? path : localFileFor(path);
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
        text = 105;
        break;
    case OpenResult::SharingViolation:
        text = 106;
        break;
    case OpenResult::FileNotFound:
        text = 107;
        break;
    case OpenResult::PathNotFound:
        text = 108;
        break;
    case OpenResult::NoProgram:
        fileServices().openWith(target);
        return;
    }
    showError(tx(text) + QStringLiteral(":\n") + target);
}

} // namespace vc
