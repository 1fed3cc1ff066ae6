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
    QLabel* Label1 = nullptr;
    QLabel* ImageLik = nullptr;
};

} // namespace vc
