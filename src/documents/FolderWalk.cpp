#include "documents/FolderWalk.h"

#include "documents/FileDates.h"
#include "documents/RowLine.h"
#include "platform/FolderTree.h"
#include "recall/RecallFilter.h"

namespace vc {

bool isSkippedFileName(const QByteArray& name) {
    const QByteArray upper = name.toUpper();
    if (upper == "DESKTOP.INI")
        return true;
    return upper.contains("EXCEL") && upper.contains(".XLB");
}

void CollectFileRow(QList<QByteArray>& list, const QByteArray& path, const QByteArray& name,
                    const QByteArray& rowTag, int nameCut, const RecallConditionSet* filter) {
    if (isSkippedFileName(name))
        return;
    const QByteArray dates = FileDatesText(path, '\t');
    const QByteArray line = makeRowLine(cutName(name, nameCut), extensionPart(name),
                                        shortDatesPart(dates), path, rowTag);
    if (PassesRecallConditions(filter, line, longDatesPart(dates)))
        list.append(line);
}

void CollectFolderFiles(QList<QByteArray>& list, const QString& folder, const QByteArray& rowTag,
                        int nameCut, const RecallConditionSet* filter) {
    WalkFolderTree(folder, UnreadableEntry::TryAsFolder, [&](const FolderTreeEntry& entry) {
        CollectFileRow(list, entry.path, entry.name, rowTag, nameCut, filter);
    });
}

} // namespace vc
