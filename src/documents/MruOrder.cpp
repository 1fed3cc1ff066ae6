#include "documents/MruOrder.h"

#include <QHash>
#include <QSet>
#include <QtEndian>

namespace vc {

namespace {

const QString kMruListEx = QStringLiteral("MRUListEx");
const QString kMruList = QStringLiteral("MRUList");

// Value names are matched without regard to letter case, as Windows does;
// present maps each lower-case name to the name as the hive spells it. The
// order is walked without being copied, so a forged order value of millions
// of numbers costs no memory, and the walk ends once every value is placed.
QStringList orderedNames(const Hive& hive, Hive::Node key, const QHash<QString, QString>& present) {
    QStringList kept;
    QSet<QString> seen;
    const auto keep = [&](const QString& name) {
        const QString lower = name.toLower();
        if (seen.contains(lower) || !present.contains(lower))
            return;
        seen.insert(lower);
        kept << present.value(lower);
    };
    int type = 0;
    if (const auto ex = hive.readBytes(key, kMruListEx, &type)) {
        const qsizetype count = ex->size() / 4;
        for (qsizetype i = 0; i < count && kept.size() < present.size(); ++i) {
            const quint32 number = qFromLittleEndian<quint32>(ex->constData() + 4 * i);
            if (number == 0xFFFFFFFFu)
                break;
            keep(QString::number(number));
        }
    } else {
        const Hive::TextResult order = hive.readString(key, kMruList);
        if (order.ok())
            for (qsizetype i = 0; i < order.text.size() && kept.size() < present.size(); ++i)
                keep(QString(order.text.at(i)));
    }
    return kept;
}

} // namespace

QList<MruSlot> mruSlots(const Hive& hive, Hive::Node key) {
    QStringList others;
    QHash<QString, QString> present;
    for (const Hive::Value& value : hive.values(key)) {
        if (value.name.contains(kMruList))
            continue;
        const QString lower = value.name.toLower();
        if (present.contains(lower))
            continue;
        others << value.name;
        present.insert(lower, value.name);
    }
    QList<MruSlot> slots;
    const QStringList ordered = orderedNames(hive, key, present);
    for (qsizetype i = 0; i < ordered.size(); ++i)
        slots.append({ordered[i], int(i)});
    const QSet<QString> listed(ordered.begin(), ordered.end());
    for (const QString& name : others)
        if (!listed.contains(name))
            slots.append({name, -1});
    return slots;
}

} // namespace vc
