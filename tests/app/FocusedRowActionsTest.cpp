// After a whole recall of the sample volume (two users, every table
// filled), the file actions of every tab work on that tab's focused row,
// never on a row of another tab or on a row focused before; an address
// from the evidence is opened only when the user says so; the keys and the
// window's first view are those of a list the user knows.
#include "TestData.h"
#include "app/QtMessages.h"
#include "browsers/BrowserColumns.h"
#include "documents/FakeFileServices.h"
#include "language/InterfaceTexts.h"
#include "platform/QStringPrinting.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"
#include "tables/ui/GotoLineWindow.h"
#include "tables/ui/SearchWindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

using namespace vc;

namespace {

bool copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.mid(from.size());
        const QFileInfo info = it.fileInfo();
        if (info.isDir() ? !QDir().mkpath(target) : !QFile::copy(path, target))
            return false;
    }
    return true;
}

// Every file below a folder with the SHA-256 of its bytes.
QMap<QString, QByteArray> filesBelow(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            files.insert(path, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return files;
}

// The last part of a Windows or Linux path.
QString lastPart(const QString& path) {
    return path.mid(
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1);
}

// A key pressed and released with the modifiers held, which are then let go.
void press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &up);
    if (modifiers != Qt::NoModifier) {
        QKeyEvent let(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
        QApplication::sendEvent(widget, &let);
    }
}

// The tabs whose rows stand for files or addresses: Internet Explorer's,
// the Documents tabs and the browsers'.
constexpr int kFileTabs = int(TabId::WebCookies) + 1;

class FocusedRowActions : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        volume = dir.path() + QStringLiteral("/pc");
        ASSERT_TRUE(QDir().mkpath(volume));
        ASSERT_TRUE(copyTree(samplesPath(QStringLiteral("volumes/pc")), volume));
        ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/dest")));
        ASSERT_TRUE(window->loadVolume(volume));
        messages.shown.clear();
    }
    TableTab& tab(TabId id) { return window->tab(id); }
    QString cell(TabId id, int row, int column) { return tab(id).model->cellText(row, column); }
    QString user(TabId id, int row) { return cell(id, row, tab(id).model->columns() - 1); }
    // Brings a tab to the front and focuses a row of it, as a click does.
    void focus(TabId id, int row) {
        window->showTab(id);
        QTableView* view = tab(id).view;
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    int focused(TabId id) { return tab(id).view->currentIndex().row(); }

    // What the row's file must be, told from its cells alone: whether a
    // path (as the actions give it) is that file.
    bool isFileOfRow(TabId id, int row, const QString& path) {
        const QFileInfo info(path);
        auto same = [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) == 0;
        };
        const bool ofUser = user(id, row).isEmpty() ||
                            path.contains(QLatin1Char('/') + user(id, row) + QLatin1Char('/'));
        switch (id) {
        case TabId::Activity: // Directory/File Name in the row's user's cache
            return ofUser && same(info.fileName(), cell(id, row, 3)) &&
                   same(info.dir().dirName(), cell(id, row, 6)) &&
                   path.contains(QStringLiteral("Content.IE5/"), Qt::CaseInsensitive);
        case TabId::History: {
            QString address = cell(id, row, 0);
            address = address.mid(address.indexOf(QLatin1Char('@')) + 1);
            return path == address || (address.startsWith(QLatin1String("file:///")) &&
                                       same(info.fileName(), lastPart(address)));
        }
        case TabId::Cookie: // the cookie file of the row's user
            return ofUser && info.fileName() == cell(id, row, 4) &&
                   path.contains(QStringLiteral("/Cookies/"), Qt::CaseInsensitive);
        case TabId::Links:
        case TabId::Temp:
            return path == cell(id, row, id == TabId::Links ? 3 : 4);
        case TabId::Recent: // the target, where it lies in the row's user's profile
            return path == cell(id, row, 4) ||
                   (ofUser && same(info.fileName(), lastPart(cell(id, row, 4))));
        case TabId::WebDownloads:
            return ofUser && same(info.fileName(), lastPart(cell(id, row, 1)));
        case TabId::WebHistory: // the database, before the files read and the place
            return path == cell(id, row, kHistoryBrowser + 2);
        case TabId::WebCookies:
            return path == cell(id, row, kCookieBrowser + 2);
        }
        return false;
    }
    // The last row of a tab whose file is there, so that every action is
    // offered; -1 when none.
    int rowWithFile(TabId id) {
        for (int row = tab(id).model->rows() - 1; row >= 0; --row) {
            focus(id, row);
            if (window->actions().filesPopUp_CopyTo->isEnabled())
                return row;
        }
        return -1;
    }
    // Runs every action but Move on the focused row; the paths they were
    // given.
    QStringList actionPaths() {
        desktop.calls.clear();
        for (QAction* action :
             {window->actions().filesPopUp_Open, window->actions().filesPopUp_OpenWith,
              window->actions().filesPopUp_OpenFolder, window->actions().filesPopUp_Properties})
            action->trigger();
        chooser.folderAnswer = dir.path() + QStringLiteral("/dest");
        window->actions().filesPopUp_CopyTo->trigger();
        QStringList paths;
        for (const auto& call : desktop.calls)
            if (call.what != QLatin1String("freeSpace"))
                paths << call.path;
        return paths;
    }

    FakeFileServices desktop;
    QTemporaryDir dir;
    QString volume;
};

} // namespace

TEST_F(FocusedRowActions, EveryActionOfEveryTabTargetsThatTabsFocusedRow) {
    // The window shows Activity after the recall, not the last table read.
    EXPECT_EQ(window->currentTabId(), TabId::Activity);
    EXPECT_EQ(window->widgets().mainPageControl->currentWidget(), window->widgets().IE_TabSheet);

    // Straight after the recall, before any click: each tab's first row.
    QSet<QString> targets;
    int rowsWithTarget = 0;
    for (int i = 0; i < kFileTabs; ++i) {
        const TabId id = TabId(i);
        ASSERT_GT(tab(id).model->rows(), 0) << i;
        window->showTab(id);
        EXPECT_EQ(focused(id), 0) << i;
        const QString target = window->actions().filesPopUp_Open->statusTip();
        ++rowsWithTarget;
        if (target.isEmpty()) {
            // A download to a drive the volume does not hold: nothing to
            // act on.
            EXPECT_EQ(id, TabId::WebDownloads);
            EXPECT_FALSE(window->actions().filesPopUp_Open->isEnabled());
            --rowsWithTarget;
            continue;
        }
        EXPECT_TRUE(isFileOfRow(id, 0, target)) << i << " " << qPrintable(target);
        targets << target;
    }
    EXPECT_GE(rowsWithTarget, kFileTabs - 1);
    EXPECT_EQ(targets.size(), rowsWithTarget) << "no two tabs share a target";

    // Every action on a later row of every tab, visiting the tabs in an
    // order of their own.
    int tabsWithAFile = 0;
    for (int i : {5, 0, 8, 2, 4, 6, 1, 7, 3}) {
        const TabId id = TabId(i);
        const int row = rowWithFile(id);
        if (row < 0) {
            // Nothing of the tab is on the volume: the History tab's
            // addresses, downloads to places the volume does not hold.
            EXPECT_TRUE(id == TabId::History || id == TabId::WebDownloads) << i;
            continue;
        }
        ++tabsWithAFile;
        const QStringList paths = actionPaths();
        ASSERT_EQ(paths.size(), 5) << i; // open, open with, folder, properties, copy
        for (const QString& path : paths)
            EXPECT_TRUE(isFileOfRow(id, row, path)) << i << " " << qPrintable(path);
        EXPECT_EQ(desktop.calls.last().other,
                  dir.path() + QStringLiteral("/dest/") + QFileInfo(paths.first()).fileName());
        // Another tab in between does not change what this one acts on.
        window->showTab(TabId((i + 1) % kFileTabs));
        window->showTab(id);
        EXPECT_TRUE(isFileOfRow(id, row, window->actions().filesPopUp_Properties->statusTip()))
            << i;
    }
    EXPECT_GE(tabsWithAFile, 7);
    EXPECT_TRUE(messages.shown.isEmpty()) << qPrintable(messages.shown.value(0).text);

    // Down moves the focus and the actions with it.
    focus(TabId::Temp, 0);
    press(tab(TabId::Temp).view, Qt::Key_Down);
    EXPECT_EQ(focused(TabId::Temp), 1);
    EXPECT_EQ(window->actions().filesPopUp_Open->statusTip(), cell(TabId::Temp, 1, 4));

    // No focused row: no file action at all.
    tab(TabId::Temp).view->selectionModel()->clearCurrentIndex();
    for (QAction* action : window->actions().files_PopupMenu->actions())
        EXPECT_FALSE(action->isEnabled()) << qPrintable(action->objectName());
}

TEST_F(FocusedRowActions, AnActivityRowWhoseCachedFileIsErasedOffersNoFileAction) {
    const int row = rowWithFile(TabId::Activity);
    ASSERT_GE(row, 0);
    // The row focused, its file erased, another row, then the row again.
    focus(TabId::Activity, row);
    const QString cached = window->actions().filesPopUp_CopyTo->statusTip();
    ASSERT_TRUE(QFile::remove(cached));
    focus(TabId::Activity, row == 0 ? 1 : 0);
    focus(TabId::Activity, row);
    for (QAction* action : window->actions().files_PopupMenu->actions())
        EXPECT_FALSE(action->isEnabled()) << qPrintable(action->objectName());
    EXPECT_EQ(tab(TabId::Activity).pane->imageCaption()->text(), QStringLiteral("File Erased"));
}

TEST_F(FocusedRowActions, AMoveAnsweredYesChangesNoOtherFileOfTheEvidence) {
    const QMap<QString, QByteArray> before = filesBelow(volume);
    const int row = rowWithFile(TabId::Temp);
    ASSERT_GE(row, 0);
    const QString moved = window->actions().filesPopUp_MoveTo->statusTip();
    ASSERT_TRUE(isFileOfRow(TabId::Temp, row, moved));
    // The Chrome tab read last by the recall, and focused rows elsewhere:
    // none of them counts.
    focus(TabId::WebCookies, 0);
    focus(TabId::Temp, row);
    chooser.folderAnswer = dir.path() + QStringLiteral("/dest");
    messages.answers = {MessageAnswer::Ok};
    window->actions().filesPopUp_MoveTo->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Moving takes the file out of the examined profile:\n") + moved +
                  QStringLiteral("\n\nMove it anyway?"));
    const QString destination = dir.path() + QStringLiteral("/dest/") + QFileInfo(moved).fileName();
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QStringLiteral("Moved ") + moved + QStringLiteral(" to ") + destination);

    QMap<QString, QByteArray> after = filesBelow(volume);
    EXPECT_FALSE(after.contains(moved));
    EXPECT_EQ(filesBelow(dir.path() + QStringLiteral("/dest")).value(destination),
              before.value(moved));
    QMap<QString, QByteArray> expected = before;
    expected.remove(moved);
    EXPECT_EQ(after, expected);
    // The row's file is gone: nothing more is offered on it.
    EXPECT_FALSE(window->actions().filesPopUp_CopyTo->isEnabled());
    // The next folder dialog starts where the file went, not in the evidence.
    focus(TabId::Temp, row == 0 ? 1 : 0);
    chooser.folderAnswer.clear();
    window->actions().filesPopUp_CopyTo->trigger();
    EXPECT_EQ(chooser.lastStartFolder, dir.path() + QStringLiteral("/dest"));
}

TEST_F(FocusedRowActions, AnAddressFromTheEvidenceOpensOnlyWhenTheUserSaysYes) {
    // A History row's address: by the menu, the file panel and a double-click.
    focus(TabId::History, 0);
    QString address = cell(TabId::History, 0, 0);
    address = address.mid(address.indexOf(QLatin1Char('@')) + 1);
    ASSERT_TRUE(address.startsWith(QLatin1String("http"))) << qPrintable(address);
    EXPECT_TRUE(window->actions().filesPopUp_Open->isEnabled());
    const QString question =
        QStringLiteral("Open this address from the evidence in your web browser?\n\n") + address;
    messages.answers = {MessageAnswer::No, MessageAnswer::No, MessageAnswer::No};
    window->actions().filesPopUp_Open->trigger();
    Q_EMIT tab(TabId::History).pane->filePanel()->clicked();
    Q_EMIT tab(TabId::History).view->doubleClicked(tab(TabId::History).model->index(0, 0));
    ASSERT_EQ(messages.shown.size(), 3);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.kind, MessageKind::Confirmation);
        EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
        EXPECT_EQ(shown.text, question);
    }
    EXPECT_TRUE(desktop.calls.isEmpty()) << "No opens nothing";
    messages.answers = {MessageAnswer::Yes};
    window->actions().filesPopUp_Open->trigger();
    EXPECT_EQ(desktop.calls, (QList<FakeFileServices::Call>{{"open", address, {}}}));

    // The Activity tab's address line, and a browser's visit.
    messages.shown.clear();
    desktop.calls.clear();
    focus(TabId::Activity, 0);
    messages.answers = {MessageAnswer::No};
    Q_EMIT tab(TabId::Activity).pane->filePanel()->clicked();
    focus(TabId::WebHistory, 0);
    messages.answers = {MessageAnswer::No};
    Q_EMIT tab(TabId::WebHistory).pane->filePanel()->clicked();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Open this address from the evidence in your web browser?\n\n") +
                  cell(TabId::Activity, 0, 0));
    EXPECT_TRUE(messages.shown[1].text.endsWith(cell(TabId::WebHistory, 0, 0)));
    EXPECT_TRUE(desktop.calls.isEmpty());
    // A file of the evidence opens without a question.
    focus(TabId::Temp, 0);
    window->actions().filesPopUp_Open->trigger();
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(desktop.count(QStringLiteral("open")), 1);
}

TEST_F(FocusedRowActions, FindAndGoToLineMakeTheFoundRowTheAnchor) {
    TableTab& t = tab(TabId::Recent);
    ASSERT_GT(t.model->rows(), 25);
    focus(TabId::Recent, 8);
    // Go to line 20, then Shift+Down: rows 20 and 21 (19 and 20 counted
    // from 0), not everything from row 9 on.
    window->search().GotoLine1->setModalHook([this](ModalWindow&) {
        window->search().GotoLine1->GotoComboBox->setEditText(QStringLiteral("20"));
        window->search().GotoLine1->BitBtn1->click();
    });
    window->actions().SearchAction_GoLine->trigger();
    EXPECT_EQ(focused(TabId::Recent), 19);
    press(t.view, Qt::Key_Down, Qt::ShiftModifier);
    QList<int> rows;
    for (const QModelIndex& index : t.view->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QList<int>{19, 20}));

    // Find: the found row is the anchor too.
    const QString name = cell(TabId::Recent, 24, 0);
    focus(TabId::Recent, 2);
    window->search().Search1->setModalHook([this, name](ModalWindow&) {
        window->search().Search1->FindComboBox->setEditText(name);
        window->search().Search1->BitBtn1->click();
    });
    window->actions().SearchAction_Find->trigger();
    const int found = focused(TabId::Recent);
    ASSERT_GE(found, 1);
    EXPECT_EQ(cell(TabId::Recent, found, 0), name);
    press(t.view, Qt::Key_Up, Qt::ShiftModifier);
    rows.clear();
    for (const QModelIndex& index : t.view->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QList<int>{found - 1, found}));
}

TEST_F(FocusedRowActions, HomeEndAndShiftF10ActOnRows) {
    TableTab& t = tab(TabId::Recent);
    const int last = t.model->rows() - 1;
    focus(TabId::Recent, 5);
    t.view->setCurrentIndex(t.model->index(5, 3)); // the cursor in column 3
    press(t.view, Qt::Key_End);
    EXPECT_EQ(t.view->currentIndex().row(), last);
    EXPECT_EQ(t.view->currentIndex().column(), 3) << "the table does not scroll sideways";
    EXPECT_EQ(t.view->selectionModel()->selectedRows().size(), 1);
    press(t.view, Qt::Key_Home);
    EXPECT_EQ(t.view->currentIndex().row(), 0);
    press(t.view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(t.view->selectionModel()->selectedRows().size(), last + 1);

    // Shift+F10 opens the row menu, as the Menu key does.
    bool shown = false;
    QTimer::singleShot(0, window.get(), [&] {
        shown = window->actions().table_PopupMenu->isVisible();
        window->actions().table_PopupMenu->close();
    });
    press(t.view, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(window->actions().filesPopUp_Open->statusTip() == window->currentFileName());
}

TEST(QtMessageBoxes, EnterAnswersAYesOrNoQuestionWithNo) {
    QtMessages boxes(nullptr);
    bool noIsDefault = false;
    // Enter on the box as soon as it stands.
    QTimer enter;
    QObject::connect(&enter, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        enter.stop();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        press(box, Qt::Key_Return);
    });
    enter.start(10);
    EXPECT_EQ(boxes.show(MessageKind::Confirmation,
                         QStringLiteral("Open this address from the evidence in your web "
                                        "browser?\n\nhttp://example.com/"),
                         MessageButtons::YesNo),
              MessageAnswer::No);
    EXPECT_TRUE(noIsDefault);
}

TEST_F(FocusedRowActions, NarrowingTheWindowWhileScrolledRightKeepsColumnsInView) {
    window->resize(1400, 900);
    window->showTab(TabId::Recent);
    QApplication::processEvents();
    QTableView* view = tab(TabId::Recent).view;
    QScrollBar* bar = view->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the Recent table is wider than the window";
    for (const int width : {1100, 800, 600, 1000}) {
        bar->setValue(bar->maximum());
        QApplication::processEvents();
        window->resize(width, 900);
        QApplication::processEvents();
        QApplication::processEvents();
        QHeaderView* header = view->horizontalHeader();
        // Header and rows show columns from the left edge to the right one,
        // and the header lies where the rows do.
        const int right = view->viewport()->width() - 1;
        EXPECT_GE(header->logicalIndexAt(0), 0) << width;
        EXPECT_GE(header->logicalIndexAt(right), 0) << width;
        EXPECT_GE(view->columnAt(0), 0) << width;
        EXPECT_GE(view->columnAt(right), 0) << width;
        EXPECT_LE(bar->value(), bar->maximum());
        EXPECT_EQ(header->logicalIndexAt(right), view->columnAt(right)) << width;
    }
}
