#pragma once

#include <QByteArray>
#include <QList>

namespace vc {

// Where a loader delivers its rows, one list of cells each (the bytes of the
// source; missing cells are empty). A table keeps them; a command-line
// output may write them out as they come.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void appendRow(const QList<QByteArray>& cells) = 0;
};

} // namespace vc
