#include "tables/TableModel.h"

#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/TimeValue.h"
#include "tables/RowFilter.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace vc {

namespace {
TableModel::HeaderImageProvider g_headerImages = nullptr;
} // namespace

void TableModel::setHeaderImageProvider(HeaderImageProvider provider) {
    g_headerImages = provider;
}

namespace {

// Start of cell `column` in a packed row, or -1 when the row has fewer cells.
qsizetype cellStart(QByteArrayView row, int column) {
    qsizetype pos = 0;
    for (int c = 0; c < column; ++c) {
        pos = row.indexOf('\0', pos);
        if (pos < 0)
            return -1;
        ++pos;
    }
    return pos;
}

// The arena grows in blocks of a quarter of what it holds, from 4 KiB to
// 1 MiB (a longer row gets a block of its own size): little room stays
// unused, and a block is never moved once written.
constexpr qsizetype kSmallestBlock = 4 * 1024;
constexpr qsizetype kLargestBlock = 1024 * 1024;
// A row longer than this (never from a source: their fields are bounded)
// is cut, so that its place fits 32 bits.
constexpr qsizetype kLongestRow = 0x7fffffff;

} // namespace

TableModel::TableModel(const QString& name, std::vector<TableColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)),
      m_headerImages(m_columns.size(), -1), m_shownColumns(m_columns.size()) {
    setObjectName(name);
    std::iota(m_shownColumns.begin(), m_shownColumns.end(), 0);
}

TableModel::RowPlace TableModel::place(qsizetype length) {
    if (m_blocks.empty() || m_blocks.back().size - m_blocks.back().used < length) {
        qsizetype held = 0;
        for (const Block& block : m_blocks)
            held += block.used;
        const qsizetype size =
            std::max(length, std::clamp(held / 4, kSmallestBlock, kLargestBlock));
        m_blocks.push_back({std::make_unique<char[]>(size_t(size)), quint32(size), 0});
    }
    Block& block = m_blocks.back();
    const RowPlace row{quint32(m_blocks.size() - 1), block.used, quint32(length)};
    block.used += quint32(length);
    return row;
}

qint64 TableModel::storageBytes() const {
    qint64 bytes = qint64(m_rows.capacity() * sizeof(RowPlace));
    bytes += qint64(m_sourceOrder.capacity() * sizeof(int));
    for (const Block& block : m_blocks)
        bytes += block.size + qint64(sizeof(Block));
    return bytes;
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return cellText(index.row(), index.column());
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < columns())
            return caption(section);
        if (role == Qt::DecorationRole)
            return g_headerImages ? g_headerImages(headerImage(section)) : QVariant();
        return {};
    }
    if (role == Qt::DisplayRole)
        return section + 1;
    return {};
}

bool TableModel::isDateColumn(int column) const {
    return column >= 0 && column < columns() && m_columns[size_t(column)].isDate;
}

QString TableModel::caption(int column) const {
    if (column < 0 || column >= columns())
        return {};
    return interfaceText(m_columns[size_t(column)].captionText);
}

void TableModel::refreshCaptions() {
    if (columns() > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns() - 1);
}

QByteArray TableModel::cell(int row, int column) const {
    return shownCell(row, column);
}

QByteArrayView TableModel::cellView(int row, int column) const {
    return storedCellView(storedRow(row), column);
}

QByteArrayView TableModel::storedCellView(int stored, int column) const {
    if (column < 0 || column >= columns())
        return {};
    if (stored < 0 || stored >= storedRows())
        return {};
    const QByteArrayView packed = storedPackedRow(stored);
    const qsizetype start = cellStart(packed, column);
    if (start < 0)
        return {};
    qsizetype end = packed.indexOf('\0', start);
    if (end < 0)
        end = packed.size();
    return packed.sliced(start, end - start);
}

QByteArrayView TableModel::packedRow(int row) const {
    return storedPackedRow(storedRow(row));
}

QByteArrayView TableModel::storedPackedRow(int stored) const {
    if (stored < 0 || stored >= storedRows())
        return {};
    if (m_source) {
        if (stored != m_sourceRowIndex) {
            m_sourceRow.clear();
            m_source->appendRow(m_sourceOrder.empty() ? stored : m_sourceOrder[size_t(stored)],
                                m_sourceRow);
            m_sourceRowIndex = stored;
        }
        return m_sourceRow;
    }
    const RowPlace& place = m_rows[size_t(stored)];
    return QByteArrayView(textOf(place), place.length);
}

int TableModel::storedRow(int row) const {
    if (row < 0 || row >= rows())
        return -1;
    return m_filtered ? m_shown[size_t(row)] : row;
}

int TableModel::shownRow(int stored) const {
    if (stored < 0 || stored >= storedRows())
        return -1;
    if (!m_filtered)
        return stored;
    const auto at = std::lower_bound(m_shown.begin(), m_shown.end(), stored);
    return at != m_shown.end() && *at == stored ? int(at - m_shown.begin()) : -1;
}

void TableModel::refilter() {
    m_filtered = !m_filterText.isEmpty();
    if (m_filtered)
        m_shown = filteredRows(*this, m_filterText);
    else
        std::vector<int>().swap(m_shown);
}

void TableModel::setFilterText(const QString& text) {
    if (text == m_filterText)
        return;
    if (!inBulkUpdate())
        beginResetModel();
    // A text that holds the one before (the user typed on) keeps only rows
    // that one kept: only those are searched. Both must compare the same
    // way (bytes, or decoded text), and every row must have been filtered.
    const bool narrows =
        m_filtered && !inBulkUpdate() && text.contains(m_filterText) &&
        RowFilter::comparesDecoded(*this, text) == RowFilter::comparesDecoded(*this, m_filterText);
    m_filterText = text;
    if (narrows)
        m_shown = filteredRowsAmong(*this, m_filterText, m_shown);
    else
        refilter();
    if (!inBulkUpdate())
        endResetModel();
}

bool TableModel::allColumnsInOrder() const {
    for (size_t i = 0; i < m_shownColumns.size(); ++i)
        if (m_shownColumns[i] != int(i))
            return false;
    return m_shownColumns.size() == m_columns.size();
}

void TableModel::setShownColumns(const std::vector<int>& columns) {
    std::vector<int> shown;
    std::vector<char> seen(m_columns.size(), 0);
    for (int c : columns)
        if (c >= 0 && c < this->columns() && !seen[size_t(c)]) {
            seen[size_t(c)] = 1;
            shown.push_back(c);
        }
    if (shown.empty()) {
        shown.resize(m_columns.size());
        std::iota(shown.begin(), shown.end(), 0);
    }
    if (shown == m_shownColumns)
        return;
    if (!m_filtered) {
        m_shownColumns = std::move(shown);
        return;
    }
    if (!inBulkUpdate())
        beginResetModel();
    m_shownColumns = std::move(shown);
    refilter();
    if (!inBulkUpdate())
        endResetModel();
}

QList<QByteArray> TableModel::rowCells(int row) const {
    QList<QByteArray> cells;
    if (row < 0 || row >= rows())
        return cells;
    cells = packedRow(row).toByteArray().split('\0');
    cells.resize(columns());
    for (QByteArray& c : cells)
        if (isTimeCell(c))
            c = cellTimeText(c);
    return cells;
}

QString TableModel::cellText(int row, int column) const {
    return decodeCell(column, cellView(row, column));
}

QByteArray TableModel::shownCell(int row, int column) const {
    QByteArray out;
    appendShown(cellView(row, column), out);
    return out;
}

void TableModel::appendShown(QByteArrayView bytes, QByteArray& out) {
    if (const std::optional<TimeValue> time =
            isTimeCell(bytes) ? readTimeCell(bytes) : std::nullopt)
        appendTimeValueText(*time, out);
    else
        out.append(bytes);
}

void TableModel::refreshTimes() {
    if (m_filtered && !inBulkUpdate()) {
        // The time texts the filter matched have changed: the rows it keeps
        // are worked out again.
        beginResetModel();
        refilter();
        endResetModel();
        return;
    }
    if (rows() == 0)
        return;
    for (int c = 0; c < columns(); ++c)
        if (isDateColumn(c))
            Q_EMIT dataChanged(index(0, c), index(rows() - 1, c));
}

QString TableModel::decodeCell(int column, QByteArrayView bytes) const {
    if (!isDateColumn(column))
        return decodeText(bytes);
    if (isTimeCell(bytes)) {
        QByteArray text;
        appendShown(bytes, text);
        return decodeEvidence(text);
    }
    return decodeEvidence(bytes);
}

QString TableModel::decodeText(QByteArrayView bytes) const {
    return m_encoding == CellEncoding::Utf8 ? QString::fromUtf8(bytes) : decodeEvidence(bytes);
}

QByteArray TableModel::encodeText(const QString& text) const {
    return m_encoding == CellEncoding::Utf8 ? text.toUtf8() : encodeEvidence(text);
}

void TableModel::appendExportCell(int column, QByteArrayView bytes, QByteArray& out) const {
    if (isTimeCell(bytes)) {
        QByteArray text;
        appendShown(bytes, text);
        appendExportCell(column, text, out);
        return;
    }
    if (m_encoding == CellEncoding::Utf8 && isDateColumn(column) &&
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; })) {
        out.append(decodeEvidence(bytes).toUtf8());
        return;
    }
    out.append(bytes);
}

void TableModel::beginBulkUpdate() {
    if (m_bulkDepth++ == 0)
        beginResetModel();
}

void TableModel::endBulkUpdate() {
    if (m_bulkDepth == 0)
        return;
    if (--m_bulkDepth == 0) {
        // Rows added or removed inside the update: the filter is applied
        // once, to all of them.
        if (m_filtered)
            refilter();
        endResetModel();
    }
}

void TableModel::removeAllRows() {
    if (!inBulkUpdate())
        beginResetModel();
    std::vector<RowPlace>().swap(m_rows);
    std::vector<Block>().swap(m_blocks);
    m_shown.clear();
    m_source.reset();
    m_sourceRows = 0;
    std::vector<int>().swap(m_sourceOrder);
    m_sourceRow.clear();
    m_sourceRowIndex = -1;
    if (!inBulkUpdate())
        endResetModel();
}

void TableModel::setColumns(std::vector<TableColumn> columns) {
    BulkUpdate update(*this);
    removeAllRows();
    m_columns = std::move(columns);
    m_headerImages.assign(m_columns.size(), -1);
    m_shownColumns.resize(m_columns.size());
    std::iota(m_shownColumns.begin(), m_shownColumns.end(), 0);
}

int TableModel::sourceRowOf(int stored) const {
    if (!m_source || stored < 0 || stored >= storedRows())
        return -1;
    return m_sourceOrder.empty() ? stored : m_sourceOrder[size_t(stored)];
}

void TableModel::setRowSource(std::shared_ptr<const RowSource> source) {
    BulkUpdate update(*this);
    removeAllRows();
    m_source = std::move(source);
    m_sourceRows = m_source ? std::max(0, m_source->rowCount()) : 0;
}

void TableModel::clearRows() {
    removeAllRows();
    clearHeaderImages();
    setHint(QString());
}

void TableModel::appendCells(const QByteArrayView* cells, int count) {
    if (m_source)
        return;
    const int n = std::min(count, columns());
    qsizetype length = n > 0 ? n - 1 : 0;
    for (int c = 0; c < n; ++c)
        length += cells[c].size();
    length = std::min(length, kLongestRow);
    const RowPlace row = place(length);
    char* out = m_blocks[row.block].bytes.get() + row.offset;
    char* const end = out + length;
    for (int c = 0; c < n && out < end; ++c) {
        if (c > 0)
            *out++ = '\0';
        const qsizetype size = std::min<qsizetype>(cells[c].size(), end - out);
        if (size > 0)
            std::memcpy(out, cells[c].data(), size_t(size));
        // A zero byte would split the cell: no source text holds one, but a
        // row built from other data must not corrupt its neighbours.
        for (char* p = out; p != out + size; ++p) {
            if (*p == '\0')
                *p = ' ';
        }
        out += size;
    }
    if (inBulkUpdate()) {
        m_rows.push_back(row);
        return;
    }
    if (m_filtered) {
        m_rows.push_back(row);
        if (!RowFilter(*this, m_filterText).matches(storedPackedRow(storedRows() - 1)))
            return;
        beginInsertRows(QModelIndex(), rows(), rows());
        m_shown.push_back(storedRows() - 1);
        endInsertRows();
        return;
    }
    beginInsertRows(QModelIndex(), rows(), rows());
    m_rows.push_back(row);
    endInsertRows();
}

void TableModel::reserveRows(int count) {
    if (count > 0)
        m_rows.reserve(size_t(count));
}

void TableModel::applyOrder(const std::vector<int>& order) {
    if (order.size() != size_t(storedRows()))
        return;
    if (!inBulkUpdate())
        Q_EMIT layoutAboutToBeChanged();
    if (m_source) {
        std::vector<int> sorted;
        sorted.reserve(order.size());
        for (int old : order)
            sorted.push_back(m_sourceOrder.empty() ? old : m_sourceOrder[size_t(old)]);
        m_sourceOrder = std::move(sorted);
        m_sourceRowIndex = -1;
    } else {
        std::vector<RowPlace> sorted;
        sorted.reserve(m_rows.size());
        for (int old : order)
            sorted.push_back(m_rows[size_t(old)]);
        m_rows = std::move(sorted);
    }
    if (m_filtered) {
        // The same rows stay shown, at their new places.
        std::vector<char> shown(order.size(), 0);
        for (int stored : m_shown)
            shown[size_t(stored)] = 1;
        m_shown.clear();
        for (size_t i = 0; i < order.size(); ++i)
            if (shown[size_t(order[i])])
                m_shown.push_back(int(i));
    }
    if (!inBulkUpdate())
        Q_EMIT layoutChanged();
}

int TableModel::headerImage(int column) const {
    return column >= 0 && column < columns() ? m_headerImages[size_t(column)] : -1;
}

void TableModel::setHeaderImage(int column, int image) {
    if (column < 0 || column >= columns())
        return;
    m_headerImages[size_t(column)] = image;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void TableModel::clearHeaderImages() {
    std::fill(m_headerImages.begin(), m_headerImages.end(), -1);
    refreshCaptions();
}

QByteArray TableModel::joinedRow(int row, char separator) const {
    if (row < 0 || row >= rows())
        return {};
    const QByteArrayView packed = packedRow(row);
    QByteArray text;
    if (packed.contains(kTimeCellMark)) {
        // Time cells as their texts, cell by cell.
        qsizetype at = 0;
        for (;;) {
            qsizetype end = packed.indexOf('\0', at);
            appendShown(packed.sliced(at, (end < 0 ? packed.size() : end) - at), text);
            if (end < 0)
                break;
            text.append('\0');
            at = end + 1;
        }
    } else {
        text = packed.toByteArray();
    }
    // Rows with fewer cells than columns get the missing empty cells.
    const int present = int(text.count('\0')) + 1;
    for (int c = present; c < columns(); ++c)
        text.append('\0');
    text.replace('\0', separator);
    return text;
}

} // namespace vc
