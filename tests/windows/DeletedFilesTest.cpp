// Deleted files: the Recycle Bin's real $I file and INFO2 (checked against
// rifiuti2's rifiuti-vista and rifiuti) in volumes made for the test, and
// index files cut or forged.
#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "windows/DeletedFilesLoad.h"
#include "windows/RecycleIndex.h"
#include "windows/WindowsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vc;
using namespace vc::testing;

namespace {

const QString kVistaSid = QStringLiteral("S-1-5-21-1004336348-1177238915-682003330-1001");
const QString kXpSid = QStringLiteral("S-1-5-21-484763869-796845957-839522115-1003");

class DeletedFilesTest : public WindowsTablesTest {
protected:
    QTemporaryDir volume;

    void put(const QString& relative, const QByteArray& content) {
        const QString path = volume.filePath(relative);
        QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    std::unique_ptr<TableModel> load(const QHash<QString, QString>& users,
                                     CollectingReporter* report = nullptr) {
        auto table = makeWindowsTable(WindowsTable::Deleted);
        LoadContext context;
        context.report = report;
        result =
            loadDeletedFiles(localEvidenceFiles(), volume.path().toUtf8(), users, context, *table);
        return table;
    }
    WindowsLoadResult result;
};

} // namespace

TEST_F(DeletedFilesTest, BothKindsOfBinAsRifiuti2ReadsThem) {
    const QByteArray dollarI = testDataBytes(QStringLiteral("recycle-bin/$I103S5F.jpg"));
    put(QStringLiteral("$Recycle.Bin/") + kVistaSid + QStringLiteral("/$I103S5F.jpg"), dollarI);
    put(QStringLiteral("$Recycle.Bin/") + kVistaSid + QStringLiteral("/$R103S5F.jpg"), "jpeg");
    put(QStringLiteral("$Recycle.Bin/") + kVistaSid + QStringLiteral("/desktop.ini"), "ini");
    put(QStringLiteral("RECYCLER/") + kXpSid + QStringLiteral("/INFO2"),
        testDataBytes(QStringLiteral("recycle-bin/INFO2")));
    // Only the third of the four files is still in XP's bin.
    put(QStringLiteral("RECYCLER/") + kXpSid + QStringLiteral("/DC3.EXE"), "exe");

    CollectingReporter report;
    const auto table = load({{kVistaSid.toLower(), QStringLiteral("random")}}, &report);
    EXPECT_TRUE(report.errors.isEmpty()) << report.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(result.inputs, 2);
    ASSERT_EQ(table->rows(), 5);
    // rifiuti-vista: 2016-06-29 21:37:45, 222255, C:\Users\random\Downloads\bunnies.jpg
    EXPECT_EQ(shown(*table, 0, kDeletedPath),
              QStringLiteral("C:\\Users\\random\\Downloads\\bunnies.jpg"));
    EXPECT_EQ(shown(*table, 0, kDeletedName), QStringLiteral("bunnies.jpg"));
    EXPECT_EQ(shown(*table, 0, kDeletedSize), QStringLiteral("222255"));
    EXPECT_EQ(shown(*table, 0, kDeletedTime), QStringLiteral("2016-06-29 21:37:45"));
    EXPECT_EQ(shown(*table, 0, kDeletedUser), QStringLiteral("random"));
    EXPECT_EQ(shown(*table, 0, kDeletedSid), kVistaSid);
    EXPECT_EQ(shown(*table, 0, kDeletedStillThere), tx(TextYes));
    EXPECT_EQ(shown(*table, 0, kDeletedFormatVersion), QStringLiteral("2"));
    const QString recycled = volume.filePath(QStringLiteral("$Recycle.Bin/") + kVistaSid +
                                             QStringLiteral("/$R103S5F.jpg"));
    EXPECT_EQ(shown(*table, 0, kDeletedRecycledFile), recycled);
    EXPECT_EQ(recycledFileOfRow(localEvidenceFiles(), *table, 0), recycled.toUtf8());

    // rifiuti: index, deletion time, size, path of the four records.
    const struct {
        const char* time;
        const char* size;
        const char* path;
    } xp[] = {
        {"2004-08-25 16:18:25", "2160128",
         "C:\\Documents and Settings\\Mr. Evil\\Desktop\\lalsetup250.exe"},
        {"2004-08-27 15:12:30", "1325056",
         "C:\\Documents and Settings\\Mr. Evil\\Desktop\\netstumblerinstaller_0_4_0.exe"},
        {"2004-08-27 15:15:26", "442880",
         "C:\\Documents and Settings\\Mr. Evil\\Desktop\\WinPcap_3_01_a.exe"},
        {"2004-08-27 15:29:58", "8460800",
         "C:\\Documents and Settings\\Mr. Evil\\Desktop\\ethereal-setup-0.10.6.exe"},
    };
    const QString info2 =
        volume.filePath(QStringLiteral("RECYCLER/") + kXpSid + QStringLiteral("/INFO2"));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const int r = i + 1;
        EXPECT_EQ(shown(*table, r, kDeletedTime), QLatin1String(xp[i].time));
        EXPECT_EQ(shown(*table, r, kDeletedSize), QLatin1String(xp[i].size));
        EXPECT_EQ(shown(*table, r, kDeletedPath), QLatin1String(xp[i].path));
        EXPECT_EQ(shown(*table, r, kDeletedIndexFile), info2 + QStringLiteral(" #%1").arg(i + 1));
        EXPECT_EQ(shown(*table, r, kDeletedUser), kXpSid);
        EXPECT_EQ(shown(*table, r, kDeletedFormatVersion), QStringLiteral("5"));
        EXPECT_EQ(shown(*table, r, kDeletedStillThere), tx(i == 2 ? TextYes : TextNo));
        EXPECT_TRUE(shown(*table, r, kDeletedNote).isEmpty());
    }
    // The recycled file is found whatever its letter case; a missing one is
    // named as Windows would have named it.
    EXPECT_EQ(shown(*table, 3, kDeletedRecycledFile),
              volume.filePath(QStringLiteral("RECYCLER/") + kXpSid + QStringLiteral("/DC3.EXE")));
    EXPECT_EQ(shown(*table, 1, kDeletedRecycledFile),
              volume.filePath(QStringLiteral("RECYCLER/") + kXpSid + QStringLiteral("/Dc1.exe")));
    EXPECT_EQ(recycledFileOfRow(localEvidenceFiles(), *table, 1), std::nullopt);
}

TEST_F(DeletedFilesTest, DollarIFilesOfBothVersionsCutAndForged) {
    QByteArray v1(24 + 520, '\0');
    v1[0] = 1;
    v1[8] = 0x10;
    v1[16] = 1;
    v1[23] = 0x01;
    const QString name = QStringLiteral("D:\\Fotos\\Zürich.png");
    v1.replace(24, name.size() * 2,
               QByteArray(reinterpret_cast<const char*>(name.utf16()), name.size() * 2));
    auto entry = parseDollarI(v1);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->formatVersion, 1u);
    EXPECT_EQ(entry->originalPath, name);
    EXPECT_EQ(entry->size, 16u);
    EXPECT_EQ(entry->deletedAt, 0x0100000000000001ULL);
    EXPECT_FALSE(entry->cut);
    // Cut inside the name: what is there, marked cut.
    entry = parseDollarI(v1.first(24 + 10));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->originalPath, QStringLiteral("D:\\Fo"));
    EXPECT_TRUE(entry->cut);

    QByteArray v2 = testDataBytes(QStringLiteral("recycle-bin/$I103S5F.jpg"));
    ASSERT_EQ(v2.size(), 104);
    entry = parseDollarI(v2.first(60));
    ASSERT_TRUE(entry);
    EXPECT_TRUE(entry->cut);
    EXPECT_EQ(entry->originalPath, QStringLiteral("C:\\Users\\random\\"));
    // A length of four thousand million characters reads what the file has.
    v2[24] = v2[25] = v2[26] = v2[27] = '\xff';
    entry = parseDollarI(v2);
    ASSERT_TRUE(entry);
    EXPECT_TRUE(entry->cut);
    EXPECT_EQ(entry->originalPath, QStringLiteral("C:\\Users\\random\\Downloads\\bunnies.jpg"));
    // Not $I files.
    EXPECT_FALSE(parseDollarI(QByteArray(23, '\0')));
    QByteArray v3 = v1;
    v3[0] = 3;
    EXPECT_FALSE(parseDollarI(v3));

    // In a bin: the forged one is reported, the cut one kept with a note.
    put(QStringLiteral("$Recycle.Bin/S-1-5-18/$IAAAAAA.png"), v1.first(30));
    put(QStringLiteral("$Recycle.Bin/S-1-5-18/$IBBBBBB.png"), v3);
    CollectingReporter report;
    const auto table = load({}, &report);
    ASSERT_EQ(table->rows(), 1);
    EXPECT_EQ(shown(*table, 0, kDeletedNote), tx(TextIndexCutShort));
    EXPECT_EQ(shown(*table, 0, kDeletedStillThere), tx(TextNo));
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors[0].startsWith(tx(TextRecycleIndexUnreadable)));
    EXPECT_TRUE(report.errors[0].contains(QStringLiteral("$IBBBBBB.png")));
    EXPECT_EQ(result.failures, 1);
}

TEST_F(DeletedFilesTest, Info2RecordsRemovedCutAndForged) {
    QByteArray info2 = testDataBytes(QStringLiteral("recycle-bin/INFO2"));
    ASSERT_EQ(info2.size(), 20 + 4 * 800);
    // Windows clears the first byte of a record it takes out; the path then
    // comes from the Unicode copy, and from the drive's number in an ANSI-only
    // record.
    info2[20 + 800] = '\0';
    QByteArray ansiOnly = info2.first(20 + 280);
    ansiOnly[12] = char(280 & 0xFF);
    ansiOnly[13] = char(280 >> 8);
    ansiOnly[20] = '\0';
    put(QStringLiteral("RECYCLER/S-1-5-21-1/INFO2"), info2.first(20 + 3 * 800 + 300));
    put(QStringLiteral("RECYCLED/INFO2"), ansiOnly);
    QByteArray forged = info2;
    forged[12] = forged[13] = '\0';
    put(QStringLiteral("RECYCLER/S-1-5-21-2/INFO2"), forged);

    CollectingReporter report;
    const auto table = load({}, &report);
    // Three whole records and one cut in the Unicode path, then the ANSI one.
    ASSERT_EQ(table->rows(), 5);
    EXPECT_EQ(shown(*table, 1, kDeletedNote), tx(TextRemovedFromIndex));
    EXPECT_EQ(shown(*table, 1, kDeletedPath),
              QStringLiteral(
                  "C:\\Documents and Settings\\Mr. Evil\\Desktop\\netstumblerinstaller_0_4_0.exe"));
    EXPECT_EQ(shown(*table, 3, kDeletedNote), tx(TextIndexCutShort));
    EXPECT_EQ(shown(*table, 3, kDeletedPath), QStringLiteral("C:\\Documen"));
    EXPECT_EQ(shown(*table, 3, kDeletedSize), QStringLiteral("8460800"));
    EXPECT_EQ(shown(*table, 4, kDeletedPath),
              QStringLiteral("C:\\Documents and Settings\\Mr. Evil\\Desktop\\lalsetup250.exe"));
    EXPECT_TRUE(shown(*table, 4, kDeletedSid).isEmpty());
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors[0].contains(QStringLiteral("S-1-5-21-2/INFO2")));
    EXPECT_TRUE(report.errors[0].contains(QStringLiteral("record size of 0 bytes")));
}
