// The filter box and the column choice in the real window: typed text keeps
// rows, the count label, the focused row, the copy and both exports follow
// the rows and columns shown; the header's menu hides and shows columns,
// a drag moves them, and both are kept for the next start.
#include "TestData.h"
#include "language/InterfaceTexts.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"
#include "tables/ExportCheck.h"
#include "tables/ui/ColumnFit.h"
#include "tables/ui/ColumnLayout.h"
#include "tables/ui/TableFilterBar.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

// Keystrokes into a widget, as typed.
void type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &event);
}

// Rows whose shown text holds `text` in any column, letter case ignored.
int rowsHolding(const TableModel& table, const QString& text) {
    int n = 0;
    for (int r = 0; r < table.rows(); ++r) {
        bool holds = false;
        for (int c = 0; c < table.columns(); ++c)
            holds = holds || table.cellText(r, c).contains(text, Qt::CaseInsensitive);
        n += holds ? 1 : 0;
    }
    return n;
}

QAction* menuEntry(QMenu* menu, const QString& name) {
    for (QAction* action : menu->actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

} // namespace

class TableFilterWindow : public WindowFixture {
protected:
    QTemporaryDir dir;

    TableTab& loadActivity() {
        chooser.fileAnswer = testDataPath(QStringLiteral("content-ie5-index.dat"));
        window->actions().ActionLoadIEActivity->trigger();
        return window->tab(TabId::Activity);
    }
    QByteArray exportText(const QString& name) {
        chooser.saveAnswer = dir.filePath(name);
        window->actions().ExportAction_Tab->trigger();
        return readAllOf(dir.filePath(name + QStringLiteral(".txt")));
    }
    QByteArray exportXml(const QString& name) {
        chooser.saveAnswer = dir.filePath(name);
        window->actions().ExportAction_XLS->trigger();
        return readAllOf(dir.filePath(name + QStringLiteral(".xml")));
    }
    QList<QAction*> openHeaderMenu(TableTab& t) {
        t.view->horizontalHeader()->customContextMenuRequested(QPoint(5, 5));
        QApplication::processEvents();
        const QList<QAction*> entries = window->actions().header_PopupMenu->actions();
        window->actions().header_PopupMenu->hide();
        return entries;
    }
};

TEST_F(TableFilterWindow, TypingKeepsTheRowsThatHoldTheTextAndEveryActionFollowsThem) {
    TableTab& t = loadActivity();
    const int all = t.model->rows();
    ASSERT_GT(all, 10);
    const QString countBefore = t.countLabel->text();
    ASSERT_TRUE(countBefore.endsWith(QStringLiteral(": ") + QString::number(all)))
        << qPrintable(countBefore);
    const QByteArray allText = exportText(QStringLiteral("all"));
    const int holding = rowsHolding(*t.model, QStringLiteral(".ico"));
    ASSERT_GT(holding, 0);
    ASSERT_LT(holding, all);

    // The box sits above the table; typing filters at once.
    QLineEdit* box = t.filter->box();
    EXPECT_TRUE(box->isVisible());
    EXPECT_LT(box->mapTo(t.sheet, QPoint(0, 0)).y(), t.view->mapTo(t.sheet, QPoint(0, 0)).y());
    EXPECT_EQ(box->placeholderText(), tx(TextFilterHint));
    box->setFocus();
    type(box, QStringLiteral(".ICO"));
    EXPECT_EQ(t.model->rows(), holding);
    EXPECT_EQ(rowsHolding(*t.model, QStringLiteral(".ico")), holding);
    EXPECT_EQ(t.countLabel->text(),
              QString(countBefore)
                  .replace(QStringLiteral(": ") + QString::number(all),
                           QStringLiteral(": %1 of %2").arg(holding).arg(all)));

    // The first row shown is the focused one, and the pane shows it.
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    ASSERT_TRUE(current.isValid());
    EXPECT_EQ(current.row(), 0);
    EXPECT_EQ(t.pane->filePanel()->text(), t.model->cellText(0, 0));

    // Ctrl+A and Ctrl+C copy the rows shown, no other.
    t.view->setFocus();
    t.view->selectAll();
    QGuiApplication::clipboard()->clear();
    press(t.view, Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    EXPECT_EQ(copied.size(), holding + 2);
    for (int i = 1; i + 1 < copied.size(); ++i)
        EXPECT_TRUE(copied[i].contains(QStringLiteral(".ico"), Qt::CaseInsensitive)) << i;

    // Both exports write the rows shown.
    const QList<QByteArray> lines = exportText(QStringLiteral("gif")).split('\n');
    ASSERT_EQ(lines.size(), holding + 2);
    for (int i = 1; i + 1 < lines.size(); ++i)
        EXPECT_TRUE(lines[i].toLower().contains(".ico")) << i;
    const ParsedSheet sheet = parseSheet(exportXml(QStringLiteral("gif")));
    ASSERT_TRUE(sheet.wellFormed);
    EXPECT_EQ(sheet.rows.size(), holding + 2);

    // A sort keeps the filter; a refill too, with its count.
    window->ListViewColumnClick(TabId::Activity, 0);
    EXPECT_EQ(t.model->rows(), holding);
    window->actions().ActionLoadIEActivity->trigger();
    EXPECT_EQ(t.model->rows(), holding);
    EXPECT_TRUE(t.countLabel->text().contains(QStringLiteral("%1 of %2").arg(holding).arg(all)))
        << qPrintable(t.countLabel->text());

    // A text no row holds: nothing shown, nothing to export, the pane empty.
    type(box, QStringLiteral("no such text anywhere"));
    EXPECT_EQ(t.model->rows(), 0);
    window->UpdateTabState();
    EXPECT_FALSE(window->actions().ExportAction_Tab->isEnabled());
    EXPECT_FALSE(window->actions().ExportAction_XLS->isEnabled());
    EXPECT_TRUE(t.pane->filePanel()->text().isEmpty());
    EXPECT_TRUE(t.countLabel->text().contains(QStringLiteral("0 of %1").arg(all)));

    // Escape empties the box: every row again, the count as before, the
    // export byte for byte as before.
    press(box, Qt::Key_Escape);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(t.model->rows(), all);
    EXPECT_EQ(t.countLabel->text(), countBefore);
    window->actions().ActionLoadIEActivity->trigger(); // the loaded order again
    EXPECT_EQ(exportText(QStringLiteral("again")), allText);

    // The texts follow a language switch.
    setInterfaceText(TextFilter, QStringLiteral("Filtr:"));
    setInterfaceText(TextFilterHint, QStringLiteral("Řádky"));
    window->ApplyInterfaceTexts();
    EXPECT_EQ(t.filter->findChild<QLabel*>()->text(), QStringLiteral("Filtr:"));
    EXPECT_EQ(box->placeholderText(), QStringLiteral("Řádky"));
    fillDefaultInterfaceTexts();
}

TEST_F(TableFilterWindow, HeaderMenuHidesAndShowsColumnsADragMovesThemAndBothAreKept) {
    TableTab& t = loadActivity();
    window->showTab(TabId::Activity);
    QApplication::processEvents();
    const int columns = t.model->columns();
    const QByteArray allText = exportText(QStringLiteral("all"));
    const QByteArray allXml = exportXml(QStringLiteral("all"));

    // The menu: Fit, then a check box for every column, then "Show every
    // column", which has nothing to do yet.
    QList<QAction*> entries = openHeaderMenu(t);
    ASSERT_EQ(entries.size(), columns + 4);
    EXPECT_EQ(entries[0], window->actions().ColumnsAction_Fit);
    for (int c = 0; c < columns; ++c) {
        EXPECT_EQ(entries[c + 2]->text(), t.model->caption(c));
        EXPECT_TRUE(entries[c + 2]->isChecked());
    }
    EXPECT_EQ(entries.last()->text(), tx(TextShowEveryColumn));
    EXPECT_FALSE(entries.last()->isEnabled());

    // Unchecking "Modified" (column 1) hides it; the other columns fill the
    // width; the export leaves it out.
    menuEntry(window->actions().header_PopupMenu, QStringLiteral("ColumnShown_1"))->trigger();
    EXPECT_TRUE(t.view->isColumnHidden(1));
    int shownWidth = 0;
    for (int c = 0; c < columns; ++c)
        shownWidth += t.view->isColumnHidden(c) ? 0 : t.view->columnWidth(c);
    EXPECT_NEAR(shownWidth, t.columns->sharedWidth(), columns);
    const QList<QByteArray> hiddenLines = exportText(QStringLiteral("hidden")).split('\n');
    const QList<QByteArray> allLines = allText.split('\n');
    ASSERT_EQ(hiddenLines.size(), allLines.size());
    for (qsizetype i = 0; i + 1 < allLines.size(); ++i) {
        QList<QByteArray> cells = allLines[i].split('\t');
        cells.removeAt(1);
        ASSERT_EQ(hiddenLines[i], cells.join('\t')) << i;
    }

    // A drag puts the third column first; the exports follow the shown
    // order.
    // (The header moves a dragged section with moveSection, which is what
    // is called here: synthetic mouse drags do not start the header's own
    // drag under the offscreen platform.)
    QHeaderView* header = t.view->horizontalHeader();
    ASSERT_TRUE(header->sectionsMovable());
    header->moveSection(2, 0);
    ASSERT_EQ(header->logicalIndex(0), 2);
    const QList<QByteArray> movedLines = exportText(QStringLiteral("moved")).split('\n');
    QList<QByteArray> first = allLines[1].chopped(1).split('\t');
    QList<QByteArray> expected{first[2], first[0]};
    for (int c = 3; c < columns; ++c)
        expected << first[c];
    EXPECT_EQ(movedLines[1].chopped(1), expected.join('\t'));
    const ParsedSheet sheet = parseSheet(exportXml(QStringLiteral("moved")));
    ASSERT_TRUE(sheet.wellFormed);
    EXPECT_EQ(sheet.expandedColumnCount, QString::number(columns - 1));
    EXPECT_EQ(sheet.rows.value(1).value(0), t.model->caption(2));

    // The last column shown cannot be hidden.
    for (int c = 0; c < columns; ++c)
        t.columnLayout->setColumnShown(c, false);
    EXPECT_EQ(t.model->shownColumns().size(), 1u);
    entries = openHeaderMenu(t);
    int enabledChecked = 0;
    for (QAction* entry : entries)
        if (entry->isCheckable() && entry->isChecked())
            enabledChecked += entry->isEnabled() ? 1 : 100;
    EXPECT_EQ(enabledChecked, 100);
    for (int c = 0; c < columns - 1; ++c)
        t.columnLayout->setColumnShown(c, c != 1);
    const std::vector<int> layout = t.model->shownColumns();

    // The next start: the same columns hidden, the same order.
    window->close();
    window = std::make_unique<TForm1>();
    window->setChooser(&chooser);
    window->show();
    QApplication::processEvents();
    TableTab& again = loadActivity();
    EXPECT_TRUE(again.view->isColumnHidden(1));
    EXPECT_EQ(again.view->horizontalHeader()->logicalIndex(0), 2);
    EXPECT_EQ(again.model->shownColumns(), layout);
    EXPECT_EQ(exportText(QStringLiteral("next")),
              readAllOf(dir.filePath(QStringLiteral("moved.txt"))));
    // Other tables kept their own layout.
    EXPECT_TRUE(window->tab(TabId::History).model->allColumnsInOrder());

    // "Show every column in its order": the exports are as they were.
    openHeaderMenu(again);
    QAction* every =
        menuEntry(window->actions().header_PopupMenu, QStringLiteral("ColumnsShowEvery"));
    ASSERT_NE(every, nullptr);
    EXPECT_TRUE(every->isEnabled());
    every->trigger();
    EXPECT_TRUE(again.model->allColumnsInOrder());
    EXPECT_FALSE(again.view->isColumnHidden(1));
    EXPECT_EQ(exportText(QStringLiteral("every")), allText);
    // The XML's column widths are the view's, which the fit of this window
    // chose; every other byte is as before.
    auto withoutWidths = [](QByteArray xml) {
        static const QRegularExpression width(QStringLiteral(" ss:Width=\"[0-9]+\""));
        return QString::fromUtf8(xml).remove(width);
    };
    const QString everyXml =
        withoutWidths(exportXml(QStringLiteral("every")).replace("\"every.xml\"", "\"all.xml\""));
    EXPECT_EQ(everyXml, withoutWidths(allXml));
    window->close();
    EXPECT_FALSE(QSettings(QStringLiteral("Ostravane"), QStringLiteral("Vellacord"))
                     .contains(QStringLiteral("ColumnLayout/ListView1")));
}
