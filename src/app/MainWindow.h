#pragma once

#include "app/WindowLayer.h"

#include "evidence/Sources.h"
#include "platform/Choosers.h"
#include "platform/Messages.h"
#include "platform/ProgramInfo.h"
#include "platform/Progress.h"
#include "platform/WorkFile.h"
#include "recall/RecallConditions.h"
#include "tables/TableModel.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>

#include <functional>
#include <memory>
#include <optional>

namespace vc {

class ColumnFit;
class ColumnLayout;
class TableFilterBar;
class DetailPane;
class UserProfile;
class TSearch1;
class TGotoLine1;
class TOptRecall1;
class TZoom_in;
class TLangi1;
class TimelineView;

// What every table tab of the main window is made of.
struct TableTab {
    QWidget* sheet = nullptr;     // the inner tab page
    QLabel* countLabel = nullptr; // "Records: n" and the like
    QLabel* condLabel = nullptr;  // the recall conditions that produced the rows
    QTableView* view = nullptr;
    TableModel* model = nullptr;
    DetailPane* pane = nullptr;
    ColumnFit* columns = nullptr; // keeps the columns sharing the table's width
    bool handlerAttached = true;  // whether selecting a row fills the pane
    QString conditions;           // what condLabel shows

    ColumnLayout* columnLayout = nullptr; // the columns shown and their order
    TableFilterBar* filter = nullptr;     // the filter box above the table
};

// The table tabs are the sources of the catalogue, in its order; the
// program's first nine have names of their own.
enum class TabId {
    Activity = 0,
    History,
    Cookie,
    Links,
    Recent,
    Temp,
    WebHistory,
    WebDownloads,
    WebCookies
};
constexpr int kTableTabCount = kSourceCount;
// The sources after the program's first nine, whose tabs have no names of
// their own here: the window gives each a load in its group's menu.
constexpr int kFirstLaterSource = int(TabId::WebCookies) + 1;
// After the sources' tabs, the table of the top-level "Timeline" tab: every
// time of every source's table, one event a row.
constexpr TabId kTimelineTab = TabId(kSourceCount);
constexpr int kAllTableTabCount = kSourceCount + 1;

// The main window frame: owns every table, the small windows and the state
// shared between actions, and binds each command to the feature code that
// carries it out (in the features' ui/ folders). Every command runs to its
// end on the user-interface thread.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- shared state -------------------------------------------------
    QString ExeDir;         // folder of the executable, with a trailing "/"
    QString CacheDir;       // the browser cache folder, start of the file dialog
    WorkFile WorkFileStore; // the private work file
    QString WorkFileName;   // its path
    int RecordCount = 0;
    QByteArray UnconvertedTimeText = QByteArrayLiteral(" ");
    int SortBaseDate[3] = {1980, 1, 1};
    int SortIconIndex = 0;
    TableModel* LastSearchTable = nullptr;
    QPointer<QProgressBar> ProgressBar;
    QPointer<QProgressBar> SecondProgressBar;
    QString MakerWebAddress;
    QString SupportAddress;
    QString VersionText;
    QString LanguageCode;
    QString DateTimeFormat;
    int StartState = 0;
    QString OpenDialogFileName; // preset file name of the index-file dialog
    // The conditions of "Recall with Conditions": filled by the conditions
    // window's OK, emptied when that recall ends.
    RecallConditionSet RecallConditions;

    // ---- services (replaceable by tests) ------------------------------
    Chooser* chooser() const { return m_chooser; }
    void setChooser(Chooser* chooser);
    // Reports of the loaders, shown as message boxes as they come.
    Reporter& reporter() { return m_reporter; }

    // ---- frame ----------------------------------------------------------
    TableTab& tab(TabId id) { return m_tabs[int(id)]; }
    const TableTab& tab(TabId id) const { return m_tabs[int(id)]; }
    TableTab* tabOf(const TableModel* model);
    TableModel* UpdateTabState();
    void PageControl1Change();
    void ClearPane(QWidget* panel);
    void CreateProgressBar(bool smooth, int minimum, int maximum);
    void CreateSecondProgressBar(bool smooth, int minimum, int maximum);
    void DestroyProgressBar();
    void DestroySecondProgressBar();
    // The progress bar as the loaders see it; nullptr when there is none.
    Progress* progress();
    Progress* secondProgress();
    void FormResize();
    // Writes the interface texts into the main window and into every small
    // window it owns: each of those that declares
    //     Q_INVOKABLE void applyInterfaceTexts();
    // gets it called, so a window added later (made with this window as its
    // parent) follows a language change without a change here.
    void ApplyInterfaceTexts();
    // Builds the Language menu and applies the saved language (first
    // activation).
    void BuildLanguageMenu();
    // Brings a table tab to the front (outer and inner page).
    void showTab(TabId id);
    // Detaches or re-attaches the pane-filling selection handler of a tab.
    void detachChangeHandler(TabId id);
    void attachChangeHandler(TabId id);
    // Focuses the table and selects its first row, if any.
    void selectFirstRow(TabId id);
    TabId currentTabId() const;
    // The current tab's title: the outer and the inner tab's captions joined
    // by ": ".
    QString currentTabCaption() const;
    // The conditions shown above a table (empty: none).
    void setConditionText(TabId id, const QString& text);
    // "Full history" of the Activity tab (block scan) and of the History tab
    // (every index file of the tree).
    bool fullHistoryChecked() const;
    bool allHistoryFilesChecked() const;

    // ---- what the tables were read from ---------------------------------
    // The Activity table's index file and its format version, shown on the
    // index file panel.
    const QString& activityIndexFile() const { return m_activityIndexFile; }
    void setActivityIndexFile(const QString& path);
    void setActivityIndexCaption(const QString& caption);
    // The folders the History and Cookie tables were read from.
    void setHistoryFolder(const QString& folder);
    const QString& cookieFolder() const { return m_cookieFolder; }
    void setCookieFolder(const QString& folder);

    // ---- the current file of the file actions --------------------------
    // The file behind the focused row of the table in front; empty when no
    // table is in front or it has no focused row.
    QString currentFileName();

    // ---- widgets the feature code reaches -------------------------------
    QTabWidget* mainPageControl = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QTabWidget* PageControl3 = nullptr; // the other browsers' tables
    QWidget* IE_TabSheet = nullptr;
    QWidget* Docs_TabSheet = nullptr;
    QWidget* Web_TabSheet = nullptr;
    QWidget* ToolsTabSheet = nullptr;
    QLabel* HistoryFileNamePanel = nullptr;
    QLabel* ieH_DirectoryPanel = nullptr;
    QLabel* ieC_DirectoryPanel = nullptr;
    QLabel* ieC_FilesLabel = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* ieH_CheckBox = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QMenu* files_PopupMenu = nullptr;
    QMenu* table_PopupMenu = nullptr; // the file actions and Copy
    QMenu* SearchItem = nullptr;
    QMenu* Export1Item = nullptr;
    QToolBar* ToolBar1 = nullptr;
    // The find and go-to-line windows, kept for the whole run.
    TSearch1* Search1 = nullptr;
    TGotoLine1* GotoLine1 = nullptr;
    // The recall-conditions window, kept for the whole run.
    TOptRecall1* OptRecall1 = nullptr;
    // The zoom window of the preview pictures, kept for the whole run.
    TZoom_in* Zoom_in = nullptr;
    // The locale list of "Help yourself (localization)", kept for the whole run.
    TLangi1* Langi1 = nullptr;
    // The Language menu; none when no language file was found.
    QMenu* LangItem = nullptr;

    // Actions, by their names.
    QAction* ActionExit = nullptr;
    QAction* ActionOpenProfile = nullptr;
    QAction* ActionOpenVolume = nullptr;
    QAction* ActionOpenImage = nullptr;
    QAction* ActionThisComputer = nullptr;
    QAction* MyCompAction_Total = nullptr;
    QAction* MyCompAction_Cond = nullptr;
    QAction* SearchAction_Find = nullptr;
    QAction* SearchAction_Again = nullptr;
    QAction* SearchAction_GoLine = nullptr;
    QAction* ActionLoadIEActivity = nullptr;
    QAction* Action_ieH = nullptr;
    QAction* ActionIECookie = nullptr;
    QAction* ActionLast_MRU = nullptr;
    QAction* docs_ActionRecent = nullptr;
    QAction* docs_ActionTemp = nullptr;
    QAction* web_ActionHistory = nullptr;
    QAction* web_ActionDownloads = nullptr;
    QAction* web_ActionCookies = nullptr;
    QAction* ExportAction_XLS = nullptr;
    QAction* ExportAction_Tab = nullptr;
    // The timeline for Timesketch or plaso (the Timeline tab only).
    QAction* ExportAction_Timeline = nullptr;
    QAction* ViewAction_Utc = nullptr;
    QAction* ViewAction_Local = nullptr;
    QAction* ViewAction_Machine = nullptr;
    QAction* HelpAction_Manual = nullptr;
    QAction* HelpAction_ShortCut1 = nullptr;
    QAction* HelpAction_ShortCut2 = nullptr;
    QAction* HelpAction_About = nullptr;
    QAction* Helpyourself1 = nullptr;
    QAction* filesPopUp_Open = nullptr;
    QAction* filesPopUp_OpenWith = nullptr;
    QAction* filesPopUp_OpenFolder = nullptr;
    QAction* filesPopUp_CopyTo = nullptr;
    QAction* filesPopUp_MoveTo = nullptr;
    QAction* filesPopUp_Properties = nullptr;
    // Copies the selected rows of the current table (Ctrl+C).
    QAction* EditAction_Copy = nullptr;
    // The column headers' menu: lays a table's columns out by their shares
    // again after the user sized them (the table's number is the data).
    QMenu* header_PopupMenu = nullptr;
    QAction* ColumnsAction_Fit = nullptr;

    // Opens a Windows profile folder (a machine of one user) or the root of
    // a Windows volume (every user on it): every table reads from it
    // afterwards. False (after a message) when it cannot be used.
    bool openProfile(const QString& folder);
    bool openVolume(const QString& root, const QStringList& users = {});
    // Opens and loads every table from it (the whole recall).
    bool loadProfile(const QString& folder);
    bool loadVolume(const QString& root);
    // A disk image: its Windows volume (the user chooses where it holds
    // several) with every user, and its shadow copies when the user wants
    // them (snapshots: the answer given, else asked).
    bool openImage(const QString& path, const QStringList& users = {},
                   std::optional<bool> snapshots = std::nullopt, int partition = 0);
    bool loadImage(const QString& path);
    // This Linux computer: its users are the home folders the program may
    // read (thiscomputer/ThisComputer.h). False (after a message) when none
    // can be read.
    bool openThisComputer();
    bool loadThisComputer();
    // With nothing open: asks what to read (a profile, a volume, a disk
    // image or this computer) and opens it without reading it. False when
    // the user cancels or it cannot be opened.
    bool askWhatToOpen();
    // What is open; nullptr before anything was.
    const Machine* machine() const { return m_machine.get(); }
    // The first user of what is open (the folder choosers start in its
    // folders); nullptr when none.
    const UserProfile* firstUser() const;
    // The user whose row that is (by its "User" cell); the first user when
    // the cell names none.
    const UserProfile* userOfRow(TabId id, int row) const;
    // True when the path lies inside what is open (a profile or volume).
    bool insideEvidence(const QString& path) const;
    // The window title: the program's name and address, after what is open
    // (the profile's folder; the computer and its number of users).
    void updateWindowTitle();

public Q_SLOTS:
    // The commands, by their handler names; each hands over to its feature.
    void ActionExitExecute();
    void ActionOpenProfileExecute();
    void ActionOpenVolumeExecute();
    void ActionOpenImageExecute();
    void ActionThisComputerExecute();
    void EditAction_CopyExecute();
    void ColumnsAction_FitExecute();
    void IEActivityClick();
    void Action_ieHExecute();
    void ActionIECookieExecute();
    void ActionLast_MRUExecute();
    void docs_ActionRecentExecute();
    void docs_ActionTempExecute();
    void web_ActionHistoryExecute();
    void web_ActionDownloadsExecute();
    void web_ActionCookiesExecute();
    void MyCompAction_TotalExecute();
    void MyCompAction_CondExecute();
    void SearchAction_FindExecute();
    void SearchAction_AgainExecute();
    void SearchAction_GoLineExecute();
    void ExportAction_XLSExecute();
    void ExportAction_TabExecute();
    void ExportAction_TimelineExecute();
    void ViewAction_UtcExecute(bool utc);
    void ViewAction_LocalExecute(bool local);
    void ViewAction_MachineExecute(bool machine);
    void HelpAction_ManualExecute();
    void HelpAction_ShortCut1Execute();
    void HelpAction_ShortCut2Execute();
    void HelpAction_AboutExecute();
    void Helpyourself1Click();
    // A Language menu entry was chosen.
    void LangClick(QAction* entry);
    void files_PopupMenuPopup();
    void filesPopUp_OpenClick();
    void filesPopUp_OpenWithClick();
    void filesPopUp_OpenFolderClick();
    void filesPopUp_CopyToClick();
    void filesPopUp_PropertiesClick();
    void ListViewColumnClick(TabId id, int column);
    // A row of a table became the selected row.
    void ListViewChange(TabId id, int row);
    void ListViewDblClick(TabId id);
    // A click on a tab's file panel.
    void FilePanelClick(TabId id);

public:
    // Opens a file or address with its associated program.
    void OpenTarget(const QString& path);
    // The Timeline tab's events, histogram and actions.
    TimelineView* timelineView() const { return m_timeline; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void buildTableTab(TabId id, QTabWidget* parent, QWidget* extraTop);
    // A table tab of those widget names and columns, added to parent.
    void buildTableTabOf(TabId id, const SourceWidgets& w, const QString& tableName,
                         std::vector<TableColumn> columns, CellEncoding encoding,
                         QTabWidget* parent, QWidget* extraTop);
    // The inner tab widget of a source's group (made when first needed for
    // a group the window does not know by name).
    QTabWidget* pagesOfGroup(int groupText);
    void buildActions();
    void buildMenusAndToolBar();
    void readSettings();
    void FormCreate();
    void FormActivate();
    void showContextMenu(TabId id, const QPoint& pos);
    // A table tab (a source's or the timeline) is in front.
    bool tableTabInFront() const;
    // The outer tab page and the inner tab widget a table tab lies on.
    QWidget* outerSheetOf(TabId id) const;
    QTabWidget* innerPagesOf(TabId id) const;

    TableTab m_tabs[kAllTableTabCount];
    TimelineView* m_timeline = nullptr;
    Chooser* m_chooser = nullptr;
    std::unique_ptr<Chooser> m_ownChooser;
    MessageReporter m_reporter;
    std::unique_ptr<Progress> m_progress;
    std::unique_ptr<Progress> m_secondProgress;
    std::unique_ptr<Machine> m_machine;
    QList<QPair<int, QTabWidget*>> m_groupPages;
    QString m_activityIndexFile;
    QString m_cookieFolder;
};

} // namespace vc
