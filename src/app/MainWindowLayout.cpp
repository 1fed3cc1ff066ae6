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
    m_widgets.mainPageControl = new QTabWidget(this);
    m_widgets.mainPageControl->setObjectName(QStringLiteral("mainPageControl"));
    setCentralWidget(m_widgets.mainPageControl);

    m_widgets.IE_TabSheet = new QWidget;
    m_widgets.IE_TabSheet->setObjectName(QStringLiteral("IE_TabSheet"));
    m_widgets.PageControl1 = new QTabWidget(m_widgets.IE_TabSheet);
    m_widgets.PageControl1->setObjectName(QStringLiteral("PageControl1"));
    (new QVBoxLayout(m_widgets.IE_TabSheet))->addWidget(m_widgets.PageControl1);

    m_widgets.Docs_TabSheet = new QWidget;
    m_widgets.Docs_TabSheet->setObjectName(QStringLiteral("Docs_TabSheet"));
    m_widgets.PageControl2 = new QTabWidget(m_widgets.Docs_TabSheet);
    m_widgets.PageControl2->setObjectName(QStringLiteral("PageControl2"));
    (new QVBoxLayout(m_widgets.Docs_TabSheet))->addWidget(m_widgets.PageControl2);

    m_widgets.Web_TabSheet = new QWidget;
    m_widgets.Web_TabSheet->setObjectName(QStringLiteral("Web_TabSheet"));
    m_widgets.PageControl3 = new QTabWidget(m_widgets.Web_TabSheet);
    m_widgets.PageControl3->setObjectName(QStringLiteral("PageControl3"));
    (new QVBoxLayout(m_widgets.Web_TabSheet))->addWidget(m_widgets.PageControl3);

    m_widgets.ToolsTabSheet = new QWidget;
    m_widgets.ToolsTabSheet->setObjectName(QStringLiteral("ToolsTabSheet"));

    m_widgets.mainPageControl->addTab(m_widgets.IE_TabSheet, QString());
    m_widgets.mainPageControl->addTab(m_widgets.Docs_TabSheet, QString());
    m_widgets.mainPageControl->addTab(m_widgets.Web_TabSheet, QString());
    m_widgets.mainPageControl->addTab(m_widgets.ToolsTabSheet, QString());
    m_widgets.mainPageControl->setTabVisible(
        m_widgets.mainPageControl->indexOf(m_widgets.ToolsTabSheet), false);

    m_groupPages = {{TextInternetExplorerTab, m_widgets.PageControl1},
                    {TextDocumentsTab, m_widgets.PageControl2},
                    {TextBrowsersTab, m_widgets.PageControl3}};

    // Activity: the index file panel and the hidden "Full history" option.
    auto* activityTop = new QWidget;
    auto* activityTopLayout = new QHBoxLayout(activityTop);
    activityTopLayout->setContentsMargins(0, 0, 0, 0);
    m_widgets.HistoryFileNamePanel =
        makePanelLabel(QStringLiteral("HistoryFileNamePanel"), activityTop, Qt::ElideMiddle);
    activityTopLayout->addWidget(m_widgets.HistoryFileNamePanel, 1);
    m_widgets.GroupBox1 = new QGroupBox(activityTop);
    m_widgets.GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    m_widgets.CheckBox1 = new QCheckBox(m_widgets.GroupBox1);
    m_widgets.CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_widgets.CheckBox1->setChecked(true);
    (new QVBoxLayout(m_widgets.GroupBox1))->addWidget(m_widgets.CheckBox1);
    m_widgets.GroupBox1->setVisible(false);
    activityTopLayout->addWidget(m_widgets.GroupBox1);

    auto* historyTop = new QWidget;
    auto* historyTopLayout = new QHBoxLayout(historyTop);
    historyTopLayout->setContentsMargins(0, 0, 0, 0);
    m_widgets.ieH_DirectoryPanel =
        makePanelLabel(QStringLiteral("ieH_DirectoryPanel"), historyTop, Qt::ElideMiddle);
    historyTopLayout->addWidget(m_widgets.ieH_DirectoryPanel, 1);
    m_widgets.GroupBox2 = new QGroupBox(historyTop);
    m_widgets.GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    m_widgets.ieH_CheckBox = new QCheckBox(m_widgets.GroupBox2);
    m_widgets.ieH_CheckBox->setObjectName(QStringLiteral("ieH_CheckBox"));
    m_widgets.ieH_CheckBox->setChecked(false);
    (new QVBoxLayout(m_widgets.GroupBox2))->addWidget(m_widgets.ieH_CheckBox);
    m_widgets.GroupBox2->setVisible(false);
    historyTopLayout->addWidget(m_widgets.GroupBox2);

    auto* cookieTop = new QWidget;
    auto* cookieTopLayout = new QHBoxLayout(cookieTop);
    cookieTopLayout->setContentsMargins(0, 0, 0, 0);
    m_widgets.ieC_DirectoryPanel =
        makePanelLabel(QStringLiteral("ieC_DirectoryPanel"), cookieTop, Qt::ElideMiddle);
    m_widgets.ieC_FilesLabel = makePanelLabel(QStringLiteral("ieC_FilesLabel"), cookieTop);
    cookieTopLayout->addWidget(m_widgets.ieC_DirectoryPanel, 1);
    cookieTopLayout->addWidget(m_widgets.ieC_FilesLabel);

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
                    CellEncoding::Utf8, m_widgets.mainPageControl, timelineTop);
    m_timeline = new TimelineView(*this, m_tabs[int(kTimelineTab)], timelineTop);

    // Status bar: two panels; the progress bars are laid over them.
    // They share the bar seven to three, whatever their texts.
    m_widgets.StatusPanel0 =
        makePanelLabel(QStringLiteral("StatusPanel0"), statusBar(), Qt::ElideMiddle);
    m_widgets.StatusPanel1 = makePanelLabel(QStringLiteral("StatusPanel1"), statusBar());
    for (QLabel* panel : {m_widgets.StatusPanel0, m_widgets.StatusPanel1})
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_widgets.StatusPanel0, 7);
    statusBar()->addWidget(m_widgets.StatusPanel1, 3);
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
    m_widgets.mainPageControl->insertTab(
        m_widgets.mainPageControl->indexOf(m_widgets.ToolsTabSheet), sheet, QString());
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
    t.view->addAction(m_actions.EditAction_Copy);
    t.columns = new ColumnFit(t.view, t.model);
    t.columnLayout = new ColumnLayout(t.view, t.model, t.columns);
    t.view->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(t.view->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this, id](const QPoint& pos) {
                m_actions.ColumnsAction_Fit->setData(int(id));
                // Fit, then the columns to show or hide.
                m_actions.header_PopupMenu->clear();
                m_actions.header_PopupMenu->addAction(m_actions.ColumnsAction_Fit);
                m_actions.header_PopupMenu->addSeparator();
                m_tabs[int(id)].columnLayout->addMenuEntries(m_actions.header_PopupMenu);
                m_actions.header_PopupMenu->popup(
                    m_tabs[int(id)].view->horizontalHeader()->mapToGlobal(pos));
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
    make(m_actions.ActionExit, "ActionExit", &TForm1::ActionExitExecute);
    make(m_actions.ActionOpenProfile, "ActionOpenProfile", &TForm1::ActionOpenProfileExecute);
    make(m_actions.ActionOpenVolume, "ActionOpenVolume", &TForm1::ActionOpenVolumeExecute);
    make(m_actions.ActionOpenImage, "ActionOpenImage", &TForm1::ActionOpenImageExecute);
    make(m_actions.ActionThisComputer, "ActionThisComputer", &TForm1::ActionThisComputerExecute);
    make(m_actions.MyCompAction_Total, "MyCompAction_Total", &TForm1::MyCompAction_TotalExecute);
    make(m_actions.MyCompAction_Cond, "MyCompAction_Cond", &TForm1::MyCompAction_CondExecute);
    make(m_actions.SearchAction_Find, "SearchAction_Find", &TForm1::SearchAction_FindExecute);
    make(m_actions.SearchAction_Again, "SearchAction_Again", &TForm1::SearchAction_AgainExecute);
    make(m_actions.SearchAction_GoLine, "SearchAction_GoLine", &TForm1::SearchAction_GoLineExecute);
    make(m_actions.ActionLoadIEActivity, "ActionLoadIEActivity", &TForm1::IEActivityClick);
    make(m_actions.Action_ieH, "Action_ieH", &TForm1::Action_ieHExecute);
    make(m_actions.ActionIECookie, "ActionIECookie", &TForm1::ActionIECookieExecute);
    make(m_actions.ActionLast_MRU, "ActionLast_MRU", &TForm1::ActionLast_MRUExecute);
    make(m_actions.docs_ActionRecent, "docs_ActionRecent", &TForm1::docs_ActionRecentExecute);
    make(m_actions.docs_ActionTemp, "docs_ActionTemp", &TForm1::docs_ActionTempExecute);
    make(m_actions.web_ActionHistory, "web_ActionHistory", &TForm1::web_ActionHistoryExecute);
    make(m_actions.web_ActionDownloads, "web_ActionDownloads", &TForm1::web_ActionDownloadsExecute);
    make(m_actions.web_ActionCookies, "web_ActionCookies", &TForm1::web_ActionCookiesExecute);
    make(m_actions.ExportAction_XLS, "ExportAction_XLS", &TForm1::ExportAction_XLSExecute);
    make(m_actions.ExportAction_Tab, "ExportAction_Tab", &TForm1::ExportAction_TabExecute);
    make(m_actions.ExportAction_Timeline, "ExportAction_Timeline",
         &TForm1::ExportAction_TimelineExecute);
    // The zone of the time texts: one of three, checked.
    auto* zones = new QActionGroup(this);
    auto zone = [this, zones](QAction*& action, const char* name, auto slot) {
        action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        zones->addAction(action);
        connect(action, &QAction::toggled, this, slot);
    };
    zone(m_actions.ViewAction_Utc, "ViewAction_Utc", &TForm1::ViewAction_UtcExecute);
    zone(m_actions.ViewAction_Local, "ViewAction_Local", &TForm1::ViewAction_LocalExecute);
    zone(m_actions.ViewAction_Machine, "ViewAction_Machine", &TForm1::ViewAction_MachineExecute);
    make(m_actions.HelpAction_Manual, "HelpAction_Manual", &TForm1::HelpAction_ManualExecute);
    make(m_actions.HelpAction_ShortCut1, "HelpAction_ShortCut1",
         &TForm1::HelpAction_ShortCut1Execute);
    make(m_actions.HelpAction_ShortCut2, "HelpAction_ShortCut2",
         &TForm1::HelpAction_ShortCut2Execute);
    make(m_actions.HelpAction_About, "HelpAction_About", &TForm1::HelpAction_AboutExecute);
    make(m_actions.Helpyourself1, "Helpyourself1", &TForm1::Helpyourself1Click);
    make(m_actions.filesPopUp_Open, "filesPopUp_Open", &TForm1::filesPopUp_OpenClick);
    make(m_actions.filesPopUp_OpenWith, "filesPopUp_OpenWith", &TForm1::filesPopUp_OpenWithClick);
    make(m_actions.filesPopUp_OpenFolder, "filesPopUp_OpenFolder",
         &TForm1::filesPopUp_OpenFolderClick);
    make(m_actions.filesPopUp_CopyTo, "filesPopUp_CopyTo", &TForm1::filesPopUp_CopyToClick);
    make(m_actions.filesPopUp_MoveTo, "filesPopUp_MoveTo", &TForm1::filesPopUp_CopyToClick);
    make(m_actions.filesPopUp_Properties, "filesPopUp_Properties",
         &TForm1::filesPopUp_PropertiesClick);
    make(m_actions.EditAction_Copy, "EditAction_Copy", &TForm1::EditAction_CopyExecute);
    make(m_actions.ColumnsAction_Fit, "ColumnsAction_Fit", &TForm1::ColumnsAction_FitExecute);
    // Ctrl+C copies rows while a table has the focus; elsewhere (the detail
    // pane's text) it keeps copying text.
    m_actions.EditAction_Copy->setShortcut(QKeySequence::Copy);
    m_actions.EditAction_Copy->setShortcutContext(Qt::WidgetShortcut);
    // Copy and move share one handler; the tag tells them apart.
    m_actions.filesPopUp_CopyTo->setData(0);
    m_actions.filesPopUp_MoveTo->setData(1);

    m_actions.SearchAction_Find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_actions.SearchAction_Again->setShortcut(QKeySequence(Qt::Key_F3));
    m_actions.SearchAction_GoLine->setShortcut(QKeySequence(Qt::ALT | Qt::Key_G));
    m_actions.HelpAction_Manual->setShortcut(QKeySequence(Qt::Key_F1));

    static const struct {
        QAction* WindowActions::*action;
        QStyle::StandardPixmap icon;
    } kIcons[] = {
        {&WindowActions::ActionExit, QStyle::SP_DialogCloseButton},
        {&WindowActions::MyCompAction_Total, QStyle::SP_ComputerIcon},
        {&WindowActions::MyCompAction_Cond, QStyle::SP_FileDialogDetailedView},
        {&WindowActions::SearchAction_Find, QStyle::SP_FileDialogContentsView},
        {&WindowActions::ActionLoadIEActivity, QStyle::SP_DriveNetIcon},
        {&WindowActions::Action_ieH, QStyle::SP_BrowserReload},
        {&WindowActions::ActionIECookie, QStyle::SP_FileIcon},
        {&WindowActions::ActionLast_MRU, QStyle::SP_DirLinkIcon},
        {&WindowActions::docs_ActionRecent, QStyle::SP_FileDialogStart},
        {&WindowActions::docs_ActionTemp, QStyle::SP_TrashIcon},
        {&WindowActions::web_ActionHistory, QStyle::SP_FileDialogListView},
        {&WindowActions::web_ActionDownloads, QStyle::SP_ArrowDown},
        {&WindowActions::web_ActionCookies, QStyle::SP_FileDialogInfoView},
        {&WindowActions::ActionOpenProfile, QStyle::SP_DirOpenIcon},
        {&WindowActions::ActionOpenVolume, QStyle::SP_DriveHDIcon},
        {&WindowActions::ActionOpenImage, QStyle::SP_DriveCDIcon},
        {&WindowActions::ActionThisComputer, QStyle::SP_ComputerIcon},
    };
    for (const auto& i : kIcons)
        (m_actions.*i.action)->setIcon(style()->standardIcon(i.icon));
}

void TForm1::buildMenusAndToolBar() {
    QMenuBar* bar = menuBar();
    auto menu = [bar](const char* name) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    QMenu* file = menu("FileItem");
    file->addAction(m_actions.ActionOpenProfile);
    file->addAction(m_actions.ActionOpenVolume);
    file->addAction(m_actions.ActionOpenImage);
    file->addAction(m_actions.ActionThisComputer);
    file->addSeparator();
    file->addAction(m_actions.ActionExit);
    QMenu* computer = menu("MyComputer1");
    computer->addAction(m_actions.MyCompAction_Total);
    computer->addAction(m_actions.MyCompAction_Cond);
    m_actions.SearchItem = menu("SearchItem");
    m_actions.SearchItem->addAction(m_actions.SearchAction_Find);
    m_actions.SearchItem->addAction(m_actions.SearchAction_Again);
    m_actions.SearchItem->addSeparator();
    m_actions.SearchItem->addAction(m_actions.SearchAction_GoLine);
    m_actions.SearchItem->addSeparator();
    m_actions.SearchItem->addAction(m_actions.EditAction_Copy);
    QMenu* ie = menu("InternetExplorer1");
    ie->addAction(m_actions.ActionLoadIEActivity);
    ie->addAction(m_actions.Action_ieH);
    ie->addAction(m_actions.ActionIECookie);
    ie->addAction(m_actions.ActionLast_MRU);
    QMenu* docs = menu("Documents1");
    docs->addAction(m_actions.docs_ActionRecent);
    docs->addAction(m_actions.docs_ActionTemp);
    QMenu* web = menu("Browsers1");
    web->addAction(m_actions.web_ActionHistory);
    web->addAction(m_actions.web_ActionDownloads);
    web->addAction(m_actions.web_ActionCookies);
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
    m_actions.Export1Item = menu("Export1Item");
    m_actions.Export1Item->addAction(m_actions.ExportAction_XLS);
    m_actions.Export1Item->addAction(m_actions.ExportAction_Tab);
    m_actions.Export1Item->addAction(m_actions.ExportAction_Timeline);
    QMenu* view = menu("View1Item");
    view->addAction(m_actions.ViewAction_Local);
    view->addAction(m_actions.ViewAction_Utc);
    view->addAction(m_actions.ViewAction_Machine);
    QMenu* help = menu("Help1Item");
    help->addAction(m_actions.HelpAction_Manual);
    help->addSeparator();
    help->addAction(m_actions.HelpAction_ShortCut1);
    help->addAction(m_actions.HelpAction_ShortCut2);
    help->addSeparator();
    help->addAction(m_actions.HelpAction_About);
    help->addSeparator();
    help->addAction(m_actions.Helpyourself1);

    m_widgets.ToolBar1 = addToolBar(QString());
    m_widgets.ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    m_widgets.ToolBar1->setMovable(false);
    m_widgets.ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_widgets.ToolBar1->addAction(m_actions.ActionExit);
    m_widgets.ToolBar1->addSeparator();
    m_widgets.ToolBar1->addAction(m_actions.MyCompAction_Total);
    m_widgets.ToolBar1->addAction(m_actions.MyCompAction_Cond);
    m_widgets.ToolBar1->addSeparator();
    m_widgets.ToolBar1->addAction(m_actions.SearchAction_Find);
    m_widgets.ToolBar1->addSeparator();
    m_widgets.ToolBar1->addAction(m_actions.ActionLoadIEActivity);
    m_widgets.ToolBar1->addAction(m_actions.Action_ieH);
    m_widgets.ToolBar1->addAction(m_actions.ActionIECookie);
    m_widgets.ToolBar1->addAction(m_actions.ActionLast_MRU);
    m_widgets.ToolBar1->addSeparator();
    m_widgets.ToolBar1->addAction(m_actions.docs_ActionRecent);
    m_widgets.ToolBar1->addAction(m_actions.docs_ActionTemp);
    m_widgets.ToolBar1->addSeparator();
    m_widgets.ToolBar1->addAction(m_actions.web_ActionHistory);
    m_widgets.ToolBar1->addAction(m_actions.web_ActionDownloads);
    m_widgets.ToolBar1->addAction(m_actions.web_ActionCookies);

    m_actions.files_PopupMenu = new QMenu(this);
    m_actions.files_PopupMenu->setObjectName(QStringLiteral("files_PopupMenu"));
    m_actions.files_PopupMenu->addAction(m_actions.filesPopUp_Open);
    m_actions.files_PopupMenu->addAction(m_actions.filesPopUp_OpenWith);
    m_actions.files_PopupMenu->addAction(m_actions.filesPopUp_OpenFolder);
    m_actions.files_PopupMenu->addSeparator();
    m_actions.files_PopupMenu->addAction(m_actions.filesPopUp_CopyTo);
    m_actions.files_PopupMenu->addAction(m_actions.filesPopUp_MoveTo);
    m_actions.files_PopupMenu->addSeparator();
    m_actions.files_PopupMenu->addAction(m_actions.filesPopUp_Properties);
    connect(m_actions.files_PopupMenu, &QMenu::aboutToShow, this, &TForm1::files_PopupMenuPopup);
    // What a right click on a table opens: the file actions (on the focused
    // row) and the copy of the selected rows.
    m_actions.table_PopupMenu = new QMenu(this);
    m_actions.table_PopupMenu->setObjectName(QStringLiteral("table_PopupMenu"));
    m_actions.table_PopupMenu->addActions(m_actions.files_PopupMenu->actions());
    m_actions.table_PopupMenu->addSeparator();
    m_actions.table_PopupMenu->addAction(m_actions.EditAction_Copy);
    connect(m_actions.table_PopupMenu, &QMenu::aboutToShow, this, &TForm1::files_PopupMenuPopup);

    m_actions.header_PopupMenu = new QMenu(this);
    m_actions.header_PopupMenu->setObjectName(QStringLiteral("header_PopupMenu"));
    m_actions.header_PopupMenu->addAction(m_actions.ColumnsAction_Fit);
}

} // namespace vc
