#include "platform/HiveEditing.h"

#include <QFile>
#include <QStringList>

#include <hivex.h>

#include <vector>

namespace {

hive_node_h findOrAdd(hive_h* h, const QString& keyPath, bool create) {
    hive_node_h node = hivex_root(h);
    for (const QString& part : keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        const QByteArray name = part.toUtf8();
        hive_node_h next = hivex_node_get_child(h, node, name.constData());
        if (next == 0 && create)
            next = hivex_node_add_child(h, node, name.constData());
        if (next == 0)
            return 0;
        node = next;
    }
    return node;
}

QByteArray utf16(const QString& text) {
    QByteArray bytes;
    for (QChar c : text + QChar(0)) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

bool setHiveStrings(const QString& hivePath, const QString& keyPath,
                    const QList<QPair<QString, QString>>& values, bool replaceAll) {
    hive_h* h = hivex_open(QFile::encodeName(hivePath).constData(), HIVEX_OPEN_WRITE);
    if (!h)
        return false;
    bool ok = false;
    if (hive_node_h node = findOrAdd(h, keyPath, true)) {
        std::vector<QByteArray> names;
        std::vector<QByteArray> data;
        std::vector<hive_set_value> set;
        for (const auto& [name, value] : values) {
            names.push_back(name.toUtf8());
            data.push_back(utf16(value));
        }
        for (size_t i = 0; i < names.size(); ++i)
            set.push_back(hive_set_value{names[i].data(), hive_t_REG_SZ, size_t(data[i].size()),
                                         data[i].data()});
        ok = true;
        if (replaceAll) {
            ok = hivex_node_set_values(h, node, set.size(), set.data(), 0) == 0;
        } else {
            for (const hive_set_value& v : set)
                ok = ok && hivex_node_set_value(h, node, &v, 0) == 0;
        }
        ok = ok && hivex_commit(h, nullptr, 0) == 0;
    }
    hivex_close(h);
    return ok;
}

bool deleteHiveKey(const QString& hivePath, const QString& keyPath) {
    hive_h* h = hivex_open(QFile::encodeName(hivePath).constData(), HIVEX_OPEN_WRITE);
    if (!h)
        return false;
    bool ok = false;
    if (hive_node_h node = findOrAdd(h, keyPath, false))
        ok = hivex_node_delete_child(h, node) == 0 && hivex_commit(h, nullptr, 0) == 0;
    hivex_close(h);
    return ok;
}
