#pragma once

// A Linux home folder made in a test's temporary folder with every kind of
// trace this computer's tables read: browser databases and caches (real
// files of tests/data) at their Linux places, the desktop's lists of
// recently used files, thumbnails, a trash (and a volume's), the shells'
// histories and files below ~/.cache. The files are written from the
// formats' published descriptions; the texts below are what the tests expect back.
#include "TestData.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QtEndian>

#include <gtest/gtest.h>

namespace vc::testing {

inline void writeFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath())) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline void copyTestData(const QString& name, const QString& to) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(to).absolutePath()));
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), testDataPath(name), to}), 0)
        << name.toStdString();
}

inline quint32 crc32Of(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray pngChunk(const QByteArray& type, const QByteArray& data) {
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    chunk += type + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32Of(type + data), crc.data());
    return chunk + crc;
}

// A 2x1 RGB picture with the text chunks given (keyword, text), written as
// the thumbnailers do: IHDR, the texts, IDAT, IEND.
inline QByteArray thumbnailPng(const QList<QPair<QByteArray, QByteArray>>& texts,
                               bool international = false) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(2, ihdr.data());
    qToBigEndian<quint32>(1, ihdr.data() + 4);
    ihdr[8] = 8; // bit depth
    ihdr[9] = 2; // RGB
    png += pngChunk("IHDR", ihdr);
    for (const auto& [key, text] : texts)
        png += international ? pngChunk("iTXt", key + QByteArray("\0\0\0\0\0", 5) + text)
                             : pngChunk("tEXt", key + '\0' + text);
    // One scan line: filter 0, two red pixels; zlib as qCompress makes it
    // without its four-byte length.
    const QByteArray raw("\0\xff\0\0\xff\0\0", 7);
    png += pngChunk("IDAT", qCompress(raw).mid(4));
    png += pngChunk("IEND", QByteArray());
    return png;
}

// The home: root/home/alice (the current user) and root/home/bob.
struct TestHome {
    QString root;
    QString home;
    QString volume;     // a mounted volume with its own trash
    QString mountTable; // names the volume
    QString tempFolder;

    explicit TestHome(const QString& base) {
        root = base;
        home = base + QStringLiteral("/home/alice");
        volume = base + QStringLiteral("/media/usb stick");
        mountTable = base + QStringLiteral("/mounts");
        tempFolder = base + QStringLiteral("/tmp");
    }
    QString at(const QString& relative) const { return home + QLatin1Char('/') + relative; }

    void makeBrowsers() const {
        copyTestData(QStringLiteral("chrome-History"),
                     at(QStringLiteral(".config/google-chrome/Default/History")));
        copyTestData(QStringLiteral("chrome-cookies.db"),
                     at(QStringLiteral(".config/google-chrome/Default/Cookies")));
        copyTestData(QStringLiteral("chrome-History"),
                     at(QStringLiteral("snap/chromium/common/chromium/Profile 1/History")));
        copyTestData(QStringLiteral("chrome-History"), at(QStringLiteral(".config/opera/History")));
        copyTestData(QStringLiteral("chrome-History"),
                     at(QStringLiteral(".var/app/com.brave.Browser/config/BraveSoftware/"
                                       "Brave-Browser/Default/History")));
        copyTestData(QStringLiteral("firefox-places.sqlite"),
                     at(QStringLiteral(".mozilla/firefox/x1y2.default-release/places.sqlite")));
        copyTestData(QStringLiteral("firefox-10-cookies.sqlite"),
                     at(QStringLiteral(".mozilla/firefox/x1y2.default-release/cookies.sqlite")));
        copyTestData(QStringLiteral("chrome-cache"),
                     at(QStringLiteral(".cache/google-chrome/Default/Cache")));
        copyTestData(
            QStringLiteral("firefox-cache2"),
            at(QStringLiteral(".cache/mozilla/firefox/x1y2.default-release/cache2/entries")));
    }

    void makeRecent() const {
        writeFile(at(QStringLiteral("Documents/report.odt")), "odt");
        writeFile(
            at(QStringLiteral(".local/share/recently-used.xbel")),
            R"(<?xml version="1.0" encoding="UTF-8"?>
<xbel version="1.0"
      xmlns:bookmark="http://www.freedesktop.org/standards/desktop-bookmarks"
      xmlns:mime="http://www.freedesktop.org/standards/shared-mime-info">
  <bookmark href="file://)" +
                home.toUtf8() +
                R"(/Documents/report.odt" added="2024-03-01T09:15:02.123456Z" modified="2024-03-02T10:00:00Z" visited="2024-03-03T11:30:00.5Z">
    <info><metadata owner="http://freedesktop.org">
      <mime:mime-type type="application/vnd.oasis.opendocument.text"/>
      <bookmark:applications>
        <bookmark:application name="LibreOffice" exec="&apos;soffice %u&apos;" modified="2024-03-02T10:00:00Z" count="3"/>
        <bookmark:application name="org.gnome.Nautilus" exec="&apos;nautilus %u&apos;" modified="2024-03-01T09:15:02Z" count="1"/>
      </bookmark:applications>
    </metadata></info>
  </bookmark>
  <bookmark href="file:///gone/holiday%20photo.jpg" added="2023-07-14T18:00:00Z" modified="2023-07-14T18:00:00Z" visited="1970-01-01T00:00:00Z">
    <info><metadata owner="http://freedesktop.org">
      <mime:mime-type type="image/jpeg"/>
      <bookmark:applications><bookmark:application name="eog" exec="&apos;eog %u&apos;" modified="2023-07-14T18:00:00Z" count="2"/></bookmark:applications>
    </metadata></info>
  </bookmark>
  <bookmark href="sftp://server/notes.txt" added="2024-01-05T08:00:00+01:00" modified="2024-01-05T08:00:00+01:00" visited="2024-01-05T08:00:00+01:00"/>
</xbel>
)");
        writeFile(at(QStringLiteral(".local/share/RecentDocuments/report.odt.desktop")),
                  "[Desktop Entry]\nName=report.odt\nType=Link\nURL[$e]=file://" + home.toUtf8() +
                      "/Documents/report.odt\nX-KDE-LastOpenedWith=okular\n");
        writeFile(at(QStringLiteral(".local/share/RecentDocuments/broken.desktop")),
                  "[Desktop Entry]\nName=nothing\n");
        writeFile(
            at(QStringLiteral(".config/libreoffice/4/user/registrymodifications.xcu")),
            R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Histories/Histories/org.openoffice.Office.Histories:HistoryInfo['PickList']/ItemList/org.openoffice.Office.Histories:HistoryItem['file:///srv/budget.ods']"><prop oor:name="Title" oor:op="fuse"><value>Budget 2024</value></prop></item>
<item oor:path="/org.openoffice.Office.Histories/Histories/org.openoffice.Office.Histories:HistoryInfo['PickList']/ItemList/org.openoffice.Office.Histories:HistoryItem['file://)" +
                home.toUtf8() +
                R"(/Documents/report.odt']"><prop oor:name="Title" oor:op="fuse"><value>Report</value></prop></item>
<item oor:path="/org.openoffice.Office.Histories/Histories/org.openoffice.Office.Histories:HistoryInfo['PickList']/OrderList/org.openoffice.Office.Histories:HistoryOrder['0']"><prop oor:name="HistoryItemRef" oor:op="fuse"><value>file://)" +
                home.toUtf8() + R"(/Documents/report.odt</value></prop></item>
<item oor:path="/org.openoffice.Office.Histories/Histories/org.openoffice.Office.Histories:HistoryInfo['PickList']/OrderList/org.openoffice.Office.Histories:HistoryOrder['1']"><prop oor:name="HistoryItemRef" oor:op="fuse"><value>file:///srv/budget.ods</value></prop></item>
</oor:items>
)");
    }

    void makeThumbnails() const {
        writeFile(at(QStringLiteral("Pictures/cat.png")), "cat");
        writeFile(at(QStringLiteral(".cache/thumbnails/normal/"
                                    "0a1b2c3d4e5f60718293a4b5c6d7e8f9.png")),
                  thumbnailPng({{"Thumb::URI", "file://" + home.toUtf8() + "/Pictures/cat.png"},
                                {"Thumb::MTime", "1709284502"},
                                {"Thumb::Size", "48213"},
                                {"Thumb::Mimetype", "image/png"},
                                {"Software", "GNOME::ThumbnailFactory"}}));
        writeFile(at(QStringLiteral(".cache/thumbnails/large/"
                                    "ffeeddccbbaa99887766554433221100.png")),
                  thumbnailPng({{"Thumb::URI", "file:///gone/holiday%20photo.jpg"},
                                {"Thumb::MTime", "1689357600"}},
                               true));
        writeFile(at(QStringLiteral(".cache/thumbnails/fail/gnome-thumbnail-factory/"
                                    "11112222333344445555666677778888.png")),
                  thumbnailPng(
                      {{"Thumb::URI", "file:///srv/broken.pdf"}, {"Thumb::MTime", "1700000000"}}));
        // Not a picture at all, and one cut in its first text chunk.
        writeFile(at(QStringLiteral(".cache/thumbnails/normal/"
                                    "99999999999999999999999999999999.png")),
                  "not a png");
        writeFile(at(QStringLiteral(".cache/thumbnails/normal/"
                                    "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.png")),
                  thumbnailPng({{"Software", "cut"}, {"Thumb::URI", "file:///x"}}).left(50));
    }

    void makeTrash() const {
        writeFile(at(QStringLiteral(".local/share/Trash/files/cat.png")), thumbnailPng({}));
        writeFile(at(QStringLiteral(".local/share/Trash/info/cat.png.trashinfo")),
                  "[Trash Info]\nPath=" + home.toUtf8() +
                      "/Pictures/old%20cat.png\nDeletionDate=2024-03-04T12:34:56\n");
        QDir().mkpath(at(QStringLiteral(".local/share/Trash/files/project")));
        writeFile(at(QStringLiteral(".local/share/Trash/files/project/a.txt")), "12345");
        writeFile(at(QStringLiteral(".local/share/Trash/directorysizes")),
                  "4096 1709555696 project\n");
        writeFile(at(QStringLiteral(".local/share/Trash/info/project.trashinfo")),
                  "[Trash Info]\nPath=/srv/project\nDeletionDate=2024-03-05T08:00:00\n");
        // The file itself already emptied from the trash, and a damaged entry.
        writeFile(at(QStringLiteral(".local/share/Trash/info/gone.txt.trashinfo")),
                  "[Trash Info]\nPath=/srv/gone.txt\nDeletionDate=2024-02-01T00:00:00\n");
        writeFile(at(QStringLiteral(".local/share/Trash/info/bad.trashinfo")), "garbage");
        // A volume's trash: paths relative to its top folder.
        writeFile(volume + QStringLiteral("/.Trash-1000/files/song.ogg"), "ogg!");
        writeFile(volume + QStringLiteral("/.Trash-1000/info/song.ogg.trashinfo"),
                  "[Trash Info]\nPath=music/song.ogg\nDeletionDate=2024-01-02T03:04:05\n");
        writeFile(mountTable, "proc /proc proc rw 0 0\n/dev/sdb1 " +
                                  QByteArray(volume.toUtf8()).replace(" ", "\\040") +
                                  " vfat rw 0 0\n");
    }

    void makeShells() const {
        writeFile(at(QStringLiteral(".bash_history")),
                  "ls -la\n#1709284502\ncd /srv\n#1709284600\ngit status\n#not a time\n");
        // zsh: extended lines, a command over two lines, a metafied byte
        // (0x83 0xA3 is 0x83: the second byte of "ă" U+0103 is 0x83).
        writeFile(at(QStringLiteral(".zsh_history")),
                  QByteArray(": 1709290000:0;make -j2\n: 1709290100:5;for f in *; do\\\necho "
                             "$f; done\nplain command\n: 1709290200:0;echo \xc4\x83\xa3\n"));
        writeFile(at(QStringLiteral(".local/share/fish/fish_history")),
                  "- cmd: cargo build\n  when: 1709300000\n- cmd: echo a\\\\b\\nnext\n  when: "
                  "1709300100\n  paths:\n    - a\n- cmd: exit\n");
    }

    void makeTemp() const {
        writeFile(tempFolder + QStringLiteral("/session.lock"), "1");
        writeFile(at(QStringLiteral(".cache/fontconfig/cache-1")), "f");
        writeFile(at(QStringLiteral(".cache/motd.legal-displayed")), "");
    }

    // Every file and folder below the root with its size and modification
    // time, to show that reading changed nothing.
    std::string snapshot() const {
        QStringList entries;
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            entries << QStringLiteral("%1 %2 %3")
                           .arg(info.filePath())
                           .arg(info.isDir() ? -1 : info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch());
        }
        entries.sort();
        return entries.join(QLatin1Char('\n')).toStdString();
    }

    void makeAll() const {
        makeBrowsers();
        makeRecent();
        makeThumbnails();
        makeTrash();
        makeShells();
        makeTemp();
        QDir().mkpath(root + QStringLiteral("/home/bob"));
    }
};

} // namespace vc::testing
