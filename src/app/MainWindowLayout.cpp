// Builds the widgets of the main window: tabs, tables, panes, menus, tool
// bar and status bar. Captions are set from the interface texts afterwards.
#include "app/MainWindow.h"
#include "app/PanelLabel.h"
#include "app/RowTableView.h"
#include "language/TextIds.h"
#include "preview/ui/DetailPane.h"
#include "recall/ui/RecallActions.h"
#include "tables/ui/ColumnFit.h"
#include "tables/ui/ColumnLayout.h"
#include "tables/ui/TableFilterBar.h"
#include "timeline/TimelineRows.h"
#include "timeline/ui/TimelineView.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vc {

namespace {

// Labels above the tables and in the status bar: shortened where their
// text does not fit, never widening the window; paths in the middle.
QLabel* makePanelLabel(const QString& name, QWidget* parent,
                       Qt::TextElideMode elide = Qt::ElideRight) {
    return new PanelLabel(name, elide, parent);
}

} // namespace

void TForm1::buildLayout() {
    mainPageControl = new QTabWidget(this);
    mainPageControl->setObjectName(QStringLiteral("mainPageControl"));
    setCentralWidget(mainPageControl);

    IE_TabSheet = new QWidget;
    IE_TabSheet->setObjectName(QStringLiteral("IE_TabSheet"));
    PageControl1 = new QTabWidget(IE_TabSheet);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    (new QVBoxLayout(IE_TabSheet))->addWidget(PageControl1);

    Docs_TabSheet = new QWidget;
    Docs_TabSheet->setObjectName(QStringLiteral("Docs_TabSheet"));
    PageControl2 = new QTabWidget(Docs_TabSheet);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    (new QVBoxLayout(Docs_TabSheet))->addWidget(PageControl2);

    Web_TabSheet = new QWidget;
    Web_TabSheet->setObjectName(QStringLiteral("Web_TabSheet"));
    PageControl3 = new QTabWidget(Web_TabSheet);
    PageControl3->setObjectName(QStringLiteral("PageControl3"));
    (new QVBoxLayout(Web_TabSheet))->addWidget(PageControl3);

    ToolsTabSheet = new QWidget;
    ToolsTabSheet->setObjectName(QStringLiteral("ToolsTabSheet"));

    mainPageControl->addTab(IE_TabSheet, QString());
    mainPageControl->addTab(Docs_TabSheet, QString());
    mainPageControl->addTab(Web_TabSheet, QString());
    mainPageControl->addTab(ToolsTabSheet, QString());
    mainPageControl->setTabVisible(mainPageControl->indexOf(ToolsTabSheet), false);

    m_groupPages = {{TextInternetExplorerTab, PageControl1},
                    {TextDocumentsTab, PageControl2},
                    {TextBrowsersTab, PageControl3}};

    // Activity: the index file panel and the hidden "Full history" option.
    auto* activityTop = new QWidget;
    auto* activityTopLayout = new QHBoxLayout(activityTop);
    activityTopLayout->setContentsMargins(0, 0, 0, 0);
    HistoryFileNamePanel =
        makePanelLabel(QStringLiteral("HistoryFileNamePanel"), activityTop, Qt::ElideMiddle);
    activityTopLayout->addWidget(HistoryFileNamePanel, 1);
    GroupBox1 = new QGroupBox(activityTop);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    CheckBox1 = new QCheckBox(GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    (new QVBoxLayout(GroupBox1))->addWidget(CheckBox1);
    GroupBox1->setVisible(false);
    activityTopLayout->addWidget(GroupBox1);

    auto* historyTop = new QWidget;
    auto* historyTopLayout = new QHBoxLayout(historyTop);
    historyTopLayout->setContentsMargins(0, 0, 0, 0);
    ieH_DirectoryPanel =
        makePanelLabel(QStringLiteral("ieH_DirectoryPanel"), historyTop, Qt::ElideMiddle);
    historyTopLayout->addWidget(ieH_DirectoryPanel, 1);
    GroupBox2 = new QGroupBox(historyTop);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    ieH_CheckBox = new QCheckBox(GroupBox2);
    ieH_CheckBox->setObjectName(QStringLiteral("ieH_CheckBox"));
    ieH_CheckBox->setChecked(false);
    (new QVBoxLayout(GroupBox2))->addWidget(ieH_CheckBox);
    GroupBox2->setVisible(false);
    historyTopLayout->addWidget(GroupBox2);

    auto* cookieTop = new QWidget;
    auto* cookieTopLayout = new QHBoxLayout(cookieTop);
    cookieTopLayout->setContentsMargins(0, 0, 0, 0);
    ieC_DirectoryPanel =
        makePanelLabel(QStringLiteral("ieC_DirectoryPanel"), cookieTop, Qt::ElideMiddle);
    ieC_FilesLabel = makePanelLabel(QStringLiteral("ieC_FilesLabel"), cookieTop);
    cookieTopLayout->addWidget(ieC_DirectoryPanel, 1);
    cookieTopLayout->addWidget(ieC_FilesLabel);

    // One tab per source of the catalogue, on its group's pages.
    for (int i = 0; i < kTableTabCount; ++i) {
        QWidget* extraTop = i == int(TabId::Activity)  ? activityTop
                            : i == int(TabId::History) ? historyTop
                            : i == int(TabId::Cookie)  ? cookieTop
                                                       : nullptr;
        buildTableTab(TabId(i), pagesOfGroup(sourceAt(i).groupText), extraTop);
    }

    // The timeline of every table: a tab of its own after the groups.
    auto* timelineTop = new QWidget;
    buildTableTabOf(kTimelineTab, timelineWidgets(), timelineTableName(), timelineTableColumns(),
                    CellEncoding::Utf8, mainPageControl, timelineTop);
    m_timeline = new TimelineView(*this, m_tabs[int(kTimelineTab)], timelineTop);

    // Status bar: two panels; the progress bars are laid over them.
    // They share the bar seven to three, whatever their texts.
    StatusPanel0 = makePanelLabel(QStringLiteral("StatusPanel0"), statusBar(), Qt::ElideMiddle);
    StatusPanel1 = makePanelLabel(QStringLiteral("StatusPanel1"), statusBar());
    for (QLabel* panel : {StatusPanel0, StatusPanel1})
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(StatusPanel0, 7);
    statusBar()->addWidget(StatusPanel1, 3);
}

QTabWidget* TForm1::pagesOfGroup(int groupText) {
    for (const auto& [text, pages] : m_groupPages)
        if (text == groupText)
            return pages;
    // A group of sources the layout does not name: a page of its own after
    // the others.
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("Group%1_TabSheet").arg(groupText));
    auto* pages = new QTabWidget(sheet);
    pages->setObjectName(QStringLiteral("Group%1_PageControl").arg(groupText));
    (new QVBoxLayout(sheet))->addWidget(pages);
    mainPageControl->insertTab(mainPageControl->indexOf(ToolsTabSheet), sheet, QString());
    m_groupPages.append({groupText, pages});
    return pages;
}

void TForm1::buildTableTab(TabId id, QTabWidget* parent, QWidget* extraTop) {
    const SourceSpec& decl = sourceAt(int(id));
    buildTableTabOf(id, decl.widgets, QString::fromLatin1(decl.tableName), sourceColumns(decl),
                    decl.encoding, parent, extraTop);
}

void TForm1::buildTableTabOf(TabId id, const SourceWidgets& w, const QString& tableName,
                             std::vector<TableColumn> columns, CellEncoding encoding,
                             QTabWidget* parent, QWidget* extraTop) {
    const QString sheetName = QString::fromLatin1(w.sheet);
    TableTab& t = m_tabs[int(id)];
    t.sheet = new QWidget;
    t.sheet->setObjectName(sheetName);
    auto* layout = new QVBoxLayout(t.sheet);
    layout->setContentsMargins(2, 2, 2, 2);

    auto* top = new QWidget(t.sheet);
    top->setObjectName(sheetName + QStringLiteral("_TopPanel"));
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    t.countLabel = makePanelLabel(QString::fromLatin1(w.countLabel), top);
    t.condLabel = makePanelLabel(QString::fromLatin1(w.condLabel), top);
    topLayout->addWidget(t.countLabel);
    topLayout->addWidget(t.condLabel, 1);
    if (extraTop)
        topLayout->addWidget(extraTop, 2);
    layout->addWidget(top);

    t.model = new TableModel(tableName + QStringLiteral("_Model"), std::move(columns), this);
    t.model->setCellEncoding(encoding);
    t.view = new RowTableView;
    t.view->setObjectName(tableName);
    t.view->setModel(t.model);
    t.view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows may be selected for copying; the pane and the file
    // actions follow the focused row.
    t.view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    t.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t.view->setWordWrap(false);
    t.view->setShowGrid(false);
    t.view->setAlternatingRowColors(true);
    t.view->verticalHeader()->setVisible(false);
    // Fixed row heights let the view lay out a million rows at once.
    t.view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t.view->verticalHeader()->setDefaultSectionSize(t.view->fontMetrics().height() + 6);
    t.view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    t.view->horizontalHeader()->setSectionsClickable(true);
    t.view->horizontalHeader()->setHighlightSections(false);
    t.view->horizontalHeader()->setStretchLastSection(false);
    t.view->setContextMenuPolicy(Qt::CustomContextMenu);
    t.view->addAction(EditAction_Copy);
    t.columns = new ColumnFit(t.view, t.model);
    t.columnLayout = new ColumnLayout(t.view, t.model, t.columns);
    t.view->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(t.view->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this, id](const QPoint& pos) {
                ColumnsAction_Fit->setData(int(id));
                // Fit, then the columns to show or hide.
                header_PopupMenu->clear();
                header_PopupMenu->addAction(ColumnsAction_Fit);
                header_PopupMenu->addSeparator();
                m_tabs[int(id)].columnLayout->addMenuEntries(header_PopupMenu);
                header_PopupMenu->popup(m_tabs[int(id)].view->horizontalHeader()->mapToGlobal(pos));
            });
    connect(t.view->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this, id](int column) { ListViewColumnClick(id, column); });
    connect(t.view, &QTableView::customContextMenuRequested, this,
            [this, id](const QPoint& pos) { showContextMenu(id, pos); });
    connect(t.view, &QTableView::doubleClicked, this, [this, id] { ListViewDblClick(id); });
    connect(t.view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, id](const QModelIndex& current) {
                if (m_tabs[int(id)].handlerAttached && current.isValid())
                    ListViewChange(id, current.row());
                files_PopupMenuPopup();
            });
    // A refill leaves no row focused until one is selected again: the file
    // actions must not keep the row the table held before.
    connect(t.model, &QAbstractItemModel::modelReset, this, [this] { files_PopupMenuPopup(); });
    connect(t.model, &QAbstractItemModel::rowsRemoved, this, [this] { files_PopupMenuPopup(); });

    t.pane =
        new DetailPane(QString::fromLatin1(w.pane), QString::fromLatin1(w.memo),
                       QString::fromLatin1(w.filePanel), QString::fromLatin1(w.imagePanel),
                       QString::fromLatin1(w.image), QSize(w.imageWidth, w.imageHeight), nullptr);
    connect(t.pane->filePanel(), &ClickPanel::clicked, this, [this, id] { FilePanelClick(id); });

    auto* splitter = new QSplitter(Qt::Vertical, t.sheet);
    splitter->setObjectName(sheetName + QStringLiteral("_Splitter"));
    splitter->addWidget(t.view);
    splitter->addWidget(t.pane);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    t.filter = new TableFilterBar(*this, id, t.sheet);
    layout->addWidget(t.filter);
    layout->addWidget(splitter, 1);

    parent->addTab(t.sheet, QString());
}

void TForm1::buildActions() {
    auto make = [this](QAction*& action, const char* name, auto slot) {
        action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
    };
    make(ActionExit, "ActionExit", &TForm1::ActionExitExecute);
    make(ActionOpenProfile, "ActionOpenProfile", &TForm1::ActionOpenProfileExecute);
    make(ActionOpenVolume, "ActionOpenVolume", &TForm1::ActionOpenVolumeExecute);
    make(ActionOpenImage, "ActionOpenImage", &TForm1::ActionOpenImageExecute);
    make(ActionThisComputer, "ActionThisComputer", &TForm1::ActionThisComputerExecute);
    make(MyCompAction_Total, "MyCompAction_Total", &TForm1::MyCompAction_TotalExecute);
    make(MyCompAction_Cond, "MyCompAction_Cond", &TForm1::MyCompAction_CondExecute);
    make(SearchAction_Find, "SearchAction_Find", &TForm1::SearchAction_FindExecute);
    make(SearchAction_Again, "SearchAction_Again", &TForm1::SearchAction_AgainExecute);
    make(SearchAction_GoLine, "SearchAction_GoLine", &TForm1::SearchAction_GoLineExecute);
    make(ActionLoadIEActivity, "ActionLoadIEActivity", &TForm1::IEActivityClick);
    make(Action_ieH, "Action_ieH", &TForm1::Action_ieHExecute);
    make(ActionIECookie, "ActionIECookie", &TForm1::ActionIECookieExecute);
    make(ActionLast_MRU, "ActionLast_MRU", &TForm1::ActionLast_MRUExecute);
    make(docs_ActionRecent, "docs_ActionRecent", &TForm1::docs_ActionRecentExecute);
    make(docs_ActionTemp, "docs_ActionTemp", &TForm1::docs_ActionTempExecute);
    make(web_ActionHistory, "web_ActionHistory", &TForm1::web_ActionHistoryExecute);
    make(web_ActionDownloads, "web_ActionDownloads", &TForm1::web_ActionDownloadsExecute);
    make(web_ActionCookies, "web_ActionCookies", &TForm1::web_ActionCookiesExecute);
    make(ExportAction_XLS, "ExportAction_XLS", &TForm1::ExportAction_XLSExecute);
    make(ExportAction_Tab, "ExportAction_Tab", &TForm1::ExportAction_TabExecute);
    make(ExportAction_Timeline, "ExportAction_Timeline", &TForm1::ExportAction_TimelineExecute);
    // The zone of the time texts: one of three, checked.
    auto* zones = new QActionGroup(this);
    auto zone = [this, zones](QAction*& action, const char* name, auto slot) {
        action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        zones->addAction(action);
        connect(action, &QAction::toggled, this, slot);
    };
    zone(ViewAction_Utc, "ViewAction_Utc", &TForm1::ViewAction_UtcExecute);
    zone(ViewAction_Local, "ViewAction_Local", &TForm1::ViewAction_LocalExecute);
    zone(ViewAction_Machine, "ViewAction_Machine", &TForm1::ViewAction_MachineExecute);
    make(HelpAction_Manual, "HelpAction_Manual", &TForm1::HelpAction_ManualExecute);
    make(HelpAction_ShortCut1, "HelpAction_ShortCut1", &TForm1::HelpAction_ShortCut1Execute);
    make(HelpAction_ShortCut2, "HelpAction_ShortCut2", &TForm1::HelpAction_ShortCut2Execute);
    make(HelpAction_About, "HelpAction_About", &TForm1::HelpAction_AboutExecute);
    make(Helpyourself1, "Helpyourself1", &TForm1::Helpyourself1Click);
    make(filesPopUp_Open, "filesPopUp_Open", &TForm1::filesPopUp_OpenClick);
    make(filesPopUp_OpenWith, "filesPopUp_OpenWith", &TForm1::filesPopUp_OpenWithClick);
    make(filesPopUp_OpenFolder, "filesPopUp_OpenFolder", &TForm1::filesPopUp_OpenFolderClick);
    make(filesPopUp_CopyTo, "filesPopUp_CopyTo", &TForm1::filesPopUp_CopyToClick);
    make(filesPopUp_MoveTo, "filesPopUp_MoveTo", &TForm1::filesPopUp_CopyToClick);
    make(filesPopUp_Properties, "filesPopUp_Properties", &TForm1::filesPopUp_PropertiesClick);
    make(EditAction_Copy, "EditAction_Copy", &TForm1::EditAction_CopyExecute);
    make(ColumnsAction_Fit, "ColumnsAction_Fit", &TForm1::ColumnsAction_FitExecute);
    // Ctrl+C copies rows while a table has the focus; elsewhere (the detail
    // pane's text) it keeps copying text.
    EditAction_Copy->setShortcut(QKeySequence::Copy);
    EditAction_Copy->setShortcutContext(Qt::WidgetShortcut);
    // Copy and move share one handler; the tag tells them apart.
    filesPopUp_CopyTo->setData(0);
    filesPopUp_MoveTo->setData(1);

    SearchAction_Find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    SearchAction_Again->setShortcut(QKeySequence(Qt::Key_F3));
    SearchAction_GoLine->setShortcut(QKeySequence(Qt::ALT | Qt::Key_G));
    HelpAction_Manual->setShortcut(QKeySequence(Qt::Key_F1));

    static const struct {
        QAction* TForm1::*action;
        QStyle::StandardPixmap icon;
    } kIcons[] = {
        {&TForm1::ActionExit, QStyle::SP_DialogCloseButton},
        {&TForm1::MyCompAction_Total, QStyle::SP_ComputerIcon},
        {&TForm1::MyCompAction_Cond, QStyle::SP_FileDialogDetailedView},
        {&TForm1::SearchAction_Find, QStyle::SP_FileDialogContentsView},
        {&TForm1::ActionLoadIEActivity, QStyle::SP_DriveNetIcon},
        {&TForm1::Action_ieH, QStyle::SP_BrowserReload},
        {&TForm1::ActionIECookie, QStyle::SP_FileIcon},
        {&TForm1::ActionLast_MRU, QStyle::SP_DirLinkIcon},
        {&TForm1::docs_ActionRecent, QStyle::SP_FileDialogStart},
        {&TForm1::docs_ActionTemp, QStyle::SP_TrashIcon},
        {&TForm1::web_ActionHistory, QStyle::SP_FileDialogListView},
        {&TForm1::web_ActionDownloads, QStyle::SP_ArrowDown},
        {&TForm1::web_ActionCookies, QStyle::SP_FileDialogInfoView},
        {&TForm1::ActionOpenProfile, QStyle::SP_DirOpenIcon},
        {&TForm1::ActionOpenVolume, QStyle::SP_DriveHDIcon},
        {&TForm1::ActionOpenImage, QStyle::SP_DriveCDIcon},
        {&TForm1::ActionThisComputer, QStyle::SP_ComputerIcon},
    };
    for (const auto& i : kIcons)
        (this->*i.action)->setIcon(style()->standardIcon(i.icon));
}

void TForm1::buildMenusAndToolBar() {
    QMenuBar* bar = menuBar();
    auto menu = [bar](const char* name) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    QMenu* file = menu("FileItem");
    file->addAction(ActionOpenProfile);
    file->addAction(ActionOpenVolume);
    file->addAction(ActionOpenImage);
    file->addAction(ActionThisComputer);
    file->addSeparator();
    file->addAction(ActionExit);
    QMenu* computer = menu("MyComputer1");
    computer->addAction(MyCompAction_Total);
    computer->addAction(MyCompAction_Cond);
    SearchItem = menu("SearchItem");
    SearchItem->addAction(SearchAction_Find);
    SearchItem->addAction(SearchAction_Again);
    SearchItem->addSeparator();
    SearchItem->addAction(SearchAction_GoLine);
    SearchItem->addSeparator();
    SearchItem->addAction(EditAction_Copy);
    QMenu* ie = menu("InternetExplorer1");
    ie->addAction(ActionLoadIEActivity);
    ie->addAction(Action_ieH);
    ie->addAction(ActionIECookie);
    ie->addAction(ActionLast_MRU);
    QMenu* docs = menu("Documents1");
    docs->addAction(docs_ActionRecent);
    docs->addAction(docs_ActionTemp);
    QMenu* web = menu("Browsers1");
    web->addAction(web_ActionHistory);
    web->addAction(web_ActionDownloads);
    web->addAction(web_ActionCookies);
    // The sources the program gained later: a load each, in their group's
    // menu; a group the menus above do not name (the Windows tab) has a
    // menu of its own.
    QList<std::pair<int, QMenu*>> groupMenus{
        {TextInternetExplorerTab, ie}, {TextDocumentsTab, docs}, {TextBrowsersTab, web}};
    for (int i = kFirstLaterSource; i < kTableTabCount; ++i) {
        const SourceSpec& decl = sourceAt(i);
        QMenu* groupMenu = nullptr;
        for (const auto& [group, m] : groupMenus)
            if (group == decl.groupText)
                groupMenu = m;
        if (!groupMenu) {
            groupMenu = menu(qPrintable(QStringLiteral("Group%1_Menu").arg(decl.groupText)));
            groupMenu->setProperty("groupText", decl.groupText);
            groupMenus.append({decl.groupText, groupMenu});
        }
        auto* load = new QAction(this);
        load->setObjectName(QStringLiteral("SourceAction_") + QLatin1String(decl.name));
        load->setProperty("sourceIndex", i);
        connect(load, &QAction::triggered, this, [this, i] { LoadSourceTab(*this, TabId(i)); });
        groupMenu->addAction(load);
    }
    Export1Item = menu("Export1Item");
    Export1Item->addAction(ExportAction_XLS);
    Export1Item->addAction(ExportAction_Tab);
    Export1Item->addAction(ExportAction_Timeline);
    QMenu* view = menu("View1Item");
    view->addAction(ViewAction_Local);
    view->addAction(ViewAction_Utc);
    view->addAction(ViewAction_Machine);
    QMenu* help = menu("Help1Item");
    help->addAction(HelpAction_Manual);
    help->addSeparator();
    help->addAction(HelpAction_ShortCut1);
    help->addAction(HelpAction_ShortCut2);
    help->addSeparator();
    help->addAction(HelpAction_About);
    help->addSeparator();
    help->addAction(Helpyourself1);

    ToolBar1 = addToolBar(QString());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->addAction(ActionExit);
    ToolBar1->addSeparator();
    ToolBar1->addAction(MyCompAction_Total);
    ToolBar1->addAction(MyCompAction_Cond);
    ToolBar1->addSeparator();
    ToolBar1->addAction(SearchAction_Find);
    ToolBar1->addSeparator();
    ToolBar1->addAction(ActionLoadIEActivity);
    ToolBar1->addAction(Action_ieH);
    ToolBar1->addAction(ActionIECookie);
    ToolBar1->addAction(ActionLast_MRU);
    ToolBar1->addSeparator();
    ToolBar1->addAction(docs_ActionRecent);
    ToolBar1->addAction(docs_ActionTemp);
    ToolBar1->addSeparator();
    ToolBar1->addAction(web_ActionHistory);
    ToolBar1->addAction(web_ActionDownloads);
    ToolBar1->addAction(web_ActionCookies);

    files_PopupMenu = new QMenu(this);
    files_PopupMenu->setObjectName(QStringLiteral("files_PopupMenu"));
    files_PopupMenu->addAction(filesPopUp_Open);
    files_PopupMenu->addAction(filesPopUp_OpenWith);
    files_PopupMenu->addAction(filesPopUp_OpenFolder);
    files_PopupMenu->addSeparator();
    files_PopupMenu->addAction(filesPopUp_CopyTo);
    files_PopupMenu->addAction(filesPopUp_MoveTo);
    files_PopupMenu->addSeparator();
    files_PopupMenu->addAction(filesPopUp_Properties);
    connect(files_PopupMenu, &QMenu::aboutToShow, this, &TForm1::files_PopupMenuPopup);
    // What a right click on a table opens: the file actions (on the focused
    // row) and the copy of the selected rows.
    table_PopupMenu = new QMenu(this);
    table_PopupMenu->setObjectName(QStringLiteral("table_PopupMenu"));
    table_PopupMenu->addActions(files_PopupMenu->actions());
    table_PopupMenu->addSeparator();
    table_PopupMenu->addAction(EditAction_Copy);
    connect(table_PopupMenu, &QMenu::aboutToShow, this, &TForm1::files_PopupMenuPopup);

    header_PopupMenu = new QMenu(this);
    header_PopupMenu->setObjectName(QStringLiteral("header_PopupMenu"));
    header_PopupMenu->addAction(ColumnsAction_Fit);
}

} // namespace vc
