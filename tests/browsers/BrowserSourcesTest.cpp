// Finding the browsers' databases in a profile folder and loading the three
// tables from all of them, with the profile left exactly as it was.
#include "BrowserTestSupport.h"
#include "browsers/BrowserColumns.h"
#include "evidence/UserProfile.h"
#include "platform/Progress.h"

#include <unistd.h>

namespace vc::testing {
namespace {

using BrowserSources = BrowserTest;

QStringList describe(const QList<BrowserDatabase>& databases, const QString& root) {
    QStringList out;
    for (const BrowserDatabase& d : databases)
        out << browserName(d.browser) + QLatin1Char(' ') + QString::number(int(d.kind)) +
                   QLatin1Char(' ') + d.profileName + QLatin1Char(' ') +
                   QDir(root).relativeFilePath(d.path);
    return out;
}

QMap<QByteArray, int> rowsPerProfile(const CollectingSink& sink, int browserColumn) {
    QMap<QByteArray, int> counts;
    for (const auto& row : sink.rows)
        ++counts[row[browserColumn] + '/' + row[browserColumn + 1]];
    return counts;
}

TEST_F(BrowserSources, EveryProfileOfEveryBrowserInBothLayouts) {
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("joe"));
    const QString chrome = root + QStringLiteral("/AppData/Local/Google/Chrome/User Data/");
    const QString firefox =
        root + QStringLiteral("/AppData/Roaming/Mozilla/Firefox/Profiles/x1y2.default/");
    copyTestFile(QStringLiteral("chrome-History"), chrome + QStringLiteral("Default/History"));
    copyTestFile(QStringLiteral("chrome-cookies.db"), chrome + QStringLiteral("Default/Cookies"));
    // Names in other letter cases, the cookies where Chrome keeps them since 2021.
    copyTestFile(QStringLiteral("chrome-History"), chrome + QStringLiteral("Profile 1/history"));
    copyTestFile(QStringLiteral("chrome-cookies.db"),
                 chrome + QStringLiteral("Profile 1/NETWORK/Cookies"));
    QDir().mkpath(chrome + QStringLiteral("Crashpad"));
    QDir().mkpath(chrome + QStringLiteral("Profile 2"));
    ASSERT_EQ(
        ::mkfifo(QFile::encodeName(chrome + QStringLiteral("Profile 2/History")).constData(), 0600),
        0);
    copyTestFile(QStringLiteral("chrome-History"),
                 root + QStringLiteral("/AppData/Local/microsoft/EDGE/User Data/Default/History"));
    copyTestFile(QStringLiteral("firefox-places.sqlite"),
                 firefox + QStringLiteral("places.sqlite"));
    copyTestFile(QStringLiteral("firefox-downloads.sqlite"),
                 firefox + QStringLiteral("downloads.sqlite"));
    copyTestFile(QStringLiteral("firefox-10-cookies.sqlite"),
                 firefox + QStringLiteral("cookies.sqlite"));
    // The junction of the old name into AppData, as a mounted volume shows it.
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/AppData/Local"),
                            root + QStringLiteral("/Local Settings")));

    UserProfile profile;
    ASSERT_TRUE(profile.open(root, nullptr));
    EXPECT_EQ(describe(findBrowserDatabases(profile), root),
              (QStringList{
                  "Chrome 0 Default AppData/Local/Google/Chrome/User Data/Default/History",
                  "Chrome 1 Default AppData/Local/Google/Chrome/User Data/Default/Cookies",
                  "Chrome 0 Profile 1 AppData/Local/Google/Chrome/User Data/Profile 1/history",
                  "Chrome 1 Profile 1 "
                  "AppData/Local/Google/Chrome/User Data/Profile 1/NETWORK/Cookies",
                  "Edge 0 Default AppData/Local/microsoft/EDGE/User Data/Default/History",
                  "Firefox 2 x1y2.default "
                  "AppData/Roaming/Mozilla/Firefox/Profiles/x1y2.default/places.sqlite",
                  "Firefox 3 x1y2.default "
                  "AppData/Roaming/Mozilla/Firefox/Profiles/x1y2.default/downloads.sqlite",
                  "Firefox 4 x1y2.default "
                  "AppData/Roaming/Mozilla/Firefox/Profiles/x1y2.default/cookies.sqlite",
              }));

    const auto before = snapshot(root);
    CollectingReporter reporter;
    CountingProgress progress;
    progress.setPosition(10);
    LoadContext context;
    context.report = &reporter;
    context.progress = &progress;
    context.share = 50;

    CollectingSink history;
    const BrowserLoadResult result = loadBrowserHistory(profile, context, history);
    EXPECT_EQ(result.rows, 208);
    EXPECT_EQ(result.databases, 4);
    EXPECT_EQ(result.failures, 0);
    EXPECT_EQ(progress.position(), 60);
    EXPECT_EQ(rowsPerProfile(history, kHistoryBrowser),
              (QMap<QByteArray, int>{{"Chrome/Default", 69},
                                     {"Chrome/Profile 1", 69},
                                     {"Edge/Default", 69},
                                     {"Firefox/x1y2.default", 1}}));

    CollectingSink downloads;
    EXPECT_EQ(loadBrowserDownloads(profile, context, downloads).rows, 7);
    EXPECT_EQ(rowsPerProfile(downloads, kDownloadBrowser),
              (QMap<QByteArray, int>{{"Chrome/Default", 2},
                                     {"Chrome/Profile 1", 2},
                                     {"Edge/Default", 2},
                                     {"Firefox/x1y2.default", 1}}));

    CollectingSink cookies;
    EXPECT_EQ(loadBrowserCookies(profile, context, cookies).rows, 560 * 2 + 13);
    EXPECT_TRUE(reporter.errors.isEmpty()) << reporter.errors.join(' ').toStdString();
    EXPECT_TRUE(reporter.warnings.isEmpty()) << reporter.warnings.join(' ').toStdString();
    // Bytes, times and the list of files as they were: nothing written
    // beside the databases, not even by the cookie file in WAL mode.
    EXPECT_EQ(snapshot(root), before);

    // The layout of Windows XP.
    const QString xp = dir.filePath(QStringLiteral("olduser"));
    copyTestFile(QStringLiteral("chrome-History"),
                 xp + QStringLiteral("/Local Settings/Application Data/Google/Chrome/User "
                                     "Data/Default/History"));
    copyTestFile(QStringLiteral("firefox-places.sqlite"),
                 xp + QStringLiteral("/Application Data/Mozilla/Firefox/Profiles/a.default/"
                                     "places.sqlite"));
    UserProfile old;
    ASSERT_TRUE(old.open(xp, nullptr));
    EXPECT_EQ(describe(findBrowserDatabases(old), xp),
              (QStringList{"Chrome 0 Default Local Settings/Application Data/Google/Chrome/User "
                           "Data/Default/History",
                           "Firefox 2 a.default Application Data/Mozilla/Firefox/Profiles/"
                           "a.default/places.sqlite"}));
}

} // namespace
} // namespace vc::testing
