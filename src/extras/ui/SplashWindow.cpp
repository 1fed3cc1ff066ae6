#include "extras/ui/SplashWindow.h"

#include "language/InterfaceTexts.h"

#include <QApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace vc {

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
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

} // namespace vc
