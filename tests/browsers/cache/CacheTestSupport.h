#pragma once

// What the browser-cache tests share: time texts in UTC in one layout, a
// load of one cache folder into collected rows, and writers of the caches'
// files made from the formats' descriptions (docs/formats/), for the simple
// cache (no real one is at hand), Firefox's index, and damaged copies.
#include "TestData.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserTestSupport.h"
#include "browsers/cache/CacheLoad.h"
#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

namespace vc::testing {

// Little- and big-endian numbers appended to bytes.
inline void putLe32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
inline void putLe64(QByteArray& out, quint64 v) {
    char b[8];
    qToLittleEndian(v, b);
    out.append(b, 8);
}
inline void putBe32(QByteArray& out, quint32 v) {
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}
inline void putBe64(QByteArray& out, quint64 v) {
    char b[8];
    qToBigEndian(v, b);
    out.append(b, 8);
}
inline void setLe32(QByteArray& bytes, qsizetype at, quint32 v) {
    qToLittleEndian(v, bytes.data() + at);
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
// Copies every file of a folder of tests/data (no sub-folders) to a folder.
inline void copyTestFolder(const QString& name, const QString& to) {
    QDir().mkpath(to);
    const QDir from(testDataPath(name));
    for (const QString& file : from.entryList(QDir::Files))
        writeFile(to + QLatin1Char('/') + file, fileBytes(from.filePath(file)));
}
inline QByteArray sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}
// zlib's deflate with a window: 15 + 16 gzip, 15 zlib's wrapper, -15 raw.
inline QByteArray deflated(const QByteArray& bytes, int windowBits) {
    z_stream s{};
    EXPECT_EQ(deflateInit2(&s, 6, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY), Z_OK);
    QByteArray out(qsizetype(deflateBound(&s, uLong(bytes.size()))) + 32, '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    s.avail_in = uInt(bytes.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    EXPECT_EQ(deflate(&s, Z_FINISH), Z_STREAM_END);
    out.resize(qsizetype(s.total_out));
    deflateEnd(&s);
    return out;
}
inline QByteArray pathBytes(const QString& path) {
    return EvidenceFiles::pathBytes(path);
}

// Chrome's response information as a pickle: flags (version 3), the
// request and response times, the header lines ('\n'-separated) as
// zero-separated text, an empty socket address and port.
inline QByteArray responsePickle(const QByteArray& lines, qint64 requestTime, qint64 responseTime,
                                 bool extraFlags = false) {
    QByteArray raw = lines;
    raw.replace('\n', '\0');
    raw.append(2, '\0');
    QByteArray payload;
    putLe32(payload, extraFlags ? 0x80000003u : 3u);
    if (extraFlags)
        putLe32(payload, 4); // an original response time follows
    putLe64(payload, quint64(requestTime));
    putLe64(payload, quint64(responseTime));
    if (extraFlags)
        putLe64(payload, quint64(responseTime - 5));
    putLe32(payload, quint32(raw.size()));
    payload += raw;
    payload.append((4 - raw.size() % 4) % 4, '\0');
    putLe32(payload, 0); // socket address: the empty text
    putLe32(payload, 0); // and the port
    QByteArray pickle;
    putLe32(pickle, quint32(payload.size()));
    return pickle + payload;
}

// One entry of a simple cache, written as Chrome writes its "_0" file.
struct SimpleEntrySpec {
    QByteArray key;
    QByteArray body;
    QByteArray headers; // lines separated by '\n'
    qint64 requestTime = 0;
    qint64 responseTime = 0;
    bool keySha256 = false;
};
inline QByteArray simpleEntryFile(const SimpleEntrySpec& decl) {
    const QByteArray stream0 = responsePickle(decl.headers, decl.requestTime, decl.responseTime);
    QByteArray file;
    putLe64(file, 0xfcfb6d1ba7725c30ULL);
    putLe32(file, 5);
    putLe32(file, quint32(decl.key.size()));
    putLe32(file, 0x12345678); // hash of the key, not checked
    putLe32(file, 0);
    file += decl.key;
    file += decl.body;
    auto eof = [&file](quint32 flags, quint32 streamSize) {
        putLe64(file, 0xf4fa6f45970d41d8ULL);
        putLe32(file, flags);
        putLe32(file, 0);
        putLe32(file, streamSize);
        putLe32(file, 0);
    };
    eof(1, 0);
    file += stream0;
    if (decl.keySha256)
        file += QCryptographicHash::hash(decl.key, QCryptographicHash::Sha256);
    eof(decl.keySha256 ? 3 : 1, quint32(stream0.size()));
    return file;
}
// A "_s" file: the header and key, then each range (its place in the body
// and its bytes).
inline QByteArray simpleSparseFile(const QByteArray& key,
                                   const QList<std::pair<qint64, QByteArray>>& ranges) {
    QByteArray file;
    putLe64(file, 0xfcfb6d1ba7725c30ULL);
    putLe32(file, 5);
    putLe32(file, quint32(key.size()));
    putLe32(file, 0);
    putLe32(file, 0);
    file += key;
    for (const auto& [offset, bytes] : ranges) {
        putLe64(file, 0xeb97bf016553676bULL);
        putLe64(file, quint64(offset));
        putLe64(file, quint64(bytes.size()));
        putLe32(file, 0);
        putLe32(file, 0);
        file += bytes;
    }
    return file;
}
// index-dir/the-real-index of a version (6 to 9), each hash with its last
// use.
inline QByteArray simpleIndexFile(quint32 version, const QList<std::pair<quint64, qint64>>& used) {
    QByteArray payload;
    putLe64(payload, 0x656e74657220796fULL);
    putLe32(payload, version);
    putLe64(payload, quint64(used.size()));
    putLe64(payload, 12345);
    if (version >= 7)
        putLe32(payload, 2);
    for (const auto& [hash, time] : used) {
        putLe64(payload, hash);
        putLe64(payload, quint64(time));
        putLe64(payload, quint64(1000) << 8);
    }
    putLe64(payload, 13043349869756123ULL);
    QByteArray file;
    putLe32(file, quint32(payload.size()));
    putLe32(file, 0);
    return file + payload;
}

// cache2/index of version 13 (the last fetch and count in each record) or
// 10 (the load times).
struct FirefoxIndexSpec {
    QByteArray hash; // 40 hexadecimal digits
    quint32 lastFetched = 0;
    quint32 fetchCount = 0;
};
inline QByteArray firefoxIndexFile(quint32 version, const QList<FirefoxIndexSpec>& records) {
    QByteArray file;
    putBe32(file, version);
    putBe32(file, 1600000000);
    putBe32(file, 0);
    if (version >= 10)
        putBe32(file, 77);
    if (version >= 13)
        putBe32(file, 0);
    for (const FirefoxIndexSpec& r : records) {
        file += QByteArray::fromHex(r.hash);
        putBe32(file, 500);
        putBe64(file, 0x1122334455667788ULL);
        if (version >= 13) {
            putBe32(file, r.lastFetched);
            putBe32(file, r.fetchCount);
        } else {
            putBe32(file, 0xFFFFFFFFu);
        }
        file += char(3);
        putBe32(file, 0x80000004u);
    }
    putBe32(file, 0xDEADBEEF);
    return file;
}

// A Firefox entry file: the body, then the metadata (version 3) with the
// key and the elements, then the metadata's offset.
inline QByteArray firefoxEntryFile(const QByteArray& body, const QByteArray& key,
                                   const QList<std::pair<QByteArray, QByteArray>>& elements,
                                   quint32 lastFetched, quint32 lastModified, quint32 expires) {
    QByteArray file = body;
    putBe32(file, 0); // hash of the metadata
    for (qsizetype chunk = 0; chunk < (body.size() + 262143) / 262144; ++chunk)
        file.append(2, '\x55');
    putBe32(file, 3);
    putBe32(file, 4); // fetch count
    putBe32(file, lastFetched);
    putBe32(file, lastModified);
    putBe32(file, 1000);
    putBe32(file, expires);
    putBe32(file, quint32(key.size()));
    putBe32(file, 0);
    file += key + '\0';
    for (const auto& [name, value] : elements)
        file += name + '\0' + value + '\0';
    putBe32(file, quint32(body.size()));
    return file;
}

// Time texts in UTC, "yyyy-MM-dd HH:mm:ss", as for the browser databases,
// and a private folder, for the length of a test.
class CacheTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
    }

    QString dir(const QString& name = QString()) const {
        return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
    }

    // The rows of one cache folder, read as the loader reads a profile's.
    CollectingSink rowsOf(const QString& folder, CacheFormat format,
                          CollectingReporter* reporter = nullptr,
                          const RecallConditionSet* filter = nullptr,
                          Browser browser = Browser::Chrome) {
        CollectingSink sink;
        LoadContext context;
        context.report = reporter;
        context.filter = filter;
        loadBrowserCacheFolders(
            localEvidenceFiles(),
            {{browser, QStringLiteral("Default"), pathBytes(folder), format, QString()}}, context,
            sink);
        return sink;
    }

private:
    QTemporaryDir m_dir;
};

// A time cell as its text (empty for an empty cell).
inline QByteArray timeText(const QByteArray& cell) {
    return cellTimeText(cell);
}

} // namespace vc::testing
