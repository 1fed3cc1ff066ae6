// One shell item of a shell bag: its times and file reference read with
// libfwsi, and the path of a list made of it and a folder below it.
#include "FuzzInput.h"
#include "documents/shell/KnownFolders.h"
#include "documents/shell/ShellItemFacts.h"
#include "documents/shell/ShellItemList.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView item(data, qsizetype(size));
    const vc::ShellItemFacts facts = vc::readShellItemFacts(item);
    // Times are FAT times: from 1980 (FILETIME 119600064000000000) to 2107.
    for (const auto& time : {facts.modified, facts.created, facts.accessed})
        if (time && (*time < 119600064000000000ULL || *time > 160000000000000000ULL))
            std::abort();
    if (!facts.fileEntry && (facts.modified || facts.fileReference))
        std::abort();
    QByteArray list = item.toByteArray() + item.toByteArray();
    list.append(2, '\0');
    const vc::ShellItemPath path = vc::readShellItemList(list, vc::KnownFolderLocations());
    if (path.items > 2 * qsizetype(size) / 3 + 1)
        std::abort();
    return 0;
}
