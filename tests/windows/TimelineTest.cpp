// Windows Timeline: the real ActivitiesCache.db of Windows 10 (its rows
// checked against sqlite3 on a copy: json_extract of Payload, datetime of
// the times, hex(Id)), read through a private copy with its write-ahead log,
// the evidence left as it was.
#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "windows/ActivityJson.h"
#include "windows/TimelineLoad.h"
#include "windows/WindowsTestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

using namespace vc;
using namespace vc::testing;

namespace {

class TimelineTest : public WindowsTablesTest {
protected:
    QTemporaryDir profile;
    QString account() const {
        return profile.filePath(
            QStringLiteral("AppData/Local/ConnectedDevicesPlatform/L.demouser"));
    }
    QString database() const { return account() + QStringLiteral("/ActivitiesCache.db"); }
    void SetUp() override {
        WindowsTablesTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(account()));
    }
    std::unique_ptr<TableModel> load(CollectingReporter& report) {
        auto table = makeWindowsTable(WindowsTable::Timeline);
        LoadContext context;
        context.report = &report;
        KnownFolderLocations locations;
        locations.setProfilePath(QStringLiteral("C:\\Users\\demouser"));
        result =
            loadTimeline(localEvidenceFiles(), profile.path().toUtf8(), locations, context, *table);
        return table;
    }
    WindowsLoadResult result;
};

QByteArray fileHash(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

} // namespace

TEST_F(TimelineTest, ActivitiesAsSqlite3ReadsThem) {
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("ActivitiesCache.db")), database()));
    const QByteArray before = fileHash(database());
    const QDateTime modified = QFileInfo(database()).lastModified();
    CollectingReporter report;
    const auto table = load(report);
    EXPECT_TRUE(report.errors.isEmpty()) << report.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(result.inputs, 1);
    ASSERT_EQ(table->rows(), 112);

    EXPECT_EQ(shown(*table, 0, kActivityApplication),
              QStringLiteral("windows.immersivecontrolpanel_cw5n1h2txyewy!microsoft.windows."
                             "immersivecontrolpanel"));
    EXPECT_EQ(shown(*table, 0, kActivityPlatform), QStringLiteral("packageId"));
    EXPECT_EQ(shown(*table, 0, kActivityDisplayText), QStringLiteral("Settings"));
    EXPECT_EQ(shown(*table, 0, kActivityType), tx(TextActivityOpen));
    EXPECT_EQ(shown(*table, 0, kActivityStart), QStringLiteral("2018-07-25 12:04:40"));
    EXPECT_TRUE(shown(*table, 0, kActivityEnd).isEmpty()); // stored as 0
    EXPECT_EQ(shown(*table, 0, kActivityModified), QStringLiteral("2018-07-25 12:04:40"));
    EXPECT_EQ(shown(*table, 0, kActivityExpires), QStringLiteral("2018-08-24 12:04:40"));
    EXPECT_EQ(shown(*table, 0, kActivityClipboard), tx(TextNo));
    EXPECT_EQ(shown(*table, 0, kActivityId), QStringLiteral("AA95FA292B852257F1545A3CC02DE8C6"));
    EXPECT_EQ(shown(*table, 0, kActivitySourceFile), database());
    EXPECT_EQ(shown(*table, 0, kActivityReadFrom), QStringLiteral("ActivitiesCache.db"));

    EXPECT_EQ(shown(*table, 1, kActivityType), tx(TextActivityInFocus));
    EXPECT_EQ(shown(*table, 1, kActivityDuration), QStringLiteral("0:13:10")); // 790 s
    EXPECT_EQ(shown(*table, 1, kActivityEnd), QStringLiteral("2018-07-25 12:26:15"));
    EXPECT_EQ(shown(*table, 1, kActivityModified), QStringLiteral("2018-07-25 12:04:48"));
    EXPECT_EQ(shown(*table, 1, kActivitySourceFile), database());

    // Known folders of AppId: SystemX86 is C:\Windows\SysWOW64.
    EXPECT_EQ(shown(*table, 50, kActivityApplication),
              QStringLiteral("C:\\Windows\\SysWOW64\\cmd.exe"));
    EXPECT_EQ(shown(*table, 50, kActivityDisplayText), QStringLiteral("cmd.exe"));
    EXPECT_EQ(shown(*table, 50, kActivityStart), QStringLiteral("2018-07-27 12:41:17"));
    EXPECT_EQ(
        shown(*table, 16, kActivityContent),
        QStringLiteral("file:%7B6D809377-6AF0-444B-8957-A3773F02200E%7D/Git/ReleaseNotes.html"));
    EXPECT_EQ(shown(*table, 16, kActivityDescription),
              QStringLiteral("C:\\Program Files\\Git\\ReleaseNotes.html"));
    EXPECT_EQ(shown(*table, 16, kActivityDisplayText), QStringLiteral("ReleaseNotes.html"));

    // The evidence is as it was, and nothing was written beside it.
    EXPECT_EQ(fileHash(database()), before);
    EXPECT_EQ(QFileInfo(database()).lastModified(), modified);
    EXPECT_EQ(QDir(account()).entryList(QDir::Files),
              QStringList{QStringLiteral("ActivitiesCache.db")});
}

TEST_F(TimelineTest, RecordsStillInTheLogAreRead) {
    // A database in WAL mode with one activity not yet written back: the
    // files are taken while the connection holds the log.
    QTemporaryDir work;
    const QString live = work.filePath(QStringLiteral("ActivitiesCache.db"));
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("ActivitiesCache.db")), live));
    QFile::setPermissions(live, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(live).constData(), &db), SQLITE_OK);
    const char* sql =
        "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
        "INSERT INTO Activity (Id, AppId, ActivityType, ActivityStatus, LastModifiedTime, "
        "StartTime, EndTime, Payload, ClipboardPayload, ETag) VALUES "
        "(x'00112233445566778899AABBCCDDEEFF', "
        "'[{\"application\":\"{F38BF404-1D43-42F2-9305-67DE0B28FC23}\\\\explorer.exe\","
        "\"platform\":\"x_exe_path\"}]', 10, 1, 1532520000, 1532520000, 0, "
        "'{\"displayText\":\"copied\"}', '[{\"content\":\"aGk=\",\"formatName\":\"Text\"}]', 1)";
    char* message = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK) << message;
    ASSERT_TRUE(QFile::copy(live, database()));
    ASSERT_TRUE(QFile::copy(live + QStringLiteral("-wal"), database() + QStringLiteral("-wal")));
    sqlite3_close(db);

    CollectingReporter report;
    const auto table = load(report);
    EXPECT_TRUE(report.errors.isEmpty()) << report.errors.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(table->rows(), 113);
    const int copied =
        rowWith(*table, kActivityId, QStringLiteral("00112233445566778899AABBCCDDEEFF"));
    ASSERT_GE(copied, 0);
    EXPECT_EQ(shown(*table, copied, kActivityApplication),
              QStringLiteral("C:\\Windows\\explorer.exe"));
    EXPECT_EQ(shown(*table, copied, kActivityPlatform), QStringLiteral("x_exe_path"));
    EXPECT_EQ(shown(*table, copied, kActivityType), tx(TextActivityClipboard));
    EXPECT_EQ(shown(*table, copied, kActivityClipboard),
              tx(TextYes) + QStringLiteral(" (") + tx(TextBytesCount).arg(40) + QLatin1Char(')'));
    EXPECT_EQ(shown(*table, copied, kActivityReadFrom),
              QStringLiteral("ActivitiesCache.db + ActivitiesCache.db-wal"));
}

TEST_F(TimelineTest, ABrokenDatabaseGivesWhatCanBeReadAndAReport) {
    const QByteArray whole = testDataBytes(QStringLiteral("ActivitiesCache.db"));
    QFile cut(database());
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    // The database has 60 pages of 4096 bytes; the rest of the file is unused.
    cut.write(whole.first(200000));
    cut.close();
    CollectingReporter report;
    const auto table = load(report);
    EXPECT_LT(table->rows(), 112);
    EXPECT_EQ(result.failures, 1);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors[0].contains(database())) << report.errors[0].toStdString();

    QFile junk(database());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a database at all");
    junk.close();
    CollectingReporter second;
    EXPECT_EQ(load(second)->rows(), 0);
    ASSERT_EQ(second.errors.size(), 1);
    EXPECT_TRUE(second.errors[0].startsWith(tx(TextActivityDatabaseUnreadable)));
}

TEST_F(TimelineTest, ApplicationsAndPayloadsFromTheirJson) {
    // The platforms in their order, whatever the list's order.
    ActivityApplication app = activityApplication(
        R"([{"application":"U","platform":"windows_universal"},{"application":"W","platform":"windows_win32"},)"
        R"({"application":"","platform":"packageId"},{"application":"X","platform":"x_exe_path"}])");
    EXPECT_EQ(app.application, QStringLiteral("X"));
    EXPECT_EQ(app.platform, QStringLiteral("x_exe_path"));
    app = activityApplication(R"([{"application":"edge.activity.windows.com","platform":"host"}])");
    EXPECT_EQ(app.application, QStringLiteral("edge.activity.windows.com"));
    EXPECT_EQ(activityApplication("[{\"application\":3}]").application, QString());
    EXPECT_EQ(activityApplication("not json").application, QString());

    ActivityPayload payload = activityPayload(
        R"({"displayText":"a","activationUri":"ms-shellactivity:","activeDurationSeconds":1e300})");
    EXPECT_EQ(payload.displayText, QStringLiteral("a"));
    EXPECT_TRUE(payload.content.isEmpty());
    EXPECT_FALSE(payload.activeSeconds);
    payload = activityPayload(
        R"({"activationUri":"microsoft-edge:https://x/","activeDurationSeconds":61})");
    EXPECT_EQ(payload.content, QStringLiteral("microsoft-edge:https://x/"));
    EXPECT_EQ(payload.activeSeconds, 61);
    EXPECT_FALSE(hasClipboardPayload(" [] "));
    EXPECT_TRUE(hasClipboardPayload("[{}]"));
}
