#pragma once

#include "app/WindowLayer.h"

#include <QVariant>

namespace vc {

// The tables' small image list for column headers: image 0 marks a column
// sorted in descending order, image 1 one sorted in ascending order. The
// picture of an image, or an empty value for -1 and other numbers (and when
// no widget application runs).
QVariant sortMarkImage(int image);

} // namespace vc
