// Finding the caches of a Windows user profile and loading the Cache table
// from them: which folders of which browser profiles, in which order, with
// which provenance, through the row filter and the progress bar.
#include "CacheTestSupport.h"
#include "browsers/cache/CacheBody.h"
#include "browsers/cache/CacheFolders.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/Progress.h"
#include "recall/RecallConditions.h"

namespace vc::testing {
namespace {

using CacheLoad = CacheTest;

// 2020-01-01 00:00:00 UTC as microseconds since 1601.
constexpr qint64 k2020 = (1577836800LL + 11644473600LL) * 1000000LL;

// A simple cache of one entry.
void makeSimpleCache(const QString& folder, const QByteArray& url, qint64 used) {
    writeFile(folder + QStringLiteral("/00000000000000aa_0"),
              simpleEntryFile({url, "body of " + url, "HTTP/1.1 200 OK\nContent-Type: text/plain",
                               used, used, false}));
    writeFile(folder + QStringLiteral("/index-dir/the-real-index"),
              simpleIndexFile(9, {{0xaa, used}}));
}

// A Windows 10 profile with every place a browser keeps a cache: Chrome's
// block-file cache in Cache/Cache_Data and a simple one in Cache (of
// another profile), Edge's, and Firefox's in the local application data
// (the roaming folder holds only its databases); and "Local Settings/
// Application Data" a link into AppData/Local, as the junction of a copied
// volume looks.
struct MadeProfile {
    QString root, chromeDefault, chromeSecond, edge, firefox;
};
MadeProfile makeProfile(const QString& root) {
    MadeProfile made;
    made.root = root;
    const QString local = root + QStringLiteral("/AppData/Local");
    made.chromeDefault =
        local + QStringLiteral("/Google/Chrome/User Data/Default/Cache/Cache_Data");
    made.chromeSecond = local + QStringLiteral("/Google/Chrome/User Data/Profile 1/cache");
    made.edge = local + QStringLiteral("/Microsoft/Edge/User Data/Default/Cache/Cache_Data");
    made.firefox = local + QStringLiteral("/Mozilla/Firefox/Profiles/x1y2.default-release/cache2");
    copyTestFolder(QStringLiteral("chrome-cache"), made.chromeDefault);
    makeSimpleCache(made.chromeSecond, "https://second.example/", k2020);
    makeSimpleCache(made.edge, "https://edge.example/", k2020 + 86400000000LL);
    copyTestFolder(QStringLiteral("firefox-cache2"), made.firefox + QStringLiteral("/entries"));
    QDir().mkpath(local + QStringLiteral("/Google/Chrome/User Data/System Profile"));
    QDir().mkpath(local + QStringLiteral("/Google/Chrome/User Data/ShaderCache/GPUCache"));
    QDir().mkpath(root + QStringLiteral("/AppData/Roaming/Mozilla/Firefox/Profiles/"
                                        "x1y2.default-release"));
    QDir().mkpath(root + QStringLiteral("/Local Settings"));
    QFile::link(local, root + QStringLiteral("/Local Settings/Application Data"));
    return made;
}

TEST_F(CacheLoad, EveryCacheOfTheProfileOnceInBrowserOrder) {
    const MadeProfile made = makeProfile(dir(QStringLiteral("joe")));
    const QList<BrowserCacheFolder> caches =
        findBrowserCaches(localEvidenceFiles(), pathBytes(made.root));
    ASSERT_EQ(caches.size(), 4);
    EXPECT_EQ(caches[0].browser, Browser::Chrome);
    EXPECT_EQ(caches[0].profileName, QStringLiteral("Default"));
    EXPECT_EQ(caches[0].folder, pathBytes(made.chromeDefault));
    EXPECT_EQ(caches[0].format, CacheFormat::BlockFile);
    EXPECT_EQ(caches[1].profileName, QStringLiteral("Profile 1"));
    EXPECT_EQ(caches[1].folder, pathBytes(made.chromeSecond)); // "cache": any letter case
    EXPECT_EQ(caches[1].format, CacheFormat::Simple);
    EXPECT_EQ(caches[2].browser, Browser::Edge);
    EXPECT_EQ(caches[2].format, CacheFormat::Simple);
    EXPECT_EQ(caches[3].browser, Browser::Firefox);
    EXPECT_EQ(caches[3].profileName, QStringLiteral("x1y2.default-release"));
    EXPECT_EQ(caches[3].folder, pathBytes(made.firefox));
    EXPECT_EQ(caches[3].format, CacheFormat::Firefox);

    CollectingSink sink;
    CountingProgress progress;
    progress.setPosition(10);
    int inputs = 0;
    LoadContext context;
    context.progress = &progress;
    context.share = 40;
    context.inputRead = [&inputs] { ++inputs; };
    const BrowserCacheLoadResult result =
        loadBrowserCaches(localEvidenceFiles(), pathBytes(made.root), context, sink);
    EXPECT_EQ(result.caches, 4);
    EXPECT_EQ(result.failures, 0);
    EXPECT_EQ(result.rows, 217 + 1 + 1 + 3);
    ASSERT_EQ(sink.rows.size(), result.rows);
    EXPECT_EQ(inputs, 4);
    EXPECT_EQ(progress.position(), 50);
    const QList<QByteArray>& second = sink.rows[217];
    EXPECT_EQ(second[kWebCacheUrl], "https://second.example/");
    EXPECT_EQ(second[kWebCacheBrowser], "Chrome");
    EXPECT_EQ(second[kWebCacheProfile], "Profile 1");
    EXPECT_EQ(second[kWebCacheFolder], pathBytes(made.chromeSecond));
    EXPECT_EQ(timeText(second[kWebCacheLastUsed]), "2020-01-01 00:00:00");
    const QList<QByteArray>& edge = sink.rows[218];
    EXPECT_EQ(edge[kWebCacheBrowser], "Edge");
    EXPECT_EQ(timeText(edge[kWebCacheLastUsed]), "2020-01-02 00:00:00");
    EXPECT_EQ(readCachedBodyOfRow(localEvidenceFiles(), edge).bytes,
              "body of https://edge.example/");
    EXPECT_EQ(sink.rows[219][kWebCacheBrowser], "Firefox");
    EXPECT_EQ(sink.rows[219][kWebCacheProfile], "x1y2.default-release");

    // The XP layout, in its own profile.
    const QString xp = dir(QStringLiteral("xp"));
    makeSimpleCache(xp + QStringLiteral("/Local Settings/Application Data/Google/Chrome/"
                                        "User Data/Default/Cache"),
                    "https://xp.example/", k2020);
    const QList<BrowserCacheFolder> xpCaches =
        findBrowserCaches(localEvidenceFiles(), pathBytes(xp));
    ASSERT_EQ(xpCaches.size(), 1);
    EXPECT_TRUE(xpCaches[0].folder.endsWith("/Local Settings/Application Data/Google/Chrome/"
                                            "User Data/Default/Cache"));
    EXPECT_TRUE(
        findBrowserCaches(localEvidenceFiles(), pathBytes(dir(QStringLiteral("none")))).isEmpty());
    EXPECT_TRUE(findBrowserCaches(localEvidenceFiles(), QByteArray()).isEmpty());
}

TEST_F(CacheLoad, TheFilterSeesTextsAndTheLastUse) {
    const MadeProfile made = makeProfile(dir(QStringLiteral("joe")));
    RecallChoice choice = defaultRecallChoice();
    choice.phrase = QStringLiteral("edge.example");
    RecallConditionSet set;
    BuildRecallConditions(choice, set);
    CollectingSink sink;
    LoadContext context;
    context.filter = &set;
    BrowserCacheLoadResult result =
        loadBrowserCaches(localEvidenceFiles(), pathBytes(made.root), context, sink);
    ASSERT_EQ(result.rows, 1);
    EXPECT_EQ(sink.rows[0][kWebCacheUrl], "https://edge.example/");

    // A phrase in a time text and in the note: what the table shows.
    choice.phrase = QStringLiteral("2020-01-02 00:00:00");
    BuildRecallConditions(choice, set);
    sink = CollectingSink();
    result = loadBrowserCaches(localEvidenceFiles(), pathBytes(made.root), context, sink);
    ASSERT_EQ(result.rows, 1);
    EXPECT_EQ(sink.rows[0][kWebCacheBrowser], "Edge");
    choice.phrase = QStringLiteral("data_3");
    BuildRecallConditions(choice, set);
    sink = CollectingSink();
    result = loadBrowserCaches(localEvidenceFiles(), pathBytes(made.root), context, sink);
    EXPECT_EQ(result.rows, 176);

    // The date conditions test the last use.
    choice = defaultRecallChoice();
    choice.date1Set = true;
    choice.date1 = QDate(2020, 1, 1);
    BuildRecallConditions(choice, set);
    sink = CollectingSink();
    result = loadBrowserCaches(localEvidenceFiles(), pathBytes(made.root), context, sink);
    ASSERT_EQ(result.rows, 1);
    EXPECT_EQ(sink.rows[0][kWebCacheUrl], "https://second.example/");
}

TEST_F(CacheLoad, CachesThatCannotBeReadAreReportedWithTheRest) {
    const MadeProfile made = makeProfile(dir(QStringLiteral("joe")));
    QFile index(made.chromeDefault + QStringLiteral("/index"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly | QIODevice::Truncate));
    index.write("\xC3\xCA\x03\xC1", 4);
    index.close();
    writeFile(made.edge + QStringLiteral("/index-dir/the-real-index"), "short");
    CollectingReporter reporter;
    CollectingSink sink;
    LoadContext context;
    context.report = &reporter;
    const BrowserCacheLoadResult result =
        loadBrowserCaches(localEvidenceFiles(), pathBytes(made.root), context, sink);
    EXPECT_EQ(result.failures, 2);
    EXPECT_EQ(result.rows, 1 + 1 + 3);
    ASSERT_EQ(reporter.errors.size(), 1);
    EXPECT_EQ(reporter.errors[0], tx(TextCacheUnreadable) + QStringLiteral(":\n") +
                                      made.chromeDefault + QLatin1Char('\n') +
                                      tx(TextNotCacheIndexFile));
    ASSERT_EQ(reporter.warnings.size(), 1);
    EXPECT_TRUE(reporter.warnings[0].startsWith(tx(TextCachePartlyRead) + QStringLiteral(":\n") +
                                                made.edge + QLatin1Char('\n') + made.edge +
                                                QStringLiteral("/index-dir/the-real-index: ")));
}

TEST_F(CacheLoad, ATableOfTheProgramHoldsTheRows) {
    const MadeProfile made = makeProfile(dir(QStringLiteral("joe")));
    const std::unique_ptr<TableModel> table = makeWebCacheTable();
    EXPECT_EQ(webCacheTableName(), QStringLiteral("webC_ListView"));
    EXPECT_EQ(table->cellEncoding(), CellEncoding::Utf8);
    ASSERT_EQ(table->columns(), kWebCacheColumnCount);
    const std::vector<TableColumn> columns = webCacheColumns();
    for (int c = 0; c < kWebCacheColumnCount; ++c) {
        const bool date = c == kWebCacheCreated || c == kWebCacheLastUsed ||
                          c == kWebCacheServerModified || c == kWebCacheExpires;
        EXPECT_EQ(columns[size_t(c)].isDate, date) << c;
        EXPECT_EQ(columns[size_t(c)].eventText != kNoEvent, date) << c;
    }
    EXPECT_EQ(columns[kWebCacheLastUsed].eventText, TextEventCacheUsed);
    loadBrowserCaches(localEvidenceFiles(), pathBytes(made.root), LoadContext(), *table);
    ASSERT_EQ(table->rows(), 222);
    EXPECT_EQ(table->cell(217, kWebCacheUrl), "https://second.example/");
    EXPECT_EQ(readTimeCell(table->cellView(217, kWebCacheLastUsed)),
              (TimeValue{TimeKind::WebKitMicroseconds, TimeRule::Open, k2020}));
}

} // namespace
} // namespace vc::testing
