#include "documents/OpenSaveMru.h"

#include "documents/MruOrder.h"
#include "documents/RecentRow.h"
#include "documents/RowLine.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/UserProfile.h"
#include "platform/CodePage.h"
#include "platform/Hive.h"
#include "recall/RecallFilter.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace vc {

namespace {

QString typeName(int type) {
    switch (type) {
    case Hive::None:
        return QStringLiteral("REG_NONE");
    case Hive::Text:
        return QStringLiteral("REG_SZ");
    case Hive::ExpandText:
        return QStringLiteral("REG_EXPAND_SZ");
    case Hive::Binary:
        return QStringLiteral("REG_BINARY");
    case Hive::Dword:
        return QStringLiteral("REG_DWORD");
    case Hive::MultiText:
        return QStringLiteral("REG_MULTI_SZ");
    default:
        return QStringLiteral("type %1").arg(type);
    }
}

MruReadResult notText(const Hive& hive, const QString& keyPath, const QString& valueName,
                      int type) {
    MruReadResult result;
    result.ok = false;
    result.error = QStringLiteral("Invalid data type for '%1' (%2) in HKEY_CURRENT_USER\\%3:\n%4")
                       .arg(valueName, typeName(type), keyPath, hive.path());
    return result;
}

} // namespace

namespace {

// Where each value stands in the list's order string, by lower-case name.
QHash<QString, int> mruPositions(const Hive& hive, Hive::Node key) {
    QHash<QString, int> positions;
    for (const MruSlot& slot : mruSlots(hive, key))
        if (slot.position >= 0)
            positions.insert(slot.valueName.toLower(), slot.position);
    return positions;
}

MruReadResult readValuesOf(const UserProfile* profile, Hive& hive, Hive::Node key,
                           const QString& keyPath, QList<QByteArray>& list,
                           const QByteArray& rowTag, const RecallConditionSet* filter) {
    const QHash<QString, int> positions = mruPositions(hive, key);
    const quint64 written = quint64(hive.lastWriteTime(key).value_or(0));
    for (const Hive::Value& value : hive.values(key)) {
        if (value.name.contains(QLatin1String("MRUList")))
            continue;
        const Hive::TextResult text = hive.readString(key, value.name);
        if (text.status == Hive::ReadStatus::NotText)
            return notText(hive, keyPath, value.name, text.type);
        if (!text.ok())
            continue; // damaged beyond reading: fewer rows, never a crash
        QString local = profile ? profile->mapWindowsPath(text.text) : QString();
        if (!local.isEmpty() && !profile->files().isFile(EvidenceFiles::pathBytes(local)))
            local.clear();
        RecentRow row;
        row.path = encodeEvidence(text.text);
        row.name = fileNamePart(row.path);
        row.extension = extensionPart(row.name);
        row.source = rowTag;
        row.localFile = QFile::encodeName(local);
        row.mruPosition = positions.value(value.name.toLower(), -1);
        if (row.mruPosition == 0)
            row.recordedTime = written;
        QByteArray lastAccess;
        const QByteArray line =
            recentRowLine(row, profile ? profile->files() : localEvidenceFiles(), &lastAccess);
        if (PassesRecallConditions(filter, line, lastAccess))
            list.append(line);
    }
    return {};
}

} // namespace

MruReadResult ReadMRUValues(const UserProfile* profile, const QString& subkeyPath,
                            QList<QByteArray>& list, const QByteArray& rowTag,
                            const RecallConditionSet* filter) {
    Hive* hive = profile ? profile->userHive() : nullptr;
    if (!hive)
        return {};
    const auto key = hive->findKey(subkeyPath);
    if (!key)
        return {};
    return readValuesOf(profile, *hive, *key, subkeyPath, list, rowTag, filter);
}

MruReadResult ReadOpenSaveMRU(const UserProfile* profile, const QString& key,
                              QList<QByteArray>& list, const RecallConditionSet* filter) {
    Hive* hive = profile ? profile->userHive() : nullptr;
    if (!hive)
        return {};
    const auto node = hive->findKey(key);
    if (!node)
        return {};
    const QString sourceName = key.mid(key.lastIndexOf(QLatin1Char('\\')) + 1) + QLatin1Char('\\');
    // Subkeys are taken as nodes, not looked up again by name, so a name
    // holding a backslash cannot lead elsewhere.
    for (const Hive::Node subkey : hive->subkeys(*node)) {
        const QString name = hive->keyName(subkey);
        if (name.contains(QLatin1String("MRUList")))
            continue;
        const MruReadResult r = readValuesOf(profile, *hive, subkey, key + QLatin1Char('\\') + name,
                                             list, encodeEvidence(sourceName + name), filter);
        if (!r.ok)
            return r;
    }
    return {};
}

} // namespace vc
