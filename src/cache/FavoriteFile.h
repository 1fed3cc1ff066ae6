#pragma once

#include "evidence/EvidenceFiles.h"

#include <QByteArray>
#include <QString>

namespace vc {

// Bytes of a favorite (.url) file looked at; a real one is a few hundred.
constexpr qint64 kFavoriteFileLimit = 64 * 1024;

// The address a favorite stores: the value of the URL= line of its
// [InternetShortcut] section (names compared without regard to letter case,
// as the browser does), as the bytes the file holds, control bytes turned
// into spaces. The empty text when the file has none or cannot be read.
// Only the first kFavoriteFileLimit bytes are read, without moving the
// file's access time. The file is read through files (this machine's
// folders unless given).
QByteArray FavoriteAddress(const QString& path, const EvidenceFiles& files = localEvidenceFiles());

// The same from the file's bytes.
QByteArray FavoriteAddressOf(QByteArrayView bytes);

} // namespace vc
