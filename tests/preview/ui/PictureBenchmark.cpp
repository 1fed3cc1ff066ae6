// Speed of the preview. Not part of the normal run:
//   vellacord_tests --gtest_also_run_disabled_tests --gtest_filter='PictureBenchmark*'
// The animation stall needs ImageMagick's convert on the PATH.
#include "preview/pictures/LoadPicture.h"
#include "preview/pictures/PictureFiles.h"
#include "preview/ui/GifAnimation.h"
#include "preview/ui/PictureBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace vc;

namespace {

// A picture with the detail of a photograph: soft gradients, shapes and
// grain, so that it compresses like one.
QImage photographLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(0.6, QColor(230, 220, 200));
    sky.setColorAt(1, QColor(90, 120, 60));
    p.fillRect(image.rect(), sky);
    QRandomGenerator random(7);
    for (int i = 0; i < 300; ++i) {
        p.setBrush(QColor::fromHsv(random.bounded(360), 120 + random.bounded(100), 200, 140));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(random.bounded(width), random.bounded(height)),
                      20 + random.bounded(width / 10), 20 + random.bounded(height / 10));
    }
    p.end();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(24)) - 12;
            const QRgb c = line[x];
            line[x] =
                qRgb(std::clamp(qRed(c) + grain, 0, 255), std::clamp(qGreen(c) + grain, 0, 255),
                     std::clamp(qBlue(c) + grain, 0, 255));
        }
    }
    return image;
}

struct Timing {
    double first = 0;
    double median = 0;
    double longest = 0;
};

template <typename Work> Timing timeRuns(Work work, int runs = 7) {
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms << timer.nsecsElapsed() / 1e6;
    }
    Timing t;
    t.first = ms.first();
    std::sort(ms.begin(), ms.end());
    t.median = ms[ms.size() / 2];
    t.longest = ms.last();
    return t;
}

} // namespace

class PictureBenchmark : public PictureServiceTest {};

TEST_F(PictureBenchmark, DISABLED_PreviewOfLargePictures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString jpeg = dir.filePath(QStringLiteral("24mp.jpg"));
    const QString png = dir.filePath(QStringLiteral("12mp.png"));
    ASSERT_TRUE(photographLike(6000, 4000).save(jpeg, "JPEG", 92));
    ASSERT_TRUE(photographLike(4000, 3000).save(png, "PNG"));
    std::printf("24 MP JPEG %.1f MB, 4000 x 3000 PNG %.1f MB\n", QFileInfo(jpeg).size() / 1e6,
                QFileInfo(png).size() / 1e6);

    QLabel box;
    box.resize(300, 200);
    for (const QString& file : {jpeg, png}) {
        const Timing preview = timeRuns([&] {
            ASSERT_EQ(ShowPicture(&box, file, QSize(300, 200)).content, BoxContent::Picture);
        });
        const Timing whole = timeRuns([&] { ASSERT_EQ(LoadPicture(file).status, 0); }, 3);
        std::printf("%s: preview at 300 x 200 (read, convert, into the box): first %.1f ms, "
                    "median %.1f ms, longest %.1f ms; whole picture read %.1f ms (median)\n",
                    qPrintable(QFileInfo(file).fileName()), preview.first, preview.median,
                    preview.longest, whole.median);
    }
}

TEST_F(PictureBenchmark, DISABLED_WindowStallWhileAGifAnimates) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Eight frames of 1600 x 1200, each drawn with only a 10 ms pause.
    QStringList arguments{QStringLiteral("-delay"), QStringLiteral("1")};
    for (int k = 0; k < 8; ++k)
        arguments << QStringLiteral("-size") << QStringLiteral("1600x1200")
                  << QStringLiteral("plasma:fractal") << QStringLiteral("-seed")
                  << QString::number(k + 1);
    const QString gif = dir.filePath(QStringLiteral("big.gif"));
    arguments << QStringLiteral("-loop") << QStringLiteral("0") << gif;
    if (QProcess::execute(QStringLiteral("convert"), arguments) != 0)
        GTEST_SKIP() << "ImageMagick's convert is needed";

    QLabel box;
    box.resize(99, 99);
    box.show();
    ASSERT_EQ(ShowPicture(&box, gif).content, BoxContent::Animation);
    QPointer<TGIFanime> animation = ActiveAnimation();
    QElapsedTimer total;
    total.start();
    double longest = 0;
    qint64 turns = 0;
    while (total.elapsed() < 4000) {
        QElapsedTimer turn;
        turn.start();
        QApplication::processEvents(QEventLoop::AllEvents);
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
        ++turns;
    }
    const int frames = animation ? animation->framesDrawn() : -1;
    ShutdownAnimations();
    std::printf("animated GIF 1600 x 1200 in a 99 x 99 box: %d frames drawn in 4 s, longest "
                "window-thread turn %.2f ms over %lld turns\n",
                frames, longest, static_cast<long long>(turns));
    EXPECT_GT(frames, 8);
}
