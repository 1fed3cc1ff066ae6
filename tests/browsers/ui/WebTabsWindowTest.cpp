// The Chrome, Edge and Firefox tab driven through the real main window: the
// sample profile's databases, the detail pane, sort, find, go to line, both
// exports of UTF-8 text, the file actions on a download's target and the
// reports of a database that cannot be read.
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserTestSupport.h"
#include "documents/FakeFileServices.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PictureBox.h"
#include "support/EventLoop.h"
#include "support/WindowFixture.h"
#include "tables/ExportCheck.h"
#include "tables/ui/GotoLineWindow.h"
#include "tables/ui/SearchWindow.h"

#include <QImage>

namespace vc::testing {
namespace {

const char* const kChromeFolder = "Local Settings/Application Data/Google/Chrome/User Data/Default";
const char* const kFirefoxFolder = "Application Data/Mozilla/Firefox/Profiles/k3x7q9aa.default";

// A History of today's layout: two visits with text that is not ASCII, and
// three downloads (a document and a picture in joe's My Documents, and a
// file on another drive).
const char* const kHistorySql = R"(
    CREATE TABLE urls (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
      visit_count INTEGER NOT NULL, typed_count INTEGER NOT NULL, last_visit_time INTEGER,
      hidden INTEGER NOT NULL);
    CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER NOT NULL,
      visit_time INTEGER NOT NULL, from_visit INTEGER, transition INTEGER NOT NULL);
    CREATE TABLE downloads (id INTEGER PRIMARY KEY, guid VARCHAR NOT NULL,
      current_path LONGVARCHAR NOT NULL, target_path LONGVARCHAR NOT NULL,
      start_time INTEGER NOT NULL, received_bytes INTEGER NOT NULL,
      total_bytes INTEGER NOT NULL, state INTEGER NOT NULL, end_time INTEGER NOT NULL);
    CREATE TABLE downloads_url_chains (id INTEGER NOT NULL, chain_index INTEGER NOT NULL,
      url LONGVARCHAR NOT NULL, PRIMARY KEY (id, chain_index));
    INSERT INTO urls VALUES (1, 'http://example.cz/kůň', 'Příliš žluťoučký kůň', 2, 1, 0, 0);
    INSERT INTO urls VALUES (2, 'http://example.ru/', 'Привет', 1, 0, 0, 0);
    INSERT INTO visits VALUES (1, 1, 13300000000000000, 0, 1);
    INSERT INTO visits VALUES (2, 2, 13310000000000000, 0, 0);
    INSERT INTO downloads VALUES (1, 'g1', '',
      'C:\Documents and Settings\joe\My Documents\letter to bank.doc',
      13300000000000000, 10, 10, 1, 13300000001000000);
    INSERT INTO downloads VALUES (2, 'g2', '', 'D:\elsewhere\x.zip',
      13300000000000000, 5, 9, 2, 0);
    INSERT INTO downloads VALUES (3, 'g3', '', 'C:\Documents and Settings\joe\My Documents\dot.png',
      13300000000000000, 70, 70, 1, 13300000002000000);
    INSERT INTO downloads_url_chains VALUES (1, 0, 'https://bank.example/letter.doc');
)";

class WebTabsWindow : public WindowFixture {
protected:
    TableTab& tab(TabId id) { return window->tab(id); }
    QStringList memoLines(TabId id) {
        return tab(id).pane->memo()->toPlainText().split(QLatin1Char('\n'));
    }
    // Selects a row and waits until its preview has been read.
    void selectRow(TabId id, int row) {
        TableTab& t = tab(id);
        t.view->selectionModel()->setCurrentIndex(t.model->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
        ASSERT_TRUE(processUntil([&] { return !PicturePending(t.pane->imageBox()); }));
    }
    int currentRow(TabId id) {
        const QModelIndex index = tab(id).view->selectionModel()->currentIndex();
        return index.isValid() ? index.row() : -1;
    }
    // A profile of user joe (the real Windows XP hive) with the History of
    // kHistorySql and joe's document; the profile's folder.
    QString makeProfile() {
        const QString root = dir.filePath(QStringLiteral("joe"));
        copyTestFile(QStringLiteral("ntuser-xp.dat"), root + QStringLiteral("/NTUSER.DAT"));
        makeDatabase(root + QLatin1Char('/') + QLatin1String(kChromeFolder) +
                         QStringLiteral("/History"),
                     kHistorySql);
        QDir().mkpath(root + QStringLiteral("/My Documents"));
        QFile doc(root + QStringLiteral("/My Documents/letter to bank.doc"));
        EXPECT_TRUE(doc.open(QIODevice::WriteOnly));
        doc.write("Dear bank");
        doc.close();
        QImage dot(8, 8, QImage::Format_RGB32);
        dot.fill(Qt::red);
        EXPECT_TRUE(dot.save(root + QStringLiteral("/My Documents/dot.png")));
        return root;
    }
    void answerFind(const QString& text) {
        window->search().Search1->setModalHook([this, text](ModalWindow&) {
            window->search().Search1->FindComboBox->setEditText(text);
            window->search().Search1->OriginRadioGroup->setItemIndex(TSearch1::EntireScope);
            window->search().Search1->BitBtn1->click();
        });
    }

    QTemporaryDir dir;
};

TEST_F(WebTabsWindow, SampleProfileHistoryRowsPaneAndSort) {
    const QString sample = samplesPath(QStringLiteral("profiles/xp"));
    ASSERT_TRUE(window->openProfile(sample));
    window->actions().web_ActionHistory->trigger();
    EXPECT_EQ(window->currentTabId(), TabId::WebHistory);
    EXPECT_EQ(window->widgets().mainPageControl->currentWidget(), window->widgets().Web_TabSheet);
    EXPECT_EQ(window->currentTabCaption(), QStringLiteral("Chrome, Edge, Firefox: History"));
    EXPECT_TRUE(window->progressBar().isNull());
    EXPECT_TRUE(messages.shown.isEmpty());
    TableTab& t = tab(TabId::WebHistory);
    ASSERT_EQ(t.model->rows(), 70);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 70"));
    EXPECT_TRUE(window->actions().SearchAction_Find->isEnabled());
    EXPECT_TRUE(window->actions().ExportAction_Tab->isEnabled());

    // Chrome's visits as the sqlite3 program reads them (address, title,
    // time, counts), then Firefox's one visit.
    const QList<QList<QByteArray>> chrome =
        expectedRows(QStringLiteral("chrome-History.visits.tsv"));
    ASSERT_EQ(chrome.size(), 69);
    const QString history =
        QDir(sample).absoluteFilePath(QLatin1String(kChromeFolder)) + QStringLiteral("/History");
    for (int r = 0; r < 69; ++r) {
        EXPECT_EQ(t.model->rowCells(r).mid(0, kHistoryTransition), chrome[r].mid(0, 5)) << r;
        EXPECT_EQ(t.model->cell(r, kHistoryBrowser), "Chrome") << r;
        EXPECT_EQ(QFileInfo(t.model->cellText(r, kHistoryBrowser + 2)).absoluteFilePath(), history)
            << r;
    }
    EXPECT_EQ(t.model->rowCells(69).mid(0, kHistoryBrowser + 2),
              (QList<QByteArray>{"http://news.google.com/", "Google News", "2011-07-01 11:16:21",
                                 "1", "1", "typed", "Firefox", "k3x7q9aa.default"}));
    EXPECT_EQ(t.model->cell(69, kHistoryBrowser + 3), "places.sqlite");

    // The pane of the first row: every field by its caption, the address
    // on the file panel, the database as the file of the file actions.
    QStringList expected;
    for (int c = 0; c < t.model->columns(); ++c)
        expected << t.model->caption(c) + QStringLiteral(": ") + t.model->cellText(0, c);
    EXPECT_EQ(memoLines(TabId::WebHistory), expected);
    EXPECT_EQ(expected.value(expected.size() - 3),
              QStringLiteral("Read From (Private Copy): History"));
    EXPECT_EQ(expected.value(expected.size() - 2),
              QStringLiteral("Browser's place: Local Settings/Application Data/Google/Chrome/User "
                             "Data"));
    EXPECT_EQ(expected.last(), QStringLiteral("User: xp"));
    EXPECT_EQ(t.pane->filePanel()->text(), QStringLiteral("http://start.ubuntu.com/10.04/Google/"));
    EXPECT_EQ(QFileInfo(window->currentFileName()).absoluteFilePath(), history);
    selectRow(TabId::WebHistory, 69);
    EXPECT_EQ(memoLines(TabId::WebHistory).value(kHistoryBrowser + 3),
              QStringLiteral("Read From (Private Copy): places.sqlite"));
    EXPECT_TRUE(window->currentFileName().endsWith(QStringLiteral("/places.sqlite")));

    // Sorted by visit time, the selected visit stays selected; again, the
    // other way round.
    window->ListViewColumnClick(TabId::WebHistory, kHistoryVisitTime);
    EXPECT_EQ(t.model->headerImage(kHistoryVisitTime), window->sorting().SortIconIndex + 1);
    for (int r = 1; r < 70; ++r)
        EXPECT_LE(t.model->cell(r - 1, kHistoryVisitTime), t.model->cell(r, kHistoryVisitTime))
            << r;
    EXPECT_EQ(currentRow(TabId::WebHistory), 69) << "Firefox's visit is the latest";
    window->ListViewColumnClick(TabId::WebHistory, kHistoryVisitTime);
    EXPECT_EQ(t.model->cell(0, kHistoryVisitTime), "2011-07-01 11:16:21");
    EXPECT_EQ(currentRow(TabId::WebHistory), 0);
    for (int r = 1; r < 70; ++r)
        EXPECT_GE(t.model->cell(r - 1, kHistoryVisitTime), t.model->cell(r, kHistoryVisitTime))
            << r;

    // Downloads and cookies of the same profile.
    window->actions().web_ActionDownloads->trigger();
    EXPECT_EQ(window->currentTabId(), TabId::WebDownloads);
    EXPECT_EQ(tab(TabId::WebDownloads).model->rows(), 3);
    window->actions().web_ActionCookies->trigger();
    EXPECT_EQ(tab(TabId::WebCookies).model->rows(), 573);
    EXPECT_EQ(tab(TabId::WebCookies).countLabel->text(), QStringLiteral("Records: 573"));
    EXPECT_TRUE(window->currentFileName().endsWith(QStringLiteral("/Default/Cookies")));
    EXPECT_TRUE(tab(TabId::WebCookies)
                    .pane->filePanel()
                    ->text()
                    .startsWith(QStringLiteral("Source File: ")));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(WebTabsWindow, Utf8TextShownFoundGoneToAndExportedAsItIs) {
    ASSERT_TRUE(window->openProfile(makeProfile()));
    // The source code page is for the evidence of Internet Explorer; the
    // browsers' text is UTF-8 whatever it is.
    const QString codePage = sourceCodePage();
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1251")));
    struct Restore {
        QString name;
        ~Restore() { setSourceCodePage(name); }
    } restore{codePage};

    window->actions().web_ActionHistory->trigger();
    TableTab& t = tab(TabId::WebHistory);
    ASSERT_EQ(t.model->rows(), 2);
    EXPECT_EQ(t.model->cellText(0, kHistoryTitle), QStringLiteral("Příliš žluťoučký kůň"));
    EXPECT_EQ(t.model->cellText(1, kHistoryTitle), QStringLiteral("Привет"));
    EXPECT_EQ(t.model->data(t.model->index(0, kHistoryUrl)).toString(),
              QStringLiteral("http://example.cz/kůň"));
    EXPECT_EQ(t.model->cellText(0, kHistoryVisitTime), QStringLiteral("2022-06-18 04:26:40"));
    EXPECT_EQ(t.model->cellText(0, kHistoryTransition), QStringLiteral("typed"));
    EXPECT_EQ(memoLines(TabId::WebHistory).value(1), QStringLiteral("Title: Příliš žluťoučký kůň"));

    // Find looks for the text as the cells hold it.
    answerFind(QStringLiteral("Привет"));
    window->actions().SearchAction_Find->trigger();
    EXPECT_EQ(currentRow(TabId::WebHistory), 1);
    answerFind(QStringLiteral("žluťoučký"));
    window->actions().SearchAction_Find->trigger();
    EXPECT_EQ(currentRow(TabId::WebHistory), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    answerFind(QStringLiteral("ёжик"));
    window->actions().SearchAction_Find->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, tx(TextSearchNotFound) + QStringLiteral(":\nёжик"));

    // Go to line 2 fills the pane for it.
    window->search().GotoLine1->setModalHook([this](ModalWindow&) {
        window->search().GotoLine1->GotoComboBox->setEditText(QStringLiteral("2"));
        window->search().GotoLine1->BitBtn1->click();
    });
    window->actions().SearchAction_GoLine->trigger();
    EXPECT_EQ(currentRow(TabId::WebHistory), 1);
    EXPECT_EQ(memoLines(TabId::WebHistory).value(1), QStringLiteral("Title: Привет"));

    // The tab-delimited export: UTF-8 throughout, the bytes of the database.
    chooser.saveAnswer = dir.filePath(QStringLiteral("web"));
    window->actions().ExportAction_Tab->trigger();
    const QList<QByteArray> lines = readAllOf(dir.filePath(QStringLiteral("web.txt"))).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "URL Address\tTitle\tVisit Time\tVisit Count\tTyped Count\tTransition\t"
                        "Browser\tBrowser Profile\tSource File\tRead From (Private Copy)\t"
                        "Browser's place\tUser\r");
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("http://example.cz/kůň\tPříliš žluťoučký "
                                                   "kůň\t2022-06-18 04:26:40\t2\t1\ttyped\t"
                                                   "Chrome\tDefault\t")
                                        .toUtf8()))
        << lines[1].constData();
    EXPECT_TRUE(lines[1].endsWith("/Default/History\tHistory\tLocal Settings/Application "
                                  "Data/Google/Chrome/User Data\tjoe\r"))
        << lines[1].constData();

    // The XML export: the same text, read back by an XML parser.
    chooser.saveAnswer = dir.filePath(QStringLiteral("web.xml"));
    window->actions().ExportAction_XLS->trigger();
    const ParsedSheet sheet = parseSheet(readAllOf(chooser.saveAnswer));
    ASSERT_TRUE(sheet.wellFormed) << qPrintable(sheet.error);
    ASSERT_EQ(sheet.rows.size(), 4);
    EXPECT_TRUE(sheet.rows[0].value(0).contains(QStringLiteral("Chrome, Edge, Firefox: History")));
    EXPECT_EQ(sheet.rows[1].value(1), QStringLiteral("Title"));
    EXPECT_EQ(sheet.rows[2].mid(0, 3), (QStringList{QStringLiteral("http://example.cz/kůň"),
                                                    QStringLiteral("Příliš žluťoučký kůň"),
                                                    QStringLiteral("2022-06-18 04:26:40")}));
    EXPECT_EQ(sheet.rows[3].value(1), QStringLiteral("Привет"));
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(WebTabsWindow, DownloadTargetsPlacedInTheProfileForTheFileActions) {
    const QString root = makeProfile();
    ASSERT_TRUE(window->openProfile(root));
    const QString chrome = root + QLatin1Char('/') + QLatin1String(kChromeFolder);
    const auto before = snapshot(chrome);
    FakeFileServices files;

    window->actions().web_ActionDownloads->trigger();
    TableTab& t = tab(TabId::WebDownloads);
    ASSERT_EQ(t.model->rows(), 3);
    EXPECT_EQ(t.model->rowCells(0).mid(0, kDownloadBrowser + 1),
              (QList<QByteArray>{
                  "https://bank.example/letter.doc",
                  "C:\\Documents and Settings\\joe\\My Documents\\letter to bank.doc",
                  "2022-06-18 04:26:40", "2022-06-18 04:26:41", "10", "10", "complete", "Chrome"}));

    // The document: its Windows path on the file panel, the file in the
    // profile behind it and behind the file actions.
    const QString letter = root + QStringLiteral("/My Documents/letter to bank.doc");
    EXPECT_EQ(t.pane->filePanel()->text(),
              QStringLiteral("Target Path: C:\\Documents and Settings\\joe\\My Documents\\letter "
                             "to bank.doc"));
    EXPECT_EQ(t.pane->filePanel()->toolTip(), letter);
    EXPECT_EQ(window->currentFileName(), letter);
    window->files_PopupMenuPopup();
    EXPECT_TRUE(window->actions().filesPopUp_OpenFolder->isEnabled());
    EXPECT_TRUE(window->actions().filesPopUp_Properties->isEnabled());
    window->actions().filesPopUp_OpenFolder->trigger();
    window->ListViewDblClick(TabId::WebDownloads);
    EXPECT_EQ(files.calls,
              (QList<FakeFileServices::Call>{{QStringLiteral("showInFolder"), letter, {}},
                                             {QStringLiteral("open"), letter, {}}}));

    // A target on another drive lies outside the profile: no file to act on.
    selectRow(TabId::WebDownloads, 1);
    EXPECT_EQ(t.pane->filePanel()->text(), QStringLiteral("Target Path: D:\\elsewhere\\x.zip"));
    EXPECT_TRUE(t.pane->filePanel()->toolTip().isEmpty());
    EXPECT_TRUE(window->currentFileName().isEmpty());
    window->files_PopupMenuPopup();
    EXPECT_FALSE(window->actions().filesPopUp_OpenFolder->isEnabled());
    EXPECT_EQ(memoLines(TabId::WebDownloads).value(kDownloadState),
              QStringLiteral("State: cancelled"));

    // A downloaded picture shows in the pane's preview box.
    selectRow(TabId::WebDownloads, 2);
    ASSERT_NE(t.pane->imageBox(), nullptr);
    EXPECT_FALSE(t.pane->imageBox()->pixmap().isNull());
    EXPECT_EQ(window->currentFileName(), root + QStringLiteral("/My Documents/dot.png"));

    // The database was neither written nor even touched, nor was anything
    // put beside it.
    EXPECT_EQ(snapshot(chrome), before);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(WebTabsWindow, UnreadableDatabaseIsNamedAndTheOthersStillRead) {
    const QString root = dir.filePath(QStringLiteral("joe"));
    copyTestFile(QStringLiteral("ntuser-xp.dat"), root + QStringLiteral("/NTUSER.DAT"));
    const QString broken =
        root + QLatin1Char('/') + QLatin1String(kChromeFolder) + QStringLiteral("/History");
    QDir().mkpath(QFileInfo(broken).path());
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    copyTestFile(QStringLiteral("firefox-places.sqlite"), root + QLatin1Char('/') +
                                                              QLatin1String(kFirefoxFolder) +
                                                              QStringLiteral("/places.sqlite"));

    // With nothing open the entry asks what to read; cancelled, the tab
    // stays empty, without a message.
    chooser.itemAnswer = -1;
    window->actions().web_ActionHistory->trigger();
    EXPECT_EQ(chooser.lastItems.size(), 4);
    EXPECT_EQ(tab(TabId::WebHistory).model->rows(), 0);
    EXPECT_TRUE(tab(TabId::WebHistory).countLabel->text().isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());

    ASSERT_TRUE(window->openProfile(root));
    window->actions().web_ActionHistory->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("Error! The browser database cannot be read:\n") + broken))
        << qPrintable(messages.shown[0].text);
    TableTab& t = tab(TabId::WebHistory);
    ASSERT_EQ(t.model->rows(), 1) << "Firefox's visit";
    EXPECT_EQ(t.model->cell(0, kHistoryUrl), "http://news.google.com/");
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 1"));
    EXPECT_TRUE(window->progressBar().isNull());
}

} // namespace
} // namespace vc::testing
