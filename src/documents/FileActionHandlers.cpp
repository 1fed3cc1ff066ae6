// The file actions of the popup menu (open, open with, folder, copy, move,
// properties). Only opening is built so far.
#include "app/MainWindow.h"

#include <QDesktopServices>
#include <QUrl>

namespace vc {

void TForm1::files_PopupMenuPopup() {}

void TForm1::filesPopUp_OpenClick() {
    OpenTarget(currentFileName());
}

void TForm1::filesPopUp_OpenWithClick() {}

void TForm1::filesPopUp_OpenFolderClick() {}

void TForm1::filesPopUp_CopyToClick() {}

void TForm1::filesPopUp_PropertiesClick() {}

void TForm1::OpenTarget(const QString& path) {
    if (path.isEmpty())
        return;
    const QUrl url = path.contains(QStringLiteral("://")) ? QUrl(path) : QUrl::fromLocalFile(path);
    QDesktopServices::openUrl(url);
}

} // namespace vc
