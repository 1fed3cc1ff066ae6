#include "platform/QStringPrinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The manual the build made beside the program is a PDF with every picture
// the manual's text names, and each of those pictures is in the source tree.
TEST(Manual, BuiltWithEveryPictureItNames) {
    const QString docs = QStringLiteral(VC_SOURCE_DIR "/docs/");
    const QString text = QString::fromUtf8(readAll(docs + "manual.md"));
    ASSERT_FALSE(text.isEmpty());
    QSet<QString> pictures;
    static const QRegularExpression picture(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)"));
    for (const QRegularExpressionMatch& match : picture.globalMatch(text)) {
        const QString name = match.captured(1);
        pictures.insert(name);
        // A PNG file: its signature, then the header with the width.
        const QByteArray png = readAll(docs + name);
        ASSERT_GE(png.size(), 24) << name.toStdString();
        EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n")) << name.toStdString();
        const quint32 width = quint32(quint8(png[16])) << 24 | quint32(quint8(png[17])) << 16 |
                              quint32(quint8(png[18])) << 8 | quint32(quint8(png[19]));
        EXPECT_GE(width, 200u) << name.toStdString();
    }
    EXPECT_GE(pictures.size(), 5);
    for (const char* shown : {"screenshots/main-window.png", "screenshots/conditions-window.png",
                              "screenshots/find-window.png"})
        EXPECT_TRUE(pictures.contains(QLatin1String(shown))) << shown;

    const QString pdfPath =
        QFileInfo(QStringLiteral(VC_BINARY_PATH)).absolutePath() + "/vellacord.pdf";
    const QByteArray pdf = readAll(pdfPath);
    ASSERT_TRUE(pdf.startsWith("%PDF-")) << pdfPath.toStdString();
    EXPECT_EQ(pdf.count("/Subtype /Image"), pictures.size());
}
