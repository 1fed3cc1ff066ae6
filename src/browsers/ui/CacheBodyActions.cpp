#include "browsers/ui/CacheBodyActions.h"

#include "app/RowFocus.h"
#include "app/WindowFrame.h"
#include "browsers/BrowserColumns.h"
#include "browsers/cache/CacheBody.h"
#include "browsers/cache/CacheBodyName.h"
#include "browsers/cache/CacheSourceSpec.h"
#include "evidence/Machine.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "preview/ui/EvidenceCopies.h"
#include "tables/TableModel.h"
#include "timeline/ui/TimelineView.h"

#include <QTabWidget>
#include <QWidget>

namespace vc {

namespace {

int cacheSource() {
    static const int index = sourceIndex(QLatin1String(webCacheSource().name));
    return index;
}

TableTab& cacheTab(WindowFrame& form) {
    return form.tab(TabId(cacheSource()));
}

} // namespace

int FocusedCacheRow(WindowFrame& form) {
    TableTab& t = cacheTab(form);
    // The Cache table is in front when its sheet lies on the outer page in
    // front and is its group's current tab.
    const QWidget* outer = form.outerPageInFront();
    if (!outer)
        return -1;
    if (form.currentTabId() == kTimelineTab) {
        // An event of a cached entry: the entry's row of the Cache table.
        const TableTab& timeline = form.tab(kTimelineTab);
        const int event = focusedRow(timeline);
        if (outer != timeline.sheet || event < 0 || !form.timelineView())
            return -1;
        return form.timelineView()->sourceRowOf(event, cacheSource());
    }
    if (&form.tab(form.currentTabId()) != &t || !outer->isAncestorOf(t.sheet))
        return -1;
    return focusedRow(t);
}

QString CacheRowAddress(WindowFrame& form, int row) {
    return cacheTab(form).model->cellText(row, kWebCacheUrl);
}

QString CacheBodyCopy(WindowFrame& form, int row) {
    const TableModel& table = *cacheTab(form).model;
    if (row < 0 || row >= table.rows() || !form.machine())
        return QString();
    const QList<QByteArray> cells = table.rowCells(row);
    const CachedBody body = readCachedBodyOfRow(form.machine()->files(), cells);
    if (!body.error.isEmpty()) {
        showError(body.error);
        return QString();
    }
    const QByteArray location = cells.value(kWebCacheLocation);
    const QString name =
        cachedBodyFileName(cells.value(kWebCacheUrl), location.mid(location.indexOf(':') + 1),
                           table.cellText(row, kWebCacheContentType));
    const QString copy = WritePrivateCopy(body.bytes, name, CopyPurpose::Action);
    if (copy.isEmpty())
        showError(tx(TextFileNotCopied) + QStringLiteral(":\n") + name);
    return copy;
}

} // namespace vc
