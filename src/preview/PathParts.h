#pragma once

#include <QString>

namespace vc {

// The folder part of a path, up to and including its last separator ("/",
// "\" or ":"); empty when it has none.
inline QString folderPart(const QString& path) {
    qsizetype cut = -1;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')) {
            cut = i;
            break;
        }
    }
    return path.left(cut + 1);
}

// What follows the folder part.
inline QString namePart(const QString& path) {
    return path.mid(folderPart(path).size());
}

// The path with one trailing "/" ensured (the empty path stays empty).
inline QString withSlash(const QString& path) {
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))
        return path;
    return path + QLatin1Char('/');
}

} // namespace vc
