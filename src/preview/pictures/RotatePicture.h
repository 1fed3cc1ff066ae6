#pragma once

#include <QImage>

namespace vc {

// Turns a picture by a quarter turn: turn 1 to the left (counter-clockwise),
// -1 to the right. Returns 0, or the status of the failure (an invalid turn,
// no memory for the turned picture), in which case the picture is as it was.
// A null picture stays null.
int RotatePicture(QImage& picture, int turn);

} // namespace vc
