#pragma once

#include <QByteArray>

namespace vc {

class RecallConditionSet;

// The test every loader applies to a candidate row: the row's text (its
// fields joined by single spaces) and its date text, against the conditions
// of a recall. No set, or an empty one, accepts everything.
bool PassesRecallConditions(const RecallConditionSet& set, QByteArrayView WholeRowText,
                            QByteArrayView AccessTimeText);
inline bool PassesRecallConditions(const RecallConditionSet* set, QByteArrayView WholeRowText,
                                   QByteArrayView AccessTimeText) {
    return !set || PassesRecallConditions(*set, WholeRowText, AccessTimeText);
}

} // namespace vc
