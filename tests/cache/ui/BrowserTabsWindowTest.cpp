// The History, Cookie and Links tabs driven through the real main window.
#include "TestData.h"
#include "cache/CookieLoad.h"
#include "cache/CookieTextFile.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/IndexImage.h"
#include "cache/IndexLoad.h"
#include "evidence/SpecialFolders.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <filesystem>

namespace vc::testing {
namespace {

class BrowserTabsWindow : public WindowFixture {
protected:
    TableTab& tab(TabId id) { return window->tab(id); }
    QStringList memoLines(TabId id) {
        return tab(id).pane->memo()->toPlainText().split(QLatin1Char('\n'));
    }
    void openSampleProfile() {
        ASSERT_TRUE(window->openProfile(samplesPath(QStringLiteral("profiles/xp"))));
    }
    static void copyFile(const QString& from, const QString& to) {
        QDir().mkpath(QFileInfo(to).path());
        ASSERT_TRUE(QFile::copy(from, to)) << qPrintable(to);
    }
    static void selectRow(TableTab& t, int row) {
        t.view->selectionModel()->setCurrentIndex(t.model->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    }
};

TEST_F(BrowserTabsWindow, HistoryOfARealTreeFirstFileOrAll) {
    openSampleProfile();
    // A history folder as the browser leaves it: the real history index as
    // the main file, and a period folder with a small index of its own.
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("History"));
    copyFile(testDataPath(QStringLiteral("history-ie5-index.dat")),
             root + QStringLiteral("/History.IE5/index.dat"));
    IndexImage period;
    IndexImage::UrlRecord visit;
    visit.url = ":2015082520150826: joe@http://period.example/a%20b%20";
    visit.modified = fileTimeOf(1440500000);
    visit.accessed = fileTimeOf(1440500100);
    period.putUrlRecord(0x500, visit);
    visit.url = ":2015082520150826: joe@file:///C:/photos/x.jpg";
    period.putUrlRecord(0x700, visit);
    QDir().mkpath(root + QStringLiteral("/History.IE5/MSHist012015082520150826"));
    QTemporaryDir unused;
    {
        QFile f(root + QStringLiteral("/History.IE5/MSHist012015082520150826/INDEX.DAT"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(period.bytes());
    }
    QStringList order;
    FindIndexFiles(order, root);
    ASSERT_EQ(order.size(), 2);
    const bool realFirst = order[0].endsWith(QLatin1String("History.IE5/index.dat"));
    const int realRows = 17;
    const int periodRows = 2;

    chooser.folderAnswer = root;
    window->Action_ieHExecute();
    EXPECT_EQ(chooser.lastStartFolder,
              GetSpecialFolder(window->firstUser(), FolderKind::HistoryDir));
    EXPECT_TRUE(chooser.lastStartFolder.endsWith(QLatin1String("Local Settings/History/")));
    TableTab& t = tab(TabId::History);
    const int firstRows = realFirst ? realRows : periodRows;
    ASSERT_EQ(t.model->rows(), firstRows);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: %1").arg(firstRows));
    EXPECT_EQ(window->widgets().ieH_DirectoryPanel->text(), root);
    EXPECT_EQ(window->currentTabId(), TabId::History);
    EXPECT_TRUE(window->progressBar().isNull());

    // "Full history": every file, in the order found, in one table.
    window->widgets().ieH_CheckBox->setChecked(true);
    window->Action_ieHExecute();
    ASSERT_EQ(t.model->rows(), realRows + periodRows);
    const int periodAt = realFirst ? realRows : 0;
    EXPECT_EQ(t.model->cell(periodAt, 0), "http://period.example/a b");
    EXPECT_EQ(t.model->cell(periodAt, 1), "2015-08-25 10:53:20");
    EXPECT_EQ(t.model->cell(periodAt, 3), "URL");
    EXPECT_EQ(t.model->cell(periodAt, 4), "  ");
    const int realAt = realFirst ? 0 : periodRows;
    EXPECT_EQ(t.model->cell(realAt, 0), "http://www.msn.com/?ocid=iehp");
    EXPECT_EQ(t.model->cell(realAt, 1), "2015-08-25 11:05:18");
    // Row 0 is selected and its pane filled.
    EXPECT_EQ(t.view->selectionModel()->currentIndex().row(), 0);
    EXPECT_EQ(t.pane->filePanel()->text(), t.model->cellText(0, 0));
    EXPECT_EQ(t.model->headerImage(0), -1);

    // Cancel: nothing changes, not even the tab.
    window->showTab(TabId::Activity);
    chooser.folderAnswer.clear();
    window->Action_ieHExecute();
    EXPECT_EQ(t.model->rows(), realRows + periodRows);
    EXPECT_EQ(window->currentTabId(), TabId::Activity);

    // A folder without index files: empty table, a count of 0, no message.
    chooser.folderAnswer = unused.path();
    window->Action_ieHExecute();
    EXPECT_EQ(t.model->rows(), 0);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 0"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(BrowserTabsWindow, CookieIndexOfTheSampleProfileAndItsPane) {
    openSampleProfile();
    const QString cookies = GetSpecialFolder(window->firstUser(), FolderKind::CookiesDir);
    chooser.folderAnswer = cookies;
    window->ActionIECookieExecute();
    EXPECT_EQ(chooser.lastStartFolder, cookies);
    TableTab& t = tab(TabId::Cookie);
    ASSERT_EQ(t.model->rows(), 8);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 8"));
    EXPECT_EQ(window->widgets().ieC_FilesLabel->text(), QStringLiteral("Cookie Files: 8"));
    EXPECT_EQ(window->widgets().ieC_DirectoryPanel->text(), cookies);
    EXPECT_TRUE(window->progressBar().isNull());
    EXPECT_EQ(t.model->rowCells(0),
              (QList<QByteArray>{"bank.example/online/", "", "2008-04-18 20:02:45",
                                 "2008-04-18 21:02:45", "joe@bank.example[1].txt", "", "", ""}));

    // The pane of the selected first row.
    EXPECT_EQ(memoLines(TabId::Cookie),
              (QStringList{"Site:", "bank.example/online/", "Creation Time - Expiration Time",
                           "2008-04-18 20:02:45 - 2008-04-18 21:02:45", "Variable", "", "Value", "",
                           "Flags", ""}));
    EXPECT_EQ(t.pane->filePanel()->text(), QStringLiteral("Cookie File: joe@bank.example[1].txt"));
    EXPECT_EQ(t.pane->filePanel()->toolTip(), cookies + QStringLiteral("joe@bank.example[1].txt"));
    EXPECT_EQ(window->currentFileName(), t.pane->filePanel()->toolTip());
    EXPECT_EQ(t.pane->memo()->textCursor().position(), 0);

    // Another row fills the pane again.
    selectRow(t, 4);
    EXPECT_EQ(memoLines(TabId::Cookie).at(1), QStringLiteral("google.com/"));
    EXPECT_EQ(window->currentFileName(), cookies + QStringLiteral("joe@google[1].txt"));

    // A folder without index.dat: the rows stay, the labels are counted again.
    QTemporaryDir empty;
    chooser.folderAnswer = empty.path();
    window->ActionIECookieExecute();
    EXPECT_EQ(t.model->rows(), 8);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 8"));
    EXPECT_EQ(window->widgets().ieC_FilesLabel->text(), QStringLiteral("Cookie Files: 0"));

    // Cancel: only the condition label is emptied.
    t.condLabel->setText(QStringLiteral("conditions"));
    chooser.folderAnswer.clear();
    window->ActionIECookieExecute();
    EXPECT_TRUE(t.condLabel->text().isEmpty());
    EXPECT_EQ(t.model->rows(), 8);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(BrowserTabsWindow, CookieSitesAndFileNamesInAnyLetterCase) {
    QTemporaryDir dir;
    IndexImage image;
    IndexImage::UrlRecord rec;
    rec.url = "Cookie:joe@a.example/";
    rec.fileName = "joe@a[1].txt";
    image.putUrlRecord(0x500, rec);
    rec.url = "Cookie:joe@b.example/@odd";
    rec.fileName = "JOE@A[1].TXT";
    image.putUrlRecord(0x700, rec);
    rec.url = "no-at-sign/";
    rec.fileName = "other.txt";
    image.putUrlRecord(0x900, rec);
    // The index's name in other letters is found too.
    image.writeTo(dir, QStringLiteral("INDEX.DAT"));
    chooser.folderAnswer = dir.path();
    window->ActionIECookieExecute();
    TableTab& t = tab(TabId::Cookie);
    ASSERT_EQ(t.model->rows(), 3);
    EXPECT_EQ(t.model->cell(0, 0), "a.example/");
    EXPECT_EQ(t.model->cell(1, 0), "b.example/@odd");
    EXPECT_EQ(t.model->cell(2, 0), "no-at-sign/");
    EXPECT_EQ(window->widgets().ieC_FilesLabel->text(), QStringLiteral("Cookie Files: 2"));
}

TEST_F(BrowserTabsWindow, CookieTextFilesThenIndexRowsAfterThem) {
    openSampleProfile();
    const QString cookies = GetSpecialFolder(window->firstUser(), FolderKind::CookiesDir);
    TableTab& t = tab(TabId::Cookie);
    t.model->appendRow({"stale"});
    // The loaders the recall runs, into the window's table.
    const LoadContext none;
    const CookieFilesLoad files = LoadCookieTextFiles(cookies, window->workFile(), none, *t.model);
    ASSERT_TRUE(files.workFileOpened);
    EXPECT_EQ(files.fileCount, 8);
    window->selectFirstRow(TabId::Cookie);
    ASSERT_EQ(t.model->rows(), 15);
    EXPECT_EQ(t.model->rowCells(0),
              (QList<QByteArray>{"bank.example/online/", "JSESSIONID", "2008-04-18 20:02:45",
                                 "2008-04-18 20:32:45", "joe@bank.example[1].txt",
                                 "0000Qx7r1Ha9Ljj2KcA3vUeB2nT:12h4kq9c1", "8704", ""}));
    EXPECT_EQ(memoLines(TabId::Cookie).at(5), QStringLiteral("JSESSIONID"));

    // The index rows come after the text-file rows.
    ASSERT_TRUE(
        LoadCookieIndex(cookies, true, false, window->workFile(), none, *t.model).workFileOpened);
    ASSERT_EQ(t.model->rows(), 23);
    EXPECT_EQ(t.model->cell(15, 0), "bank.example/online/");
    EXPECT_EQ(t.model->cell(15, 1), "");
}

TEST_F(BrowserTabsWindow, FavoritesOfTheSampleProfileAndOfStrangeNames) {
    openSampleProfile();
    window->ActionLast_MRUExecute();
    TableTab& t = tab(TabId::Links);
    ASSERT_EQ(t.model->rows(), 8);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 8"));
    QStringList names;
    for (int r = 0; r < t.model->rows(); ++r) {
        names << t.model->cellText(r, 0);
        EXPECT_TRUE(t.model->cellText(r, 3).endsWith(t.model->cellText(r, 0) + ".url"));
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{"BBC News", "Cheap flights", "Customize Links", "Google",
                                  "Hotels in Rome", "MSN.com", "Weather", "Windows Media"}));
    const QString favorites = GetSpecialFolder(window->firstUser(), FolderKind::FavoritesDir);
    bool nested = false;
    for (int r = 0; r < t.model->rows(); ++r)
        nested |= t.model->cellText(r, 3) ==
                  favorites + QStringLiteral("Travel/Flights/Cheap flights.url");
    EXPECT_TRUE(nested);
    EXPECT_EQ(window->currentTabId(), TabId::Links);
    EXPECT_EQ(window->currentFileName(), t.model->cellText(0, 3));

    // A profile whose favorites have names of every byte value.
    QTemporaryDir dir;
    copyFile(testDataPath(QStringLiteral("ntuser-xp.dat")), dir.filePath("NTUSER.DAT"));
    const QByteArray fav = QFile::encodeName(dir.filePath(QStringLiteral("Favorites")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("Favorites/sub"))));
    int made = 0;
    for (int b = 1; b < 256; ++b) {
        if (b == '/')
            continue;
        const QByteArray name = fav + "/sub/x" + char(b) + ".url";
        FILE* f = std::fopen(name.constData(), "w");
        ASSERT_NE(f, nullptr) << b;
        std::fclose(f);
        ++made;
    }
    for (const char* n : {"/abc", "/Example.url", "/desktop.INI"}) {
        FILE* f = std::fopen((fav + n).constData(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    ASSERT_TRUE(window->openProfile(dir.path()));
    window->ActionLast_MRUExecute();
    ASSERT_EQ(t.model->rows(), made + 2);
    QList<QByteArray> cut;
    for (int r = 0; r < t.model->rows(); ++r) {
        cut << t.model->cell(r, 0);
        EXPECT_EQ(t.model->rowCells(r).size(), 6);
    }
    EXPECT_TRUE(cut.contains(QByteArray("")));        // "abc"
    EXPECT_TRUE(cut.contains(QByteArray("Example"))); // "Example.url"
    EXPECT_TRUE(cut.contains(QByteArray("x\xe9")));
    EXPECT_TRUE(cut.contains(QByteArray("x "))); // a tab in the name

    // No Favorites folder at all: an empty table, nothing selected.
    // (Qt cannot name files whose names are not in the locale's encoding.)
    std::filesystem::remove_all(fav.toStdString());
    window->ActionLast_MRUExecute();
    EXPECT_EQ(t.model->rows(), 0);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 0"));
    EXPECT_TRUE(t.pane->memo()->toPlainText().isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(BrowserTabsWindow, AWorkFileThatCannotBeMadeIsReportedAndChangesNothing) {
    openSampleProfile();
    const QString cookies = GetSpecialFolder(window->firstUser(), FolderKind::CookiesDir);
    chooser.folderAnswer = cookies;
    window->ActionIECookieExecute();
    TableTab& c = tab(TabId::Cookie);
    ASSERT_EQ(c.model->rows(), 8);
    // The private folder of the work file disappears.
    ASSERT_TRUE(QDir(QFileInfo(window->workFile().fileName()).path()).removeRecursively());
    window->ActionIECookieExecute();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Error when Opening Work File")));
    EXPECT_TRUE(messages.shown[0].text.contains(window->workFile().fileName()));
    EXPECT_EQ(c.model->rows(), 8);
    EXPECT_EQ(window->widgets().ieC_FilesLabel->text(), QStringLiteral("Cookie Files: 8"));
    EXPECT_TRUE(window->progressBar().isNull());

    chooser.folderAnswer = samplesPath(QStringLiteral("profiles/xp/Local Settings/History"));
    window->Action_ieHExecute();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[1].text.startsWith(QStringLiteral("Error when Opening Work File")));
    EXPECT_EQ(tab(TabId::History).model->rows(), 0);
    EXPECT_TRUE(window->progressBar().isNull());
}

} // namespace
} // namespace vc::testing
