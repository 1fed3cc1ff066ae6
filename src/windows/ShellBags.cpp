#include "windows/ShellBags.h"

#include "documents/MruOrder.h"
#include "documents/shell/ShellItemList.h"

#include <QHash>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace vc {

namespace {

// The bytes of the items a value holds, up to the size 0 that ends them
// (or the end of the value).
QByteArrayView itemsOf(QByteArrayView value) {
    qsizetype offset = 0;
    while (offset + 2 <= value.size()) {
        const qsizetype size = qFromLittleEndian<quint16>(value.data() + offset);
        if (size == 0)
            break;
        if (size < 3 || size > value.size() - offset)
            return value.first(value.size()); // cut: the reader says where
        offset += size;
    }
    return value.first(offset);
}

// The numbered values of a key, by number, with their MRU positions.
struct Slot {
    uint number;
    QString name;
    int position;
};
std::vector<Slot> numberedSlots(const Hive& hive, Hive::Node key) {
    std::vector<Slot> slots;
    for (const MruSlot& slot : mruSlots(hive, key)) {
        bool ok = false;
        const uint number = slot.valueName.toUInt(&ok);
        if (ok)
            slots.push_back({number, slot.valueName, slot.position});
    }
    std::stable_sort(slots.begin(), slots.end(),
                     [](const Slot& a, const Slot& b) { return a.number < b.number; });
    return slots;
}

// A folder still to read: the value of its parent key that holds its item.
// The items of the folders above it are shared with its siblings, not
// copied.
struct Pending {
    Hive::Node parent;
    QString parentPath;
    Slot slot;
    quint64 parentWritten;
    QByteArray parentItems;
    int depth;
};

// The folders of a key, pushed so that the first is read next.
void pushFolders(const Hive& hive, Hive::Node key, const QString& keyPath, const QByteArray& items,
                 int depth, std::vector<Pending>& pending) {
    const quint64 written = hive.lastWriteTime(key).value_or(0);
    const std::vector<Slot> slots = numberedSlots(hive, key);
    for (auto it = slots.rbegin(); it != slots.rend(); ++it)
        pending.push_back({key, keyPath, *it, written, items, depth});
}

} // namespace

int readShellBags(const Hive& hive, const QString& bagMruKey, const KnownFolderLocations& locations,
                  const std::function<void(const ShellBag&)>& folder) {
    const auto root = hive.findKey(bagMruKey);
    if (!root)
        return 0;
    int found = 0;
    // Depth first without recursion: a forged tree of any depth costs no
    // stack.
    std::vector<Pending> pending;
    // A forged hive can make a key its own descendant: each key is walked
    // once.
    QSet<Hive::Node> walked{*root};
    pushFolders(hive, *root, bagMruKey, QByteArray(), 0, pending);
    while (!pending.empty()) {
        const Pending next = std::move(pending.back());
        pending.pop_back();
        int type = 0;
        const auto value = hive.readBytes(next.parent, next.slot.name, &type);
        if (!value)
            continue;
        ShellBag bag;
        bag.keyPath = next.parentPath + QLatin1Char('\\') + next.slot.name;
        bag.position = next.slot.position;
        if (next.slot.position == 0)
            bag.parentWritten = next.parentWritten;
        const QByteArrayView items = itemsOf(*value);
        bag.facts = readShellItemFacts(items);
        QByteArray chain = next.parentItems + items.toByteArray();
        const ShellItemPath path = readShellItemList(chain + QByteArray(2, '\0'), locations);
        bag.path = path.path;
        bag.name = path.lastName;
        bag.complete = path.complete();
        const auto child = hive.child(next.parent, next.slot.name);
        if (child)
            bag.keyWritten = hive.lastWriteTime(*child).value_or(0);
        folder(bag);
        ++found;
        // Below a list too long to read, no path could be made.
        if (child && next.depth + 1 < kMaxShellBagDepth && chain.size() <= kMaxShellItemList &&
            !walked.contains(*child)) {
            walked.insert(*child);
            pushFolders(hive, *child, bag.keyPath, chain, next.depth + 1, pending);
        }
    }
    return found;
}

} // namespace vc
