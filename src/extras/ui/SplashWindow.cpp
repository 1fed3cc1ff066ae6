#include "extras/ui/SplashWindow.h"

#include "extras/ui/Pictures.h"
#include "language/InterfaceTexts.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace vc {

namespace {

constexpr int kBottomMargin = 6;

} // namespace

TSplash1::TSplash1(const QString& webAddress, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Splash1"));
    setFixedSize(221, 266);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x1d, 0x2b, 0x3a));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    ImageLik = new QLabel(this);
    ImageLik->setObjectName(QStringLiteral("ImageLik"));
    ImageLik->setAlignment(Qt::AlignCenter);
    QFont big = font();
    big.setPointSize(18);
    big.setBold(true);
    ImageLik->setFont(big);
    ImageLik->setText(tx(TextProgramName));
    layout->addWidget(ImageLik, 1);
    Label1 = new QLabel(webAddress, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    layout->addWidget(Label1);
    showPicture();
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplash1::showPainted() {
    show();
    const QDeadlineTimer deadline(500);
    while (!(windowHandle() && windowHandle()->isExposed()) && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplash1::stayFor(int ms) {
    QEventLoop wait;
    QTimer::singleShot(ms, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

// The drawn picture fills the window above the web address, stretched with
// its proportions kept; without it the box keeps the product name.
void TSplash1::showPicture() {
    const QPixmap picture = splashPicture();
    if (picture.isNull())
        return;
    layout()->setContentsMargins(0, 0, 0, kBottomMargin);
    layout()->setSpacing(0);
    const QSize area(width(), height() - Label1->sizeHint().height() - kBottomMargin);
    const qreal ratio = devicePixelRatioF();
    QPixmap shown = picture.scaled(area * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    ImageLik->setPixmap(shown);
}

} // namespace vc
