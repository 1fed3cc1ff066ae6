#include "windows/FoldersLoad.h"

#include "language/InterfaceTexts.h"
#include "platform/Hive.h"
#include "platform/LoadContext.h"
#include "tables/RowSink.h"
#include "windows/ShellBags.h"
#include "windows/UserHives.h"

namespace vc {

namespace {

void writeFolder(const ShellBag& bag, const QString& hivePath, WindowsRowWriter& writer) {
    writer.setText(kFolderPath, bag.path);
    writer.setText(kFolderName, bag.name);
    if (bag.position >= 0)
        writer.setNumber(kFolderMruPosition, bag.position);
    writer.setFileTime(kFolderLastOpened, bag.parentWritten);
    writer.setFileTime(kFolderKeyWritten, bag.keyWritten);
    if (bag.facts.modified)
        writer.setFileTime(kFolderItemModified, *bag.facts.modified);
    if (bag.facts.created)
        writer.setFileTime(kFolderItemCreated, *bag.facts.created);
    if (bag.facts.accessed)
        writer.setFileTime(kFolderItemAccessed, *bag.facts.accessed);
    if (bag.facts.fileReference)
        writer.setText(kFolderFileReference, fileReferenceText(*bag.facts.fileReference));
    writer.setText(kFolderHive, hivePath);
    writer.setText(kFolderKey, bag.keyPath);
    if (!bag.complete)
        writer.addNote(tx(TextReadInPart));
    if (bag.position < 0)
        writer.addNote(tx(TextNotInMruOrder));
    writer.write();
}

} // namespace

WindowsLoadResult loadFoldersOpened(const UserHives& hives, const LoadContext& context,
                                    RowSink& sink) {
    RowBatch batch(sink);
    WindowsRowWriter writer(WindowsTable::Folders, sink, context.filter);
    const struct {
        const Hive* hive;
        const QString& key;
    } trees[] = {{hives.ntUser, kNtUserBagMruKey},
                 {hives.ntUser, kNtUserNoRoamBagMruKey},
                 {hives.usrClass, kUsrClassBagMruKey}};
    WindowsLoadResult result;
    LoadSteps steps(context, std::size(trees));
    for (qsizetype i = 0; i < qsizetype(std::size(trees)); ++i) {
        if (const Hive* hive = trees[i].hive) {
            const QString path = hive->path();
            if (readShellBags(*hive, trees[i].key, hives.locations,
                              [&](const ShellBag& bag) { writeFolder(bag, path, writer); }) > 0)
                ++result.inputs;
        }
        context.noteInputRead();
        steps.done(i);
    }
    steps.finish();
    result.rows = writer.rows();
    return result;
}

} // namespace vc
