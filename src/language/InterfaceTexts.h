#pragma once

#include "language/TextIds.h"

#include <QString>
#include <QStringList>

namespace vc {

// Every caption, hint, column heading and message comes from this table of
// numbered texts. It starts with the built-in English texts; a language file
// may later replace them line by line.
// The texts every version of the program has had (0 to 149); later texts
// follow without a gap, in blocks by feature (TextIds.h).
constexpr int kBaseTextCount = 150;

// Empties the table and sets the built-in English texts.
void fillDefaultInterfaceTexts();
// Text n; the empty text for a number outside the table.
QString interfaceText(int n);
void setInterfaceText(int n, const QString& text);
int interfaceTextCount();
// The built-in English text n, whatever the table holds now.
QString englishInterfaceText(int n);

// A label (a table's count) followed by the warnings of its load, each as
// "Warning: text" on the same line.
QString labelWithWarnings(const QString& label, const QStringList& warnings);

// Shorthand used throughout the windows.
inline QString tx(int n) {
    return interfaceText(n);
}

} // namespace vc
