// The zoom window, shown offscreen: best fit, actual size, the track bar
// and its factor, the zoom buttons and panels, turning, closing.
#include "preview/ui/ZoomWindow.h"
#include "language/InterfaceTexts.h"
#include "preview/pictures/PictureFiles.h"
#include "support/RecordingMessages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace vc;

namespace {

class ZoomWindowTest : public PictureServiceTest {
protected:
    void SetUp() override {
        PictureServiceTest::SetUp();
        fillDefaultInterfaceTexts();
        zoom = std::make_unique<TZoom_in>();
        zoom->resize(700, 500);
    }
    // Shows the window with a picture, as a click on a preview does.
    void open(const QImage& picture, const QString& file = QStringLiteral("/evidence/p.png")) {
        zoom->setPicture(picture, file);
        zoom->show();
        QApplication::processEvents();
    }
    QSize box() const { return zoom->ShowScrollBox->viewport()->size(); }
    QSize scaled(QSize picture, double factor) const {
        return QSize(int(picture.width() * factor), int(picture.height() * factor));
    }

    RecordingMessages messages;
    std::unique_ptr<TZoom_in> zoom;
};

} // namespace

TEST_F(ZoomWindowTest, TrackBarFactorsAndHint) {
    EXPECT_DOUBLE_EQ(zoom->zoomOutDivisor(), 450.0);
    EXPECT_DOUBLE_EQ(zoom->zoomFactor(300), 4.0);
    EXPECT_DOUBLE_EQ(zoom->zoomFactor(-300), 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(zoom->zoomFactor(-150), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(zoom->zoomFactor(0), 1.0);
    EXPECT_EQ(zoom->ZoomTrackBar->minimum(), -300);
    EXPECT_EQ(zoom->ZoomTrackBar->maximum(), 300);
    EXPECT_EQ(zoom->ZoomTrackBar->pageStep(), 20);
    EXPECT_EQ(zoom->ZoomTrackBar->tickInterval(), 10);

    const QImage picture = quarteredPicture(300, 200);
    open(picture);
    zoom->ActualSizeRadio->click();
    zoom->ZoomTrackBar->setValue(300);
    EXPECT_EQ(zoom->Image1->size(), QSize(1200, 800));
    zoom->ZoomTrackBar->setValue(-150);
    EXPECT_EQ(zoom->Image1->size(), QSize(200, 133));
    EXPECT_EQ(zoom->ZoomTrackBar->toolTip(), QStringLiteral("Zoom: -150%"));
    zoom->ZoomTrackBar->setValue(25);
    EXPECT_EQ(zoom->ZoomTrackBar->toolTip(), QStringLiteral("Zoom: 25%"));
    EXPECT_EQ(zoom->Image1->size(), QSize(375, 250));
}

TEST_F(ZoomWindowTest, ZoomInFromBestFitStartsFromTheShownScale) {
    open(QImage(10, 10, QImage::Format_RGB32)); // lays the window out
    // A picture twice as wide as the box and no higher: best fit at 0.5.
    const QSize client = box();
    const QImage picture = quarteredPicture(client.width() * 2, client.height());
    zoom->setPicture(picture, QStringLiteral("/evidence/wide.png"));
    zoom->BestFitBtnClick();
    ASSERT_TRUE(zoom->ZoomPanel->isHidden());
    ASSERT_EQ(zoom->Image1->size(), client);

    zoom->ZoomInBtn->click(); // 450 x (0.5 - 1) = -225, plus 1
    EXPECT_EQ(zoom->ZoomTrackBar->value(), -224);
    EXPECT_FALSE(zoom->ZoomPanel->isHidden());
    EXPECT_EQ(zoom->Image1->size(), scaled(picture.size(), 1 - 224 / 450.0));
    zoom->ZoomOutBtn->click();
    EXPECT_EQ(zoom->ZoomTrackBar->value(), -225);
}

TEST_F(ZoomWindowTest, StepsStopAtTheLimitsAndTheZeroPanelStepsOut) {
    const QImage picture = quarteredPicture(300, 200);
    open(picture);
    zoom->ActualSizeRadio->click();
    zoom->ZoomTrackBar->setValue(300);
    zoom->ZoomInBtn->click();
    zoom->ZoomInPanel->clicked();
    EXPECT_EQ(zoom->ZoomTrackBar->value(), 300);
    EXPECT_EQ(zoom->Image1->size(), QSize(1200, 800));
    zoom->ZoomTrackBar->setValue(-300);
    zoom->ZoomOutPanel->clicked();
    EXPECT_EQ(zoom->ZoomTrackBar->value(), -300);
    EXPECT_EQ(zoom->Image1->size(), QSize(100, 66));

    zoom->ZoomTrackBar->setValue(10);
    zoom->Zoom0Panel->clicked(); // "0" steps out by one, as "-" does
    EXPECT_EQ(zoom->ZoomTrackBar->value(), 9);
    zoom->ZoomOutPanel->clicked();
    EXPECT_EQ(zoom->ZoomTrackBar->value(), 8);
    zoom->ZoomInPanel->clicked();
    EXPECT_EQ(zoom->ZoomTrackBar->value(), 9);
}

TEST_F(ZoomWindowTest, ActualSizeCentresAndBestFitFillsTheBox) {
    const QImage picture = quarteredPicture(50, 40);
    open(picture);
    ASSERT_TRUE(zoom->BestFitRadio->isChecked()); // chosen at creation
    EXPECT_TRUE(zoom->ZoomPanel->isHidden());
    EXPECT_EQ(zoom->Image1->geometry(), QRect(QPoint(0, 0), box()));
    EXPECT_EQ(zoom->StatusPanel0->text(), QStringLiteral("/evidence/p.png"));
    EXPECT_TRUE(zoom->StatusPanel1->text().isEmpty());
    // The picture is stretched to the box, proportions kept, in the middle.
    const QRect drawn = zoom->Image1->pictureRect();
    EXPECT_TRUE(drawn.width() == box().width() || drawn.height() == box().height());
    EXPECT_NEAR(double(drawn.width()) / drawn.height(), 50.0 / 40.0, 0.05);

    zoom->ActualSizeRadio->click();
    QApplication::processEvents();
    EXPECT_FALSE(zoom->ZoomPanel->isHidden());
    EXPECT_EQ(zoom->ZoomTrackBar->value(), 0);
    EXPECT_EQ(zoom->Image1->size(), QSize(50, 40));
    EXPECT_EQ(zoom->Image1->pos(), QPoint((box().width() - 50) / 2, (box().height() - 40) / 2));

    // Resizing in zoom mode keeps the zoom and centres again.
    zoom->ZoomTrackBar->setValue(100);
    zoom->resize(900, 650);
    QApplication::processEvents();
    EXPECT_EQ(zoom->Image1->size(), QSize(100, 80));
    EXPECT_EQ(zoom->Image1->pos(), QPoint((box().width() - 100) / 2, (box().height() - 80) / 2));
    // Larger than the box: at the top-left corner, the scroll range follows.
    zoom->ZoomTrackBar->setValue(300);
    zoom->ZoomTrackBar->setValue(0);
    zoom->Image1->resize(3000, 2000);
    zoom->Centre();
    EXPECT_EQ(zoom->Image1->pos(), QPoint(0, 0));

    // Back to best fit; resizing fits again.
    zoom->BestFitRadio->click();
    zoom->resize(640, 480);
    QApplication::processEvents();
    EXPECT_TRUE(zoom->ZoomPanel->isHidden());
    EXPECT_EQ(zoom->Image1->size(), box());
}

TEST_F(ZoomWindowTest, TurningKeepsTheImageSizeAndTurnsThePicture) {
    const QImage picture = quarteredPicture(300, 200);
    open(picture);
    zoom->ActualSizeRadio->click();
    const QRect before = zoom->Image1->geometry();
    zoom->RotateLBtn->click();
    EXPECT_EQ(zoom->picture().size(), QSize(200, 300));
    EXPECT_EQ(zoom->picture().pixel(0, 0), picture.pixel(299, 0)); // top-right came to top-left
    EXPECT_EQ(zoom->Image1->geometry(), before);
    zoom->RotateRBtn->click();
    EXPECT_EQ(zoom->picture(), picture);
    zoom->RotateRBtn->click();
    zoom->RotateRBtn->click();
    EXPECT_EQ(zoom->picture(), picture.mirrored(true, true));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ZoomWindowTest, WithoutAPictureTheZoomAndTurnButtonsAreOff) {
    open(QImage());
    for (QToolButton* button :
         {zoom->RotateLBtn, zoom->RotateRBtn, zoom->ZoomInBtn, zoom->ZoomOutBtn})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    zoom->close();
    open(quarteredPicture(30, 20));
    EXPECT_TRUE(zoom->ZoomInBtn->isEnabled());
    EXPECT_TRUE(zoom->ExitBtn->isEnabled());
}

TEST_F(ZoomWindowTest, EscapeClosesAndLeavesNoPictureButTheViewChoiceStays) {
    open(quarteredPicture(30, 20));
    zoom->ActualSizeRadio->click();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(zoom->ZoomTrackBar, &escape);
    QApplication::processEvents();
    EXPECT_FALSE(zoom->isVisible());
    EXPECT_FALSE(zoom->Image1->hasPicture());
    EXPECT_TRUE(zoom->fileName().isEmpty());

    // The next showing sets itself up again, in the mode chosen last.
    open(quarteredPicture(30, 20), QStringLiteral("/evidence/next.png"));
    EXPECT_TRUE(zoom->ActualSizeRadio->isChecked());
    EXPECT_FALSE(zoom->ZoomPanel->isHidden());
    EXPECT_EQ(zoom->StatusPanel0->text(), QStringLiteral("/evidence/next.png"));
    zoom->ExitBtn->click();
    EXPECT_FALSE(zoom->isVisible());
    EXPECT_TRUE(zoom->Image1->toolTip().isEmpty());
    EXPECT_FALSE(zoom->Image1->hasPicture()); // no whole picture kept while hidden
}

TEST_F(ZoomWindowTest, TextsComeFromTheInterfaceTable) {
    EXPECT_EQ(zoom->BestFitRadio->text(), QStringLiteral("Best Fit"));
    EXPECT_EQ(zoom->ActualSizeRadio->text(), QStringLiteral("Actual Size"));
    EXPECT_EQ(zoom->ZoomInBtn->toolTip(), QStringLiteral("Zoom In"));
    EXPECT_EQ(zoom->ZoomOutBtn->toolTip(), QStringLiteral("Zoom Out"));
    EXPECT_EQ(zoom->RotateLBtn->toolTip(), QStringLiteral("Rotate Left"));
    EXPECT_EQ(zoom->RotateRBtn->toolTip(), QStringLiteral("Rotate Right"));
    EXPECT_EQ(zoom->ExitBtn->toolTip(), QStringLiteral("Exit"));
    EXPECT_EQ(zoom->ZoomPanel->title(), QStringLiteral("Zoom"));
    setInterfaceText(135, QStringLiteral("Einpassen"));
    setInterfaceText(141, QStringLiteral("Vergrößerung"));
    zoom->applyInterfaceTexts();
    EXPECT_EQ(zoom->BestFitRadio->text(), QStringLiteral("Einpassen"));
    EXPECT_EQ(zoom->ZoomPanel->title(), QStringLiteral("Vergrößerung"));
    zoom->ZoomTrackBar->setValue(-20);
    EXPECT_EQ(zoom->ZoomTrackBar->toolTip(), QStringLiteral("Vergrößerung: -20%"));
    fillDefaultInterfaceTexts();
}

TEST_F(ZoomWindowTest, OpeningFromAPreviewReadsTheWholeFileOrSaysWhyNot) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString photo = dir.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(quarteredPicture(640, 480).save(photo));
    QList<QSize> sizes;
    QStringList files;
    zoom->setModalHook([&](ModalWindow& window) {
        window.show();
        QApplication::processEvents();
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Picture"));
        sizes << zoom->picture().size();
        files << zoom->StatusPanel0->text();
        window.close();
    });
    EXPECT_TRUE(OpenZoomWindow(*zoom, photo));
    // An animated GIF opens on its first frame.
    const QString gif = picturePath(QStringLiteral("animated.gif"));
    EXPECT_TRUE(OpenZoomWindow(*zoom, gif));
    EXPECT_EQ(sizes, (QList<QSize>{QSize(640, 480), QSize(30, 20)})); // whole pictures
    EXPECT_EQ(files, (QStringList{photo, gif}));

    const QString text = dir.filePath(QStringLiteral("notes.png"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    EXPECT_FALSE(OpenZoomWindow(*zoom, text));
    EXPECT_EQ(sizes.size(), 2); // not shown
    EXPECT_FALSE(zoom->Image1->hasPicture());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Unknown Image Format. File Name ") + text);
}

TEST_F(ZoomWindowTest, ALongPathNeitherWidensNorHoldsTheWindow) {
    const QString path = QStringLiteral("/evidence") + QString(300, QLatin1Char('d')) +
                         QStringLiteral("/beach[1].jpg");
    open(quarteredPicture(50, 40), path);
    EXPECT_EQ(zoom->width(), 700);
    EXPECT_EQ(zoom->StatusPanel0->text(), path); // whole; drawn shortened
    zoom->resize(500, 400);
    QApplication::processEvents();
    EXPECT_EQ(zoom->width(), 500);
}
