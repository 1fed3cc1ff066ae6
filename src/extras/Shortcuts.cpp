#include "extras/Shortcuts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace vc {

namespace {

QString environment(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

QString withoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// XDG_DESKTOP_DIR="$HOME/Desktop" as user-dirs.dirs writes it; empty when
// the file or the line is missing.
QString desktopFromUserDirs(const QString& home) {
    QString config = environment("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = home + QStringLiteral("/.config");
    QFile file(config + QStringLiteral("/user-dirs.dirs"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    static const QRegularExpression line(
        QStringLiteral("^\\s*XDG_DESKTOP_DIR\\s*=\\s*\"(.*)\"\\s*$"));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QRegularExpressionMatch match = line.match(in.readLine());
        if (!match.hasMatch())
            continue;
        QString path = match.captured(1);
        if (path.startsWith(QLatin1String("$HOME")))
            path = home + path.mid(5);
        return QDir::isAbsolutePath(path) ? path : QString();
    }
    return QString();
}

// A string value of a desktop entry: backslash and control characters
// escaped as the format says.
QString escapeValue(const QString& text) {
    QString out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// One argument of the Exec key: quoted when it holds a reserved character,
// with ", `, $ and \ escaped inside the quotes; "%" doubled so that it is
// not taken for a field code.
QString execArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString arg = argument;
    arg.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool quote = arg.isEmpty() || std::any_of(arg.cbegin(), arg.cend(),
                                                    [](QChar c) { return reserved.contains(c); });
    if (!quote)
        return arg;
    QString quoted = QStringLiteral("\"");
    for (QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// The path itself when it exists, else its nearest existing parent.
QString existingAncestor(QString path) {
    while (!path.isEmpty() && !QFileInfo::exists(path)) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return path;
}

bool isInside(const QString& folder, const QString& protectedFolder) {
    if (protectedFolder.isEmpty())
        return false;
    const QString inner = QFileInfo(folder).canonicalFilePath();
    const QString outer = QFileInfo(protectedFolder).canonicalFilePath();
    if (inner.isEmpty() || outer.isEmpty())
        return false;
    return inner == outer || inner.startsWith(withoutTrailingSlash(outer) + QLatin1Char('/'));
}

} // namespace

QString shortcutFolder(ShortcutPlace place) {
    const QString home = environment("HOME");
    if (place == ShortcutPlace::Desktop) {
        QString desktop = environment("XDG_DESKTOP_DIR");
        if (desktop.isEmpty() && !home.isEmpty())
            desktop = desktopFromUserDirs(home);
        if (desktop.isEmpty() && !home.isEmpty())
            desktop = home + QStringLiteral("/Desktop");
        return desktop.isEmpty() ? QString() : withoutTrailingSlash(QDir::cleanPath(desktop));
    }
    QString data = environment("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(data)) {
        if (home.isEmpty())
            return QString();
        data = home + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(data + QStringLiteral("/applications"));
}

QString shortcutFileName(const QString& productName) {
    QString name = productName.trimmed();
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char('_');
    if (name.isEmpty() || name.count(QLatin1Char('.')) == name.size())
        name = QStringLiteral("Vellacord");
    return name + QStringLiteral(".desktop");
}

bool CreateShortcut(const QString& linkPath, const QString& target, int /*iconIndex*/,
                    const QString& iconPath, int /*showCommand*/, int /*hotKey*/,
                    const QString& arguments, const QString& workingFolder) {
    if (linkPath.isEmpty() || target.isEmpty())
        return false;
    QString exec = execArgument(target);
    for (const QString& argument : QProcess::splitCommand(arguments))
        exec += QLatin1Char(' ') + execArgument(argument);

    QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.4\n");
    entry += QStringLiteral("Name=") + escapeValue(QFileInfo(linkPath).completeBaseName()) +
             QLatin1Char('\n');
    entry += QStringLiteral("Exec=") + escapeValue(exec) + QLatin1Char('\n');
    const QString folder = withoutTrailingSlash(workingFolder);
    if (!folder.isEmpty() && folder != QLatin1String("/"))
        entry += QStringLiteral("Path=") + escapeValue(folder) + QLatin1Char('\n');
    if (!iconPath.isEmpty())
        entry += QStringLiteral("Icon=") + escapeValue(iconPath) + QLatin1Char('\n');
    entry += QStringLiteral("Terminal=false\nCategories=Utility;\n");

    QSaveFile file(linkPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = entry.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return false;
    // Desktops start only launchers that are marked executable.
    return QFile::setPermissions(linkPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther);
}

ShortcutOutcome createProgramShortcut(ShortcutPlace place, const QString& productName,
                                      const QString& exePath, const QString& iconPath,
                                      const QString& protectedFolder) {
    ShortcutOutcome outcome;
    outcome.folder = shortcutFolder(place);
    if (outcome.folder.isEmpty()) {
        outcome.problem = ShortcutProblem::NoFolder;
        return outcome;
    }
    outcome.linkPath = outcome.folder + QLatin1Char('/') + shortcutFileName(productName);
    // Checked before anything is made, so not even a folder appears there.
    if (isInside(existingAncestor(outcome.folder), protectedFolder))
        outcome.problem = ShortcutProblem::InsideProfile;
    else if (place == ShortcutPlace::QuickLaunch && !QDir().mkpath(outcome.folder))
        outcome.problem = ShortcutProblem::CannotWrite;
    else if (!QFileInfo(outcome.folder).isDir())
        outcome.problem = ShortcutProblem::FolderMissing;
    else if (!CreateShortcut(outcome.linkPath, exePath, 0, iconPath, 1, 0, QString(),
                             QFileInfo(exePath).absolutePath()))
        outcome.problem = ShortcutProblem::CannotWrite;
    return outcome;
}

} // namespace vc
