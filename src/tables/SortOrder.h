#pragma once

#include "tables/TableModel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <vector>

namespace vc {

// What a date column needs besides its texts: the pattern the texts were
// written with, the text written for a time that could not be converted,
// and the base of the substitute dates.
struct DateSortRules {
    QString pattern;
    QByteArray unconvertedText;
    QDate baseDate;
};

// Case-insensitive text order: letters a-z compare as A-Z, every other byte
// by its code, and a text that is the start of the other comes first.
// Negative, zero or positive.
int compareTextFolded(QByteArrayView a, QByteArrayView b);

// The new order of every stored row of a table (shown or hidden by a
// filter) sorted by one column: order[i] is the current stored index of the
// row that goes to place i. Text columns compare as
// compareTextFolded; date columns as points in time, where a text that is
// not a date stands for a substitute date: the empty text for the base date,
// the unconverted-time text for the base date plus one day, any other text
// for the base date plus two days. Each row's key is worked out once. Rows
// with equal keys keep their current order, in either direction.
std::vector<int> sortedRowOrder(const TableModel& table, int column, bool ascending,
                                const DateSortRules& dates);

} // namespace vc
