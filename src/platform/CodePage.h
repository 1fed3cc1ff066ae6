#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vc {

// Bytes taken from evidence (index files, cookie files, hive strings) stay
// bytes through the tables; they become text only for display and export,
// decoded with the source code page chosen by the user (default
// windows-1252). "utf-8" and "iso-8859-1" are accepted besides the
// single-byte Windows and DOS code pages.

// Sets the source code page; false (and no change) when the name is unknown.
bool setSourceCodePage(const QString& name);
QString sourceCodePage();
// Changes each time a code page is set, so that texts kept encoded in the
// source code page can tell cheaply that they are out of date.
unsigned codePageGeneration();
QStringList knownCodePages();
bool isKnownCodePage(const QString& name);

QString decodeEvidence(QByteArrayView bytes);
// The reverse: characters the code page cannot hold become "?".
QByteArray encodeEvidence(const QString& text);

} // namespace vc
