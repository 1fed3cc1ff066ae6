#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QXmlStreamReader;

namespace vc {

class EvidenceFiles;

// Small pieces the readers of a Linux home share.

// An ISO 8601 time as the desktop writes it ("2024-03-01T09:15:02.123456Z",
// "2024-03-01T10:15:02+01:00", "2024-03-01T09:15:02") in microseconds since
// 1970. A time without a zone is a wall-clock time (*local set true), read
// as if it were UTC. nullopt for anything else.
std::optional<qint64> isoTimeMicroseconds(QByteArrayView text, bool* local = nullptr);

// Microseconds since 1970 as a FILETIME (100-nanosecond steps since 1601).
quint64 fileTimeOfMicroseconds(qint64 microseconds);

// The local path a "file://" address names, its percent escapes decoded to
// the file system's bytes ("file:///home/a/b%20c.txt" gives
// "/home/a/b c.txt"); empty for another address or a host other than
// localhost.
QByteArray localPathOfFileUri(QByteArrayView uri);

// Reads an XML file of the evidence piece by piece into reader, so that
// memory stays flat however large it is: each(reader) is called after every
// token and returns false to stop. False with *error when the file cannot
// be read or is not well-formed XML (the tokens before the fault were
// given).
bool readXmlFile(const EvidenceFiles& files, const QByteArray& path,
                 const std::function<bool(QXmlStreamReader&)>& each, QString* error);

// Reads a text file of the evidence line by line (LF; a CR before it is
// dropped) in pieces of bounded size: a line longer than maxLine is cut to
// maxLine bytes. each(line) returns false to stop. False with *error when
// the file cannot be opened or read.
bool readLines(const EvidenceFiles& files, const QByteArray& path, qsizetype maxLine,
               const std::function<bool(const QByteArray&)>& each, QString* error);

// The "key=value" lines of a desktop-entry or trash-info file's group
// (a "[Group]" line starts it); the value of the first line of that key.
QByteArray desktopEntryValue(const QByteArray& text, const QByteArray& group,
                             const QByteArray& key);

} // namespace vc
