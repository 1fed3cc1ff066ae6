#include "preview/ui/ZoomWindow.h"

#include "app/PanelLabel.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "preview/pictures/LoadPicture.h"
#include "preview/pictures/RotatePicture.h"
#include "preview/ui/ZoomIcons.h"

#include <QBoxLayout>
#include <QEvent>
#include <QKeyEvent>

#include <algorithm>
#include <cmath>

namespace vc {

namespace {

constexpr int kTrackMinimum = -300;
constexpr int kTrackMaximum = 300;

// A size or position truncated toward zero; the products of decimal
// factors land a hair below whole numbers (300 x 1.07 = 320.99...), which
// must not cost a pixel or a step.
int truncated(double value) {
    return int(std::trunc(value + (value < 0 ? -1e-9 : 1e-9)));
}

QToolButton* makeToolButton(QToolBar* bar, const QString& name, ZoomIcon icon, int tag) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setIcon(zoomIcon(icon));
    button->setProperty("tag", tag);
    bar->addWidget(button);
    return button;
}

ClickPanel* makeClickPanel(QWidget* parent, const QString& name, const QString& caption) {
    auto* panel = new ClickPanel(caption, parent);
    panel->setObjectName(name);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setMinimumSize(22, 22);
    panel->setCursor(Qt::PointingHandCursor);
    return panel;
}

} // namespace

TZoom_in::TZoom_in(QWidget* parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("Zoom_in"));
    setModal(true);
    setSizeGripEnabled(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    resize(640, 480);

    // The divisor that makes the track bar's minimum the smallest zoom:
    // (-m) / (1 / (m div 100) + 1), 450 for -300 (a third of the size),
    // worked out as (-m) k / (k + 1) with k = m div 100 so that it is exact.
    const int hundreds = kTrackMinimum / 100;
    m_zoomOutDivisor = double(-kTrackMinimum) * hundreds / (hundreds + 1);

    buildToolBar();
    buildZoomPanel();

    ShowScrollBox = new QScrollArea(this);
    ShowScrollBox->setObjectName(QStringLiteral("ShowScrollBox"));
    ShowScrollBox->setWidgetResizable(false);
    ShowScrollBox->setFrameShape(QFrame::NoFrame);
    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("ShowScrollBoxContents"));
    Image1 = new PictureView(m_canvas);
    Image1->setObjectName(QStringLiteral("Image1"));
    ShowScrollBox->setWidget(m_canvas);
    ShowScrollBox->viewport()->installEventFilter(this);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    // The picture's path shortened in the middle where it does not fit: the
    // panels share the bar six to four and never widen the window.
    StatusPanel0 = new PanelLabel(QStringLiteral("StatusPanel0"), Qt::ElideMiddle, StatusBar1);
    StatusPanel1 = new PanelLabel(QStringLiteral("StatusPanel1"), Qt::ElideRight, StatusBar1);
    for (QLabel* panel : {StatusPanel0, StatusPanel1})
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addWidget(StatusPanel0, 6);
    StatusBar1->addWidget(StatusPanel1, 4);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->addWidget(ZoomPanel);
    middle->addWidget(ShowScrollBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addLayout(middle, 1);
    layout->addWidget(StatusBar1);

    BestFitRadio->setChecked(true);
    ZoomPanel->hide();
    enableButtons();
    applyInterfaceTexts();
}

void TZoom_in::buildToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ExitBtn = makeToolButton(ToolBar1, QStringLiteral("ExitBtn"), ZoomIcon::Exit, 0);
    ToolBar1->addSeparator();
    ZoomOutBtn = makeToolButton(ToolBar1, QStringLiteral("ZoomOutBtn"), ZoomIcon::ZoomOut, -1);
    ZoomInBtn = makeToolButton(ToolBar1, QStringLiteral("ZoomInBtn"), ZoomIcon::ZoomIn, 1);
    ToolBar1->addSeparator();
    RotateRBtn = makeToolButton(ToolBar1, QStringLiteral("RotateRBtn"), ZoomIcon::RotateRight, -1);
    RotateLBtn = makeToolButton(ToolBar1, QStringLiteral("RotateLBtn"), ZoomIcon::RotateLeft, 1);
    ToolBar1->addSeparator();
    BestFitRadio = new QRadioButton(ToolBar1);
    BestFitRadio->setObjectName(QStringLiteral("BestFitRadio"));
    ActualSizeRadio = new QRadioButton(ToolBar1);
    ActualSizeRadio->setObjectName(QStringLiteral("ActualSizeRadio"));
    ToolBar1->addWidget(BestFitRadio);
    ToolBar1->addWidget(ActualSizeRadio);

    connect(ExitBtn, &QToolButton::clicked, this, &TZoom_in::ExitBtnClick);
    connect(ZoomOutBtn, &QToolButton::clicked, this, [this] { ZoomInOutBtnClick(ZoomOutBtn); });
    connect(ZoomInBtn, &QToolButton::clicked, this, [this] { ZoomInOutBtnClick(ZoomInBtn); });
    connect(RotateRBtn, &QToolButton::clicked, this, [this] { RotateBtnClick(RotateRBtn); });
    connect(RotateLBtn, &QToolButton::clicked, this, [this] { RotateBtnClick(RotateLBtn); });
    connect(BestFitRadio, &QRadioButton::clicked, this, &TZoom_in::ViewRadioClick);
    connect(ActualSizeRadio, &QRadioButton::clicked, this, &TZoom_in::ViewRadioClick);
}

void TZoom_in::buildZoomPanel() {
    ZoomPanel = new QGroupBox(this);
    ZoomPanel->setObjectName(QStringLiteral("ZoomPanel"));
    ZoomOutPanel = makeClickPanel(ZoomPanel, QStringLiteral("ZoomOutPanel"), QStringLiteral("-"));
    Zoom0Panel = makeClickPanel(ZoomPanel, QStringLiteral("Zoom0Panel"), QStringLiteral("0"));
    ZoomInPanel = makeClickPanel(ZoomPanel, QStringLiteral("ZoomInPanel"), QStringLiteral("+"));
    ZoomTrackBar = new QSlider(Qt::Vertical, ZoomPanel);
    ZoomTrackBar->setObjectName(QStringLiteral("ZoomTrackBar"));
    ZoomTrackBar->setRange(kTrackMinimum, kTrackMaximum);
    ZoomTrackBar->setValue(0);
    ZoomTrackBar->setPageStep(20);
    ZoomTrackBar->setSingleStep(1);
    ZoomTrackBar->setTickInterval(10);
    ZoomTrackBar->setTickPosition(QSlider::TicksBothSides);
    // The smallest zoom at the top, by the "-" panel; the largest at the
    // bottom, by the "+" panel.
    ZoomTrackBar->setInvertedAppearance(true);
    ZoomTrackBar->setInvertedControls(true);

    auto* beside = new QVBoxLayout;
    beside->addStretch(1);
    beside->addWidget(Zoom0Panel);
    beside->addStretch(1);
    auto* track = new QHBoxLayout;
    track->addWidget(ZoomTrackBar);
    track->addLayout(beside);
    auto* column = new QVBoxLayout(ZoomPanel);
    column->addWidget(ZoomOutPanel);
    column->addLayout(track, 1);
    column->addWidget(ZoomInPanel);

    connect(ZoomOutPanel, &ClickPanel::clicked, this, &TZoom_in::ZoomOutPanelClick);
    connect(Zoom0Panel, &ClickPanel::clicked, this, &TZoom_in::ZoomOutPanelClick);
    connect(ZoomInPanel, &ClickPanel::clicked, this, &TZoom_in::ZoomInPanelClick);
    connect(ZoomTrackBar, &QSlider::valueChanged, this, &TZoom_in::ZoomTrackBarChange);
}

void TZoom_in::applyInterfaceTexts() {
    BestFitRadio->setText(tx(TextBestFit));
    ActualSizeRadio->setText(tx(TextActualSize));
    ZoomInBtn->setToolTip(tx(TextZoomIn));
    ZoomOutBtn->setToolTip(tx(TextZoomOut));
    RotateLBtn->setToolTip(tx(TextRotateLeft));
    RotateRBtn->setToolTip(tx(TextRotateRight));
    ExitBtn->setToolTip(tx(TextExit));
    ZoomPanel->setTitle(tx(TextZoom));
    ZoomTrackBar->setToolTip(tx(TextZoom) + QStringLiteral(": ") +
                             QString::number(ZoomTrackBar->value()) + QStringLiteral("%"));
}

int TZoom_in::tagOf(const QWidget* button) {
    return button ? button->property("tag").toInt() : 0;
}

void TZoom_in::setPicture(const QImage& picture, const QString& file) {
    Image1->setPicture(picture);
    m_file = file;
    Image1->setToolTip(file);
    enableButtons();
}

double TZoom_in::zoomFactor(int position) const {
    if (position > 0)
        return 1.0 + position * 0.01;
    if (position < 0)
        return 1.0 + position / m_zoomOutDivisor;
    return 1.0;
}

void TZoom_in::sizeImage(QSize size) {
    Image1->resize(size);
    Centre();
}

void TZoom_in::Centre() {
    const QSize client = ShowScrollBox->viewport()->size();
    const int top = std::max(0, (client.height() - Image1->height()) / 2);
    const int left = std::max(0, (client.width() - Image1->width()) / 2);
    Image1->move(left, top);
    m_canvas->resize(std::max(client.width(), left + Image1->width()),
                     std::max(client.height(), top + Image1->height()));
}

void TZoom_in::ZoomTrackBarChange() {
    const int position = ZoomTrackBar->value();
    const double factor = zoomFactor(position);
    const QSize picture = Image1->picture().size();
    sizeImage(QSize(truncated(picture.width() * factor), truncated(picture.height() * factor)));
    ZoomTrackBar->setToolTip(tx(TextZoom) + QStringLiteral(": ") + QString::number(position) +
                             QStringLiteral("%"));
}

void TZoom_in::setZoomPosition(int position) {
    position = std::clamp(position, ZoomTrackBar->minimum(), ZoomTrackBar->maximum());
    if (ZoomTrackBar->value() == position)
        ZoomTrackBarChange();
    else
        ZoomTrackBar->setValue(position); // the change handler sizes the image
}

void TZoom_in::ActualSizeBtnClick() {
    Image1->resize(Image1->picture().size());
    setZoomPosition(0);
    ZoomPanel->show();
    Centre();
}

void TZoom_in::BestFitBtnClick() {
    ZoomPanel->hide();
    // Hiding the zoom group widens the scroll box; fit to its new size.
    if (QLayout* layout = this->layout())
        layout->activate();
    fitToBox();
}

void TZoom_in::fitToBox() {
    const QSize client = ShowScrollBox->viewport()->size();
    m_canvas->resize(client);
    Image1->setGeometry(QRect(QPoint(0, 0), client));
}

void TZoom_in::ViewRadioClick() {
    if (ActualSizeRadio->isChecked())
        ActualSizeBtnClick();
    else if (BestFitRadio->isChecked())
        BestFitBtnClick();
}

void TZoom_in::ZoomInOutBtnClick(QToolButton* button) {
    const QSize picture = Image1->picture().size();
    if (picture.isEmpty())
        return;
    if (ZoomPanel->isHidden()) {
        // Best fit: start from the scale the picture is shown at now.
        const double scale = std::min(double(Image1->width()) / picture.width(),
                                      double(Image1->height()) / picture.height());
        const double position = scale > 1 ? (scale - 1) * 100 : m_zoomOutDivisor * (scale - 1);
        setZoomPosition(truncated(position));
    }
    setZoomPosition(ZoomTrackBar->value() + tagOf(button));
    ZoomPanel->show();
    Centre();
}

void TZoom_in::ZoomOutPanelClick() {
    ZoomInOutBtnClick(ZoomOutBtn);
}

void TZoom_in::ZoomInPanelClick() {
    ZoomInOutBtnClick(ZoomInBtn);
}

void TZoom_in::RotateBtnClick(QToolButton* button) {
    QImage picture = Image1->picture();
    const int status = RotatePicture(picture, tagOf(button));
    if (status != 0) {
        GdiplusStatusText(status, 1);
        return;
    }
    // Image1 keeps its size; the turned picture is fitted into it.
    Image1->setPicture(picture);
}

void TZoom_in::ExitBtnClick() {
    close();
}

void TZoom_in::enableButtons() {
    const bool has = Image1->hasPicture();
    for (QToolButton* button : {RotateLBtn, RotateRBtn, ZoomInBtn, ZoomOutBtn})
        button->setEnabled(has);
}

void TZoom_in::FormActivate() {
    if (m_activated)
        return;
    m_activated = true;
    setZoomPosition(0);
    ViewRadioClick();
    StatusPanel0->setText(m_file);
    StatusPanel1->clear();
    enableButtons();
}

void TZoom_in::FormResize() {
    if (ZoomPanel->isHidden())
        fitToBox();
    Centre();
}

void TZoom_in::showEvent(QShowEvent* event) {
    ModalWindow::showEvent(event);
    FormActivate();
}

void TZoom_in::resizeEvent(QResizeEvent* event) {
    ModalWindow::resizeEvent(event);
    FormResize();
}

void TZoom_in::closeEvent(QCloseEvent* event) {
    // The window's close: Image1 forgets its file, the next showing sets up
    // again. The picture goes too: read whole, it may take hundreds of
    // megabytes, and every opening brings its own.
    m_file.clear();
    Image1->setToolTip(QString());
    Image1->setPicture(QImage());
    m_activated = false;
    ModalWindow::closeEvent(event);
}

void TZoom_in::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        setToolTip(QString());
        m_activated = false;
        Image1->setPicture(QImage());
        close();
        return;
    }
    ModalWindow::keyPressEvent(event);
}

bool TZoom_in::eventFilter(QObject* watched, QEvent* event) {
    // The scroll box changes size with the window and with the zoom group
    // showing or hiding: fit again in best fit, centre in any case.
    if (watched == ShowScrollBox->viewport() && event->type() == QEvent::Resize) {
        if (ZoomPanel->isHidden())
            fitToBox();
        Centre();
    }
    return ModalWindow::eventFilter(watched, event);
}

bool OpenZoomWindow(TZoom_in& zoom, const QString& file) {
    zoom.setWindowTitle(tx(TextPicture));
    const Picture picture = LoadPicture(file, QSize(), GifFrames::FirstFrame);
    if (picture.image.isNull()) {
        zoom.setPicture(QImage(), QString());
        showError(PictureFailureText(picture.status, file));
        return false;
    }
    zoom.setPicture(picture.image, file);
    zoom.runModal();
    return true;
}

} // namespace vc
