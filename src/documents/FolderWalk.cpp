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

void CollectFileRow(QList<QByteArray>& list, const QByteArray& path, const QByteArray& name,
                    const QByteArray& rowTag, int nameCut, const RecallConditionSet* filter,
                    const EvidenceFiles& files, const EvidenceEntry* entry) {
    if (isSkippedFileName(name))
        return;
    const QByteArray dates =
        entry ? FileDatesText(files, path, *entry, '\t') : FileDatesText(files, path, '\t');
    const QByteArray line = makeRowLine(cutName(name, nameCut), extensionPart(name),
                                        shortDatesPart(dates), path, rowTag);
    if (PassesRecallConditions(filter, line, longDatesPart(dates)))
        list.append(line);
}

void CollectFolderFiles(QList<QByteArray>& list, const QString& folder, const QByteArray& rowTag,
                        int nameCut, const RecallConditionSet* filter, const EvidenceFiles& files) {
    WalkFolderTree(files, folder, UnreadableEntry::TryAsFolder, [&](const FolderTreeEntry& entry) {
        CollectFileRow(list, entry.path, entry.name, rowTag, nameCut, filter, files, &entry.entry);
    });
}

} // namespace vc
