#pragma once

#include "app/WindowLayer.h"

#include <QIcon>

namespace vc {

enum class ZoomIcon { Exit, ZoomIn, ZoomOut, RotateLeft, RotateRight };

// The images of the zoom window's tool buttons, drawn by the program so
// they look the same under every desktop theme.
QIcon zoomIcon(ZoomIcon kind);

} // namespace vc
