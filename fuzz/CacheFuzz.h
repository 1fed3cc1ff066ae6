#pragma once

// What the cache fuzz targets share: a folder laid out as a cache, whose
// files are links to the test data's files but for one, a link to the
// input; the checks of what the Cache table's loader makes of it; and the
// start of every run (each target includes this once).
#include "FuzzInput.h"
#include "browsers/BrowserColumns.h"
#include "browsers/cache/CacheBody.h"
#include "browsers/cache/CacheDetail.h"
#include "browsers/cache/CacheLoad.h"
#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"
#include "tables/RowSink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdlib>

namespace vc::fuzz {

// The files of the test data a cache folder is made of.
inline QString testData(const QString& name) {
    return QStringLiteral(VC_TEST_DATA_DIR) + QLatin1Char('/') + name;
}

inline void linkTo(const QString& target, const QString& link) {
    QDir().mkpath(QFileInfo(link).path());
    if (::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) != 0)
        std::abort();
}

// A folder below a temporary one holding links to every file below a
// folder of the test data, but the one named `input`, which links to the
// input file.
class CacheFolder {
public:
    CacheFolder(QTemporaryDir& root, const QString& name, const QString& dataFolder,
                const QString& input, const InputFile& file)
        : m_path(root.filePath(name)) {
        const QString from = testData(dataFolder);
        QDir().mkpath(m_path);
        const QStringList names =
            QDir(from).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& n : names)
            if (n != input)
                linkTo(from + QLatin1Char('/') + n, m_path + QLatin1Char('/') + n);
        for (const QString& sub : QDir(from).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString& n : QDir(from + QLatin1Char('/') + sub).entryList(QDir::Files))
                if (sub + QLatin1Char('/') + n != input)
                    linkTo(from + QLatin1Char('/') + sub + QLatin1Char('/') + n,
                           m_path + QLatin1Char('/') + sub + QLatin1Char('/') + n);
        linkTo(file.path(), m_path + QLatin1Char('/') + input);
    }
    QByteArray path() const { return EvidenceFiles::pathBytes(m_path); }

private:
    QString m_path;
};

// Keeps the rows and checks each: one cell for every column, no control
// character in any text cell (a row is one line of an export).
class CheckingSink : public RowSink {
public:
    int columns() const override { return kWebCacheColumnCount; }
    void appendCells(const QByteArrayView* cells, int count) override {
        if (count != kWebCacheColumnCount)
            std::abort();
        QList<QByteArray> row;
        for (int c = 0; c < count; ++c) {
            const bool time = c == kWebCacheCreated || c == kWebCacheLastUsed ||
                              c == kWebCacheServerModified || c == kWebCacheExpires;
            if (time && !cells[c].isEmpty() && !readTimeCell(cells[c]))
                std::abort();
            for (char ch : cells[c])
                if (!time && static_cast<unsigned char>(ch) < 32)
                    std::abort();
            row.append(cells[c].toByteArray());
        }
        rows.append(row);
    }
    void clearRows() override { rows.clear(); }
    QList<QList<QByteArray>> rows;
};

// Loads the folder as a cache of the format and reads the first three rows'
// entries again: the detail pane and the body (at most 256 KiB), as the
// window does for a selected row.
inline void loadAndReadBack(const QByteArray& folder, CacheFormat format) {
    CheckingSink sink;
    loadBrowserCacheFolders(localEvidenceFiles(),
                            {{Browser::Chrome, QStringLiteral("Default"), folder, format}},
                            LoadContext(), sink);
    constexpr qint64 kBodyBound = qint64(256) << 10;
    for (qsizetype i = 0; i < sink.rows.size() && i < 3; ++i) {
        const QList<QByteArray>& row = sink.rows[i];
        if (row[kWebCacheFolder] != folder ||
            !row[kWebCacheLocation].startsWith(cacheFormatTag(format) + ':'))
            std::abort();
        const QString pane = webCacheDetailTextOfRow(localEvidenceFiles(), row);
        if (!pane.startsWith(QString::fromUtf8(row[kWebCacheUrl])))
            std::abort();
        const CachedBody body = readCachedBodyOfRow(localEvidenceFiles(), row, kBodyBound);
        if (body.bytes.size() > kBodyBound)
            std::abort();
    }
}

} // namespace vc::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}
