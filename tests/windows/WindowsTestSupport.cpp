#include "windows/WindowsTestSupport.h"

#include <QFile>
#include <QtEndian>

#include <hivex.h>

#include <vector>

namespace vc::testing {

namespace {

hive_node_h keyAt(hive_h* h, const QString& path) {
    hive_node_h node = hivex_root(h);
    for (const QString& part : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        const QByteArray name = part.toUtf8();
        hive_node_h next = hivex_node_get_child(h, node, name.constData());
        if (next == 0)
            next = hivex_node_add_child(h, node, name.constData());
        if (next == 0)
            return 0;
        node = next;
    }
    return node;
}

} // namespace

MruValue mruListEx(std::initializer_list<quint32> numbers) {
    QByteArray data;
    for (const quint32 n : numbers) {
        char bytes[4];
        qToLittleEndian(n, bytes);
        data.append(bytes, 4);
    }
    data.append(4, '\xff');
    return binaryValue(QStringLiteral("MRUListEx"), data);
}

QByteArray folderItem(const QString& name, quint32 modified, quint32 created, quint32 accessed,
                      quint64 reference) {
    QByteArray shortName = name.toLatin1() + '\0';
    if (shortName.size() % 2)
        shortName += '\0';
    QByteArray longName(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
    longName.append(2, '\0');
    QByteArray block;
    auto put16 = [](QByteArray& out, quint16 v) {
        out.append(char(v & 0xFF)).append(char(v >> 8));
    };
    auto put32 = [&](QByteArray& out, quint32 v) {
        put16(out, quint16(v & 0xFFFF));
        put16(out, quint16(v >> 16));
    };
    auto put64 = [&](QByteArray& out, quint64 v) {
        put32(out, quint32(v));
        put32(out, quint32(v >> 32));
    };
    put16(block, 0); // size, below
    put16(block, 9);
    put32(block, 0xBEEF0004);
    put32(block, created);
    put32(block, accessed);
    put16(block, 0x2E);
    put16(block, 0);
    put64(block, reference);
    put64(block, 0);
    put16(block, 0); // no localized name
    put32(block, 0);
    put32(block, 0);
    block += longName;
    const quint16 blockStart = quint16(14 + shortName.size());
    put16(block, blockStart);
    block[0] = char(block.size() & 0xFF);
    block[1] = char(block.size() >> 8);

    QByteArray item;
    put16(item, 0);
    item.append('\x31').append('\0');
    put32(item, 0); // folders have no size
    put32(item, modified);
    put16(item, 0x10); // directory
    item += shortName + block;
    item[0] = char(item.size() & 0xFF);
    item[1] = char(item.size() >> 8);
    return item + QByteArray(2, '\0');
}

bool writeHiveKeys(const QString& base, const QString& out, const QList<HiveKey>& keys,
                   QString* error) {
    QFile::remove(out);
    if (!QFile::copy(base, out)) {
        *error = QStringLiteral("cannot copy ") + base;
        return false;
    }
    QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner);
    hive_h* h = hivex_open(QFile::encodeName(out).constData(), HIVEX_OPEN_WRITE);
    if (!h) {
        *error = QStringLiteral("hivex_open failed");
        return false;
    }
    for (const HiveKey& key : keys) {
        const hive_node_h node = keyAt(h, key.path);
        std::vector<QByteArray> names;
        std::vector<hive_set_value> values;
        for (const MruValue& v : key.values)
            names.push_back(v.name.toUtf8());
        for (qsizetype i = 0; i < key.values.size(); ++i) {
            const MruValue& v = key.values[i];
            values.push_back({const_cast<char*>(names[size_t(i)].constData()), hive_type(v.type),
                              size_t(v.data.size()), const_cast<char*>(v.data.constData())});
        }
        if (node == 0 ||
            (!values.empty() && hivex_node_set_values(h, node, values.size(), values.data(), 0))) {
            *error = QStringLiteral("cannot write ") + key.path;
            hivex_close(h);
            return false;
        }
    }
    const bool committed = hivex_commit(h, nullptr, 0) == 0;
    hivex_close(h);
    if (!committed)
        *error = QStringLiteral("hivex_commit failed");
    return committed;
}

} // namespace vc::testing
