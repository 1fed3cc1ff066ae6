#pragma once

#include <QImageReader>
#include <QString>

namespace vc {

// Status codes of the picture service, numbered as the Windows picture
// library numbers its own, so that the texts of GdiplusStatusText apply.
enum PictureStatus : int {
    kStatusOk = 0,
    kStatusGenericError = 1,
    kStatusInvalidParameter = 2,
    kStatusOutOfMemory = 3,
    kStatusFileNotFound = 10,
    kStatusAccessDenied = 12,
    kStatusUnknownImageFormat = 13,
    kStatusNotInitialized = 18,
};

// The message text of a status code; the empty text for 0 and for every
// code outside the table. With show 1 a non-empty text is also shown in an
// error message box with an OK button (a success or an unknown code shows
// no empty box).
QString GdiplusStatusText(int status, int show = 0);

// The message of a picture that could not be read: the status text, ". ",
// the text "File Name", a space and the file's path.
QString PictureFailureText(int status, const QString& file);

// The status that stands for an image reader's error.
int StatusOfReaderError(QImageReader::ImageReaderError error);

} // namespace vc
