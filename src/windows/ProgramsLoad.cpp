#include "windows/ProgramsLoad.h"

#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/Hive.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "tables/RowSink.h"
#include "windows/KnownFolderPaths.h"
#include "windows/Prefetch.h"
#include "windows/UserAssist.h"

#include <algorithm>

namespace vc {

namespace {

// Windows XP's names start with the kind of entry ("UEME_RUNPATH:"); the
// path after it is what a known folder may lead.
QString programName(const QString& name, const KnownFolderLocations& locations) {
    if (name.startsWith(QLatin1String("UEME_"))) {
        const qsizetype colon = name.indexOf(QLatin1Char(':'));
        if (colon > 0)
            return name.left(colon + 1) + withKnownFolderPath(name.mid(colon + 1), locations);
    }
    return withKnownFolderPath(name, locations);
}

void writeUserAssist(const UserAssistEntry& entry, const QString& hivePath,
                     const KnownFolderLocations& locations, WindowsRowWriter& writer) {
    const QString name = programName(entry.name, locations);
    writer.setText(kProgramName, name);
    writer.setText(kProgramSource, QStringLiteral("UserAssist ") + entry.guid);
    writer.setText(kProgramSourceFile, hivePath);
    if (name != entry.name)
        writer.addNote(tx(TextNameStoredAs).arg(entry.name));
    const UserAssistValue& value = entry.value;
    if (!entry.readable) {
        writer.addNote(tx(TextReadInPart));
    } else if (value.layout == UserAssistValue::Layout::Unknown) {
        writer.addNote(tx(TextValueNotRead).arg(entry.valueSize));
    } else {
        writer.setNumber(kProgramRunCount, value.runCount);
        writer.setFileTime(kProgramLastRun, value.lastRun);
        if (value.focusCount)
            writer.setNumber(kProgramFocusCount, *value.focusCount);
        if (value.focusMilliseconds)
            writer.setText(kProgramFocusTime, durationText(*value.focusMilliseconds / 1000));
        if (value.layout == UserAssistValue::Layout::Short16 && value.storedCount >= 5)
            writer.addNote(tx(TextCountFromFive).arg(value.storedCount));
    }
    writer.write();
}

// Eight hexadecimal digits, as sccainfo and Windows' file names write a
// hash or a volume's serial number.
QString hexNumber(quint32 number) {
    return QStringLiteral("%1").arg(number, 8, 16, QLatin1Char('0')).toUpper();
}

QString volumesText(const QList<PrefetchVolume>& volumes) {
    QStringList parts;
    for (const PrefetchVolume& volume : volumes)
        parts << QStringLiteral("%1 (%2)").arg(volume.devicePath, hexNumber(volume.serial));
    return parts.join(QStringLiteral("; "));
}

void writePrefetch(const PrefetchFile& file, const QByteArray& path, WindowsRowWriter& writer) {
    writer.setText(kProgramName,
                   file.executablePath.isEmpty() ? file.executable : file.executablePath);
    writer.setText(kProgramSource, QStringLiteral("Prefetch"));
    if (file.runCount)
        writer.setNumber(kProgramRunCount, *file.runCount);
    for (qsizetype i = 0; i < file.runTimes.size() && i < 8; ++i)
        writer.setFileTime(i == 0 ? int(kProgramLastRun) : int(kProgramPreviousRun1 + i - 1),
                           file.runTimes[i]);
    if (file.hash)
        writer.setText(kProgramHash, hexNumber(*file.hash));
    writer.setText(kProgramVolumes, volumesText(file.volumes));
    if (file.formatVersion > 0)
        writer.setNumber(kProgramFormatVersion, file.formatVersion);
    writer.setText(kProgramSourceFile, EvidenceFiles::pathText(path));
    if (!file.readByLibscca) {
        if (file.header.scca)
            writer.addNote(tx(TextPrefetchVersionUnread).arg(file.header.formatVersion));
        else if (file.header.compressed)
            writer.addNote(tx(TextPrefetchCompressedUnread));
        else
            writer.addNote(tx(TextPrefetchDamaged).arg(file.libsccaError));
        if (!file.libsccaError.isEmpty() && !file.header.scca && file.header.compressed)
            writer.addNote(QStringLiteral("libscca: ") + file.libsccaError);
    }
    writer.write();
}

} // namespace

WindowsLoadResult loadUserAssist(const Hive& ntUser, const KnownFolderLocations& locations,
                                 const LoadContext& context, RowSink& sink) {
    const QString path = ntUser.path();
    return loadOneInput(WindowsTable::Programs, context, sink, [&](WindowsRowWriter& writer) {
        return readUserAssist(ntUser, [&](const UserAssistEntry& entry) {
            writeUserAssist(entry, path, locations, writer);
        });
    });
}

QByteArray prefetchFolder(const EvidenceFiles& files, const QByteArray& volumeRoot) {
    const QByteArray folder = files.resolveNoCase(volumeRoot, {"Windows", "Prefetch"});
    return files.isFolder(folder) ? folder : QByteArray();
}

WindowsLoadResult loadPrefetch(const EvidenceFiles& files, const QByteArray& volumeRoot,
                               const LoadContext& context, RowSink& sink) {
    WindowsLoadResult result;
    const QByteArray folder = prefetchFolder(files, volumeRoot);
    std::vector<EvidenceEntry> entries;
    QString error;
    if (folder.isEmpty()) {
        LoadSteps(context, 0).finish();
        return result;
    }
    if (!files.list(folder, entries, &error)) {
        if (context.report)
            context.report->error(
                windowsReport(TextFolderUnlisted, EvidenceFiles::pathText(folder), error));
        LoadSteps(context, 0).finish();
        result.failures = 1;
        return result;
    }
    std::erase_if(entries, [](const EvidenceEntry& e) {
        return e.type != EntryType::File || !e.name.toLower().endsWith(".pf");
    });
    std::sort(entries.begin(), entries.end(),
              [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });

    RowBatch batch(sink);
    WindowsRowWriter writer(WindowsTable::Programs, sink, context.filter);
    LoadSteps steps(context, qsizetype(entries.size()));
    QByteArray bytes;
    for (size_t i = 0; i < entries.size(); ++i) {
        const QByteArray path = joinPath(folder, entries[i].name);
        const QString name = QString::fromUtf8(entries[i].name);
        ++result.inputs;
        const EvidenceReadStatus status = files.readWhole(path, kMaxPrefetchFile, &bytes);
        if (status != EvidenceReadStatus::Ok) {
            ++result.failures;
            if (context.report)
                context.report->error(
                    windowsReport(TextPrefetchFileUnreadable, EvidenceFiles::pathText(path)));
            bytes.clear();
        }
        writePrefetch(readPrefetch(bytes, name, false), path, writer);
        context.noteInputRead();
        steps.done(qsizetype(i));
    }
    steps.finish();
    result.rows = writer.rows();
    return result;
}

} // namespace vc
