// The Chrome, Edge and Firefox tab: its three loads and its detail pane.
#include "browsers/ui/WebTabActions.h"

#include "app/WindowFrame.h"
#include "browsers/BrowserLoad.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "preview/PathParts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"
#include "recall/ui/RecallActions.h"

namespace vc {

namespace {

// A download's Windows target path as a path in the row's user's profile
// (a Linux home's target as it stands); empty when there is no profile or
// the path lies outside what it holds.
QString targetInProfile(const UserProfile* profile, const QString& windowsPath) {
    if (!profile || windowsPath.isEmpty())
        return QString();
    // A Linux browser writes the target as a path of the computer itself.
    if (profile->isLinuxHome())
        return windowsPath;
    return profile->mapWindowsPath(windowsPath);
}

} // namespace

void LoadWebTab(WindowFrame& form, TabId id) {
    LoadSourceTab(form, id);
}

namespace {

// The cell of the database a row came from (after the browser and its
// profile folder).
int databaseColumn(TabId id) {
    switch (id) {
    case TabId::WebHistory:
        return kHistoryBrowser + 2;
    case TabId::WebDownloads:
        return kDownloadBrowser + 2;
    default:
        return kCookieBrowser + 2;
    }
}

} // namespace

void ShowWebRow(WindowFrame& form, TabId id, int row) {
    TableTab& t = form.tab(id);
    form.ClearPane(t.pane);
    const TableModel& table = *t.model;
    auto cell = [&](int column) { return table.cellText(row, column); };
    QPlainTextEdit* memo = t.pane->memo();
    for (int c = 0; c < table.columns(); ++c)
        memo->appendPlainText(table.caption(c) + QStringLiteral(": ") + cell(c));
    memo->moveCursor(QTextCursor::Start);

    // The last cells say where the row came from: browser, browser
    // profile, database, files read, the browser's place, and whose it is.
    const QString database = cell(databaseColumn(id));
    ClickPanel* panel = t.pane->filePanel();
    switch (id) {
    case TabId::WebDownloads: {
        // The target as the browser wrote it; the hint (what a click opens)
        // is where it lies in the profile.
        const QString target = WebRowFile(form, id, row);
        panel->setText(tx(TextTargetPath) + QStringLiteral(": ") + cell(kDownloadTargetPath));
        panel->setToolTip(target);
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
}

QString WebRowFile(WindowFrame& form, TabId id, int row) {
    const TableModel& table = *form.tab(id).model;
    if (id == TabId::WebDownloads)
        return targetInProfile(form.userOfRow(id, row), table.cellText(row, kDownloadTargetPath));
    return table.cellText(row, databaseColumn(id));
}

} // namespace vc
