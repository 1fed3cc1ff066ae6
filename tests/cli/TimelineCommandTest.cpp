// vellacord timeline on the sample volume: the table of every source's
// times in time order, the three files for the tools of the field with the
// same events, the recall's sections and conditions, and its usage errors.
#include "TestData.h"
#include "support/RunProgram.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vc::testing {
namespace {

QString volume() {
    return QDir(samplesPath(QStringLiteral("volumes/pc"))).absolutePath();
}

QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "Events: N" of the summary.
qint64 eventCount(const QByteArray& summary) {
    for (const QByteArray& line : linesOf(summary))
        if (line.startsWith("Events: "))
            return line.mid(8).trimmed().toLongLong();
    return -1;
}

const QStringList kUtc = {QStringLiteral("--utc"), QStringLiteral("--date-format"),
                          QStringLiteral("yyyy-MM-dd HH:mm:ss")};

TEST(TimelineCommand, SampleVolumeTableAndFilesHoldTheSameEventsInTimeOrder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString jsonl = dir.filePath(QStringLiteral("pc.jsonl"));
    const QString csv = dir.filePath(QStringLiteral("pc.csv"));
    const QString l2t = dir.filePath(QStringLiteral("pc-l2t.csv"));
    const QString tsv = dir.filePath(QStringLiteral("pc.txt"));
    const ProgramRun run =
        runProgram(QStringList{QStringLiteral("timeline"), QStringLiteral("--volume"), volume(),
                               QStringLiteral("--jsonl"), jsonl, QStringLiteral("--timesketch-csv"),
                               csv, QStringLiteral("--l2tcsv"), l2t, QStringLiteral("--tsv"), tsv} +
                   kUtc);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const qint64 events = eventCount(run.out);
    ASSERT_GT(events, 100) << run.out.constData();

    // The table: a caption line, then one row per event, times ascending.
    const QList<QByteArray> table = readFile(tsv).split('\n');
    ASSERT_EQ(table.size(), events + 2); // CR LF line ends, the last line empty
    EXPECT_EQ(table[0], "Time\tEvent\tSource\tUser\tComputer\tAddress or Path\tDescription\r");
    QSet<QByteArray> users, sources;
    QByteArray before;
    for (int i = 1; i <= events; ++i) {
        const QList<QByteArray> cells = table[i].split('\t');
        ASSERT_EQ(cells.size(), 7) << table[i].constData();
        ASSERT_GE(cells[0], before) << i;
        before = cells[0];
        users.insert(cells[3]);
        sources.insert(cells[2]);
    }
    EXPECT_TRUE(users.contains("joe")) << users.values().join(',').constData();
    EXPECT_TRUE(users.contains("bperry")) << users.values().join(',').constData();
    EXPECT_GE(sources.size(), 8);

    // The files: the same events but those without a UTC time, in order.
    const QList<QByteArray> json = linesOf(readFile(jsonl));
    ASSERT_GT(json.size(), 0);
    ASSERT_LE(json.size(), events);
    qint64 leftOut = events - json.size();
    EXPECT_TRUE(leftOut == 0 || run.out.contains(QByteArray::number(leftOut) + " events left out"))
        << run.out.constData();
    EXPECT_TRUE(run.out.contains(jsonl.toUtf8() + ": " + QByteArray::number(json.size()) +
                                 " events written"))
        << run.out.constData();
    qint64 previous = 0;
    for (const QByteArray& line : json) {
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line.constData();
        for (const char* field :
             {"message", "datetime", "timestamp_desc", "timestamp", "source", "user", "machine"})
            ASSERT_TRUE(object.contains(QLatin1String(field))) << field << line.constData();
        const qint64 timestamp = object.value("timestamp").toInteger();
        ASSERT_GE(timestamp, previous);
        previous = timestamp;
        // datetime and timestamp say the same instant, to the microsecond.
        const QString datetime = object.value("datetime").toString();
        ASSERT_EQ(datetime.size(), 32) << line.constData();
        const QDateTime when =
            QDateTime::fromString(datetime.left(19) + QStringLiteral("Z"), Qt::ISODate);
        ASSERT_TRUE(when.isValid()) << line.constData();
        EXPECT_EQ(when.toSecsSinceEpoch(), timestamp / 1000000) << line.constData();
        EXPECT_EQ(datetime.mid(20, 6).toLongLong(), timestamp % 1000000) << line.constData();
        EXPECT_TRUE(datetime.endsWith(QLatin1String("+00:00")));
    }
    const QList<QByteArray> csvLines = linesOf(readFile(csv));
    EXPECT_EQ(csvLines.size(), json.size() + 1);
    EXPECT_TRUE(csvLines[0].startsWith(
        "message,datetime,timestamp_desc,timestamp,source,source_long,user,machine,"));
    const QList<QByteArray> l2tLines = linesOf(readFile(l2t));
    ASSERT_EQ(l2tLines.size(), json.size() + 1);
    for (const QByteArray& line : l2tLines)
        ASSERT_EQ(line.count(','), 16) << line.constData();
    // The first event of each file is the same: its date in both layouts.
    const QJsonObject first = QJsonDocument::fromJson(json[0]).object();
    const QDate day =
        QDateTime::fromString(first.value("datetime").toString(), Qt::ISODateWithMs).date();
    EXPECT_TRUE(l2tLines[1].startsWith(day.toString(QStringLiteral("MM/dd/yyyy")).toUtf8() + ","))
        << l2tLines[1].constData();
}

TEST(TimelineCommand, SectionsAndConditionsChooseTheEvents) {
    // Only the browsers' history: every event a visit.
    ProgramRun run =
        runProgram(QStringList{QStringLiteral("timeline"), QStringLiteral("--volume"), volume(),
                               QStringLiteral("--sections"), QStringLiteral("w")} +
                   kUtc);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    QList<QByteArray> rows = linesOf(run.out);
    ASSERT_GT(rows.size(), 1);
    for (int i = 1; i < rows.size(); ++i)
        ASSERT_TRUE(rows[i].contains("\tPage visited\tChrome, Edge, Firefox: History\t"))
            << rows[i].constData();
    EXPECT_EQ(eventCount(run.err), rows.size() - 1);

    // A phrase of the recall keeps the events of the rows that hold it.
    const qint64 visits = rows.size() - 1;
    run = runProgram(QStringList{QStringLiteral("timeline"), QStringLiteral("--volume"), volume(),
                                 QStringLiteral("--sections"), QStringLiteral("w"),
                                 QStringLiteral("--contains"), QStringLiteral("google")} +
                     kUtc);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const qint64 found = eventCount(run.err);
    EXPECT_GT(found, 0);
    EXPECT_LT(found, visits);
    EXPECT_EQ(linesOf(run.out).size(), found + 1);

    // Without the expiry times: the cookies' other times stay.
    run = runProgram(QStringList{QStringLiteral("timeline"), QStringLiteral("--volume"), volume(),
                                 QStringLiteral("--sections"), QStringLiteral("k")} +
                     kUtc);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const qint64 cookieEvents = eventCount(run.err);
    EXPECT_TRUE(run.out.contains("\tCookie expires\t"));
    run = runProgram(QStringList{QStringLiteral("timeline"), QStringLiteral("--volume"), volume(),
                                 QStringLiteral("--sections"), QStringLiteral("k"),
                                 QStringLiteral("--no-expiry")} +
                     kUtc);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_FALSE(run.out.contains("\tCookie expires\t"));
    EXPECT_TRUE(run.out.contains("\tCookie created\t"));
    EXPECT_LT(eventCount(run.err), cookieEvents);
    EXPECT_GT(eventCount(run.err), 0);

    // Usage errors.
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("timeline")},
          QStringList{QStringLiteral("timeline"), QStringLiteral("--volume"), volume(),
                      QStringLiteral("--sections"), QStringLiteral("q")},
          QStringList{QStringLiteral("timeline"), QStringLiteral("--volume"), volume(),
                      QStringLiteral("--out"), QStringLiteral("/tmp")}}) {
        run = runProgram(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    // A file that cannot be written is named; the status is 1.
    run = runProgram({QStringLiteral("timeline"), QStringLiteral("--volume"), volume(),
                      QStringLiteral("--jsonl"), QStringLiteral("/nonexistent/x.jsonl")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("cannot write /nonexistent/x.jsonl")) << run.err.constData();
}

} // namespace
} // namespace vc::testing
