// The small preview picture of a detail pane.
#include "app/WindowFrame.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "preview/pictures/GdiplusStatus.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/EvidenceCopies.h"
#include "preview/ui/PaneActions.h"
#include "preview/ui/PictureBox.h"
#include "preview/ui/ZoomWindow.h"

#include <QFileInfo>

namespace vc {

namespace {

enum class BoxClick { None, Zoom, OpenRow };

// What a click on the picture box does; the hand shows while it does
// something.
void setBoxClick(WindowFrame& form, DetailPane* pane, BoxClick click) {
    ClickPanel* box = pane->imageBox();
    box->disconnect(form.frameWidget());
    switch (click) {
    case BoxClick::None:
        box->unsetCursor();
        return;
    case BoxClick::Zoom:
        QObject::connect(box, &ClickPanel::clicked, form.frameWidget(),
                         [&form, pane] { Image1Click(form, pane); });
        break;
    case BoxClick::OpenRow: {
        // The double-click of the table the pane belongs to (a pane may be
        // filled while another tab is in front).
        int owner = -1;
        for (int i = 0; i < kTableTabCount; ++i)
            if (form.tab(TabId(i)).pane == pane)
                owner = i;
        if (owner < 0) {
            box->unsetCursor();
            return;
        }
        const TabId id = TabId(owner);
        QObject::connect(box, &ClickPanel::clicked, form.frameWidget(),
                         [&form, id] { OpenRowTarget(form, id); });
        break;
    }
    }
    box->setCursor(Qt::PointingHandCursor);
}

// The box holds no picture: its name (nothing while an animation is about
// to play in it, or the reason it shows none), the deep bevel, "Click Me",
// and a click does what a double-click on the row does.
void showNoPicture(WindowFrame& form, DetailPane* pane, const QString& caption) {
    pane->imageCaption()->setText(caption);
    pane->imagePanel()->setLineWidth(3);
    pane->imageBox()->setToolTip(tx(TextClickMe));
    setBoxClick(form, pane, BoxClick::OpenRow);
}

// A file that is there but could not be read as a picture: not a picture
// at all gives its name; anything else that went wrong (broken data, too
// large, no access) is told with the path and shows "Non graphic file".
QString captionOfFailure(int status, const QString& name, const QString& file) {
    if (status == kStatusUnknownImageFormat)
        return name;
    if (status == kStatusFileNotFound) // gone while it was being read
        return tx(TextFileErased);
    showError(PictureFailureText(status, file));
    return tx(TextNonGraphicFile);
}

} // namespace

void ShowPreview(WindowFrame& form, const QString& folder, const QString& name,
                 const QString& fullPath, DetailPane* pane) {
    ClickPanel* box = pane ? pane->imageBox() : nullptr;
    if (!box)
        return;
    QFrame* panel = pane->imagePanel();
    QLabel* caption = pane->imageCaption();
    setBoxClick(form, pane, BoxClick::None);
    panel->setLineWidth(1);
    caption->setText(tx(TextWait) + QStringLiteral(" ..."));
    box->setToolTip(QString());
    pane->setPreviewFile(QString());
    if ((folder + name).isEmpty()) {
        ClearPicture(box);
        caption->clear();
        return;
    }
    const QString named = name.isEmpty()       ? QString()
                          : fullPath.isEmpty() ? folder + name
                                               : fullPath;
    // A file inside a disk image is shown from a private copy.
    const QString file = LocalEvidenceFile(form, named, CopyPurpose::Preview);
    pane->setPreviewFile(file);
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        ClearPicture(box);
        showNoPicture(form, pane, tx(TextFileErased));
        return;
    }
    // Read on the picture thread: "Wait ..." shows until the picture is in.
    RequestPicture(box, file, panel->contentsRect().size(),
                   [&form, pane, name, file](const ShownPicture& shown) {
                       switch (shown.content) {
                       case BoxContent::Picture:
                           pane->imageCaption()->clear();
                           setBoxClick(form, pane, BoxClick::Zoom);
                           break;
                       case BoxContent::Animation:
                           showNoPicture(form, pane, QString());
                           break;
                       case BoxContent::Nothing:
                           showNoPicture(form, pane, captionOfFailure(shown.status, name, file));
                           break;
                       }
                   });
}

void Image1Click(WindowFrame& form, DetailPane* pane) {
    if (!pane || !pane->imageBox() || pane->imageBox()->pixmap().isNull())
        return;
    OpenZoomWindow(*form.zoomWindow(), pane->previewFile());
}

} // namespace vc
