#include "windows/UserAssist.h"

namespace vc {

int readUserAssist(const Hive& hive, const std::function<void(const UserAssistEntry&)>& entry) {
    const auto root = hive.findKey(kUserAssistKey);
    if (!root)
        return 0;
    int keys = 0;
    for (const Hive::Node guidKey : hive.subkeys(*root)) {
        const auto count = hive.child(guidKey, QStringLiteral("Count"));
        if (!count)
            continue;
        ++keys;
        UserAssistEntry row;
        row.guid = hive.keyName(guidKey);
        for (const Hive::Value& value : hive.values(*count)) {
            row.storedName = value.name;
            row.name = rot13(value.name);
            row.valueSize = int(value.size);
            int type = 0;
            const auto bytes = hive.readBytes(*count, value.name, &type);
            row.readable = bytes.has_value();
            row.value = bytes ? parseUserAssistValue(*bytes) : UserAssistValue();
            entry(row);
        }
    }
    return keys;
}

} // namespace vc
