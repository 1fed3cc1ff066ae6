#include "windows/TypedEntries.h"

#include "documents/MruListRows.h"
#include "documents/MruOrder.h"

#include <QtEndian>

#include <algorithm>
#include <limits>

namespace vc {

namespace {

using Emit = std::function<void(const TypedEntry&)>;

// "url7" gives 7; 0 for any other name.
int urlNumber(const QString& name) {
    if (!name.startsWith(QLatin1String("url"), Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int number = name.mid(3).toInt(&ok);
    return ok && number > 0 ? number : 0;
}

// TypedURLs and TypedPaths: url1 is the most recent. TypedURLs may have
// TypedURLsTime beside it with a FILETIME for each value of the same name.
void readUrlList(const Hive& hive, Hive::Node key, const QString& keyPath, const QString& source,
                 std::optional<Hive::Node> times, const Emit& emit) {
    QList<QPair<int, QString>> names;
    for (const Hive::Value& value : hive.values(key)) {
        const int number = urlNumber(value.name);
        names.append({number > 0 ? number : std::numeric_limits<int>::max(), value.name});
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const quint64 written = hive.lastWriteTime(key).value_or(0);
    for (const auto& [number, name] : names) {
        TypedEntry entry;
        entry.source = source;
        entry.keyPath = keyPath;
        entry.valueName = name;
        entry.position = number == std::numeric_limits<int>::max() ? -1 : number - 1;
        const Hive::TextResult text = hive.readString(key, name);
        entry.readable = text.ok();
        entry.text = text.text;
        if (times) {
            int type = 0;
            const auto bytes = hive.readBytes(*times, name, &type);
            if (bytes && bytes->size() == 8)
                entry.time = qFromLittleEndian<quint64>(bytes->constData());
        }
        if (entry.time == 0 && entry.position == 0) {
            entry.time = written;
            entry.timeFromKey = true;
        }
        emit(entry);
    }
}

// A list in the order of MRUListEx or MRUList: read() fills an entry's
// text and readable from its value.
void readMruList(const Hive& hive, Hive::Node key, const QString& keyPath, const QString& source,
                 const std::function<void(Hive::Node, const QString&, TypedEntry&)>& read,
                 const Emit& emit) {
    const quint64 written = hive.lastWriteTime(key).value_or(0);
    for (const MruSlot& slot : mruSlots(hive, key)) {
        TypedEntry entry;
        entry.source = source;
        entry.keyPath = keyPath;
        entry.valueName = slot.valueName;
        entry.position = slot.position;
        read(key, slot.valueName, entry);
        if (slot.position == 0) {
            entry.time = written;
            entry.timeFromKey = true;
        }
        emit(entry);
    }
}

// WordWheelQuery: UTF-16 texts in MRUListEx order.
void readWordWheel(const Hive& hive, Hive::Node key, const QString& keyPath, const Emit& emit) {
    readMruList(
        hive, key, keyPath, QStringLiteral("WordWheelQuery"),
        [&](Hive::Node node, const QString& name, TypedEntry& entry) {
            int type = 0;
            const auto bytes = hive.readBytes(node, name, &type);
            entry.readable = bytes.has_value();
            QByteArrayView rest;
            if (bytes)
                takeUtf16Text(*bytes, &entry.text, &rest);
        },
        emit);
}

// RunMRU: texts in MRUList order, each ending in "\1".
void readRunMru(const Hive& hive, Hive::Node key, const Emit& emit) {
    readMruList(
        hive, key, kRunMruKey, QStringLiteral("RunMRU"),
        [&](Hive::Node node, const QString& name, TypedEntry& entry) {
            const Hive::TextResult text = hive.readString(node, name);
            entry.readable = text.ok();
            entry.text = text.text;
            if (entry.text.endsWith(QLatin1String("\\1")))
                entry.text.chop(2);
        },
        emit);
}

} // namespace

int readTypedEntries(const Hive& hive, const Emit& emit) {
    int keys = 0;
    if (const auto urls = hive.findKey(kTypedUrlsKey)) {
        ++keys;
        readUrlList(hive, *urls, kTypedUrlsKey, QStringLiteral("TypedURLs"),
                    hive.findKey(kTypedUrlsTimeKey), emit);
    }
    if (const auto paths = hive.findKey(kTypedPathsKey)) {
        ++keys;
        readUrlList(hive, *paths, kTypedPathsKey, QStringLiteral("TypedPaths"), std::nullopt, emit);
    }
    if (const auto wheel = hive.findKey(kWordWheelQueryKey)) {
        ++keys;
        readWordWheel(hive, *wheel, kWordWheelQueryKey, emit);
        // Windows 7 keeps the searches of some places in subkeys of their own.
        for (const Hive::Node sub : hive.subkeys(*wheel))
            readWordWheel(hive, sub, kWordWheelQueryKey + QLatin1Char('\\') + hive.keyName(sub),
                          emit);
    }
    if (const auto run = hive.findKey(kRunMruKey)) {
        ++keys;
        readRunMru(hive, *run, emit);
    }
    return keys;
}

} // namespace vc
