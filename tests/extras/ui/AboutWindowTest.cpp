#include "extras/ui/AboutWindow.h"
#include "extras/ui/SplashWindow.h"
#include "language/InterfaceTexts.h"
#include "platform/QStringPrinting.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

using namespace vc;

namespace {

const QString kAddress = QStringLiteral("https://ostravane.example/vellacord");

} // namespace

TEST(AboutWindow, BlackFixedSizeWithVersionAddressAndOk) {
    fillDefaultInterfaceTexts();
    setInterfaceText(64, "Gut");
    TAbout1 about("ver. 1.1", kAddress);
    fillDefaultInterfaceTexts();
    about.show();
    QApplication::processEvents();
    EXPECT_EQ(about.windowTitle(), "About...");
    EXPECT_EQ(about.size(), QSize(233, 314));
    about.resize(400, 500);
    QApplication::processEvents();
    EXPECT_EQ(about.size(), QSize(233, 314));
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(about.ImgAbout1->toolTip(), "ver. 1.1");
    EXPECT_EQ(about.Panel2->text(), kAddress);
    EXPECT_EQ(about.Panel2->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.CancelButton->text(), "Gut");
    // The address shows whole on its line; nothing sticks out of the window.
    EXPECT_GE(about.Panel2->width(), about.Panel2->sizeHint().width());
    EXPECT_TRUE(about.rect().contains(about.CancelButton->geometry()));
    EXPECT_GE(about.CancelButton->width(), about.CancelButton->sizeHint().width());

    // The pictures are drawn on black, not on a white box.
    const QImage shot = about.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(Qt::black));
    bool coloured = false;
    for (int y = 0; y < shot.height() && !coloured; y += 3)
        for (int x = 0; x < shot.width() && !coloured; x += 3)
            coloured = QColor(shot.pixel(x, y)).saturation() > 100;
    EXPECT_TRUE(coloured);
}

TEST(AboutWindow, ShiftClickTogglesThePictureAndTheAddressOpens) {
    TAbout1 about("ver. 1.1", kAddress);
    QStringList opened;
    about.openAddress = [&](const QString& address) { opened << address; };
    ASSERT_FALSE(about.Image1->picture().isNull());
    ASSERT_FALSE(about.Image2->picture().isNull());
    EXPECT_FALSE(about.Image1->isVisible());
    EXPECT_FALSE(about.Image2->isVisible());
    EXPECT_EQ(about.ImgAbout1->picture().cacheKey(), about.Image1->picture().cacheKey());
    EXPECT_TRUE(about.ImgAbout1->stretched());

    // Without Shift, or with another button, nothing changes.
    Q_EMIT about.ImgAbout1->pressed(Qt::LeftButton, Qt::NoModifier);
    Q_EMIT about.ImgAbout1->pressed(Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(about.pictureState(), 0);

    Q_EMIT about.ImgAbout1->pressed(Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(about.pictureState(), 1);
    EXPECT_EQ(about.ImgAbout1->picture().cacheKey(), about.Image2->picture().cacheKey());
    EXPECT_FALSE(about.ImgAbout1->stretched());
    Q_EMIT about.ImgAbout1->pressed(Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(about.pictureState(), 0);
    EXPECT_TRUE(about.ImgAbout1->stretched());
    EXPECT_EQ(about.ImgAbout1->picture().cacheKey(), about.Image1->picture().cacheKey());

    // Closing brings the first picture back for the next showing.
    Q_EMIT about.ImgAbout1->pressed(Qt::LeftButton, Qt::ShiftModifier);
    about.show();
    about.CancelButton->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_EQ(about.pictureState(), 0);

    about.Panel2Click();
    EXPECT_EQ(opened, QStringList{kAddress});
}

TEST(SplashPicture, FillsThePictureBoxAboveTheAddress) {
    TSplash1 splash(kAddress);
    const QPixmap picture = splash.ImageLik->pixmap();
    ASSERT_FALSE(picture.isNull());
    splash.show();
    QApplication::processEvents();
    EXPECT_EQ(splash.size(), QSize(221, 266));
    const QSizeF shown = QSizeF(picture.size()) / picture.devicePixelRatio();
    EXPECT_LE(shown.width(), 221);
    EXPECT_GE(shown.width(), 200);
    // The address is still there, below the picture.
    EXPECT_EQ(splash.Label1->text(), kAddress);
    EXPECT_GE(splash.Label1->geometry().top(),
              splash.ImageLik->geometry().top() + shown.height() - 1);
    EXPECT_LE(splash.Label1->geometry().bottom(), 266);
}
