// The main window's commands, each handed over to the feature that carries
// it out; the handler names are those of the window layout.
#include "app/MainWindow.h"
#include "browsers/ui/WebTabActions.h"
#include "cache/ui/BrowserTabActions.h"
#include "documents/ui/DocumentTabActions.h"
#include "extras/ui/HelpActions.h"
#include "language/ui/LanguageActions.h"
#include "preview/ui/PaneActions.h"
#include "recall/ui/RecallActions.h"
#include "tables/ui/TableToolActions.h"
#include "tables/ui/TimeZoneView.h"
#include "timeline/ui/TimelineView.h"

namespace vc {

void TForm1::ActionExitExecute() {
    close();
}

void TForm1::IEActivityClick() {
    LoadActivityTab(*this);
}
void TForm1::Action_ieHExecute() {
    LoadHistoryTab(*this);
}
void TForm1::ActionIECookieExecute() {
    LoadCookieTab(*this);
}
void TForm1::ActionLast_MRUExecute() {
    LoadLinksTab(*this);
}
void TForm1::docs_ActionRecentExecute() {
    LoadRecentTab(*this);
}
void TForm1::docs_ActionTempExecute() {
    LoadTempTab(*this);
}
void TForm1::web_ActionHistoryExecute() {
    LoadWebTab(*this, TabId::WebHistory);
}
void TForm1::web_ActionDownloadsExecute() {
    LoadWebTab(*this, TabId::WebDownloads);
}
void TForm1::web_ActionCookiesExecute() {
    LoadWebTab(*this, TabId::WebCookies);
}

void TForm1::MyCompAction_TotalExecute() {
    RunWholeRecall(*this);
}
void TForm1::MyCompAction_CondExecute() {
    RunRecallWithConditions(*this);
}

void TForm1::SearchAction_FindExecute() {
    FindInCurrentTable(*this);
}
void TForm1::SearchAction_AgainExecute() {
    SearchCurrentTableAgain(*this);
}
void TForm1::SearchAction_GoLineExecute() {
    GoToLineOfCurrentTable(*this);
}
void TForm1::ListViewColumnClick(TabId id, int column) {
    SortTableByColumn(*this, m_sort, id, column);
}
void TForm1::ExportAction_XLSExecute() {
    ExportCurrentTableToXml(*this);
}
void TForm1::ExportAction_TabExecute() {
    ExportCurrentTableToText(*this);
}
void TForm1::ExportAction_TimelineExecute() {
    m_timeline->exportTimeline();
}
void TForm1::ViewAction_UtcExecute(bool utc) {
    if (utc)
        SwitchTimeZone(*this, DisplayZone::Utc);
}
void TForm1::ViewAction_LocalExecute(bool local) {
    if (local)
        SwitchTimeZone(*this, DisplayZone::Local);
}
void TForm1::ViewAction_MachineExecute(bool machine) {
    if (machine)
        SwitchTimeZone(*this, DisplayZone::Machine);
}

void TForm1::files_PopupMenuPopup() {
    PrepareFileMenu(*this);
}
void TForm1::filesPopUp_OpenClick() {
    OpenCurrentFile(*this, sender());
}
void TForm1::filesPopUp_OpenWithClick() {
    OpenCurrentFileWith(*this, sender());
}
void TForm1::filesPopUp_OpenFolderClick() {
    OpenCurrentFileFolder(*this, sender());
}
void TForm1::filesPopUp_CopyToClick() {
    CopyOrMoveCurrentFile(*this, sender());
}
void TForm1::filesPopUp_PropertiesClick() {
    ShowCurrentFileProperties(*this, sender());
}
void TForm1::OpenTarget(const QString& path) {
    OpenWithAssociatedProgram(*this, path);
}

void TForm1::ListViewChange(TabId id, int row) {
    ShowRowInPane(*this, id, row);
}
void TForm1::ListViewDblClick(TabId id) {
    OpenRowTarget(*this, id);
}
void TForm1::FilePanelClick(TabId id) {
    OpenFilePanelTarget(*this, id);
}

void TForm1::HelpAction_ManualExecute() {
    OpenManual(*this);
}
void TForm1::HelpAction_ShortCut1Execute() {
    CreateProgramShortcutAt(*this, ShortcutPlace::Desktop);
}
void TForm1::HelpAction_ShortCut2Execute() {
    CreateProgramShortcutAt(*this, ShortcutPlace::QuickLaunch);
}
void TForm1::HelpAction_AboutExecute() {
    ShowAboutWindow(*this);
}
void TForm1::Helpyourself1Click() {
    ShowLocaleList(*this);
}

void TForm1::BuildLanguageMenu() {
    vc::BuildLanguageMenu(*this);
}
void TForm1::LangClick(QAction* entry) {
    ChooseLanguageEntry(*this, entry);
}

} // namespace vc
