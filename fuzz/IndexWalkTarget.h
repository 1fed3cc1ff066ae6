#pragma once

// The walk of a cache index file in one mode, with a progress bar, a
// reporter and the Activity table filled from the rows, as the window does.

#include "FuzzInput.h"
#include "cache/ActivityTable.h"
#include "cache/CacheIndexWalker.h"
#include "platform/Progress.h"
#include "platform/Reporter.h"
#include "tables/LineFill.h"
#include "tables/TableColumns.h"
#include "tables/TableModel.h"

#include <QBuffer>

namespace vc::fuzz {

inline void walkIndex(const uint8_t* data, size_t size, bool linearScan) {
    static InputFile file;
    file.set(data, size);
    QBuffer work;
    work.open(QIODevice::ReadWrite);
    RecordSink sink;
    sink.WorkFile = &work;
    CountingProgress bar;
    CollectingReporter report;
    WalkOptions options;
    options.linearScan = linearScan;
    options.context.progress = &bar;
    options.context.share = 50;
    options.context.report = &report;
    WalkCacheIndex(file.path(), options, sink);
    // The bar never passes the walk's share.
    if (bar.position() > 50 || !report.errors.isEmpty())
        std::abort();
    const QList<QByteArray> lines = work.data().split('\n');
    TableModel table(QStringLiteral("ListView1"), activityColumns());
    ListLines source(lines);
    FillActivityRows(source, table, nullptr, 50);
    // Every record is one line of seven fields, and one row.
    if (table.rows() != sink.RecordCount + 1)
        std::abort();
}

} // namespace vc::fuzz
