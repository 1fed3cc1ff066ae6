// Selecting a row fills its tab's detail pane and previews pictures; the
// file behind a row (what the file actions work on) is found here too.
#include "app/WindowFrame.h"
#include "browsers/ui/CacheBodyActions.h"
#include "browsers/ui/WebTabActions.h"
#include "cache/ui/BrowserTabActions.h"
#include "documents/FileDates.h"
#include "documents/FileTransfer.h"
#include "documents/ui/DocumentTabActions.h"
#include "evidence/Sources.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "preview/PathParts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"
#include "preview/ui/SourceRowPane.h"
#include "timeline/ui/TimelineView.h"

#include "app/RowFocus.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "platform/Messages.h"

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

} // namespace

const UserProfile* UserNamedByRow(const WindowFrame& form, TabId id, int row) {
    const Machine* machine = form.machine();
    if (!machine)
        return nullptr;
    const TableModel& table = *form.tab(id).model;
    const QString name = table.cellText(row, table.columns() - 1);
    for (const auto& user : machine->users())
        if (!name.isEmpty() && user->name() == name)
            return user.get();
    return nullptr;
}

namespace {

CachedCopy activityCachedCopy(const WindowFrame& form, int row) {
    const TableModel& table = *form.tab(TabId::Activity).model;
    const QString directory = table.cellText(row, 6);
    const QString fileName = table.cellText(row, 3);
    // The index file of the row's user (a volume's recall reads one per
    // user), else the one the table was read from.
    const UserProfile* user = UserNamedByRow(form, TabId::Activity, row);
    const QString indexFolder = withSlash(user ? GetSpecialFolder(user, FolderKind::CacheDir)
                                               : folderPart(form.activityIndexFile()));
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

// What a History row names: its address without the "user@" before it, and
// for a "file:///" address the path after it.
struct HistoryTarget {
    QString shown;
    bool local = false;
};

HistoryTarget historyTarget(const QString& address) {
    HistoryTarget target{address};
    const qsizetype at = target.shown.indexOf(QLatin1Char('@'));
    if (at >= 0)
        target.shown = target.shown.mid(at + 1);
    target.local = target.shown.startsWith(QLatin1String("file:///"));
    if (target.local)
        target.shown = target.shown.mid(8);
    return target;
}

} // namespace

QString FileOfRow(WindowFrame& form, TabId id, int row) {
    const TableTab& t = form.tab(id);
    if (row < 0 || row >= t.model->rows())
        return QString();
    auto cell = [&](int column) { return t.model->cellText(row, column); };
    if (id == kTimelineTab)
        return form.timelineView()->fileOfRow(row);
    if (sourceAt(int(id)).rowView)
        return SourceRowFile(form, id, row);
    switch (id) {
    case TabId::Activity: {
        const CachedCopy copy = activityCachedCopy(form, row);
        return copy.folder + copy.name;
    }
    case TabId::History: {
        const HistoryTarget target = historyTarget(cell(0));
        return target.local ? localFileOfAddress(target.shown, form.userOfRow(id, row))
                            : target.shown;
    }
    case TabId::Cookie:
        return CookieRowFile(form, row);
    case TabId::Links:
        return cell(3);
    case TabId::Recent:
    case TabId::Temp:
        // A Windows path of an MRU list or a jump list, placed in the profile.
        return localFileFor(cell(4), form.userOfRow(id, row));
    case TabId::WebHistory:
    case TabId::WebDownloads:
    case TabId::WebCookies:
        return WebRowFile(form, id, row);
    }
    return QString();
}

QString FocusedFile(WindowFrame& form, TabId id) {
    return FileOfRow(form, id, focusedRow(form.tab(id)));
}

bool OpenEvidenceTarget(WindowFrame& form, const QString& target) {
    if (target.isEmpty())
        return false;
    // An address taken from the evidence would be visited from the
    // examiner's machine, telling the site so: only when the user says so.
    if (isAddress(target) &&
        messages().show(MessageKind::Confirmation,
                        tx(TextOpenEvidenceAddress) + QStringLiteral("\n\n") + target,
                        MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    OpenWithAssociatedProgram(form, target);
    return true;
}

void ShowRowInPane(WindowFrame& form, TabId id, int row) {
    TableTab& t = form.tab(id);
    if (row < 0 || row >= t.model->rows() || focusedRow(t) != row)
        return;
    if (id == kTimelineTab) {
        form.timelineView()->showInPane(row);
        return;
    }
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
        const CachedCopy copy = activityCachedCopy(form, row);
        memo->appendPlainText(cell(6) + QLatin1Char('/') + cell(3));
        memo->appendPlainText(cell(7));
        // A record whose address offset holds filler stores no address.
        if (cell(0).isEmpty())
            memo->appendPlainText(tx(TextNoAddressStored));
        filePanel->setText(cell(0));
        filePanel->setToolTip(cell(0));
        ShowPreview(form, copy.folder, copy.name, QString(), t.pane);
        break;
    }
    case TabId::History: {
        memo->appendPlainText(cell(1) + QStringLiteral(" - ") + cell(2));
        memo->appendPlainText(cell(3));
        memo->appendPlainText(cell(4));
        memo->moveCursor(QTextCursor::Start);
        const HistoryTarget target = historyTarget(cell(0));
        filePanel->setText(target.shown);
        filePanel->setToolTip(target.shown);
        const QString file = FileOfRow(form, id, row);
        if (target.local)
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
        break;
    case TabId::Recent:
    case TabId::Temp: {
        const QString target = cell(4);
        memo->appendPlainText(cell(0));
        filePanel->setText(tx(id == TabId::Recent ? TextLink : TextFileMenu) +
                           QStringLiteral(": ") + cell(0));
        memo->appendPlainText(cell(2) + QStringLiteral(" - ") + cell(3));
        memo->appendPlainText(target);
        // Inside a disk image: a deleted entry, the file system's own facts.
        if (const UserProfile* user = form.userOfRow(id, row))
            for (const QString& fact :
                 evidenceEntryFacts(user->files(), EvidenceFiles::pathBytes(target)))
                memo->appendPlainText(fact);
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
        // The preview shows the file where it lies on this machine.
        const QString local = FileOfRow(form, id, row);
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

void OpenRowTarget(WindowFrame& form, TabId id) {
    const int row = focusedRow(form.tab(id));
    if (row < 0)
        return;
    if (id == kTimelineTab) {
        form.timelineView()->showEventRow(row);
        return;
    }
    if (id == TabId::Activity) {
        OpenEvidenceTarget(form, FileOfRow(form, id, row));
        return;
    }
    if (FocusedCacheRow(form) >= 0) {
        // A cached body has no file of its own: opened from a private copy.
        OpenCurrentFile(form, nullptr);
        return;
    }
    OpenFilePanelTarget(form, id);
}

void OpenFilePanelTarget(WindowFrame& form, TabId id) {
    ClickPanel* panel = form.tab(id).pane->filePanel();
    // The Activity and History panels open their caption (the address);
    // the others the path in their hint.
    const QString target =
        id == TabId::Activity || id == TabId::History ? panel->text() : panel->toolTip();
    OpenEvidenceTarget(form, target);
}

} // namespace vc
