#pragma once

#include "app/WindowLayer.h"

#include "extras/ui/PictureBox.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace vc {

// The about window: black, held at 233 x 314, the about picture with the
// version as its hint, the maker's web address (a click opens it) and an OK
// button. A left click with Shift held on the picture shows the second
// picture at its own size; another brings the first back, stretched.
class TAbout1 : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 233;
    static constexpr int kHeight = 314;

    TAbout1(const QString& versionText, const QString& makerWebAddress, QWidget* parent = nullptr);

    // Opens the web address; the desktop's open operation unless replaced
    // (tests).
    std::function<void(const QString& address)> openAddress;

    // Which picture ImgAbout1 shows: 0 the first, 1 the second.
    int pictureState() const { return m_state; }

    void ImgAbout1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void Panel2Click();

    PictureBox* ImgAbout1 = nullptr;
    PictureBox* Image1 = nullptr; // hidden: the first picture
    PictureBox* Image2 = nullptr; // hidden: the second picture
    QLabel* Panel2 = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormResize();
    void FormClose();
    void showFirstPicture();
    void fitAddressFont();

    int m_state = 0;
};

} // namespace vc
