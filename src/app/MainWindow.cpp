#include "app/MainWindow.h"
#include "tables/ui/TimeZoneView.h"

#include "app/QtChooser.h"
#include "app/RowFocus.h"
#include "app/ScreenTexts.h"
#include "app/WindowSettings.h"
#include "documents/ui/DocumentTabActions.h"
#include "evidence/Machine.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "language/ui/LangiWindow.h"
#include "platform/Registry.h"
#include "platform/TimeText.h"
#include "preview/pictures/GdiplusStatus.h"
#include "preview/pictures/PictureService.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/GifAnimation.h"
#include "preview/ui/PaneActions.h"
#include "preview/ui/PictureBox.h"
#include "preview/ui/ZoomWindow.h"
#include "recall/ui/OptRecallWindow.h"
#include "tables/RowCopy.h"
#include "tables/ui/ColumnFit.h"
#include "tables/ui/GotoLineWindow.h"
#include "tables/ui/SearchWindow.h"
#include "tables/ui/SortMarks.h"
#include "tables/ui/TableFilterBar.h"
#include "timeline/ui/TimelineView.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

namespace vc {

namespace {

// The shared progress bar seen through the loaders' interface.
class BarProgress : public Progress {
public:
    explicit BarProgress(QProgressBar* bar) : m_bar(bar) {}
    int position() const override { return m_bar ? m_bar->value() : 0; }
    void setPosition(int position) override {
        if (m_bar)
            m_bar->setValue(position);
    }

private:
    QPointer<QProgressBar> m_bar;
};

// A progress bar laid over a panel of the status bar, shown at its start.
QProgressBar* barOverPanel(QStatusBar* bar, const QLabel* panel, const char* name, bool smooth,
                           int minimum, int maximum) {
    auto* progress = new QProgressBar(bar);
    progress->setObjectName(QString::fromLatin1(name));
    progress->setTextVisible(!smooth);
    progress->setGeometry(panel->geometry());
    progress->setRange(minimum, maximum);
    progress->setValue(minimum);
    progress->show();
    return progress;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    TableModel::setHeaderImageProvider(&sortMarkImage);
    buildActions();
    buildLayout();
    buildMenusAndToolBar();

    // Fields, in the order the program has always set them.
    m_program.MakerWebAddress = kMakerWebAddress;
    m_program.SupportAddress = kSupportAddress;
    m_program.ExeDir = QCoreApplication::applicationDirPath();
    if (!m_program.ExeDir.endsWith(QLatin1Char('/')))
        m_program.ExeDir += QLatin1Char('/');
    m_program.DateTimeFormat = dateTimeFormat();
    m_startState = 0;

    for (TableTab& t : m_tabs)
        ClearPane(t.pane);
    for (QLabel* label : {m_widgets.HistoryFileNamePanel, m_widgets.ieC_FilesLabel,
                          m_widgets.ieC_DirectoryPanel, m_widgets.ieH_DirectoryPanel})
        label->clear();
    for (TableTab& t : m_tabs) {
        t.countLabel->clear();
        t.condLabel->clear();
        t.condLabel->setToolTip(QString());
    }
    m_widgets.HistoryFileNamePanel->setToolTip(QString());
    m_activityIndexFile.clear();
    m_cookieFolder.clear();

    m_sort.UnconvertedTimeText = kUnconvertedTimeText;
    m_activity.CacheDir = GetSpecialFolder(nullptr, FolderKind::CacheDir);

    fillDefaultInterfaceTexts();
    readSettings();

    m_ownChooser = std::make_unique<QtChooser>(this);
    m_chooser = m_ownChooser.get();

    m_search.Search1 = new TSearch1(this);
    m_search.GotoLine1 = new TGotoLine1(this);
    m_recall.OptRecall1 = new TOptRecall1(m_recall.RecallConditions, this);
    m_widgets.Zoom_in = new TZoom_in(this);
    m_language.Langi1 = new TLangi1(this);

    FormCreate();
    resize(1000, 700);
    restoreWindowSettings(*this);
}

TForm1::~TForm1() {
    // The picture service stops last: no animation or picture read may
    // outlive the boxes they draw into.
    ShutdownAnimations();
    WaitForPictureLoads();
    PictureServiceShutdown();
}

const UserProfile* TForm1::firstUser() const {
    return m_machine && !m_machine->users().empty() ? m_machine->users().front().get() : nullptr;
}

const UserProfile* TForm1::userOfRow(TabId id, int row) const {
    if (!m_machine)
        return nullptr;
    const TableModel& table = *m_tabs[int(id)].model;
    const QString name = table.cellText(row, table.columns() - 1);
    for (const auto& user : m_machine->users())
        if (user->name() == name)
            return user.get();
    return firstUser();
}

bool TForm1::insideEvidence(const QString& path) const {
    if (!m_machine)
        return false;
    for (const auto& user : m_machine->users())
        if (user->contains(path))
            return true;
    if (m_machine->root().isEmpty())
        return false;
    const QString root = QFileInfo(m_machine->root()).canonicalFilePath();
    const QFileInfo info(path);
    const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return !root.isEmpty() && (target == root || target.startsWith(root + QLatin1Char('/')));
}

void TForm1::setChooser(Chooser* chooser) {
    m_chooser = chooser ? chooser : m_ownChooser.get();
}

void TForm1::readSettings() {
    RestoreTimeZoneChoice();
    m_program.VersionText = kVersionText;
    m_language.LanguageCode =
        RegistryAccess(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\International"),
                       QStringLiteral("sLanguage"), QString(), QStringLiteral("read"));
    if (RegistryKeyExists(RegistryRoot::CurrentUser, kOwnSettingsKey)) {
        m_language.LanguageCode =
            RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Language"),
                           QString(), QStringLiteral("read"));
        m_program.VersionText =
            RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Version"),
                           QString(), QStringLiteral("read"));
    } else {
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Language"),
                       m_language.LanguageCode, QStringLiteral("write"));
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Version"),
                       m_program.VersionText, QStringLiteral("write"));
    }
}

void TForm1::FormCreate() {
    // The picture service first; the window goes on without previews when
    // it cannot start.
    if (const int status = PictureServiceStartup(); status != 0)
        GdiplusStatusText(status, 1);
    // Start folder and file name of the index-file dialog.
    m_activity.OpenDialogFileName.clear();
    if (!m_activity.CacheDir.isEmpty() &&
        QFileInfo::exists(m_activity.CacheDir + QStringLiteral("index.dat")))
        m_activity.OpenDialogFileName = QStringLiteral("index.dat");
    m_widgets.mainPageControl->setTabVisible(
        m_widgets.mainPageControl->indexOf(m_widgets.ToolsTabSheet), false);
    m_widgets.mainPageControl->setCurrentWidget(m_widgets.IE_TabSheet);
    m_widgets.PageControl1->setCurrentWidget(tab(TabId::Activity).sheet);
    for (TableTab& t : m_tabs)
        t.model->refreshCaptions();
    // Captions and hints come from the text table from the start, so the
    // window is usable before its first activation too.
    ApplyInterfaceTexts();
}

void TForm1::FormActivate() {
    if (m_startState != 0)
        return;
    m_startState = 1;
    m_program.MakerWebAddress = kMakerWebAddress;
    m_program.SupportAddress = kSupportAddress;
    ApplyInterfaceTexts();
    BuildLanguageMenu();
    connect(m_widgets.mainPageControl, &QTabWidget::currentChanged, this,
            &TForm1::PageControl1Change, Qt::UniqueConnection);
    for (const auto& group : m_groupPages)
        connect(group.second, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change,
                Qt::UniqueConnection);
    UpdateTabState();
    QTimer::singleShot(0, this, &TForm1::FormResize);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormActivate();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::closeEvent(QCloseEvent* event) {
    saveWindowSettings(*this);
    m_workFile.close();
    m_workFile.remove();
    QMainWindow::closeEvent(event);
}

void TForm1::updateWindowTitle() {
    QString title = QLatin1Char('"') + tx(TextProgramName) + QStringLiteral("\"   ") +
                    m_program.MakerWebAddress;
    if (m_machine)
        title = m_machine->title() + QStringLiteral(" - ") + title;
    setWindowTitle(title);
}

void TForm1::ApplyInterfaceTexts() {
    updateWindowTitle();
    for (const auto& [groupText, pages] : m_groupPages)
        m_widgets.mainPageControl->setTabText(
            m_widgets.mainPageControl->indexOf(pages->parentWidget()), tx(groupText));
    m_widgets.mainPageControl->setTabText(
        m_widgets.mainPageControl->indexOf(m_widgets.ToolsTabSheet), tx(TextToolsTab));
    m_widgets.mainPageControl->setTabText(
        m_widgets.mainPageControl->indexOf(m_tabs[int(kTimelineTab)].sheet), tx(TextTimelineTab));
    m_tabs[int(kTimelineTab)].model->refreshCaptions();
    m_tabs[int(kTimelineTab)].filter->applyInterfaceTexts();
    m_timeline->applyInterfaceTexts();
    for (int i = 0; i < kTableTabCount; ++i) {
        QTabWidget* pages = innerPagesOf(TabId(i));
        pages->setTabText(pages->indexOf(m_tabs[i].sheet), tx(sourceAt(i).tabText));
        m_tabs[i].model->refreshCaptions();
        m_tabs[i].filter->applyInterfaceTexts();
    }
    m_widgets.GroupBox1->setTitle(tx(TextParameters) + QLatin1Char(':'));
    m_widgets.GroupBox2->setTitle(tx(TextParameters) + QLatin1Char(':'));
    m_widgets.CheckBox1->setText(tx(TextFullHistory));
    m_widgets.ieH_CheckBox->setText(tx(TextFullHistory));

    static const struct {
        const char* name;
        int text;
    } kMenus[] = {
        {"FileItem", TextFileMenu},        {"MyComputer1", TextMyComputerMenu},
        {"SearchItem", TextSearchMenu},    {"InternetExplorer1", TextInternetExplorerMenu},
        {"Documents1", TextDocumentsMenu}, {"Browsers1", TextBrowsersTab},
        {"Export1Item", TextExportMenu},   {"View1Item", TextViewMenu},
        {"Help1Item", TextHelpMenu},       {"LangItem", TextLanguage}};
    for (QAction* top : menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        if (const QVariant group = menu->property("groupText"); group.isValid())
            top->setText(QLatin1Char('&') + tx(group.toInt()));
        for (QAction* load : menu->actions())
            if (const QVariant source = load->property("sourceIndex"); source.isValid())
                load->setText(tx(sourceAt(source.toInt()).tabText));
        for (const auto& m : kMenus)
            if (menu->objectName() == QLatin1String(m.name))
                top->setText(m.text == TextLanguage ? tx(TextLanguage)
                                                    : QLatin1Char('&') + tx(m.text));
    }
    m_actions.Helpyourself1->setText(tx(TextHelpYourself));

    auto bind = [](QAction* action, const QString& caption, const QString& hint) {
        action->setText(caption);
        action->setToolTip(hint);
        action->setStatusTip(hint);
    };
    const QString dots = QStringLiteral("...");
    bind(m_actions.ActionExit, tx(TextExit), tx(TextExitHint));
    bind(m_actions.ActionLoadIEActivity, tx(TextIeActivity), tx(TextIeActivity));
    bind(m_actions.ActionIECookie, tx(TextIeCookie), tx(TextIeCookie));
    bind(m_actions.Action_ieH, tx(TextIeHistory), tx(TextIeHistory));
    bind(m_actions.ActionLast_MRU, tx(TextIeFavorites), tx(TextIeFavorites));
    bind(m_actions.ExportAction_XLS, tx(TextExportXml), tx(TextExportXmlHint));
    bind(m_actions.ExportAction_Tab, tx(TextExportTab), tx(TextExportTabHint));
    bind(m_actions.ExportAction_Timeline, tx(TextExportTimeline) + QStringLiteral("..."),
         tx(TextExportTimelineHint));
    bind(m_actions.ViewAction_Utc, tx(TextTimesInUtc), tx(TextTimesInUtc));
    bind(m_actions.ViewAction_Local, tx(TextTimesInLocal), tx(TextTimesInLocal));
    bind(m_actions.ViewAction_Machine, tx(TextTimesInMachine), tx(TextTimesInMachine));
    ShowTimeZone(*this);
    bind(m_actions.SearchAction_Find, tx(TextFind) + dots, tx(TextFindHint));
    bind(m_actions.SearchAction_GoLine, tx(TextGoToLine) + dots, tx(TextGoToLineHint));
    bind(m_actions.SearchAction_Again, tx(TextSearchAgain), tx(TextSearchAgain));
    bind(m_actions.MyCompAction_Total, tx(TextProgramName), tx(TextWholeRecallHint));
    bind(m_actions.MyCompAction_Cond, tx(TextRecallWithConditions),
         tx(TextRecallWithConditionsHint));
    bind(m_actions.docs_ActionRecent, tx(TextRecentDocuments), tx(TextRecentDocumentsHint));
    bind(m_actions.docs_ActionTemp, tx(TextTemporaryFiles), tx(TextTemporaryFilesHint));
    bind(m_actions.web_ActionHistory, tx(TextBrowserHistory), tx(TextBrowserHistory));
    bind(m_actions.web_ActionDownloads, tx(TextBrowserDownloads), tx(TextBrowserDownloads));
    bind(m_actions.web_ActionCookies, tx(TextBrowserCookies), tx(TextBrowserCookies));
    bind(m_actions.HelpAction_Manual, tx(TextManual), tx(TextManualHint));
    bind(m_actions.HelpAction_ShortCut1, tx(TextDesktopIcon), tx(TextDesktopIcon));
    bind(m_actions.HelpAction_ShortCut2, tx(TextQuickLaunchIcon), tx(TextQuickLaunchIcon));
    m_actions.HelpAction_About->setText(tx(TextAbout) + dots);
    bind(m_actions.ActionOpenProfile, tx(TextOpenProfile) + dots, tx(TextOpenProfileHint));
    bind(m_actions.ActionOpenVolume, tx(TextOpenVolume) + dots, tx(TextOpenVolumeHint));
    bind(m_actions.ActionOpenImage, tx(TextOpenDiskImage) + dots, tx(TextOpenDiskImageHint));
    bind(m_actions.ActionThisComputer, tx(TextThisComputer), tx(TextThisComputerHint));

    m_actions.filesPopUp_Open->setText(tx(TextOpen));
    m_actions.filesPopUp_OpenWith->setText(tx(TextOpenWith) + dots);
    m_actions.filesPopUp_OpenFolder->setText(tx(TextOpenFolder));
    m_actions.filesPopUp_CopyTo->setText(tx(TextCopyTo) + dots);
    m_actions.filesPopUp_MoveTo->setText(tx(TextMoveTo) + dots);
    m_actions.filesPopUp_Properties->setText(tx(TextProperties));
    m_actions.EditAction_Copy->setText(tx(TextCopyRows));
    m_actions.ColumnsAction_Fit->setText(tx(TextFitColumns));
    for (QWidget* owned : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (owned->isWindow() && owned->metaObject()->indexOfMethod("applyInterfaceTexts()") >= 0)
            QMetaObject::invokeMethod(owned, "applyInterfaceTexts", Qt::DirectConnection);
    UpdateTabState();
}

TabId TForm1::currentTabId() const {
    const QWidget* outer = m_widgets.mainPageControl->currentWidget();
    if (outer && outer == m_tabs[int(kTimelineTab)].sheet)
        return kTimelineTab;
    for (const auto& [groupText, pages] : m_groupPages) {
        if (pages->parentWidget() != outer)
            continue;
        QWidget* inner = pages->currentWidget();
        for (int i = 0; i < kTableTabCount; ++i)
            if (m_tabs[i].sheet == inner)
                return TabId(i);
        // The group's first tab.
        for (int i = 0; i < kTableTabCount; ++i)
            if (sourceAt(i).groupText == groupText)
                return TabId(i);
    }
    return TabId::Activity;
}

void TForm1::retranslateScreenTexts(const QStringList& before) {
    RetranslateScreenTexts(*this, before);
}

QWidget* TForm1::outerPageInFront() const {
    return m_widgets.mainPageControl->currentWidget();
}

QLabel* TForm1::statusPanel(int index) {
    return index == 0 ? m_widgets.StatusPanel0 : m_widgets.StatusPanel1;
}

void TForm1::showStatusMessage(const QString& text, int timeoutMs) {
    statusBar()->showMessage(text, timeoutMs);
}

void TForm1::setCookieFilesText(const QString& text) {
    m_widgets.ieC_FilesLabel->setText(text);
}

QWidget* TForm1::outerSheetOf(TabId id) const {
    if (id == kTimelineTab)
        return m_tabs[int(kTimelineTab)].sheet;
    return innerPagesOf(id)->parentWidget();
}

QTabWidget* TForm1::innerPagesOf(TabId id) const {
    if (id == kTimelineTab)
        return m_widgets.mainPageControl;
    const int group = sourceAt(int(id)).groupText;
    for (const auto& [groupText, pages] : m_groupPages)
        if (groupText == group)
            return pages;
    return m_widgets.PageControl1;
}

TableTab* TForm1::tabOf(const TableModel* model) {
    for (TableTab& t : m_tabs)
        if (t.model == model)
            return &t;
    return nullptr;
}

QString TForm1::currentFileName() {
    const bool tableInFront = tableTabInFront();
    return tableInFront ? FocusedFile(*this, currentTabId()) : QString();
}

bool TForm1::tableTabInFront() const {
    const QWidget* outer = m_widgets.mainPageControl->currentWidget();
    return outer == m_tabs[int(kTimelineTab)].sheet ||
           std::any_of(m_groupPages.begin(), m_groupPages.end(), [outer](const auto& group) {
               return group.second->parentWidget() == outer;
           });
}

TableModel* TForm1::UpdateTabState() {
    // The file actions follow the focused row of the table in front.
    PrepareFileMenu(*this);
    const bool tableInFront = tableTabInFront();
    m_actions.ExportAction_Timeline->setEnabled(false);
    if (!tableInFront)
        return nullptr;
    const TabId id = currentTabId();
    TableTab& t = m_tabs[int(id)];
    const bool hasRows = t.model->rows() > 0;

    m_actions.SearchItem->menuAction()->setEnabled(hasRows);
    m_actions.SearchAction_Find->setEnabled(hasRows);
    m_actions.SearchAction_GoLine->setEnabled(hasRows);
    m_actions.Export1Item->menuAction()->setEnabled(hasRows);
    m_actions.ExportAction_XLS->setEnabled(hasRows);
    m_actions.ExportAction_Tab->setEnabled(hasRows);
    m_actions.ExportAction_Timeline->setEnabled(hasRows && id == kTimelineTab);
    m_actions.SearchAction_Again->setEnabled(m_search.LastSearchTable != nullptr);
    return t.model;
}

void TForm1::PageControl1Change() {
    m_search.LastSearchTable = nullptr;
    // The timeline is made again from the tables when it is shown after
    // one of them changed.
    if (currentTabId() == kTimelineTab)
        m_timeline->refreshIfStale();
    UpdateTabState();
}

void TForm1::ClearPane(QWidget* panel) {
    if (!panel)
        return;
    panel->setToolTip(QString());
    if (auto* pane = qobject_cast<DetailPane*>(panel))
        pane->setPreviewFile(QString());
    // A picture box is emptied with ClearPicture, which also stops an
    // animation playing in it and drops a picture still being read for it.
    if (auto* label = qobject_cast<QLabel*>(panel))
        ClearPicture(label);
    for (QObject* child : panel->children()) {
        if (auto* memo = qobject_cast<QPlainTextEdit*>(child)) {
            memo->clear();
        } else if (auto* label = qobject_cast<QLabel*>(child)) {
            ClearPicture(label);
            label->setToolTip(QString());
        } else if (auto* inner = qobject_cast<QFrame*>(child)) {
            ClearPane(inner);
        }
    }
}

void TForm1::CreateProgressBar(bool smooth, int minimum, int maximum) {
    DestroyProgressBar();
    m_progressBar =
        barOverPanel(statusBar(), m_widgets.StatusPanel0, "ProgressBar", smooth, minimum, maximum);
    m_progress = std::make_unique<BarProgress>(m_progressBar);
}

void TForm1::CreateSecondProgressBar(bool smooth, int minimum, int maximum) {
    DestroySecondProgressBar();
    m_secondProgressBar = barOverPanel(statusBar(), m_widgets.StatusPanel1, "SecondProgressBar",
                                       smooth, minimum, maximum);
    m_secondProgress = std::make_unique<BarProgress>(m_secondProgressBar);
}

void TForm1::DestroyProgressBar() {
    m_progress.reset();
    if (m_progressBar) {
        m_progressBar->hide();
        delete m_progressBar.data();
    }
    m_progressBar = nullptr;
}

void TForm1::DestroySecondProgressBar() {
    m_secondProgress.reset();
    if (m_secondProgressBar) {
        m_secondProgressBar->hide();
        delete m_secondProgressBar.data();
    }
    m_secondProgressBar = nullptr;
}

Progress* TForm1::progress() {
    return m_progressBar ? m_progress.get() : nullptr;
}
Progress* TForm1::secondProgress() {
    return m_secondProgressBar ? m_secondProgress.get() : nullptr;
}

void TForm1::FormResize() {
    // Each table shares its own width among its columns when it is shown,
    // filled or resized (ColumnFit); the one in front is laid out now.
    if (m_startState == 1) {
        m_tabs[int(currentTabId())].columns->fit();
        m_startState = 2;
    }
    // The status panels share the bar seven to three by their stretch, and
    // give way when the window is made narrower. The bars lie over them.
    if (m_progressBar)
        m_progressBar->setGeometry(m_widgets.StatusPanel0->geometry());
    if (m_secondProgressBar)
        m_secondProgressBar->setGeometry(m_widgets.StatusPanel1->geometry());
}

void TForm1::showTab(TabId id) {
    m_widgets.mainPageControl->setCurrentWidget(outerSheetOf(id));
    innerPagesOf(id)->setCurrentWidget(m_tabs[int(id)].sheet);
}

void TForm1::detachChangeHandler(TabId id) {
    m_tabs[int(id)].handlerAttached = false;
}

void TForm1::attachChangeHandler(TabId id) {
    m_tabs[int(id)].handlerAttached = true;
}

void TForm1::selectFirstRow(TabId id) {
    TableTab& t = m_tabs[int(id)];
    t.view->setFocus();
    focusRow(t, 0);
}

QString TForm1::currentTabCaption() const {
    if (currentTabId() == kTimelineTab)
        return m_widgets.mainPageControl->tabText(m_widgets.mainPageControl->currentIndex());
    const QTabWidget* inner = innerPagesOf(currentTabId());
    return m_widgets.mainPageControl->tabText(m_widgets.mainPageControl->currentIndex()) +
           QStringLiteral(": ") + inner->tabText(inner->currentIndex());
}

void TForm1::setConditionText(TabId id, const QString& text) {
    TableTab& t = m_tabs[int(id)];
    t.conditions = text;
    t.condLabel->setText(text);
    t.condLabel->setToolTip(text);
}

bool TForm1::fullHistoryChecked() const {
    return m_widgets.CheckBox1->isChecked();
}

bool TForm1::allHistoryFilesChecked() const {
    return m_widgets.ieH_CheckBox->isChecked();
}

void TForm1::setActivityIndexFile(const QString& path) {
    m_activityIndexFile = path;
    m_widgets.HistoryFileNamePanel->setToolTip(path);
}

void TForm1::setActivityIndexCaption(const QString& caption) {
    m_widgets.HistoryFileNamePanel->setText(caption);
}

void TForm1::setHistoryFolder(const QString& folder) {
    m_widgets.ieH_DirectoryPanel->setText(folder);
}

void TForm1::setCookieFolder(const QString& folder) {
    m_cookieFolder = folder;
    m_widgets.ieC_DirectoryPanel->setText(folder);
}

void TForm1::EditAction_CopyExecute() {
    const TableTab& t = m_tabs[int(currentTabId())];
    if (t.model->rows() == 0)
        return;
    // The selected rows in the order the table shows them; the focused row
    // when none is selected.
    std::vector<int> rows;
    for (const QModelIndex& index : t.view->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty() && t.view->currentIndex().isValid())
        rows.push_back(t.view->currentIndex().row());
    if (rows.empty())
        return;
    std::sort(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(rowsAsTabText(*t.model, rows));
}

void TForm1::ColumnsAction_FitExecute() {
    const int id = m_actions.ColumnsAction_Fit->data().toInt();
    if (id >= 0 && id < kAllTableTabCount)
        m_tabs[id].columns->fitToView();
}

void TForm1::showContextMenu(TabId id, const QPoint& pos) {
    TableTab& t = m_tabs[int(id)];
    // The menu opens by itself only while the table has rows.
    if (t.model->rows() == 0)
        return;
    m_actions.table_PopupMenu->popup(t.view->viewport()->mapToGlobal(pos));
}

} // namespace vc
