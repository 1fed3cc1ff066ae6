// A profile whose NTUSER.DAT is the input, read for the newer MRU lists:
// Explorer's RecentDocs, the common dialogs' OpenSavePidlMRU and
// LastVisitedPidlMRU (shell item lists) and LastVisitedMRU, each value into
// one row of the recent-documents table.
#include "FuzzInput.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RecentSources.h"
#include "platform/LoadContext.h"
#include "platform/Profile.h"
#include "platform/Reporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdlib>

namespace {

// A profile folder of the Vista layout whose NTUSER.DAT is a link to the
// input.
struct ProfileFolder {
    ProfileFolder() {
        if (!dir.isValid())
            std::abort();
        QDir(dir.path()).mkpath(QStringLiteral("AppData/Roaming/Microsoft/Windows/Recent"));
        const QByteArray link = QFile::encodeName(dir.filePath(QStringLiteral("NTUSER.DAT")));
        if (::symlink(QFile::encodeName(input.path()).constData(), link.constData()) != 0)
            std::abort();
    }
    QTemporaryDir dir;
    vc::fuzz::InputFile input;
};

struct Quiet : vc::Reporter {
    void error(const QString&) override {}
    void warning(const QString&) override {}
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ProfileFolder folder;
    folder.input.set(data, size);
    vc::Profile profile;
    QString message;
    if (!profile.open(folder.dir.path(), &message))
        std::abort();
    Quiet quiet;
    vc::LoadContext context;
    context.report = &quiet;
    QList<QByteArray> lines;
    {
        vc::RecentCollection collection(profile, QString(), context, lines);
        vc::collectRecentDocsRows(collection);
        vc::collectDialogMruRows(collection);
        collection.report();
    }
    // Every value gives one row of the table's fields, whatever it holds.
    for (const QByteArray& line : lines)
        if (line.count('\t') != vc::kRecentRowFields - 1)
            std::abort();
    return 0;
}
