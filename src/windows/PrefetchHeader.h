#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace vc {

// What the program reads of a Prefetch file itself, for the files libscca
// does not read (a format version it does not know, a damaged file): the
// header's fixed fields (docs/formats/prefetch-header.md).
struct PrefetchHeader {
    // "MAM" and 0x04: compressed with LZXPRESS Huffman (Windows 10 and
    // later); only the size it unpacks to is readable then.
    bool compressed = false;
    quint32 uncompressedSize = 0;
    // "SCCA" at offset 4: the fields below were read.
    bool scca = false;
    quint32 formatVersion = 0;
    quint32 statedSize = 0;
    QString executable; // up to 29 characters
    quint32 hash = 0;
};

PrefetchHeader readPrefetchHeader(QByteArrayView bytes);

// The executable and hash a Prefetch file's name gives ("CMD.EXE-087B4001.pf"
// gives "CMD.EXE" and 0x087B4001); empty name when it gives none.
struct PrefetchName {
    QString executable;
    std::optional<quint32> hash;
};
PrefetchName parsePrefetchFileName(const QString& fileName);

} // namespace vc
