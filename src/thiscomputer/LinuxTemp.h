#pragma once

#include "platform/LoadContext.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

namespace vc {

class RowSink;
class UserProfile;

// The names of ~/.cache that belong to other tables: the thumbnails and
// every browser cache of the place list (BrowserPlaces.h).
QSet<QByteArray> cacheFoldersOfOtherSources();

// Row lines of the temporary-files table (name cut 0) of a Linux home:
// tempFolder first when not empty (the Linux temporary folder, listed with
// the first user only), then every file of ~/.cache outside the folders of
// the other tables.
void collectLinuxTemporaryFiles(const UserProfile& home, const QString& tempFolder,
                                const LoadContext& context, QList<QByteArray>& lines);

// The temporary-files table of a Linux home in place of its rows.
void loadLinuxTemporaryFiles(const UserProfile& home, const QString& tempFolder,
                             const LoadContext& context, RowSink& rows);

} // namespace vc
