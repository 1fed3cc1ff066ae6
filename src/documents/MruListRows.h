#pragma once

#include "platform/Hive.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace vc {

class RecentCollection;
struct RecentRow;

// Keys of the user's hive that hold the newer recent-document lists.
inline const QString kExplorerKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
inline const QString kRecentDocsKey = kExplorerKey + QStringLiteral("\\RecentDocs");
inline const QString kComDlg32Key = kExplorerKey + QStringLiteral("\\ComDlg32");

// Fills a row from one MRU value's bytes; false when the value is damaged
// (the row then carries what could be read, and a note).
using MruValueReader = std::function<bool(QByteArrayView bytes, RecentRow& row)>;

// Adds one row per value of the MRU list key in its order (see mruSlots):
// the source, the MRU position, the key's last-written time on the most
// recent entry, and what read() makes of the value. A value that cannot be
// read, or that read() finds damaged, is noted for the message with its
// key and the hive.
void addMruListRows(RecentCollection& collection, const Hive& hive, Hive::Node key,
                    const QString& keyPath, const QByteArray& source, const MruValueReader& read);

// A NUL-terminated UTF-16 text at the start of bytes; *rest receives what
// follows the NUL. False when there is no NUL (the text is then all the
// bytes hold, and rest is empty).
bool takeUtf16Text(QByteArrayView bytes, QString* text, QByteArrayView* rest);

// Where a Windows path the lists name lies in the profile (file-system
// bytes), empty when it is not there.
QByteArray localFileFor(const RecentCollection& collection, const QString& windowsPath);

} // namespace vc
