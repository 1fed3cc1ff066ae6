#pragma once

#include <QByteArray>

namespace vc {

// A row line of the file tables: six fields separated by tabs — name,
// extension, creation time, last access, full path, row tag. The staging
// list holds these lines until they are moved into a table.

// The last name part of a path: what follows the last "/", "\" or ":".
QByteArray fileNamePart(const QByteArray& path);

// The extension of a file name with its dot (".lnk"); empty when the name
// has no dot, or holds a character no Windows file name may hold (? * " < >
// | / \ :), as an address or a search does.
QByteArray extensionPart(const QByteArray& fileName);

// The name with its last `count` characters removed (empty when shorter).
// Characters are UTF-8 sequences when the name is valid UTF-8, else bytes.
QByteArray cutName(const QByteArray& name, int count);

// Turns every byte below 32 (tabs, line breaks) into a space, so a field
// can never split a row line or a table row.
QByteArray cleanField(QByteArray text);

// The short part of a FileDatesText result (before the "|") and the long
// part (after it).
QByteArray shortDatesPart(const QByteArray& datesText);
QByteArray longDatesPart(const QByteArray& datesText);

// name TAB extension TAB shortDates TAB path TAB rowTag; name, extension and
// path are cleaned of control characters. shortDates already holds its
// own tab between the creation and last-access texts.
QByteArray makeRowLine(const QByteArray& name, const QByteArray& extension,
                       const QByteArray& shortDates, const QByteArray& path,
                       const QByteArray& rowTag);

} // namespace vc
