#include "windows/PrefetchHeader.h"

#include <QtEndian>

namespace vc {

namespace {

constexpr qsizetype kCompressedHeaderSize = 8;
constexpr qsizetype kHeaderSize = 84;
constexpr qsizetype kNameOffset = 16;
constexpr qsizetype kNameUnits = 30;
constexpr qsizetype kHashOffset = 76;

} // namespace

PrefetchHeader readPrefetchHeader(QByteArrayView bytes) {
    PrefetchHeader header;
    const char* data = bytes.data();
    if (bytes.size() >= kCompressedHeaderSize && data[0] == 'M' && data[1] == 'A' &&
        data[2] == 'M' && data[3] == '\x04') {
        header.compressed = true;
        header.uncompressedSize = qFromLittleEndian<quint32>(data + 4);
        return header;
    }
    if (bytes.size() < kHeaderSize || QByteArrayView(data + 4, 4) != QByteArrayView("SCCA"))
        return header;
    header.scca = true;
    header.formatVersion = qFromLittleEndian<quint32>(data);
    header.statedSize = qFromLittleEndian<quint32>(data + 12);
    qsizetype units = 0;
    while (units < kNameUnits && qFromLittleEndian<quint16>(data + kNameOffset + 2 * units) != 0)
        ++units;
    QString name(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i)
        name[i] = QChar(qFromLittleEndian<quint16>(data + kNameOffset + 2 * i));
    header.executable = name;
    header.hash = qFromLittleEndian<quint32>(data + kHashOffset);
    return header;
}

PrefetchName parsePrefetchFileName(const QString& fileName) {
    PrefetchName result;
    QString stem = fileName;
    if (stem.endsWith(QLatin1String(".pf"), Qt::CaseInsensitive))
        stem.chop(3);
    const qsizetype dash = stem.lastIndexOf(QLatin1Char('-'));
    if (dash > 0 && stem.size() - dash - 1 == 8) {
        bool ok = false;
        const quint32 hash = stem.mid(dash + 1).toUInt(&ok, 16);
        if (ok) {
            result.hash = hash;
            stem.truncate(dash);
        }
    }
    result.executable = stem;
    return result;
}

} // namespace vc
