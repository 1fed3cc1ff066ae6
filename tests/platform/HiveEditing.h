#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Test fixtures only: edits a scratch copy of a hive through hivex in write
// mode, to make hives with values the real ones lack. The program itself
// never opens a hive for writing.

// Sets REG_SZ values under keyPath (creating missing keys); with replaceAll
// the key keeps only these values.
bool setHiveStrings(const QString& hivePath, const QString& keyPath,
                    const QList<QPair<QString, QString>>& values, bool replaceAll = false);

// Deletes a key and everything below it.
bool deleteHiveKey(const QString& hivePath, const QString& keyPath);
