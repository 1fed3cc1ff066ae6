#include "thiscomputer/Thumbnails.h"

#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/Reporter.h"
#include "tables/RowSink.h"
#include "thiscomputer/DesktopFiles.h"
#include "thiscomputer/ThumbnailPng.h"

#include <algorithm>

namespace vc {

namespace {

// The PNG files of one folder, by name.
std::vector<EvidenceEntry> pngFiles(const EvidenceFiles& files, const QByteArray& folder) {
    std::vector<EvidenceEntry> entries;
    if (!files.list(folder, entries, nullptr))
        return {};
    std::erase_if(entries, [](const EvidenceEntry& e) {
        return e.type != EntryType::File || !e.name.endsWith(".png");
    });
    std::sort(entries.begin(), entries.end(),
              [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
    if (entries.size() > size_t(kMaxThumbnailsPerFolder))
        entries.resize(size_t(kMaxThumbnailsPerFolder));
    return entries;
}

void writeThumbnail(const EvidenceFiles& files, const QByteArray& path, const EvidenceEntry& entry,
                    const QString& sizeClass, WindowsRowWriter& writer, QStringList* unreadable) {
    QString error;
    PngText png;
    if (const std::unique_ptr<EvidenceReader> reader = files.open(path, &error))
        png = readPngText(*reader);
    const QString uri = png.value("Thumb::URI");
    writer.setText(kThumbOriginalAddress, uri);
    bool ok = false;
    const qint64 size = png.value("Thumb::Size").toLongLong(&ok);
    if (ok && size >= 0)
        writer.setNumber(kThumbOriginalSize, size);
    const qint64 mtime = png.value("Thumb::MTime").toLongLong(&ok);
    if (ok)
        writer.setTime(kThumbOriginalModified,
                       TimeValue{TimeKind::UnixSeconds, TimeRule::Runtime, mtime});
    const QByteArray local = localPathOfFileUri(uri.toUtf8());
    if (!local.isEmpty())
        writer.setText(kThumbOriginalExists, tx(files.entry(local) ? TextYes : TextNo));
    writer.setTime(kThumbModified, entry.modified);
    writer.setTime(kThumbAccessed, entry.accessed);
    writer.setTime(kThumbCreated, entry.created);
    writer.setText(kThumbSizeClass, sizeClass);
    writer.setText(kThumbMimeType, png.value("Thumb::Mimetype"));
    writer.setText(kThumbSoftware, png.value("Software"));
    if (png.isPng)
        writer.setText(kThumbPixels, QStringLiteral("%1 x %2").arg(png.width).arg(png.height));
    writer.setText(kThumbFile, EvidenceFiles::pathText(path));
    if (!png.isPng) {
        writer.addNote(tx(TextThumbnailNotPng));
        if (unreadable)
            *unreadable << EvidenceFiles::pathText(path) +
                               (error.isEmpty() ? QString() : QStringLiteral(": ") + error);
    } else {
        if (uri.isEmpty())
            writer.addNote(tx(TextThumbnailNamesNoOriginal));
        if (png.cut)
            writer.addNote(tx(TextReadInPart));
    }
    writer.write();
}

} // namespace

int readThumbnails(const EvidenceFiles& files, const QByteArray& cacheFolder,
                   WindowsRowWriter& writer, QStringList* unreadable) {
    int read = 0;
    const auto readFolder = [&](const QByteArray& folder, const QString& sizeClass) {
        for (const EvidenceEntry& entry : pngFiles(files, folder)) {
            writeThumbnail(files, joinPath(folder, entry.name), entry, sizeClass, writer,
                           unreadable);
            ++read;
        }
    };
    for (const char* size : kThumbnailSizeFolders) {
        const QByteArray folder = joinPath(cacheFolder, QByteArray(size));
        if (qstrcmp(size, "fail") != 0) {
            readFolder(folder, QString::fromLatin1(size));
            continue;
        }
        // fail/APPLICATION/*.png: the program whose attempt failed.
        std::vector<EvidenceEntry> programs;
        if (!files.list(folder, programs, nullptr))
            continue;
        std::sort(programs.begin(), programs.end(),
                  [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
        for (const EvidenceEntry& program : programs)
            if (program.type == EntryType::Folder && !program.symlink)
                readFolder(joinPath(folder, program.name),
                           QStringLiteral("fail/") + EvidenceFiles::pathText(program.name));
    }
    return read;
}

WindowsLoadResult loadThumbnails(const EvidenceFiles& files, const QByteArray& home,
                                 const LoadContext& context, RowSink& sink) {
    RowBatch batch(sink);
    WindowsRowWriter writer(thumbnailColumns(), kThumbModified, sink, context.filter);
    QStringList unreadable;
    WindowsLoadResult result;
    const QByteArray cache = joinPath(home, QByteArray(".cache/thumbnails"));
    result.inputs = files.isFolder(cache) ? 1 : 0;
    readThumbnails(files, cache, writer, &unreadable);
    context.noteInputRead();
    LoadSteps(context, 1).finish();
    result.rows = writer.rows();
    result.failures = int(unreadable.size());
    if (!unreadable.isEmpty() && context.report) {
        QStringList shown = unreadable.mid(0, 20);
        if (unreadable.size() > 20)
            shown << QStringLiteral("(+%1)").arg(unreadable.size() - 20);
        context.report->warning(tx(TextThumbnailsUnreadable) + QStringLiteral(":\n") +
                                shown.join(QLatin1Char('\n')));
    }
    return result;
}

} // namespace vc
