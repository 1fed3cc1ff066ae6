// Benchmarks, shown rather than asserted (run with
// --gtest_also_run_disabled_tests --gtest_filter='*CacheBenchmark*'): a
// block-file cache and a simple cache of 50,000 entries each listed into a
// table of the program, and the body of a cached picture of 2 MiB read from
// its row, as the preview reads it.
#include "CacheTestSupport.h"
#include "browsers/cache/CacheBody.h"

#include <QElapsedTimer>

#include <iostream>

namespace vc::testing {
namespace {

constexpr int kEntries = 50000;
constexpr qint64 k2020 = (1577836800LL + 11644473600LL) * 1000000LL;

// A block-file cache written as Chrome lays it out: the index's table,
// entries in data_1, ranking nodes in data_0, the response information in
// data_4 and small bodies in data_5 (both of 256-byte blocks, as Chrome adds
// files of a size when one is full), large bodies in f_ files.
class BlockFileCacheWriter {
public:
    explicit BlockFileCacheWriter(const QString& folder) : m_folder(folder), m_table(0x10000, 0) {
        for (const auto& [number, size] : {std::pair{0, 36}, {1, 256}, {4, 256}, {5, 256}}) {
            QByteArray header(8192, '\0');
            setLe32(header, 0, 0xC104CAC3);
            setLe32(header, 4, 0x20000);
            setLe32(header, 12, quint32(size));
            m_files[number] = header;
            m_sizes[number] = size;
        }
    }
    void add(const QByteArray& key, const QByteArray& headers, const QByteArray& body,
             qint64 created) {
        QByteArray node;
        putLe64(node, quint64(created + 1000000));
        putLe64(node, quint64(created));
        node.append(20, '\0');
        const quint32 ranking = put(0, 1, node);
        const quint32 info = put(4, 2, responsePickle(headers, created - 10, created));
        quint32 bodyAddress = 0;
        if (body.size() <= 1024) {
            bodyAddress = put(5, 2, body);
        } else {
            const int number = ++m_external;
            writeFile(m_folder + QStringLiteral("/f_%1").arg(number, 6, 16, QLatin1Char('0')),
                      body);
            bodyAddress = 0x80000000u | quint32(number);
        }
        const quint32 hash = quint32(qHash(key));
        QByteArray entry(256, '\0');
        setLe32(entry, 0, hash);
        setLe32(entry, 4, m_table[hash & 0xFFFF]);
        setLe32(entry, 8, ranking);
        qToLittleEndian<quint64>(quint64(created), entry.data() + 24);
        setLe32(entry, 32, quint32(key.size()));
        setLe32(entry, 40, quint32(responsePickle(headers, 0, 0).size()));
        setLe32(entry, 44, quint32(body.size()));
        setLe32(entry, 56, info);
        setLe32(entry, 60, bodyAddress);
        entry.replace(96, qMin<qsizetype>(key.size(), 159),
                      key.first(qMin<qsizetype>(key.size(), 159)));
        m_table[hash & 0xFFFF] = put(1, 2, entry);
        ++m_count;
    }
    void finish() {
        for (auto it = m_files.begin(); it != m_files.end(); ++it)
            writeFile(m_folder + QStringLiteral("/data_%1").arg(it.key()), it.value());
        QByteArray index(368, '\0');
        setLe32(index, 0, 0xC103CAC3);
        setLe32(index, 4, 0x20001);
        setLe32(index, 8, quint32(m_count));
        setLe32(index, 28, 0x10000);
        for (quint32 address : m_table)
            putLe32(index, address);
        writeFile(m_folder + QStringLiteral("/index"), index);
    }

private:
    // Appends data in the blocks it needs (at most four) of a file.
    quint32 put(int number, int type, const QByteArray& data) {
        QByteArray& file = m_files[number];
        const int size = m_sizes[number];
        const int blocks = qMax(1, int((data.size() + size - 1) / size));
        const quint32 start = quint32((file.size() - 8192) / size);
        EXPECT_LE(blocks, 4);
        EXPECT_LT(start + blocks, 65536u);
        QByteArray padded = data;
        padded.resize(blocks * size, '\0');
        file += padded;
        return 0x80000000u | quint32(type) << 28 | quint32(blocks - 1) << 24 |
               quint32(number) << 16 | start;
    }

    QString m_folder;
    QMap<int, QByteArray> m_files;
    QMap<int, int> m_sizes;
    QList<quint32> m_table;
    int m_external = 0;
    int m_count = 0;
};

const QByteArray kHeaders = "HTTP/1.1 200 OK\nContent-Type: image/png\nLast-Modified: Sun, 06 Nov "
                            "1994 08:49:37 GMT\nExpires: Thu, 01 Dec 2044 16:00:00 GMT";

// The best of three timed runs, in milliseconds.
template <typename Run> double bestOfThree(Run run) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = qMin(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

using CacheBenchmark = CacheTest;

TEST_F(CacheBenchmark, DISABLED_CachesOf50000EntriesAreListed) {
    const QString blockFolder = dir(QStringLiteral("block"));
    BlockFileCacheWriter writer(blockFolder);
    for (int i = 0; i < kEntries; ++i)
        writer.add("https://img" + QByteArray::number(i % 97) + ".example/pictures/" +
                       QByteArray::number(i) + ".png",
                   kHeaders, QByteArray(200, char('a' + i % 26)), k2020 + i * 1000000LL);
    writer.finish();
    const QString simpleFolder = dir(QStringLiteral("simple"));
    QList<std::pair<quint64, qint64>> used;
    for (int i = 0; i < kEntries; ++i) {
        const QByteArray hash = QByteArray::number(0x1000000 + i, 16).rightJustified(16, '0');
        writeFile(simpleFolder + QLatin1Char('/') + QString::fromLatin1(hash) +
                      QStringLiteral("_0"),
                  simpleEntryFile({"https://img.example/" + QByteArray::number(i) + ".png",
                                   QByteArray(200, 'p'), kHeaders, k2020, k2020, true}));
        used.append({quint64(0x1000000 + i), k2020 + i});
    }
    writeFile(simpleFolder + QStringLiteral("/index-dir/the-real-index"), simpleIndexFile(9, used));

    for (const auto& [name, folder, format] :
         {std::tuple{"block-file", blockFolder, CacheFormat::BlockFile},
          std::tuple{"simple", simpleFolder, CacheFormat::Simple}}) {
        int rows = 0;
        const double ms = bestOfThree([&, folder = folder, format = format] {
            const std::unique_ptr<TableModel> table = makeWebCacheTable();
            loadBrowserCacheFolders(localEvidenceFiles(),
                                    {{Browser::Chrome, QStringLiteral("Default"), pathBytes(folder),
                                      format, QString()}},
                                    LoadContext(), *table);
            rows = table->rows();
        });
        EXPECT_EQ(rows, kEntries);
        std::cout << "[ benchmark ] " << name << " cache of " << rows << " entries listed in " << ms
                  << " ms" << std::endl;
        RecordProperty(std::string(name) + "_ms", int(ms));
    }
}

TEST_F(CacheBenchmark, DISABLED_CachedPictureBodyIsReadFromItsRow) {
    // A picture of 2 MiB in an f_ file of a block-file cache, and the same
    // picture gzip-compressed in a simple cache's entry file (as servers
    // send SVG and some other images).
    QByteArray picture("\xFF\xD8\xFF\xE0", 4);
    quint32 x = 1;
    while (picture.size() < 2 << 20) {
        x = x * 1103515245 + 12345;
        picture += char(x >> 24);
    }
    const QString blockFolder = dir(QStringLiteral("block"));
    BlockFileCacheWriter writer(blockFolder);
    writer.add("https://img.example/big.jpg", "HTTP/1.1 200 OK\nContent-Type: image/jpeg", picture,
               k2020);
    writer.finish();
    const QString simpleFolder = dir(QStringLiteral("simple"));
    writeFile(simpleFolder + QStringLiteral("/00000000000000aa_0"),
              simpleEntryFile({"https://img.example/big.jpg", deflated(picture, 31),
                               "HTTP/1.1 200 OK\nContent-Type: image/jpeg\nContent-Encoding: gzip",
                               k2020, k2020, false}));

    for (const auto& [name, folder, format] :
         {std::tuple{"block-file, f_ file", blockFolder, CacheFormat::BlockFile},
          std::tuple{"simple, _0 file, gzip", simpleFolder, CacheFormat::Simple}}) {
        const CollectingSink sink = rowsOf(folder, format);
        ASSERT_EQ(sink.rows.size(), 1);
        CachedBody body;
        const double ms =
            bestOfThree([&] { body = readCachedBodyOfRow(localEvidenceFiles(), sink.rows[0]); });
        EXPECT_EQ(body.bytes, picture);
        std::cout << "[ benchmark ] picture of " << picture.size() << " bytes (" << name
                  << ") read from its row in " << ms << " ms" << std::endl;
    }
}

} // namespace
} // namespace vc::testing
