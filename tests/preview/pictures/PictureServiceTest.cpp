// The picture service: status texts, loading, frames, strips, turning and
// the hostile pictures.
#include "preview/pictures/GdiplusStatus.h"
#include "preview/pictures/GifFrames.h"
#include "preview/pictures/LoadPicture.h"
#include "preview/pictures/PictureFiles.h"
#include "preview/pictures/RotatePicture.h"
#include "support/RecordingMessages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace vc;

TEST(GdiplusStatusText, WholeTableAndTheCodesOutsideIt) {
    const char* const expected[] = {"Generic Error",
                                    "Invalid Parameter",
                                    "Out Of Memory",
                                    "Object Busy",
                                    "Insufficient Buffer",
                                    "Not Implemented",
                                    "Win32 Error",
                                    "Wrong State",
                                    "Aborted",
                                    "File Not Found",
                                    "Value Overflow",
                                    "Access Denied",
                                    "Unknown Image Format",
                                    "Font Family Not Found",
                                    "Font Style Not Found",
                                    "Not True Type Font",
                                    "Unsupported Gdiplus Version",
                                    "Gdiplus Not Initialized",
                                    "Property Not Found",
                                    "Property Not Supported"};
    for (int status = 1; status <= 20; ++status)
        EXPECT_EQ(GdiplusStatusText(status), QString::fromLatin1(expected[status - 1])) << status;
    EXPECT_EQ(GdiplusStatusText(0), QString());
    EXPECT_EQ(GdiplusStatusText(21), QString());
    EXPECT_EQ(GdiplusStatusText(-1), QString());

    RecordingMessages messages;
    EXPECT_EQ(GdiplusStatusText(10, 1), QStringLiteral("File Not Found"));
    GdiplusStatusText(0, 1);
    GdiplusStatusText(21, 1);
    GdiplusStatusText(13, 0);
    ASSERT_EQ(messages.shown.size(), 1); // no box for success, unknown codes or show 0
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("File Not Found"));

    EXPECT_EQ(StatusOfReaderError(QImageReader::UnsupportedFormatError), 13);
    EXPECT_EQ(StatusOfReaderError(QImageReader::FileNotFoundError), 10);
    EXPECT_EQ(StatusOfReaderError(QImageReader::InvalidDataError), 1);
    EXPECT_EQ(StatusOfReaderError(QImageReader::DeviceError), 1);
}

TEST(GifFrameList, DelaysPerFrameWithZeroWhereAFrameHasNone) {
    QFile file(picturePath(QStringLiteral("animated.gif")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray gif = file.readAll();
    const GifFrameList list = ReadGifFrameList(gif, 100);
    EXPECT_EQ(list.frameCount, 3);
    EXPECT_EQ(list.delays, (QList<int>{7, 0, 20}));
    EXPECT_EQ(list.screen, QSize(30, 20));
    // Bounded by the caller, and by the data where it is cut short.
    EXPECT_EQ(ReadGifFrameList(gif, 2).frameCount, 2);
    int previous = 0;
    for (qsizetype cut = 0; cut <= gif.size(); ++cut) {
        const GifFrameList part = ReadGifFrameList(gif.left(cut), 100);
        EXPECT_GE(part.frameCount, previous);
        EXPECT_EQ(part.delays.size(), part.frameCount);
        previous = part.frameCount;
    }
    EXPECT_EQ(previous, 3);
    EXPECT_EQ(ReadGifFrameList(QByteArray("GIF89a"), 100).frameCount, 0);
    EXPECT_EQ(ReadGifFrameList(QByteArray(4000, '\xff'), 100).frameCount, 0);
}

TEST_F(PictureServiceTest, FailuresGiveNoPictureAndTheirStatus) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(LoadPicture(dir.filePath(QStringLiteral("gone.jpg"))).status, 10);
    EXPECT_EQ(LoadPicture(dir.filePath(QStringLiteral("no/such/folder/x.png"))).status, 10);

    // A web page kept under a picture's name.
    QFile page(dir.filePath(QStringLiteral("cover[1].jpg")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body>404 Not Found</body></html>\n");
    page.close();
    Picture p = LoadPicture(page.fileName());
    EXPECT_EQ(p.status, 13);
    EXPECT_FALSE(p.isPicture());

    // A folder and a pipe are refused without reading (a pipe would block).
    EXPECT_EQ(LoadPicture(dir.path()).status, 13);
    const QString fifo = dir.filePath(QStringLiteral("pipe.gif"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(LoadPicture(fifo).status, 13);

    // Nothing loads while the service is down.
    PictureServiceShutdown();
    EXPECT_EQ(LoadPicture(picturePath(QStringLiteral("still.gif"))).status, 18);
    ASSERT_EQ(PictureServiceStartup(), 0);
    EXPECT_EQ(LoadPicture(picturePath(QStringLiteral("still.gif"))).status, 0);
}

TEST_F(PictureServiceTest, GifOfOneFrameIsStillAndAnimatedGifKeepsItsDelays) {
    const Picture still = LoadPicture(picturePath(QStringLiteral("still.gif")));
    EXPECT_EQ(still.status, 0);
    EXPECT_EQ(still.format, QByteArray("gif"));
    EXPECT_EQ(still.image.size(), QSize(30, 20));
    EXPECT_EQ(still.animation, nullptr);

    const Picture animated = LoadPicture(picturePath(QStringLiteral("animated.gif")));
    EXPECT_EQ(animated.status, 0);
    EXPECT_TRUE(animated.image.isNull()); // nothing drawn until the animation draws
    ASSERT_NE(animated.animation, nullptr);
    EXPECT_EQ(animated.animation->frameCount, 3);
    EXPECT_EQ(animated.animation->size, QSize(30, 20));
    EXPECT_EQ(animated.animation->delays, (QList<int>{7, 0, 20}));

    // Asked for a still picture, an animated GIF gives its first frame.
    const Picture first =
        LoadPicture(picturePath(QStringLiteral("animated.gif")), QSize(), GifFrames::FirstFrame);
    EXPECT_EQ(first.animation, nullptr);
    EXPECT_EQ(first.image.pixelColor(3, 3), QColor(Qt::red));

    // Frames in order, again from the first after the last; a shorter delay
    // list than frames gives 0.
    GifFrameReader frames(animated.animation, QSize(15, 15));
    const QColor expected[] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255)};
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 3; ++i) {
            const QImage frame = frames.frame(i);
            ASSERT_FALSE(frame.isNull());
            EXPECT_EQ(frame.size(), QSize(15, 10)); // shrunk to fit, proportions kept
            EXPECT_EQ(frame.pixelColor(7, 5), expected[i]) << pass << i;
        }
    EXPECT_EQ(frames.frame(1).pixelColor(7, 5), expected[1]); // back, then forward
    EXPECT_TRUE(frames.frame(3).isNull());
    EXPECT_EQ(frames.delayOf(2), 20);
    EXPECT_EQ(frames.delayOf(7), 0);
    GifFrameReader large(animated.animation, QSize(100, 100));
    EXPECT_EQ(large.frame(0).size(), QSize(30, 20)); // small frames keep their size
}

TEST_F(PictureServiceTest, TiffShowsItsFirstTwoPagesSideBySide) {
    const Picture strip = LoadPicture(picturePath(QStringLiteral("three-pages.tif")));
    ASSERT_EQ(strip.status, 0);
    EXPECT_EQ(strip.format, QByteArray("tiff"));
    // Pages of 40 x 20 and 30 x 50; the third page (10 x 10) is not shown.
    ASSERT_EQ(strip.image.size(), QSize(70, 50));
    EXPECT_EQ(qGray(strip.image.pixel(5, 5)), 50);
    EXPECT_EQ(qGray(strip.image.pixel(39, 19)), 50);
    EXPECT_EQ(qGray(strip.image.pixel(40, 5)), 150);
    EXPECT_EQ(qGray(strip.image.pixel(69, 49)), 150);
    EXPECT_EQ(strip.image.pixelColor(5, 30), QColor(Qt::white)); // below the lower page

    // Read at a box's size: the strip keeps its proportions and its order.
    const Picture small =
        LoadPicture(picturePath(QStringLiteral("three-pages.tif")), QSize(35, 40));
    ASSERT_EQ(small.image.size(), QSize(35, 25));
    EXPECT_EQ(qGray(small.image.pixel(2, 2)), 50);
    EXPECT_EQ(qGray(small.image.pixel(30, 20)), 150);
}

TEST_F(PictureServiceTest, ReadsAtTheBoxSizeAndLeavesTheAccessTime) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(quarteredPicture(400, 300).save(path, "JPEG", 95));
    // An old access time, which any read on a relatime mount would renew.
    const QByteArray native = QFile::encodeName(path);
    struct timespec times[2] = {{978307200, 0}, {0, UTIME_OMIT}};
    ASSERT_EQ(utimensat(AT_FDCWD, native.constData(), times, 0), 0);

    const Picture box = LoadPicture(path, QSize(100, 100));
    ASSERT_EQ(box.status, 0);
    EXPECT_EQ(box.image.size(), QSize(100, 75));
    const Picture whole = LoadPicture(path);
    EXPECT_EQ(whole.image.size(), QSize(400, 300));
    const Picture smallBox = LoadPicture(path, QSize(800, 800));
    EXPECT_EQ(smallBox.image.size(), QSize(400, 300)); // never enlarged

    struct stat after {};
    ASSERT_EQ(stat(native.constData(), &after), 0);
    EXPECT_EQ(after.st_atim.tv_sec, 978307200);

    EXPECT_EQ(FittedSize(QSize(4000, 3000), QSize(300, 200)), QSize(266, 200));
    EXPECT_EQ(FittedSize(QSize(5000, 1), QSize(300, 200)), QSize(300, 1));
    EXPECT_EQ(FittedSize(QSize(50, 40), QSize()), QSize(50, 40));
}

TEST(RotatePicture, QuarterTurnsMoveEveryPixel) {
    const QImage original = quarteredPicture(300, 200);
    for (int turn : {1, -1}) {
        QImage once = original;
        ASSERT_EQ(RotatePicture(once, turn), 0);
        ASSERT_EQ(once.size(), QSize(200, 300));
        for (int y = 0; y < 200; y += 7)
            for (int x = 0; x < 300; x += 7) {
                // Left: (x, y) goes to (y, W-1-x); right: to (H-1-y, x).
                const QPoint to = turn == 1 ? QPoint(y, 299 - x) : QPoint(199 - y, x);
                ASSERT_EQ(once.pixel(to), original.pixel(x, y)) << turn << " " << x << "," << y;
            }
        QImage twice = once;
        ASSERT_EQ(RotatePicture(twice, turn), 0);
        ASSERT_EQ(twice.size(), QSize(300, 200));
        EXPECT_EQ(twice, original.mirrored(true, true)); // upside down
    }
    QImage left = original;
    RotatePicture(left, 1);
    RotatePicture(left, -1);
    EXPECT_EQ(left, original);

    QImage kept = original;
    EXPECT_EQ(RotatePicture(kept, 2), 2);
    EXPECT_EQ(kept, original);
    QImage none;
    EXPECT_EQ(RotatePicture(none, 1), 0);
    EXPECT_TRUE(none.isNull());
}

TEST_F(PictureServiceTest, HostilePicturesGiveNoPictureOrABoundedOne) {
    const QString hostile = QStringLiteral("hostile/");
    // Claims beyond the memory limit are refused before decoding.
    EXPECT_EQ(LoadPicture(picturePath(hostile + "huge-claim.png"), QSize(300, 200)).status, 3);
    EXPECT_EQ(LoadPicture(picturePath(hostile + "huge-claim.png")).status, 3);
    EXPECT_EQ(LoadPicture(picturePath(hostile + "huge-claim.jpg"), QSize(300, 200)).status, 3);
    EXPECT_EQ(LoadPicture(picturePath(hostile + "huge-screen.gif")).status, 3);

    for (const char* name : {"truncated.png", "truncated.jpg", "truncated.gif", "truncated.tif"}) {
        const Picture p = LoadPicture(picturePath(hostile + name), QSize(99, 99));
        // Either what could be decoded, or no picture with a failure status.
        if (p.isPicture())
            EXPECT_LE(p.image.width(), 99) << name;
        else
            EXPECT_NE(p.status, 0) << name;
    }

    // Only the frames up to the bound are looked at.
    const Picture many = LoadPicture(picturePath(hostile + "10000-frames.gif"));
    ASSERT_NE(many.animation, nullptr);
    EXPECT_EQ(many.animation->frameCount, kMaxAnimationFrames);
    GifFrameReader frames(many.animation, QSize(99, 99));
    EXPECT_FALSE(frames.frame(kMaxAnimationFrames - 1).isNull());

    // Of 5000 pages only the first two are read.
    const Picture pages = LoadPicture(picturePath(hostile + "5000-pages.tif"));
    ASSERT_EQ(pages.status, 0);
    EXPECT_EQ(pages.image.size(), QSize(2, 1));

    // An animation cut inside a frame plays the frames that are whole.
    const Picture cut = LoadPicture(picturePath(hostile + "truncated-animated.gif"));
    ASSERT_NE(cut.animation, nullptr);
    GifFrameReader cutFrames(cut.animation, QSize(99, 99));
    EXPECT_FALSE(cutFrames.frame(0).isNull());
    for (int i = 0; i < cut.animation->frameCount; ++i)
        cutFrames.frame(i); // a broken frame is null, never a crash
    EXPECT_FALSE(cutFrames.frame(0).isNull());
}
