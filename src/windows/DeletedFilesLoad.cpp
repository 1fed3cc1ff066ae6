#include "windows/DeletedFilesLoad.h"

#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/LoadContext.h"
#include "tables/RowSink.h"
#include "tables/TableModel.h"
#include "windows/RecycleBin.h"

#include <limits>

namespace vc {

namespace {

void writeDeleted(const DeletedFile& file, const QHash<QString, QString>& userNames,
                  WindowsRowWriter& writer) {
    const RecycleEntry& entry = file.entry;
    writer.setText(kDeletedPath, entry.originalPath);
    writer.setText(kDeletedName, entry.originalPath.section(QLatin1Char('\\'), -1));
    if (!entry.cut || entry.size != 0)
        writer.setNumber(
            kDeletedSize,
            qint64(std::min<quint64>(entry.size, quint64(std::numeric_limits<qint64>::max()))));
    writer.setFileTime(kDeletedTime, entry.deletedAt);
    const QString user = userNames.value(file.sid.toUpper());
    writer.setText(kDeletedUser, user.isEmpty() ? file.sid : user);
    writer.setText(kDeletedSid, file.sid);
    if (!file.recycledFile.isEmpty()) {
        writer.setText(kDeletedStillThere, tx(file.recycledPresent ? TextYes : TextNo));
        writer.setText(kDeletedRecycledFile, EvidenceFiles::pathText(file.recycledFile));
    }
    QString index = EvidenceFiles::pathText(file.indexFile);
    if (entry.record >= 0)
        index += QStringLiteral(" #%1").arg(entry.record);
    writer.setText(kDeletedIndexFile, index);
    writer.setNumber(kDeletedFormatVersion, entry.formatVersion);
    if (entry.removed)
        writer.addNote(tx(TextRemovedFromIndex));
    if (entry.cut)
        writer.addNote(tx(TextIndexCutShort));
    writer.write();
}

} // namespace

WindowsLoadResult loadDeletedFiles(const EvidenceFiles& files, const QByteArray& volumeRoot,
                                   const QHash<QString, QString>& userNames,
                                   const LoadContext& context, RowSink& sink) {
    QHash<QString, QString> bySid;
    for (auto it = userNames.constBegin(); it != userNames.constEnd(); ++it)
        bySid.insert(it.key().toUpper(), it.value());
    int failures = 0;
    WindowsLoadResult result =
        loadOneInput(WindowsTable::Deleted, context, sink, [&](WindowsRowWriter& writer) {
            const RecycleBinWalk walk = walkRecycleBins(
                files, volumeRoot,
                [&](const DeletedFile& file) { writeDeleted(file, bySid, writer); },
                context.report);
            failures = walk.failures;
            return walk.indexFiles;
        });
    result.failures = failures;
    return result;
}

std::optional<QByteArray> recycledFileOfRow(const EvidenceFiles& files, const TableModel& table,
                                            int row) {
    const QByteArray path = EvidenceFiles::pathBytes(table.cellText(row, kDeletedRecycledFile));
    if (path.isEmpty() || !files.entry(path))
        return std::nullopt;
    return path;
}

} // namespace vc
