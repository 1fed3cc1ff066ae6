#pragma once

#include "app/WindowLayer.h"

#include "app/WindowActions.h"
#include "app/WindowFrame.h"
#include "app/WindowWidgets.h"
#include "cache/ui/ActivityState.h"
#include "evidence/Sources.h"
#include "language/ui/LanguageState.h"
#include "language/ui/LanguageWindow.h"
#include "platform/Choosers.h"
#include "platform/Messages.h"
#include "platform/ProgramInfo.h"
#include "platform/Progress.h"
#include "platform/WorkFile.h"
#include "recall/ui/RecallState.h"
#include "tables/TableModel.h"
#include "tables/ui/SearchState.h"
#include "tables/ui/SortSettings.h"

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

class UserProfile;
class TimelineView;

// The main window frame: owns every table, the small windows and the state
// shared between actions, and binds each command to the feature code that
// carries it out (in the features' ui/ folders), which sees the window as a
// WindowFrame (app/WindowFrame.h) or one of its parts. Every command runs to
// its end on the user-interface thread. Its data members are its own: the
// tests and the window's start-up reach them through the accessors below.
class TForm1 : public QMainWindow, public WindowFrame, public LanguageWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- services (the chooser replaceable by tests) ----------------------
    QWidget* frameWidget() override { return this; }
    Chooser* chooser() const override { return m_chooser; }
    void setChooser(Chooser* chooser);
    Reporter& reporter() override { return m_reporter; }
    void CreateProgressBar(bool smooth, int minimum, int maximum) override;
    void CreateSecondProgressBar(bool smooth, int minimum, int maximum) override;
    void DestroyProgressBar() override;
    void DestroySecondProgressBar() override;
    Progress* progress() override;
    Progress* secondProgress() override;
    // The bars themselves; null when there is none.
    QPointer<QProgressBar> progressBar() const { return m_progressBar; }
    QPointer<QProgressBar> secondProgressBar() const { return m_secondProgressBar; }
    QLabel* statusPanel(int index) override;
    void showStatusMessage(const QString& text, int timeoutMs) override;
    WorkFile& workFile() override { return m_workFile; }
    const ProgramFacts& program() const override { return m_program; }
    ProgramFacts& program() { return m_program; }
    // 0 before the first activation, 1 during it, 2 after the first resize.
    int startState() const { return m_startState; }

    // ---- frame ----------------------------------------------------------
    TableTab& tab(TabId id) override { return m_tabs[int(id)]; }
    const TableTab& tab(TabId id) const override { return m_tabs[int(id)]; }
    TableTab* tabOf(const TableModel* model) override;
    TableModel* UpdateTabState() override;
    void PageControl1Change();
    void ClearPane(QWidget* panel) override;
    void FormResize();
    // Writes the interface texts into the main window and into every small
    // window it owns: each of those that declares
    //     Q_INVOKABLE void applyInterfaceTexts();
    // gets it called, so a window added later (made with this window as its
    // parent) follows a language change without a change here.
    void ApplyInterfaceTexts() override;
    // Builds the Language menu and applies the saved language (first
    // activation).
    void BuildLanguageMenu();
    void showTab(TabId id) override;
    void detachChangeHandler(TabId id) override;
    void attachChangeHandler(TabId id) override;
    void selectFirstRow(TabId id) override;
    TabId currentTabId() const override;
    QWidget* outerPageInFront() const override;
    QString currentTabCaption() const override;
    void setConditionText(TabId id, const QString& text) override;
    bool fullHistoryChecked() const override;
    bool allHistoryFilesChecked() const override;

    // ---- what the tables were read from ---------------------------------
    const QString& activityIndexFile() const override { return m_activityIndexFile; }
    void setActivityIndexFile(const QString& path) override;
    void setActivityIndexCaption(const QString& caption) override;
    void setHistoryFolder(const QString& folder) override;
    const QString& cookieFolder() const override { return m_cookieFolder; }
    void setCookieFolder(const QString& folder) override;
    void setCookieFilesText(const QString& text) override;

    // ---- the current file of the file actions --------------------------
    QString currentFileName() override;

    // ---- the window's parts and the features' state ---------------------
    WindowActions& actions() override { return m_actions; }
    const WindowActions& actions() const { return m_actions; }
    // The window's widgets around the tables, by their names.
    const WindowWidgets& widgets() const { return m_widgets; }
    TimelineView* timelineView() const override { return m_timeline; }
    TZoom_in* zoomWindow() override { return m_widgets.Zoom_in; }
    ActivityState& activity() override { return m_activity; }
    SearchState& search() override { return m_search; }
    SortSettings& sorting() override { return m_sort; }
    RecallState& recall() override { return m_recall; }
    // ---- what the Language menu needs -----------------------------------
    QMenuBar* languageMenuBar() const override { return menuBar(); }
    LanguageState& language() override { return m_language; }
    void retranslateScreenTexts(const QStringList& before) override;

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
    bool askWhatToOpen() override;
    // What is open; nullptr before anything was.
    const Machine* machine() const override { return m_machine.get(); }
    // The first user of what is open (the folder choosers start in its
    // folders); nullptr when none.
    const UserProfile* firstUser() const override;
    // The user whose row that is (by its "User" cell); the first user when
    // the cell names none.
    const UserProfile* userOfRow(TabId id, int row) const override;
    // True when the path lies inside what is open (a profile or volume).
    bool insideEvidence(const QString& path) const override;
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
    void LangClick(QAction* entry) override;
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
    void OpenTarget(const QString& path) override;

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

    WindowActions m_actions;
    WindowWidgets m_widgets;
    ProgramFacts m_program;
    WorkFile m_workFile; // the private work file
    QPointer<QProgressBar> m_progressBar;
    QPointer<QProgressBar> m_secondProgressBar;
    int m_startState = 0;
    ActivityState m_activity;
    SearchState m_search;
    SortSettings m_sort;
    RecallState m_recall;
    LanguageState m_language;
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
