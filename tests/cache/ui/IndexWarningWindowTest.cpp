// A cache index file whose header does not fit: the window loads what it
// finds and says why beside the count, without a message box.
#include "TestData.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vc::testing {
namespace {

class IndexWarningWindow : public WindowFixture {
protected:
    QString writeIndex(const QString& relative, uint32_t statedSize) {
        QFile in(testDataPath(QStringLiteral("content-ie5-index.dat")));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        QByteArray bytes = in.readAll();
        for (int i = 0; i < 4; ++i)
            bytes[28 + i] = char((statedSize >> (8 * i)) & 0xff);
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(IndexWarningWindow, ActivityCountLabelCarriesTheWarning) {
    const QString path = writeIndex(QStringLiteral("shorter.dat"), 100000);
    chooser.fileAnswer = path;
    window->actions().ActionLoadIEActivity->trigger();
    TableTab& t = window->tab(TabId::Activity);
    EXPECT_GT(t.model->rows(), 30);
    EXPECT_EQ(t.countLabel->text(),
              QStringLiteral("Records: %1  Warning: the file is shorter than its header says: "
                             "49152 of 100000 bytes: %2")
                  .arg(t.model->rows())
                  .arg(path));
    EXPECT_TRUE(messages.shown.isEmpty());

    // The next sound file clears it.
    chooser.fileAnswer = testDataPath(QStringLiteral("content-ie5-index.dat"));
    window->actions().ActionLoadIEActivity->trigger();
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: %1").arg(t.model->rows()));
}

TEST_F(IndexWarningWindow, TheWholeRecallShowsItOnTheActivityTab) {
    const QString profile = dir.filePath(QStringLiteral("profile"));
    writeIndex(QStringLiteral("profile/Local Settings/Temporary Internet Files/Content.IE5/"
                              "index.dat"),
               0xFFFFFFFFU);
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("ntuser-xp.dat")),
                            profile + QStringLiteral("/NTUSER.DAT")));
    ASSERT_TRUE(window->openProfile(profile));
    messages.shown.clear();
    window->actions().MyCompAction_Total->trigger();
    const QString label = window->tab(TabId::Activity).countLabel->text();
    EXPECT_TRUE(label.startsWith(QStringLiteral("Records: ")));
    EXPECT_TRUE(label.contains(QStringLiteral("  Warning: the header states 4294967295 bytes; "
                                              "the file has 49152: ")))
        << qPrintable(label);
    EXPECT_FALSE(window->tab(TabId::History).countLabel->text().contains("Warning"));
    for (const auto& shown : messages.shown)
        EXPECT_NE(shown.kind, MessageKind::Warning) << qPrintable(shown.text);
}

} // namespace
} // namespace vc::testing
