// Speed of the preview. Not part of the normal run:
//   vellacord_ui_tests --gtest_also_run_disabled_tests
//   --gtest_filter=PreviewBenchmark*:PictureBenchmark*
// The animation stall needs ImageMagick's convert on the PATH.
#include "preview/pictures/LoadPicture.h"
#include "preview/pictures/PictureFiles.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/GifAnimation.h"
#include "preview/ui/PictureBox.h"
#include "support/WindowFixture.h"

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
#include <ctime>

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

// Processor time the calling thread has used, in milliseconds.
double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

} // namespace

class PictureBenchmark : public PictureServiceTest {};

// The preview as the user sees it: a row of the temporary-files table
// selected in the real window, timed until its picture is in the box. The
// window thread's share is timed apart (the selection handler, and the
// processor time it takes while the picture is read), as is the
// reading alone on one thread: its wall time and the processor time it
// takes, which other work on the machine does not stretch.
class PreviewBenchmark : public WindowFixture {};

TEST_F(PreviewBenchmark, DISABLED_RowSelectedToPreviewShown) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString jpeg = dir.filePath(QStringLiteral("24mp.jpg"));
    const QString png = dir.filePath(QStringLiteral("12mp.png"));
    const QString small = dir.filePath(QStringLiteral("small.png"));
    ASSERT_TRUE(photographLike(6000, 4000).save(jpeg, "JPEG", 92));
    ASSERT_TRUE(photographLike(4000, 3000).save(png, "PNG"));
    ASSERT_TRUE(photographLike(60, 40).save(small, "PNG"));
    std::printf("24 MP JPEG %.1f MB, 4000 x 3000 PNG %.1f MB\n", QFileInfo(jpeg).size() / 1e6,
                QFileInfo(png).size() / 1e6);

    TableTab& t = window->tab(TabId::Temp);
    for (const QString& file : {small, jpeg, png})
        t.model->appendRow(
            {QFile::encodeName(QFileInfo(file).fileName()), "", "", "", QFile::encodeName(file)});
    window->showTab(TabId::Temp);
    ClickPanel* box = t.pane->imageBox();
    auto select = [&](int row) {
        t.view->selectionModel()->setCurrentIndex(t.model->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    };
    // The event loop sleeps until the picture thread wakes it, as the
    // program's own loop does; the processor time the window thread takes
    // meanwhile is what the reading costs it.
    auto settle = [&](double* windowCpu) {
        const double cpu = threadCpuMs();
        while (PicturePending(box))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (windowCpu)
            *windowCpu = threadCpuMs() - cpu;
    };
    for (int row : {1, 2}) {
        const QString file = t.model->cellText(row, 4);
        QList<double> shown, handler, windowTime, readWall, readCpu;
        for (int run = 0; run < 7; ++run) {
            select(0);
            settle(nullptr);
            QElapsedTimer clock;
            clock.start();
            select(row);
            handler << clock.nsecsElapsed() / 1e6;
            double windowCpu = 0;
            settle(&windowCpu);
            ASSERT_FALSE(box->pixmap().isNull());
            shown << clock.nsecsElapsed() / 1e6;
            windowTime << windowCpu;

            const double cpu = threadCpuMs();
            QElapsedTimer wall;
            wall.start();
            ASSERT_EQ(LoadPicture(file, box->contentsRect().size()).status, 0);
            readWall << wall.nsecsElapsed() / 1e6;
            readCpu << threadCpuMs() - cpu;
        }
        auto median = [](QList<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        auto least = [](const QList<double>& v) { return *std::min_element(v.begin(), v.end()); };
        std::printf(
            "%s in a %d x %d box: selected to shown median %.1f ms (best %.1f); window "
            "thread: selection handler %.2f ms, its processor time while the picture was read "
            "%.2f ms; "
            "reading alone %.1f ms wall (best %.1f), %.1f ms processor (best %.1f)\n",
            qPrintable(QFileInfo(file).fileName()), box->contentsRect().width(),
            box->contentsRect().height(), median(shown), least(shown), median(handler),
            median(windowTime), median(readWall), least(readWall), median(readCpu), least(readCpu));
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
    double longest = 0, longestCpu = 0;
    qint64 turns = 0;
    while (total.elapsed() < 4000) {
        QElapsedTimer turn;
        turn.start();
        const double cpu0 = threadCpuMs();
        QApplication::processEvents(QEventLoop::AllEvents);
        longestCpu = std::max(longestCpu, threadCpuMs() - cpu0);
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
        ++turns;
    }
    const int frames = animation ? animation->framesDrawn() : -1;
    ShutdownAnimations();
    std::printf("animated GIF 1600 x 1200 in a 99 x 99 box: %d frames drawn in 4 s, longest "
                "window-thread turn %.2f ms (its own processor time at most %.2f ms) over %lld "
                "turns\n",
                frames, longest, longestCpu, static_cast<long long>(turns));
    EXPECT_GT(frames, 8);
}
