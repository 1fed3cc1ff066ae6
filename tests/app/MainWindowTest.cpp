#include "TestData.h"
#include "cache/ActivityTable.h"
#include "cache/IndexLoad.h"
#include "evidence/SpecialFolders.h"
#include "language/InterfaceTexts.h"
#include "platform/Registry.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"

#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

using namespace vc;

namespace {

QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

QMenu* topMenu(QMainWindow* window, const char* name) {
    return window->menuBar()->findChild<QMenu*>(QString::fromLatin1(name));
}

} // namespace

using MainWindow = WindowFixture;

TEST_F(MainWindow, TabsTablesAndColumns) {
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("\"Vellacord\"   ") + window->program().MakerWebAddress);
    EXPECT_EQ(window->widgets().mainPageControl->count(), 6);
    EXPECT_FALSE(window->widgets().mainPageControl->isTabVisible(4)); // the Tools tab
    EXPECT_EQ(window->widgets().mainPageControl->tabText(5), QStringLiteral("Timeline"));
    EXPECT_EQ(window->widgets().mainPageControl->tabText(3), QStringLiteral("Windows"));
    EXPECT_EQ(window->widgets().mainPageControl->tabText(0), QStringLiteral("Internet Explorer"));
    EXPECT_EQ(window->widgets().mainPageControl->tabText(1), QStringLiteral("Documents"));
    EXPECT_EQ(window->widgets().mainPageControl->tabText(2),
              QStringLiteral("Chrome, Edge, Firefox"));
    const QStringList inner3{"History", "Downloads", "Cookies", "Cache"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window->widgets().PageControl3->tabText(i), inner3[i]);
    const QStringList inner1{"Activity", "History", "Cookie", "Links"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window->widgets().PageControl1->tabText(i), inner1[i]);
    EXPECT_EQ(window->widgets().PageControl2->tabText(0),
              QStringLiteral("Links to recent documents and folders"));
    EXPECT_EQ(window->widgets().PageControl2->tabText(1),
              QStringLiteral("Not erased temporary files"));
    // The window starts on the Activity tab.
    EXPECT_EQ(window->widgets().mainPageControl->currentWidget(), window->widgets().IE_TabSheet);
    EXPECT_EQ(window->widgets().PageControl1->currentWidget(), window->tab(TabId::Activity).sheet);

    struct Expect {
        TabId id;
        QStringList captions;
        QList<int> dates;
    };
    const Expect tables[] = {
        {TabId::Activity,
         {"URL Address", "Modification Time", "Access Time", "File Name", "File Ext", "Type",
          "Directory", "HTTP Header"},
         {1, 2}},
        {TabId::History,
         {"URL Address", "Modification Time", "Access Time", "Type", "Cached File"},
         {1, 2}},
        {TabId::Cookie,
         {"Site", "Variable", "Creation Time", "Expiration Time", "File Name", "Value", "Flags"},
         {2, 3}},
        {TabId::Links,
         {"Name", "Creation Time", "Last Access", "URL Address", "Stored Address"},
         {1, 2}},
        {TabId::Recent,
         {"Name",           "File Ext",        "Creation Time",   "Last Access",  "Link Address",
          "Source",         "MRU Position",    "Recorded Time",   "Access Count", "Target Path",
          "Target Created", "Target Modified", "Target Accessed", "Target Size",  "Volume Label",
          "Volume Serial",  "Machine ID",      "Working Folder",  "Note",         "Arguments",
          "Description",    "Category",        "Added",           "Visited",      "Applications"},
         {2, 3, 7, 10, 11, 12, 22, 23}},
        {TabId::Temp, {"Name", "File Ext", "Creation Time", "Last Access", "File Path"}, {2, 3}},
        {TabId::WebHistory,
         {"URL Address", "Title", "Visit Time", "Visit Count", "Typed Count", "Transition",
          "Browser", "Browser Profile", "Source File", "Read From (Private Copy)",
          "Browser's place"},
         {2}},
        {TabId::WebDownloads,
         {"URL Address", "Target Path", "Start Time", "End Time", "Received Bytes", "Total Bytes",
          "State", "Browser", "Browser Profile", "Source File", "Read From (Private Copy)",
          "Browser's place"},
         {2, 3}},
        {TabId::WebCookies,
         {"Site", "Variable", "Value", "Path", "Creation Time", "Expiration Time", "Last Access",
          "Flags", "Browser", "Browser Profile", "Source File", "Read From (Private Copy)",
          "Browser's place"},
         {4, 5, 6}},
    };
    for (const Expect& e : tables) {
        TableModel* model = window->tab(e.id).model;
        // Every table ends with whose the row is.
        ASSERT_EQ(model->columns(), e.captions.size() + 1);
        EXPECT_EQ(model->headerData(model->columns() - 1, Qt::Horizontal).toString(),
                  QStringLiteral("User"));
        for (int c = 0; c < model->columns() - 1; ++c) {
            EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), e.captions[c]);
            EXPECT_EQ(model->isDateColumn(c), e.dates.contains(c)) << qPrintable(e.captions[c]);
        }
        EXPECT_TRUE(window->tab(e.id).countLabel->text().isEmpty());
    }
    // The "Full history" options exist but their group boxes are hidden.
    EXPECT_TRUE(window->widgets().CheckBox1->isChecked());
    EXPECT_FALSE(window->widgets().ieH_CheckBox->isChecked());
    EXPECT_FALSE(window->widgets().GroupBox1->isVisible());
    EXPECT_EQ(window->widgets().GroupBox1->title(), QStringLiteral("Parameters:"));
}

TEST_F(MainWindow, MenusToolBarAndShortcuts) {
    QStringList tops;
    for (QAction* a : window->menuBar()->actions())
        tops << a->text();
    // The language files beside the program add the Language menu before Help.
    EXPECT_EQ(tops, (QStringList{"&File", "&My Computer", "&Search", "&Internet Explorer",
                                 "&Documents", "&Chrome, Edge, Firefox", "&Windows", "&Export",
                                 "&View", "Language", "&Help"}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "Browsers1")),
              (QStringList{"Browser History", "Browser Downloads", "Browser Cookies", "Cache"}));
    // The Windows tab's menu: a load of each of its tables.
    EXPECT_EQ(
        menuTexts(topMenu(window.get(),
                          qPrintable(QStringLiteral("Group%1_Menu").arg(int(TextWindowsTab))))),
        (QStringList{"Folders opened", "Programs run", "Typed and searched", "Deleted files",
                     "Windows Timeline"}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "FileItem")),
              (QStringList{"Open Windows Profile...", "Open Windows Volume...",
                           "Open Disk Image...", "This computer", "-", "Exit"}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "MyComputer1")),
              (QStringList{"Vellacord", "Recall with Conditions"}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "SearchItem")),
              (QStringList{"Find...", "Search Again", "-", "Go to Line Number...", "-", "Copy"}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "InternetExplorer1")),
              (QStringList{"IE Activity", "IE History", "IE Cookie", "IE Favorites"}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "Documents1")),
              (QStringList{"Recent Documents", "Temporary Files", "Thumbnails"}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "Export1Item")),
              (QStringList{"Current Table to XML file",
                           "Current Table to TXT file with Tab Delimited Values",
                           "Timeline for Timesketch or plaso..."}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "View1Item")),
              (QStringList{"Times in Local Time of This Computer", "Times in UTC",
                           "Times in the Examined Machine's Time Zone"}));
    EXPECT_EQ(menuTexts(topMenu(window.get(), "Help1Item")),
              (QStringList{"Manual", "-", "Create a Desktop Icon", "Create a Quick Launch Icon",
                           "-", "About...", "-", "Help yourself (localization)"}));
    EXPECT_EQ(menuTexts(window->actions().files_PopupMenu),
              (QStringList{"Open", "Open with...", "Open Folder", "-", "Copy to...", "Move to...",
                           "-", "Properties"}));

    EXPECT_EQ(window->actions().SearchAction_Find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(window->actions().SearchAction_Again->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(window->actions().SearchAction_GoLine->shortcut(), QKeySequence(Qt::ALT | Qt::Key_G));
    EXPECT_EQ(window->actions().HelpAction_Manual->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(window->actions().ActionExit->toolTip(), QStringLiteral("Easy work is over"));
    EXPECT_EQ(window->actions().ExportAction_XLS->toolTip(),
              QStringLiteral("Export Current Table to .XML file"));
    EXPECT_EQ(window->actions().docs_ActionRecent->toolTip(),
              QStringLiteral("Recent Opened Documents"));
    EXPECT_EQ(window->actions().filesPopUp_CopyTo->data().toInt(), 0);
    EXPECT_EQ(window->actions().filesPopUp_MoveTo->data().toInt(), 1);

    QStringList tools;
    for (QAction* a : window->widgets().ToolBar1->actions())
        if (!a->isSeparator())
            tools << a->text();
    EXPECT_EQ(tools, (QStringList{"Exit", "Vellacord", "Recall with Conditions", "Find...",
                                  "IE Activity", "IE History", "IE Cookie", "IE Favorites",
                                  "Recent Documents", "Temporary Files", "Browser History",
                                  "Browser Downloads", "Browser Cookies"}));
    EXPECT_EQ(window->currentTabCaption(), QStringLiteral("Internet Explorer: Activity"));
}

TEST_F(MainWindow, ActivityLoadFillsTableLabelsAndEnablesMenus) {
    // Empty table: nothing to search or export.
    EXPECT_FALSE(window->actions().SearchItem->menuAction()->isEnabled());
    EXPECT_FALSE(window->actions().Export1Item->menuAction()->isEnabled());
    EXPECT_FALSE(window->actions().SearchAction_Find->isEnabled());
    EXPECT_FALSE(window->actions().SearchAction_Again->isEnabled());

    const QString file = testDataPath(QStringLiteral("content-ie5-index.dat"));
    chooser.fileAnswer = file;
    window->actions().ActionLoadIEActivity->trigger();
    EXPECT_EQ(chooser.lastFilter, QStringLiteral("Dat files (*.dat)"));
    EXPECT_TRUE(messages.shown.isEmpty());

    // The table holds exactly what the walker gives for the file.
    WorkFile work;
    WalkOptions options;
    const IndexLoadResult load = WalkIndexIntoWorkFile(work, file, options);
    TableModel expected(QStringLiteral("x"), window->tab(TabId::Activity).model->columnSpecs());
    TextLines lines(work.fileName());
    FillActivityRows(lines, expected, nullptr, 50);
    TableModel* model = window->tab(TabId::Activity).model;
    ASSERT_GT(model->rows(), 0);
    ASSERT_EQ(model->rows(), expected.rows());
    for (int r = 0; r < model->rows(); ++r)
        ASSERT_EQ(model->rowCells(r), expected.rowCells(r)) << r;
    EXPECT_EQ(window->activity().RecordCount, load.recordCount);

    EXPECT_EQ(window->tab(TabId::Activity).countLabel->text(),
              QStringLiteral("Records: %1").arg(model->rows()));
    EXPECT_EQ(window->widgets().HistoryFileNamePanel->text(),
              file + QStringLiteral(". Version: 5.2"));
    EXPECT_EQ(window->widgets().HistoryFileNamePanel->toolTip(), file);
    EXPECT_TRUE(window->actions().SearchItem->menuAction()->isEnabled());
    EXPECT_TRUE(window->actions().Export1Item->menuAction()->isEnabled());
    EXPECT_TRUE(window->actions().SearchAction_Find->isEnabled());
    EXPECT_FALSE(window->progressBar()); // removed after the load

    // Row 0 is selected and its pane filled.
    TableTab& t = window->tab(TabId::Activity);
    EXPECT_EQ(t.view->selectionModel()->currentIndex().row(), 0);
    EXPECT_EQ(t.pane->filePanel()->text(), model->cellText(0, 0));
    const QStringList memo = t.pane->memo()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(memo.size(), 3);
    EXPECT_EQ(memo[0], model->cellText(0, 1) + QStringLiteral(" - ") + model->cellText(0, 2));
    EXPECT_EQ(memo[1], model->cellText(0, 6) + QLatin1Char('/') + model->cellText(0, 3));
    EXPECT_TRUE(window->currentFileName().endsWith(model->cellText(0, 6) + QLatin1Char('/') +
                                                   model->cellText(0, 3)));

    // A tab change turns Search Again off and moves the current table.
    window->search().LastSearchTable = model;
    window->UpdateTabState();
    EXPECT_TRUE(window->actions().SearchAction_Again->isEnabled());
    window->widgets().PageControl1->setCurrentWidget(window->tab(TabId::History).sheet);
    EXPECT_FALSE(window->actions().SearchAction_Again->isEnabled());
    EXPECT_EQ(window->currentTabCaption(), QStringLiteral("Internet Explorer: History"));
    EXPECT_FALSE(window->actions().SearchItem->menuAction()->isEnabled());
}

TEST_F(MainWindow, ActivityCancelAndUnreadableFile) {
    // Cancelling the dialog changes nothing.
    chooser.fileAnswer.clear();
    window->actions().ActionLoadIEActivity->trigger();
    EXPECT_EQ(window->tab(TabId::Activity).model->rows(), 0);
    EXPECT_TRUE(window->tab(TabId::Activity).countLabel->text().isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());

    // A file that cannot be opened: one message naming it, an empty table.
    const QString missing = QStringLiteral("/nonexistent/folder/index.dat");
    chooser.fileAnswer = missing;
    window->actions().ActionLoadIEActivity->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(messages.shown[0].text.startsWith(tx(TextCannotOpenIndexFile)));
    EXPECT_TRUE(messages.shown[0].text.contains(missing));
    EXPECT_EQ(window->tab(TabId::Activity).model->rows(), 0);
    EXPECT_EQ(window->tab(TabId::Activity).countLabel->text(), QStringLiteral("Records: 0"));
    EXPECT_FALSE(window->progressBar());
}

TEST_F(MainWindow, ClearPaneEmptiesNestedPanels) {
    DetailPane* pane = window->tab(TabId::History).pane;
    pane->memo()->setPlainText(QStringLiteral("line"));
    pane->filePanel()->setText(QStringLiteral("file"));
    pane->filePanel()->setToolTip(QStringLiteral("hint"));
    pane->imageCaption()->setText(QStringLiteral("inner")); // inside the picture panel
    window->ClearPane(pane);
    EXPECT_TRUE(pane->memo()->toPlainText().isEmpty());
    EXPECT_TRUE(pane->filePanel()->text().isEmpty());
    EXPECT_TRUE(pane->filePanel()->toolTip().isEmpty());
    EXPECT_TRUE(pane->imageCaption()->text().isEmpty());
}

TEST_F(MainWindow, ProgressBarsAndColumnLayout) {
    window->CreateProgressBar(true, 0, 100);
    ASSERT_TRUE(window->progressBar());
    window->progress()->raiseTo(40);
    window->progress()->raiseTo(20); // never backwards
    EXPECT_EQ(window->progressBar()->value(), 40);
    window->CreateSecondProgressBar(true, 0, 100);
    ASSERT_TRUE(window->secondProgressBar());
    window->DestroyProgressBar();
    window->DestroySecondProgressBar();
    EXPECT_FALSE(window->progressBar());
    EXPECT_EQ(window->progress(), nullptr);

    // After the first activation the first resize lays out the columns by
    // their factors; later resizes leave them alone.
    QApplication::processEvents();
    EXPECT_EQ(window->startState(), 2);
    QTableView* view = window->tab(TabId::Activity).view;
    const int w0 = view->columnWidth(0);
    const int w1 = view->columnWidth(1);
    EXPECT_GT(w0, w1); // 0.25 against 0.17
    // The recent-documents table is wider than its view: every column keeps
    // its share, the last one (the note) too, instead of being squeezed out.
    QTableView* recent = window->tab(TabId::Recent).view;
    const int recentWidth = recent->columnWidth(0) * 100 / 30; // Name: 0.30 of the view
    ASSERT_GT(recentWidth, 0);
    for (int c = 0; c < 19; ++c)
        EXPECT_GT(recent->columnWidth(c), 0) << c;
    EXPECT_GE(recent->columnWidth(18), recentWidth * 30 / 100 - 1); // the note: 0.30
    view->setColumnWidth(0, 33);
    window->resize(window->width() + 50, window->height());
    QApplication::processEvents();
    EXPECT_EQ(view->columnWidth(0), 33);
}

TEST_F(MainWindow, FirstRunWritesSettingsAndCloseDeletesWorkFile) {
    // The fixture's window ran with test settings: the own key now exists
    // and holds the version.
    EXPECT_TRUE(RegistryKeyExists(RegistryRoot::CurrentUser, kOwnSettingsKey));
    EXPECT_EQ(RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Version"),
                             QString(), QStringLiteral("read")),
              QStringLiteral("ver. 1.1"));
    EXPECT_EQ(window->program().VersionText, QStringLiteral("ver. 1.1"));

    ASSERT_TRUE(window->workFile().createOrEmpty());
    window->workFile().close();
    const QString path = window->workFile().fileName();
    ASSERT_TRUE(QFileInfo::exists(path));
    window->close();
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(MainWindow, ProfilePresetsTheIndexDialog) {
    ASSERT_TRUE(window->openProfile(samplesPath(QStringLiteral("profiles/xp"))));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(window->activity().CacheDir.endsWith(QStringLiteral("Content.IE5/")))
        << qPrintable(window->activity().CacheDir);
    chooser.fileAnswer.clear();
    window->actions().ActionLoadIEActivity->trigger();
    EXPECT_EQ(chooser.lastStartFolder, window->activity().CacheDir);
    EXPECT_EQ(chooser.lastPresetName, QStringLiteral("index.dat"));

    // A folder that is no profile is refused with a message naming it.
    const QString bogus = QStringLiteral("/no/such/profile");
    EXPECT_FALSE(window->openProfile(bogus));
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_TRUE(messages.shown.last().text.contains(bogus));

    // A profile whose hive cannot be read: the message names the hive, the
    // profile opens with the folders of the usual layout, and the status
    // bar says that they were guessed.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Cookies")));
    QFile hive(dir.filePath(QStringLiteral("NTUSER.DAT")));
    ASSERT_TRUE(hive.open(QIODevice::WriteOnly));
    hive.write(QByteArray(512, 'x'));
    hive.close();
    messages.shown.clear();
    ASSERT_TRUE(window->openProfile(dir.path()));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(hive.fileName()));
    EXPECT_TRUE(window->widgets().StatusPanel0->text().endsWith(
        QStringLiteral("(folders guessed: the registry hive cannot be read)")))
        << qPrintable(window->widgets().StatusPanel0->text());
    EXPECT_EQ(GetSpecialFolder(window->firstUser(), FolderKind::CookiesDir),
              dir.path() + QStringLiteral("/Cookies/"));
}
