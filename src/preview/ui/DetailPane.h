#pragma once

#include "app/WindowLayer.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

namespace vc {

// A one-line panel that reports clicks (the file panels above the memos).
class ClickPanel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    // The mouse shows the hand over the panel while it has a caption (there
    // is something to open), the arrow while it has none.
    void setHandWhileCaptioned(bool on);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void updateCursor();
    bool m_handWhileCaptioned = false;
};

// The detail pane under a table: a file panel across the top, a read-only
// memo, and on four tabs a picture box in its own panel at the right.
class DetailPane : public QFrame {
    Q_OBJECT
public:
    DetailPane(const QString& name, const QString& memoName, const QString& filePanelName,
               const QString& imagePanelName, const QString& imageName, QSize imageSize,
               QWidget* parent);

    ClickPanel* filePanel() const { return m_filePanel; }
    QPlainTextEdit* memo() const { return m_memo; }
    // The picture box and its panel; nullptr on tabs without pictures.
    QFrame* imagePanel() const { return m_imagePanel; }
    ClickPanel* imageBox() const { return m_image; }
    // Text shown on the picture panel ("Wait ...", "File Erased" ...).
    QLabel* imageCaption() const { return m_imageCaption; }
    // The file the picture box previews (empty when none); the zoom window
    // opens it.
    const QString& previewFile() const { return m_previewFile; }
    void setPreviewFile(const QString& file) { m_previewFile = file; }

private:
    ClickPanel* m_filePanel = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QFrame* m_imagePanel = nullptr;
    ClickPanel* m_image = nullptr;
    QLabel* m_imageCaption = nullptr;
    QString m_previewFile;
};

} // namespace vc
