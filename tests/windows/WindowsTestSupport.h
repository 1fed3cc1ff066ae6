#pragma once

// What the tests of the Windows tables share: a fixture with fixed time
// texts (UTC, one pattern) and English interface texts, a table of each
// kind with its cells as shown, the known-folder locations of a test hive,
// and hives made with a tree of keys added through hivex's writer.
#include "TestData.h"
#include "documents/MruHive.h"
#include "documents/shell/KnownFolders.h"
#include "language/InterfaceTexts.h"
#include "platform/Hive.h"
#include "platform/Registry.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "windows/WindowsColumns.h"

#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <memory>

namespace vc::testing {

class WindowsTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fillDefaultInterfaceTexts();
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    void TearDown() override {
        setShowsUtc(false);
        setDateTimeFormat(defaultDateTimeFormat());
    }
};

// A cell as shown: a time as its text in UTC, other cells as UTF-8.
inline QString shown(const TableModel& table, int row, int column) {
    const QByteArray cell = table.cell(row, column);
    return isTimeCell(cell) ? QString::fromLatin1(cellTimeText(cell)) : QString::fromUtf8(cell);
}

// The row whose cell in column is text; -1 when none is.
inline int rowWith(const TableModel& table, int column, const QString& text) {
    for (int r = 0; r < table.rows(); ++r)
        if (shown(table, r, column) == text)
            return r;
    return -1;
}

inline std::unique_ptr<Hive> openTestHive(const QString& path) {
    QString error;
    auto hive = Hive::open(path, &error);
    EXPECT_TRUE(hive) << error.toStdString();
    return hive;
}

// The known-folder locations the program takes from a profile: the Shell
// Folders values of its hive and the user's own folder.
inline KnownFolderLocations locationsOf(const Hive& hive, const QString& profilePath) {
    KnownFolderLocations locations;
    locations.setProfilePath(profilePath);
    if (const auto key = hive.findKey(kShellFoldersKey))
        for (const Hive::Value& value : hive.values(*key)) {
            const Hive::TextResult text = hive.readString(*key, value.name);
            if (text.ok() && !text.text.isEmpty())
                locations.setShellFolder(value.name, text.text);
        }
    return locations;
}

// One key to add: its path below the root (parents made as needed) and
// the values it gets, in that order.
struct HiveKey {
    QString path;
    QList<MruValue> values;
};

// Copies base to out and adds the keys, all in one write. False with
// *error when hivex refuses.
bool writeHiveKeys(const QString& base, const QString& out, const QList<HiveKey>& keys,
                   QString* error);

// A REG_BINARY value.
inline MruValue binaryValue(const QString& name, const QByteArray& data) {
    return {name, 3, data};
}
// MRUListEx of the given value numbers.
MruValue mruListEx(std::initializer_list<quint32> numbers);

// A folder item as Explorer writes it on NTFS (a file entry of class 0x31
// with an extension block of version 9, laid out as the real item of
// ntuser-win10.dat's OpenSavePidlMRU\png is), followed by the two zero bytes
// that end a list. FAT date-times: the date low, the time high.
QByteArray folderItem(const QString& name, quint32 modified, quint32 created, quint32 accessed,
                      quint64 reference);
constexpr quint32 fat(int year, int month, int day, int hour, int minute, int second) {
    const quint32 date = quint32((year - 1980) << 9 | month << 5 | day);
    const quint32 time = quint32(hour << 11 | minute << 5 | second / 2);
    return date | time << 16;
}

} // namespace vc::testing
