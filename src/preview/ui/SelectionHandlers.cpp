// Selecting a row fills its tab's detail pane, names the current file for
// the file actions and previews pictures.
#include "app/MainWindow.h"
#include "browsers/ui/WebTabActions.h"
#include "cache/ui/BrowserTabActions.h"
#include "documents/FileTransfer.h"
#include "documents/ui/DocumentTabActions.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "preview/PathParts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"
#include "preview/ui/SourceRowPane.h"

#include "evidence/UserProfile.h"

#include <QFileInfo>
#include <QUrl>

namespace vc {

namespace {

// Where the cached copy of an Activity row lies: in the cache sub-folder
// named by its Directory field, beside the index file. NTFS ignores letter
// case and a profile copied to Linux keeps the case stored on disk, so the
// folder and the file are found whatever their case.
struct CachedCopy {
    QString folder; // with a trailing "/"
    QString name;
};

CachedCopy activityCachedCopy(const TForm1& form, const QString& directory,
                              const QString& fileName) {
    const QString indexFolder = withSlash(folderPart(form.activityIndexFile()));
    if (indexFolder.isEmpty() || directory.isEmpty())
        return {indexFolder + (directory.isEmpty() ? QString() : directory + QLatin1Char('/')),
                fileName};
    const QString base = indexFolder.size() > 1 ? indexFolder.chopped(1) : indexFolder;
    const QString folder = resolveNoCase(base, {directory}) + QLatin1Char('/');
    const QString found = findChildNoCase(folder.chopped(1), fileName);
    return {folder, found.isEmpty() ? fileName : found};
}

// The file a History address names once "file:///" is dropped
// ("C:/Documents and Settings/joe/beach.jpg"), as a path on this machine: a
// Windows path goes where it lies in the open profile, and a path that the
// address wrote with "%xx" escapes (spaces as "%20") is read back when it
// does not exist as written.
QString localFileOfAddress(const QString& target, const UserProfile* profile) {
    QStringList spellings{target};
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    if (decoded != target)
        spellings << decoded;
    QString first;
    for (const QString& spelling : spellings) {
        QString path = spelling;
        if (profile)
            if (const QString mapped = profile->mapWindowsPath(spelling); !mapped.isEmpty())
                path = mapped;
        if (QFileInfo::exists(path))
            return path;
        if (first.isEmpty())
            first = path;
    }
    return first;
}

// The columns every file table has (name, extension, two times, path).
constexpr int kFileTableColumns = 5;

} // namespace

void ShowRowInPane(TForm1& form, TabId id, int row) {
    form.setCurrentFileName(QString());
    TableTab& t = form.tab(id);
    if (row < 0 || row >= t.model->rows())
        return;
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    if (!current.isValid() || current.row() != row)
        return;
    if (ShowSourceRowView(form, id, row))
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
        const CachedCopy copy = activityCachedCopy(form, cell(6), cell(3));
        memo->appendPlainText(cell(6) + QLatin1Char('/') + cell(3));
        memo->appendPlainText(cell(7));
        // A record whose address offset holds filler stores no address.
        if (cell(0).isEmpty())
            memo->appendPlainText(tx(TextNoAddressStored));
        filePanel->setText(cell(0));
        filePanel->setToolTip(cell(0));
        form.setCurrentFileName(copy.folder + copy.name);
        ShowPreview(form, copy.folder, copy.name, QString(), t.pane);
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
        const QString file = local ? localFileOfAddress(target, form.userOfRow(id, row)) : target;
        form.setCurrentFileName(file);
        if (local)
            ShowPreview(form, folderPart(file), namePart(file), QString(), t.pane);
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
        // What the newer sources add (source, list position, recorded time,
        // the shortcut's target facts, the note): one line per field that
        // has a value, after its caption.
        for (int c = kFileTableColumns; c < t.model->columns(); ++c) {
            const QString value = cell(c);
            if (!value.isEmpty())
                memo->appendPlainText(t.model->caption(c) + QStringLiteral(": ") + value);
        }
        memo->moveCursor(QTextCursor::Start);
        filePanel->setToolTip(target);
        form.setCurrentFileName(target);
        // The preview shows the file where it lies on this machine: a
        // Windows path of an MRU list or a jump list placed in the profile.
        const QString local = localFileFor(target, form.userOfRow(id, row));
        ShowPreview(form, withSlash(folderPart(local)), namePart(local), QString(), t.pane);
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
        const CachedCopy copy =
            activityCachedCopy(form, t.model->cellText(row, 6), t.model->cellText(row, 3));
        OpenWithAssociatedProgram(form, copy.folder + copy.name);
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
