// The recent documents of a Windows 10 profile (the real hive, the real
// shortcuts and jump list placed where Windows keeps them): rows in the
// order and with the paths regripper and lnkinfo show, the trailing
// fields, the filter, and hives, values and links that are damaged.
#include "MruHive.h"
#include "TestData.h"
#include "documents/DocumentSources.h"
#include "documents/MruOrder.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RecentSources.h"
#include "documents/RowLine.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/Hive.h"
#include "platform/LoadContext.h"
#include "platform/Progress.h"
#include "platform/QStringPrinting.h"
#include "platform/Reporter.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "recall/RecallConditions.h"
#include "tables/TableColumns.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace vc;

namespace {

const QString kRecent = QStringLiteral("AppData/Roaming/Microsoft/Windows/Recent");
const QString kJumpList = QStringLiteral("1b4dd67f29cb1962.automaticDestinations-ms");

// Field numbers (from 0) of a row line.
enum Field {
    Name,
    Ext,
    Created,
    Accessed,
    Path,
    Source,
    Position,
    Recorded,
    Count,
    Target,
    TargetCreated,
    TargetModified,
    TargetAccessed,
    Size,
    Label,
    Serial,
    MachineId,
    Working,
    Note,
    Arguments,
    Description,
    Category
};

class ModernRecent : public ::testing::Test {
protected:
    void SetUp() override {
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(kRecent + QStringLiteral("/AutomaticDestinations")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Pictures")));
        copy(QStringLiteral("ntuser-win10.dat"), QStringLiteral("NTUSER.DAT"));
    }
    void TearDown() override { setShowsUtc(false); }

    void copy(const QString& data, const QString& to) {
        const QString target = dir.filePath(to);
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(testDataPath(data), target)) << qPrintable(target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    void placeLinks() {
        copy(QStringLiteral("NeroInfoTool.lnk"), kRecent + QStringLiteral("/ash.lnk"));
        copy(QStringLiteral("example.lnk"), kRecent + QStringLiteral("/example.lnk"));
        copy(kJumpList, kRecent + QStringLiteral("/AutomaticDestinations/") + kJumpList);
    }
    void openProfile() {
        QString error;
        ASSERT_TRUE(profile.open(dir.path(), &error)) << qPrintable(error);
    }
    QString recentFolder() const { return dir.filePath(kRecent); }
    // The rows of the hive's lists and the jump lists.
    QList<QList<QByteArray>> modernRows(const RecallConditionSet* filter = nullptr) {
        LoadContext context;
        context.report = &reports;
        context.filter = filter;
        QList<QByteArray> lines;
        RecentCollection collection(profile, recentFolder(), context, lines);
        collectRecentDocsRows(collection);
        collectDialogMruRows(collection);
        collectJumpListRows(collection);
        collection.report();
        return split(lines);
    }
    // The rows of the files in the Recent folders.
    QList<QList<QByteArray>> folderRows() {
        LoadContext context;
        context.report = &reports;
        QList<QByteArray> lines;
        RecentCollection collection(profile, recentFolder(), context, lines);
        collectRecentFolderRows(collection);
        collection.report();
        return split(lines);
    }
    static QList<QList<QByteArray>> split(const QList<QByteArray>& lines) {
        QList<QList<QByteArray>> rows;
        for (const QByteArray& line : lines) {
            rows.append(expandTimeCells(line).split('\t'));
            EXPECT_EQ(rows.last().size(), kRecentRowFields) << line.constData();
        }
        return rows;
    }
    static QList<QByteArray> column(const QList<QList<QByteArray>>& rows, int field) {
        QList<QByteArray> cells;
        for (const auto& row : rows)
            cells << row.value(field);
        return cells;
    }

    QTemporaryDir dir;
    UserProfile profile;
    CollectingReporter reports;
};

} // namespace

// regripper -p recentdocs and -p comdlg32 on the same hive list these
// names and paths in this order; this program resolves the Pictures folder
// through the hive's Shell Folders (regripper: "My Computer\CLSID_Pictures").
TEST_F(ModernRecent, Windows10HiveGivesRegripperOrderWithPositionsAndKeyTimes) {
    openProfile();
    const auto rows = modernRows();
    const QByteArray office = "office?WT.mc_id=WINSTORE_EN-US_OfficeApp_Buy_Text";
    const QList<QByteArray> names{"ash_0.png", "ash.png", office,        office,
                                  "ash_0.png", "ash.png", "ash_0.png",   "ash.png",
                                  "ash_0.png", "ash.png", "iexplore.exe"};
    EXPECT_EQ(column(rows, Name), names);
    const QByteArray mc = "RecentDocs\\.mc_id=WINSTORE_EN-US_OfficeApp_Buy_Text";
    EXPECT_EQ(
        column(rows, Source),
        (QList<QByteArray>{"RecentDocs", "RecentDocs", "RecentDocs", mc, "RecentDocs\\.png",
                           "RecentDocs\\.png", "OpenSavePidlMRU\\*", "OpenSavePidlMRU\\*",
                           "OpenSavePidlMRU\\png", "OpenSavePidlMRU\\png", "LastVisitedPidlMRU"}));
    EXPECT_EQ(column(rows, Position),
              (QList<QByteArray>{"0", "1", "2", "0", "0", "1", "0", "1", "0", "1", "0"}));
    // The key's last-written time on the most recent entry only.
    EXPECT_EQ(column(rows, Recorded),
              (QList<QByteArray>{"2016-10-09 19:59:17", "", "", "2016-10-05 09:51:46",
                                 "2016-10-09 19:59:17", "", "2016-10-09 19:59:17", "",
                                 "2016-10-09 19:59:17", "", "2016-10-09 19:59:17"}));
    const QByteArray recent = "C:\\Users\\bperry\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\";
    EXPECT_EQ(rows[0][Path], recent + "ash_0.lnk");
    EXPECT_EQ(rows[2][Path],
              recent + "http--products.office.com-en-us-buy-officeWT.mc_id=WINSTORE_EN-US_"
                       "OfficeApp_Buy_Text.lnk");
    EXPECT_EQ(rows[6][Path], "C:\\Users\\bperry\\Pictures\\ash_0.png");
    EXPECT_EQ(rows[7][Path], "C:\\Users\\bperry\\Pictures\\ash.png");
    EXPECT_EQ(rows[10][Path], "C:\\Users\\bperry\\Pictures");
    EXPECT_EQ(rows[10][Ext], ".exe");
    EXPECT_EQ(rows[6][Ext], ".png");
    // A name no file may bear (a "?" in it) has no extension, though
    // Windows filed it under the subkey ".mc_id=...".
    EXPECT_EQ(rows[2][Ext], "");
    EXPECT_EQ(rows[3][Ext], "");
    EXPECT_EQ(extensionPart("report v1.2.doc"), ".doc");
    EXPECT_EQ(extensionPart("README"), "");
    for (const char* name : {"a?b.c", "x*.txt", "say \"hi\".txt", "a<b>.c", "a|b.c", "ftp:x.y"})
        EXPECT_EQ(extensionPart(name), "") << name;
    EXPECT_TRUE(reports.errors.isEmpty());
    EXPECT_TRUE(reports.warnings.isEmpty()) << qPrintable(reports.warnings.join('\n'));
}

TEST_F(ModernRecent, FilesOfTheProfileAndShortcutsFillTimesAndTargetFields) {
    placeLinks();
    // ash.png exists in the profile's Pictures folder, ash_0.png does not.
    const QString picture = dir.filePath(QStringLiteral("Pictures/ash.png"));
    QFile f(picture);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("png");
    f.close();
    const struct timespec t[2] = {{1475000000, 0}, {1475000000, 0}}; // 2016-09-27 18:13:20
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(picture).constData(), t, 0), 0);
    openProfile();

    const auto rows = modernRows();
    ASSERT_GE(rows.size(), 11);
    EXPECT_EQ(rows[7][Accessed], "2016-09-27 18:13:20");
    EXPECT_EQ(rows[6][Accessed], "");
    // The RecentDocs entry of ash.png names the shortcut ash.lnk, which lies
    // in the Recent folder (here a copy of NeroInfoTool.lnk): its target.
    EXPECT_EQ(rows[1][Target],
              "C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool\\InfoTool.exe");
    EXPECT_EQ(rows[1][Serial], "70EC-FA33");
    EXPECT_FALSE(rows[1][Created].isEmpty() && rows[1][Accessed].isEmpty());
    EXPECT_EQ(rows[0][Target], ""); // ash_0.lnk is not there

    // The jump list follows, in DestList order, with count and last use.
    ASSERT_EQ(rows.size(), 11 + 7);
    const auto& first = rows[11];
    EXPECT_EQ(first[Source], "AutomaticDestinations\\1b4dd67f29cb1962 (Windows Explorer)");
    EXPECT_EQ(first[Name], "Downloads");
    EXPECT_EQ(first[Path], "C:\\Users\\bperry\\Downloads");
    EXPECT_EQ(first[Recorded], "2015-08-29 15:32:44");
    EXPECT_EQ(first[Count], "4");
    EXPECT_EQ(first[TargetModified], "2015-08-29 13:07:29");
    EXPECT_EQ(first[MachineId], "student-pc1");
    EXPECT_EQ(first[Serial], "8850-29E6");
    EXPECT_EQ(first[Position], "");
    EXPECT_EQ(rows[13][Count], "4.9");
    EXPECT_EQ(rows[13][Name], "Pictures.library-ms");
    EXPECT_EQ(rows[13][Ext], ".library-ms");

    // The Recent folder: the hive names the same folder as the layout, so it
    // is walked once; Desktop.ini is never listed.
    copy(QStringLiteral("example.lnk"), kRecent + QStringLiteral("/Desktop.ini"));
    const auto files = folderRows();
    ASSERT_EQ(files.size(), 3) << column(files, Path).join(' ').constData();
    for (const auto& row : files)
        EXPECT_EQ(row[Source], "Recent folder");
    int nero = -1;
    for (int i = 0; i < files.size(); ++i)
        if (files[i][Name] == "ash")
            nero = i;
    ASSERT_GE(nero, 0);
    const auto& link = files[nero];
    EXPECT_EQ(link[Ext], ".lnk");
    EXPECT_TRUE(link[Path].endsWith("/Recent/ash.lnk"));
    EXPECT_EQ(link[Target], "C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool\\InfoTool.exe");
    EXPECT_EQ(link[TargetCreated], "2009-06-05 20:13:20");
    EXPECT_EQ(link[TargetModified], "2009-06-05 20:13:20");
    EXPECT_EQ(link[TargetAccessed], "2010-01-29 21:30:11");
    // A shortcut records no time of its own: its target's are in their columns.
    EXPECT_EQ(link[Recorded], "");
    EXPECT_EQ(link[Arguments], "-ScParameter=30002  ");
    EXPECT_TRUE(link[Description].startsWith("Nero InfoTool provides you with"));
    EXPECT_EQ(link[Size], "4635160");
    EXPECT_EQ(link[Label], "OS");
    EXPECT_EQ(link[MachineId], "win-3qmdjgkf3g9");
    EXPECT_EQ(link[Working], "C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool");
    EXPECT_EQ(link[Note], "");
    EXPECT_TRUE(reports.warnings.isEmpty()) << qPrintable(reports.warnings.join('\n'));
}

TEST_F(ModernRecent, FilterAndProgressAreTheCallers) {
    placeLinks();
    openProfile();
    RecallConditionSet conditions;
    RecallCondition sailing;
    sailing.fieldName = kWholeRowField;
    sailing.kind = kTextCondition;
    sailing.predicate = kContains;
    sailing.low = QStringLiteral("Sailing");
    conditions.add(sailing);
    const auto rows = modernRows(&conditions);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][Path], "C:\\Users\\bperry\\Documents\\Sailing");

    // The reading moves the bar by its share from where it stands; the load
    // gives half its share to the reading, half to filling the table.
    CountingProgress progress;
    progress.setPosition(20);
    LoadContext context;
    context.progress = &progress;
    context.share = 30;
    QList<QByteArray> lines;
    ASSERT_TRUE(collectRecentDocuments(&profile, recentFolder(), context, lines).ok);
    EXPECT_EQ(progress.position(), 50);
    EXPECT_EQ(lines.size(), 3 + 11 + 7); // 2 links and the jump list file, 11 values, 7 entries
    TableModel table(QStringLiteral("docsR_ListView"), recentColumns());
    progress.setPosition(20);
    ASSERT_TRUE(LoadRecentDocuments(&profile, recentFolder(), context, table));
    EXPECT_EQ(progress.position(), 50);
    EXPECT_EQ(table.rows(), 3 + 11 + 7);
}

TEST_F(ModernRecent, DamagedValuesAndLinksGiveTheirRowsNotesAndOneMessageEach) {
    // OpenSavePidlMRU\txt: "0" cut inside its last item, "1" whole but left
    // out of the order, "2" garbage; the order repeats 0 and names 5.
    QByteArray whole;
    {
        QString error;
        const auto hive = Hive::open(testDataPath(QStringLiteral("ntuser-win10.dat")), &error);
        ASSERT_TRUE(hive);
        int type = 0;
        whole = hive->readBytes(*hive->findKey(QStringLiteral(
                                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                    "ComDlg32\\OpenSavePidlMRU\\*")),
                                QStringLiteral("1"), &type)
                    .value();
    }
    QByteArray order;
    for (quint32 n : {0u, 5u, 0u, 0xFFFFFFFFu})
        order.append(reinterpret_cast<const char*>(&n), 4);
    QString error;
    ASSERT_TRUE(
        writeMruHive(testDataPath(QStringLiteral("ntuser-win10.dat")),
                     dir.filePath(QStringLiteral("NTUSER.DAT")),
                     QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                    "ComDlg32\\OpenSavePidlMRU"),
                     {{QStringLiteral("txt"),
                       {{QStringLiteral("0"), 3, whole.left(60)},
                        {QStringLiteral("1"), 3, whole},
                        {QStringLiteral("2"), 4, QByteArray("\xFF\xFF\x01\x00", 4)},
                        {QStringLiteral("MRUListEx"), 3, order}}}},
                     &error))
        << qPrintable(error);
    // A shortcut in the Recent folder cut short, one that is no shortcut.
    const QByteArray nero = testDataBytes(QStringLiteral("NeroInfoTool.lnk"));
    QFile cut(dir.filePath(kRecent + QStringLiteral("/cut.lnk")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(nero.left(700));
    cut.close();
    QFile text(dir.filePath(kRecent + QStringLiteral("/text.lnk")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just text");
    text.close();
    openProfile();

    auto rows = modernRows();
    QList<QList<QByteArray>> txt;
    for (const auto& row : rows)
        if (row[Source] == "OpenSavePidlMRU\\txt")
            txt << row;
    ASSERT_EQ(txt.size(), 3);
    EXPECT_EQ(txt[0][Position], "0");
    EXPECT_EQ(txt[0][Path], "C:\\Users\\bperry\\Pictures");
    EXPECT_EQ(txt[0][Note], englishInterfaceText(TextReadInPart).toUtf8());
    EXPECT_EQ(txt[1][Position], "");
    EXPECT_EQ(txt[1][Path], "C:\\Users\\bperry\\Pictures\\ash_0.png");
    EXPECT_EQ(txt[1][Note], englishInterfaceText(TextNotInMruOrder).toUtf8());
    EXPECT_EQ(txt[2][Note], englishInterfaceText(TextNotInMruOrder).toUtf8() + "; " +
                                englishInterfaceText(TextReadInPart).toUtf8());
    ASSERT_EQ(reports.warnings.size(), 1);
    const QString message = reports.warnings[0];
    EXPECT_TRUE(
        message.startsWith(englishInterfaceText(TextRecentSourcesDamaged) + QStringLiteral(":\n")));
    EXPECT_TRUE(message.contains(QStringLiteral("OpenSavePidlMRU\\txt\\0 (")));
    EXPECT_TRUE(message.contains(QStringLiteral("OpenSavePidlMRU\\txt\\2 (")));
    EXPECT_FALSE(message.contains(QStringLiteral("OpenSavePidlMRU\\txt\\1 (")));
    EXPECT_TRUE(message.contains(dir.filePath(QStringLiteral("NTUSER.DAT"))));

    reports.warnings.clear();
    const auto files = folderRows();
    ASSERT_EQ(files.size(), 2);
    for (const auto& row : files) {
        if (row[Name] == "cut") {
            EXPECT_EQ(row[Note], englishInterfaceText(TextReadInPart).toUtf8());
            EXPECT_EQ(row[Size], "4635160");
            EXPECT_EQ(row[TargetAccessed], "2010-01-29 21:30:11");
            EXPECT_EQ(row[Target],
                      "C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool\\InfoTool.exe");
        } else {
            EXPECT_EQ(row[Note], englishInterfaceText(TextNoShortcut).toUtf8());
            EXPECT_EQ(row[Target], "");
        }
    }
    ASSERT_EQ(reports.warnings.size(), 1);
    EXPECT_TRUE(reports.warnings[0].contains(QStringLiteral("/cut.lnk")));
    EXPECT_TRUE(reports.warnings[0].contains(QStringLiteral("/text.lnk")));
}

TEST_F(ModernRecent, DamagedJumpListsAndHivesGiveFewerRowsAndNameTheFile) {
    const QString jumpList = kRecent + QStringLiteral("/AutomaticDestinations/") + kJumpList;
    copy(kJumpList, jumpList);
    QFile file(dir.filePath(jumpList));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(3000));
    file.close();
    QFile garbage(
        dir.filePath(kRecent + QStringLiteral("/CustomDestinations/x.customDestinations-ms")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(kRecent + QStringLiteral("/CustomDestinations")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(100, 'x'));
    garbage.close();
    QFile notOle(dir.filePath(kRecent +
                              QStringLiteral("/AutomaticDestinations/a.automaticDestinations-ms")));
    ASSERT_TRUE(notOle.open(QIODevice::WriteOnly));
    notOle.write("not a compound file");
    notOle.close();
    openProfile();
    const auto rows = modernRows();
    qsizetype fromJumpLists = 0;
    for (const auto& row : rows)
        fromJumpLists += row[Source].startsWith("AutomaticDestinations\\") ? 1 : 0;
    EXPECT_LT(fromJumpLists, 7);
    ASSERT_EQ(reports.errors.size(), 1) << qPrintable(reports.errors.join('\n'));
    EXPECT_TRUE(reports.errors[0].startsWith(englishInterfaceText(TextRecentSourcesDamaged)));
    EXPECT_FALSE(reports.errors[0].contains(dir.filePath(jumpList)));
    EXPECT_TRUE(reports.errors[0].contains(QStringLiteral("/a.automaticDestinations-ms")));
    ASSERT_EQ(reports.warnings.size(), 1);
    EXPECT_TRUE(reports.warnings[0].contains(dir.filePath(jumpList)));

    // A hive cut anywhere before the end of its bins (462848 bytes): the
    // profile says which file is damaged, and the readers give what is left.
    const QByteArray hive = testDataBytes(QStringLiteral("ntuser-win10.dat"));
    ASSERT_FALSE(hive.isEmpty());
    for (qsizetype cut : {4096, 8192, 100000, 300000, 462847}) {
        QFile out(dir.filePath(QStringLiteral("NTUSER.DAT")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(hive.left(cut));
        out.close();
        UserProfile damaged;
        QString error;
        ASSERT_TRUE(damaged.open(dir.path(), &error));
        EXPECT_TRUE(damaged.message().contains(dir.filePath(QStringLiteral("NTUSER.DAT")))) << cut;
        LoadContext context;
        QList<QByteArray> lines;
        RecentCollection collection(damaged, recentFolder(), context, lines);
        collectRecentDocsRows(collection);
        collectDialogMruRows(collection);
        collectJumpListRows(collection);
        EXPECT_LE(lines.size(), 11 + 7) << cut;
    }
}

// The names of the Recent folder lose a ".lnk" only; jump lists of Internet
// Explorer keep their addresses; a custom jump list gives each task's
// arguments and category, no recorded time; messages name each path with
// one "/" between its folders, though the hive's Recent folder ends in one.
TEST_F(ModernRecent, RecentNamesAddressesTasksAndMessagePaths) {
    for (const char* name : {"README", "photo.jpeg", "x.automaticDestinations-ms", "ash.LNK"})
        copy(QStringLiteral("NeroInfoTool.lnk"), kRecent + QLatin1Char('/') + QLatin1String(name));
    const QString automatic = kRecent + QStringLiteral("/AutomaticDestinations/");
    const QString ie = QStringLiteral("28c8b86deab549a1.automaticDestinations-ms");
    copy(ie, automatic + ie);
    ASSERT_TRUE(QDir(dir.path()).mkpath(kRecent + QStringLiteral("/CustomDestinations")));
    copy(QStringLiteral("custom.customDestinations-ms"),
         kRecent + QStringLiteral("/CustomDestinations/a7bd71699cd38d1c.customDestinations-ms"));
    // A jump list cut short, for the message.
    copy(kJumpList, automatic + kJumpList);
    QFile cut(dir.filePath(automatic + kJumpList));
    ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
    ASSERT_TRUE(cut.resize(3000));
    cut.close();
    openProfile();

    QList<QByteArray> names;
    for (const auto& row : folderRows())
        if (!row[Path].contains("Destinations/"))
            names << row[Name];
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (QList<QByteArray>{"README", "ash", "photo.jpeg", "x.automaticDestinations-ms"}));

    LoadContext context;
    context.report = &reports;
    QList<QByteArray> lines;
    // The Recent folder as the special folders give it: with a trailing "/".
    RecentCollection collection(profile, recentFolder() + QLatin1Char('/'), context, lines);
    collectJumpListRows(collection);
    collection.report();
    QList<QList<QByteArray>> ieRows;
    QList<QList<QByteArray>> custom;
    for (const auto& row : split(lines)) {
        if (row[Source].startsWith("AutomaticDestinations\\28c8b86deab549a1"))
            ieRows << row;
        if (row[Source].startsWith("CustomDestinations\\"))
            custom << row;
    }
    ASSERT_EQ(ieRows.size(), 2);
    EXPECT_EQ(ieRows[0][Source], "AutomaticDestinations\\28c8b86deab549a1 (Internet Explorer)");
    EXPECT_EQ(ieRows[0][Path], "http://www.example.com/news");
    EXPECT_EQ(ieRows[0][Name], "http://www.example.com/news");
    EXPECT_EQ(ieRows[0][Ext], "");
    EXPECT_EQ(ieRows[0][Target], "http://www.example.com/news");
    EXPECT_EQ(ieRows[1][Path], "https://www.example.org/second");
    EXPECT_EQ(ieRows[1][Target], "Internet Explorer\\?");
    EXPECT_EQ(ieRows[1][Note], ""); // the DestList named what the shortcut could not
    EXPECT_EQ(ieRows[1][Recorded], "2020-01-03 00:00:00");
    EXPECT_EQ(ieRows[1][Count], "1");

    ASSERT_EQ(custom.size(), 3);
    EXPECT_EQ(custom[0][Category], "Recent Projects");
    EXPECT_EQ(custom[1][Category], "Tasks");
    EXPECT_EQ(custom[2][Category], "Tasks");
    EXPECT_EQ(custom[1][Arguments], "/name Microsoft.Personalization");
    EXPECT_EQ(custom[2][Arguments], "/name Microsoft.System");
    EXPECT_NE(custom[1], custom[2]);
    for (const auto& row : custom) {
        EXPECT_EQ(row[Recorded], "");
        EXPECT_TRUE(row[Description].startsWith("Nero InfoTool provides"));
    }

    ASSERT_EQ(reports.warnings.size(), 1);
    EXPECT_TRUE(reports.warnings[0].contains(dir.filePath(automatic + kJumpList)))
        << qPrintable(reports.warnings[0]);
    EXPECT_FALSE(reports.warnings[0].contains(QStringLiteral("//")));
}

// A known folder the hive places only in User Shell Folders ("%USERPROFILE%"
// standing for the profile's path) is found there; one under another
// variable has no location.
TEST_F(ModernRecent, UserShellFoldersPlaceTheKnownFoldersShellFoldersLack) {
    const auto expandText = [](const QString& name, const QString& text) {
        MruValue value = textValue(name, text);
        value.type = 2; // REG_EXPAND_SZ
        return value;
    };
    QString error;
    ASSERT_TRUE(
        writeMruHive(testDataPath(QStringLiteral("ntuser-win10.dat")),
                     dir.filePath(QStringLiteral("NTUSER.DAT")),
                     QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"),
                     {{QStringLiteral("User Shell Folders"),
                       {expandText(QStringLiteral("{31C0DD25-9439-4F12-BF41-7FF4EDA38722}"),
                                   QStringLiteral("%USERPROFILE%\\3D Objects")),
                        expandText(QStringLiteral("{4C5C32FF-BB9D-43B0-B5B4-2D72E54EAAA4}"),
                                   QStringLiteral("%OneDrive%\\Games"))}}},
                     &error))
        << qPrintable(error);
    openProfile();
    const KnownFolderLocations locations = KnownFolderLocations::fromProfile(profile);
    // "This PC"'s 3D Objects folder, from User Shell Folders.
    const KnownFolder* objects =
        findKnownFolder(QUuid::fromString(u"{0DB7E03F-FC29-4DC6-9020-FF41B59E513A}"));
    ASSERT_NE(objects, nullptr);
    EXPECT_EQ(locations.location(*objects), QStringLiteral("C:\\Users\\bperry\\3D Objects"));
    // Shell Folders first: Saved Games stays where it names it.
    const KnownFolder* games =
        findKnownFolder(QUuid::fromString(u"{4C5C32FF-BB9D-43B0-B5B4-2D72E54EAAA4}"));
    ASSERT_NE(games, nullptr);
    EXPECT_EQ(locations.location(*games), QStringLiteral("C:\\Users\\bperry\\Saved Games"));
    EXPECT_EQ(locations.expanded(QStringLiteral("%OneDrive%\\Games")), QString());
    EXPECT_EQ(locations.expanded(QStringLiteral("%userprofile%\\Music")),
              QStringLiteral("C:\\Users\\bperry\\Music"));
    // Windows 10's second identifier of Downloads, through its first's value.
    const KnownFolder* downloads =
        findKnownFolder(QUuid::fromString(u"{7D83EE9B-2244-4E70-B1F5-5393042AF1E4}"));
    ASSERT_NE(downloads, nullptr);
    EXPECT_EQ(locations.location(*downloads), QStringLiteral("C:\\Users\\bperry\\Downloads"));
}

// Reading leaves every file's last-access time as it was (the files' owner
// may open them without updating it).
TEST_F(ModernRecent, ReadingKeepsTheEvidenceAccessTimes) {
    placeLinks();
    openProfile();
    const QStringList files{kRecent + QStringLiteral("/ash.lnk"),
                            kRecent + QStringLiteral("/AutomaticDestinations/") + kJumpList};
    // Last access long before the last change: a read would move it even
    // under relatime.
    const struct timespec old[2] = {{978307200, 0}, {1262304000, 0}}; // 2001, 2010
    for (const QString& f : files)
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(dir.filePath(f)).constData(), old, 0), 0);
    folderRows();
    modernRows();
    for (const QString& f : files) {
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(dir.filePath(f)).constData(), &st), 0);
        EXPECT_EQ(st.st_atim.tv_sec, 978307200) << qPrintable(f);
    }
}

// The bundled sample through the loader of the table: the XP Recent folder
// the hive names and the Windows 7 style one beside it; the XP open/save
// lists in hive order, tagged with their source and placed in their MRUList
// order; the XP hive's RecentDocs (regripper -p recentdocs lists the same
// names in the same order), the real jump list and the made-up custom one.
TEST(ModernRecentSample, TheLoaderReadsFoldersXpListsThenTheNewerSources) {
    setShowsUtc(true);
    const QString format = dateTimeFormat();
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    UserProfile profile;
    QString error;
    ASSERT_TRUE(profile.open(samplesPath(QStringLiteral("profiles/xp")), &error));
    CollectingReporter reports;
    LoadContext context;
    context.report = &reports;
    TableModel table(QStringLiteral("docsR_ListView"), recentColumns());
    ASSERT_EQ(table.columns(), kRecentRowFields);
    ASSERT_TRUE(LoadRecentDocuments(&profile, GetSpecialFolder(profile, FolderKind::RecentDir),
                                    context, table));
    // The table keeps the times and makes their texts when they are shown:
    // in UTC and the pattern above until the end of the test.
    struct Restore {
        QString format;
        ~Restore() {
            setShowsUtc(false);
            setDateTimeFormat(format);
        }
    } restore{format};
    ASSERT_EQ(table.rows(), 12 + 11 + 6 + 7 + 1);
    const auto field = [&table](int row, int f) { return table.cell(row, f); };

    // The files of both Recent folders, XP's first (Desktop.ini not listed).
    for (int r = 0; r < 12; ++r) {
        EXPECT_EQ(field(r, Source), "Recent folder") << r;
        EXPECT_TRUE(field(r, Path).contains(
            r < 6 ? "/xp/Recent/" : "/xp/AppData/Roaming/Microsoft/Windows/Recent/"))
            << r << field(r, Path).constData();
        if (field(r, Ext) == ".lnk") {
            EXPECT_FALSE(field(r, Target).isEmpty()) << r;
        }
    }

    // The XP lists: subkeys and values in hive order, positions from MRUList
    // ("cba", "ba", "ab", "cba", "a"), the key's last-written time on the most
    // recent entry of each list only.
    const QList<QByteArray> sources{"OpenSaveMRU\\*",   "OpenSaveMRU\\*",   "OpenSaveMRU\\*",
                                    "OpenSaveMRU\\doc", "OpenSaveMRU\\doc", "OpenSaveMRU\\jpg",
                                    "OpenSaveMRU\\jpg", "OpenSaveMRU\\txt", "OpenSaveMRU\\txt",
                                    "OpenSaveMRU\\txt", "OpenSaveMRU\\xls"};
    const QList<QByteArray> positions{"2", "1", "0", "1", "0", "0", "1", "2", "1", "0", "0"};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(field(12 + i, Source), sources[i]) << i;
        EXPECT_EQ(field(12 + i, Position), positions[i]) << i;
        EXPECT_EQ(field(12 + i, Recorded).isEmpty(), positions[i] != "0") << i;
        EXPECT_EQ(field(12 + i, Target), "") << i;
    }
    EXPECT_EQ(field(12, Name), "letter to bank.doc");
    EXPECT_EQ(field(12, Path), "C:\\Documents and Settings\\joe\\My Documents\\letter to bank.doc");
    EXPECT_FALSE(field(12, Accessed).isEmpty()); // in My Documents
    EXPECT_TRUE(field(14, Accessed).isEmpty());  // D:\scans is not there

    // RecentDocs, most recent first.
    QList<QByteArray> names;
    for (int r = 23; r < 29; ++r)
        names << field(r, Name);
    EXPECT_EQ(names, (QList<QByteArray>{"Administrator's Documents", "Not to be seen document.txt",
                                        "Very secret document.txt", "Not to be seen document.txt",
                                        "Very secret document.txt", "Administrator's Documents"}));
    EXPECT_EQ(field(23, Path),
              "C:\\Documents and Settings\\joe\\Recent\\Administrator's Documents.lnk");
    EXPECT_EQ(field(23, Recorded), "2009-08-04 15:19:23");
    for (int r = 29; r < 36; ++r)
        EXPECT_EQ(field(r, Source), "AutomaticDestinations\\1b4dd67f29cb1962 (Windows Explorer)");
    EXPECT_EQ(field(36, Source), "CustomDestinations\\a7bd71699cd38d1c (Microsoft Word 2010)");
    EXPECT_EQ(field(36, Path), "C:\\Documents and Settings\\joe\\My Documents\\letter to bank.doc");
    EXPECT_FALSE(field(36, Accessed).isEmpty()); // the letter is in My Documents
    EXPECT_EQ(field(36, Label), "SYSTEM");
    EXPECT_TRUE(reports.errors.isEmpty());
    EXPECT_TRUE(reports.warnings.isEmpty()) << qPrintable(reports.warnings.join('\n'));
}

// The program's own words in the cells (the Recent folder's source) are in
// the chosen language where the code page can hold them, else in English:
// never letters turned into "?".
TEST(ModernRecentSample, OwnWordsInTheCellsNeverLoseTheirLetters) {
    const QString codePage = sourceCodePage();
    setInterfaceText(TextRecentFolder, QStringLiteral("Папка Recent"));
    UserProfile profile;
    QString error;
    ASSERT_TRUE(profile.open(samplesPath(QStringLiteral("profiles/xp")), &error));
    const auto firstSource = [&profile] {
        TableModel table(QStringLiteral("docsR_ListView"), recentColumns());
        EXPECT_TRUE(LoadRecentDocuments(&profile, GetSpecialFolder(profile, FolderKind::RecentDir),
                                        LoadContext{}, table));
        return table.cellText(0, Source);
    };
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1252")));
    EXPECT_EQ(firstSource(), QStringLiteral("Recent folder"));
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1251")));
    EXPECT_EQ(firstSource(), QStringLiteral("Папка Recent"));
    setSourceCodePage(codePage);
    fillDefaultInterfaceTexts();
}

// Without a profile the folder the caller names is still read, shortcuts
// with their targets; a non-text XP value ends the load before any newer
// source is read or any damage of theirs reported.
TEST(ModernRecentLoad, NoProfileAndANonTextXpValue) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("NeroInfoTool.lnk")),
                            dir.filePath(QStringLiteral("nero.lnk"))));
    CollectingReporter reports;
    LoadContext context;
    context.report = &reports;
    TableModel table(QStringLiteral("docsR_ListView"), recentColumns());
    ASSERT_TRUE(LoadRecentDocuments(nullptr, dir.path(), context, table));
    ASSERT_EQ(table.rows(), 1);
    EXPECT_EQ(table.cell(0, Name), "nero");
    EXPECT_EQ(table.cell(0, Target),
              "C:\\Program Files (x86)\\Nero\\Nero 9\\Nero InfoTool\\InfoTool.exe");

    // A Windows 10 hive (with RecentDocs and a damaged jump list beside it)
    // given an OpenSaveMRU key whose value is not text.
    QString error;
    ASSERT_TRUE(writeMruHive(testDataPath(QStringLiteral("ntuser-win10.dat")),
                             dir.filePath(QStringLiteral("NTUSER.DAT")), kOpenSaveMruKey,
                             {{QStringLiteral("doc"), {{QStringLiteral("a"), 4, "\1\0\0\0"}}}},
                             &error))
        << qPrintable(error);
    ASSERT_TRUE(QDir(dir.path()).mkpath(kRecent + QStringLiteral("/AutomaticDestinations")));
    QFile bad(dir.filePath(kRecent + QStringLiteral("/AutomaticDestinations/") + kJumpList));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a compound file");
    bad.close();
    UserProfile profile;
    ASSERT_TRUE(profile.open(dir.path(), &error));
    EXPECT_FALSE(LoadRecentDocuments(&profile, GetSpecialFolder(profile, FolderKind::RecentDir),
                                     context, table));
    ASSERT_EQ(reports.errors.size(), 1);
    EXPECT_TRUE(reports.errors[0].contains(QStringLiteral("'a' (REG_DWORD)")))
        << qPrintable(reports.errors[0]);
    EXPECT_TRUE(reports.warnings.isEmpty());
    EXPECT_EQ(table.rows(), 1); // as it was
}

// The order of a list: MRUList letters (Windows XP), MRUListEx numbers, and
// a forged MRUListEx of thousands of numbers that name nothing.
TEST(MruOrder, LettersNumbersAndForgedOrders) {
    QString error;
    const auto xp = Hive::open(samplesPath(QStringLiteral("profiles/xp/NTUSER.DAT")), &error);
    ASSERT_TRUE(xp);
    const auto doc = xp->findKey(QStringLiteral(
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\doc"));
    ASSERT_TRUE(doc);
    const QList<MruSlot> letters = mruSlots(*xp, *doc); // MRUList "ba"
    ASSERT_EQ(letters.size(), 2);
    EXPECT_EQ(letters[0].valueName, QStringLiteral("b"));
    EXPECT_EQ(letters[0].position, 0);
    EXPECT_EQ(letters[1].valueName, QStringLiteral("a"));
    EXPECT_EQ(letters[1].position, 1);

    QTemporaryDir dir;
    QByteArray forged;
    for (quint32 n = 100; n < 4000; ++n)
        forged.append(reinterpret_cast<const char*>(&n), 4);
    const quint32 one = 1;
    forged.append(reinterpret_cast<const char*>(&one), 4);
    ASSERT_TRUE(writeMruHive(testDataPath(QStringLiteral("ntuser-win10.dat")),
                             dir.filePath(QStringLiteral("NTUSER.DAT")), QStringLiteral("Test"),
                             {{QStringLiteral("list"),
                               {{QStringLiteral("0"), 3, QByteArray("a", 1)},
                                {QStringLiteral("1"), 3, QByteArray("b", 1)},
                                {QStringLiteral("MRUListEx"), 3, forged}}}},
                             &error))
        << qPrintable(error);
    const auto hive = Hive::open(dir.filePath(QStringLiteral("NTUSER.DAT")), &error);
    ASSERT_TRUE(hive);
    const QList<MruSlot> slots = mruSlots(*hive, *hive->findKey(QStringLiteral("Test\\list")));
    ASSERT_EQ(slots.size(), 2);
    EXPECT_EQ(slots[0].valueName, QStringLiteral("1"));
    EXPECT_EQ(slots[0].position, 0);
    EXPECT_EQ(slots[1].valueName, QStringLiteral("0"));
    EXPECT_EQ(slots[1].position, -1);
}
