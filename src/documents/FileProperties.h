#pragma once

#include <QString>

namespace vc {

// What the properties dialog shows of a file. Reading it changes nothing:
// the file is read for its SHA-256 without touching its access time where
// the system allows.
struct FileProperties {
    QString name;
    QString path;
    qint64 size = -1;
    QString type;    // the kind of content ("PNG image (image/png)")
    QString created; // time texts; empty when not known
    QString modified;
    QString accessed;
    QString permissions; // "rw-r--r-- joe users"
    QString sha256;      // lower-case hex; empty when the file could not be read
    QString readError;   // why the SHA-256 is missing
};

FileProperties describeFile(const QString& path);

// The SHA-256 of a file in lower-case hex; empty (and *error set) when it
// cannot be read.
QString fileSha256(const QString& path, QString* error);

} // namespace vc
