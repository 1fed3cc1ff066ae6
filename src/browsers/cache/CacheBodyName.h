#pragma once

#include <QByteArrayView>
#include <QString>

namespace vc {

// The extension a body of a Content-Type is given ("png" for "image/png",
// "html" for "text/html; charset=utf-8"); empty for a type not known.
QString contentTypeExtension(const QString& contentType);
// Whether the type is one of the pictures the preview shows.
bool isPictureContentType(const QString& contentType);

// The file name "Copy to..." gives a cached body: the last part of the
// address's path (its "%xx" escapes decoded, the query and fragment left
// out), else the entry's id in its cache; followed by the type's extension
// when the name does not already end with one of the type's extensions.
// Never empty, never "." or "..", without "/", "\" or control characters,
// at most kMaxBodyNameBytes bytes of UTF-8.
QString cachedBodyFileName(QByteArrayView url, QByteArrayView id, const QString& contentType);

constexpr int kMaxBodyNameBytes = 200;

} // namespace vc
