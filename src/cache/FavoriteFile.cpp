#include "cache/FavoriteFile.h"

#include "cache/IndexFormat.h"
#include "platform/EvidenceOpen.h"

#include <QFile>

namespace vc {

namespace {

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.chop(1);
    return text;
}

} // namespace

QByteArray FavoriteAddressOf(QByteArrayView bytes) {
    bool inShortcut = false;
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line = trimmed(bytes.sliced(from, end - from));
        from = end + 1;
        if (line.startsWith('[')) {
            inShortcut =
                line.compare(QByteArrayView("[InternetShortcut]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inShortcut && line.size() >= 4 &&
            line.first(4).compare(QByteArrayView("URL="), Qt::CaseInsensitive) == 0) {
            QByteArray address = line.sliced(4).toByteArray();
            CleanControlChars(address);
            return address;
        }
    }
    return QByteArray();
}

QByteArray FavoriteAddress(const QString& path) {
    QFile file(path);
    if (!openWithoutAccessTime(file))
        return QByteArray();
    return FavoriteAddressOf(file.read(kFavoriteFileLimit));
}

} // namespace vc
