#include "windows/TypedLoad.h"

#include "language/InterfaceTexts.h"
#include "platform/Hive.h"
#include "platform/LoadContext.h"
#include "tables/RowSink.h"
#include "windows/TypedEntries.h"

namespace vc {

WindowsLoadResult loadTypedEntries(const Hive& ntUser, const LoadContext& context, RowSink& sink) {
    const QString hivePath = ntUser.path();
    return loadOneInput(WindowsTable::Typed, context, sink, [&](WindowsRowWriter& writer) {
        return readTypedEntries(ntUser, [&](const TypedEntry& entry) {
            writer.setText(kTypedText, entry.text);
            writer.setText(kTypedSource, entry.source);
            if (entry.position >= 0)
                writer.setNumber(kTypedMruPosition, entry.position);
            else
                writer.addNote(tx(TextNotInMruOrder));
            writer.setFileTime(kTypedTime, entry.time);
            if (entry.time != 0)
                writer.setText(kTypedTimeSource, entry.timeFromKey
                                                     ? tx(TextKeyLastWritten)
                                                     : QStringLiteral("TypedURLsTime"));
            writer.setText(kTypedValueName, entry.valueName);
            writer.setText(kTypedKey, entry.keyPath);
            writer.setText(kTypedHive, hivePath);
            if (!entry.readable)
                writer.addNote(tx(TextReadInPart));
            writer.write();
        });
    });
}

} // namespace vc
