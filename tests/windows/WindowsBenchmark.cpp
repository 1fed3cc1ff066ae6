// How long the largest inputs of the Windows tables take (run with
// --gtest_also_run_disabled_tests --gtest_filter='*WindowsBenchmark*'):
// 10,000 $I files, 1,000 Prefetch files and a hive of 5,000 shell bags,
// each to be read in under a second. The inputs are made first; only the
// load is timed.
#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"
#include "windows/DeletedFilesLoad.h"
#include "windows/FoldersLoad.h"
#include "windows/ProgramsLoad.h"
#include "windows/ShellBags.h"
#include "windows/UserHives.h"
#include "windows/WindowsTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace vc;
using namespace vc::testing;

namespace {

class WindowsBenchmark : public WindowsTablesTest {
protected:
    // Wall-clock and processor time of the load: the machines these run on
    // are shared, and the processor time is what the load itself costs.
    void start() {
        m_timer.start();
        m_cpu = std::clock();
    }
    void report(const char* what, int rows) {
        const qint64 wall = m_timer.elapsed();
        const double cpu = double(std::clock() - m_cpu) * 1000.0 / CLOCKS_PER_SEC;
        std::printf("[ benchmark ] %s: %d rows in %lld ms (processor %.0f ms)\n", what, rows,
                    static_cast<long long>(wall), cpu);
    }

private:
    QElapsedTimer m_timer;
    std::clock_t m_cpu = 0;
};

} // namespace

TEST_F(WindowsBenchmark, DISABLED_TenThousandDollarIFiles) {
    QTemporaryDir volume;
    const QString bin = volume.filePath(QStringLiteral("$Recycle.Bin/S-1-5-21-1-2-3-1001"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QByteArray dollarI = testDataBytes(QStringLiteral("recycle-bin/$I103S5F.jpg"));
    for (int i = 0; i < 10000; ++i) {
        const QString id = QStringLiteral("%1").arg(i, 6, 36, QLatin1Char('0')).toUpper();
        QFile file(bin + QStringLiteral("/$I") + id + QStringLiteral(".jpg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(dollarI);
        if (i % 2 == 0) {
            QFile recycled(bin + QStringLiteral("/$R") + id + QStringLiteral(".jpg"));
            ASSERT_TRUE(recycled.open(QIODevice::WriteOnly));
        }
    }
    auto table = makeWindowsTable(WindowsTable::Deleted);
    start();
    loadDeletedFiles(localEvidenceFiles(), volume.path().toUtf8(), {}, LoadContext{}, *table);
    report("10,000 $I files", table->rows());
    EXPECT_EQ(table->rows(), 10000);
}

TEST_F(WindowsBenchmark, DISABLED_ThousandPrefetchFiles) {
    QTemporaryDir volume;
    const QString folder = volume.filePath(QStringLiteral("Windows/Prefetch"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QByteArray cmd = testDataBytes(QStringLiteral("prefetch/CMD.EXE-087B4001.pf"));
    const QByteArray notepad = testDataBytes(QStringLiteral("prefetch/NOTEPAD.EXE-D8414F97.pf"));
    for (int i = 0; i < 1000; ++i) {
        QFile file(folder +
                   QStringLiteral("/APP%1.EXE-%2.pf").arg(i).arg(i, 8, 16, QLatin1Char('0')));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(i % 2 ? cmd : notepad); // half of them compressed (version 30)
    }
    auto table = makeWindowsTable(WindowsTable::Programs);
    start();
    loadPrefetch(localEvidenceFiles(), volume.path().toUtf8(), LoadContext{}, *table);
    report("1,000 Prefetch files", table->rows());
    EXPECT_EQ(table->rows(), 1000);
}

TEST_F(WindowsBenchmark, DISABLED_FiveThousandShellBags) {
    // 10 folders, 20 below each, 24 below each of those: 5,010 shell bags
    // in UsrClass.dat's BagMRU, three levels of folder items below My
    // Computer's C:.
    const QString bag = kUsrClassBagMruKey;
    const QByteArray drive =
        QByteArray::fromHex("19002f433a5c000000000000000000000000000000000000000000");
    QList<HiveKey> keys{{bag, {mruListEx({0}), binaryValue(QStringLiteral("0"), drive)}}};
    const auto level = [&](const QString& key, int count, const QString& prefix) {
        HiveKey k{key, {}};
        for (int i = 0; i < count; ++i) {
            k.values << binaryValue(QString::number(i),
                                    folderItem(prefix + QString::number(i),
                                               fat(2020, 1, 2, 3, 4, 6), fat(2019, 5, 6, 7, 8, 10),
                                               fat(2021, 1, 1, 1, 1, 2), quint64(i + 1)));
        }
        k.values << mruListEx({0, 1, 2});
        keys << k;
    };
    level(bag + QStringLiteral("\\0"), 10, QStringLiteral("top "));
    for (int a = 0; a < 10; ++a) {
        const QString first = bag + QStringLiteral("\\0\\%1").arg(a);
        level(first, 20, QStringLiteral("middle "));
        for (int b = 0; b < 20; ++b)
            level(first + QStringLiteral("\\%1").arg(b), 24, QStringLiteral("folder "));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("UsrClass.dat"));
    QString error;
    ASSERT_TRUE(writeHiveKeys(testDataPath(QStringLiteral("ntuser-win10.dat")), path, keys, &error))
        << error.toStdString();
    const auto usrClass = openTestHive(path);
    ASSERT_TRUE(usrClass);
    auto table = makeWindowsTable(WindowsTable::Folders);
    start();
    loadFoldersOpened(UserHives{nullptr, usrClass.get(), {}}, LoadContext{}, *table);
    report("5,010 shell bags", table->rows());
    ASSERT_EQ(table->rows(), 1 + 10 + 200 + 4800);
    EXPECT_EQ(shown(*table, 3, kFolderPath), QStringLiteral("C:\\top 0\\middle 0\\folder 0"));
}
