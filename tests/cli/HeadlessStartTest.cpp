#include "TestData.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

// Every headless sub-command runs without the window libraries: the dynamic
// loader's own list of what it loads names QtCore but never QtGui or
// QtWidgets. The window command, by contrast, does load them.
TEST(HeadlessStart, SubCommandsNeverLoadTheWindowLibraries) {
    const QList<QPair<QString, QString>> trace = {
        {QStringLiteral("LD_DEBUG"), QStringLiteral("libs")}};
    const QString index = testDataPath(QStringLiteral("content-ie5-index.dat"));
    const QString profile = samplesPath(QStringLiteral("profiles/xp"));
    const QList<QStringList> commands = {
        {QStringLiteral("--version")},
        {QStringLiteral("activity"), index},
        {QStringLiteral("activity"), index, QStringLiteral("--hash-walk")},
        {QStringLiteral("recent"), QStringLiteral("--profile"), profile},
        {QStringLiteral("web-history"), QStringLiteral("--profile"), profile},
        {QStringLiteral("recall"), QStringLiteral("--profile"), profile, QStringLiteral("--out"),
         QStringLiteral("/dev/null/none")},
    };
    for (const QStringList& command : commands) {
        const ProgramRun run = runProgram(command, 120000, trace);
        ASSERT_NE(run.status, -1) << qPrintable(command.join(' '));
        EXPECT_TRUE(run.err.contains("libQt6Core.so")) << qPrintable(command.join(' '));
        EXPECT_FALSE(run.err.contains("libQt6Gui.so")) << qPrintable(command.join(' '));
        EXPECT_FALSE(run.err.contains("libQt6Widgets.so")) << qPrintable(command.join(' '));
        EXPECT_FALSE(run.err.contains("libvellacord_ui")) << qPrintable(command.join(' '));
    }
    // The window asks for them (and fails without a display: no platform
    // plugin can start, which is all this needs).
    const ProgramRun window =
        runProgram({QStringLiteral("--profile"), profile}, 120000,
                   {{QStringLiteral("LD_DEBUG"), QStringLiteral("libs")},
                    {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none")}});
    EXPECT_TRUE(window.err.contains("libvellacord_ui"));
    EXPECT_TRUE(window.err.contains("libQt6Widgets.so"));
}
