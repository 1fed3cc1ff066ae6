// Headers that do not fit a cache index file are walked as they are and
// said as warnings; a stored HTTP header ends at its stored size.
#include "cache/ActivityLoad.h"
#include "cache/IndexFormat.h"
#include "cache/IndexImage.h"
#include "language/InterfaceTexts.h"
#include "tables/TableColumns.h"
#include "tables/TableModel.h"

#include "TestData.h"
#include "support/HeadlessRecall.h"
#include "support/RunProgram.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace vc;
using namespace vc::testing;

namespace {

class IndexHeaderWarnings : public FixedTimeTexts {
protected:
    // The real cache index file with its stated size replaced.
    QString realWithStatedSize(uint32_t stated, const QString& name = "index.dat") {
        QFile in(testDataPath("content-ie5-index.dat"));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        QByteArray bytes = in.readAll();
        for (int i = 0; i < 4; ++i)
            bytes[28 + i] = char((stated >> (8 * i)) & 0xff);
        return write(bytes, name);
    }
    QString write(const QByteArray& bytes, const QString& name) {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        return path;
    }
    QStringList warningsOf(const QByteArray& header, qint64 realSize) {
        QByteArray bytes = header;
        bytes.resize(index_format::kHeaderLength, '\0');
        return CacheIndexHeaderWarnings(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                        realSize);
    }
};

} // namespace

TEST_F(IndexHeaderWarnings, EachKindOfHeaderGivesItsWarning) {
    IndexImage sound;
    EXPECT_TRUE(warningsOf(sound.bytes(), sound.size()).isEmpty());
    // A stated size below the real size is no fault (the walk stops there).
    EXPECT_TRUE(warningsOf(sound.bytes(), sound.size() + 4096).isEmpty());

    EXPECT_EQ(warningsOf(QByteArray(64, '\0'), 64), QStringList{"not a cache index file"});
    QByteArray wrongSignature = sound.bytes();
    wrongSignature[1] = 'x'; // "Client" -> "Cxient"
    EXPECT_EQ(warningsOf(wrongSignature, sound.size()), QStringList{"not a cache index file"});

    IndexImage longer;
    longer.setStatedSize(100000);
    EXPECT_EQ(warningsOf(longer.bytes(), 8192),
              QStringList{"the file is shorter than its header says: 8192 of 100000 bytes"});
    for (uint32_t stated : {0x80000000U, 0xFFFFFFFFU}) {
        IndexImage huge;
        huge.setStatedSize(stated);
        EXPECT_EQ(warningsOf(huge.bytes(), 8192),
                  QStringList{
                      QStringLiteral("the header states %1 bytes; the file has 8192").arg(stated)});
    }
    // Both at once: random bytes claiming more than they hold.
    QByteArray noise(40, 'x');
    EXPECT_EQ(warningsOf(noise, 40).size(), 2);
}

TEST_F(IndexHeaderWarnings, StatedSizeOf0xFFFFFFFFIsReadAsBeforeAndSaid) {
    const QString path = realWithStatedSize(0xFFFFFFFFU);
    for (bool linear : {true, false}) {
        CollectingReporter report;
        const WalkResult result = walkFile(path, linear, nullptr, 50, &report);
        // The reading stays as it was: the block scan finds nothing, the
        // hash walk finds its records but no text bound lets a URL through.
        if (linear)
            EXPECT_EQ(result.recordCount, 0);
        else
            EXPECT_GT(result.recordCount, 0);
        for (const auto& row : result.rows)
            EXPECT_TRUE(row[1].isEmpty());
        EXPECT_TRUE(report.errors.isEmpty());
        ASSERT_EQ(report.warnings.size(), 1) << linear;
        EXPECT_EQ(report.warnings[0],
                  "the header states 4294967295 bytes; the file has 49152:\n" + path);
    }
    // The unchanged file gives no warning.
    CollectingReporter quiet;
    const WalkResult sound =
        walkFile(testDataPath("content-ie5-index.dat"), true, nullptr, 50, &quiet);
    EXPECT_GT(sound.recordCount, 30);
    EXPECT_TRUE(quiet.warnings.isEmpty());
}

TEST_F(IndexHeaderWarnings, CommandLineSaysItOnStandardErrorWithStatusUnchanged) {
    const QString huge = realWithStatedSize(0xFFFFFFFFU, "huge.dat");
    const QString noise = write(QByteArray(5000, '\x01'), "noise.dat");
    const QString empty = write(QByteArray(), "empty.dat");
    struct Case {
        QStringList arguments;
        QString warning;
    };
    const Case cases[] = {
        {{"activity", huge}, "the header states 4294967295 bytes; the file has 49152: " + huge},
        {{"activity", huge, "--hash-walk"},
         "the header states 4294967295 bytes; the file has 49152: " + huge},
        {{"activity", huge, "--xml", m_dir.filePath("h.xml")},
         "the header states 4294967295 bytes; the file has 49152: " + huge},
        {{"activity", noise}, "not a cache index file: " + noise},
        {{"activity", empty}, "not a cache index file: " + empty},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runProgram(c.arguments);
        EXPECT_EQ(run.status, 0) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(QString::fromLocal8Bit(run.err).contains("vellacord: warning: " + c.warning))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith("URL Address\t") || c.arguments.contains("--xml"));
    }
    const ProgramRun sound = runProgram({"activity", testDataPath("content-ie5-index.dat")});
    EXPECT_EQ(sound.status, 0);
    EXPECT_TRUE(sound.err.isEmpty()) << sound.err.toStdString();
}

TEST_F(IndexHeaderWarnings, TheRecallPutsThemOnTheCountLabel) {
    // A profile of the XP layout, its cache index damaged.
    const QString index = realWithStatedSize(
        0xFFFFFFFFU, "profile/Local Settings/Temporary Internet Files/Content.IE5/index.dat");
    ASSERT_TRUE(QFile::copy(testDataPath("ntuser-xp.dat"), m_dir.filePath("profile/NTUSER.DAT")));
    HeadlessRecall recall;
    QString message;
    ASSERT_TRUE(recall.runSections(m_dir.filePath("profile"), {0, 1}, &message));
    const QString rows = QString::number(recall.target.table(0).rows());
    EXPECT_EQ(recall.target.labelText(0, RecallLabel::Count),
              "Records: " + rows +
                  "  Warning: the header states 4294967295 bytes; the file has 49152: " + index);
    // Passed on to the target's reporter too (the command line's standard
    // error); the next section starts without it.
    EXPECT_EQ(recall.report.warnings.size(), 1);
    EXPECT_EQ(recall.target.labelText(1, RecallLabel::Count), "Records: 0");
    EXPECT_TRUE(recall.run->summary().contains("Warning: the header states"))
        << qPrintable(recall.run->summary());
}

TEST_F(IndexHeaderWarnings, HttpHeaderEndsAtItsStoredSize) {
    IndexImage image;
    // A header that fills its stored size exactly, followed by the record's
    // filler, with no zero byte before the record's end.
    const QByteArray header = "HTTP/1.1 200 OK\r\nContent-Type: application/xml\r\n\r\n";
    auto putRecord = [&](qint64 r, int32_t storedSize, const QByteArray& filler) {
        IndexImage::UrlRecord rec;
        rec.url = "http://example.com/feed";
        rec.header = header;
        rec.blocks = 2;
        image.putUrlRecord(r, rec);
        // putUrlRecord wrote the header after the URL with its zero byte:
        // overwrite that zero and the rest of the record with filler.
        const qint64 headerAt = r + 0x68 + rec.url.size() + 1;
        image.put32(r + 68, uint32_t(headerAt - r));
        image.put32(r + 72, uint32_t(storedSize));
        QByteArray fill;
        while (headerAt + header.size() + fill.size() < r + 256)
            fill += filler;
        image.putBytes(headerAt + header.size(), fill.left(r + 256 - headerAt - header.size()));
        image.putBytes(r + 256, "\0\0\0\0");
    };
    const QByteArray deadbeef("\xEF\xBE\xAD\xDE", 4);
    putRecord(0x1000, int32_t(header.size()), deadbeef);
    // Sizes that are not sane leave the old bound (the record's end).
    putRecord(0x1200, 0, deadbeef);
    putRecord(0x1400, 100000, deadbeef);
    putRecord(0x1600, -5, deadbeef);
    // A size that counts the zero byte, as most records have it.
    putRecord(0x1800, int32_t(header.size()) + 1, QByteArray(1, '\0'));
    // A size shorter than the text cuts it.
    putRecord(0x1A00, 8, QByteArray("ab", 2));
    const QString path = image.writeTo(m_dir);
    const WalkResult result = walkFile(path, true);
    ASSERT_EQ(result.rows.size(), 6);
    const QByteArray clean = QByteArray(header).replace('\r', ' ').replace('\n', ' ');
    EXPECT_EQ(result.rows[0][6], clean);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(result.rows[i][6].startsWith(clean + "\xEF\xBE\xAD\xDE")) << i;
        EXPECT_EQ(result.rows[i][6].size(), 256 - (0x68 + 24) - 1) << i;
    }
    EXPECT_EQ(result.rows[4][6], clean);
    EXPECT_EQ(result.rows[5][6], "HTTP/1.1");
}

TEST_F(IndexHeaderWarnings, RealHeadersWithoutAZeroByteLoseTheirFiller) {
    const WalkResult result = walkFile(testDataPath("content-ie5-index.dat"), true);
    int checked = 0;
    for (const auto& row : result.rows) {
        if (row[0] != "URL")
            continue;
        EXPECT_FALSE(row[6].contains("\xAD\xDE\xEF\xBE")) << row[1].toStdString();
        if (!row[6].isEmpty()) {
            EXPECT_TRUE(row[6].startsWith("HTTP/1.1 ")) << row[6].toStdString();
            ++checked;
        }
        // Three headers fill their stored size exactly; they end with their
        // blank line ("\r\n\r\n"), not with the filler after it.
        if (row[6].contains("Content-Length: 32251") || row[6].contains("Content-Length: 71493")) {
            EXPECT_TRUE(row[6].endsWith("    ")) << row[6].toStdString();
        }
    }
    EXPECT_EQ(checked, 19);
}
