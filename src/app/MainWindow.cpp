#include "app/MainWindow.h"
#include "tables/ui/TimeZoneView.h"

#include "app/QtChooser.h"
#include "app/RowFocus.h"
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

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    TableModel::setHeaderImageProvider(&sortMarkImage);
    buildActions();
    buildLayout();
    buildMenusAndToolBar();

    // Fields, in the order the program has always set them.
    MakerWebAddress = kMakerWebAddress;
    SupportAddress = kSupportAddress;
    ExeDir = QCoreApplication::applicationDirPath();
    if (!ExeDir.endsWith(QLatin1Char('/')))
        ExeDir += QLatin1Char('/');
    WorkFileName = WorkFileStore.fileName();
    DateTimeFormat = dateTimeFormat();
    StartState = 0;

    for (TableTab& t : m_tabs)
        ClearPane(t.pane);
    for (QLabel* label :
         {HistoryFileNamePanel, ieC_FilesLabel, ieC_DirectoryPanel, ieH_DirectoryPanel})
        label->clear();
    for (TableTab& t : m_tabs) {
        t.countLabel->clear();
        t.condLabel->clear();
        t.condLabel->setToolTip(QString());
    }
    HistoryFileNamePanel->setToolTip(QString());
    m_activityIndexFile.clear();
    m_cookieFolder.clear();

    UnconvertedTimeText = kUnconvertedTimeText;
    CacheDir = GetSpecialFolder(nullptr, FolderKind::CacheDir);

    fillDefaultInterfaceTexts();
    readSettings();

    m_ownChooser = std::make_unique<QtChooser>(this);
    m_chooser = m_ownChooser.get();

    Search1 = new TSearch1(this);
    GotoLine1 = new TGotoLine1(this);
    OptRecall1 = new TOptRecall1(RecallConditions, this);
    Zoom_in = new TZoom_in(this);
    Langi1 = new TLangi1(this);

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
    VersionText = kVersionText;
    LanguageCode =
        RegistryAccess(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\International"),
                       QStringLiteral("sLanguage"), QString(), QStringLiteral("read"));
    if (RegistryKeyExists(RegistryRoot::CurrentUser, kOwnSettingsKey)) {
        LanguageCode =
            RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Language"),
                           QString(), QStringLiteral("read"));
        VersionText = RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey,
                                     QStringLiteral("Version"), QString(), QStringLiteral("read"));
    } else {
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Language"),
                       LanguageCode, QStringLiteral("write"));
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Version"),
                       VersionText, QStringLiteral("write"));
    }
}

void TForm1::FormCreate() {
    // The picture service first; the window goes on without previews when
    // it cannot start.
    if (const int status = PictureServiceStartup(); status != 0)
        GdiplusStatusText(status, 1);
    // Start folder and file name of the index-file dialog.
    OpenDialogFileName.clear();
    if (!CacheDir.isEmpty() && QFileInfo::exists(CacheDir + QStringLiteral("index.dat")))
        OpenDialogFileName = QStringLiteral("index.dat");
    mainPageControl->setTabVisible(mainPageControl->indexOf(ToolsTabSheet), false);
    mainPageControl->setCurrentWidget(IE_TabSheet);
    PageControl1->setCurrentWidget(tab(TabId::Activity).sheet);
    for (TableTab& t : m_tabs)
        t.model->refreshCaptions();
    // Captions and hints come from the text table from the start, so the
    // window is usable before its first activation too.
    ApplyInterfaceTexts();
}

void TForm1::FormActivate() {
    if (StartState != 0)
        return;
    StartState = 1;
    MakerWebAddress = kMakerWebAddress;
    SupportAddress = kSupportAddress;
    ApplyInterfaceTexts();
    BuildLanguageMenu();
    connect(mainPageControl, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change,
            Qt::UniqueConnection);
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
    WorkFileStore.close();
    WorkFileStore.remove();
    QMainWindow::closeEvent(event);
}

void TForm1::updateWindowTitle() {
    QString title =
        QLatin1Char('"') + tx(TextProgramName) + QStringLiteral("\"   ") + MakerWebAddress;
    if (m_machine)
        title = m_machine->title() + QStringLiteral(" - ") + title;
    setWindowTitle(title);
}

void TForm1::ApplyInterfaceTexts() {
    updateWindowTitle();
    for (const auto& [groupText, pages] : m_groupPages)
        mainPageControl->setTabText(mainPageControl->indexOf(pages->parentWidget()), tx(groupText));
    mainPageControl->setTabText(mainPageControl->indexOf(ToolsTabSheet), tx(TextToolsTab));
    mainPageControl->setTabText(mainPageControl->indexOf(m_tabs[int(kTimelineTab)].sheet),
                                tx(TextTimelineTab));
    m_tabs[int(kTimelineTab)].model->refreshCaptions();
    m_tabs[int(kTimelineTab)].filter->applyInterfaceTexts();
    m_timeline->applyInterfaceTexts();
    for (int i = 0; i < kTableTabCount; ++i) {
        QTabWidget* pages = innerPagesOf(TabId(i));
        pages->setTabText(pages->indexOf(m_tabs[i].sheet), tx(sourceAt(i).tabText));
        m_tabs[i].model->refreshCaptions();
        m_tabs[i].filter->applyInterfaceTexts();
    }
    GroupBox1->setTitle(tx(TextParameters) + QLatin1Char(':'));
    GroupBox2->setTitle(tx(TextParameters) + QLatin1Char(':'));
    CheckBox1->setText(tx(TextFullHistory));
    ieH_CheckBox->setText(tx(TextFullHistory));

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
    Helpyourself1->setText(tx(TextHelpYourself));

    auto bind = [](QAction* action, const QString& caption, const QString& hint) {
        action->setText(caption);
        action->setToolTip(hint);
        action->setStatusTip(hint);
    };
    const QString dots = QStringLiteral("...");
    bind(ActionExit, tx(TextExit), tx(TextExitHint));
    bind(ActionLoadIEActivity, tx(TextIeActivity), tx(TextIeActivity));
    bind(ActionIECookie, tx(TextIeCookie), tx(TextIeCookie));
    bind(Action_ieH, tx(TextIeHistory), tx(TextIeHistory));
    bind(ActionLast_MRU, tx(TextIeFavorites), tx(TextIeFavorites));
    bind(ExportAction_XLS, tx(TextExportXml), tx(TextExportXmlHint));
    bind(ExportAction_Tab, tx(TextExportTab), tx(TextExportTabHint));
    bind(ExportAction_Timeline, tx(TextExportTimeline) + QStringLiteral("..."),
         tx(TextExportTimelineHint));
    bind(ViewAction_Utc, tx(TextTimesInUtc), tx(TextTimesInUtc));
    bind(ViewAction_Local, tx(TextTimesInLocal), tx(TextTimesInLocal));
    bind(ViewAction_Machine, tx(TextTimesInMachine), tx(TextTimesInMachine));
    ShowTimeZone(*this);
    bind(SearchAction_Find, tx(TextFind) + dots, tx(TextFindHint));
    bind(SearchAction_GoLine, tx(TextGoToLine) + dots, tx(TextGoToLineHint));
    bind(SearchAction_Again, tx(TextSearchAgain), tx(TextSearchAgain));
    bind(MyCompAction_Total, tx(TextProgramName), tx(TextWholeRecallHint));
    bind(MyCompAction_Cond, tx(TextRecallWithConditions), tx(TextRecallWithConditionsHint));
    bind(docs_ActionRecent, tx(TextRecentDocuments), tx(TextRecentDocumentsHint));
    bind(docs_ActionTemp, tx(TextTemporaryFiles), tx(TextTemporaryFilesHint));
    bind(web_ActionHistory, tx(TextBrowserHistory), tx(TextBrowserHistory));
    bind(web_ActionDownloads, tx(TextBrowserDownloads), tx(TextBrowserDownloads));
    bind(web_ActionCookies, tx(TextBrowserCookies), tx(TextBrowserCookies));
    bind(HelpAction_Manual, tx(TextManual), tx(TextManualHint));
    bind(HelpAction_ShortCut1, tx(TextDesktopIcon), tx(TextDesktopIcon));
    bind(HelpAction_ShortCut2, tx(TextQuickLaunchIcon), tx(TextQuickLaunchIcon));
    HelpAction_About->setText(tx(TextAbout) + dots);
    bind(ActionOpenProfile, tx(TextOpenProfile) + dots, tx(TextOpenProfileHint));
    bind(ActionOpenVolume, tx(TextOpenVolume) + dots, tx(TextOpenVolumeHint));
    bind(ActionOpenImage, tx(TextOpenDiskImage) + dots, tx(TextOpenDiskImageHint));
    bind(ActionThisComputer, tx(TextThisComputer), tx(TextThisComputerHint));

    filesPopUp_Open->setText(tx(TextOpen));
    filesPopUp_OpenWith->setText(tx(TextOpenWith) + dots);
    filesPopUp_OpenFolder->setText(tx(TextOpenFolder));
    filesPopUp_CopyTo->setText(tx(TextCopyTo) + dots);
    filesPopUp_MoveTo->setText(tx(TextMoveTo) + dots);
    filesPopUp_Properties->setText(tx(TextProperties));
    EditAction_Copy->setText(tx(TextCopyRows));
    ColumnsAction_Fit->setText(tx(TextFitColumns));
    for (QWidget* owned : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (owned->isWindow() && owned->metaObject()->indexOfMethod("applyInterfaceTexts()") >= 0)
            QMetaObject::invokeMethod(owned, "applyInterfaceTexts", Qt::DirectConnection);
    UpdateTabState();
}

TabId TForm1::currentTabId() const {
    const QWidget* outer = mainPageControl->currentWidget();
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

QWidget* TForm1::outerSheetOf(TabId id) const {
    if (id == kTimelineTab)
        return m_tabs[int(kTimelineTab)].sheet;
    return innerPagesOf(id)->parentWidget();
}

QTabWidget* TForm1::innerPagesOf(TabId id) const {
    if (id == kTimelineTab)
        return mainPageControl;
    const int group = sourceAt(int(id)).groupText;
    for (const auto& [groupText, pages] : m_groupPages)
        if (groupText == group)
            return pages;
    return PageControl1;
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
    const QWidget* outer = mainPageControl->currentWidget();
    return outer == m_tabs[int(kTimelineTab)].sheet ||
           std::any_of(m_groupPages.begin(), m_groupPages.end(), [outer](const auto& group) {
               return group.second->parentWidget() == outer;
           });
}

TableModel* TForm1::UpdateTabState() {
    // The file actions follow the focused row of the table in front.
    PrepareFileMenu(*this);
    const bool tableInFront = tableTabInFront();
    ExportAction_Timeline->setEnabled(false);
    if (!tableInFront)
        return nullptr;
    const TabId id = currentTabId();
    TableTab& t = m_tabs[int(id)];
    const bool hasRows = t.model->rows() > 0;

    SearchItem->menuAction()->setEnabled(hasRows);
    SearchAction_Find->setEnabled(hasRows);
    SearchAction_GoLine->setEnabled(hasRows);
    Export1Item->menuAction()->setEnabled(hasRows);
    ExportAction_XLS->setEnabled(hasRows);
    ExportAction_Tab->setEnabled(hasRows);
    ExportAction_Timeline->setEnabled(hasRows && id == kTimelineTab);
    SearchAction_Again->setEnabled(LastSearchTable != nullptr);
    return t.model;
}

void TForm1::PageControl1Change() {
    LastSearchTable = nullptr;
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
    ProgressBar = new QProgressBar(statusBar());
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setTextVisible(!smooth);
    ProgressBar->setGeometry(StatusPanel0->geometry());
    ProgressBar->setRange(minimum, maximum);
    ProgressBar->setValue(minimum);
    ProgressBar->show();
    m_progress = std::make_unique<BarProgress>(ProgressBar);
}

void TForm1::CreateSecondProgressBar(bool smooth, int minimum, int maximum) {
    DestroySecondProgressBar();
    SecondProgressBar = new QProgressBar(statusBar());
    SecondProgressBar->setObjectName(QStringLiteral("SecondProgressBar"));
    SecondProgressBar->setTextVisible(!smooth);
    SecondProgressBar->setGeometry(StatusPanel1->geometry());
    SecondProgressBar->setRange(minimum, maximum);
    SecondProgressBar->setValue(minimum);
    SecondProgressBar->show();
    m_secondProgress = std::make_unique<BarProgress>(SecondProgressBar);
}

void TForm1::DestroyProgressBar() {
    m_progress.reset();
    if (ProgressBar) {
        ProgressBar->hide();
        delete ProgressBar.data();
    }
    ProgressBar = nullptr;
}

void TForm1::DestroySecondProgressBar() {
    m_secondProgress.reset();
    if (SecondProgressBar) {
        SecondProgressBar->hide();
        delete SecondProgressBar.data();
    }
    SecondProgressBar = nullptr;
}

Progress* TForm1::progress() {
    return ProgressBar ? m_progress.get() : nullptr;
}
Progress* TForm1::secondProgress() {
    return SecondProgressBar ? m_secondProgress.get() : nullptr;
}

void TForm1::FormResize() {
    // Each table shares its own width among its columns when it is shown,
    // filled or resized (ColumnFit); the one in front is laid out now.
    if (StartState == 1) {
        m_tabs[int(currentTabId())].columns->fit();
        StartState = 2;
    }
    // The status panels share the bar seven to three by their stretch, and
    // give way when the window is made narrower. The bars lie over them.
    if (ProgressBar)
        ProgressBar->setGeometry(StatusPanel0->geometry());
    if (SecondProgressBar)
        SecondProgressBar->setGeometry(StatusPanel1->geometry());
}

void TForm1::showTab(TabId id) {
    mainPageControl->setCurrentWidget(outerSheetOf(id));
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
        return mainPageControl->tabText(mainPageControl->currentIndex());
    const QTabWidget* inner = innerPagesOf(currentTabId());
    return mainPageControl->tabText(mainPageControl->currentIndex()) + QStringLiteral(": ") +
           inner->tabText(inner->currentIndex());
}

void TForm1::setConditionText(TabId id, const QString& text) {
    TableTab& t = m_tabs[int(id)];
    t.conditions = text;
    t.condLabel->setText(text);
    t.condLabel->setToolTip(text);
}

bool TForm1::fullHistoryChecked() const {
    return CheckBox1->isChecked();
}

bool TForm1::allHistoryFilesChecked() const {
    return ieH_CheckBox->isChecked();
}

void TForm1::setActivityIndexFile(const QString& path) {
    m_activityIndexFile = path;
    HistoryFileNamePanel->setToolTip(path);
}

void TForm1::setActivityIndexCaption(const QString& caption) {
    HistoryFileNamePanel->setText(caption);
}

void TForm1::setHistoryFolder(const QString& folder) {
    ieH_DirectoryPanel->setText(folder);
}

void TForm1::setCookieFolder(const QString& folder) {
    m_cookieFolder = folder;
    ieC_DirectoryPanel->setText(folder);
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
    const int id = ColumnsAction_Fit->data().toInt();
    if (id >= 0 && id < kAllTableTabCount)
        m_tabs[id].columns->fitToView();
}

void TForm1::showContextMenu(TabId id, const QPoint& pos) {
    TableTab& t = m_tabs[int(id)];
    // The menu opens by itself only while the table has rows.
    if (t.model->rows() == 0)
        return;
    table_PopupMenu->popup(t.view->viewport()->mapToGlobal(pos));
}

} // namespace vc
