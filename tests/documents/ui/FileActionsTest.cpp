#include "TestData.h"
// The file actions of the popup menu through the real main window, with
// the desktop replaced by a recorder: every call and every message box is
// checked, and no failure may lose a file.
#include "documents/FakeFileServices.h"
#include "documents/FileProperties.h"
#include "documents/FileTransfer.h"
#include "documents/ui/DesktopFileServices.h"
#include "documents/ui/FileDialogs.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QThread>

#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vc;

namespace {

class FileActions : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("src")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("dest")));
        source = write(QStringLiteral("src/evidence.doc"), "original content");
        destFolder = dir.path() + QStringLiteral("/dest");
        destination = destFolder + QStringLiteral("/evidence.doc");
    }
    QString write(const QString& relative, const QByteArray& content) {
        const QString path = dir.path() + QLatin1Char('/') + relative;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        return path;
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Makes path the file of the one row of the temporary-files table, in
    // front and focused, and opens the menu on it.
    void menuOn(const QString& path) {
        TableTab& t = window->tab(TabId::Temp);
        {
            BulkUpdate bulk(*t.model);
            t.model->removeAllRows();
            t.model->appendRow({QFileInfo(path).fileName().toUtf8(), "", "", "", path.toUtf8()});
        }
        window->showTab(TabId::Temp);
        window->selectFirstRow(TabId::Temp);
        window->files_PopupMenuPopup();
    }
    void copyTo(const QString& folder) {
        chooser.folderAnswer = folder;
        window->actions().filesPopUp_CopyTo->trigger();
    }
    void moveTo(const QString& folder) {
        chooser.folderAnswer = folder;
        window->actions().filesPopUp_MoveTo->trigger();
    }
    QString message(int i = 0) const { return messages.shown.value(i).text; }

    FakeFileServices desktop;
    QTemporaryDir dir;
    QString source, destFolder, destination;
};

} // namespace

TEST_F(FileActions, MenuEnablesItemsOnlyForAnExistingFile) {
    const QList<QAction*> items = window->actions().files_PopupMenu->actions();
    ASSERT_EQ(items.size(), 8);
    menuOn(source);
    for (QAction* item : items) {
        EXPECT_TRUE(item->isEnabled()) << qPrintable(item->objectName());
        if (!item->isSeparator()) {
            EXPECT_EQ(item->statusTip(), source);
        }
    }
    // An address and a folder can be opened, nothing else done with them;
    // an erased file allows nothing.
    for (const QString& target : {QStringLiteral("http://example.com/a.gif"),
                                  dir.path() + QStringLiteral("/erased.gif"), destFolder}) {
        menuOn(target);
        EXPECT_EQ(window->actions().filesPopUp_Open->isEnabled(),
                  !target.endsWith(QLatin1String(".gif")) ||
                      target.startsWith(QLatin1String("http")))
            << qPrintable(target);
        for (QAction* item : items) {
            if (item != window->actions().filesPopUp_Open) {
                EXPECT_FALSE(item->isEnabled()) << qPrintable(target);
            }
        }
    }
    // A file erased after its row was focused: the menu, opened again,
    // offers nothing.
    menuOn(source);
    ASSERT_TRUE(QFile::remove(source));
    window->files_PopupMenuPopup();
    for (QAction* item : items)
        EXPECT_FALSE(item->isEnabled()) << qPrintable(item->objectName());
    // No focused row (the table emptied): no file action, whatever came before.
    source = write(QStringLiteral("src/evidence.doc"), "original content");
    menuOn(source);
    window->tab(TabId::Temp).model->removeAllRows();
    for (QAction* item : items) {
        EXPECT_FALSE(item->isEnabled()) << qPrintable(item->objectName());
        EXPECT_TRUE(item->statusTip().isEmpty());
    }
}

TEST_F(FileActions, OpenReportsEachShellErrorAndFallsBackToOpenWith) {
    const struct {
        OpenResult answer;
        QString text;
    } cases[] = {
        {OpenResult::AccessDenied,
         QStringLiteral("The operating system denied access to the specified file")},
        {OpenResult::SharingViolation, QStringLiteral("A sharing violation occurred")},
        {OpenResult::FileNotFound, QStringLiteral("The specified file was not found")},
        {OpenResult::PathNotFound, QStringLiteral("The specified path was not found")},
    };
    menuOn(source);
    for (const auto& c : cases) {
        messages.shown.clear();
        desktop.calls.clear();
        desktop.openAnswer = c.answer;
        window->actions().filesPopUp_Open->trigger();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
        EXPECT_EQ(message(), c.text + QStringLiteral(":\n") + source);
        EXPECT_EQ(desktop.calls, (QList<FakeFileServices::Call>{{"open", source, {}}}));
    }
    // No program for the file: said, then the choice of one.
    messages.shown.clear();
    desktop.calls.clear();
    desktop.openAnswer = OpenResult::NoProgram;
    window->actions().filesPopUp_Open->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(message(), QStringLiteral("No program is set to open this file:\n") + source +
                             QStringLiteral("\n\nChoose a program for it in the next window."));
    EXPECT_EQ(desktop.calls,
              (QList<FakeFileServices::Call>{{"open", source, {}}, {"openWith", source, {}}}));
    messages.shown.clear();

    // A script is never opened directly, whatever the letter case.
    desktop.calls.clear();
    desktop.openAnswer = OpenResult::Opened;
    const QString script = write(QStringLiteral("src/run.Js"), "alert(1)");
    window->OpenTarget(script);
    window->OpenTarget(QStringLiteral("http://example.com/x.JS"));
    EXPECT_EQ(desktop.calls,
              (QList<FakeFileServices::Call>{{"openWith", script, {}},
                                             {"openWith", "http://example.com/x.JS", {}}}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(FileActions, OpenWithFolderAndPropertiesActOnTheMenuPath) {
    menuOn(source);
    window->actions().filesPopUp_OpenWith->trigger();
    window->actions().filesPopUp_OpenFolder->trigger();
    window->actions().filesPopUp_Properties->trigger();
    EXPECT_EQ(desktop.calls, (QList<FakeFileServices::Call>{{"openWith", source, {}},
                                                            {"showInFolder", source, {}},
                                                            {"showProperties", source, {}}}));
    EXPECT_TRUE(messages.shown.isEmpty());

    // No file manager: the message names the folder and what to do.
    desktop.folderShown = false;
    window->actions().filesPopUp_OpenFolder->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(message(),
              QStringLiteral("No file manager could show the folder:\n") + dir.path() +
                  QStringLiteral("/src\n\nOpen the folder yourself, or install a file manager."));
}

TEST_F(FileActions, CopyAsksBeforeReplacingAndNoKeepsTheDestination) {
    menuOn(source);
    // The first folder dialog starts at home, never in the evidence's folder.
    copyTo(destFolder);
    EXPECT_EQ(chooser.lastStartFolder, QDir::homePath());
    EXPECT_EQ(chooser.lastTitle, QStringLiteral("Copy to"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(read(destination), "original content");
    EXPECT_EQ(read(source), "original content");
    // The status bar says what went where.
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QStringLiteral("Copied ") + source + QStringLiteral(" to ") + destination);

    // The question names the file that would be replaced; No keeps it.
    write(QStringLiteral("dest/evidence.doc"), "older copy");
    messages.answers = {MessageAnswer::No};
    window->statusBar()->clearMessage();
    copyTo(destFolder);
    EXPECT_EQ(chooser.lastStartFolder, destFolder); // the last destination
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(message(), QStringLiteral("File with same name\n") + destination +
                             QStringLiteral("\nalready exists.\nDo you want to replace it?"));
    EXPECT_EQ(read(destination), "older copy");
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());

    messages.answers = {MessageAnswer::Yes};
    copyTo(destFolder + QLatin1Char('/')); // a trailing "/" is not doubled
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(read(destination), "original content");
    EXPECT_EQ(desktop.calls.last(), (FakeFileServices::Call{"copyFile", source, destination}));

    // Cancelling the folder dialog does nothing.
    desktop.calls.clear();
    copyTo(QString());
    EXPECT_TRUE(desktop.calls.isEmpty());
}

TEST_F(FileActions, NoRoomRefusesEvenAnEmptyFileOnAFullDisk) {
    const QString empty = write(QStringLiteral("src/empty.txt"), "");
    menuOn(empty);
    desktop.free = 0;
    copyTo(destFolder);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(message(), QStringLiteral("No free space for file:\n") + destFolder +
                             QStringLiteral("/empty.txt"));
    EXPECT_EQ(desktop.count(QStringLiteral("freeSpace")), 1);
    EXPECT_EQ(desktop.calls[0].path, destFolder);
    EXPECT_EQ(desktop.count(QStringLiteral("copyFile")), 0);

    menuOn(source); // 16 bytes into 10 free
    desktop.free = 10;
    moveTo(destFolder);
    EXPECT_EQ(message(1), QStringLiteral("No free space for file:\n") + destination);
    EXPECT_EQ(read(source), "original content");
    EXPECT_FALSE(QFile::exists(destination));
}

TEST_F(FileActions, HasRoomForComparesSixtyFourBitSizes) {
    // A sparse 5 GiB file: larger than any 32-bit size.
    const QString big = dir.path() + QStringLiteral("/src/big.img");
    const int fd = ::open(QFile::encodeName(big).constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 5LL << 30), 0);
    ::close(fd);
    desktop.free = 6LL << 30;
    EXPECT_TRUE(HasRoomFor(big, destFolder + QStringLiteral("/big.img")));
    desktop.free = (5LL << 30) - 1;
    EXPECT_FALSE(HasRoomFor(big, destFolder + QStringLiteral("/big.img")));
    desktop.free = -1; // unknown: tried
    EXPECT_TRUE(HasRoomFor(big, destFolder + QStringLiteral("/big.img")));
    desktop.free = 1LL << 40;
    EXPECT_FALSE(HasRoomFor(dir.path() + QStringLiteral("/src/gone"), destination));
}

TEST_F(FileActions, AnUnreadableSourceIsReportedAndNothingIsWritten) {
    menuOn(source);
    // The file disappears after the menu opened (works as root too).
    const QString gone = write(QStringLiteral("src/gone.doc"), "x");
    menuOn(gone);
    QFile::remove(gone);
    copyTo(destFolder);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(message().startsWith(QStringLiteral("File not copied:\n") + gone))
        << qPrintable(message());
    EXPECT_FALSE(QFile::exists(destFolder + QStringLiteral("/gone.doc")));
    EXPECT_EQ(desktop.count(QStringLiteral("copyFile")), 0);

    if (::geteuid() == 0)
        return; // root reads any file
    ::chmod(QFile::encodeName(source).constData(), 0);
    menuOn(source);
    moveTo(destFolder);
    ::chmod(QFile::encodeName(source).constData(), 0644);
    EXPECT_TRUE(message(1).startsWith(QStringLiteral("File not copied:\n") + source));
    EXPECT_EQ(read(source), "original content");
    EXPECT_FALSE(QFile::exists(destination));
}

TEST_F(FileActions, MoveDeletesTheSourceOnlyAfterACompleteCopy) {
    menuOn(source);
    moveTo(destFolder);
    EXPECT_EQ(chooser.lastTitle, QStringLiteral("Move to"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(source));
    EXPECT_EQ(read(destination), "original content");
    desktop.calls.clear();

    // The copy fails: the source stays, no destination appears.
    source = write(QStringLiteral("src/evidence.doc"), "second");
    QFile::remove(destination);
    desktop.failCopy = true;
    menuOn(source);
    moveTo(destFolder);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(message(),
              QStringLiteral("File not copied:\n") + source + QStringLiteral("\ndevice full"));
    EXPECT_EQ(read(source), "second");
    EXPECT_FALSE(QFile::exists(destination));
    EXPECT_EQ(desktop.count(QStringLiteral("removeFile")), 0);

    // The copy claims success but is short: the source stays.
    desktop.failCopy = false;
    desktop.shortCopy = true;
    moveTo(destFolder);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(message(1).startsWith(QStringLiteral("File not copied:\n") + source));
    EXPECT_EQ(read(source), "second");
    EXPECT_EQ(desktop.count(QStringLiteral("removeFile")), 0);

    // The delete fails: both files stay, the message names the source.
    desktop.shortCopy = false;
    desktop.failRemove = true;
    messages.answers = {MessageAnswer::Yes};
    moveTo(destFolder);
    ASSERT_EQ(messages.shown.size(), 4); // the replace question, then the failure
    EXPECT_EQ(message(3),
              QStringLiteral("File not deleted:\n") + source + QStringLiteral("\nfile is in use"));
    EXPECT_EQ(read(source), "second");
    EXPECT_EQ(read(destination), "second");
}

TEST_F(FileActions, MovingAFileOutOfTheProfileAsksFirst) {
    // A profile folder with a file of the evidence in it.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("profile/Recent")));
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("ntuser-xp.dat")),
                            dir.path() + QStringLiteral("/profile/NTUSER.DAT")));
    ASSERT_TRUE(window->openProfile(dir.path() + QStringLiteral("/profile")));
    messages.shown.clear();
    const QString evidence = write(QStringLiteral("profile/Recent/letter.doc"), "evidence");
    const QString moved = destFolder + QStringLiteral("/letter.doc");

    // Cancel leaves everything as it was.
    menuOn(evidence);
    messages.answers = {MessageAnswer::Cancel};
    moveTo(destFolder);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(message(), QStringLiteral("Moving takes the file out of the examined profile:\n") +
                             evidence + QStringLiteral("\n\nMove it anyway?"));
    EXPECT_EQ(read(evidence), "evidence");
    EXPECT_FALSE(QFile::exists(moved));
    EXPECT_EQ(desktop.count(QStringLiteral("copyFile")), 0);

    // OK moves it.
    messages.answers = {MessageAnswer::Ok};
    moveTo(destFolder);
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_FALSE(QFile::exists(evidence));
    EXPECT_EQ(read(moved), "evidence");

    // Copying asks nothing, and neither does moving a file from elsewhere.
    const QString again = write(QStringLiteral("profile/Recent/again.doc"), "x");
    menuOn(again);
    copyTo(destFolder);
    menuOn(source);
    moveTo(destFolder);
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(read(again), "x");
    EXPECT_FALSE(QFile::exists(source));
}

TEST_F(FileActions, MovingAFileOntoItselfNeverDeletesIt) {
    menuOn(source);
    moveTo(dir.path() + QStringLiteral("/src"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(message(), QStringLiteral("File not copied:\n") + source);
    EXPECT_EQ(read(source), "original content");
    EXPECT_EQ(desktop.count(QStringLiteral("copyFile")), 0);
    EXPECT_EQ(desktop.count(QStringLiteral("removeFile")), 0);
}

TEST_F(FileActions, DoubleClickAndFilePanelOpenTheSelectedRowsFile) {
    // A temporary-files table on a profile whose temp folder holds one file.
    ASSERT_TRUE(QFile::copy(QStringLiteral(VC_TEST_DATA_DIR "/ntuser-xp.dat"),
                            dir.path() + QStringLiteral("/NTUSER.DAT")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Local Settings/Temp")));
    const QString tmp = write(QStringLiteral("Local Settings/Temp/~DF1.tmp"), "t");
    ASSERT_TRUE(window->openProfile(dir.path()));
    window->actions().docs_ActionTemp->trigger();
    TableTab& t = window->tab(TabId::Temp);
    ASSERT_EQ(t.model->rows(), 1);
    Q_EMIT t.view->doubleClicked(t.model->index(0, 0));
    Q_EMIT t.pane->filePanel()->clicked();
    EXPECT_EQ(desktop.calls, (QList<FakeFileServices::Call>{{"open", tmp, {}}, {"open", tmp, {}}}));
}

TEST_F(FileActions, PropertiesShowTheFilesSha256AndTimes) {
    const QString abc = write(QStringLiteral("src/abc.txt"), "abc");
    const struct timespec t[2] = {{981173106, 0}, {981173106, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(abc).constData(), t, 0), 0);
    const FileProperties p = describeFile(abc);
    EXPECT_EQ(p.name, QStringLiteral("abc.txt"));
    EXPECT_EQ(p.size, 3);
    EXPECT_EQ(p.sha256,
              QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    EXPECT_EQ(p.modified, QStringLiteral("2001-02-03 04:05:06"));
    EXPECT_EQ(p.accessed, QStringLiteral("2001-02-03 04:05:06")); // hashing left it alone
    EXPECT_TRUE(p.permissions.startsWith(QStringLiteral("rw-")));
    EXPECT_TRUE(p.type.contains(QStringLiteral("text/plain")));

    FilePropertiesDialog dialog(p);
    auto* sha = dialog.findChild<QLabel*>(QStringLiteral("SHA-256"));
    ASSERT_NE(sha, nullptr);
    EXPECT_EQ(sha->text(), p.sha256);

    const FileProperties missing = describeFile(dir.path() + QStringLiteral("/none"));
    EXPECT_TRUE(missing.sha256.isEmpty());
    EXPECT_FALSE(missing.readError.isEmpty());
}

TEST_F(FileActions, TheRealCopyKeepsTimesAndLeavesNothingWhenItFails) {
    const struct timespec t[2] = {{981173106, 0}, {981173106, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(source).constData(), t, 0), 0);
    QString error;
    ASSERT_TRUE(copyFileWhole(source, destination, &error)) << qPrintable(error);
    EXPECT_EQ(read(destination), "original content");
    EXPECT_EQ(QFileInfo(destination).lastModified().toSecsSinceEpoch(), 981173106);

    const QString nowhere = dir.path() + QStringLiteral("/missing/evidence.doc");
    EXPECT_FALSE(copyFileWhole(source, nowhere, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(dir.path() + QStringLiteral("/missing")).isEmpty() ||
                !QFileInfo::exists(dir.path() + QStringLiteral("/missing")));
    // Nothing but the finished copy is left in the destination folder.
    EXPECT_EQ(QDir(destFolder).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("evidence.doc")});
}

TEST(DesktopFileServices, OpenProblemsAreToldApartBeforeTheDesktopIsAsked) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/a.txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(localOpenProblem(file), std::nullopt);
    EXPECT_EQ(localOpenProblem(dir.path() + QStringLiteral("/b.txt")), OpenResult::FileNotFound);
    EXPECT_EQ(localOpenProblem(dir.path() + QStringLiteral("/no/b.txt")), OpenResult::PathNotFound);
    if (::geteuid() != 0) {
        ::chmod(QFile::encodeName(file).constData(), 0);
        EXPECT_EQ(localOpenProblem(file), OpenResult::AccessDenied);
    }
    EXPECT_TRUE(isAddress(QStringLiteral("http://example.com/a.gif")));
    EXPECT_TRUE(isAddress(QStringLiteral("mailto:joe@example.com")));
    EXPECT_FALSE(isAddress(QStringLiteral("C:\\Documents and Settings\\joe\\a.doc")));
    EXPECT_FALSE(isAddress(dir.path() + QStringLiteral("/a:b.txt")));

    DesktopFileServices desktop;
    EXPECT_GT(desktop.freeSpace(dir.path()), 0);

    // The open-with dialog runs the chosen program with the path last.
    OpenWithDialog dialog(file);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Open with"));
    QString error;
    EXPECT_FALSE(startProgramWith(QStringLiteral("  "), file, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(startProgramWith(dir.path() + QStringLiteral("/no-such-program"), file, &error));
    const QString marker = dir.path() + QStringLiteral("/ran");
    // "touch MARKER PATH": the typed arguments come first, the path last.
    ASSERT_TRUE(startProgramWith(QStringLiteral("touch ") + marker, file, &error))
        << qPrintable(error);
    for (int i = 0; i < 100 && !QFile::exists(marker); ++i)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
}

TEST(DesktopFileServices, CopyContentFallsBackToABufferWhereTheKernelCannotCopy) {
    // A pipe is no file the kernel copies between: the buffered way is taken.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    QByteArray data(300000, 'a');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i * 7);
    QTemporaryDir dir;
    const QByteArray out = QFile::encodeName(dir.path() + QStringLiteral("/out"));
    const int to = ::open(out.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(to, 0);
    std::thread writer([&] {
        ::write(pipeEnds[1], data.constData(), size_t(data.size()));
        ::close(pipeEnds[1]);
    });
    QString error;
    EXPECT_TRUE(copyContent(pipeEnds[0], to, &error)) << qPrintable(error);
    writer.join();
    ::close(pipeEnds[0]);
    ::close(to);
    QFile copy(QFile::decodeName(out));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), data);
}
