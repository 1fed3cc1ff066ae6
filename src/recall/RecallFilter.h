#pragma once

#include <QByteArray>

namespace vc {

class RecallConditionSet;

// The test every loader applies to a candidate row: the row's text (its
// fields joined by single spaces) and its date text. With no condition set it
// accepts everything.
bool PassesRecallConditions(const QByteArray& WholeRowText, const QByteArray& AccessTimeText);

// The same test against a given set of conditions.
bool PassesRecallConditions(const RecallConditionSet& set, QByteArrayView WholeRowText,
                            QByteArrayView AccessTimeText);

} // namespace vc
