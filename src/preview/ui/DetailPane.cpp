#include "preview/ui/DetailPane.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace vc {

void ClickPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    QLabel::mousePressEvent(event);
}

void ClickPanel::setHandWhileCaptioned(bool on) {
    m_handWhileCaptioned = on;
    setMouseTracking(on);
}

void ClickPanel::updateCursor() {
    if (m_handWhileCaptioned)
        setCursor(text().isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void ClickPanel::mouseMoveEvent(QMouseEvent* event) {
    updateCursor();
    QLabel::mouseMoveEvent(event);
}

void ClickPanel::enterEvent(QEnterEvent* event) {
    updateCursor();
    QLabel::enterEvent(event);
}

DetailPane::DetailPane(const QString& name, const QString& memoName, const QString& filePanelName,
                       const QString& imagePanelName, const QString& imageName, QSize imageSize,
                       QWidget* parent)
    : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);

    auto* left = new QVBoxLayout;
    m_filePanel = new ClickPanel(this);
    m_filePanel->setObjectName(filePanelName);
    m_filePanel->setFrameShape(QFrame::Panel);
    m_filePanel->setFrameShadow(QFrame::Sunken);
    m_filePanel->setTextInteractionFlags(Qt::NoTextInteraction);
    m_filePanel->setMinimumHeight(m_filePanel->fontMetrics().height() + 6);
    m_filePanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_filePanel->setHandWhileCaptioned(true);
    left->addWidget(m_filePanel);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(memoName);
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    left->addWidget(m_memo, 1);
    outer->addLayout(left, 1);

    if (!imageName.isEmpty()) {
        m_imagePanel = new QFrame(this);
        m_imagePanel->setObjectName(imagePanelName);
        m_imagePanel->setFrameShape(QFrame::Panel);
        m_imagePanel->setFrameShadow(QFrame::Raised);
        m_imagePanel->setLineWidth(1);
        m_imagePanel->setFixedSize(imageSize);
        auto* stack = new QStackedLayout(m_imagePanel);
        stack->setStackingMode(QStackedLayout::StackAll);
        m_image = new ClickPanel(m_imagePanel);
        m_image->setObjectName(imageName);
        m_image->setAlignment(Qt::AlignCenter);
        m_imageCaption = new QLabel(m_imagePanel);
        m_imageCaption->setObjectName(imagePanelName + QStringLiteral("_Caption"));
        m_imageCaption->setAlignment(Qt::AlignCenter);
        m_imageCaption->setWordWrap(true);
        m_imageCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
        stack->addWidget(m_image);
        stack->addWidget(m_imageCaption);
        outer->addWidget(m_imagePanel, 0, Qt::AlignTop);
    }
}

} // namespace vc
