// The main window's commands, each handed over to the feature that carries
// it out; the handler names are those of the window layout.
#include "app/MainWindow.h"
#include "browsers/ui/WebTabActions.h"
#include "cache/ui/BrowserTabActions.h"
#include "documents/ui/DocumentTabActions.h"
#include "preview/ui/PaneActions.h"
#include "recall/ui/RecallActions.h"
#include "tables/ui/TableToolActions.h"

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
    SortTableByColumn(*this, id, column);
}
void TForm1::ExportAction_XLSExecute() {
    ExportCurrentTableToXml(*this);
}
void TForm1::ExportAction_TabExecute() {
    ExportCurrentTableToText(*this);
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

// The Help menu is not built yet.
void TForm1::HelpAction_ManualExecute() {}
void TForm1::HelpAction_ShortCut1Execute() {}
void TForm1::HelpAction_ShortCut2Execute() {}
void TForm1::HelpAction_AboutExecute() {}
void TForm1::Helpyourself1Click() {}

} // namespace vc
