#include "windows/TimelineLoad.h"

#include "browsers/BrowserReaders.h"
#include "browsers/DatabaseCopy.h"
#include "browsers/SqliteReader.h"
#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "tables/RowSink.h"
#include "windows/ActivityJson.h"
#include "windows/KnownFolderPaths.h"

#include <algorithm>

namespace vc {

namespace {

// The ActivityType numbers Windows 10 writes.
QString activityTypeText(qint64 type) {
    switch (type) {
    case 2:
        return tx(TextActivityNotification);
    case 3:
        return tx(TextActivityBackup);
    case 5:
        return tx(TextActivityOpen);
    case 6:
        return tx(TextActivityInFocus);
    case 10:
        return tx(TextActivityClipboard);
    case 16:
        return tx(TextActivityCopyPaste);
    case 11:
    case 12:
    case 15:
        return tx(TextActivitySystem) + QStringLiteral(" (%1)").arg(type);
    default:
        return QString::number(type);
    }
}

std::optional<TimeValue> unixSeconds(const SqliteRows& rows, int column) {
    if (rows.isNull(column) || rows.integer(column) == 0)
        return std::nullopt;
    return TimeValue{TimeKind::UnixSeconds, TimeRule::Runtime, rows.integer(column)};
}

// The private copy of a database with its log, taken in one place: the
// copy's maker reads the evidence through the file interface where it
// can, else by its local path.
bool copyDatabase(const EvidenceFiles& files, const QByteArray& path, DatabaseCopy& copy,
                  QString* error) {
    Q_UNUSED(files);
    return copy.make(EvidenceFiles::pathText(path), error);
}

} // namespace

QList<QByteArray> findActivityDatabases(const EvidenceFiles& files,
                                        const QByteArray& profileFolder) {
    QList<QByteArray> found;
    const QByteArray platform =
        files.resolveNoCase(profileFolder, {"AppData", "Local", "ConnectedDevicesPlatform"});
    std::vector<EvidenceEntry> accounts;
    if (!files.list(platform, accounts, nullptr))
        return found;
    std::sort(accounts.begin(), accounts.end(),
              [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
    for (const EvidenceEntry& account : accounts) {
        if (account.type != EntryType::Folder || account.symlink)
            continue;
        const QByteArray folder = joinPath(platform, account.name);
        const QByteArray name = files.findChildNoCase(folder, "ActivitiesCache.db");
        if (!name.isEmpty() && files.isFile(joinPath(folder, name)))
            found.append(joinPath(folder, name));
    }
    return found;
}

bool readActivityRows(SqliteDatabase& database, const KnownFolderLocations& locations,
                      WindowsRowWriter& writer, QString* error) {
    if (!database.hasTable("Activity")) {
        *error = QStringLiteral("no table Activity");
        return false;
    }
    const QSet<QByteArray> columns = database.columns("Activity");
    const QByteArray sql = "SELECT " +
                           selectList(columns, "a",
                                      {"appid", "activitytype", "payload", "starttime", "endtime",
                                       "lastmodifiedtime", "expirationtime", "clipboardpayload"}) +
                           ", " + (columns.contains("id") ? "hex(a.id)" : "NULL") +
                           " FROM Activity a";
    SqliteRows rows(database, sql);
    while (rows.next()) {
        const ActivityApplication app = activityApplication(rows.bytes(0));
        const ActivityPayload payload = activityPayload(rows.bytes(2));
        writer.setText(kActivityApplication, withKnownFolderPath(app.application, locations));
        writer.setText(kActivityPlatform, app.platform);
        writer.setText(kActivityDisplayText, payload.displayText.isEmpty() ? payload.appDisplayName
                                                                           : payload.displayText);
        writer.setText(kActivityDescription, payload.description);
        writer.setText(kActivityContent, payload.content);
        if (!rows.isNull(1))
            writer.setText(kActivityType, activityTypeText(rows.integer(1)));
        writer.setTime(kActivityStart, unixSeconds(rows, 3));
        writer.setTime(kActivityEnd, unixSeconds(rows, 4));
        writer.setTime(kActivityModified, unixSeconds(rows, 5));
        writer.setTime(kActivityExpires, unixSeconds(rows, 6));
        if (payload.activeSeconds)
            writer.setText(kActivityDuration, durationText(quint64(*payload.activeSeconds)));
        const QByteArray clipboard = rows.bytes(7);
        writer.setText(kActivityClipboard, hasClipboardPayload(clipboard)
                                               ? tx(TextYes) + QStringLiteral(" (") +
                                                     tx(TextBytesCount).arg(clipboard.size()) +
                                                     QLatin1Char(')')
                                               : tx(TextNo));
        writer.setText(kActivityId, QString::fromLatin1(rows.bytes(8)));
        writer.write();
    }
    *error = rows.error();
    return error->isEmpty();
}

WindowsLoadResult loadTimeline(const EvidenceFiles& files, const QByteArray& profileFolder,
                               const KnownFolderLocations& locations, const LoadContext& context,
                               RowSink& sink) {
    const QList<QByteArray> databases = findActivityDatabases(files, profileFolder);
    RowBatch batch(sink);
    WindowsRowWriter writer(WindowsTable::Timeline, sink, context.filter);
    LoadSteps steps(context, databases.size());
    WindowsLoadResult result;
    for (qsizetype i = 0; i < databases.size(); ++i) {
        const QString path = EvidenceFiles::pathText(databases[i]);
        ++result.inputs;
        DatabaseCopy copy;
        SqliteDatabase sqlite;
        QString error;
        if (!copyDatabase(files, databases[i], copy, &error) ||
            !sqlite.open(copy.path(), copy.size(), &error)) {
            ++result.failures;
            if (context.report)
                context.report->error(windowsReport(TextActivityDatabaseUnreadable, path, error));
        } else {
            writer.keepText(kActivitySourceFile, path);
            writer.keepText(kActivityReadFrom, copy.readFrom());
            QString problem;
            if (!readActivityRows(sqlite, locations, writer, &problem) ||
                !sqlite.damage().isEmpty()) {
                ++result.failures;
                QStringList problems{sqlite.damage(), problem};
                problems.removeAll(QString());
                if (context.report)
                    context.report->error(windowsReport(TextActivityDatabasePartlyRead, path,
                                                        problems.join(QLatin1Char('\n'))));
            }
        }
        context.noteInputRead();
        steps.done(i);
    }
    steps.finish();
    result.rows = writer.rows();
    return result;
}

} // namespace vc
