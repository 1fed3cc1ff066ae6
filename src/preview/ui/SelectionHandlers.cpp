// Selecting a row fills its tab's detail pane, names the current file for
// the file actions and previews pictures.
#include "app/MainWindow.h"
#include "browsers/ui/WebTabActions.h"
#include "cache/ui/BrowserTabActions.h"
#include "documents/ui/DocumentTabActions.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "preview/PathParts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"

#include <QFileInfo>

namespace vc {

void ShowRowInPane(TForm1& form, TabId id, int row) {
    form.setCurrentFileName(QString());
    TableTab& t = form.tab(id);
    if (row < 0 || row >= t.model->rows())
        return;
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    if (!current.isValid() || current.row() != row)
        return;
    if (id == TabId::Cookie) {
        ShowCookieRow(form, row);
        return;
    }
    if (id >= TabId::WebHistory) {
        ShowWebRow(form, id, row);
        return;
    }
    form.ClearPane(t.pane);
    auto cell = [&](int column) { return t.model->cellText(row, column); };
    QPlainTextEdit* memo = t.pane->memo();
    ClickPanel* filePanel = t.pane->filePanel();

    switch (id) {
    case TabId::Activity: {
        memo->appendPlainText(cell(1) + QStringLiteral(" - ") + cell(2));
        const QString cacheFolder =
            withSlash(folderPart(form.activityIndexFile())) + cell(6) + QLatin1Char('/');
        memo->appendPlainText(cell(6) + QLatin1Char('/') + cell(3));
        memo->appendPlainText(cell(7));
        filePanel->setText(cell(0));
        filePanel->setToolTip(cell(0));
        form.setCurrentFileName(cacheFolder + cell(3));
        ShowPreview(form, cacheFolder, cell(3), QString(), t.pane);
        break;
    }
    case TabId::History: {
        memo->appendPlainText(cell(1) + QStringLiteral(" - ") + cell(2));
        memo->appendPlainText(cell(3));
        memo->appendPlainText(cell(4));
        memo->moveCursor(QTextCursor::Start);
        QString target = cell(0);
        const qsizetype at = target.indexOf(QLatin1Char('@'));
        if (at >= 0)
            target = target.mid(at + 1);
        const bool local = target.startsWith(QLatin1String("file:///"));
        if (local)
            target = target.mid(8);
        filePanel->setText(target);
        filePanel->setToolTip(target);
        form.setCurrentFileName(target);
        if (local)
            ShowPreview(form, folderPart(target), namePart(target), QString(), t.pane);
        else
            ShowPreview(form, QString(), QString(), QString(), t.pane);
        break;
    }
    case TabId::Links:
        memo->appendPlainText(cell(0));
        filePanel->setText(tx(TextLink) + QStringLiteral(": ") + cell(0));
        memo->appendPlainText(cell(1) + QStringLiteral(" - ") + cell(2));
        memo->appendPlainText(cell(3));
        // The address the favorite stores, where it has one.
        if (!cell(4).isEmpty())
            memo->appendPlainText(tx(TextStoredAddress) + QStringLiteral(": ") + cell(4));
        memo->moveCursor(QTextCursor::Start);
        filePanel->setToolTip(cell(3));
        form.setCurrentFileName(cell(3));
        break;
    case TabId::Recent:
    case TabId::Temp: {
        const QString target = cell(4);
        memo->appendPlainText(cell(0));
        filePanel->setText(tx(id == TabId::Recent ? TextLink : TextFileMenu) +
                           QStringLiteral(": ") + cell(0));
        memo->appendPlainText(cell(2) + QStringLiteral(" - ") + cell(3));
        memo->appendPlainText(target);
        memo->moveCursor(QTextCursor::Start);
        filePanel->setToolTip(target);
        form.setCurrentFileName(target);
        ShowPreview(form, withSlash(folderPart(target)), namePart(target), QString(), t.pane);
        break;
    }
    case TabId::Cookie:
    case TabId::WebHistory:
    case TabId::WebDownloads:
    case TabId::WebCookies:
        break;
    }
}

void OpenRowTarget(TForm1& form, TabId id) {
    TableTab& t = form.tab(id);
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    if (t.model->rows() == 0 || !current.isValid())
        return;
    if (id == TabId::Activity) {
        const int row = current.row();
        OpenWithAssociatedProgram(form, withSlash(folderPart(form.activityIndexFile())) +
                                            t.model->cellText(row, 6) + QLatin1Char('/') +
                                            t.model->cellText(row, 3));
        return;
    }
    OpenFilePanelTarget(form, id);
}

void OpenFilePanelTarget(TForm1& form, TabId id) {
    ClickPanel* panel = form.tab(id).pane->filePanel();
    // The Activity and History panels open their caption (the address);
    // the others the path in their hint.
    const QString target =
        id == TabId::Activity || id == TabId::History ? panel->text() : panel->toolTip();
    if (!target.isEmpty())
        OpenWithAssociatedProgram(form, target);
}

} // namespace vc
