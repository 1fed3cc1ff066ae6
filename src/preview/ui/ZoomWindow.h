#pragma once

#include "app/WindowLayer.h"

#include "preview/ui/DetailPane.h"
#include "preview/ui/PictureView.h"
#include "tables/ui/ModalWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace vc {

// The zoom window: the picture of a preview in a large, resizable modal
// window, fitted to the window or shown at a zoom from a third to four
// times its size, and turned by quarter turns. Created once and reused;
// only the choice between best fit and actual size carries over between
// showings.
class TZoom_in : public ModalWindow {
    Q_OBJECT

public:
    explicit TZoom_in(QWidget* parent = nullptr);

    Q_INVOKABLE void applyInterfaceTexts();

    // The picture to show and the path of its file (Image1's picture and hint).
    void setPicture(const QImage& picture, const QString& file);
    const QImage& picture() const { return Image1->picture(); }
    QString fileName() const { return m_file; }

    // The zoom factor of a track bar position: 1 + p / 100 above 0, 1 + p / d
    // below, where d comes from the track bar's minimum (450 for -300).
    double zoomFactor(int position) const;
    double zoomOutDivisor() const { return m_zoomOutDivisor; }

    // Handlers, named as in the window layout.
    void FormActivate();
    void FormResize();
    void ExitBtnClick();
    void ZoomInOutBtnClick(QToolButton* button);
    void ZoomOutPanelClick();
    void ZoomInPanelClick();
    void ZoomTrackBarChange();
    void ActualSizeBtnClick();
    void BestFitBtnClick();
    void ViewRadioClick();
    void RotateBtnClick(QToolButton* button);
    // Places Image1 in the middle of the scroll box (at its top-left corner
    // along a side where it is larger than the box).
    void Centre();

    QToolBar* ToolBar1 = nullptr;
    QToolButton* ExitBtn = nullptr;
    QToolButton* ZoomOutBtn = nullptr; // tag -1
    QToolButton* ZoomInBtn = nullptr;  // tag +1
    QToolButton* RotateRBtn = nullptr; // tag -1
    QToolButton* RotateLBtn = nullptr; // tag 1
    QRadioButton* BestFitRadio = nullptr;
    QRadioButton* ActualSizeRadio = nullptr;
    QScrollArea* ShowScrollBox = nullptr;
    PictureView* Image1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QGroupBox* ZoomPanel = nullptr;
    ClickPanel* ZoomOutPanel = nullptr; // "-"
    ClickPanel* Zoom0Panel = nullptr;   // "0": steps out, as "-" does
    ClickPanel* ZoomInPanel = nullptr;  // "+"
    QSlider* ZoomTrackBar = nullptr;

    // The tag of a button: the zoom step or the turn it stands for.
    static int tagOf(const QWidget* button);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildZoomPanel();
    // Sets the track bar, and sizes the image even when the position stays.
    void setZoomPosition(int position);
    // Image1 at the given size, the scroll range following it.
    void sizeImage(QSize size);
    // Image1 over the whole scroll box (best fit, without touching the zoom group).
    void fitToBox();
    void enableButtons();

    QWidget* m_canvas = nullptr; // the scroll box's contents, holding Image1
    QString m_file;
    double m_zoomOutDivisor = 450;
    bool m_activated = false;
};

// What a click on a preview picture does: opens the zoom window on the
// file's picture, read whole (an animated GIF shows its first frame), with
// caption text 100. When the file cannot be read as a picture, the zoom
// picture is cleared, an error message names the failure and the file, and
// the window stays closed. Returns whether the window was shown.
bool OpenZoomWindow(TZoom_in& zoom, const QString& file);

} // namespace vc
