#pragma once

#include "platform/Hive.h"
#include "windows/UserAssistValue.h"

#include <QString>

#include <functional>

namespace vc {

// Explorer's record of the programs a user started:
// Software\Microsoft\Windows\CurrentVersion\Explorer\UserAssist\{GUID}\Count
// of NTUSER.DAT, one value per program, shortcut or counter, its name
// ROT13-encoded.
inline const QString kUserAssistKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist");

struct UserAssistEntry {
    QString guid;       // the subkey of UserAssist, "{CEBFF5CD-...}"
    QString storedName; // the value's name as stored (ROT13)
    QString name;       // decoded
    int valueSize = 0;
    UserAssistValue value;
    bool readable = true; // the value's bytes could be read
};

// Every value of every Count key, subkey by subkey in the hive's order;
// the number of Count keys read is returned.
int readUserAssist(const Hive& hive, const std::function<void(const UserAssistEntry&)>& entry);

} // namespace vc
