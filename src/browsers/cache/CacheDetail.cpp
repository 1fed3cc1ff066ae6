#include "browsers/cache/CacheDetail.h"

#include "browsers/BrowserColumns.h"
#include "browsers/cache/CacheEntryRead.h"
#include "cache/IndexFormat.h"
#include "language/InterfaceTexts.h"

namespace vc {

namespace {

void addLine(QString& text, int label, const QString& value) {
    text += tx(label) + QStringLiteral(": ") + value + QLatin1Char('\n');
}

// A text of the entry as one line, as the table shows its cells.
QString oneLine(const QByteArray& bytes) {
    QByteArray line = bytes;
    CleanControlChars(line);
    return QString::fromUtf8(line);
}

} // namespace

QString webCacheDetailText(const WebCacheEntry& entry) {
    QString text = oneLine(entry.url) + QLatin1Char('\n');
    if (!entry.notes.isEmpty())
        addLine(text, TextNote, entry.notes.join(QStringLiteral("; ")));
    for (const CacheEntryDetail& detail : entry.details)
        addLine(text, detail.label,
                oneLine(detail.time ? timeValueText(*detail.time) : detail.text));
    if (!entry.headers.isEmpty())
        text += QLatin1Char('\n') + tx(TextResponseHeaders) + QStringLiteral(":\n") +
                QString::fromUtf8(entry.headers) + QLatin1Char('\n');
    return text;
}

QString webCacheDetailTextOfRow(const EvidenceFiles& files, const QList<QByteArray>& cells) {
    QString error;
    const std::optional<WebCacheEntry> entry =
        readCacheEntry(files, cells.value(kWebCacheFolder), cells.value(kWebCacheLocation), &error);
    if (entry)
        return webCacheDetailText(*entry);
    QString text = QString::fromUtf8(cells.value(kWebCacheUrl)) + QLatin1Char('\n');
    addLine(text, TextNote, error);
    return text;
}

} // namespace vc
