#include "extras/ui/AboutWindow.h"

#include "documents/FileServices.h"
#include "extras/ui/Pictures.h"
#include "language/InterfaceTexts.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace vc {

TAbout1::TAbout1(const QString& versionText, const QString& makerWebAddress, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("About1"));
    setWindowTitle(tx(TextAbout) + QStringLiteral("..."));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, QColor(0x9f, 0xc3, 0xd6));
    setPalette(black);
    setFixedSize(kWidth, kHeight);

    openAddress = [](const QString& address) { fileServices().open(address); };

    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(aboutPicture1());
    Image1->hide();
    Image2 = new PictureBox(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPicture(aboutPicture2());
    Image2->hide();

    ImgAbout1 = new PictureBox(this);
    ImgAbout1->setObjectName(QStringLiteral("ImgAbout1"));
    ImgAbout1->setToolTip(versionText);
    connect(ImgAbout1, &PictureBox::pressed, this, &TAbout1::ImgAbout1MouseDown);
    connect(Image1, &PictureBox::pressed, this, &TAbout1::ImgAbout1MouseDown);

    Panel2 = new QLabel(makerWebAddress, this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setCursor(Qt::PointingHandCursor);
    Panel2->installEventFilter(this);

    CancelButton = new QPushButton(tx(TextOk), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setDefault(true);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 8);
    layout->setSpacing(4);
    layout->addWidget(ImgAbout1, 1);
    layout->addWidget(Panel2);
    layout->addWidget(CancelButton, 0, Qt::AlignHCenter);

    fitAddressFont();
    showFirstPicture();
}

// The whole address shows on one line: the font gets smaller until it fits.
void TAbout1::fitAddressFont() {
    QFont font = Panel2->font();
    const int room = kWidth - 16;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(Panel2->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    Panel2->setFont(font);
}

void TAbout1::showFirstPicture() {
    ImgAbout1->setPicture(Image1->picture());
    ImgAbout1->setStretched(true);
    m_state = 0;
}

void TAbout1::ImgAbout1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (button != Qt::LeftButton || !(modifiers & Qt::ShiftModifier))
        return;
    if (m_state == 0) {
        ImgAbout1->setPicture(Image2->picture());
        ImgAbout1->setStretched(false);
        m_state = 1;
    } else {
        showFirstPicture();
    }
}

void TAbout1::Panel2Click() {
    if (openAddress)
        openAddress(Panel2->text());
}

void TAbout1::FormResize() {
    if (size() != QSize(kWidth, kHeight))
        resize(kWidth, kHeight);
}

void TAbout1::FormClose() {
    showFirstPicture();
}

void TAbout1::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TAbout1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen.
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TAbout1::done(int result) {
    FormClose();
    QDialog::done(result);
}

bool TAbout1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Panel2Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vc
