#pragma once

#include "platform/Progress.h"
#include "platform/WorkFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace vc {

// The lines of a list, in order; position and size count lines.
class ListLines : public LineSource {
public:
    explicit ListLines(const QList<QByteArray>& lines) : m_lines(lines) {}
    bool next(QByteArrayView& line) override {
        if (m_next >= m_lines.size())
            return false;
        line = m_lines.at(m_next++);
        return true;
    }
    qint64 position() const override { return m_next; }
    qint64 size() const override { return m_lines.size(); }

private:
    const QList<QByteArray>& m_lines;
    qsizetype m_next = 0;
};

// Where the bar stands after a fill that met no line.
enum class EmptyFill { LeaveBar, FinishBar };

// Hands every line of lines to rowOf, which delivers its row, one line at a
// time (the lines are never held together). The bar moves from where it
// stands by up to share units as the lines are read (by their source's
// position), and to its start + share at the end: after the last line, or
// with EmptyFill::FinishBar also when there was none.
template <typename RowOf>
void FillRowsFrom(LineSource& lines, Progress* progress, int share, EmptyFill empty, RowOf rowOf) {
    const int start = progressStart(progress);
    const qint64 total = lines.size();
    bool any = false;
    QByteArrayView line;
    for (;;) {
        const qint64 before = lines.position();
        if (!lines.next(line))
            break;
        any = true;
        rowOf(line);
        if (progress && total > 0)
            progress->raiseTo(start + int(double(before) / double(total) * share));
    }
    if (progress && (any || empty == EmptyFill::FinishBar))
        progress->raiseTo(start + share);
}

} // namespace vc
