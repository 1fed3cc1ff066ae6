#pragma once

#include "tables/RowSink.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace vc {

// One column of a table: its caption (an interface text number), whether it
// holds times (sorted as dates), its share of the table's width at the first
// layout (the last column takes the rest), and, for a time, what happened
// then as an event of the timeline ("Page visited": an interface text
// number; kNoEvent where the time is no event of its own).
constexpr int kNoEvent = -1;
struct TableColumn {
    int captionText;
    bool isDate;
    double widthFactor;
    int eventText = kNoEvent;
};

// How the text cells of a table are held: in the source code page (the
// bytes of the evidence, as the Internet Explorer and document tables keep
// them) or in UTF-8 (the browsers' databases). Date cells are the program's
// time texts in either case, in the source code page like every time text.
enum class CellEncoding { SourceCodePage, Utf8 };

// Rows a table shows without holding their text: each made when it is read,
// from data kept elsewhere (the timeline makes its rows from the events and
// the source tables). A row is given as a stored row is: its cells separated
// by zero bytes.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int rowCount() const = 0;
    // Appends row `row` (0 <= row < rowCount()) to out.
    virtual void appendRow(int row, QByteArray& out) const = 0;
};

// The rows of one table, kept as the bytes the sources gave (decoded only for
// display, with the table's cell encoding). The text of all rows lies in one arena
// of large blocks; a row is a place in it (12 bytes), its cells separated by
// zero bytes, which no cell can hold. So a table costs its text plus a few
// bytes per row (the place, the separators, the list's spare room: at most
// 32 in all), and the view asks only for the cells it paints.
class TableModel : public QAbstractTableModel, public RowSink {
    Q_OBJECT

public:
    TableModel(const QString& name, std::vector<TableColumn> columns, QObject* parent = nullptr);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const std::vector<TableColumn>& columnSpecs() const { return m_columns; }
    // Gives the table other columns (a trailing one added or dropped): its
    // rows go, every column is shown in its order, the filter stays.
    void setColumns(std::vector<TableColumn> columns);
    // The rows shown: every stored row, or while a filter is set the rows
    // that hold its text. Every row number of the model (the views', the
    // cells', the exports', the copy's and the find's) counts shown rows.
    int rows() const { return m_filtered ? int(m_shown.size()) : storedRows(); }
    int columns() const override { return int(m_columns.size()); }

    // Every row the table holds, shown or not.
    int storedRows() const { return m_source ? m_sourceRows : int(m_rows.size()); }
    // The stored index of shown row `row` (-1 outside), and the shown row of
    // a stored one (-1 when it is hidden or outside).
    int storedRow(int row) const;
    int shownRow(int stored) const;
    // A stored row and cell by stored index (what the sort reads: it orders
    // every row, shown or not). In a table of a row source the view lies in
    // one buffer made again for every other row: it is valid until the next
    // row is read.
    QByteArrayView storedPackedRow(int stored) const;
    QByteArrayView storedCellView(int stored, int column) const;
    // Asks the processor early for where a stored row lies: a reader that
    // visits rows in no order (the timeline's exports) names a row some rows
    // ahead, so that storedPackedRow of it does not wait on the memory.
    void prefetchStoredRow(int stored) const {
        if (!m_source && stored >= 0 && stored < int(m_rows.size()))
            __builtin_prefetch(&m_rows[size_t(stored)]);
    }

    // Keeps only the rows that hold `text` in a shown column (see
    // RowFilter); the empty text shows every row. The filter stays across
    // refills: rows added later are shown when they hold it.
    void setFilterText(const QString& text);
    QString filterText() const { return m_filterText; }
    bool isFiltered() const { return m_filtered; }

    // The columns the exports and the copy write, in their order: every
    // column in its own order unless the user hid or moved some.
    const std::vector<int>& shownColumns() const { return m_shownColumns; }
    bool allColumnsInOrder() const;
    // Sets them (columns outside the table and repeats are dropped; an empty
    // list, or one without any valid column, shows every column in order).
    // A set filter is applied again to the columns now shown.
    void setShownColumns(const std::vector<int>& columns);
    bool isDateColumn(int column) const;
    // The caption of a column in the current language.
    QString caption(int column) const;
    // Tells the views that the captions changed (after a language switch).
    void refreshCaptions();

    // Cell bytes as shown (a time cell as its time text); the empty text
    // outside the table.
    QByteArray cell(int row, int column) const;
    QList<QByteArray> rowCells(int row) const;
    // The cell bytes without a copy, valid until the rows change; the sort
    // and the search read every row through it.
    QByteArrayView cellView(int row, int column) const;
    // The stored row: its cells separated by zero bytes (trailing empty
    // cells may be missing). Valid until the rows change.
    QByteArrayView packedRow(int row) const;
    // The cell as shown: decoded with the table's cell encoding; a time
    // cell as its time text in the current pattern and zone.
    QString cellText(int row, int column) const;
    // The cell's bytes as shown: a time cell becomes its time text (in the
    // source code page, as every time text), any other cell stays as stored.
    QByteArray shownCell(int row, int column) const;
    // The same for a stored cell's bytes, appended to out.
    static void appendShown(QByteArrayView bytes, QByteArray& out);
    // Tells the views that every time text changed (another zone, another
    // pattern): the texts are made again from the stored times, no source is
    // read. A set filter is applied again, as the texts it matched changed.
    void refreshTimes();

    // How the text cells are held; SourceCodePage unless set.
    CellEncoding cellEncoding() const { return m_encoding; }
    void setCellEncoding(CellEncoding encoding) { m_encoding = encoding; }
    // The bytes of a cell of that column as text.
    QString decodeCell(int column, QByteArrayView bytes) const;
    // A text as the table's text cells hold it (what a find looks for), and
    // back.
    QByteArray encodeText(const QString& text) const;
    QString decodeText(QByteArrayView bytes) const;
    // Appends a cell as the tab-delimited export writes it: the bytes as
    // they are, so a code-page table gives code-page text and a UTF-8 table
    // UTF-8 text throughout (its date cells converted where they are not
    // plain ASCII).
    void appendExportCell(int column, QByteArrayView bytes, QByteArray& out) const;

    // A bulk update gathers any number of changes into one reset of the views.
    void beginBulkUpdate();
    void endBulkUpdate();
    bool inBulkUpdate() const { return m_bulkDepth > 0; }

    void removeAllRows();
    // Shows the rows of a source in place of stored ones (the rows held so
    // far go); nullptr empties the table. Sort and filter work as on stored
    // rows; appendCells adds nothing to such a table.
    void setRowSource(std::shared_ptr<const RowSource> source);
    bool hasRowSource() const { return m_source != nullptr; }
    const RowSource* rowSource() const { return m_source.get(); }
    // The row of the source that stored row `stored` shows (-1 outside).
    int sourceRowOf(int stored) const;
    // RowSink: appends a row; missing cells are empty, cells beyond the
    // columns dropped. appendRow(const QList<QByteArray>&) takes a list.
    void appendCells(const QByteArrayView* cells, int count) override;
    // RowSink: empties the table for a fill: rows, sort marks and hint.
    void clearRows() override;
    void beginRows() override { beginBulkUpdate(); }
    void endRows() override { endBulkUpdate(); }
    void reserveRows(int count);
    // Bytes the rows take: the arena's blocks and the list of rows.
    qint64 storageBytes() const;
    // Puts the stored rows in a new order: order[i] is the old stored index
    // of new stored row i (sortedRowOrder orders every stored row). A set
    // filter keeps the same rows shown, in the new order.
    void applyOrder(const std::vector<int>& order);

    // Header images: the sort mark of a column, -1 for none.
    int headerImage(int column) const;
    void setHeaderImage(int column, int image);
    void clearHeaderImages();

    // The table's hint: the sort state, emptied by every refill.
    QString hint() const { return m_hint; }
    void setHint(const QString& hint) { m_hint = hint; }

    // Every cell of a row as shown, joined by separator (the find and
    // recall texts).
    QByteArray joinedRow(int row, char separator) const;

    // The pictures of the header images, given by the window layer (the core
    // has no pictures): image 0 marks a column sorted in descending order,
    // image 1 one sorted in ascending order. Without one the headers show
    // no picture.
    using HeaderImageProvider = QVariant (*)(int image);
    static void setHeaderImageProvider(HeaderImageProvider provider);

private:
    // Where a row's text lies: block, offset in it, length.
    struct RowPlace {
        quint32 block;
        quint32 offset;
        quint32 length;
    };
    struct Block {
        std::unique_ptr<char[]> bytes;
        quint32 size;
        quint32 used;
    };
    // Room for length bytes at the end of the arena.
    RowPlace place(qsizetype length);
    const char* textOf(const RowPlace& row) const {
        return m_blocks[row.block].bytes.get() + row.offset;
    }
    // Works out the shown rows again from the filter text.
    void refilter();

    std::vector<TableColumn> m_columns;
    std::vector<RowPlace> m_rows;
    std::vector<Block> m_blocks;
    std::vector<int> m_headerImages;
    QString m_hint;
    int m_bulkDepth = 0;
    CellEncoding m_encoding = CellEncoding::SourceCodePage;
    QString m_filterText;
    bool m_filtered = false;
    std::vector<int> m_shown; // stored indices of the shown rows, ascending
    std::vector<int> m_shownColumns;
    // The rows of a source: its rows in the order of the stored rows (empty:
    // its own order), and the last row made.
    std::shared_ptr<const RowSource> m_source;
    int m_sourceRows = 0;
    std::vector<int> m_sourceOrder;
    mutable QByteArray m_sourceRow;
    mutable int m_sourceRowIndex = -1;
};

// Keeps a table inside one bulk update for a scope, also when a step throws.
class BulkUpdate {
public:
    explicit BulkUpdate(TableModel& table) : m_table(table) { m_table.beginBulkUpdate(); }
    ~BulkUpdate() { m_table.endBulkUpdate(); }
    BulkUpdate(const BulkUpdate&) = delete;
    BulkUpdate& operator=(const BulkUpdate&) = delete;

private:
    TableModel& m_table;
};

} // namespace vc
