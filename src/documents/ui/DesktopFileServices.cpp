#include "documents/ui/DesktopFileServices.h"

#include "documents/FileProperties.h"
#include "documents/FileServices.h"
#include "documents/ui/FileDialogs.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace vc {

OpenResult DesktopFileServices::open(const QString& target) {
    if (isAddress(target))
        return QDesktopServices::openUrl(QUrl(target)) ? OpenResult::Opened : OpenResult::NoProgram;
    if (const auto problem = localOpenProblem(target))
        return *problem;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()))
               ? OpenResult::Opened
               : OpenResult::NoProgram;
}

void DesktopFileServices::openWith(const QString& path) {
    OpenWithDialog dialog(path, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!startProgramWith(dialog.programLine(), path, &error))
        showError(error + QStringLiteral(":\n") + path);
}

bool DesktopFileServices::showInFolder(const QString& path) {
    // The file manager selects the file where it offers ShowItems.
    const QString dbusSend = QStandardPaths::findExecutable(QStringLiteral("dbus-send"));
    if (!dbusSend.isEmpty()) {
        const QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString();
        QProcess call;
        call.start(dbusSend, {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                              QStringLiteral("--dest=org.freedesktop.FileManager1"),
                              QStringLiteral("--type=method_call"),
                              QStringLiteral("/org/freedesktop/FileManager1"),
                              QStringLiteral("org.freedesktop.FileManager1.ShowItems"),
                              QStringLiteral("array:string:") + uri, QStringLiteral("string:")});
        if (call.waitForFinished(5000) && call.exitStatus() == QProcess::NormalExit &&
            call.exitCode() == 0)
            return true;
    }
    // The folder with the desktop's program for folders. xdg-open says by
    // its exit status whether one was found (started detached, a missing
    // file manager would only be told on the terminal).
    const QString folder = QFileInfo(path).absolutePath();
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    // Owned by the application, so that one still running after the wait
    // (a file manager that stays in front) is left running.
    auto* open = new QProcess(QCoreApplication::instance());
    QObject::connect(open, &QProcess::finished, open, &QObject::deleteLater);
    open->start(xdgOpen, {folder});
    if (!open->waitForFinished(3000)) {
        if (open->state() != QProcess::NotRunning)
            return true;
        open->deleteLater(); // it never started
        return false;
    }
    return open->exitStatus() == QProcess::NormalExit && open->exitCode() == 0;
}

void DesktopFileServices::showProperties(const QString& path) {
    FilePropertiesDialog dialog(describeFile(path), QApplication::activeWindow());
    dialog.exec();
}

} // namespace vc
