// The small preview picture of a detail pane.
#include "app/MainWindow.h"
#include "language/InterfaceTexts.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace vc {

void ShowPreview(TForm1& form, const QString& folder, const QString& name, const QString& fullPath,
                 DetailPane* pane) {
    ClickPanel* box = pane ? pane->imageBox() : nullptr;
    if (!box)
        return;
    QFrame* panel = pane->imagePanel();
    QLabel* caption = pane->imageCaption();
    box->disconnect(&form);
    panel->setLineWidth(1);
    caption->setText(tx(TextWait) + QStringLiteral(" ..."));
    box->setToolTip(QString());
    if ((folder + name).isEmpty()) {
        box->clear();
        caption->clear();
        return;
    }
    const QString file = name.isEmpty() ? QString() : fullPath.isEmpty() ? folder + name : fullPath;
    box->setToolTip(file);
    const QFileInfo info(file);
    // A folder exists too: it is no picture, but not erased either.
    const bool exists = !file.isEmpty() && info.exists();
    bool hasPicture = false;
    if (exists && info.isFile()) {
        QImageReader reader(file);
        reader.setAutoTransform(true);
        // Bounds the memory a hostile picture can claim for the preview.
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() <= 64LL * 1024 * 1024) {
            reader.setScaledSize(size.scaled(panel->size(), Qt::KeepAspectRatio));
        }
        const QImage image = reader.read();
        if (!image.isNull()) {
            box->setPixmap(QPixmap::fromImage(image));
            hasPicture = true;
        } else {
            box->clear();
        }
    } else {
        box->clear();
        if (!exists)
            caption->setText(tx(TextFileErased));
    }
    if (hasPicture) {
        caption->clear();
        return;
    }
    if (exists)
        caption->setText(name);
    panel->setLineWidth(3);
    box->setToolTip(tx(TextClickMe));
    const TabId id = form.currentTabId();
    QObject::connect(box, &ClickPanel::clicked, &form, [&form, id] { OpenRowTarget(form, id); });
}

} // namespace vc
