// File > Open Disk Image: the image chosen, the user asked which of its
// Windows volumes to read, the machine of that volume taken into the
// window (title and status bar naming the image, its volume and users) and
// read whole; a cancelled choice leaves what was open.
#include "TestData.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "evidence/image/ImageProcess.h"
#include "language/TextIds.h"
#include "support/WindowFixture.h"

#include <QLabel>

using namespace vc;

namespace {

class ImageWindow : public WindowFixture {
protected:
    void SetUp() override {
        setImageReaderProgram(QStringLiteral(VC_BINARY_PATH));
        WindowFixture::SetUp();
    }
    void TearDown() override {
        WindowFixture::TearDown();
        setImageReaderProgram(QString());
    }
};

TEST_F(ImageWindow, OpenDiskImageReadsTheChosenWindowsVolume) {
    const QString image = testDataPath(QStringLiteral("images/disk-mbr.E01"));
    chooser.fileAnswer = image;
    chooser.itemAnswer = 1;
    window->actions().ActionOpenImage->trigger();
    EXPECT_EQ(chooser.lastTitle, QStringLiteral("Open Disk Image..."));
    // Both partitions hold the profile: the user chooses.
    ASSERT_EQ(chooser.lastItems.size(), 2);
    EXPECT_EQ(chooser.lastItems[0],
              QStringLiteral("disk-mbr.E01, partition 1 (offset 1048576), NTFS"));
    EXPECT_EQ(chooser.lastItems[1],
              QStringLiteral("disk-mbr.E01, partition 2 (offset 8388608), FAT16"));
    const Machine* machine = window->machine();
    ASSERT_TRUE(machine);
    EXPECT_FALSE(machine->files().isLocal());
    EXPECT_EQ(machine->description(), chooser.lastItems[1]);
    ASSERT_EQ(machine->users().size(), 1u);
    EXPECT_EQ(machine->users().front()->folder(), QStringLiteral("/Documents and Settings/joe"));
    EXPECT_TRUE(window->windowTitle().startsWith(
        QStringLiteral("disk-mbr.E01, partition 2 (offset 8388608), FAT16, 1 user")))
        << qPrintable(window->windowTitle());
    EXPECT_EQ(window->widgets().StatusPanel0->text(), chooser.lastItems[1]);
    // No warning box: the other Windows volume is the user's own choice.
    for (const auto& shown : messages.shown) {
        EXPECT_NE(shown.kind, MessageKind::Error) << qPrintable(shown.text);
        EXPECT_FALSE(shown.text.contains(QStringLiteral("--partition"))) << qPrintable(shown.text);
    }

    // The whole recall ran: the hive's typed addresses are in their table,
    // named by their place inside the image.
    const TableModel& typed = *window->tab(TabId(sourceIndex(QStringLiteral("win-typed")))).model;
    ASSERT_GT(typed.rows(), 0);
    EXPECT_EQ(typed.cellText(0, 7), QStringLiteral("/Documents and Settings/joe/NTUSER.DAT"));
    // The temporary files end with "Deleted": the note deleted after the
    // copy is marked, every other file not; a table of no files has none.
    const TableModel& temp = *window->tab(TabId::Temp).model;
    ASSERT_EQ(temp.caption(temp.columns() - 1), QStringLiteral("Deleted"));
    int marked = 0;
    for (int r = 0; r < temp.rows(); ++r)
        if (temp.cellText(r, temp.columns() - 1) == QStringLiteral("deleted")) {
            ++marked;
            EXPECT_EQ(temp.cellText(r, 0), QStringLiteral("deleted-note.txt"));
        }
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(typed.caption(typed.columns() - 1), QStringLiteral("User"));

    // The Internet Explorer menu asks for no file of this computer inside
    // an image: each entry reads the users' own files, as the recall did.
    const int activityRows = window->tab(TabId::Activity).model->rows();
    const int historyRows = window->tab(TabId::History).model->rows();
    ASSERT_GT(activityRows, 0);
    ASSERT_GT(historyRows, 0);
    window->tab(TabId::Activity).model->removeAllRows();
    window->tab(TabId::History).model->removeAllRows();
    const int calls = chooser.calls;
    const qsizetype shown = messages.shown.size();
    window->actions().ActionLoadIEActivity->trigger();
    window->actions().Action_ieH->trigger();
    window->actions().ActionIECookie->trigger();
    EXPECT_EQ(chooser.calls, calls);
    EXPECT_EQ(messages.shown.size(), shown);
    EXPECT_EQ(window->tab(TabId::Activity).model->rows(), activityRows);
    EXPECT_EQ(window->tab(TabId::History).model->rows(), historyRows);
    EXPECT_EQ(window->currentTabId(), TabId::Cookie);
    EXPECT_GT(window->tab(TabId::Cookie).model->rows(), 0);

    // A cancelled choice of the volume opens nothing and keeps the machine.
    chooser.itemAnswer = -1;
    window->actions().ActionOpenImage->trigger();
    EXPECT_EQ(window->machine(), machine);
    // A cancelled file dialog neither; it started at the image opened last.
    chooser.fileAnswer.clear();
    window->actions().ActionOpenImage->trigger();
    EXPECT_EQ(window->machine(), machine);
    EXPECT_EQ(chooser.lastStartFolder, testDataPath(QStringLiteral("images")));
    EXPECT_EQ(chooser.lastPresetName, QStringLiteral("disk-mbr.E01"));

    // An image without a Windows volume is named in an error, and what was
    // open stays.
    chooser.fileAnswer = testDataPath(QStringLiteral("images/real/image.vhd"));
    const qsizetype before = messages.shown.size();
    window->actions().ActionOpenImage->trigger();
    ASSERT_EQ(messages.shown.size(), before + 1);
    EXPECT_EQ(messages.shown.back().kind, MessageKind::Error);
    EXPECT_TRUE(messages.shown.back().text.contains(
        QStringLiteral("image.vhd: no Windows volume in the image")))
        << qPrintable(messages.shown.back().text);
    EXPECT_EQ(window->machine(), machine);

    // A profile folder opened next: the column goes with the image.
    ASSERT_TRUE(window->loadProfile(samplesPath(QStringLiteral("profiles/xp"))));
    EXPECT_EQ(temp.caption(temp.columns() - 1), QStringLiteral("User"));
    EXPECT_GT(temp.rows(), 0);
}

} // namespace
