#include "tables/SortState.h"

namespace vc {

SortState readSortState(const QString& hint) {
    SortState state;
    if (hint.isEmpty())
        return state;
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return state;
    bool columnOk = false;
    bool flagOk = false;
    const int column = hint.left(bar).toInt(&columnOk);
    const int flag = hint.mid(bar + 1).toInt(&flagOk);
    if (!columnOk || !flagOk || column < 0)
        return state;
    state.column = column;
    state.ascending = flag != 0;
    return state;
}

QString sortStateHint(const SortState& state) {
    return QString::number(state.column) + QLatin1Char('|') +
           (state.ascending ? QLatin1Char('1') : QLatin1Char('0'));
}

SortState nextSortState(const SortState& current, int clickedColumn) {
    if (clickedColumn == current.column)
        return {clickedColumn, !current.ascending};
    return {clickedColumn, true};
}

} // namespace vc
