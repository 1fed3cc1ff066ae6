#include "preview/ui/SourceRowPane.h"

#include "app/WindowFrame.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "preview/PathParts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/EvidenceCopies.h"
#include "preview/ui/PaneActions.h"

namespace vc {

bool ShowSourceRowView(WindowFrame& form, TabId id, int row) {
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
    if (!view.file.isEmpty() && machine)
        preview = LocalEvidenceFile(form, EvidenceFiles::pathText(view.file), CopyPurpose::Preview);
    else if (!view.picture.isEmpty())
        preview = WritePrivateCopy(view.picture, view.pictureName, CopyPurpose::Preview);
    if (preview.isEmpty())
        ShowPreview(form, QString(), QString(), QString(), t.pane);
    else
        ShowPreview(form, withSlash(folderPart(preview)), namePart(preview), QString(), t.pane);
    return true;
}

QString SourceRowFile(WindowFrame& form, TabId id, int row) {
    const SourceSpec& decl = sourceAt(int(id));
    const Machine* machine = form.machine();
    // A file inside a disk image is named by its path there; the file
    // actions copy it out first.
    if (!decl.rowView || !machine)
        return QString();
    const SourceRowView view = decl.rowView(*form.tab(id).model, row, machine);
    return view.file.isEmpty() ? QString() : EvidenceFiles::pathText(view.file);
}

} // namespace vc
