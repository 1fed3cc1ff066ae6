// This computer: a home folder made in the test's temporary folder with
// every kind of trace, read through the catalogue's sources as the window,
// the recall and the command line read it, and every row checked.
#include "thiscomputer/ThisComputer.h"
#include "TestHome.h"
#include "browsers/BrowserColumns.h"
#include "browsers/cache/CacheFolders.h"
#include "browsers/cache/CacheLoad.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "platform/Reporter.h"
#include "platform/TimeText.h"
#include "platform/WorkFile.h"
#include "support/RunProgram.h"
#include "tables/RowSink.h"
#include "thiscomputer/DesktopFiles.h"
#include "thiscomputer/ShellHistory.h"
#include "thiscomputer/ThumbnailPng.h"
#include "thiscomputer/Thumbnails.h"
#include "windows/WindowsColumns.h"

#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vc::testing {
namespace {

struct Reports : Reporter {
    void error(const QString& text) override { errors << text; }
    void warning(const QString& text) override { warnings << text; }
    QStringList errors;
    QStringList warnings;
};

class ThisComputerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        fillDefaultInterfaceTexts();
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        m_home = std::make_unique<TestHome>(m_dir.path());
        m_home->makeAll();
        places.currentHome = m_home->home;
        places.homeRoots = {m_dir.path() + QStringLiteral("/home")};
        places.otherHomes = {m_dir.path() + QStringLiteral("/no-such-root")};
        places.mountTable = m_home->mountTable;
        places.uid = 1000;
        places.tempFolder = m_home->tempFolder;
        setThisComputerPlaces(places);
        machine = openThisComputer(places);
        ASSERT_TRUE(machine);
    }
    void TearDown() override {
        resetThisComputerPlaces();
        setShowsUtc(false);
        setDateTimeFormat(defaultDateTimeFormat());
    }

    // A source's table over every user it reads, as the recall fills it.
    std::unique_ptr<TableModel> load(const char* name) {
        const SourceSpec& decl = sourceAt(sourceIndex(QString::fromLatin1(name)));
        auto table = makeSourceTable(decl);
        LoadContext context;
        context.report = &reports;
        WorkFile work;
        bool first = true;
        for (const UserProfile* user : sourceUsers(decl, machine.get())) {
            SourceInput input;
            input.machine = machine.get();
            input.user = user;
            input.workFile = &work;
            UserRows rows(*table, userCell(user, decl.encoding), first, sourceHasUserColumn(decl));
            first = false;
            decl.load(input, context, rows);
        }
        return table;
    }
    // The rows of a table whose cell in column is text.
    static QList<int> rowsWith(const TableModel& table, int column, const QString& text) {
        QList<int> found;
        for (int r = 0; r < table.rows(); ++r)
            if (table.cellText(r, column) == text)
                found << r;
        return found;
    }
    QString at(const QString& relative) const { return m_home->at(relative); }

    QTemporaryDir m_dir;
    std::unique_ptr<TestHome> m_home;
    ThisComputerPlaces places;
    std::unique_ptr<Machine> machine;
    Reports reports;
};

TEST_F(ThisComputerTest, TheMachineIsTheHostWithItsReadableHomes) {
    EXPECT_EQ(machine->kind(), Machine::Kind::ThisComputer);
    EXPECT_EQ(machine->title(), QStringLiteral("This computer ") + QSysInfo::machineHostName());
    // The current user first, then the homes below the roots by name, each
    // once; a home that does not exist is left out.
    ASSERT_EQ(machine->users().size(), 2u);
    EXPECT_EQ(machine->users()[0]->folder(), m_home->home);
    EXPECT_EQ(machine->users()[0]->name(), QStringLiteral("alice"));
    EXPECT_EQ(machine->users()[1]->name(), QStringLiteral("bob"));
    for (const auto& user : machine->users()) {
        EXPECT_TRUE(user->isLinuxHome());
        EXPECT_FALSE(user->foldersGuessed());
        EXPECT_EQ(user->userHive(), nullptr);
    }
    EXPECT_TRUE(machine->messages().isEmpty());

    EXPECT_EQ(mountPointsOf("sysfs /sys sysfs rw 0 0\n/dev/sda1 / ext4 rw 0 0\n"
                            "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
                            "/dev/sda1 / ext4 rw 0 0\nbroken\n"),
              (QStringList{QStringLiteral("/"), QStringLiteral("/media/usb stick")}));
}

TEST_F(ThisComputerTest, BrowsersAtTheirLinuxPlacesWithTheirPlaceColumn) {
    const auto history = load("web-history");
    // chrome-History has 69 visits, read at four places; places.sqlite one.
    const int place = kHistoryBrowser + 4;
    const QString chrome = QStringLiteral("~/.config/google-chrome");
    EXPECT_EQ(rowsWith(*history, place, chrome).size(), 69);
    EXPECT_EQ(rowsWith(*history, place, QStringLiteral("~/snap/chromium/common/chromium")).size(),
              69);
    EXPECT_EQ(rowsWith(*history, place, QStringLiteral("~/.config/opera")).size(), 69);
    EXPECT_EQ(rowsWith(*history, place,
                       QStringLiteral("~/.var/app/com.brave.Browser/config/BraveSoftware/"
                                      "Brave-Browser"))
                  .size(),
              69);
    EXPECT_EQ(rowsWith(*history, place, QStringLiteral("~/.mozilla/firefox")).size(), 1);
    EXPECT_EQ(history->rows(), 69 * 4 + 1);
    const int snap =
        rowsWith(*history, place, QStringLiteral("~/snap/chromium/common/chromium")).first();
    EXPECT_EQ(history->cellText(snap, kHistoryBrowser), QStringLiteral("Chromium"));
    EXPECT_EQ(history->cellText(snap, kHistoryBrowser + 1), QStringLiteral("Profile 1"));
    EXPECT_EQ(history->cellText(snap, kHistoryBrowser + 2),
              at(QStringLiteral("snap/chromium/common/chromium/Profile 1/History")));
    const int opera = rowsWith(*history, place, QStringLiteral("~/.config/opera")).first();
    EXPECT_EQ(history->cellText(opera, kHistoryBrowser), QStringLiteral("Opera"));
    EXPECT_EQ(history->cellText(opera, kHistoryBrowser + 1), QStringLiteral("opera"));
    const int fox = rowsWith(*history, place, QStringLiteral("~/.mozilla/firefox")).first();
    EXPECT_EQ(history->cellText(fox, kHistoryBrowser), QStringLiteral("Firefox"));
    EXPECT_EQ(history->cellText(fox, kHistoryBrowser + 1), QStringLiteral("x1y2.default-release"));
    // The user's name closes every row.
    EXPECT_EQ(history->cellText(fox, kHistoryColumnCount), QStringLiteral("alice"));

    const auto downloads = load("web-downloads");
    EXPECT_EQ(rowsWith(*downloads, kDownloadBrowser + 4, chrome).size(), 2);
    const auto cookies = load("web-cookies");
    EXPECT_GT(rowsWith(*cookies, kCookieBrowser + 4, chrome).size(), 0);
    EXPECT_GT(rowsWith(*cookies, kCookieBrowser + 4, QStringLiteral("~/.mozilla/firefox")).size(),
              0);
    EXPECT_EQ(
        rowsWith(*cookies, kCookieBrowser + 4, chrome).size() +
            rowsWith(*cookies, kCookieBrowser + 4, QStringLiteral("~/.mozilla/firefox")).size(),
        cookies->rows());

    // The caches: the same rows as the folders read directly, each naming
    // its place.
    const auto cache = load("web-cache");
    const QList<BrowserCacheFolder> folders = {
        {Browser::Chrome, QStringLiteral("Default"),
         EvidenceFiles::pathBytes(at(QStringLiteral(".cache/google-chrome/Default/Cache"))),
         CacheFormat::BlockFile, QString()},
        {Browser::Firefox, QStringLiteral("x1y2.default-release"),
         EvidenceFiles::pathBytes(
             at(QStringLiteral(".cache/mozilla/firefox/x1y2.default-release/cache2"))),
         CacheFormat::Firefox, QString()}};
    const auto direct = makeWebCacheTable();
    loadBrowserCacheFolders(localEvidenceFiles(), folders, LoadContext(), *direct);
    ASSERT_GT(direct->rows(), 200);
    ASSERT_EQ(cache->rows(), direct->rows());
    for (int r = 0; r < cache->rows(); ++r) {
        for (int c = 0; c < kWebCachePlace; ++c)
            ASSERT_EQ(cache->cell(r, c), direct->cell(r, c)) << r << " " << c;
        EXPECT_EQ(cache->cellText(r, kWebCachePlace),
                  cache->cellText(r, kWebCacheBrowser) == QLatin1String("Chrome")
                      ? chrome
                      : QStringLiteral("~/.mozilla/firefox"));
    }
    EXPECT_TRUE(reports.errors.isEmpty()) << reports.errors.join('\n').toStdString();
}

TEST_F(ThisComputerTest, RecentlyUsedFilesOfGtkKdeAndLibreOffice) {
    const auto table = load("recent");
    // Columns: name, ext, created, accessed, path, source, position,
    // recorded, count, ... note 18, ... added 22, visited 23, applications 24.
    const QString report = at(QStringLiteral("Documents/report.odt"));
    const QList<int> xbel = rowsWith(*table, 5, QStringLiteral("recently-used.xbel"));
    ASSERT_EQ(xbel.size(), 3);
    int r = xbel[0];
    EXPECT_EQ(table->cellText(r, 0), QStringLiteral("report.odt"));
    EXPECT_EQ(table->cellText(r, 1), QStringLiteral(".odt"));
    EXPECT_FALSE(table->cellText(r, 3).trimmed().isEmpty()); // the file is there
    EXPECT_EQ(table->cellText(r, 4), report);
    EXPECT_EQ(table->cellText(r, 7), QStringLiteral("2024-03-02 10:00:00"));
    EXPECT_EQ(table->cellText(r, 8), QStringLiteral("4"));
    EXPECT_EQ(table->cellText(r, 18), QStringLiteral("application/vnd.oasis.opendocument.text"));
    EXPECT_EQ(table->cellText(r, 22), QStringLiteral("2024-03-01 09:15:02"));
    EXPECT_EQ(table->cellText(r, 23), QStringLiteral("2024-03-03 11:30:00"));
    EXPECT_EQ(table->cellText(r, 24), QStringLiteral("LibreOffice (3), org.gnome.Nautilus (1)"));
    EXPECT_EQ(readTimeCell(table->cellView(r, 22)).value_or(TimeValue{}).raw,
              qint64(fileTimeOfMicroseconds(1709284502123456)));
    r = xbel[1];
    EXPECT_EQ(table->cellText(r, 0), QStringLiteral("holiday photo.jpg"));
    EXPECT_EQ(table->cellText(r, 4), QStringLiteral("/gone/holiday photo.jpg"));
    EXPECT_TRUE(table->cellText(r, 3).trimmed().isEmpty()); // gone
    EXPECT_EQ(table->cellText(r, 24), QStringLiteral("eog (2)"));
    r = xbel[2];
    EXPECT_EQ(table->cellText(r, 4), QStringLiteral("sftp://server/notes.txt"));
    EXPECT_EQ(table->cellText(r, 7), QStringLiteral("2024-01-05 07:00:00")); // +01:00

    const QList<int> kde = rowsWith(*table, 5, QStringLiteral("KDE RecentDocuments"));
    ASSERT_EQ(kde.size(), 1); // the entry without a URL is named in a message
    EXPECT_EQ(table->cellText(kde[0], 4), report);
    EXPECT_EQ(table->cellText(kde[0], 24), QStringLiteral("okular"));
    EXPECT_FALSE(table->cellText(kde[0], 7).isEmpty());

    const QList<int> office = rowsWith(*table, 5, QStringLiteral("LibreOffice PickList"));
    ASSERT_EQ(office.size(), 2);
    EXPECT_EQ(table->cellText(office[0], 4), QStringLiteral("/srv/budget.ods"));
    EXPECT_EQ(table->cellText(office[0], 6), QStringLiteral("1"));
    EXPECT_EQ(table->cellText(office[0], 18), QStringLiteral("Budget 2024"));
    EXPECT_EQ(table->cellText(office[1], 4), report);
    EXPECT_EQ(table->cellText(office[1], 6), QStringLiteral("0"));
    EXPECT_EQ(table->rows(), 6);
    ASSERT_EQ(reports.warnings.size(), 1);
    EXPECT_TRUE(reports.warnings[0].contains(QStringLiteral("broken.desktop")));
}

TEST_F(ThisComputerTest, ThumbnailsWithTheirOriginalsFactsAndDamagedFiles) {
    const auto table = load("thumbnails");
    ASSERT_EQ(table->rows(), 5);
    const auto row = [&](const QString& file) {
        const QList<int> r =
            rowsWith(*table, kThumbFile, at(QStringLiteral(".cache/thumbnails/") + file));
        EXPECT_EQ(r.size(), 1) << file.toStdString();
        return r.value(0, -1);
    };
    int r = row(QStringLiteral("normal/0a1b2c3d4e5f60718293a4b5c6d7e8f9.png"));
    EXPECT_EQ(table->cellText(r, kThumbOriginalAddress),
              QStringLiteral("file://") + at(QStringLiteral("Pictures/cat.png")));
    EXPECT_EQ(table->cellText(r, kThumbOriginalSize), QStringLiteral("48213"));
    EXPECT_EQ(table->cellText(r, kThumbOriginalModified), QStringLiteral("2024-03-01 09:15:02"));
    EXPECT_EQ(table->cellText(r, kThumbOriginalExists), QStringLiteral("yes"));
    EXPECT_FALSE(table->cellText(r, kThumbModified).isEmpty());
    EXPECT_EQ(table->cellText(r, kThumbSizeClass), QStringLiteral("normal"));
    EXPECT_EQ(table->cellText(r, kThumbMimeType), QStringLiteral("image/png"));
    EXPECT_EQ(table->cellText(r, kThumbSoftware), QStringLiteral("GNOME::ThumbnailFactory"));
    EXPECT_EQ(table->cellText(r, kThumbPixels), QStringLiteral("2 x 1"));
    EXPECT_TRUE(table->cellText(r, kThumbNote).isEmpty());
    EXPECT_EQ(table->cellText(r, kThumbColumnCount), QStringLiteral("alice"));
    r = row(QStringLiteral("large/ffeeddccbbaa99887766554433221100.png")); // iTXt
    EXPECT_EQ(table->cellText(r, kThumbOriginalAddress),
              QStringLiteral("file:///gone/holiday%20photo.jpg"));
    EXPECT_EQ(table->cellText(r, kThumbOriginalExists), QStringLiteral("no"));
    EXPECT_EQ(table->cellText(r, kThumbOriginalModified), QStringLiteral("2023-07-14 18:00:00"));
    EXPECT_TRUE(table->cellText(r, kThumbOriginalSize).isEmpty());
    r = row(QStringLiteral("fail/gnome-thumbnail-factory/11112222333344445555666677778888.png"));
    EXPECT_EQ(table->cellText(r, kThumbSizeClass), QStringLiteral("fail/gnome-thumbnail-factory"));
    r = row(QStringLiteral("normal/99999999999999999999999999999999.png"));
    EXPECT_EQ(table->cellText(r, kThumbNote), tx(TextThumbnailNotPng));
    EXPECT_TRUE(table->cellText(r, kThumbPixels).isEmpty());
    r = row(QStringLiteral("normal/aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.png"));
    EXPECT_EQ(table->cellText(r, kThumbNote),
              tx(TextThumbnailNamesNoOriginal) + QStringLiteral("; ") + tx(TextReadInPart));
    ASSERT_EQ(reports.warnings.size(), 1);
    EXPECT_TRUE(reports.warnings[0].startsWith(tx(TextThumbnailsUnreadable)));
    EXPECT_TRUE(reports.warnings[0].contains(QStringLiteral("99999999")));
}

TEST(ThumbnailPng, HostileChunksGiveWhatCameBeforeThem) {
    const QByteArray good = thumbnailPng({{"Thumb::URI", "file:///a"}, {"Thumb::MTime", "5"}});
    PngText png = readPngText(good);
    EXPECT_TRUE(png.isPng);
    EXPECT_FALSE(png.cut);
    EXPECT_EQ(png.value("Thumb::URI"), QStringLiteral("file:///a"));
    EXPECT_EQ(png.value("Thumb::MTime"), QStringLiteral("5"));
    // Every cut of the file: no crash, the texts before the cut.
    for (qsizetype n = 0; n < good.size(); ++n) {
        const PngText cut = readPngText(good.left(n));
        EXPECT_TRUE(cut.cut || !cut.isPng) << n;
    }
    // A length that runs past the end of the file.
    QByteArray forged = good;
    qToBigEndian<quint32>(0x7ffffff0u, forged.data() + 8 + 25);
    png = readPngText(forged);
    EXPECT_TRUE(png.isPng);
    EXPECT_TRUE(png.cut);
    EXPECT_TRUE(png.texts.isEmpty());
    // A first chunk that is not IHDR.
    QByteArray noHeader = good;
    noHeader.replace(12, 4, "tEXt");
    EXPECT_FALSE(readPngText(noHeader).isPng);
    // A text chunk without its zero byte is passed over.
    const PngText odd = readPngText(thumbnailPng({}).insert(33, pngChunk("tEXt", "no zero")));
    EXPECT_TRUE(odd.isPng);
    EXPECT_TRUE(odd.texts.isEmpty());
}

TEST_F(ThisComputerTest, TrashOfTheHomeAndOfAMountedVolume) {
    const auto table = load("win-deleted");
    ASSERT_EQ(table->rows(), 5);
    const auto row = [&](const QString& info) {
        const QList<int> r = rowsWith(*table, kDeletedIndexFile, info);
        EXPECT_EQ(r.size(), 1) << info.toStdString();
        return r.value(0, -1);
    };
    const QString trash = at(QStringLiteral(".local/share/Trash/"));
    int r = row(trash + QStringLiteral("info/cat.png.trashinfo"));
    EXPECT_EQ(table->cellText(r, kDeletedPath), at(QStringLiteral("Pictures/old cat.png")));
    EXPECT_EQ(table->cellText(r, kDeletedName), QStringLiteral("old cat.png"));
    EXPECT_EQ(table->cellText(r, kDeletedSize), QString::number(thumbnailPng({}).size()));
    // A wall-clock time: the same text in every zone.
    EXPECT_EQ(table->cellText(r, kDeletedTime), QStringLiteral("2024-03-04 12:34:56"));
    EXPECT_EQ(readTimeCell(table->cellView(r, kDeletedTime)).value_or(TimeValue{}).kind,
              TimeKind::LocalFileTime);
    EXPECT_EQ(table->cellText(r, kDeletedUser), QStringLiteral("alice"));
    EXPECT_EQ(table->cellText(r, kDeletedStillThere), QStringLiteral("yes"));
    EXPECT_EQ(table->cellText(r, kDeletedRecycledFile), trash + QStringLiteral("files/cat.png"));
    r = row(trash + QStringLiteral("info/project.trashinfo"));
    EXPECT_EQ(table->cellText(r, kDeletedPath), QStringLiteral("/srv/project"));
    EXPECT_EQ(table->cellText(r, kDeletedSize), QStringLiteral("4096")); // directorysizes
    r = row(trash + QStringLiteral("info/gone.txt.trashinfo"));
    EXPECT_EQ(table->cellText(r, kDeletedStillThere), QStringLiteral("no"));
    EXPECT_TRUE(table->cellText(r, kDeletedSize).isEmpty());
    r = row(trash + QStringLiteral("info/bad.trashinfo"));
    EXPECT_TRUE(table->cellText(r, kDeletedPath).isEmpty());
    EXPECT_EQ(table->cellText(r, kDeletedNote), tx(TextReadInPart));
    r = row(m_home->volume + QStringLiteral("/.Trash-1000/info/song.ogg.trashinfo"));
    EXPECT_EQ(table->cellText(r, kDeletedPath), m_home->volume + QStringLiteral("/music/song.ogg"));
    EXPECT_EQ(table->cellText(r, kDeletedSize), QStringLiteral("4"));
    EXPECT_EQ(table->cellText(r, kDeletedTime), QStringLiteral("2024-01-02 03:04:05"));
    ASSERT_EQ(reports.warnings.size(), 1);
    EXPECT_TRUE(reports.warnings[0].contains(QStringLiteral("bad.trashinfo")));
}

TEST_F(ThisComputerTest, ShellHistoriesOneRowPerCommand) {
    const auto table = load("win-typed");
    const auto texts = [&](const QString& shell) {
        QStringList out;
        for (const int r : rowsWith(*table, kTypedSource, shell))
            out << table->cellText(r, kTypedText) + QLatin1Char('|') +
                       table->cellText(r, kTypedMruPosition) + QLatin1Char('|') +
                       table->cellText(r, kTypedTime);
        return out;
    };
    EXPECT_EQ(
        texts(QStringLiteral("bash")),
        (QStringList{QStringLiteral("ls -la|3|"), QStringLiteral("cd /srv|2|2024-03-01 09:15:02"),
                     QStringLiteral("git status|1|2024-03-01 09:16:40"),
                     QStringLiteral("#not a time|0|")}));
    // Line breaks of a command are shown as spaces in the table.
    EXPECT_EQ(texts(QStringLiteral("zsh")),
              (QStringList{QStringLiteral("make -j2|3|2024-03-01 10:46:40"),
                           QStringLiteral("for f in *; do echo $f; done|2|2024-03-01 10:48:20"),
                           QStringLiteral("plain command|1|"),
                           QStringLiteral("echo ") + QChar(0x103) +
                               QStringLiteral("|0|2024-03-01 10:50:00")}));
    EXPECT_EQ(texts(QStringLiteral("fish")),
              (QStringList{QStringLiteral("cargo build|2|2024-03-01 13:33:20"),
                           QStringLiteral("echo a\\b next|1|2024-03-01 13:35:00"),
                           QStringLiteral("exit|0|")}));
    EXPECT_EQ(table->rows(), 11);
    const int loop =
        rowsWith(*table, kTypedText, QStringLiteral("for f in *; do echo $f; done")).first();
    EXPECT_EQ(table->cellText(loop, kTypedNote),
              tx(TextActiveDuration) + QStringLiteral(": 0:00:05"));
    EXPECT_EQ(table->cellText(loop, kTypedSourceFile), at(QStringLiteral(".zsh_history")));
    EXPECT_EQ(table->cellText(loop, kTypedTimeSource), QStringLiteral("EXTENDED_HISTORY"));
    EXPECT_EQ(table->cellText(loop, kTypedColumnCount), QStringLiteral("alice"));

    ShellHistoryParser fish(Shell::Fish);
    fish.line("- cmd: a");
    fish.line("  when: 99999999999999999999"); // too large: no time
    const QList<ShellCommand> commands = fish.finish();
    ASSERT_EQ(commands.size(), 1);
    EXPECT_FALSE(commands[0].seconds);
    EXPECT_EQ(unmetafyZsh(QByteArray("a\x83", 2)), QByteArray("a\x83", 2));
}

TEST_F(ThisComputerTest, TemporaryFilesOfTheTempFolderAndTheCacheOnce) {
    const auto table = load("temp");
    QStringList paths;
    for (int r = 0; r < table->rows(); ++r)
        paths << table->cellText(r, 4) + QLatin1Char('|') + table->cellText(r, 5);
    // The temporary folder with the first user only; the thumbnails and the
    // browsers' caches belong to their own tables.
    EXPECT_EQ(paths, (QStringList{m_home->tempFolder + QStringLiteral("/session.lock|alice"),
                                  at(QStringLiteral(".cache/fontconfig/cache-1|alice")),
                                  at(QStringLiteral(".cache/motd.legal-displayed|alice"))}));
}

TEST_F(ThisComputerTest, TheCommandLineReadsThisComputer) {
    const std::string before = m_home->snapshot();
    const QList<QPair<QString, QString>> environment = {
        {QStringLiteral("HOME"), m_home->home},
        {QStringLiteral("VELLACORD_HOME_ROOTS"), QString()},
        {QStringLiteral("VELLACORD_MOUNT_TABLE"), m_home->mountTable}};
    const ProgramRun typed = runProgram(
        {QStringLiteral("win-typed"), QStringLiteral("--this-computer")}, 120000, environment);
    ASSERT_EQ(typed.status, 0) << typed.err.constData();
    EXPECT_TRUE(typed.out.contains("git status\tbash\t1\t"));
    EXPECT_TRUE(typed.out.contains("cargo build\tfish\t2\t"));
    const ProgramRun thumbnails = runProgram(
        {QStringLiteral("thumbnails"), QStringLiteral("--this-computer")}, 120000, environment);
    EXPECT_EQ(thumbnails.status, 0) << thumbnails.err.constData();
    EXPECT_EQ(thumbnails.out.count("\talice\r\n") + thumbnails.out.count("\talice\n"), 5);
    const QString out = m_dir.filePath(QStringLiteral("recall"));
    const ProgramRun recall = runProgram(
        {QStringLiteral("recall"), QStringLiteral("--this-computer"), QStringLiteral("--out"), out},
        120000, environment);
    EXPECT_EQ(recall.status, 0) << recall.err.constData();
    for (const char* name : {"thumbnails.txt", "win-deleted.txt", "recent.txt", "web-history.txt"})
        EXPECT_TRUE(QFileInfo(out + QLatin1Char('/') + QLatin1String(name)).size() > 0) << name;
    // The whole recall changed nothing of the home; its output went beside.
    ASSERT_TRUE(QDir(out).removeRecursively());
    EXPECT_EQ(m_home->snapshot(), before);
}

} // namespace
} // namespace vc::testing
