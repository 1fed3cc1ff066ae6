#include "cache/CacheIndexWalker.h"

#include <QDir>
#include <QFileInfo>

#include "cache/IndexWalk.h"
#include "language/InterfaceTexts.h"
#include "platform/Reporter.h"

#include <cstring>

namespace vc {

using walk::Walk;
using walk::WalkProgress;

const EvidenceFiles& WalkOptions::evidenceFiles() const {
    return files ? *files : localEvidenceFiles();
}

QStringList CacheIndexHeaderWarnings(const unsigned char* header, qint64 realSize) {
    using namespace index_format;
    QStringList warnings;
    if (std::memcmp(header + kSignatureOffset, kSignature, kSignatureLength) != 0)
        warnings << tx(TextNotCacheIndexFile);
    // The stated size is read as a signed value, as the walks use it: from
    // 2^31 on it is negative and they find nothing. Said in its unsigned form.
    const uint32_t stated = uint32_t(LittleEndianValue(header + kStatedSizeOffset, 4));
    if (stated >= 0x80000000U)
        warnings << tx(TextStatedSizeTooLarge).arg(stated).arg(realSize);
    else if (qint64(stated) > realSize)
        warnings << tx(TextIndexFileShorter).arg(realSize).arg(stated);
    return warnings;
}

bool OpenCacheIndex(IndexFileReader& file, const QString& fileName, Reporter* report,
                    IndexHeader& header) {
    if (!file.open()) {
        if (report)
            report->error(tx(TextCannotOpenIndexFile) + QStringLiteral(":\n") + fileName);
        return false;
    }
    unsigned char bytes[index_format::kHeaderLength];
    file.ReadAt(0, index_format::kHeaderLength, bytes);
    header.version = ParseCacheIndexVersion(bytes + index_format::kVersionOffset);
    header.statedSize = LittleEndianValue(bytes + index_format::kStatedSizeOffset, 4);
    // The file is walked as it is; what does not fit a cache index file is
    // said beside the rows.
    if (report) {
        for (const QString& warning : CacheIndexHeaderWarnings(bytes, file.realSize()))
            report->warning(warning + QStringLiteral(":\n") + fileName);
    }
    return true;
}

bool isDailyOrWeeklyHistory(const QString& indexFile) {
    const QString folder = QFileInfo(indexFile).absoluteDir().dirName();
    return folder.startsWith(QLatin1String("MSHist"), Qt::CaseInsensitive);
}

double WalkCacheIndex(const QString& fileName, const WalkOptions& options, RecordSink& sink) {
    IndexFileReader file(fileName, options.evidenceFiles());
    IndexHeader header;
    if (!OpenCacheIndex(file, fileName, options.context.report, header))
        return 0;
    sink.filter = options.context.filter;
    sink.secondTimeLocal = isDailyOrWeeklyHistory(fileName);
    sink.machineZone = options.machineZone;
    WalkProgress progress(options.context.progress, options.context.share, header.statedSize);
    Walk walk(file, header.statedSize, header.version, sink);
    if (options.linearScan)
        walk.linearScan(progress);
    else
        walk.hashWalk(progress);
    progress.finish();
    file.close();
    return header.version;
}

} // namespace vc
