// Preview boxes and the GIF animation, on the window thread of an offscreen
// application. Also run under ThreadSanitizer by scripts/tsan-tests.sh.
#include "preview/ui/GifAnimation.h"
#include "preview/pictures/PictureFiles.h"
#include "preview/ui/PictureBox.h"
#include "support/EventLoop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace vc;

namespace {

class GifAnimationTest : public PictureServiceTest {
protected:
    void SetUp() override {
        PictureServiceTest::SetUp();
        box = std::make_unique<QLabel>();
        box->resize(99, 99);
    }
    void TearDown() override {
        ShutdownAnimations();
        box.reset();
    }
    std::unique_ptr<QLabel> box;
};

} // namespace

TEST_F(GifAnimationTest, StillPicturesStartNoAnimation) {
    // Stills fill the 99 x 99 box with their proportions: 30 x 20 is
    // enlarged, the 70 x 50 strip too, a 400 x 100 picture is read smaller.
    QTemporaryDir dir;
    const QString wide = dir.filePath(QStringLiteral("wide.png"));
    ASSERT_TRUE(quarteredPicture(400, 100).save(wide));
    const QList<QPair<QString, QSize>> stills{
        {picturePath(QStringLiteral("still.gif")), QSize(99, 66)},
        {picturePath(QStringLiteral("three-pages.tif")), QSize(99, 70)},
        {wide, QSize(99, 24)}};
    for (const auto& [file, size] : stills) {
        const ShownPicture shown = ShowPicture(box.get(), file);
        EXPECT_EQ(shown.content, BoxContent::Picture) << file.toStdString();
        EXPECT_EQ(box->pixmap().size(), size) << file.toStdString();
        EXPECT_EQ(ActiveAnimation(), nullptr) << file.toStdString();
    }
    const ShownPicture none = ShowPicture(box.get(), picturePath(QStringLiteral("gone.gif")));
    EXPECT_EQ(none.content, BoxContent::Nothing);
    EXPECT_EQ(none.status, 10);
    EXPECT_TRUE(box->pixmap().isNull()); // the previous picture is gone
}

TEST_F(GifAnimationTest, AnimationDrawsFramesOnTheWindowThreadWithTheNextFramesPause) {
    const ShownPicture shown = ShowPicture(box.get(), picturePath(QStringLiteral("animated.gif")));
    ASSERT_EQ(shown.content, BoxContent::Animation);
    TGIFanime* animation = ActiveAnimation();
    ASSERT_NE(animation, nullptr);
    EXPECT_TRUE(box->pixmap().isNull()); // empty until the first frame is drawn

    QList<qint64> drawnAt;
    QList<int> numbers;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(animation, &TGIFanime::frameDrawn, box.get(), [&](int frame) {
        EXPECT_EQ(QThread::currentThread(), QApplication::instance()->thread());
        drawnAt << clock.elapsed();
        numbers << frame;
    });
    ASSERT_TRUE(processUntil([&] { return numbers.size() >= 4; }));
    EXPECT_EQ(numbers.mid(0, 4), (QList<int>{0, 1, 2, 0}));
    EXPECT_FALSE(box->pixmap().isNull());
    // Delays 7, none, 20: after a frame comes the pause of the frame drawn
    // next (delay x 10 + 50 ms): 50 ms before frame 1, 250 before frame 2,
    // 120 before frame 0 again. Pauses are never shorter than that.
    EXPECT_GE(drawnAt[1] - drawnAt[0], 50);
    EXPECT_GE(drawnAt[2] - drawnAt[1], 250);
    EXPECT_GE(drawnAt[3] - drawnAt[2], 120);
    EXPECT_EQ(TGIFanime::pauseMs(0), 50);
    EXPECT_EQ(TGIFanime::pauseMs(10), 150);
}

TEST_F(GifAnimationTest, NextPictureStopsTheAnimationWithoutWaitingAndKeepsItsBox) {
    ASSERT_EQ(ShowPicture(box.get(), picturePath(QStringLiteral("animated.gif"))).content,
              BoxContent::Animation);
    QPointer<TGIFanime> first = ActiveAnimation();
    ASSERT_TRUE(processUntil([&] { return first && first->framesDrawn() >= 1; }));

    // Another animation in another box: the first is told to stop; only
    // one is active.
    QLabel other;
    other.resize(99, 99);
    ASSERT_EQ(ShowPicture(&other, picturePath(QStringLiteral("animated.gif"))).content,
              BoxContent::Animation);
    EXPECT_TRUE(first.isNull() || first->stopRequested());
    EXPECT_NE(ActiveAnimation(), first.data());

    // A still picture in the first box: nothing of an old animation is
    // drawn over it afterwards.
    ASSERT_EQ(ShowPicture(box.get(), picturePath(QStringLiteral("still.gif"))).content,
              BoxContent::Picture);
    EXPECT_EQ(ActiveAnimation(), nullptr);
    const QImage still = box->pixmap().toImage();
    processFor(400);
    EXPECT_EQ(box->pixmap().toImage(), still);
    // Stopped threads end and free themselves.
    EXPECT_TRUE(processUntil([&] { return first.isNull(); }));
}

TEST_F(GifAnimationTest, ClearingABoxStopsOnlyTheAnimationPlayingInIt) {
    ASSERT_EQ(ShowPicture(box.get(), picturePath(QStringLiteral("animated.gif"))).content,
              BoxContent::Animation);
    TGIFanime* animation = ActiveAnimation();
    ASSERT_TRUE(processUntil([&] { return animation->framesDrawn() >= 1; }));
    QLabel other;
    ClearPicture(&other);
    EXPECT_EQ(ActiveAnimation(), animation);
    ClearPicture(box.get());
    EXPECT_EQ(ActiveAnimation(), nullptr);
    EXPECT_TRUE(box->pixmap().isNull());
    processFor(400); // delays 7, none, 20: a running animation would draw again
    EXPECT_TRUE(box->pixmap().isNull());
}

TEST_F(GifAnimationTest, AnimationOutlivingItsBoxStopsWithoutDrawing) {
    auto* doomed = new QLabel;
    doomed->resize(80, 83);
    ASSERT_EQ(ShowPicture(doomed, picturePath(QStringLiteral("animated.gif"))).content,
              BoxContent::Animation);
    QPointer<TGIFanime> animation = ActiveAnimation();
    ASSERT_TRUE(processUntil([&] { return animation && animation->framesDrawn() >= 1; }));
    // The box goes (its window closes) while the thread pauses or waits.
    delete doomed;
    EXPECT_TRUE(processUntil([&] { return animation.isNull(); }));

    // A box that goes before the first frame: the same.
    auto* early = new QLabel;
    ShowPicture(early, picturePath(QStringLiteral("animated.gif")));
    QPointer<TGIFanime> second = ActiveAnimation();
    delete early;
    EXPECT_TRUE(processUntil([&] { return second.isNull(); }));

    // The program ends mid-animation: every thread is stopped and waited for.
    ShowPicture(box.get(), picturePath(QStringLiteral("hostile/10000-frames.gif")));
    QPointer<TGIFanime> third = ActiveAnimation();
    ASSERT_TRUE(processUntil([&] { return third && third->framesDrawn() >= 3; }));
    ShutdownAnimations();
    EXPECT_TRUE(third.isNull());
    EXPECT_EQ(ActiveAnimation(), nullptr);
}
