#pragma once

#include <QByteArray>

namespace vc {

// The test every loader applies to a candidate row: the row's text (its
// fields joined by single spaces) and its date text. With no condition set it
// accepts everything.
bool PassesRecallConditions(const QByteArray& WholeRowText, const QByteArray& AccessTimeText);

} // namespace vc
