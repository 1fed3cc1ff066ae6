#include "tables/ui/ColumnFit.h"

#include "platform/TimeText.h"
#include "tables/ColumnShare.h"
#include "tables/TableModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>

namespace vc {

namespace {

// A time text as wide as they come: two-digit day, month, hour, minute and
// second (2000-12-28 23:58:58 UTC) in the present pattern.
constexpr qint64 kWideTime = 978047938;

} // namespace

ColumnFit::ColumnFit(QTableView* view, TableModel* model)
    : QObject(view), m_view(view), m_model(model) {
    view->installEventFilter(this);
    QHeaderView* header = view->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, [this](int, int, int newSize) {
        // A column hidden (size 0) or shown again is no width of the user's.
        if (m_applying || m_resetting || newSize == 0)
            return;
        m_userSized = true;
        m_kept = widths();
    });
    // The view resets its header on a refill: the user's widths are put
    // back, automatic ones laid out again for the rows now there (a vertical
    // scroll bar may have come or gone).
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_resetting = true; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_resetting = false;
        if (m_userSized)
            apply(m_kept);
        else
            fit();
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, &ColumnFit::fitLater);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ColumnFit::fitLater);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &ColumnFit::fitLater);
}

bool ColumnFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        fit();
    return QObject::eventFilter(watched, event);
}

void ColumnFit::fitLater() {
    if (m_fitPending)
        return;
    m_fitPending = true;
    QTimer::singleShot(0, this, [this] {
        m_fitPending = false;
        fit();
    });
}

std::vector<int> ColumnFit::readableWidths() const {
    const QHeaderView* header = m_view->horizontalHeader();
    const QStyle* style = m_view->style();
    const QFontMetrics captionMetrics(header->font());
    const QFontMetrics cellMetrics(m_view->font());
    // Header: its margins on both sides and room for the sort mark.
    const int headerMargin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int markRoom =
        style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, header) + 2 * headerMargin;
    const int captionPadding = 2 * headerMargin + markRoom + 4;
    // Cells: the focus frame's margin on both sides and a little air.
    const int cellPadding =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1) + 8;
    const int timeWidth =
        cellMetrics.horizontalAdvance(QString::fromLatin1(formatTimeText(kWideTime))) + cellPadding;
    const int leastCell = cellMetrics.averageCharWidth() * 6 + cellPadding;

    std::vector<int> widths;
    for (int c = 0; c < m_model->columns(); ++c) {
        int width = captionMetrics.horizontalAdvance(m_model->caption(c)) + captionPadding;
        width = std::max(width, m_model->isDateColumn(c) ? timeWidth : leastCell);
        widths.push_back(width);
    }
    return widths;
}

int ColumnFit::sharedWidth() const {
    const QSize room = m_view->maximumViewportSize();
    const int rowHeight = m_view->verticalHeader()->defaultSectionSize();
    const bool needsBar = qint64(m_model->rows()) * rowHeight > room.height();
    const int bar = needsBar ? m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                            m_view->verticalScrollBar())
                             : 0;
    return std::max(0, room.width() - bar);
}

void ColumnFit::fit() {
    if (m_userSized || m_resetting)
        return;
    // The shown columns share the width (in their own order: the one that
    // takes the rest stays the same wherever it was dragged).
    const QHeaderView* header = m_view->horizontalHeader();
    const std::vector<int> readable = readableWidths();
    std::vector<int> shown;
    std::vector<double> factors;
    std::vector<int> minimums;
    for (int c = 0; c < m_model->columns(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        shown.push_back(c);
        factors.push_back(m_model->columnSpecs()[size_t(c)].widthFactor);
        minimums.push_back(readable[size_t(c)]);
    }
    const std::vector<int> shared = shareColumnWidths(factors, minimums, sharedWidth());
    QList<int> widths = this->widths();
    for (size_t i = 0; i < shown.size(); ++i)
        widths[shown[i]] = shared[i];
    apply(widths);
}

void ColumnFit::setColumnHidden(int column, bool hidden) {
    QHeaderView* header = m_view->horizontalHeader();
    if (column < 0 || column >= m_model->columns() || header->isSectionHidden(column) == hidden)
        return;
    const int width = widths().value(column);
    m_applying = true;
    header->setSectionHidden(column, hidden);
    // A column shown again gets the width it had (or its readable width).
    if (!hidden && header->sectionSize(column) <= 0)
        header->resizeSection(column, width);
    m_applying = false;
    if (m_userSized)
        m_kept = widths();
    else
        fit();
}

void ColumnFit::fitToView() {
    m_userSized = false;
    m_kept.clear();
    fit();
}

QList<int> ColumnFit::widths() const {
    // A hidden column's view width is 0: it counts with the width it had
    // when it was hidden, else its readable width, so that the kept widths
    // stay valid.
    const QHeaderView* header = m_view->horizontalHeader();
    QList<int> widths;
    std::vector<int> readable;
    for (int c = 0; c < m_model->columns(); ++c) {
        int width = m_view->columnWidth(c);
        if (header->isSectionHidden(c) || width <= 0) {
            width = c < m_kept.size() && m_kept[c] > 0 ? m_kept[c] : 0;
            if (width <= 0) {
                if (readable.empty())
                    readable = readableWidths();
                width = readable[size_t(c)];
            }
        }
        widths << width;
    }
    return widths;
}

bool ColumnFit::restoreWidths(const QList<int>& widths) {
    if (widths.size() != m_model->columns())
        return false;
    for (int w : widths)
        if (w <= 0)
            return false;
    m_userSized = true;
    m_kept = widths;
    apply(widths);
    return true;
}

void ColumnFit::apply(const QList<int>& widths) {
    m_applying = true;
    const QHeaderView* header = m_view->horizontalHeader();
    for (int c = 0; c < widths.size() && c < m_model->columns(); ++c)
        if (!header->isSectionHidden(c) && m_view->columnWidth(c) != widths[c])
            m_view->setColumnWidth(c, widths[c]);
    m_applying = false;
}

} // namespace vc
