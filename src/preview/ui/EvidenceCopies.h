#pragma once

#include "app/WindowLayer.h"

#include <QByteArray>
#include <QString>

namespace vc {

class OpenEvidence;

// What a private copy is for: the preview keeps one picture at a time; the
// file actions (open, open with, properties, copy to) keep each copy until
// the program ends.
enum class CopyPurpose { Preview, Action };

// True when the files of what is open are read from elsewhere than this
// machine's folders (a disk image): paths of its rows are paths inside it.
bool EvidenceInImage(const OpenEvidence& form);

// A file of this machine that holds the bytes of the evidence's file at
// path: the path itself for this machine's folders and for the program's
// own private copies; for a file inside a disk image, a copy in a private
// folder (mode 0700, removed at exit) under the file's own name, with its
// modification time. Empty when the file cannot be read (*error says why
// where given).
QString LocalEvidenceFile(const OpenEvidence& form, const QString& path, CopyPurpose purpose,
                          QString* error = nullptr);

// Writes bytes the evidence holds (a cached response's body) to a private
// copy named name; empty when it cannot be written.
QString WritePrivateCopy(const QByteArray& bytes, const QString& name, CopyPurpose purpose);

// Whether a file of the evidence is a regular file: on this machine's
// folders or inside the disk image.
bool EvidenceFileExists(const OpenEvidence& form, const QString& path);

} // namespace vc
