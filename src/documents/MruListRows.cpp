#include "documents/MruListRows.h"

#include "documents/MruOrder.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace vc {

bool takeUtf16Text(QByteArrayView bytes, QString* text, QByteArrayView* rest) {
    const qsizetype units = bytes.size() / 2;
    for (qsizetype i = 0; i < units; ++i) {
        if (qFromLittleEndian<quint16>(bytes.data() + 2 * i) == 0) {
            *text = decodeRegistryText(bytes.first(2 * i));
            *rest = bytes.sliced(2 * i + 2);
            return true;
        }
    }
    *text = decodeRegistryText(bytes);
    *rest = QByteArrayView();
    return false;
}

QByteArray localFileFor(const RecentCollection& collection, const QString& windowsPath) {
    if (windowsPath.isEmpty())
        return QByteArray();
    const QString local = collection.profile().mapWindowsPath(windowsPath);
    if (local.isEmpty())
        return QByteArray();
    const QByteArray path = EvidenceFiles::pathBytes(local);
    return collection.profile().files().entry(path) ? path : QByteArray();
}

void addMruListRows(RecentCollection& collection, const Hive& hive, Hive::Node key,
                    const QString& keyPath, const QByteArray& source, const MruValueReader& read) {
    const quint64 written = hive.lastWriteTime(key).value_or(0);
    for (const MruSlot& slot : mruSlots(hive, key)) {
        RecentRow row;
        row.source = source;
        row.mruPosition = slot.position;
        if (slot.position == 0)
            row.recordedTime = written;
        if (slot.position < 0)
            row.note(cellInterfaceText(TextNotInMruOrder));
        const QString where = QStringLiteral("HKEY_CURRENT_USER\\%1\\%2 (%3)")
                                  .arg(keyPath, slot.valueName, hive.path());
        int type = 0;
        const auto bytes = hive.readBytes(key, slot.valueName, &type);
        if (!bytes) {
            collection.problem(where, true);
            continue;
        }
        if (!read(*bytes, row)) {
            row.note(cellInterfaceText(TextReadInPart));
            collection.problem(where);
        }
        collection.add(row);
    }
}

} // namespace vc
