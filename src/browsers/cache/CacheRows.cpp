#include "browsers/cache/CacheRows.h"

#include "browsers/BrowserColumns.h"
#include "browsers/cache/HttpHeaders.h"
#include "cache/IndexFormat.h"
#include "platform/CodePage.h"
#include "recall/RecallConditions.h"
#include "recall/RecallFilter.h"
#include "tables/RowSink.h"

#include <algorithm>

namespace vc {

namespace {

constexpr int kDateColumns[] = {kWebCacheCreated, kWebCacheLastUsed, kWebCacheServerModified,
                                kWebCacheExpires};

bool isAscii(QByteArrayView text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

void setText(QByteArray& cell, QByteArrayView text) {
    cell.resize(0);
    cell.append(text);
    CleanControlChars(cell);
}

void setTime(QByteArray& cell, const std::optional<TimeValue>& time) {
    cell.resize(0);
    if (time)
        appendTimeCell(*time, cell);
}

} // namespace

CacheRowWriter::CacheRowWriter(RowSink& sink, const RecallConditionSet* filter)
    : m_sink(sink), m_filter(filter && !filter->isEmpty() ? filter : nullptr),
      m_cells(kWebCacheColumnCount) {
    m_recode = m_filter && sourceCodePage().compare(QLatin1String("utf-8"), Qt::CaseInsensitive);
}

void CacheRowWriter::setSource(const BrowserCacheFolder& cache) {
    setText(m_cells[kWebCacheBrowser], browserName(cache.browser).toUtf8());
    setText(m_cells[kWebCacheProfile], cache.profileName.toUtf8());
    setText(m_cells[kWebCacheFolder], cache.folder);
    setText(m_cells[kWebCachePlace], cache.place.toUtf8());
}

void CacheRowWriter::write(const WebCacheEntry& entry) {
    setText(m_cells[kWebCacheUrl], entry.url);
    setText(m_cells[kWebCacheContentType], httpHeaderValue(entry.headers, "Content-Type"));
    m_cells[kWebCacheSize] =
        entry.bodySize >= 0 ? QByteArray::number(entry.bodySize) : QByteArray();
    setTime(m_cells[kWebCacheCreated], entry.created);
    setTime(m_cells[kWebCacheLastUsed], entry.lastUsed);
    setTime(m_cells[kWebCacheServerModified], entry.serverModified);
    setTime(m_cells[kWebCacheExpires], entry.expires);
    setText(m_cells[kWebCacheStatus], httpStatusLine(entry.headers));
    setText(m_cells[kWebCacheNote], entry.notes.join(QStringLiteral("; ")).toUtf8());
    setText(m_cells[kWebCacheBodyFile], entry.bodyFile);
    setText(m_cells[kWebCacheLocation], entry.location());
    if (m_filter &&
        !PassesRecallConditions(*m_filter, filterText(),
                                entry.lastUsed ? timeValueText(*entry.lastUsed) : QByteArray()))
        return;
    m_sink.appendRow(m_cells);
    ++m_rows;
}

// The cells joined by single spaces, as the filter compares them: the times
// as their texts, the text cells in the source code page, in which the
// filter holds its phrase (as for the other browser tables).
QByteArray CacheRowWriter::filterText() const {
    QByteArray text;
    for (int c = 0; c < int(m_cells.size()); ++c) {
        if (c > 0)
            text += ' ';
        const QByteArray& cell = m_cells[c];
        if (std::find(std::begin(kDateColumns), std::end(kDateColumns), c) !=
            std::end(kDateColumns))
            text += cellTimeText(cell);
        else if (m_recode && !isAscii(cell))
            text += encodeEvidence(QString::fromUtf8(cell));
        else
            text += cell;
    }
    return text;
}

} // namespace vc
