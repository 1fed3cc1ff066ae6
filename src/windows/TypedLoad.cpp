#include "windows/TypedLoad.h"

#include "language/InterfaceTexts.h"
#include "platform/Hive.h"
#include "platform/LoadContext.h"
#include "tables/RowSink.h"
#include "windows/TypedEntries.h"

namespace vc {

WindowsLoadResult loadTypedEntries(const Hive& ntUser, const LoadContext& context, RowSink& sink) {
    RowBatch batch(sink);
    WindowsRowWriter writer(WindowsTable::Typed, sink, context.filter);
    LoadSteps steps(context, 1);
    const QString hivePath = ntUser.path();
    WindowsLoadResult result;
    result.inputs = readTypedEntries(ntUser, [&](const TypedEntry& entry) {
        writer.setText(kTypedText, entry.text);
        writer.setText(kTypedSource, entry.source);
        if (entry.position >= 0)
            writer.setNumber(kTypedMruPosition, entry.position);
        else
            writer.addNote(tx(TextNotInMruOrder));
        writer.setFileTime(kTypedTime, entry.time);
        if (entry.time != 0)
            writer.setText(kTypedTimeSource, entry.timeFromKey ? tx(TextKeyLastWritten)
                                                               : QStringLiteral("TypedURLsTime"));
        writer.setText(kTypedValueName, entry.valueName);
        writer.setText(kTypedKey, entry.keyPath);
        writer.setText(kTypedHive, hivePath);
        if (!entry.readable)
            writer.addNote(tx(TextReadInPart));
        writer.write();
    });
    context.noteInputRead();
    steps.finish();
    result.rows = writer.rows();
    return result;
}

} // namespace vc
