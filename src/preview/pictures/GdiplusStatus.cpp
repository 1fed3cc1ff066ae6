#include "preview/pictures/GdiplusStatus.h"

#include "language/InterfaceTexts.h"
#include "platform/Messages.h"

namespace vc {

namespace {

// Texts of codes 1 to 20, in code order.
const char* const kStatusTexts[] = {
    "Generic Error",
    "Invalid Parameter",
    "Out Of Memory",
    "Object Busy",
    "Insufficient Buffer",
    "Not Implemented",
    "Win32 Error",
    "Wrong State",
    "Aborted",
    "File Not Found",
    "Value Overflow",
    "Access Denied",
    "Unknown Image Format",
    "Font Family Not Found",
    "Font Style Not Found",
    "Not True Type Font",
    "Unsupported Gdiplus Version",
    "Gdiplus Not Initialized",
    "Property Not Found",
    "Property Not Supported",
};

constexpr int kLastStatus = int(sizeof(kStatusTexts) / sizeof(kStatusTexts[0]));

} // namespace

QString GdiplusStatusText(int status, int show) {
    const QString text = status >= 1 && status <= kLastStatus
                             ? QString::fromLatin1(kStatusTexts[status - 1])
                             : QString();
    if (show == 1 && !text.isEmpty())
        showError(text);
    return text;
}

QString PictureFailureText(int status, const QString& file) {
    return GdiplusStatusText(status) + QStringLiteral(". ") + tx(TextFileName) + QLatin1Char(' ') +
           file;
}

int StatusOfReaderError(QImageReader::ImageReaderError error) {
    switch (error) {
    case QImageReader::FileNotFoundError:
        return kStatusFileNotFound;
    case QImageReader::UnsupportedFormatError:
        return kStatusUnknownImageFormat;
    case QImageReader::DeviceError:
    case QImageReader::InvalidDataError:
    case QImageReader::UnknownError:
        break;
    }
    return kStatusGenericError;
}

} // namespace vc
