#include "platform/InstallPaths.h"

#include <QDir>

namespace vc {

namespace {

// PREFIX/share/ seen from PREFIX/bin/.
QString shareFolder(const QString& exeDir) {
    return QDir::cleanPath(exeDir + QStringLiteral("/../share")) + QLatin1Char('/');
}

} // namespace

QString installedDataFolder(const QString& exeDir) {
    return shareFolder(exeDir) + QStringLiteral("vellacord/");
}

QString installedDocFolder(const QString& exeDir) {
    return shareFolder(exeDir) + QStringLiteral("doc/vellacord/");
}

QString installedIconPath(const QString& exeDir) {
    return shareFolder(exeDir) + QStringLiteral("icons/hicolor/scalable/apps/vellacord.svg");
}

} // namespace vc
