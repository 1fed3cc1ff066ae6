#include "preview/ui/SourceRowPane.h"

#include "app/MainWindow.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "preview/PathParts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace vc {

namespace {

// The most of a file inside a disk image that is read for its preview.
constexpr qint64 kMaxPreviewBytes = qint64(64) << 20;

// The private folder (mode 0700, removed at exit) that holds the one
// picture being previewed when it does not lie in this machine's folders:
// a cached response's body, a file inside a disk image.
QString writePreviewCopy(const QByteArray& bytes, const QString& name) {
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder)
        folder = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                 QStringLiteral("/vellacord-preview-XXXXXX"));
    if (!folder->isValid())
        return QString();
    // One copy at a time: the previous picture goes before the next comes.
    QDir dir(folder->path());
    for (const QString& old : dir.entryList(QDir::Files))
        dir.remove(old);
    const QString safe = namePart(name).isEmpty() ? QStringLiteral("preview") : namePart(name);
    const QString path = dir.filePath(safe);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace

bool ShowSourceRowView(TForm1& form, TabId id, int row) {
    const SourceSpec& decl = sourceAt(int(id));
    if (!decl.rowView)
        return false;
    TableTab& t = form.tab(id);
    form.ClearPane(t.pane);
    const Machine* machine = form.machine();
    const SourceRowView view = decl.rowView(*t.model, row, machine);
    QPlainTextEdit* memo = t.pane->memo();
    memo->setPlainText(view.text);
    memo->moveCursor(QTextCursor::Start);
    t.pane->filePanel()->setText(view.panel);
    t.pane->filePanel()->setToolTip(view.panel);

    QString preview;
    if (!view.file.isEmpty() && machine) {
        const EvidenceFiles& files = machine->files();
        if (files.isLocal()) {
            preview = EvidenceFiles::pathText(view.file);
        } else {
            QByteArray bytes;
            if (files.readWhole(view.file, kMaxPreviewBytes, &bytes) == EvidenceReadStatus::Ok)
                preview = writePreviewCopy(bytes, EvidenceFiles::pathText(view.file));
        }
    } else if (!view.picture.isEmpty()) {
        preview = writePreviewCopy(view.picture, view.pictureName);
    }
    if (preview.isEmpty())
        ShowPreview(form, QString(), QString(), QString(), t.pane);
    else
        ShowPreview(form, withSlash(folderPart(preview)), namePart(preview), QString(), t.pane);
    return true;
}

QString SourceRowFile(TForm1& form, TabId id, int row) {
    const SourceSpec& decl = sourceAt(int(id));
    const Machine* machine = form.machine();
    // The file actions work on files of this machine's folders only; a file
    // inside a disk image has none.
    if (!decl.rowView || !machine || !machine->files().isLocal())
        return QString();
    const SourceRowView view = decl.rowView(*form.tab(id).model, row, machine);
    return view.file.isEmpty() ? QString() : EvidenceFiles::pathText(view.file);
}

} // namespace vc
