#pragma once

#include "platform/TimeValue.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVarLengthArray>

#include <optional>
#include <vector>

namespace vc {

// One time of one row of a source table: what the timeline sorts. Its texts
// are made from the row when they are shown or written, so an event holds
// only where it lies and when.
struct TimelineEvent {
    // Microseconds since 1970 UTC; for a time the machine wrote in a local
    // time whose zone is not known, the wall-clock time it holds, counted as
    // if it were UTC (flag kWallClock).
    qint64 time;
    quint32 row;   // the stored row of the source table
    quint16 table; // the table in the timeline's list
    quint8 column; // the row's date column
    quint8 flags;

    static constexpr quint8 kWallClock = 1;
    // A time that lies ahead when it is written (a cookie's expiry): an event
    // of its own kind, left out of the histogram unless asked for.
    static constexpr quint8 kExpiry = 2;
};
static_assert(sizeof(TimelineEvent) == 16, "an event stays 16 bytes");

// The moment a stored time stands for on the timeline, or nullopt when it is
// no event: no time stored (0), or a time the tables show no date for by its
// rule (before 1970, after 3000 where the rule stops there, after 9999).
std::optional<qint64> eventMoment(const TimeValue& time);
// Whether a column's event is an expiry: a time that lies ahead.
bool isExpiryEvent(int eventText);

// One table read into the timeline, with what the timeline takes from it.
struct TimelineTable {
    int source = -1; // its source in the catalogue
    const TableModel* table = nullptr;
    QString machine; // the computer's name
    QByteArray machineUtf8;
    // The column that names the row's user; -1: none.
    int userColumn = -1;
    // The columns that may hold the row's address or path, the first filled
    // one of them taken.
    std::vector<int> addressColumns;
    // The columns the short description is made of (the first filled ones).
    std::vector<int> descriptionColumns;
    // The date columns that are events, with their event texts.
    std::vector<std::pair<int, int>> eventColumns;
    // The file the rows were read from (the plaso export's filename); -1.
    int sourceFileColumn = -1;
    // Texts in the current language, as UTF-8: the columns' captions, the
    // event columns' meanings (in their order), the source's caption.
    std::vector<QByteArray> captions;
    std::vector<QByteArray> eventTexts;
    QByteArray caption;
};

// The cells of a stored row, split once.
using RowCells = QVarLengthArray<QByteArrayView, 32>;
void splitRow(QByteArrayView packed, int columns, RowCells& cells);

// Every time of every row of the tables given, as events sorted by time
// (equal times: by source, then by the order of the tables, then by row and
// column). The tables must outlive the timeline and keep their rows in
// place while it is used: a table sorted or read again means a new build.
class Timeline {
public:
    // Adds a table of a source (its catalogue index) of a machine.
    void addTable(int source, const TableModel* table, const QString& machine);
    void clear();
    // Gathers the events of every table added and sorts them; without
    // expiries when withExpiries is false.
    void build(bool withExpiries = true);

    qsizetype size() const { return qsizetype(m_events.size()); }
    const TimelineEvent& event(qsizetype i) const { return m_events[size_t(i)]; }
    const std::vector<TimelineEvent>& events() const { return m_events; }
    int tableCount() const { return int(m_tables.size()); }
    const TimelineTable& table(int i) const { return m_tables[size_t(i)]; }
    const TimelineTable& tableOf(const TimelineEvent& e) const { return m_tables[e.table]; }
    // The bytes the events take (what the timeline adds to the tables).
    qint64 storageBytes() const { return qint64(m_events.capacity() * sizeof(TimelineEvent)); }
    // The first event at or after a time (events are sorted by time).
    qsizetype lowerBound(qint64 time) const;

    // The texts of an event, made from the cells of its row (splitRow of
    // the table's stored row), each appended as UTF-8 (to a QByteArray or,
    // for the exports, a ByteBuffer).
    template <class Buffer>
    void appendAddress(const TimelineTable& t, const RowCells& cells, Buffer& out) const;
    template <class Buffer>
    void appendDescription(const TimelineTable& t, const RowCells& cells, Buffer& out) const;
    template <class Buffer>
    void appendUser(const TimelineTable& t, const RowCells& cells, Buffer& out) const;
    // The interface text of an event's meaning, and the text itself.
    static int eventTextOf(const TimelineTable& t, int column);
    QByteArrayView eventText(const TimelineTable& t, int column) const;
    // Takes the texts again after a change of language.
    void refreshTexts();

private:
    static void refreshTexts(TimelineTable& t);

    std::vector<TimelineTable> m_tables;
    std::vector<TimelineEvent> m_events;
};

// A cell of a table as UTF-8 text (a time cell as its time text); to a
// QByteArray or a ByteBuffer.
template <class Buffer>
void appendCellUtf8(const TableModel& table, int column, QByteArrayView cell, Buffer& out);
// A source's caption: its group's and its tab's captions ("Chrome, Edge,
// Firefox: History").
QString sourceCaption(int source);

} // namespace vc
