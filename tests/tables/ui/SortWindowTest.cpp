#include "TestData.h"
#include "support/WindowFixture.h"
#include "tables/ui/SortMarks.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace vc;

namespace {

// A real click on a column header.
void clickHeader(QTableView* view, int column) {
    QHeaderView* header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, header->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, header->viewport()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &press);
    QApplication::sendEvent(header->viewport(), &release);
}

int currentRow(const TableTab& t) {
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool rowVisible(const TableTab& t, int row) {
    const QRect rect = t.view->visualRect(t.model->index(row, 0));
    return rect.isValid() && t.view->viewport()->rect().intersects(rect);
}

} // namespace

class SortWindow : public WindowFixture {};

TEST_F(SortWindow, HeaderClicksSortTheRecentTableAndKeepTheSelection) {
    TableTab& t = window->tab(TabId::Recent);
    window->showTab(TabId::Recent);
    // A click on the header of an empty table changes nothing.
    clickHeader(t.view, 3);
    EXPECT_TRUE(t.model->hint().isEmpty());
    EXPECT_EQ(t.model->headerImage(3), -1);

    // 300 rows whose last-access times run backwards, with a few texts that
    // are not dates.
    t.model->beginBulkUpdate();
    for (int i = 0; i < 300; ++i) {
        QByteArray access = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)
                                .addSecs(qint64(300 - i) * 3600)
                                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                .toLatin1();
        if (i == 7)
            access = QByteArray(); // no time
        else if (i == 8)
            access = " "; // a time that could not be converted
        else if (i == 9)
            access = "??"; // unreadable
        t.model->appendRow({"name" + QByteArray::number(i), i % 2 ? ".DOC" : ".doc",
                            "2001-01-01 00:00:00", access, "C:/x/" + QByteArray::number(i)});
    }
    t.model->endBulkUpdate();
    window->UpdateTabState();

    // Select a row near the end, then sort by last access.
    const QByteArray chosen = t.model->cell(290, 0);
    window->selectFirstRow(TabId::Recent);
    t.view->selectionModel()->setCurrentIndex(
        t.model->index(290, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QApplication::processEvents();
    clickHeader(t.view, 3);
    EXPECT_EQ(t.model->hint(), QStringLiteral("3|1"));
    EXPECT_EQ(t.model->headerImage(3), window->sorting().SortIconIndex + 1);
    EXPECT_TRUE(t.model->headerData(3, Qt::Horizontal, Qt::DecorationRole).isValid());
    EXPECT_FALSE(t.model->headerData(2, Qt::Horizontal, Qt::DecorationRole).isValid());
    EXPECT_EQ(t.model->cell(0, 3), QByteArray());
    EXPECT_EQ(t.model->cell(1, 3), QByteArray(" "));
    EXPECT_EQ(t.model->cell(2, 3), QByteArray("??"));
    EXPECT_EQ(t.model->cell(3, 0), QByteArray("name299"));
    EXPECT_EQ(t.model->cell(299, 0), QByteArray("name0"));
    // The selected row is still the selected row, and in view.
    const int row = currentRow(t);
    ASSERT_GE(row, 0);
    EXPECT_EQ(t.model->cell(row, 0), chosen);
    EXPECT_TRUE(t.view->selectionModel()->isRowSelected(row, QModelIndex()));
    EXPECT_EQ(t.view->selectionModel()->selectedRows().size(), 1);
    QApplication::processEvents();
    EXPECT_TRUE(rowVisible(t, row));

    // The second click reverses the order; the mark follows.
    clickHeader(t.view, 3);
    EXPECT_EQ(t.model->hint(), QStringLiteral("3|0"));
    EXPECT_EQ(t.model->headerImage(3), window->sorting().SortIconIndex);
    EXPECT_EQ(t.model->cell(0, 0), QByteArray("name0"));
    EXPECT_EQ(t.model->cell(299, 3), QByteArray());
    EXPECT_EQ(t.model->cell(currentRow(t), 0), chosen);

    // Another column starts ascending, as text without regard to case; the
    // old mark goes.
    clickHeader(t.view, 1);
    EXPECT_EQ(t.model->hint(), QStringLiteral("1|1"));
    EXPECT_EQ(t.model->headerImage(3), -1);
    EXPECT_EQ(t.model->headerImage(1), window->sorting().SortIconIndex + 1);
    // ".doc" and ".DOC" are equal, so the previous (descending-time) order
    // holds among them.
    EXPECT_EQ(t.model->cell(0, 0), QByteArray("name0"));
    EXPECT_EQ(t.model->cell(1, 0), QByteArray("name1"));
    EXPECT_EQ(t.model->cell(currentRow(t), 0), chosen);
}

TEST_F(SortWindow, ReloadedActivityTableStartsUnsorted) {
    chooser.fileAnswer = testDataPath(QStringLiteral("content-ie5-index.dat"));
    window->actions().ActionLoadIEActivity->trigger();
    TableTab& t = window->tab(TabId::Activity);
    ASSERT_GT(t.model->rows(), 10);

    clickHeader(t.view, 2); // access time
    ASSERT_EQ(t.model->hint(), QStringLiteral("2|1"));
    int dated = 0;
    std::optional<QDateTime> previous;
    for (int r = 0; r < t.model->rows(); ++r) {
        const std::optional<QDateTime> when = parseTimeText(t.model->cell(r, 2));
        if (!when) {
            // Rows without a readable time all come first.
            EXPECT_FALSE(previous.has_value()) << r;
            continue;
        }
        ++dated;
        if (previous) {
            EXPECT_LE(*previous, *when) << r;
        }
        previous = when;
    }
    EXPECT_GT(dated, t.model->rows() / 2);
    clickHeader(t.view, 0);
    for (int r = 1; r < t.model->rows(); ++r)
        EXPECT_LE(t.model->cell(r - 1, 0).toUpper(), t.model->cell(r, 0).toUpper()) << r;

    // A reload empties the sort state and the marks: the next click on the
    // same column sorts ascending again.
    window->actions().ActionLoadIEActivity->trigger();
    EXPECT_TRUE(t.model->hint().isEmpty());
    EXPECT_EQ(t.model->headerImage(0), -1);
    clickHeader(t.view, 0);
    EXPECT_EQ(t.model->hint(), QStringLiteral("0|1"));
}
