#include "documents/FolderWalk.h"

#include "documents/FileDates.h"
#include "documents/RowLine.h"
#include "evidence/FolderTree.h"
#include "recall/RecallFilter.h"

namespace vc {

bool isSkippedFileName(const QByteArray& name) {
    const QByteArray upper = name.toUpper();
    if (upper == "DESKTOP.INI")
        return true;
    return upper.contains("EXCEL") && upper.contains(".XLB");
}

void CollectFolderFiles(QList<QByteArray>& list, const QString& folder, const QByteArray& rowTag,
                        int nameCut, const RecallConditionSet* filter, const EvidenceFiles& files) {
    WalkFolderTree(files, folder, UnreadableEntry::TryAsFolder, [&](const FolderTreeEntry& entry) {
        if (isSkippedFileName(entry.name))
            return;
        const QByteArray dates = FileDatesText(files, entry.path, entry.entry, '\t');
        const QByteArray line = makeRowLine(cutName(entry.name, nameCut), extensionPart(entry.name),
                                            shortDatesPart(dates), entry.path, rowTag);
        if (PassesRecallConditions(filter, line, longDatesPart(dates)))
            list.append(line);
    });
}

} // namespace vc
