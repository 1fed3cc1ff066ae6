#include "windows/WindowsDetails.h"

#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/TimeValue.h"
#include "windows/Prefetch.h"

#include <QStringList>

namespace vc {

namespace {

QString shownCell(const TableModel& model, int row, int column) {
    const QByteArrayView cell = model.cellView(row, column);
    if (isTimeCell(cell))
        return decodeEvidence(cellTimeText(cell));
    return model.decodeCell(column, cell);
}

QString fileTimeText(quint64 fileTime) {
    const auto time = fileTimeValue(fileTime);
    return time ? decodeEvidence(timeValueText(*time)) : QString();
}

} // namespace

QString prefetchDetail(const EvidenceFiles& files, const QByteArray& path) {
    QByteArray bytes;
    if (files.readWhole(path, kMaxPrefetchFile, &bytes) != EvidenceReadStatus::Ok)
        return QString();
    const PrefetchFile file =
        readPrefetch(bytes, EvidenceFiles::pathText(path).section(QLatin1Char('/'), -1), true);
    QStringList lines;
    for (const PrefetchVolume& volume : file.volumes) {
        lines << tx(TextVolumes) + QStringLiteral(": ") + volume.devicePath;
        lines << QStringLiteral("  ") + tx(TextVolumeSerial) + QStringLiteral(": ") +
                     QStringLiteral("%1").arg(volume.serial, 8, 16, QLatin1Char('0')).toUpper();
        lines << QStringLiteral("  ") + tx(TextCreationTime) + QStringLiteral(": ") +
                     fileTimeText(volume.created);
    }
    if (file.loadedFileCount > 0) {
        lines << tx(TextLoadedFiles) + QStringLiteral(" (%1):").arg(file.loadedFileCount);
        for (const QString& name : file.loadedFiles)
            lines << QStringLiteral("  ") + name;
    }
    return lines.join(QLatin1Char('\n'));
}

QString rowFieldsDetail(const TableModel& model, int row) {
    QStringList lines;
    for (int c = 0; c < model.columns(); ++c) {
        const QString text = shownCell(model, row, c);
        if (!text.trimmed().isEmpty())
            lines << model.caption(c) + QStringLiteral(": ") + text;
    }
    return lines.join(QLatin1Char('\n'));
}

QString windowsRowDetail(WindowsTable table, const TableModel& model, int row,
                         const EvidenceFiles* files) {
    QStringList lines{rowFieldsDetail(model, row)};
    if (table == WindowsTable::Typed && !model.cellText(row, kTypedHive).isEmpty()) {
        lines << QString() << tx(TextKeyTimeNewestOnly);
    } else if (table == WindowsTable::Programs && files &&
               model.cellText(row, kProgramSource) == QLatin1String("Prefetch")) {
        const QString more = prefetchDetail(
            *files, EvidenceFiles::pathBytes(model.cellText(row, kProgramSourceFile)));
        if (!more.isEmpty())
            lines << QString() << more;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace vc
