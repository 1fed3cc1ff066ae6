// "IE Cookie" and the Cookie tab's detail pane.
#include "app/TabLoad.h"
#include "app/WindowFrame.h"
#include "cache/CookieLoad.h"
#include "cache/ui/BrowserTabActions.h"
#include "evidence/SpecialFolders.h"
#include "language/InterfaceTexts.h"
#include "preview/PathParts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"

namespace vc {

namespace {

void loadCookieFolder(WindowFrame& form, const QString& folder) {
    TabLoad load(form, TabId::Cookie);
    form.setCookieFolder(folder);
    TableModel& table = *form.tab(TabId::Cookie).model;
    const CookieIndexLoad result = LoadCookieIndex(folder, form.fullHistoryChecked(), true,
                                                   form.workFile(), load.context(), table);
    if (!result.workFileOpened)
        return;
    load.finish(TextRecords);
    form.setCookieFilesText(tx(TextCookieFiles) + QStringLiteral(": ") +
                            QString::number(result.fileNames.size()));
    if (Progress* bar = form.progress())
        bar->setPosition(100);
}

} // namespace

void LoadCookieTab(WindowFrame& form) {
    form.setConditionText(TabId::Cookie, QString());
    if (LoadedInsideImage(form, TabId::Cookie))
        return;
    const QString folder = form.chooser()->chooseFolder(
        tx(TextIeCookie), GetSpecialFolder(form.firstUser(), FolderKind::CookiesDir));
    if (folder.isEmpty())
        return;
    loadCookieFolder(form, folder);
}

void ShowCookieRow(WindowFrame& form, int row) {
    TableTab& t = form.tab(TabId::Cookie);
    form.ClearPane(t.pane);
    auto cell = [&](int column) { return t.model->cellText(row, column); };
    QPlainTextEdit* memo = t.pane->memo();
    memo->appendPlainText(tx(TextSite) + QLatin1Char(':'));
    memo->appendPlainText(cell(0));
    memo->appendPlainText(tx(TextCreationTime) + QStringLiteral(" - ") + tx(TextExpirationTime));
    memo->appendPlainText(cell(2) + QStringLiteral(" - ") + cell(3));
    memo->appendPlainText(tx(TextVariable));
    memo->appendPlainText(cell(1));
    memo->appendPlainText(tx(TextValue));
    memo->appendPlainText(cell(5));
    memo->appendPlainText(tx(TextFlags));
    memo->appendPlainText(cell(6));

    ClickPanel* filePanel = t.pane->filePanel();
    filePanel->setText(tx(TextCookieFile) + QStringLiteral(": ") + cell(4));
    filePanel->setToolTip(CookieRowFile(form, row));
    memo->moveCursor(QTextCursor::Start);
}

QString CookieRowFile(WindowFrame& form, int row) {
    // The cookie folder of the row's user (a volume's recall reads one per
    // user), else the folder the table was read from.
    const UserProfile* user = UserNamedByRow(form, TabId::Cookie, row);
    const QString folder =
        user ? GetSpecialFolder(user, FolderKind::CookiesDir) : form.cookieFolder();
    return withSlash(folder) + form.tab(TabId::Cookie).model->cellText(row, 4);
}

} // namespace vc
