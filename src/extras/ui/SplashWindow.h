#pragma once

#include "app/WindowLayer.h"

#include <QLabel>
#include <QWidget>

namespace vc {

// The borderless window shown while the program starts: the picture and,
// at the bottom, the maker's web address.
class TSplash1 : public QWidget {
    Q_OBJECT
public:
    explicit TSplash1(const QString& webAddress, QWidget* parent = nullptr);
    // Shows the window and returns once it is on the screen and painted: a
    // window manager maps a window when it gets to it, and the start-up
    // that follows keeps the event loop busy. Waits half a second at most.
    void showPainted();
    // Keeps the window up and painted for ms milliseconds.
    void stayFor(int ms);
    QLabel* Label1 = nullptr;
    QLabel* ImageLik = nullptr;

private:
    void showPicture();
};

} // namespace vc
