#pragma once

#include "TestData.h"
#include "preview/pictures/PictureService.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include <gtest/gtest.h>

// The test pictures of tests/data/pictures (made by
// tests/tools/make-test-pictures.py).
inline QString picturePath(const QString& name) {
    return testDataPath(QStringLiteral("pictures/") + name);
}

// A picture whose four quarters have their own colours, so every turn and
// mirror can be told apart pixel by pixel.
inline QImage quarteredPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    const int w = width / 2, h = height / 2;
    p.fillRect(0, 0, w, h, Qt::red);
    p.fillRect(w, 0, width - w, h, Qt::green);
    p.fillRect(0, h, w, height - h, Qt::blue);
    p.fillRect(w, h, width - w, height - h, Qt::yellow);
    p.end();
    return image;
}

// Starts the picture service for the tests of a suite.
class PictureServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(vc::PictureServiceStartup(), 0); }
};
