#include "extras/ProgramFiles.h"
#include "language/LanguageChoice.h"
#include "language/LanguageFiles.h"
#include "platform/QStringPrinting.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

int run(const QString& program, const QStringList& arguments, QByteArray* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return -1;
    *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Starts the program's window offscreen and waits (20 seconds at most) until
// the process has library mapped, then ends it.
bool mapsLibrary(const QString& program, const QString& library, const QString& scratch) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch + QStringLiteral("/config"));
    env.insert(QStringLiteral("TMPDIR"), scratch);
    process.setProcessEnvironment(env);
    process.start(program, {});
    if (!process.waitForStarted())
        return false;
    const QString maps = QStringLiteral("/proc/%1/maps").arg(process.processId());
    bool mapped = false;
    QDeadlineTimer deadline(20000);
    while (!mapped && !deadline.hasExpired() && process.state() == QProcess::Running) {
        QFile file(maps);
        if (file.open(QIODevice::ReadOnly))
            mapped = file.readAll().contains(library.toLocal8Bit());
        if (!mapped)
            process.waitForFinished(100);
    }
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
    return mapped;
}

} // namespace

// "cmake --install" of this build into a fresh prefix: the program, its
// language files, the manual, the menu entry and the icon where the program
// and the freedesktop conventions look for them.
TEST(Install, IntoAPrefixWhereTheProgramFindsItsFiles) {
    const QString cmake = QStandardPaths::findExecutable("cmake");
    ASSERT_FALSE(cmake.isEmpty());
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString buildDir = QFileInfo(QStringLiteral(VC_BINARY_PATH)).absolutePath();
    QByteArray output;
    ASSERT_EQ(run(cmake, {"--install", buildDir, "--prefix", prefix.path()}, &output), 0)
        << output.toStdString();

    const QString root = prefix.path();
    EXPECT_TRUE(QFileInfo(root + "/bin/vellacord").isExecutable());
    // The two libraries in their own folder, where the program's run path
    // and its loader of the window library look.
    for (const char* name : {"libvellacord_core.so", "libvellacord_ui.so"})
        EXPECT_TRUE(QFileInfo::exists(root + "/lib/vellacord/" + name)) << name;
    EXPECT_FALSE(QFileInfo::exists(root + "/bin/libvellacord_ui.so"));
    for (const char* name : {"DEU.lang", "RUS.lang", "CSY.lang"})
        EXPECT_TRUE(QFileInfo::exists(root + "/share/vellacord/lang/" + name)) << name;
    QFile manual(root + "/share/doc/vellacord/vellacord.pdf");
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    EXPECT_TRUE(manual.read(5) == "%PDF-");
    EXPECT_GT(manual.size(), 20000);
    const QString desktopFile = root + "/share/applications/vellacord.desktop";
    EXPECT_TRUE(QFileInfo::exists(desktopFile));
    EXPECT_TRUE(QFileInfo::exists(root + "/share/icons/hicolor/scalable/apps/vellacord.svg"));

    // The installed program finds its language files and its manual.
    const QString exeDir = root + "/bin/";
    const QList<LanguageEntry> entries = languageMenuEntries(languageFolders(exeDir));
    const QStringList shipped = QDir(QStringLiteral(VC_TEST_DATA_DIR "/../../lang"))
                                    .entryList({QStringLiteral("*.lang")}, QDir::Files);
    ASSERT_EQ(entries.size(), shipped.size() + 1);
    EXPECT_EQ(entries[1].path, root + "/share/vellacord/lang/CSY.lang");
    EXPECT_EQ(manualPath(exeDir), root + "/share/doc/vellacord/vellacord.pdf");
    EXPECT_EQ(programIconPath(exeDir), root + "/share/icons/hicolor/scalable/apps/vellacord.svg");
    ASSERT_EQ(run(root + "/bin/vellacord", {"--version"}, &output), 0);
    // Without a sub-command the installed program maps its installed window
    // library (offscreen; its settings and work file in the test's folder).
    EXPECT_TRUE(mapsLibrary(root + "/bin/vellacord", root + "/lib/vellacord/libvellacord_ui.so",
                            prefix.path()));

    // The menu entry passes the freedesktop validator.
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate (desktop-file-utils) is missing";
    EXPECT_EQ(run(validator, {desktopFile}, &output), 0) << output.toStdString();
    EXPECT_TRUE(output.trimmed().isEmpty()) << output.toStdString();
}
