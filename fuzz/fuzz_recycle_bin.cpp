// A volume whose Recycle Bins hold the input twice: as a $I file of Windows
// Vista and later and as Windows XP's INFO2, read through the Deleted files
// table's loader.
#include "FuzzInput.h"
#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "tables/TableModel.h"
#include "windows/DeletedFilesLoad.h"
#include "windows/WindowsColumns.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdlib>

namespace {

struct Volume {
    Volume() {
        if (!dir.isValid())
            std::abort();
        const QString sid = QStringLiteral("S-1-5-21-1-2-3-1001");
        link(QStringLiteral("$Recycle.Bin/") + sid, QStringLiteral("$IABCDEF.txt"));
        link(QStringLiteral("RECYCLER/") + sid, QStringLiteral("INFO2"));
        // A recycled file for the first record of INFO2 and for the $I file.
        touch(QStringLiteral("RECYCLER/") + sid + QStringLiteral("/Dc1.txt"));
        touch(QStringLiteral("$Recycle.Bin/") + sid + QStringLiteral("/$RABCDEF.txt"));
    }
    void link(const QString& folder, const QString& name) {
        QDir(dir.path()).mkpath(folder);
        const QByteArray path = QFile::encodeName(dir.filePath(folder + QLatin1Char('/') + name));
        if (::symlink(QFile::encodeName(input.path()).constData(), path.constData()) != 0)
            std::abort();
    }
    void touch(const QString& path) {
        QFile file(dir.filePath(path));
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
    }
    QTemporaryDir dir;
    vc::fuzz::InputFile input;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Volume volume;
    volume.input.set(data, size);
    auto table = vc::makeWindowsTable(vc::WindowsTable::Deleted);
    vc::CollectingReporter report;
    vc::LoadContext context;
    context.report = &report;
    const vc::WindowsLoadResult result = vc::loadDeletedFiles(
        vc::localEvidenceFiles(), QFile::encodeName(volume.dir.path()), {}, context, *table);
    // One row for the $I file at most, and one per record of INFO2 (of at
    // least 280 bytes after its 20-byte header, the last one perhaps cut).
    const qsizetype records = size > 20 ? qsizetype(size - 20 + 279) / 280 : 0;
    if (table->rows() > 1 + records || result.inputs != 2)
        std::abort();
    // Every text cell is one line of text.
    for (int r = 0; r < table->rows(); ++r)
        for (int c = 0; c < table->columns(); ++c)
            if (!vc::isTimeCell(table->cellView(r, c)))
                for (const char ch : table->cellView(r, c))
                    if (static_cast<unsigned char>(ch) < 32)
                        std::abort();
    return 0;
}
