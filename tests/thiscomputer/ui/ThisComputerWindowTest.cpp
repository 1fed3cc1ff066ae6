// "This computer" in the File menu of the real main window: the home made
// in the test's folder read whole, the title naming the host, the
// Thumbnails tab in the Documents tab with the thumbnail as its preview, and
// a trashed picture previewed and copied out.
#include "../TestHome.h"
#include "TestData.h"
#include "documents/FakeFileServices.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/GifAnimation.h"
#include "preview/ui/PictureBox.h"
#include "recall/ui/OptRecallWindow.h"
#include "support/EventLoop.h"
#include "support/WindowFixture.h"
#include "thiscomputer/ThisComputer.h"
#include "thiscomputer/Thumbnails.h"
#include "windows/WindowsColumns.h"

#include <QMenu>
#include <QMenuBar>
#include <QSysInfo>
#include <QTemporaryDir>

using namespace vc;

namespace {

class ThisComputerWindow : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        home = std::make_unique<vc::testing::TestHome>(dir.path());
        home->makeAll();
        ThisComputerPlaces places;
        places.currentHome = home->home;
        places.mountTable = home->mountTable;
        places.tempFolder = home->tempFolder;
        setThisComputerPlaces(places);
    }
    void TearDown() override {
        ShutdownAnimations();
        WaitForPictureLoads();
        resetThisComputerPlaces();
        WindowFixture::TearDown();
    }
    TabId tabOf(const char* name) { return TabId(sourceIndex(QString::fromLatin1(name))); }
    int rowWith(TabId id, int column, const QString& text) {
        TableModel* model = window->tab(id).model;
        for (int r = 0; r < model->rows(); ++r)
            if (model->cellText(r, column) == text)
                return r;
        ADD_FAILURE() << "no row with " << text.toStdString();
        return -1;
    }
    bool hasPicture(TabId id) { return !window->tab(id).pane->imageBox()->pixmap().isNull(); }

    QTemporaryDir dir;
    std::unique_ptr<vc::testing::TestHome> home;
    FakeFileServices desktop;
};

} // namespace

TEST_F(ThisComputerWindow, FileMenuReadsTheHomesThumbnailsAndTrash) {
    QMenu* file = window->menuBar()->findChild<QMenu*>(QStringLiteral("FileItem"));
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->actions().contains(window->actions().ActionThisComputer));
    EXPECT_EQ(window->actions().ActionThisComputer->text(), QStringLiteral("This computer"));
    const std::string before = home->snapshot();
    window->actions().ActionThisComputer->trigger();
    ASSERT_TRUE(window->machine());
    EXPECT_EQ(window->machine()->kind(), Machine::Kind::ThisComputer);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("This computer ") +
                                                 QSysInfo::machineHostName()))
        << window->windowTitle().toStdString();
    EXPECT_EQ(window->tab(TabId::WebHistory).model->rows(), 69 * 4 + 1);
    EXPECT_EQ(window->tab(TabId::Recent).model->rows(), 6);

    // The Thumbnails tab stands in the Documents tab, after the temporary
    // files; the thumbnail of a picture is its preview.
    const TabId thumbnails = tabOf("thumbnails");
    TableTab& tab = window->tab(thumbnails);
    ASSERT_EQ(tab.model->rows(), 5);
    EXPECT_EQ(tab.sheet->parentWidget()->parentWidget(),
              window->tab(TabId::Temp).sheet->parentWidget()->parentWidget());
    const int cat =
        rowWith(thumbnails, kThumbOriginalAddress,
                QStringLiteral("file://") + home->at(QStringLiteral("Pictures/cat.png")));
    ASSERT_TRUE(focusRowAndWait(thumbnails, cat));
    EXPECT_TRUE(hasPicture(thumbnails));
    EXPECT_TRUE(
        tab.pane->memo()->toPlainText().contains(QStringLiteral("GNOME::ThumbnailFactory")));
    const int broken = rowWith(
        thumbnails, kThumbFile,
        home->at(QStringLiteral(".cache/thumbnails/normal/99999999999999999999999999999999.png")));
    ASSERT_TRUE(focusRowAndWait(thumbnails, broken));
    EXPECT_FALSE(hasPicture(thumbnails));

    // A picture in the trash: previewed, and Copy to... writes it out.
    const TabId deleted = tabOf("win-deleted");
    const int trashed = rowWith(deleted, kDeletedName, QStringLiteral("old cat.png"));
    ASSERT_TRUE(focusRowAndWait(deleted, trashed));
    EXPECT_TRUE(hasPicture(deleted));
    ASSERT_TRUE(window->actions().filesPopUp_CopyTo->isEnabled());
    QTemporaryDir destination;
    ASSERT_TRUE(destination.isValid());
    const QString dest = destination.path();
    chooser.folderAnswer = dest;
    window->actions().filesPopUp_CopyTo->trigger();
    QFile copy(dest + QStringLiteral("/cat.png"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), vc::testing::thumbnailPng({}));
    // Nothing in the homes was written, moved or made.
    EXPECT_EQ(home->snapshot(), before);
}

TEST_F(ThisComputerWindow, WithNothingOpenTheRecallAsksWhatToReadFirst) {
    // Cancelled: nothing of this computer is read, by the whole recall, the
    // recall with conditions or a single table's menu.
    chooser.itemAnswer = -1;
    bool conditionsShown = false;
    window->recall().OptRecall1->setModalHook([&](ModalWindow&) { conditionsShown = true; });
    window->actions().MyCompAction_Total->trigger();
    EXPECT_EQ(chooser.lastItems,
              (QStringList{QStringLiteral("Open Windows Profile..."),
                           QStringLiteral("Open Windows Volume..."),
                           QStringLiteral("Open Disk Image..."), QStringLiteral("This computer")}));
    EXPECT_EQ(chooser.lastPresetName, QStringLiteral("Nothing is open yet. What should be read?"));
    chooser.lastItems.clear();
    window->actions().MyCompAction_Cond->trigger();
    EXPECT_EQ(chooser.lastItems.size(), 4);
    chooser.lastItems.clear();
    window->actions().docs_ActionTemp->trigger();
    EXPECT_EQ(chooser.lastItems.size(), 4);
    EXPECT_FALSE(conditionsShown);
    EXPECT_FALSE(window->machine());
    EXPECT_TRUE(messages.shown.isEmpty());
    for (int i = 0; i < kTableTabCount; ++i)
        EXPECT_EQ(window->tab(TabId(i)).model->rows(), 0) << i;

    // A profile chosen but its folder dialog cancelled: still nothing.
    chooser.itemAnswer = 0;
    chooser.folderAnswer.clear();
    window->actions().MyCompAction_Total->trigger();
    EXPECT_FALSE(window->machine());
    EXPECT_EQ(window->tab(TabId::Temp).model->rows(), 0);

    // This computer chosen: its homes and temporary folder are read and
    // the summary shown; the next recall asks no more.
    chooser.itemAnswer = 3;
    window->actions().MyCompAction_Total->trigger();
    ASSERT_TRUE(window->machine());
    EXPECT_EQ(window->machine()->kind(), Machine::Kind::ThisComputer);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(window->tab(TabId::Recent).model->rows(), 6);
    const TableModel& temp = *window->tab(TabId::Temp).model;
    bool lock = false;
    for (int r = 0; r < temp.rows(); ++r)
        lock = lock || temp.joinedRow(r, ' ').contains("session.lock");
    EXPECT_TRUE(lock) << "the test home's temporary folder, not the machine's";
    chooser.lastItems.clear();
    window->actions().MyCompAction_Total->trigger();
    EXPECT_TRUE(chooser.lastItems.isEmpty());
    EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(ThisComputerWindow, WithNothingOpenAProfileChosenForTheRecallIsRead) {
    chooser.itemAnswer = 0;
    chooser.folderAnswer = samplesPath(QStringLiteral("profiles/xp"));
    window->actions().MyCompAction_Total->trigger();
    ASSERT_TRUE(window->machine());
    EXPECT_EQ(window->machine()->kind(), Machine::Kind::Profile);
    EXPECT_GT(window->tab(TabId::Activity).model->rows(), 0);
    EXPECT_EQ(window->tab(TabId::Recent).model->rows(), 37);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.front().kind, MessageKind::Information);
}
