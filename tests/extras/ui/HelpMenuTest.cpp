// The Help menu of the real main window: every entry does its work through
// the services tests can stand in for.
#include "TestData.h"
#include "documents/FakeFileServices.h"
#include "extras/ui/AboutWindow.h"
#include "language/InterfaceTexts.h"
#include "language/ui/LangiWindow.h"
#include "platform/QStringPrinting.h"
#include "platform/Registry.h"
#include "support/Environment.h"
#include "support/WindowFixture.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

using namespace vc;

namespace {

void makeFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("%PDF-1.4\n");
}

// Copies a folder tree (a sample profile) so a test may look for changes.
void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    QDir().mkpath(to);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString target = to + info.filePath().mid(from.size());
        if (info.isDir())
            QDir().mkpath(target);
        else
            QFile::copy(info.filePath(), target);
    }
}

class HelpMenu : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(temp.isValid());
        ownExeDir = window->program().ExeDir;
    }
    void TearDown() override {
        window->program().ExeDir = ownExeDir;
        WindowFixture::TearDown();
    }

    QTemporaryDir temp;
    QString ownExeDir;
    FakeFileServices desktop;
};

} // namespace

TEST_F(HelpMenu, F1OpensTheManualBesideTheProgramOrInstalled) {
    EXPECT_EQ(window->actions().HelpAction_Manual->shortcut(), QKeySequence(Qt::Key_F1));
    const QString bin = temp.path() + "/bin/";
    window->program().ExeDir = bin;
    // Neither there nor installed: the message says where it belongs.
    window->actions().HelpAction_Manual->trigger();
    EXPECT_TRUE(desktop.calls.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].text,
              "The manual was not found; it belongs at:\n" + bin + "vellacord.pdf");

    // Installed beside the program's bin/ folder.
    desktop.openAnswer = OpenResult::Opened;
    makeFile(temp.path() + "/share/doc/vellacord/vellacord.pdf");
    window->actions().HelpAction_Manual->trigger();
    EXPECT_EQ(desktop.calls.last().path, temp.path() + "/share/doc/vellacord/vellacord.pdf");
    // Beside the program (the build tree) comes first.
    makeFile(bin + "vellacord.pdf");
    window->actions().HelpAction_Manual->trigger();
    EXPECT_EQ(desktop.calls.last().path, bin + "vellacord.pdf");
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(desktop.count("open"), 2);

    // No program for PDF files: where the manual lies, then the choice of
    // a program for it.
    desktop.calls.clear();
    desktop.openAnswer = OpenResult::NoProgram;
    window->actions().HelpAction_Manual->trigger();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].kind, MessageKind::Information);
    EXPECT_EQ(messages.shown[1].text,
              "No program to show PDF files was found. The manual lies at:\n" + bin +
                  "vellacord.pdf\n\nChoose a program for it in the next window.");
    EXPECT_EQ(desktop.calls,
              (QList<FakeFileServices::Call>{{"open", bin + "vellacord.pdf", {}},
                                             {"openWith", bin + "vellacord.pdf", {}}}));
    // Any other failure is named with the path.
    desktop.openAnswer = OpenResult::AccessDenied;
    window->actions().HelpAction_Manual->trigger();
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(messages.shown[2].text, tx(TextAccessDenied) + ":\n" + bin + "vellacord.pdf");
}

TEST_F(HelpMenu, ShortcutsLandInTheXdgFoldersAndTheProfileIsUntouched) {
    const QString profile = temp.path() + "/evidence/joe";
    copyTree(samplesPath("profiles/xp"), profile);
    ASSERT_TRUE(window->openProfile(profile));
    messages.shown.clear();
    const QStringList before = folderSnapshot(temp.path() + "/evidence");
    ASSERT_FALSE(before.isEmpty());

    EnvironmentGuard env;
    const QString home = temp.path() + "/home";
    const QString desk = home + "/Desktop";
    ASSERT_TRUE(QDir().mkpath(desk));
    env.set("HOME", home);
    env.set("XDG_DESKTOP_DIR", desk);
    env.set("XDG_DATA_HOME", home + "/.local/share");
    env.unset("XDG_CONFIG_HOME");

    window->actions().HelpAction_ShortCut1->trigger();
    const QString link = desk + "/Vellacord.desktop";
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(messages.shown[0].text, tx(TextOperationComplete) + ":\n" + link);
    QFile entry(link);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(text.contains("\nExec=" + QCoreApplication::applicationFilePath() + "\n"));
    EXPECT_TRUE(text.contains("\nPath=" + QCoreApplication::applicationDirPath() + "\n"));
    // Made again: the same file, success again.
    window->actions().HelpAction_ShortCut1->trigger();
    EXPECT_EQ(messages.shown.last().text, tx(TextOperationComplete) + ":\n" + link);
    EXPECT_EQ(QDir(desk).entryList(QDir::Files), QStringList{"Vellacord.desktop"});

    window->actions().HelpAction_ShortCut2->trigger();
    const QString launcher = home + "/.local/share/applications/Vellacord.desktop";
    EXPECT_EQ(messages.shown.last().text, tx(TextOperationComplete) + ":\n" + launcher);
    EXPECT_TRUE(QFileInfo::exists(launcher));

    // A desktop folder inside the profile is refused, with the reason and
    // the folder.
    env.set("XDG_DESKTOP_DIR", profile + "/Desktop");
    env.set("XDG_DATA_HOME", profile + "/Application Data");
    window->actions().HelpAction_ShortCut1->trigger();
    EXPECT_EQ(messages.shown.last().kind, MessageKind::Error);
    EXPECT_EQ(messages.shown.last().text, tx(TextError) + ": \n" + tx(TextDesktopIconFailed) +
                                              "\n" + tx(TextFolderInsideProfile) + ": " + profile +
                                              "/Desktop");
    window->actions().HelpAction_ShortCut2->trigger();
    EXPECT_EQ(messages.shown.last().text, tx(TextError) + ": \n" + tx(TextQuickLaunchIconFailed) +
                                              "\n" + tx(TextFolderInsideProfile) + ": " + profile +
                                              "/Application Data/applications");
    EXPECT_EQ(folderSnapshot(temp.path() + "/evidence"), before);

    // A desktop folder that does not exist is named.
    env.set("XDG_DESKTOP_DIR", home + "/Schreibtisch");
    window->actions().HelpAction_ShortCut1->trigger();
    EXPECT_EQ(messages.shown.last().text, tx(TextError) + ": \n" + tx(TextDesktopIconFailed) +
                                              "\n" + tx(TextFolderMissing) + ": " + home +
                                              "/Schreibtisch");
    EXPECT_EQ(messages.shown.size(), 6);
}

TEST_F(HelpMenu, AboutOpensModallyAndGoesAwayWhenClosed) {
    bool seen = false;
    // The about window is made by the command and runs its own modal loop:
    // looked at from inside that loop, then closed.
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<TAbout1*>(QApplication::activeModalWidget());
        if (!about) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isModal() && w->isVisible())
                    w->close();
            return;
        }
        seen = true;
        EXPECT_EQ(about->parentWidget(), window.get());
        EXPECT_EQ(about->windowTitle(), "About...");
        EXPECT_EQ(about->size(), QSize(233, 314));
        EXPECT_EQ(about->ImgAbout1->toolTip(), window->program().VersionText);
        EXPECT_EQ(about->Panel2->text(), window->program().MakerWebAddress);
        EXPECT_EQ(about->CancelButton->text(), tx(TextOk));
        about->Panel2Click();
        about->CancelButton->click();
    });
    window->actions().HelpAction_About->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(window->findChildren<TAbout1*>().isEmpty());
    // The web address went to the desktop's open operation.
    ASSERT_EQ(desktop.calls.size(), 1);
    EXPECT_EQ(desktop.calls[0].path, window->program().MakerWebAddress);
}

TEST_F(HelpMenu, HelpYourselfShowsTheLocaleListWithTheUsersLocale) {
    // The examiner's own locale, as the registry value "sLanguage" gives it.
    setExaminerLocale(QLocale(QLocale::German, QLocale::Austria));
    bool shown = false;
    window->language().Langi1->setModalHook([&](ModalWindow& w) {
        auto& langi = static_cast<TLangi1&>(w);
        shown = true;
        EXPECT_EQ(langi.Label1->text(), tx(TextLocaleLanguage) + ": DEA");
        EXPECT_EQ(langi.Label1->toolTip(), "DEA");
        ASSERT_EQ(langi.TitleListBox->count(), 6);
        EXPECT_EQ(langi.TitleListBox->item(5)->text(),
                  tx(TextSendYourFile) + ": " + window->program().SupportAddress);
        const QList<QTreeWidgetItem*> selected = langi.LocaleListView->selectedItems();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(selected[0]->text(0), "DEA");
        EXPECT_EQ(selected[0]->text(1), "$00000C07");
    });
    window->actions().Helpyourself1->trigger();
    setExaminerLocale(std::nullopt);
    EXPECT_TRUE(shown);
}
