// The sample volume's Windows 10 user has a Firefox cache with a picture
// of every kind the preview shows (samples/tools/make-picture-cache.py):
// the Cache table lists each entry, and the preview draws each picture from
// its row, the animated GIF as an animation.
#include "TestData.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserTestSupport.h"
#include "documents/FakeFileServices.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/GifAnimation.h"
#include "preview/ui/PictureBox.h"
#include "support/EventLoop.h"
#include "support/WindowFixture.h"

#include <QPixmap>

namespace vc::testing {
namespace {

class SampleCachePictures : public WindowFixture {
protected:
    void TearDown() override {
        ShutdownAnimations();
        WaitForPictureLoads();
        WindowFixture::TearDown();
    }
    FakeFileServices desktop;
};

} // namespace

TEST_F(SampleCachePictures, EveryPictureKindIsListedAndPreviewed) {
    const QString volume = samplesPath(QStringLiteral("volumes/pc"));
    const QMap<QString, FileState> before = snapshot(volume);
    ASSERT_TRUE(window->loadVolume(volume));
    messages.shown.clear(); // the recall's summary
    const TabId cache = TabId(sourceIndex(QStringLiteral("web-cache")));
    TableTab& t = window->tab(cache);

    const QString base = QStringLiteral("https://pictures.example/");
    const struct {
        const char* path;
        const char* type;
        bool animated;
    } pictures[] = {
        {"img/dot.gif", "image/gif", false},      {"img/spinner.gif", "image/gif", true},
        {"img/logo.png", "image/png", false},     {"img/photo.jpg?w=32", "image/jpeg", false},
        {"img/bitmap.bmp", "image/bmp", false},   {"favicon.ico", "image/x-icon", false},
        {"img/webp-sample", "image/webp", false}, {"img/scan.tif", "image/tiff", false},
    };
    QMap<QString, int> rows;
    for (int row = 0; row < t.model->rows(); ++row)
        if (t.model->cellText(row, kWebCacheUrl).startsWith(base))
            rows.insert(t.model->cellText(row, kWebCacheUrl), row);
    ASSERT_EQ(rows.size(), int(std::size(pictures)) + 1); // and the page that shows them

    for (const auto& picture : pictures) {
        const QString url = base + QLatin1String(picture.path);
        ASSERT_TRUE(rows.contains(url)) << qPrintable(url);
        const int row = rows.value(url);
        EXPECT_EQ(t.model->cellText(row, kWebCacheContentType), QLatin1String(picture.type));
        EXPECT_EQ(t.model->cellText(row, kWebCacheStatus), QStringLiteral("HTTP/1.1 200 OK"));
        EXPECT_EQ(t.model->cellText(row, kWebCacheBrowser), QStringLiteral("Firefox"));
        EXPECT_EQ(t.model->cellText(row, kWebCacheProfile), QStringLiteral("d4nbk2xm.default"));
        EXPECT_TRUE(t.model->cellText(row, kWebCacheNote).isEmpty()) << qPrintable(url);
        EXPECT_EQ(t.model->cellText(row, t.model->columns() - 1), QStringLiteral("bperry"));

        ASSERT_TRUE(focusRowAndWait(cache, row)) << qPrintable(url);
        ClickPanel* box = t.pane->imageBox();
        if (picture.animated) {
            ASSERT_TRUE(processUntil([] { return ActiveAnimation() != nullptr; }));
            QPointer<TGIFanime> animation = ActiveAnimation();
            EXPECT_TRUE(animation->playsIn(box));
            ASSERT_TRUE(processUntil([&] { return animation && animation->framesDrawn() >= 2; }));
        } else {
            EXPECT_EQ(ActiveAnimation(), nullptr) << qPrintable(url);
            // Drawn, without a caption that says it could not be.
            EXPECT_TRUE(t.pane->imageCaption()->text().isEmpty())
                << qPrintable(url) << " " << qPrintable(t.pane->imageCaption()->text());
        }
        EXPECT_FALSE(box->pixmap().isNull()) << qPrintable(url);
    }

    // The page, stored gzip-compressed: no picture; "Copy to..." writes it
    // out decompressed, under the entry's name (its address has no path).
    ASSERT_TRUE(focusRowAndWait(cache, rows.value(base)));
    EXPECT_TRUE(t.pane->imageBox()->pixmap().isNull());
    EXPECT_EQ(t.model->cellText(rows.value(base), kWebCacheContentType),
              QStringLiteral("text/html; charset=utf-8"));
    QTemporaryDir dest;
    ASSERT_TRUE(dest.isValid());
    window->files_PopupMenuPopup();
    chooser.folderAnswer = dest.path();
    window->actions().filesPopUp_CopyTo->trigger();
    EXPECT_TRUE(messages.shown.isEmpty()) << qPrintable(messages.shown.value(0).text);
    const QStringList written = QDir(dest.path()).entryList(QDir::Files);
    ASSERT_EQ(written.size(), 1);
    const QString location = t.model->cellText(rows.value(base), kWebCacheLocation);
    EXPECT_EQ(written[0],
              location.mid(location.indexOf(QLatin1Char(':')) + 1) + QStringLiteral(".html"));
    QFile page(dest.filePath(written[0]));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(html.contains("<img src=\"img/spinner.gif\">"));

    EXPECT_EQ(snapshot(volume), before);
}

} // namespace vc::testing
