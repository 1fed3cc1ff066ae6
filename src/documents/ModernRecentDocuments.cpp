#include "documents/ModernRecentDocuments.h"

#include "documents/RecentCollection.h"
#include "documents/RecentSources.h"

namespace vc {

void collectRecentFolderDocuments(const Profile& profile, const LoadContext& context,
                                  QList<QByteArray>& rowLines) {
    RecentCollection collection(profile, context, rowLines);
    collectRecentFolderRows(collection);
    collection.progressTo(1.0);
    collection.report();
}

void collectModernRecentDocuments(const Profile& profile, const LoadContext& context,
                                  QList<QByteArray>& rowLines) {
    RecentCollection collection(profile, context, rowLines);
    collectRecentDocsRows(collection);
    collection.progressTo(0.1);
    collectDialogMruRows(collection);
    collection.progressTo(0.2);
    collectJumpListRows(collection);
    collection.progressTo(1.0);
    collection.report();
}

} // namespace vc
