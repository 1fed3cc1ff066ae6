#include "extras/ui/SplashWindow.h"

#include <gtest/gtest.h>

TEST(Splash, BorderlessFixedSizeWithAddress) {
    vc::TSplash1 splash(QStringLiteral("https://ostravane.example/vellacord"));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.size(), QSize(221, 266));
    EXPECT_EQ(splash.Label1->text(), QStringLiteral("https://ostravane.example/vellacord"));
    EXPECT_TRUE(splash.Label1->alignment() & Qt::AlignHCenter);
}
