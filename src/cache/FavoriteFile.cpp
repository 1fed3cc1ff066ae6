#include "cache/FavoriteFile.h"

#include "cache/IndexFormat.h"

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

QByteArray FavoriteAddress(const QString& path, const EvidenceFiles& files) {
    const std::unique_ptr<EvidenceReader> file =
        files.open(EvidenceFiles::pathBytes(path), nullptr);
    if (!file)
        return QByteArray();
    QByteArray bytes(qsizetype(kFavoriteFileLimit), Qt::Uninitialized);
    qint64 have = 0;
    while (have < kFavoriteFileLimit) {
        const qint64 n = file->readAt(have, bytes.data() + have, kFavoriteFileLimit - have);
        if (n <= 0)
            break;
        have += n;
    }
    bytes.truncate(qsizetype(have));
    return FavoriteAddressOf(bytes);
}

} // namespace vc
