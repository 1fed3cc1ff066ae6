#include "documents/MruHive.h"

#include <QFile>
#include <QStringList>

#include <hivex.h>

#include <cerrno>
#include <cstring>
#include <vector>

MruValue textValue(const QString& name, const QString& text) {
    QByteArray data(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    data.append(2, '\0');
    return {name, 1, data};
}

namespace {

hive_node_h childOrAdd(hive_h* h, hive_node_h parent, const QString& name) {
    const QByteArray n = name.toLatin1();
    hive_node_h child = hivex_node_get_child(h, parent, n.constData());
    if (child == 0)
        child = hivex_node_add_child(h, parent, n.constData());
    return child;
}

} // namespace

bool writeMruHive(const QString& base, const QString& out, const QString& keyPath,
                  const QList<MruSubkey>& subkeys, QString* error) {
    QFile::remove(out);
    if (!QFile::copy(base, out)) {
        *error = QStringLiteral("cannot copy ") + base;
        return false;
    }
    QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner);
    hive_h* h = hivex_open(QFile::encodeName(out).constData(), HIVEX_OPEN_WRITE);
    if (!h) {
        *error = QStringLiteral("hivex_open: ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    hive_node_h node = hivex_root(h);
    for (const QString& part : keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        node = childOrAdd(h, node, part);
        if (node == 0) {
            *error = QStringLiteral("cannot add key ") + part;
            hivex_close(h);
            return false;
        }
    }
    for (const MruSubkey& subkey : subkeys) {
        const hive_node_h child = childOrAdd(h, node, subkey.name);
        std::vector<QByteArray> names;
        std::vector<hive_set_value> values;
        names.reserve(size_t(subkey.values.size()));
        for (const MruValue& v : subkey.values)
            names.push_back(v.name.toLatin1());
        for (qsizetype i = 0; i < subkey.values.size(); ++i) {
            const MruValue& v = subkey.values[i];
            hive_set_value set;
            set.key = const_cast<char*>(names[size_t(i)].constData());
            set.t = hive_type(v.type);
            set.len = size_t(v.data.size());
            set.value = const_cast<char*>(v.data.constData());
            values.push_back(set);
        }
        if (child == 0 || hivex_node_set_values(h, child, values.size(), values.data(), 0) != 0) {
            *error = QStringLiteral("cannot set values of ") + subkey.name;
            hivex_close(h);
            return false;
        }
    }
    if (hivex_commit(h, nullptr, 0) != 0) {
        *error = QStringLiteral("hivex_commit failed");
        hivex_close(h);
        return false;
    }
    hivex_close(h);
    return true;
}
