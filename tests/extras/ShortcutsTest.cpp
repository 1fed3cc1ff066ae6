#include "extras/Shortcuts.h"
#include "TestData.h"
#include "extras/ProgramFiles.h"
#include "platform/QStringPrinting.h"
#include "support/Environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class DesktopShortcuts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        home = temp.path() + "/home";
        desktop = temp.path() + "/Schreibtisch";
        profile = temp.path() + "/profile/joe";
        ASSERT_TRUE(QDir().mkpath(home));
        ASSERT_TRUE(QDir().mkpath(desktop));
        ASSERT_TRUE(QDir().mkpath(profile + "/Desktop"));
        ASSERT_TRUE(QFile::copy(testDataPath("ntuser-xp.dat"), profile + "/NTUSER.DAT"));
        env.set("HOME", home);
        env.set("XDG_DESKTOP_DIR", desktop);
        env.unset("XDG_DATA_HOME");
        env.unset("XDG_CONFIG_HOME");
    }

    QTemporaryDir temp;
    QString home;
    QString desktop;
    QString profile;
    EnvironmentGuard env;
};

} // namespace

TEST_F(DesktopShortcuts, DesktopIconLandsInTheXdgDesktopAndTheProfileIsUntouched) {
    const auto before = folderSnapshot(temp.path() + "/profile");
    const QString exe = temp.path() + "/opt/vellacord/bin/vellacord";
    const ShortcutOutcome made = createProgramShortcut(ShortcutPlace::Desktop, "Vellacord", exe,
                                                       "/usr/share/icons/vellacord.svg", profile);
    ASSERT_TRUE(made.ok());
    const QString link = desktop + "/Vellacord.desktop";
    EXPECT_EQ(made.linkPath, link);
    EXPECT_EQ(made.folder, desktop);
    const QString entry = readText(link);
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nType=Application\n"));
    EXPECT_TRUE(entry.contains("\nName=Vellacord\n"));
    EXPECT_TRUE(entry.contains("\nExec=" + exe + "\n"));
    // The working folder is the program's folder, without a trailing "/".
    EXPECT_TRUE(entry.contains("\nPath=" + temp.path() + "/opt/vellacord/bin\n"));
    EXPECT_TRUE(entry.contains("\nIcon=/usr/share/icons/vellacord.svg\n"));
    EXPECT_TRUE(QFileInfo(link).permissions() & QFile::ExeOwner);
    EXPECT_EQ(QDir(desktop).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Vellacord.desktop"});

    // Made twice: the same file, written anew.
    ASSERT_TRUE(createProgramShortcut(ShortcutPlace::Desktop, "Vellacord", "/usr/bin/vellacord",
                                      "vellacord", profile)
                    .ok());
    const QString again = readText(link);
    EXPECT_TRUE(again.contains("\nExec=/usr/bin/vellacord\n"));
    EXPECT_TRUE(again.contains("\nPath=/usr/bin\n"));
    EXPECT_FALSE(again.contains(exe));
    EXPECT_EQ(QDir(desktop).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Vellacord.desktop"});

    // A translated product name names the file.
    ASSERT_TRUE(
        createProgramShortcut(ShortcutPlace::Desktop, "Веллакорд", exe, "vellacord", profile).ok());
    EXPECT_TRUE(QFileInfo::exists(desktop + "/Веллакорд.desktop"));
    EXPECT_EQ(folderSnapshot(temp.path() + "/profile"), before);

    // The desktop entry passes the freedesktop validator where it is installed.
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        QProcess check;
        check.start(validator, {link});
        ASSERT_TRUE(check.waitForFinished());
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
    }
}

TEST_F(DesktopShortcuts, NeverInsideTheProfile) {
    const auto before = folderSnapshot(temp.path() + "/profile");
    env.set("XDG_DESKTOP_DIR", profile + "/Desktop");
    const ShortcutOutcome refused = createProgramShortcut(
        ShortcutPlace::Desktop, "Vellacord", "/usr/bin/vellacord", "vellacord", profile);
    EXPECT_EQ(refused.problem, ShortcutProblem::InsideProfile);
    EXPECT_EQ(refused.folder, profile + "/Desktop");
    // Not even an applications folder is made inside it.
    env.set("XDG_DATA_HOME", profile + "/Local Settings/share");
    EXPECT_EQ(createProgramShortcut(ShortcutPlace::QuickLaunch, "Vellacord", "/usr/bin/vellacord",
                                    "vellacord", profile)
                  .problem,
              ShortcutProblem::InsideProfile);
    // Reached through a link, it is the profile all the same.
    ASSERT_TRUE(QFile::link(profile, temp.path() + "/linked"));
    env.set("XDG_DESKTOP_DIR", temp.path() + "/linked/Desktop");
    EXPECT_EQ(createProgramShortcut(ShortcutPlace::Desktop, "Vellacord", "/usr/bin/vellacord",
                                    "vellacord", profile)
                  .problem,
              ShortcutProblem::InsideProfile);
    EXPECT_EQ(folderSnapshot(temp.path() + "/profile"), before);
}

TEST_F(DesktopShortcuts, QuickLaunchFolderAndFailures) {
    // The applications folder below the home, made when missing.
    EXPECT_EQ(shortcutFolder(ShortcutPlace::QuickLaunch), home + "/.local/share/applications");
    ASSERT_TRUE(createProgramShortcut(ShortcutPlace::QuickLaunch, "Vellacord", "/usr/bin/vellacord",
                                      "vellacord", profile)
                    .ok());
    EXPECT_TRUE(QFileInfo::exists(home + "/.local/share/applications/Vellacord.desktop"));
    env.set("XDG_DATA_HOME", temp.path() + "/data/");
    EXPECT_EQ(shortcutFolder(ShortcutPlace::QuickLaunch), temp.path() + "/data/applications");

    // The desktop from user-dirs.dirs, then $HOME/Desktop.
    env.unset("XDG_DESKTOP_DIR");
    EXPECT_EQ(shortcutFolder(ShortcutPlace::Desktop), home + "/Desktop");
    ASSERT_TRUE(QDir().mkpath(home + "/.config"));
    QFile dirs(home + "/.config/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Arbeitsfläche\"\n");
    dirs.close();
    EXPECT_EQ(shortcutFolder(ShortcutPlace::Desktop), home + "/Arbeitsfläche");
    // A desktop folder that does not exist is not made: no icon, false.
    EXPECT_EQ(createProgramShortcut(ShortcutPlace::Desktop, "Vellacord", "/usr/bin/vellacord",
                                    "vellacord", QString())
                  .problem,
              ShortcutProblem::FolderMissing);
    EXPECT_FALSE(QFileInfo::exists(home + "/Arbeitsfläche"));

    // A file that cannot be written: false.
    ASSERT_TRUE(QDir().mkpath(desktop + "/Vellacord.desktop"));
    EXPECT_FALSE(CreateShortcut(desktop + "/Vellacord.desktop", "/usr/bin/vellacord", 0, "", 1, 0,
                                "", "/usr/bin"));
    EXPECT_FALSE(CreateShortcut(temp.path() + "/missing/x.desktop", "/usr/bin/vellacord", 0, "", 1,
                                0, "", "/usr/bin"));
    env.set("XDG_DESKTOP_DIR", desktop);
    EXPECT_EQ(createProgramShortcut(ShortcutPlace::Desktop, "Vellacord", "/usr/bin/vellacord",
                                    "vellacord", QString())
                  .problem,
              ShortcutProblem::CannotWrite);
    env.unset("HOME");
    env.unset("XDG_DATA_HOME");
    EXPECT_TRUE(shortcutFolder(ShortcutPlace::QuickLaunch).isEmpty());
    EXPECT_EQ(createProgramShortcut(ShortcutPlace::QuickLaunch, "Vellacord", "/usr/bin/vellacord",
                                    "vellacord", QString())
                  .problem,
              ShortcutProblem::NoFolder);
}

TEST_F(DesktopShortcuts, ExecLineQuotingAndNames) {
    const QString link = desktop + "/odd.desktop";
    ASSERT_TRUE(CreateShortcut(link, "/opt/my tools/50% \"new\"/vellacord", 0, "C:\\icons\\v.ico",
                               1, 0, "--profile \"/mnt/win/Documents and Settings/joe\"",
                               "/opt/my tools///"));
    const QString entry = readText(link);
    // Quoted, with the quote escaped inside and then every backslash doubled
    // as a string value; the percent sign doubled.
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/my tools/50%% \\\\\"new\\\\\"/vellacord\" "
                               "--profile \"/mnt/win/Documents and Settings/joe\"\n"))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nPath=/opt/my tools\n"));
    EXPECT_TRUE(entry.contains("\nIcon=C:\\\\icons\\\\v.ico\n"));
    EXPECT_TRUE(entry.contains("\nName=odd\n"));

    EXPECT_EQ(shortcutFileName("Vellacord"), "Vellacord.desktop");
    EXPECT_EQ(shortcutFileName("../../etc/x"), ".._.._etc_x.desktop");
    EXPECT_EQ(shortcutFileName(".."), "Vellacord.desktop");
    EXPECT_EQ(shortcutFileName(" "), "Vellacord.desktop");
    EXPECT_EQ(shortcutFileName("a\nb"), "a_b.desktop");
}

TEST(ProgramFiles, ManualAndIconBesideTheProgramOrInstalled) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString bin = temp.path() + "/bin/";
    ASSERT_TRUE(QDir().mkpath(bin));
    // Neither: the path beside the program, so the failure names it.
    EXPECT_EQ(manualPath(bin), bin + "vellacord.pdf");
    EXPECT_EQ(programIconPath(bin), "vellacord");
    ASSERT_TRUE(QDir().mkpath(temp.path() + "/share/doc/vellacord"));
    ASSERT_TRUE(QDir().mkpath(temp.path() + "/share/icons/hicolor/scalable/apps"));
    QFile(temp.path() + "/share/doc/vellacord/vellacord.pdf").open(QIODevice::WriteOnly);
    QFile(temp.path() + "/share/icons/hicolor/scalable/apps/vellacord.svg")
        .open(QIODevice::WriteOnly);
    EXPECT_EQ(manualPath(bin), temp.path() + "/share/doc/vellacord/vellacord.pdf");
    EXPECT_EQ(programIconPath(temp.path() + "/bin"),
              temp.path() + "/share/icons/hicolor/scalable/apps/vellacord.svg");
    QFile(bin + "vellacord.pdf").open(QIODevice::WriteOnly);
    QFile(bin + "vellacord.svg").open(QIODevice::WriteOnly);
    EXPECT_EQ(manualPath(bin), bin + "vellacord.pdf");
    EXPECT_EQ(programIconPath(bin), bin + "vellacord.svg");
}
