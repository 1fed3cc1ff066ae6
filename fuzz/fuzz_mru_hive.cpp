// A profile whose NTUSER.DAT is the input, read for the newer MRU lists:
// Explorer's RecentDocs, the common dialogs' OpenSavePidlMRU and
// LastVisitedPidlMRU (shell item lists) and LastVisitedMRU, each value into
// one row of the recent-documents table.
#include "FuzzInput.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RecentSources.h"
#include "evidence/UserProfile.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"

#include <cstdlib>

namespace {

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
    // A profile folder of the Vista layout.
    static vc::fuzz::ProfileFolder folder({"AppData/Roaming/Microsoft/Windows/Recent"});
    folder.input.set(data, size);
    vc::UserProfile profile;
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
