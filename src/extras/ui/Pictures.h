#pragma once

#include "app/WindowLayer.h"

#include <QPixmap>

namespace vc {

// The pictures drawn for the program (compiled in from pictures.qrc). A
// null picture when the resource file was not built in.
QPixmap aboutPicture1();
QPixmap aboutPicture2();
QPixmap splashPicture();
QPixmap programIcon();

} // namespace vc
