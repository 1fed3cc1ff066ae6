// The window as a user meets it: columns sharing each table's width, labels
// that never widen the window, copying rows, what is remembered between
// runs, and a profile read whole when it is opened.
#include "TestData.h"
#include "app/PanelLabel.h"
#include "app/WindowSettings.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"
#include "tables/ExportTarget.h"
#include "tables/ui/ColumnFit.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

#include <numeric>

using namespace vc;

namespace {

const TabId kAllTabs[] = {TabId::Activity,   TabId::History,      TabId::Cookie,
                          TabId::Links,      TabId::Recent,       TabId::Temp,
                          TabId::WebHistory, TabId::WebDownloads, TabId::WebCookies};

QString sampleProfile() {
    return QDir(samplesPath(QStringLiteral("profiles/xp"))).absolutePath();
}

double shareSum(const TableModel& model) {
    double sum = 0;
    for (const TableColumn& c : model.columnSpecs())
        sum += c.widthFactor;
    return sum;
}

// Every column of the table in front is readable and, where the shares fit
// the view, the columns fill it exactly.
void expectColumnsShareTheView(TForm1& form, TabId id, const QString& where) {
    SCOPED_TRACE((where + QStringLiteral(" table ") + QString::number(int(id))).toStdString());
    TableTab& t = form.tab(id);
    const std::vector<int> readable = t.columns->readableWidths();
    const QFontMetrics captions(t.view->horizontalHeader()->font());
    const QFontMetrics cells(t.view->font());
    int total = 0;
    for (int c = 0; c < t.model->columns(); ++c) {
        const int width = t.view->columnWidth(c);
        total += width;
        EXPECT_GE(width, readable[size_t(c)]) << c;
        // The caption fits (the "e Nar" of a squeezed "File Name").
        EXPECT_GT(width, captions.horizontalAdvance(t.model->caption(c))) << c;
        // Every time text of the first rows fits its column.
        if (!t.model->isDateColumn(c))
            continue;
        for (int r = 0; r < std::min(t.model->rows(), 20); ++r) {
            EXPECT_GT(width, cells.horizontalAdvance(t.model->cellText(r, c))) << c << " row " << r;
        }
    }
    const int room = t.columns->sharedWidth();
    EXPECT_GT(room, 500);
    const int least = std::accumulate(readable.begin(), readable.end(), 0);
    if (shareSum(*t.model) <= 1.0 + 1e-9 && least <= room) {
        EXPECT_EQ(total, room); // not two thirds of it, nor wider
    } else {
        EXPECT_GE(total, room); // many columns: the table scrolls sideways
    }
}

} // namespace

using WindowLayout = WindowFixture;

TEST_F(WindowLayout, EveryTablesColumnsShareItsWidthAfterAFillAtTwoSizes) {
    ASSERT_TRUE(window->loadProfile(sampleProfile()));
    for (TabId id :
         {TabId::Activity, TabId::History, TabId::Cookie, TabId::Links, TabId::Recent, TabId::Temp})
        EXPECT_GT(window->tab(id).model->rows(), 0) << int(id);
    for (const QSize size : {QSize(1000, 700), QSize(1400, 900)}) {
        window->resize(size);
        QApplication::processEvents();
        const QString where = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        for (TabId id : kAllTabs) {
            window->showTab(id);
            QApplication::processEvents();
            expectColumnsShareTheView(*window, id, where);
        }
    }
    // Activity keeps the proportions of its shares: the address (0.25) is
    // wider than a time (0.17).
    TableTab& activity = window->tab(TabId::Activity);
    EXPECT_GT(activity.view->columnWidth(0), activity.view->columnWidth(1));

    // A fill of the table in front lays it out again: the Cookie table
    // refilled at the smaller size fills that size.
    window->resize(1000, 700);
    window->showTab(TabId::Cookie);
    QApplication::processEvents();
    chooser.folderAnswer = window->cookieFolder();
    window->actions().ActionIECookie->trigger();
    QApplication::processEvents();
    expectColumnsShareTheView(*window, TabId::Cookie, QStringLiteral("after a refill"));
}

TEST_F(WindowLayout, ColumnsTheUserSizedSurviveFillsAndResizesUntilFittedAgain) {
    ASSERT_TRUE(window->openProfile(sampleProfile()));
    window->showTab(TabId::History);
    QApplication::processEvents();
    TableTab& t = window->tab(TabId::History);
    EXPECT_FALSE(t.columns->userSized());
    t.view->horizontalHeader()->resizeSection(0, 333); // as a drag does
    EXPECT_TRUE(t.columns->userSized());
    const QList<int> mine = t.columns->widths();

    chooser.folderAnswer = GetSpecialFolder(window->firstUser(), FolderKind::HistoryDir);
    window->actions().Action_ieH->trigger();
    QApplication::processEvents();
    ASSERT_GT(t.model->rows(), 0);
    EXPECT_EQ(t.columns->widths(), mine); // the refill kept them
    window->resize(1300, 800);
    QApplication::processEvents();
    EXPECT_EQ(t.columns->widths(), mine); // and so did the resize

    // "Fit Columns to Window" of the header's menu lays them out again.
    EXPECT_EQ(window->actions().ColumnsAction_Fit->text(), QStringLiteral("Fit Columns to Window"));
    window->actions().ColumnsAction_Fit->setData(int(TabId::History));
    window->actions().ColumnsAction_Fit->trigger();
    EXPECT_FALSE(t.columns->userSized());
    expectColumnsShareTheView(*window, TabId::History, QStringLiteral("fitted"));
}

TEST_F(WindowLayout, LongLabelsNeverWidenTheWindow) {
    // A profile behind a 300-character path, and 300 characters of
    // conditions above a table.
    QTemporaryDir root;
    QString deep = root.path();
    while (deep.size() < 300)
        deep += QStringLiteral("/a-rather-long-folder-name-of-an-evidence-copy");
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString profile = deep + QStringLiteral("/xp");
    ASSERT_TRUE(QFile::link(sampleProfile(), profile));
    const QString conditions = QString(300, QLatin1Char('c'));

    window->resize(1000, 700);
    QApplication::processEvents();
    const int width = window->width();
    ASSERT_TRUE(window->loadProfile(profile));
    // The conditions a recall with conditions writes above every table.
    for (TabId id : kAllTabs)
        window->setConditionText(id, conditions);
    QApplication::processEvents();
    EXPECT_EQ(window->width(), width);
    EXPECT_LE(window->minimumSizeHint().width(), width);
    EXPECT_LE(window->minimumSize().width(), width);

    // The labels keep their whole texts, and show them shortened.
    auto* cond = qobject_cast<PanelLabel*>(window->tab(TabId::Activity).condLabel);
    ASSERT_TRUE(cond);
    EXPECT_EQ(cond->text(), conditions);
    EXPECT_TRUE(cond->isElided());
    EXPECT_TRUE(cond->shownText().endsWith(QChar(0x2026)));
    auto* status = qobject_cast<PanelLabel*>(window->widgets().StatusPanel0);
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->text().startsWith(profile));
    EXPECT_TRUE(status->isElided());
    EXPECT_LE(window->widgets().StatusPanel0->width(), window->statusBar()->width());
    window->showTab(TabId::Activity);
    QApplication::processEvents();
    auto* index = qobject_cast<PanelLabel*>(window->widgets().HistoryFileNamePanel);
    ASSERT_TRUE(index);
    EXPECT_TRUE(index->text().startsWith(profile));
    EXPECT_TRUE(index->isElided());
    // Shortened in the middle: the index file's name stays in view.
    EXPECT_TRUE(index->shownText().contains(QStringLiteral("index.dat")));
    EXPECT_TRUE(window->windowTitle().startsWith(profile));

    // And the window can be made smaller again.
    window->resize(760, 560);
    QApplication::processEvents();
    EXPECT_EQ(window->width(), 760);
}

TEST_F(WindowLayout, CtrlCCopiesTheSelectedRowsWithCaptions) {
    chooser.fileAnswer = testDataPath(QStringLiteral("content-ie5-index.dat"));
    window->actions().ActionLoadIEActivity->trigger();
    TableTab& t = window->tab(TabId::Activity);
    ASSERT_GE(t.model->rows(), 3);
    // Sorted by access time, the view's order is the table's new order.
    window->ListViewColumnClick(TabId::Activity, 2);
    QItemSelectionModel* selection = t.view->selectionModel();
    selection->clearSelection();
    for (int row : {2, 0})
        selection->select(t.model->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->setCurrentIndex(t.model->index(0, 0), QItemSelectionModel::NoUpdate);
    QGuiApplication::clipboard()->clear();
    window->activateWindow();
    t.view->setFocus();
    QApplication::processEvents();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(t.view, &press);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4) << qPrintable(lines.join(QLatin1Char('|')));
    QStringList captions, first, third;
    for (int c = 0; c < t.model->columns(); ++c) {
        captions << t.model->caption(c);
        first << t.model->cellText(0, c);
        third << t.model->cellText(2, c);
    }
    EXPECT_EQ(lines[0], captions.join(QLatin1Char('\t')));
    EXPECT_EQ(lines[1], first.join(QLatin1Char('\t'))); // in the order shown
    EXPECT_EQ(lines[2], third.join(QLatin1Char('\t')));
    EXPECT_TRUE(lines[3].isEmpty());
    // The file actions still follow the focused row.
    EXPECT_EQ(t.pane->filePanel()->text(), t.model->cellText(0, 0));

    // The entry in the table's menu and the Search menu.
    EXPECT_EQ(window->actions().EditAction_Copy->text(), QStringLiteral("Copy"));
    const QList<QAction*> tableMenu = window->actions().table_PopupMenu->actions();
    ASSERT_FALSE(tableMenu.isEmpty());
    EXPECT_EQ(tableMenu.constLast(), window->actions().EditAction_Copy);
    EXPECT_EQ(tableMenu.constFirst(), window->actions().filesPopUp_Open);
    EXPECT_TRUE(
        window->actions().SearchItem->actions().contains(window->actions().EditAction_Copy));
}

TEST_F(WindowLayout, SizePlaceColumnsAndFoldersAreRememberedBetweenRuns) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect place(screen.x() + 40, screen.y() + 30, screen.width() - 100,
                      screen.height() - 100);
    window->resize(place.size());
    window->move(place.topLeft());
    window->showTab(TabId::Links);
    QApplication::processEvents();
    TableTab& links = window->tab(TabId::Links);
    links.view->horizontalHeader()->resizeSection(1, 177);
    const QList<int> linkWidths = links.columns->widths();
    ASSERT_TRUE(window->openProfile(sampleProfile()));
    EXPECT_EQ(lastProfileFolder(), sampleProfile());
    window->close();

    // The next run: the same size, place and Links widths; the others laid
    // out by their shares; the profile only offered, not read.
    window = std::make_unique<TForm1>();
    window->setChooser(&chooser);
    EXPECT_EQ(window->size(), place.size());
    EXPECT_EQ(window->pos(), place.topLeft());
    EXPECT_EQ(window->tab(TabId::Links).columns->widths(), linkWidths);
    EXPECT_FALSE(window->tab(TabId::History).columns->userSized());
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(window->tab(TabId::Links).model->rows(), 0);
    EXPECT_EQ(window->machine(), nullptr);
    chooser.folderAnswer.clear();
    window->actions().ActionOpenProfile->trigger();
    EXPECT_EQ(chooser.lastStartFolder, sampleProfile());

    // A place off every screen, larger than any, comes back inside the
    // screen.
    window->close();
    window.reset();
    QSettings(QStringLiteral("Ostravane"), QStringLiteral("Vellacord"))
        .setValue(QStringLiteral("Window/Geometry"), QStringLiteral("-9000,-9000,20000,15000"));
    window = std::make_unique<TForm1>();
    EXPECT_TRUE(screen.contains(window->geometry()))
        << window->geometry().x() << "," << window->geometry().y() << " " << window->width() << "x"
        << window->height();
    EXPECT_EQ(clampedToArea(QRect(1200, 800, 500, 400), QRect(0, 0, 1400, 900)),
              QRect(900, 500, 500, 400));
    EXPECT_EQ(clampedToArea(QRect(-50, -20, 2000, 300), QRect(0, 0, 1400, 900)),
              QRect(0, 0, 1400, 300));
}

TEST_F(WindowLayout, ExportSuggestsTheTabAndDateAndRemembersTheFolder) {
    chooser.fileAnswer = testDataPath(QStringLiteral("content-ie5-index.dat"));
    window->actions().ActionLoadIEActivity->trigger();
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    QTemporaryDir out;
    chooser.saveAnswer = out.filePath(QStringLiteral("mine.txt"));
    window->actions().ExportAction_Tab->trigger();
    // The first export starts in the home folder, not the program's.
    EXPECT_EQ(chooser.lastStartFolder, QDir::homePath() +
                                           QStringLiteral("/Internet Explorer - Activity ") +
                                           today + QStringLiteral(".txt"));
    ASSERT_TRUE(QFileInfo::exists(chooser.saveAnswer));
    EXPECT_EQ(lastExportFolder(), out.path());
    // The next export starts where the last one went.
    chooser.saveAnswer.clear();
    window->actions().ExportAction_XLS->trigger();
    EXPECT_EQ(chooser.lastStartFolder, out.path() +
                                           QStringLiteral("/Internet Explorer - Activity ") +
                                           today + QStringLiteral(".xml"));
}

TEST_F(WindowLayout, OpeningAProfileReadsEveryTableAndNamesIt) {
    chooser.folderAnswer = sampleProfile();
    window->actions().ActionOpenProfile->trigger();
    for (TabId id :
         {TabId::Activity, TabId::History, TabId::Cookie, TabId::Links, TabId::Recent, TabId::Temp})
        EXPECT_GT(window->tab(id).model->rows(), 0) << int(id);
    // The recall's summary is the one message.
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
    EXPECT_TRUE(window->windowTitle().startsWith(sampleProfile() + QStringLiteral(" - \"")))
        << qPrintable(window->windowTitle());
    EXPECT_FALSE(window->progressBar());
    EXPECT_FALSE(window->secondProgressBar());
}
