#pragma once

#include "cache/CacheIndexWalker.h"
#include "platform/Reporter.h"
#include "platform/TimeText.h"
#include "support/ZoneGuard.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace vc::testing {

// A synthetic cache index file built in memory: the header with its version
// text, stated size, first hash table and sub-folder names, and whatever
// records a test places at block offsets.
class IndexImage {
public:
    explicit IndexImage(const QByteArray& version = "5.2", int blocks = 64)
        : m_bytes(qsizetype(blocks) * 128, '\0') {
        putBytes(0, "Client UrlCache MMF Ver ");
        QByteArray v = version.left(4);
        v.resize(4, '\0');
        putBytes(24, v);
        setStatedSize(uint32_t(m_bytes.size()));
    }

    QByteArray& bytes() { return m_bytes; }
    qint64 size() const { return m_bytes.size(); }

    void put8(qint64 at, uint8_t v) { grow(at + 1)[at] = char(v); }
    void put32(qint64 at, uint32_t v) {
        grow(at + 4);
        for (int i = 0; i < 4; ++i)
            m_bytes[at + i] = char((v >> (8 * i)) & 0xff);
    }
    void put64(qint64 at, uint64_t v) {
        put32(at, uint32_t(v));
        put32(at + 4, uint32_t(v >> 32));
    }
    void putBytes(qint64 at, const QByteArray& b) {
        grow(at + b.size());
        for (qsizetype i = 0; i < b.size(); ++i)
            m_bytes[at + i] = b[i];
    }
    // A zero-terminated text.
    void putText(qint64 at, const QByteArray& text) { putBytes(at, text + QByteArray(1, '\0')); }

    void setStatedSize(uint32_t size) { put32(28, size); }
    void setFirstHashTable(uint32_t offset) { put32(32, offset); }
    void setDirectory(int index, const QByteArray& name) {
        putBytes(80 + 12 * index, name.left(8));
    }

    // A URL-kind record at r with the fields at the offsets of the given
    // layout ("4.7", "5.0" or "5.2"); texts follow the fixed part.
    struct UrlRecord {
        QByteArray signature = "URL ";
        uint32_t blocks = 4;
        uint64_t modified = 0;
        uint64_t accessed = 0;
        QByteArray url;
        QByteArray fileName;
        QByteArray header;
        uint8_t directory = 0;
    };
    void putUrlRecord(qint64 r, const UrlRecord& rec, const QByteArray& layout = "5.2") {
        const bool v47 = layout == "4.7";
        const int urlAt = v47 ? 56 : 52;
        const int dirAt = v47 ? 60 : (layout == "5.0" ? 57 : 56);
        const int fileAt = v47 ? 64 : 60;
        const int headerAt = v47 ? 72 : 68;
        putBytes(r, rec.signature);
        put32(r + 4, rec.blocks);
        put64(r + 8, rec.modified);
        put64(r + 16, rec.accessed);
        int text = 0x68;
        put8(r + urlAt, uint8_t(text));
        putText(r + text, rec.url);
        text += int(rec.url.size()) + 1;
        put8(r + dirAt, rec.directory);
        if (!rec.fileName.isEmpty()) {
            put32(r + fileAt, uint32_t(text));
            putText(r + text, rec.fileName);
            text += int(rec.fileName.size()) + 1;
        }
        if (!rec.header.isEmpty()) {
            put32(r + headerAt, uint32_t(text));
            putText(r + text, rec.header);
        }
    }
    void putRedrRecord(qint64 r, const QByteArray& url) {
        putBytes(r, "REDR");
        put32(r + 4, 1);
        putText(r + 16, url);
    }

    // A hash table of the given length in blocks, its next table and its
    // entries (hash word, record offset); the rest of its entries are
    // emptied as far as the image reaches.
    void putHashTable(qint64 at, uint32_t blocks, uint32_t next,
                      const QList<QPair<uint32_t, uint32_t>>& entries) {
        const qint64 end = std::min<qint64>(at + qint64(blocks) * 128, size());
        for (qint64 i = at + 16; i < end; ++i)
            m_bytes[i] = '\0';
        putBytes(at, "HASH");
        put32(at + 4, blocks);
        put32(at + 8, next);
        for (qsizetype i = 0; i < entries.size(); ++i) {
            put32(at + 16 + 8 * i, entries[i].first);
            put32(at + 20 + 8 * i, entries[i].second);
        }
    }

    QString writeTo(const QTemporaryDir& dir, const QString& name = QStringLiteral("index.dat")) {
        const QString path = dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(m_bytes);
        return path;
    }

private:
    QByteArray& grow(qint64 end) {
        if (end > m_bytes.size())
            m_bytes.resize(end, '\0');
        return m_bytes;
    }

    QByteArray m_bytes;
};

// A FILETIME for seconds since 1970 (plus ticks below a second).
inline uint64_t fileTimeOf(int64_t unixSeconds, uint32_t ticks = 0) {
    return uint64_t(unixSeconds + 11644473600LL) * 10000000ULL + ticks;
}

// The walk of one file into a memory work file, cut into lines of fields.
struct WalkResult {
    double version = 0;
    int recordCount = 0;
    QList<QList<QByteArray>> rows;
    QByteArray workFile;
};

inline WalkResult walkFile(const QString& path, bool linearScan, Progress* progress = nullptr,
                           int share = 50, Reporter* report = nullptr) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    RecordSink sink;
    sink.WorkFile = &buffer;
    WalkOptions options;
    options.linearScan = linearScan;
    options.context.progress = progress;
    options.context.share = share;
    options.context.report = report;
    WalkResult result;
    result.version = WalkCacheIndex(path, options, sink);
    result.recordCount = sink.RecordCount;
    result.workFile = buffer.data();
    for (const QByteArray& line : result.workFile.split('\n')) {
        if (!line.isEmpty())
            result.rows.append(line.split('\t'));
    }
    return result;
}

// Times in UTC and in one fixed pattern for the duration of a test.
class FixedTimeTexts : public ::testing::Test {
protected:
    void SetUp() override {
        m_zone.emplace("UTC");
        m_oldFormat = dateTimeFormat();
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override {
        setDateTimeFormat(m_oldFormat);
        m_zone.reset();
    }

    QTemporaryDir m_dir;

private:
    std::optional<ZoneGuard> m_zone;
    QString m_oldFormat;
};

} // namespace vc::testing
