#pragma once

#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vc {

class EvidenceFiles;

// The detail pane's text for an entry: its address, its notes, the fields
// the table has no column for (the whole cache key, the request and
// response times, the entry's last change, Firefox's fetch count), each on
// a line of its own as "name: value", then a blank line and the response
// headers under their heading. Times are made into texts in the current
// pattern and zone; no line holds a control character (the address and
// key as the table's cells hold them: to the first zero byte).
QString webCacheDetailText(const WebCacheEntry& entry);
// The same for a row of the Cache table, whose entry is read again from
// its cache folder and location; when it cannot be, the row's address and
// why.
QString webCacheDetailTextOfRow(const EvidenceFiles& files, const QList<QByteArray>& cells);

} // namespace vc
