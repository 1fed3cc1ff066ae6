// The Chrome, Edge and Firefox tab: its three loads and its detail pane.
#include "browsers/ui/WebTabActions.h"

#include "app/MainWindow.h"
#include "app/TabLoad.h"
#include "browsers/BrowserLoad.h"
#include "language/InterfaceTexts.h"
#include "platform/Profile.h"
#include "preview/PathParts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"

namespace vc {

namespace {

BrowserTable tableOf(TabId id) {
    switch (id) {
    case TabId::WebDownloads:
        return BrowserTable::Downloads;
    case TabId::WebCookies:
        return BrowserTable::Cookies;
    default:
        return BrowserTable::History;
    }
}

// A download's Windows target path as a path in the opened profile; empty
// when there is no profile or the path lies outside what it holds.
QString targetInProfile(const QString& windowsPath) {
    const Profile* profile = currentProfile();
    if (!profile || windowsPath.isEmpty())
        return QString();
    return profile->mapWindowsPath(windowsPath);
}

} // namespace

void LoadWebTab(TForm1& form, TabId id) {
    form.setConditionText(id, QString());
    TabLoad load(form, id);
    load.refillWith([&form, id] { LoadWebTab(form, id); });
    fillBrowserTable(tableOf(id), currentProfile(), load.context(), *form.tab(id).model);
    load.finish(TextRecords);
}

void ShowWebRow(TForm1& form, TabId id, int row) {
    TableTab& t = form.tab(id);
    form.ClearPane(t.pane);
    const TableModel& table = *t.model;
    auto cell = [&](int column) { return table.cellText(row, column); };
    QPlainTextEdit* memo = t.pane->memo();
    for (int c = 0; c < table.columns(); ++c)
        memo->appendPlainText(table.caption(c) + QStringLiteral(": ") + cell(c));
    memo->moveCursor(QTextCursor::Start);

    // The last four cells say where the row came from: browser, browser
    // profile, database, files read.
    const QString database = cell(table.columns() - 2);
    ClickPanel* panel = t.pane->filePanel();
    switch (id) {
    case TabId::WebDownloads: {
        // The target as the browser wrote it; the hint (what a click opens)
        // is where it lies in the profile.
        const QString target = targetInProfile(cell(kDownloadTargetPath));
        panel->setText(tx(TextTargetPath) + QStringLiteral(": ") + cell(kDownloadTargetPath));
        panel->setToolTip(target);
        form.setCurrentFileName(target);
        ShowPreview(form, withSlash(folderPart(target)), namePart(target), QString(), t.pane);
        return;
    }
    case TabId::WebHistory:
        // A click opens the address, as on Internet Explorer's History tab.
        panel->setText(cell(kHistoryUrl));
        panel->setToolTip(cell(kHistoryUrl));
        break;
    default:
        panel->setText(tx(TextSourceFile) + QStringLiteral(": ") + database);
        panel->setToolTip(database);
        break;
    }
    form.setCurrentFileName(database);
}

} // namespace vc
