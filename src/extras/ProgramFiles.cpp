#include "extras/ProgramFiles.h"

#include "platform/InstallPaths.h"

#include <QFileInfo>

namespace vc {

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString manualPath(const QString& exeDir) {
    const QString beside = withSlash(exeDir) + QStringLiteral("vellacord.pdf");
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed = installedDocFolder(exeDir) + QStringLiteral("vellacord.pdf");
    return QFileInfo(installed).isFile() ? installed : beside;
}

QString programIconPath(const QString& exeDir) {
    const QString beside = withSlash(exeDir) + QStringLiteral("vellacord.svg");
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed = installedIconPath(exeDir);
    return QFileInfo(installed).isFile() ? installed : QStringLiteral("vellacord");
}

} // namespace vc
