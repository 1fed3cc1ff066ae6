// The picture previews of the detail panes, through the real main window:
// rows selected in the tables, the pictures read on the picture thread,
// animations, the zoom window opened by a click, and hostile files.
#include "TestData.h"
#include "documents/FakeFileServices.h"
#include "platform/QStringPrinting.h"
#include "preview/pictures/PictureFiles.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/GifAnimation.h"
#include "preview/ui/PictureBox.h"
#include "preview/ui/ZoomWindow.h"
#include "support/EventLoop.h"
#include "support/WindowFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>

using namespace vc;

namespace {

void click(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

QString sample() {
    return samplesPath(QStringLiteral("profiles/xp"));
}

QString cacheFolder() {
    return sample() + QStringLiteral("/Local Settings/Temporary Internet Files/Content.IE5/");
}

class PreviewPane : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(window->openProfile(sample()));
    }
    void TearDown() override {
        ShutdownAnimations();
        WindowFixture::TearDown();
    }

    DetailPane* pane(TabId id) { return window->tab(id).pane; }
    ClickPanel* box(TabId id) { return pane(id)->imageBox(); }
    QString caption(TabId id) { return pane(id)->imageCaption()->text(); }

    void loadSampleActivity() {
        chooser.fileAnswer = cacheFolder() + QStringLiteral("index.dat");
        window->actions().ActionLoadIEActivity->trigger();
        ASSERT_GT(window->tab(TabId::Activity).model->rows(), 35);
    }
    int rowWith(TabId id, int column, const QString& text) {
        TableModel* model = window->tab(id).model;
        for (int r = 0; r < model->rows(); ++r)
            if (model->cellText(r, column) == text)
                return r;
        ADD_FAILURE() << "no row with " << text.toStdString();
        return -1;
    }
    // Selects a row as the keyboard or the mouse does; the pane fills at once
    // and the picture follows from the picture thread.
    void select(TabId id, int row) {
        window->showTab(id);
        TableTab& t = window->tab(id);
        t.view->selectionModel()->setCurrentIndex(t.model->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    }
    bool settled(TabId id) {
        return processUntil([&] { return !PicturePending(box(id)); });
    }
    void selectActivity(const QString& fileName) {
        select(TabId::Activity, rowWith(TabId::Activity, 3, fileName));
        ASSERT_TRUE(settled(TabId::Activity));
    }
    // A row of the temporary-files table for a file of the disk.
    int tempRow(const QString& path) {
        TableModel* model = window->tab(TabId::Temp).model;
        const int name = int(path.lastIndexOf(QLatin1Char('/'))) + 1;
        model->appendRow({QFile::encodeName(path.mid(name)), QByteArray(), QByteArray(),
                          QByteArray(), QFile::encodeName(path)});
        return model->rows() - 1;
    }
    void selectTemp(const QString& path) {
        select(TabId::Temp, tempRow(path));
        ASSERT_TRUE(settled(TabId::Temp));
    }

    FakeFileServices desktop;
};

} // namespace

TEST_F(PreviewPane, ActivityRowsPreviewTheirCachedCopiesWhateverTheFolderCase) {
    loadSampleActivity();
    ClickPanel* image = box(TabId::Activity);
    QFrame* panel = pane(TabId::Activity)->imagePanel();

    // A still GIF: the picture, no caption, the hand, a click zooms.
    selectActivity(QStringLiteral("sun[1].gif"));
    EXPECT_FALSE(image->pixmap().isNull());
    EXPECT_EQ(ActiveAnimation(), nullptr);
    EXPECT_EQ(caption(TabId::Activity), QString());
    EXPECT_EQ(panel->lineWidth(), 1);
    EXPECT_EQ(image->toolTip(), QString());
    EXPECT_EQ(image->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(pane(TabId::Activity)->previewFile(),
              cacheFolder() + QStringLiteral("5ZBG4UOD/sun[1].gif"));
    EXPECT_EQ(window->currentFileName(), pane(TabId::Activity)->previewFile());

    // The record names "5F9C7HL9"; the folder on disk is "5f9c7hl9".
    selectActivity(QStringLiteral("beach[1].jpg"));
    EXPECT_FALSE(image->pixmap().isNull());
    EXPECT_EQ(pane(TabId::Activity)->previewFile(),
              cacheFolder() + QStringLiteral("5f9c7hl9/beach[1].jpg"));
    EXPECT_EQ(window->currentFileName(), pane(TabId::Activity)->previewFile());
    EXPECT_EQ(window->tab(TabId::Activity).pane->memo()->toPlainText().split('\n').value(1),
              QStringLiteral("5F9C7HL9/beach[1].jpg")); // the memo keeps the record's spelling
    // The double-click opens the same file.
    window->ListViewDblClick(TabId::Activity);
    ASSERT_FALSE(desktop.calls.isEmpty());
    EXPECT_EQ(desktop.calls.last().path, cacheFolder() + QStringLiteral("5f9c7hl9/beach[1].jpg"));

    // Two pages of a fax side by side, read at the box's size.
    selectActivity(QStringLiteral("fax-0412[1].tif"));
    const QSize strip = image->pixmap().size();
    EXPECT_LE(strip.width(), panel->contentsRect().width());
    EXPECT_NEAR(double(strip.width()) / strip.height(), 340.0 / 220.0, 0.05);

    // A page saved under a picture's name: its name, "Click Me", a click
    // opens it as a double-click does; no message.
    selectActivity(QStringLiteral("cover[1].jpg"));
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_EQ(caption(TabId::Activity), QStringLiteral("cover[1].jpg"));
    EXPECT_EQ(image->toolTip(), QStringLiteral("Click Me"));
    EXPECT_EQ(panel->lineWidth(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());
    desktop.calls.clear();
    click(image);
    ASSERT_EQ(desktop.calls.size(), 1);
    EXPECT_EQ(desktop.calls[0].path, cacheFolder() + QStringLiteral("F4MAMNDH/cover[1].jpg"));
}

TEST_F(PreviewPane, AnimationStartsForSeveralFramesOnlyAndStopsBeforeTheNextFileLoads) {
    loadSampleActivity();
    ClickPanel* image = box(TabId::Activity);
    selectActivity(QStringLiteral("sun[1].gif")); // one frame: a still picture
    EXPECT_EQ(ActiveAnimation(), nullptr);
    EXPECT_FALSE(image->pixmap().isNull());

    // Eight frames: the box is emptied at once, "Wait ..." shows while the
    // file is read, and the box stays empty until the first frame is drawn.
    select(TabId::Activity, rowWith(TabId::Activity, 3, QStringLiteral("loading[1].gif")));
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_EQ(caption(TabId::Activity), QStringLiteral("Wait ..."));
    ASSERT_TRUE(processUntil([] { return ActiveAnimation() != nullptr; }));
    QPointer<TGIFanime> animation = ActiveAnimation();
    EXPECT_TRUE(animation->playsIn(image));
    while (animation && animation->framesDrawn() == 0) {
        ASSERT_TRUE(image->pixmap().isNull());
        QApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    ASSERT_TRUE(processUntil([&] { return animation && animation->framesDrawn() >= 2; }));
    EXPECT_FALSE(image->pixmap().isNull());
    // While it plays: no caption, "Click Me", and a click opens the file
    // rather than the zoom window.
    EXPECT_EQ(caption(TabId::Activity), QString());
    EXPECT_EQ(image->toolTip(), QStringLiteral("Click Me"));
    int zoomed = 0;
    window->widgets().Zoom_in->setModalHook([&](ModalWindow&) { ++zoomed; });
    click(image);
    EXPECT_EQ(zoomed, 0);
    ASSERT_EQ(desktop.calls.size(), 1);
    EXPECT_EQ(desktop.calls[0].path, cacheFolder() + QStringLiteral("ENG3X4ZR/loading[1].gif"));

    // Another row: the animation is told to stop before the new file is
    // read; none of its frames lands on the new picture.
    select(TabId::Activity, rowWith(TabId::Activity, 3, QStringLiteral("route-417[1].png")));
    EXPECT_TRUE(animation.isNull() || animation->stopRequested());
    EXPECT_EQ(ActiveAnimation(), nullptr);
    EXPECT_TRUE(PicturePending(image));
    ASSERT_TRUE(settled(TabId::Activity));
    const QImage route = image->pixmap().toImage();
    ASSERT_FALSE(route.isNull());
    processFor(400);
    EXPECT_EQ(image->pixmap().toImage(), route);
    EXPECT_TRUE(processUntil([&] { return animation.isNull(); })); // it ended and freed itself
}

TEST_F(PreviewPane, ErasedEmptyAndNonPictureFilesAndClearedPanesDrawNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ClickPanel* image = box(TabId::Temp);
    QFrame* panel = pane(TabId::Temp)->imagePanel();

    // An animation plays; then a file that is gone: "File Erased", no
    // picture, and no late frame of the animation in the box.
    selectTemp(picturePath(QStringLiteral("animated.gif")));
    QPointer<TGIFanime> animation = ActiveAnimation();
    ASSERT_TRUE(processUntil([&] { return animation && animation->framesDrawn() >= 1; }));
    selectTemp(dir.filePath(QStringLiteral("gone.jpg")));
    EXPECT_EQ(ActiveAnimation(), nullptr);
    EXPECT_EQ(caption(TabId::Temp), QStringLiteral("File Erased"));
    EXPECT_EQ(image->toolTip(), QStringLiteral("Click Me"));
    EXPECT_EQ(panel->lineWidth(), 3);
    processFor(300);
    EXPECT_TRUE(image->pixmap().isNull());
    // Its click still opens the row, as the double-click does.
    click(image);
    ASSERT_EQ(desktop.calls.size(), 1);
    EXPECT_EQ(desktop.calls[0].path, dir.filePath(QStringLiteral("gone.jpg")));

    // Not a picture, whatever its name says: its name and "Click Me".
    const QString notes = dir.filePath(QStringLiteral("notes.png"));
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("shopping list\n");
    file.close();
    selectTemp(notes);
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_EQ(caption(TabId::Temp), QStringLiteral("notes.png"));
    EXPECT_TRUE(messages.shown.isEmpty());

    // A row without a path: an empty box without caption that does nothing.
    TableModel* model = window->tab(TabId::Temp).model;
    model->appendRow({"nothing", "", "", "", ""});
    select(TabId::Temp, model->rows() - 1);
    EXPECT_EQ(caption(TabId::Temp), QString());
    EXPECT_EQ(image->toolTip(), QString());
    EXPECT_EQ(image->cursor().shape(), Qt::ArrowCursor);
    desktop.calls.clear();
    click(image);
    EXPECT_TRUE(desktop.calls.isEmpty());

    // A pane cleared while an animation plays in it (a table refilled).
    selectTemp(picturePath(QStringLiteral("animated.gif")));
    animation = ActiveAnimation();
    ASSERT_TRUE(processUntil([&] { return animation && animation->framesDrawn() >= 1; }));
    window->ClearPane(pane(TabId::Temp));
    EXPECT_EQ(ActiveAnimation(), nullptr);
    EXPECT_EQ(pane(TabId::Temp)->previewFile(), QString());
    processFor(300);
    EXPECT_TRUE(image->pixmap().isNull());

    // A pane cleared while its picture is still being read gets nothing.
    select(TabId::Temp, tempRow(picturePath(QStringLiteral("three-pages.tif"))));
    window->ClearPane(pane(TabId::Temp));
    EXPECT_FALSE(PicturePending(image));
    processFor(200);
    EXPECT_TRUE(image->pixmap().isNull());
}

TEST_F(PreviewPane, HistoryAddressesWithAUserAndAFileUrlPreviewTheLocalFile) {
    TableModel* model = window->tab(TabId::History).model;
    ClickPanel* filePanel = pane(TabId::History)->filePanel();
    ClickPanel* image = box(TabId::History);
    // As Internet Explorer keeps a visited local file: a prefix, the user,
    // "@", "file:///" and the Windows path with its spaces escaped.
    const QString windowsPath = QStringLiteral(
        "C:/Documents%20and%20Settings/joe/My%20Documents/My%20Pictures/Holiday%20photos/"
        "beach.jpg");
    model->appendRow({"Visited: joe@file:///" + windowsPath.toLatin1(), "", "", "URL", ""});
    select(TabId::History, 0);
    EXPECT_EQ(filePanel->text(), windowsPath); // the address as it stands, forward slashes kept
    ASSERT_TRUE(settled(TabId::History));
    const QString inProfile =
        sample() + QStringLiteral("/My Documents/My Pictures/Holiday photos/beach.jpg");
    EXPECT_EQ(pane(TabId::History)->previewFile(), inProfile);
    EXPECT_EQ(window->currentFileName(), inProfile);
    EXPECT_FALSE(image->pixmap().isNull());

    // Two "@": everything after the first one, which is no file address.
    model->appendRow({"Visited: joe@mail@file:///C:/x.jpg", "", "", "URL", ""});
    select(TabId::History, 1);
    EXPECT_EQ(filePanel->text(), QStringLiteral("mail@file:///C:/x.jpg"));
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_EQ(caption(TabId::History), QString());
    EXPECT_EQ(pane(TabId::History)->previewFile(), QString());

    // A web page: the address in the panel, the picture box cleared.
    select(TabId::History, 0);
    ASSERT_TRUE(settled(TabId::History));
    ASSERT_FALSE(image->pixmap().isNull());
    model->appendRow({"Visited: joe@http://www.example.com/photos.html", "", "", "URL", ""});
    select(TabId::History, 2);
    EXPECT_EQ(filePanel->text(), QStringLiteral("http://www.example.com/photos.html"));
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_EQ(window->currentFileName(), QStringLiteral("http://www.example.com/photos.html"));
}

TEST_F(PreviewPane, AClickOnAPictureOpensTheZoomWindowOnTheWholeFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString photo = dir.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(quarteredPicture(640, 480).save(photo));
    selectTemp(photo);
    ClickPanel* image = box(TabId::Temp);
    ASSERT_FALSE(image->pixmap().isNull());
    EXPECT_LE(image->pixmap().width(), 99); // the preview is read small

    QStringList titles, files;
    QList<QSize> sizes;
    window->widgets().Zoom_in->setModalHook([&](ModalWindow& zoom) {
        zoom.show();
        QApplication::processEvents();
        titles << zoom.windowTitle();
        sizes << window->widgets().Zoom_in->picture().size();
        files << window->widgets().Zoom_in->StatusPanel0->text();
        zoom.close();
    });
    click(image);
    EXPECT_EQ(titles, QStringList{QStringLiteral("Picture")});
    EXPECT_EQ(sizes, QList<QSize>{QSize(640, 480)}); // the zoom reads the file whole
    EXPECT_EQ(files, QStringList{photo});
    EXPECT_TRUE(desktop.calls.isEmpty());

    // The file is gone by the time of the click: the message names it and
    // the window stays closed.
    ASSERT_TRUE(QFile::remove(photo));
    click(image);
    EXPECT_EQ(titles.size(), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("File Not Found. File Name ") + photo);
    EXPECT_FALSE(window->widgets().Zoom_in->Image1->hasPicture());
}

TEST_F(PreviewPane, HostilePicturesGiveAMessageOrABoundedPictureNeverACrash) {
    ClickPanel* image = box(TabId::Temp);
    auto hostile = [](const char* name) {
        return picturePath(QStringLiteral("hostile/") + QLatin1String(name));
    };
    // Claims beyond the memory limit: the failure named with the path.
    for (const char* name : {"huge-claim.png", "huge-claim.jpg", "huge-screen.gif"}) {
        messages.shown.clear();
        selectTemp(hostile(name));
        EXPECT_TRUE(image->pixmap().isNull()) << name;
        EXPECT_EQ(ActiveAnimation(), nullptr) << name;
        EXPECT_EQ(caption(TabId::Temp), QStringLiteral("Non graphic file")) << name;
        ASSERT_EQ(messages.shown.size(), 1) << name;
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("Out Of Memory. File Name ") + hostile(name));
    }
    // Cut short: what could be decoded, or the failure named.
    for (const char* name : {"truncated.png", "truncated.jpg", "truncated.gif", "truncated.tif"}) {
        messages.shown.clear();
        selectTemp(hostile(name));
        if (image->pixmap().isNull()) {
            ASSERT_EQ(messages.shown.size(), 1) << name;
            EXPECT_TRUE(
                messages.shown[0].text.endsWith(QStringLiteral(". File Name ") + hostile(name)))
                << name;
        } else {
            EXPECT_LE(image->pixmap().width(), 99) << name;
        }
    }
    // Ten thousand frames play within the frame bound; five thousand pages
    // give their first two.
    selectTemp(hostile("10000-frames.gif"));
    QPointer<TGIFanime> animation = ActiveAnimation();
    ASSERT_NE(animation, nullptr);
    EXPECT_TRUE(processUntil([&] { return animation && animation->framesDrawn() >= 3; }));
    selectTemp(hostile("5000-pages.tif"));
    EXPECT_EQ(ActiveAnimation(), nullptr);
    EXPECT_FALSE(image->pixmap().isNull());
    selectTemp(hostile("truncated-animated.gif"));
    animation = ActiveAnimation();
    ASSERT_NE(animation, nullptr);
    EXPECT_TRUE(processUntil([&] { return animation && animation->framesDrawn() >= 2; }));
}

TEST_F(PreviewPane, FilePanelsShowTheHandOnlyWhileTheyNameSomething) {
    ClickPanel* panel = pane(TabId::Activity)->filePanel();
    auto move = [&] {
        const QPointF at(2, 2);
        QMouseEvent event(QEvent::MouseMove, at, panel->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
        return panel->cursor().shape();
    };
    EXPECT_EQ(move(), Qt::ArrowCursor);
    loadSampleActivity();
    selectActivity(QStringLiteral("sun[1].gif"));
    EXPECT_EQ(panel->text(), QStringLiteral("http://www.weather.example/img/sun.gif"));
    EXPECT_EQ(move(), Qt::PointingHandCursor);
    window->ClearPane(pane(TabId::Activity));
    EXPECT_EQ(move(), Qt::ArrowCursor);
}
