// The names "Copy to..." gives cached bodies: from the address's last path
// part, else the entry's id, with the content type's extension; always one
// file name of this machine, whatever the address holds.
#include "browsers/cache/CacheBodyName.h"
#include "browsers/cache/CacheSourceSpec.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(CacheBodyName, NameFromTheAddressOrTheIdWithTheTypesExtension) {
    const struct {
        const char* url;
        const char* type;
        const char* name;
    } cases[] = {
        {"https://example.com/img/logo.png", "image/png", "logo.png"},
        // An extension the type knows stays; another gets the type's.
        {"https://example.com/photo.JPEG", "image/jpeg", "photo.JPEG"},
        {"https://example.com/thumb.php?id=7#top", "image/jpeg", "thumb.php.jpg"},
        {"https://example.com/a/b/counts", "application/json; charset=utf-8", "counts.json"},
        {"https://example.com/jquery.js", "text/javascript", "jquery.js"},
        // No path part, or none at all: the entry's id.
        {"https://example.com/", "text/html; charset=UTF-8", "0123abcd.html"},
        {"https://example.com", "text/html", "0123abcd.html"},
        {"https://example.com?q=/x/y.png", "image/png", "0123abcd.png"},
        {"data:image/png;base64,iVBORw0", "image/png", "0123abcd.png"},
        // An unknown type adds nothing.
        {"https://example.com/blob", "application/octet-stream", "blob"},
        {"https://example.com/blob", "", "blob"},
        // Escapes are decoded; what would leave the folder or break a name
        // is replaced.
        {"https://example.com/my%20picture.gif", "image/gif", "my picture.gif"},
        {"https://example.com/a%2Fb%5Cc.gif", "image/gif", "a_b_c.gif"},
        {"https://example.com/x%0Ay.css", "text/css", "x_y.css"},
        {"https://example.com/..", "text/html", "0123abcd.html"},
        {"https://example.com/%2E%2E", "text/html", "0123abcd.html"},
        {"https://example.com/k%C5%AF%C5%88.png", "image/png", "k\xC5\xAF\xC5\x88.png"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cachedBodyFileName(c.url, "0123abcd", QString::fromLatin1(c.type)),
                  QString::fromUtf8(c.name))
            << c.url;
    // An empty id and no path part still give a name.
    EXPECT_EQ(cachedBodyFileName("https://example.com/", "", QStringLiteral("image/gif")),
              QStringLiteral("body.gif"));
    // A very long last part is cut on a character, keeping the extension.
    const QByteArray longName = "https://example.com/" + QByteArray("\xC5\xAF").repeated(300);
    const QString cut = cachedBodyFileName(longName, "id", QStringLiteral("image/png"));
    EXPECT_LE(cut.toUtf8().size(), kMaxBodyNameBytes);
    EXPECT_GT(cut.toUtf8().size(), kMaxBodyNameBytes - 3);
    EXPECT_TRUE(cut.endsWith(QStringLiteral(".png")));
    EXPECT_TRUE(cut.chopped(4).toUtf8() == QByteArray("\xC5\xAF").repeated(98));
}

TEST(CacheBodyName, PicturesPreviewedUnderTheirKindsExtension) {
    EXPECT_EQ(cachedPictureName(QStringLiteral("image/PNG; charset=binary")),
              QStringLiteral("body.png"));
    EXPECT_EQ(cachedPictureName(QStringLiteral("image/pjpeg")), QStringLiteral("body.jpg"));
    EXPECT_EQ(cachedPictureName(QStringLiteral("image/vnd.microsoft.icon")),
              QStringLiteral("body.ico"));
    EXPECT_EQ(cachedPictureName(QStringLiteral("image/webp")), QStringLiteral("body.webp"));
    EXPECT_EQ(cachedPictureName(QStringLiteral("image/tiff")), QStringLiteral("body.tif"));
    // Not pictures the preview shows.
    EXPECT_TRUE(cachedPictureName(QStringLiteral("text/html")).isEmpty());
    EXPECT_TRUE(cachedPictureName(QStringLiteral("image/avif")).isEmpty());
    EXPECT_TRUE(cachedPictureName(QString()).isEmpty());
}

} // namespace
} // namespace vc
