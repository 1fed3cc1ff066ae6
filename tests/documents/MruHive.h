#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Test hives with open/save MRU lists: a copy of a real hive with keys and
// values added through hivex's write functions.
struct MruValue {
    QString name;
    int type; // 1 REG_SZ, 3 REG_BINARY, 4 REG_DWORD ...
    QByteArray data;
};
struct MruSubkey {
    QString name;
    QList<MruValue> values; // in the order the hive keeps them
};

// A REG_SZ value: UTF-16LE text with its terminating NUL.
MruValue textValue(const QString& name, const QString& text);

// Copies base to out and adds keyPath (created as needed) with the given
// subkeys and values. False with *error when hivex refuses.
bool writeMruHive(const QString& base, const QString& out, const QString& keyPath,
                  const QList<MruSubkey>& subkeys, QString* error);
