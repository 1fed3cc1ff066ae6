// The pictures of the sample profile (samples/tools/make-xp-pictures.py):
// each kind of preview can be seen on it.
#include "preview/pictures/LoadPicture.h"
#include "preview/pictures/PictureFiles.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

QString sample(const QString& path) {
    return samplesPath(QStringLiteral("profiles/xp/") + path);
}

QString cached(const QString& folder, const QString& name) {
    return sample(QStringLiteral("Local Settings/Temporary Internet Files/Content.IE5/") + folder +
                  QLatin1Char('/') + name);
}

} // namespace

TEST_F(PictureServiceTest, SampleProfileHoldsEveryKindOfPreview) {
    const Picture sun =
        LoadPicture(cached(QStringLiteral("5ZBG4UOD"), QStringLiteral("sun[1].gif")));
    EXPECT_EQ(sun.image.size(), QSize(120, 90));
    EXPECT_EQ(sun.animation, nullptr);

    const Picture spinner =
        LoadPicture(cached(QStringLiteral("ENG3X4ZR"), QStringLiteral("loading[1].gif")));
    ASSERT_NE(spinner.animation, nullptr);
    EXPECT_EQ(spinner.animation->frameCount, 8);
    EXPECT_EQ(spinner.animation->delays, (QList<int>{40, 8, 8, 8, 8, 8, 8, 8}));

    // Stored in "5f9c7hl9", named "5F9C7HL9" by its record.
    EXPECT_EQ(LoadPicture(cached(QStringLiteral("5f9c7hl9"), QStringLiteral("beach[1].jpg")))
                  .image.size(),
              QSize(320, 240));
    EXPECT_FALSE(
        QDir(sample(QStringLiteral("Local Settings/Temporary Internet Files/Content.IE5/5F9C7HL9")))
            .exists());

    EXPECT_EQ(LoadPicture(cached(QStringLiteral("F4MAMNDH"), QStringLiteral("route-417[1].png")))
                  .image.size(),
              QSize(300, 200));
    EXPECT_EQ(LoadPicture(cached(QStringLiteral("5ZBG4UOD"), QStringLiteral("fax-0412[1].tif")))
                  .image.size(),
              QSize(340, 220)); // two pages side by side
    const Picture webp =
        LoadPicture(cached(QStringLiteral("ENG3X4ZR"), QStringLiteral("harbour[1].webp")));
    EXPECT_EQ(webp.format, QByteArray("webp"));
    EXPECT_EQ(webp.image.size(), QSize(320, 240));
    EXPECT_EQ(LoadPicture(cached(QStringLiteral("5ZBG4UOD"), QStringLiteral("favicon[1].ico")))
                  .image.size(),
              QSize(16, 16));

    // Not pictures, whatever their names say.
    EXPECT_EQ(
        LoadPicture(cached(QStringLiteral("F4MAMNDH"), QStringLiteral("cover[1].jpg"))).status, 13);
    EXPECT_EQ(LoadPicture(cached(QStringLiteral("F4MAMNDH"), QStringLiteral("rss[2].xml"))).status,
              13);

    const QString photos =
        QStringLiteral("Local Settings/Temp/Temporary Directory 1 for photos.zip/");
    for (const QString& name : {QStringLiteral("DSC00417.JPG"), QStringLiteral("DSC00418.JPG")})
        EXPECT_EQ(LoadPicture(sample(photos + name), QSize(99, 99)).image.size(), QSize(99, 74))
            << name.toStdString();
    const QString holiday = QStringLiteral("My Documents/My Pictures/Holiday photos/");
    EXPECT_EQ(LoadPicture(sample(holiday + QStringLiteral("beach.jpg"))).image.size(),
              QSize(640, 480));
    EXPECT_EQ(LoadPicture(sample(holiday + QStringLiteral("harbour.png"))).image.size(),
              QSize(640, 480));
}
