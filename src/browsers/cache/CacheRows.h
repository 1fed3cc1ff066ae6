#pragma once

#include "browsers/cache/CacheFolders.h"
#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QList>

namespace vc {

class RecallConditionSet;
class RowSink;

// Makes the rows of the Cache table (BrowserColumns.h) from the entries the
// cache readers give and hands those that pass the row filter to the sink.
// Text cells are UTF-8 with every control character a space; the four
// times are time cells; the last five cells come from the current cache
// folder and the entry's place in it. The cell buffers are reused from row
// to row.
class CacheRowWriter {
public:
    CacheRowWriter(RowSink& sink, const RecallConditionSet* filter);

    void setSource(const BrowserCacheFolder& cache);
    void write(const WebCacheEntry& entry);

    // Rows delivered to the sink so far.
    int rows() const { return m_rows; }

private:
    QByteArray filterText() const;

    RowSink& m_sink;
    const RecallConditionSet* m_filter;
    bool m_recode = false; // the filter compares code-page bytes
    QList<QByteArray> m_cells;
    int m_rows = 0;
};

} // namespace vc
