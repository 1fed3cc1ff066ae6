// The file actions on a row of the Cache table, through the real main
// window on a Windows 10 user whose Chrome and Firefox caches are the real
// ones of tests/data: "Copy to..." writes the entry's body, decompressed,
// under a name made from its address; the actions a body without a file of
// its own cannot take are disabled with the reason; the evidence stays as
// it was.
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserTestSupport.h"
#include "documents/FakeFileServices.h"
#include "language/InterfaceTexts.h"
#include "support/WindowFixture.h"
#include "timeline/TimelineRows.h"

#include <QCryptographicHash>
#include <QStatusBar>

namespace vc::testing {
namespace {

const char* const kLocal = "/Users/bperry/AppData/Local";

class CacheBodyActions : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        volume = dir.filePath(QStringLiteral("pc"));
        dest = dir.filePath(QStringLiteral("dest"));
        ASSERT_TRUE(QDir().mkpath(dest));
        copyTestFile(QStringLiteral("ntuser-win10.dat"),
                     volume + QStringLiteral("/Users/bperry/NTUSER.DAT"));
        copyFolder(QStringLiteral("chrome-cache"),
                   local() + QStringLiteral("/Google/Chrome/User Data/Default/Cache/Cache_Data"));
        copyFolder(QStringLiteral("firefox-cache2"),
                   local() +
                       QStringLiteral("/Mozilla/Firefox/Profiles/d4nbk2xm.default/cache2/entries"));
        before = snapshot(volume);
        ASSERT_TRUE(window->loadVolume(volume));
        messages.shown.clear();
        cache = TabId(sourceIndex(QStringLiteral("web-cache")));
        ASSERT_EQ(window->tab(cache).model->rows(), 217 + 3);
    }
    QString local() const { return volume + QLatin1String(kLocal); }
    static void copyFolder(const QString& name, const QString& to) {
        const QDir from(testDataPath(name));
        for (const QString& file : from.entryList(QDir::Files))
            copyTestFile(name + QLatin1Char('/') + file, to + QLatin1Char('/') + file);
    }
    // Brings the Cache table to the front and focuses the row of an entry.
    int focusEntry(const QByteArray& location) {
        window->showTab(cache);
        TableTab& t = window->tab(cache);
        for (int row = 0; row < t.model->rows(); ++row)
            if (t.model->cell(row, kWebCacheLocation) == location) {
                t.view->setFocus();
                t.view->selectionModel()->setCurrentIndex(t.model->index(row, 0),
                                                          QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
                window->files_PopupMenuPopup();
                return row;
            }
        ADD_FAILURE() << "no row of " << location.toStdString();
        return -1;
    }
    // The SHA-256 of the decompressed body that tests/tools/cache-expected.py
    // read, by its own reading of the format, for an entry.
    static QByteArray expectedBodyHash(const QString& expected, const QByteArray& location) {
        for (const QList<QByteArray>& row : expectedRows(expected))
            if (row.value(0) == location)
                return row.value(11);
        return QByteArray();
    }
    static QByteArray sha256Of(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
    }
    void copyTo() {
        chooser.folderAnswer = dest;
        window->actions().filesPopUp_CopyTo->trigger();
    }

    QTemporaryDir dir;
    QString volume, dest;
    QMap<QString, FileState> before;
    TabId cache{};
    FakeFileServices desktop;
};

} // namespace

TEST_F(CacheBodyActions, CopyToWritesTheDecompressedBodyUnderTheAddressesName) {
    // Firefox: 80 bytes of gzip that give the JSON of 105 bytes.
    const QByteArray github = "cache2:0FC75AE83A9F7CAEFD982F3A793D9CDE5166ECD2";
    const int row = focusEntry(github);
    ASSERT_GE(row, 0);
    EXPECT_EQ(window->tab(cache).model->cellText(row, kWebCacheSize), QStringLiteral("80"));
    copyTo();
    EXPECT_TRUE(messages.shown.isEmpty()) << qPrintable(messages.shown.value(0).text);
    const QString json = dest + QStringLiteral("/counts.json");
    EXPECT_EQ(sha256Of(json), expectedBodyHash(QStringLiteral("firefox-cache2.tsv"), github));
    EXPECT_EQ(QFileInfo(json).size(), 105);
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QStringLiteral("Copied https://github.com/log2timeline/plaso/issues/counts to ") +
                  json);
    // The next Copy to starts in the folder the last one went to.
    EXPECT_EQ(chooser.lastStartFolder, QDir::homePath());

    // Chrome: a gzip-compressed script in data_1, under its own name; a
    // page whose address ends in a query; one whose path is "/" only,
    // under its entry's address in the cache.
    for (const auto& [location, name] :
         {std::pair{QByteArray("blockfile:a00101af"), QStringLiteral("jquery-mousewheel.js")},
          {QByteArray("blockfile:a00100be"), QStringLiteral("tz.html")},
          {QByteArray("blockfile:a00101bb"), QStringLiteral("a00101bb.js")},
          {QByteArray("blockfile:a00100b7"), QStringLiteral("editortoolbar.png")}}) {
        ASSERT_GE(focusEntry(location), 0);
        copyTo();
        EXPECT_EQ(chooser.lastStartFolder, dest);
        EXPECT_EQ(sha256Of(dest + QLatin1Char('/') + name),
                  expectedBodyHash(QStringLiteral("chrome-cache.tsv"), location))
            << qPrintable(name);
    }
    EXPECT_EQ(QFileInfo(dest + QStringLiteral("/jquery-mousewheel.js")).size(), 1409);
    EXPECT_TRUE(messages.shown.isEmpty()) << qPrintable(messages.shown.value(0).text);
    EXPECT_EQ(QDir(dest).entryList(QDir::Files).size(), 5);

    // A second copy to the same folder asks before it replaces the first.
    ASSERT_GE(focusEntry(github), 0);
    messages.answers = {MessageAnswer::No};
    copyTo();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(json)) << qPrintable(messages.shown[0].text);
    EXPECT_EQ(QFileInfo(json).size(), 105);

    EXPECT_EQ(snapshot(volume), before) << "the evidence stays as it was";
}

TEST_F(CacheBodyActions, MenuOffersWhatABodyWithoutAFileCanDo) {
    const QByteArray github = "cache2:0FC75AE83A9F7CAEFD982F3A793D9CDE5166ECD2";
    ASSERT_GE(focusEntry(github), 0);
    const QString address = QStringLiteral("https://github.com/log2timeline/plaso/issues/counts");
    for (QAction* item : {window->actions().filesPopUp_Open, window->actions().filesPopUp_OpenWith,
                          window->actions().filesPopUp_CopyTo}) {
        EXPECT_TRUE(item->isEnabled()) << qPrintable(item->objectName());
        EXPECT_EQ(item->statusTip(), address) << qPrintable(item->objectName());
    }
    for (QAction* item :
         {window->actions().filesPopUp_MoveTo, window->actions().filesPopUp_OpenFolder,
          window->actions().filesPopUp_Properties}) {
        EXPECT_FALSE(item->isEnabled()) << qPrintable(item->objectName());
        EXPECT_EQ(item->statusTip(), tx(TextCacheBodyNoFile)) << qPrintable(item->objectName());
    }

    // Open and Open with hand the desktop a private copy of the
    // decompressed body, never a file of the evidence nor the address.
    // A double-click on the row opens it as Open does.
    window->actions().filesPopUp_OpenWith->trigger();
    window->actions().filesPopUp_Open->trigger();
    window->ListViewDblClick(cache);
    ASSERT_EQ(desktop.calls.size(), 3);
    EXPECT_EQ(desktop.calls[0].what, QStringLiteral("openWith"));
    EXPECT_EQ(desktop.calls[1].what, QStringLiteral("open"));
    EXPECT_EQ(desktop.calls[2].what, QStringLiteral("open"));
    for (const auto& call : desktop.calls) {
        EXPECT_EQ(QFileInfo(call.path).fileName(), QStringLiteral("counts.json"));
        EXPECT_FALSE(call.path.startsWith(volume)) << qPrintable(call.path);
        EXPECT_EQ(sha256Of(call.path),
                  expectedBodyHash(QStringLiteral("firefox-cache2.tsv"), github));
    }
    EXPECT_TRUE(messages.shown.isEmpty()) << qPrintable(messages.shown.value(0).text);

    // Another tab in front: the actions are those of its rows again.
    window->showTab(TabId::WebHistory);
    EXPECT_NE(window->actions().filesPopUp_CopyTo->statusTip(), address);
    EXPECT_NE(window->actions().filesPopUp_MoveTo->statusTip(), tx(TextCacheBodyNoFile));

    // An event of the entry on the Timeline: the same body, copied under
    // the same name; an event of another source leaves them to its file.
    window->showTab(kTimelineTab);
    TableTab& timeline = window->tab(kTimelineTab);
    int event = -1;
    for (int row = 0; row < timeline.model->rows() && event < 0; ++row)
        if (timeline.model->cellText(row, kTimelineAddress) == address)
            event = row;
    ASSERT_GE(event, 0);
    const QString cacheSource = timeline.model->cellText(event, kTimelineSource);
    int other = -1;
    for (int row = 0; row < timeline.model->rows() && other < 0; ++row)
        if (timeline.model->cellText(row, kTimelineSource) != cacheSource)
            other = row;
    ASSERT_GE(other, 0);
    focusRow(timeline, event);
    window->files_PopupMenuPopup();
    EXPECT_EQ(window->actions().filesPopUp_CopyTo->statusTip(), address);
    EXPECT_FALSE(window->actions().filesPopUp_MoveTo->isEnabled());
    EXPECT_EQ(window->actions().filesPopUp_MoveTo->statusTip(), tx(TextCacheBodyNoFile));
    copyTo();
    EXPECT_TRUE(messages.shown.isEmpty()) << qPrintable(messages.shown.value(0).text);
    EXPECT_EQ(sha256Of(dest + QStringLiteral("/counts.json")),
              expectedBodyHash(QStringLiteral("firefox-cache2.tsv"), github));
    focusRow(timeline, other);
    window->files_PopupMenuPopup();
    EXPECT_NE(window->actions().filesPopUp_MoveTo->statusTip(), tx(TextCacheBodyNoFile));
    EXPECT_EQ(snapshot(volume), before);
}

TEST_F(CacheBodyActions, BodyThatCannotBeReadIsNamedAndNothingIsWritten) {
    // The body lies in the missing data_3: the message names it, no folder
    // is asked for and nothing is written.
    ASSERT_GE(focusEntry("blockfile:a0010003"), 0);
    EXPECT_TRUE(window->actions().filesPopUp_CopyTo->isEnabled());
    copyTo();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(tx(TextCacheBodyUnreadable)));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("data_3")))
        << qPrintable(messages.shown[0].text);
    EXPECT_TRUE(chooser.lastStartFolder.isEmpty());
    EXPECT_TRUE(QDir(dest).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(snapshot(volume), before);
}

} // namespace vc::testing
