#include "browsers/cache/CacheBodyName.h"

#include <QByteArray>
#include <QStringList>
#include <QUrl>

namespace vc {

namespace {

struct ContentKind {
    const char* type;
    // The extension given first; the others a name may already end with.
    const char* extensions;
    bool picture;
};

// The kinds a browser's cache mostly holds. Pictures are those the preview
// reads (Qt's readers of QtGui and qt6-image-formats-plugins).
constexpr ContentKind kKinds[] = {
    {"image/png", "png", true},
    {"image/jpeg", "jpg jpeg jpe jfif", true},
    {"image/jpg", "jpg jpeg jpe jfif", true},
    {"image/pjpeg", "jpg jpeg jpe jfif", true},
    {"image/gif", "gif", true},
    {"image/webp", "webp", true},
    {"image/bmp", "bmp dib", true},
    {"image/x-ms-bmp", "bmp dib", true},
    {"image/x-icon", "ico", true},
    {"image/vnd.microsoft.icon", "ico", true},
    {"image/tiff", "tif tiff", true},
    {"image/svg+xml", "svg", true},
    {"image/avif", "avif", false},
    {"text/html", "html htm", false},
    {"application/xhtml+xml", "xhtml html htm", false},
    {"text/css", "css", false},
    {"text/javascript", "js mjs", false},
    {"application/javascript", "js mjs", false},
    {"application/x-javascript", "js mjs", false},
    {"application/json", "json", false},
    {"text/plain", "txt", false},
    {"text/xml", "xml", false},
    {"application/xml", "xml", false},
    {"font/woff", "woff", false},
    {"font/woff2", "woff2", false},
    {"application/font-woff", "woff", false},
    {"font/ttf", "ttf", false},
    {"font/otf", "otf", false},
    {"application/pdf", "pdf", false},
    {"application/wasm", "wasm", false},
    {"video/mp4", "mp4", false},
    {"video/webm", "webm", false},
    {"audio/mpeg", "mp3", false},
};

const ContentKind* kindOf(const QString& contentType) {
    // "image/png; charset=..." names its kind before any parameter.
    const QString type = contentType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    for (const ContentKind& kind : kKinds)
        if (type == QLatin1String(kind.type))
            return &kind;
    return nullptr;
}

// The last part of a hierarchical address's path ("a.png" of
// "https://host/img/a.png?x=1"); empty when the path ends with "/", has
// no part, or the address names no host.
QByteArray lastPathPart(QByteArrayView url) {
    const qsizetype scheme = url.indexOf("://");
    if (scheme < 0)
        return QByteArray();
    QByteArrayView rest = url.sliced(scheme + 3);
    // The path ends at the query or the fragment; the host, before it, at
    // the first of the three.
    for (const char end : {'#', '?'})
        if (const qsizetype at = rest.indexOf(end); at >= 0)
            rest = rest.first(at);
    const qsizetype pathStart = rest.indexOf('/');
    if (pathStart < 0)
        return QByteArray();
    return rest.sliced(rest.lastIndexOf('/') + 1).toByteArray();
}

// The name made safe as one file name of this machine.
QString safeName(const QByteArray& raw) {
    QString name = QUrl::fromPercentEncoding(raw);
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QLatin1Char('/') ||
            c == QLatin1Char('\\'))
            c = QLatin1Char('_');
    name = name.trimmed();
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    return name;
}

// name cut to at most maxBytes of UTF-8, without splitting a character.
QString cutToBytes(QString name, int maxBytes) {
    while (!name.isEmpty() && name.toUtf8().size() > maxBytes)
        name.chop(name.size() >= 2 && name.at(name.size() - 1).isLowSurrogate() ? 2 : 1);
    return name;
}

} // namespace

QString contentTypeExtension(const QString& contentType) {
    const ContentKind* kind = kindOf(contentType);
    return kind ? QString::fromLatin1(kind->extensions).section(QLatin1Char(' '), 0, 0) : QString();
}

bool isPictureContentType(const QString& contentType) {
    const ContentKind* kind = kindOf(contentType);
    return kind && kind->picture;
}

QString cachedBodyFileName(QByteArrayView url, QByteArrayView id, const QString& contentType) {
    QString name = safeName(lastPathPart(url));
    if (name.isEmpty())
        name = safeName(id.toByteArray());
    if (name.isEmpty())
        name = QStringLiteral("body");
    QString extension;
    if (const ContentKind* kind = kindOf(contentType)) {
        const QStringList known = QString::fromLatin1(kind->extensions).split(QLatin1Char(' '));
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot <= 0 || !known.contains(name.mid(dot + 1).toLower()))
            extension = QLatin1Char('.') + known.first();
    }
    return cutToBytes(name, kMaxBodyNameBytes - int(extension.size())) + extension;
}

} // namespace vc
