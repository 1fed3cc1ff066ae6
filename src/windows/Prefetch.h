#pragma once

#include "windows/PrefetchHeader.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vc {

// One volume a Prefetch file names.
struct PrefetchVolume {
    QString devicePath; // "\DEVICE\HARDDISKVOLUME1", "\VOLUME{01d3...-2ca3d1ae}"
    quint32 serial = 0;
    quint64 created = 0; // FILETIME
};

// One Prefetch file (Windows/Prefetch/*.pf), read with libscca.
struct PrefetchFile {
    bool readByLibscca = false;
    QString libsccaError;      // libscca's own message when it could not read it
    PrefetchHeader header;     // what the program read of the header itself
    quint32 formatVersion = 0; // 0 when unknown
    QString executable;        // "CMD.EXE"
    QString executablePath;    // the loaded file that is the executable, when listed
    std::optional<quint32> hash;
    std::optional<quint32> runCount;
    QList<quint64> runTimes; // the recorded ones (not 0), newest first
    QList<PrefetchVolume> volumes;
    int loadedFileCount = 0;
    QStringList loadedFiles; // only when asked for
};

// The largest Prefetch file read, and the most a compressed one may unpack
// to; a larger one is damaged.
constexpr qsizetype kMaxPrefetchFile = 16 * 1024 * 1024;
// Loaded files listed in a pane; the rest are counted.
constexpr int kMaxLoadedFiles = 100000;

// Reads the bytes of a Prefetch file. When libscca cannot read it the
// executable and hash come from the header where it is not compressed, else
// from the file's name.
PrefetchFile readPrefetch(QByteArrayView bytes, const QString& fileName, bool withLoadedFiles);

} // namespace vc
